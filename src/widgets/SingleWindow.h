#pragma once

#include <QPointer>
#include <QWidget>

#include <utility>

// Windows that exist at most once. The one window of a kind is held in a
// QPointer, which empties itself when the window is deleted; asking for the
// window again gives the open one instead of a second.
namespace SingleWindow {

// Held and not on its way out: a window that has closed but still waits for
// its deletion counts as gone, so that the next opening starts afresh.
template <class W> bool isOpen(const QPointer<W> &held)
{
    if (!held)
        return false;
    if constexpr (requires(const W &w) { w.isClosed(); })
        return !held->isClosed();
    else
        return true;
}

// The held window, or a new one from create() when none is open. Shows nothing.
template <class W, class Create> W *ensure(QPointer<W> &held, Create &&create)
{
    if (!isOpen(held))
        held = std::forward<Create>(create)();
    return held;
}

// Shows the window, raises it and gives it the keyboard; a window that knows
// better how to come forward does it itself.
template <class W> W *bringForward(W *window)
{
    if constexpr (requires { window->bringForward(); }) {
        window->bringForward();
    } else {
        window->show();
        window->raise();
        window->activateWindow();
    }
    return window;
}

// The held window brought forward, created first when none is open.
template <class W, class Create> W *show(QPointer<W> &held, Create &&create)
{
    return bringForward(ensure(held, std::forward<Create>(create)));
}

// The holder of a window of which the whole program has one, whichever
// window opens it (an editor opened from the main window and from the
// payments window is still the one editor).
template <class W> QPointer<W> &programWide()
{
    static QPointer<W> held;
    return held;
}

} // namespace SingleWindow
