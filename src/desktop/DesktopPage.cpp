#include "desktop/DesktopPage.h"

#include "data/DesktopSettings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

namespace {

// Whole minutes for a limit in seconds, rounded up so a short limit shows as 1.
int minutesOf(qint64 seconds)
{
    return int((seconds + 59) / 60);
}

} // namespace

DesktopPage::DesktopPage(QWidget *parent) : PreferencesPage(parent)
{
    setObjectName(QStringLiteral("DesktopPage"));
    auto *form = new QFormLayout(this);

    m_away = new QSpinBox(this);
    m_away->setObjectName(QStringLiteral("spnAwayMinutes"));
    m_away->setRange(1, int(DesktopSettings::kMaxAwaySeconds / 60));
    m_away->setSuffix(QStringLiteral(" min"));
    m_away->setToolTip(QStringLiteral("After this long without keyboard or mouse input while a charge runs, "
                                      "Tamberlock asks what to do with the time away."));
    auto *awayLabel = new QLabel(QStringLiteral("Ask about time &away after:"), this);
    awayLabel->setObjectName(QStringLiteral("lblAwayMinutes"));
    awayLabel->setBuddy(m_away);
    form->addRow(awayLabel, m_away);

    m_reminder = new QSpinBox(this);
    m_reminder->setObjectName(QStringLiteral("spnReminderMinutes"));
    m_reminder->setRange(1, int(DesktopSettings::kMaxReminderSeconds / 60));
    m_reminder->setSingleStep(30);
    m_reminder->setSuffix(QStringLiteral(" min"));
    m_reminder->setToolTip(QStringLiteral("A charge running this long is brought to mind, and again each "
                                          "time as long has passed."));
    auto *reminderLabel = new QLabel(QStringLiteral("&Remind of a running charge after:"), this);
    reminderLabel->setObjectName(QStringLiteral("lblReminderMinutes"));
    reminderLabel->setBuddy(m_reminder);
    form->addRow(reminderLabel, m_reminder);

    m_tray = new QCheckBox(QStringLiteral("Show the running charges in the system &tray"), this);
    m_tray->setObjectName(QStringLiteral("chkTray"));
    form->addRow(m_tray);
    load();
}

QString DesktopPage::title() const
{
    return QStringLiteral("Desktop");
}

void DesktopPage::load()
{
    m_loadedAway = minutesOf(DesktopSettings::awaySeconds());
    m_loadedReminder = minutesOf(DesktopSettings::reminderSeconds());
    m_away->setValue(m_loadedAway);
    m_reminder->setValue(m_loadedReminder);
    m_tray->setChecked(DesktopSettings::trayShown());
}

bool DesktopPage::apply()
{
    // A value still being typed counts as typed.
    m_away->interpretText();
    m_reminder->interpretText();
    if (m_away->value() != m_loadedAway)
        DesktopSettings::setAwaySeconds(qint64(m_away->value()) * 60);
    if (m_reminder->value() != m_loadedReminder)
        DesktopSettings::setReminderSeconds(qint64(m_reminder->value()) * 60);
    DesktopSettings::setTrayShown(m_tray->isChecked());
    m_loadedAway = m_away->value();
    m_loadedReminder = m_reminder->value();
    return true;
}
