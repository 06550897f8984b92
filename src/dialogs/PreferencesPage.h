#pragma once

#include <QString>
#include <QWidget>

// One page of the preferences dialog. Each subject the user may set (regional
// formats, the desktop's tray and reminders, ...) brings a page of its own;
// the dialog only stacks them and drives load and apply.
class PreferencesPage : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // The caption of the page in the dialog's list ("Regional Formats").
    virtual QString title() const = 0;
    // Fills the controls from the settings store.
    virtual void load() = 0;
    // Writes the controls to the settings store. False when a value cannot be
    // taken; the page has then said why, and nothing of it was written.
    virtual bool apply() = 0;
};
