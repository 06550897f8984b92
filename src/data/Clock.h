#pragma once

#include <QDateTime>

// The one clock of the program. Date-times are wall-clock values without a
// time zone; they are carried in QDateTime with Qt::UTC so that no daylight
// saving rule ever shifts or rejects them.
namespace Clock {

// The current wall-clock date and time (to the millisecond).
QDateTime now();

// Tests pin the clock to a moment and move it by hand.
void setNow(const QDateTime &wallClock);
void advance(qint64 seconds);
// Back to the system clock.
void useSystemClock();
bool isFixed();

} // namespace Clock
