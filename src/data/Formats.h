#pragma once

#include "data/RegionalFormats.h"
#include "data/Types.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <optional>

// The shared display forms, the readers of typed values and the small shared
// routines of the program. Money and moments follow the regional formats in
// force (Formats::current(), by default "$1,234.50" and "06/29/1973 02:21:00
// PM"), never the machine's locale behind the user's back; each such routine
// also has an overload taking the formats. "AM"/"PM" and the digits stay
// Latin.
namespace modTamberlock {

// --- Date-time values -------------------------------------------------------

// A wall-clock date-time (carried as Qt::UTC, see Clock.h) from its parts.
QDateTime makeDateTime(const QDate &date, const QTime &time = QTime(0, 0));

// Days since 30 December 1899 to a date-time, to the second. Values outside
// 1 January 1601 to 31 December 9999 (and NaN, infinities) are not a value.
std::optional<QDateTime> oleToDateTime(OleDate value);
// The same as a count of whole seconds: the Julian day times 86 400 plus the
// second of the day. The date-time is made only where it is shown.
std::optional<qint64> oleToSeconds(OleDate value);
QDateTime secondsToDateTime(qint64 seconds);
// The reverse, to the second; outside the range above: not a value.
std::optional<OleDate> dateTimeToOle(const QDateTime &dateTime);

// Reads a date-time as a person types it in a US-style locale: the display
// form "06/29/1973 02:21:00 PM", "6/29/1973", "6/29/1973 2:21 PM",
// "06/29/1973 14:21:00", "1973-06-29 14:21", a time alone (on 30 December
// 1899). Anything else, and dates outside 1601..9999, are not a value.
std::optional<QDateTime> parseDateTime(const QString &text);
// Under other formats: the dates in the formats' order with "/", "." or "-"
// ("31.12.2026 17:30", "31/12/2026 5:30 PM"), "1973-06-29 14:21", a time
// alone. A date that does not fit the order is not a value, never a date
// with day and month swapped.
std::optional<QDateTime> parseDateTime(const QString &text, const RegionalFormats &formats);
// The program's own form "MM/DD/YYYY HH:MM:SS AMPM", whatever the formats
// (the pending stop time is written in it).
std::optional<QDateTime> parseProgramDateTime(const QString &text);
// parseDateTime then dateTimeToOle; a text that is no date-time gives 0 (the
// zero date-time), as the editors read their boxes for a save.
OleDate dateTimeTextToOle(const QString &text);

// "MM/DD/YYYY HH:MM:SS AMPM", e.g. "06/29/1973 02:21:00 PM".
QString formatDateTime(const QDateTime &dateTime);
// Under other formats: two-digit day and month and four-digit year in the
// formats' order, the time to the second on the 12- or 24-hour clock:
// "29.06.1973 14:21:00".
QString formatDateTime(const QDateTime &dateTime, const RegionalFormats &formats);
// The same form as a QDateTimeEdit display format: "MM/dd/yyyy hh:mm:ss AP".
QString dateTimeEditFormat(const RegionalFormats &formats);
// A stored value in the display form; a value that is not a date-time gives
// the empty text.
QString formatOleDate(OleDate value);
// The display form of a text that reads as a date-time; any other text
// ("Pending...", the empty text) comes back unchanged.
QString formatDateTimeText(const QString &text);
// The general date form: "7/4/2005 9:15:00 AM", or the date alone ("7/4/2005")
// at exactly midnight.
QString formatGeneralDate(const QDateTime &dateTime);
// Under other formats the same without leading zeros: "4.7.2005 9:15:00".
QString formatGeneralDate(const QDateTime &dateTime, const RegionalFormats &formats);

// A charge's start and stop as whole seconds. A start that is no date-time
// counts as a zero span; a stop that is missing, out of range or one of the
// two "not yet" moments means the charge is still running, its span ending
// now.
struct ChargeTimes {
    std::optional<qint64> start;
    qint64 stop = 0;
    bool running = true;
    qint64 spanTo(qint64 now) const { return start ? (running ? now : stop) - *start : 0; }
};
ChargeTimes chargeTimes(std::optional<OleDate> start, std::optional<OleDate> stop);

// --- Money ------------------------------------------------------------------

// Reads "$1,234.50", "1234.5", "-$5.00", " $60.00", "2." and the like. More
// than four decimals are rounded to four; beyond the 64-bit range: not a value.
std::optional<Currency> parseCurrency(const QString &text);
// Under other formats: what the user sees and types, "1.234,56 €", "1234,56",
// "-1.234,5", "€ 5" under German formats; the symbol or the currency code
// before or after the number, the group separators only where the grouping
// puts them (so "1234.5" under German formats is no amount rather than
// 12345).
std::optional<Currency> parseCurrency(const QString &text, const RegionalFormats &formats);
// "$#,##0.00": "$1,234.50", "-$5.00"; cents rounded half away from zero.
QString formatCurrency(Currency amount);
// Under other formats: "1.234,50 €", "¥1,235", "₹12,34,567.00", rounded half
// away from zero to the currency's decimals; a minus sign leads.
QString formatCurrency(Currency amount, const RegionalFormats &formats);
// The amount its money text reads back as: to the smallest unit shown (the
// cent by default), half of it away from zero; nothing beyond the 64-bit
// range.
std::optional<Currency> roundToCent(Currency amount);
std::optional<Currency> roundToCent(Currency amount, const RegionalFormats &formats);
// An amount as plain decimal text, as a loaded field shows before its box
// cleans it up: "1234.5", "60", "-5.25" (a decimal comma where the formats
// have one).
QString currencyToPlainText(Currency amount);
QString currencyToPlainText(Currency amount, const RegionalFormats &formats);
// The money form of a text that reads as an amount; other texts unchanged.
QString formatCurrencyText(const QString &text);
// The cost of a number of hours given as text (as FormatElapsedTime mode 2
// writes it, at most four decimals) at a rate, exactly; not a value when the
// text is not a number or the product leaves the 64-bit range.
std::optional<Currency> costOfHours(const QString &hoursText, Currency rate);
// The same for a span of whole seconds, as its hours text would read:
// costOfHours(ElapsedSpan::mode2(seconds), rate) without the text.
std::optional<Currency> costOfSeconds(qint64 seconds, Currency rate);
// An amount as the database file holds it. This program writes integers, but
// another tool may have left a REAL or a text there: a value that is no whole
// count within the currency range (a REAL 1e300, "abc", Null) is not a value,
// never a wrapped-around figure.
std::optional<Currency> currencyFromStored(const QVariant &value);
// A date-time as the database file holds it; Null is no value.
std::optional<OleDate> oleFromStored(const QVariant &value);
// Sums and differences of amounts; not a value when the result would leave
// the currency range.
std::optional<Currency> addCurrency(Currency a, Currency b);
std::optional<Currency> subtractCurrency(Currency a, Currency b);

// --- Number masks -----------------------------------------------------------

// Digit masks such as "(000) 000-0000", "#####-####" and "##########". A text
// made of digits alone (blanks around it allowed) fills the digit positions
// from the right: a "0" with no digit left shows "0", a "#" shows nothing,
// digits beyond the leftmost position all go there, other characters are
// written as they stand. Leading zeros are kept: "01234" stays "01234". An
// empty text stays empty; a text that is not digits alone comes back
// unchanged.
QString formatDigitMask(const QString &text, const QString &mask);
// True when the text, blanks around it allowed, is one or more digits.
bool isDigitsOnly(const QString &text);

// --- Numbers ----------------------------------------------------------------

// "0.####": at least one integer digit, at most four decimals, the point
// always present ("2.", "26.0858", "-0.5").
QString formatNumber4(double value);

// --- Shared routines ----------------------------------------------------------

// True when a stop-time text names no stop time yet: the pending stop time
// (in any form that reads as that moment), the empty text, "Pending..." or the
// zero date-time.
bool IsPendingTime(const QString &text);
// The same for a moment in seconds (see oleToSeconds): the pending stop time
// or the zero date-time.
bool isPendingMoment(qint64 seconds);

// The span from start to stop in one of eight forms (modes 0 to 7, any other
// mode gives the empty text). A pending stop is replaced by the current time,
// and the caller sees the replacement. A time that is no date-time counts as a
// zero span; a total that leaves the 32-bit range gives the empty text.
QString FormatElapsedTime(const QString &startText, QString &stopText, int mode);

// The empty text for a Null value, the value itself otherwise.
QVariant NullToEmpty(const QVariant &value);

} // namespace modTamberlock
