#pragma once

#include "desktop/IdleReading.h"

#include <QString>

// What the program asks of the operating system before its first window.
// Everything that differs between systems lives in Platform.cpp.
namespace Platform {

// One line for a person when this session has no display to show a window
// on; empty when there is one (or when the system cannot tell).
QString missingDisplay();

// While one lives, a display that cannot be opened ends the program with one
// line on stderr and exit code 1 instead of Qt's abort.
class DisplayGuard
{
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;
};

// The session's idle time, from the first source that answers: the
// freedesktop screen saver or GNOME's idle monitor on the session bus, else
// the X11 screen-saver extension. Empty when none does; why is then in
// *whyNot.
IdleSource idleSource(QString *whyNot = nullptr);

} // namespace Platform
