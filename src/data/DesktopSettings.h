#pragma once

#include <QtGlobal>

// The desktop companions' settings (application "Kiv", section "Desktop"):
// the away limit, the reminder limit (both in seconds, so a short limit can be
// set by hand) and whether the tray icon is shown. A stored value that is no
// number, or lies outside its range, reads as the default.
namespace DesktopSettings {

inline constexpr qint64 kDefaultAwaySeconds = 15 * 60;
inline constexpr qint64 kDefaultReminderSeconds = 10 * 3600;
// Beyond a day away or a week running the question has lost its point.
inline constexpr qint64 kMaxAwaySeconds = 24 * 3600;
inline constexpr qint64 kMaxReminderSeconds = 7 * 24 * 3600;

qint64 awaySeconds();
qint64 reminderSeconds();
bool trayShown();

void setAwaySeconds(qint64 seconds);
void setReminderSeconds(qint64 seconds);
void setTrayShown(bool shown);

// A stored text read as a limit in seconds from 1 to max; the default for
// anything else.
qint64 limitFromText(const QString &text, qint64 fallback, qint64 max);

} // namespace DesktopSettings
