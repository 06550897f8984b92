#include "data/DesktopSettings.h"

#include <QSettings>

namespace {

QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kiv"),
                     QStringLiteral("Kiv"));
}

const QString kAway = QStringLiteral("Desktop/AwaySeconds");
const QString kReminder = QStringLiteral("Desktop/ReminderSeconds");
const QString kTray = QStringLiteral("Desktop/Tray");

void write(const QString &key, const QVariant &value)
{
    QSettings s = store();
    s.setValue(key, value);
    s.sync();
}

} // namespace

namespace DesktopSettings {

qint64 limitFromText(const QString &text, qint64 fallback, qint64 max)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    return ok && v >= 1 && v <= max ? v : fallback;
}

qint64 awaySeconds()
{
    return limitFromText(store().value(kAway).toString(), kDefaultAwaySeconds, kMaxAwaySeconds);
}

qint64 reminderSeconds()
{
    return limitFromText(store().value(kReminder).toString(), kDefaultReminderSeconds, kMaxReminderSeconds);
}

bool trayShown()
{
    // Only a plain "0" or "false" turns the tray off; anything else is the default.
    const QString t = store().value(kTray).toString().trimmed().toLower();
    return t != QLatin1String("0") && t != QLatin1String("false");
}

void setAwaySeconds(qint64 seconds)
{
    write(kAway, seconds);
}

void setReminderSeconds(qint64 seconds)
{
    write(kReminder, seconds);
}

void setTrayShown(bool shown)
{
    write(kTray, shown ? 1 : 0);
}

} // namespace DesktopSettings
