#pragma once

#include "common/TestSupport.h"

#include <QApplication>

// Closes every editor window still open and lets the deletions happen, so
// the next test starts from fresh windows.
void closeAllEditors();

// A test of windows: a QApplication on the offscreen platform.
#define TAMBERLOCK_TEST_MAIN(Class) TAMBERLOCK_TEST_MAIN_WITH(QApplication, Class)

// --- Dialog, payment and data tests -------------------------------------------

#include <QPointer>
#include <QTest>
#include <QWidget>

// A child widget by its object name.
template <typename T> T *child(QWidget *w, const char *name)
{
    return w->findChild<T *>(QLatin1String(name));
}

// Lets the pending deletions happen and waits until the window is gone.
template <typename T> void waitGone(QPointer<T> &w)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTRY_VERIFY(w.isNull());
}

// Closes the window if it is still open and waits until it is gone.
template <typename T> void closeAndWait(QPointer<T> &w)
{
    if (w)
        w->close();
    waitGone(w);
}
