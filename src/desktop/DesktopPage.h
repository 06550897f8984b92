#pragma once

#include "dialogs/PreferencesPage.h"

class QCheckBox;
class QSpinBox;

// The desktop's settings: the away limit, the reminder limit and the tray.
class DesktopPage : public PreferencesPage
{
    Q_OBJECT

public:
    explicit DesktopPage(QWidget *parent = nullptr);

    QString title() const override;
    void load() override;
    bool apply() override;

private:
    QSpinBox *m_away = nullptr;
    QSpinBox *m_reminder = nullptr;
    QCheckBox *m_tray = nullptr;
    // What load showed, so that a limit the page cannot show exactly (a
    // number of seconds set by hand) stays as it is unless changed here.
    int m_loadedAway = 0;
    int m_loadedReminder = 0;
};
