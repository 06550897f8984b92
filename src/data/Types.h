#pragma once

#include <QtGlobal>

// Money: a signed count of ten-thousandths of a dollar. Never a double on its
// way to or from the database.
using Currency = qint64;
inline constexpr Currency kCurrencyScale = 10000;

// A date-time as the database stores it: days since 30 December 1899, the
// time of day as the fraction. Before 1899 the whole part counts days back and
// the fraction still counts forward into that day.
using OleDate = double;

// The stop time of a charge that was started from the menu and not stopped.
inline constexpr const char *kStopTimePending = "06/29/1973 02:21:00 PM";
