#pragma once

#include "data/RegionalFormats.h"
#include "dialogs/PreferencesPage.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The currency and the forms of numbers, dates and times, with a sample of
// each as the lists will show it.
class RegionalFormatsPage : public PreferencesPage
{
    Q_OBJECT

public:
    explicit RegionalFormatsPage(QWidget *parent = nullptr);

    QString title() const override { return QStringLiteral("Regional Formats"); }
    // From the formats in force (which the program read from the store).
    void load() override;
    // Writes the chosen formats to the store and puts them in force.
    bool apply() override;

    // The formats the controls show, and showing a value in them.
    RegionalFormats value() const;
    void setValue(const RegionalFormats &formats);

    // The sample texts: money (large enough to show the grouping), a negative
    // amount, a date-time, a span.
    QString sampleText() const;

private:
    void onCurrencyChosen();
    void onDecimalChosen();
    void showSample();

    QComboBox *m_currency = nullptr;
    QLineEdit *m_symbol = nullptr;
    QComboBox *m_symbolPlace = nullptr;
    QSpinBox *m_decimals = nullptr;
    QComboBox *m_decimalSeparator = nullptr;
    QComboBox *m_groupSeparator = nullptr;
    QComboBox *m_grouping = nullptr;
    QComboBox *m_dateOrder = nullptr;
    QComboBox *m_dateSeparator = nullptr;
    QComboBox *m_clock = nullptr;
    QPushButton *m_systemButton = nullptr;
    QPushButton *m_defaultButton = nullptr;
    QLabel *m_sample = nullptr;
    bool m_filling = false;
};
