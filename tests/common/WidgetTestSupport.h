#pragma once

#include "common/TestSupport.h"

#include <QApplication>

// Closes every editor window still open and lets the deletions happen, so
// the next test starts from fresh windows.
void closeAllEditors();

// A test of windows: a QApplication on the offscreen platform.
#define TAMBERLOCK_TEST_MAIN(Class) TAMBERLOCK_TEST_MAIN_WITH(QApplication, Class)
