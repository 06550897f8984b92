#pragma once

#include <QChar>
#include <QLocale>
#include <QObject>
#include <QString>

class QSettings;

// How amounts and moments are shown and read: the currency the user's
// amounts are labelled with, the number separators and grouping, the date
// order and the clock. The default is the program's own forms, "$1,234.50"
// and "06/29/1973 02:21:00 PM". Digits are always the Latin ones, so that a
// screen can be quoted anywhere; the readers also take other decimal digits.
// The currency is only a label: amounts are stored as they are.
struct RegionalFormats {
    enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

    QString currencyCode = QStringLiteral("USD");
    QString symbol = QStringLiteral("$");
    bool symbolBefore = true;
    bool symbolSpaced = false;
    int decimals = 2; // shown and rounded to; 0 to 4
    QString decimalSeparator = QStringLiteral(".");
    QString groupSeparator = QStringLiteral(","); // empty: no grouping
    bool indianGrouping = false;                  // 12,34,567.00
    DateOrder dateOrder = DateOrder::MonthDayYear;
    QChar dateSeparator = u'/';
    bool hour12 = true;

    bool operator==(const RegionalFormats &) const = default;
    bool isDefault() const;
    // Why the value cannot be used; empty when it can.
    QString problem() const;

    // The formats of a locale, its currency included.
    static RegionalFormats fromLocale(const QLocale &locale);
    // The number of decimals amounts in a currency are shown with (ISO 4217
    // minor units: 2 for most, 0 for the yen, 3 for the Kuwaiti dinar).
    static int currencyDecimals(const QString &code);
    // The currencies the locales know: codes, sorted, each with its symbol
    // and name as the first locale using it gives them.
    struct CurrencyInfo {
        QString code;
        QString symbol;
        QString name;
    };
    static const QList<CurrencyInfo> &knownCurrencies();
    static bool isKnownCurrency(const QString &code);

    // From the user's settings store (application "Kiv", section "Formats").
    // Nothing stored gives the default; a stored value that cannot be used
    // gives the default too, with one line on standard error.
    static RegionalFormats fromSettings();
    void writeSettings() const;
    // The same on a given store, for the tests; why is set when the stored
    // value was refused.
    static RegionalFormats read(QSettings &store, QString *why);
    void write(QSettings &store) const;
};

// Tells the windows that the formats changed, so that they show their values
// anew; previous is what was in force before.
class FormatsNotifier : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    void changed(const RegionalFormats &previous);
};

namespace Formats {

// The formats in force; the default until the program sets others.
const RegionalFormats &current();
// True while the default is in force (the fast paths of the formats).
bool currentIsDefault();
// Puts formats in force and tells the notifier when they differ from the
// current ones. A value with a problem is refused (false).
bool setCurrent(const RegionalFormats &formats);
FormatsNotifier *notifier();

} // namespace Formats
