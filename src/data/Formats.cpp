#include "data/Formats.h"

#include "data/Clock.h"
#include "data/ElapsedSpan.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace modTamberlock {

namespace {

const QDate kOleEpoch(1899, 12, 30);
const QDate kFirstDate(1601, 1, 1);
const QDate kLastDate(9999, 12, 31);
constexpr qint64 kSecondsPerDay = 86400;

bool inRange(const QDate &date)
{
    return date.isValid() && date >= kFirstDate && date <= kLastDate;
}

inline int asciiDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') ? int(u - u'0') : -1;
}

// Two ASCII digits at text[pos], or -1.
inline int twoDigits(const QChar *text, int pos)
{
    const int a = asciiDigit(text[pos]);
    const int b = asciiDigit(text[pos + 1]);
    return (a < 0 || b < 0) ? -1 : a * 10 + b;
}

// 12-hour clock to 24: 12 AM is midnight, 12 PM noon.
inline int hourFrom12(int hour, bool pm)
{
    return (hour % 12) + (pm ? 12 : 0);
}

std::optional<QDateTime> buildDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 1601 || year > 9999 || !QDate::isValid(year, month, day))
        return std::nullopt;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    return makeDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

// The display form exactly as this program writes it, read by position: the
// real-time watch reads every stop time of the lists once a second.
std::optional<QDateTime> parseDisplayForm(const QString &text)
{
    if (text.size() != 22)
        return std::nullopt;
    const QChar *c = text.constData();
    if (c[2] != u'/' || c[5] != u'/' || c[10] != u' ' || c[13] != u':' || c[16] != u':' || c[19] != u' ')
        return std::nullopt;
    const char16_t ap = c[20].unicode() | 0x20;
    const char16_t m = c[21].unicode() | 0x20;
    if ((ap != u'a' && ap != u'p') || m != u'm')
        return std::nullopt;
    const int month = twoDigits(c, 0);
    const int day = twoDigits(c, 3);
    const int yearHigh = twoDigits(c, 6);
    const int yearLow = twoDigits(c, 8);
    const int hour = twoDigits(c, 11);
    const int minute = twoDigits(c, 14);
    const int second = twoDigits(c, 17);
    if (month < 0 || day < 0 || yearHigh < 0 || yearLow < 0 || minute < 0 || second < 0)
        return std::nullopt;
    if (hour < 1 || hour > 12)
        return std::nullopt;
    return buildDateTime(yearHigh * 100 + yearLow, month, day, hourFrom12(hour, ap == u'p'), minute, second);
}

// Reads the time part. An hour alone needs "AM"/"PM", so a bare number is
// never taken for a time.
bool parseTimePart(const QString &text, int *hour, int *minute, int *second)
{
    static const QRegularExpression re(
        QStringLiteral("^([0-9]{1,2})(?::([0-9]{1,2})(?::([0-9]{1,2}))?)?\\s*(?:([AP])M)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = re.match(text);
    if (!match.hasMatch())
        return false;
    const bool hasMinutes = match.capturedLength(2) > 0;
    const bool hasMark = match.capturedLength(4) > 0;
    if (!hasMinutes && !hasMark)
        return false;
    int h = match.capturedView(1).toInt();
    const int m = hasMinutes ? match.capturedView(2).toInt() : 0;
    const int s = match.capturedLength(3) > 0 ? match.capturedView(3).toInt() : 0;
    if (hasMark) {
        if (h < 1 || h > 12)
            return false;
        h = hourFrom12(h, match.capturedView(4).compare(u"p", Qt::CaseInsensitive) == 0);
    } else if (h > 23) {
        return false;
    }
    if (m > 59 || s > 59)
        return false;
    *hour = h;
    *minute = m;
    *second = s;
    return true;
}

std::optional<QDateTime> parseGeneralForms(const QString &raw)
{
    const QString text = raw.trimmed();
    if (text.isEmpty())
        return std::nullopt;

    static const QRegularExpression usDate(
        QStringLiteral("^([0-9]{1,2})/([0-9]{1,2})/([0-9]{4}|[0-9]{2})(?:\\s+(\\S.*))?$"));
    static const QRegularExpression isoDate(
        QStringLiteral("^([0-9]{4})-([0-9]{1,2})-([0-9]{1,2})(?:(?:\\s+|T)(\\S.*))?$"));

    int year = 1899, month = 12, day = 30;
    QString timeText;
    bool dateFound = false;
    QRegularExpressionMatch match = usDate.match(text);
    if (match.hasMatch()) {
        month = match.capturedView(1).toInt();
        day = match.capturedView(2).toInt();
        year = match.capturedView(3).toInt();
        if (match.capturedLength(3) == 2)
            year += year < 30 ? 2000 : 1900;
        timeText = match.captured(4);
        dateFound = true;
    } else {
        match = isoDate.match(text);
        if (match.hasMatch()) {
            year = match.capturedView(1).toInt();
            month = match.capturedView(2).toInt();
            day = match.capturedView(3).toInt();
            timeText = match.captured(4);
            dateFound = true;
        }
    }

    int hour = 0, minute = 0, second = 0;
    if (dateFound) {
        if (!timeText.isEmpty() && !parseTimePart(timeText, &hour, &minute, &second))
            return std::nullopt;
    } else if (!parseTimePart(text, &hour, &minute, &second)) {
        return std::nullopt;
    }
    return buildDateTime(year, month, day, hour, minute, second);
}

void appendTwo(QChar *&out, int value)
{
    *out++ = QChar(u'0' + value / 10);
    *out++ = QChar(u'0' + value % 10);
}

// "00": at least two digits, a minus sign before them when negative.
QString pad2(qint64 value)
{
    if (value < 0)
        return QLatin1Char('-') + pad2(-value);
    return value < 10 ? QLatin1Char('0') + QString::number(value) : QString::number(value);
}

// The end of a decimal number whose whole part has been read up to pos: the
// decimals after the point, rounded half away from zero at the fifth, and
// then nothing more. The magnitude in ten-thousandths.
std::optional<quint64> scaledWithFraction(QStringView text, qsizetype pos, QChar point, quint64 whole,
                                          bool anyDigit)
{
    const qsizetype n = text.size();
    quint64 fraction = 0;
    int decimals = 0;
    bool roundUp = false;
    if (pos < n && text[pos] == point) {
        for (++pos; pos < n; ++pos) {
            const int d = asciiDigit(text[pos]);
            if (d < 0)
                break;
            anyDigit = true;
            if (decimals < 4) {
                fraction = fraction * 10 + quint64(d);
                ++decimals;
            } else if (decimals == 4) {
                roundUp = d >= 5;
                ++decimals;
            }
        }
    }
    if (pos != n || !anyDigit)
        return std::nullopt;
    for (int i = std::min(decimals, 4); i < 4; ++i)
        fraction *= 10;
    return whole * quint64(kCurrencyScale) + fraction + (roundUp ? 1 : 0);
}

// The magnitude of a decimal number in ten-thousandths, rounded half away
// from zero at the fifth decimal. Commas may stand between integer digits
// when allowed. Not a value when no digit is present, anything else follows,
// or the number is beyond any 64-bit amount.
std::optional<quint64> parseScaledMagnitude(QStringView text, bool allowCommas)
{
    // Past this the scaled value no longer fits; no 64-bit amount comes near.
    constexpr quint64 kMaxWhole = (std::numeric_limits<quint64>::max() - kCurrencyScale) / kCurrencyScale;
    quint64 whole = 0;
    qsizetype pos = 0;
    const qsizetype n = text.size();
    bool anyDigit = false;
    for (; pos < n; ++pos) {
        const QChar c = text[pos];
        const int d = asciiDigit(c);
        if (d >= 0) {
            if (whole > (kMaxWhole - quint64(d)) / 10)
                return std::nullopt;
            whole = whole * 10 + quint64(d);
            anyDigit = true;
        } else if (c == u',' && allowCommas) {
            if (pos == 0 || asciiDigit(text[pos - 1]) < 0 || pos + 1 >= n || asciiDigit(text[pos + 1]) < 0)
                return std::nullopt;
        } else {
            break;
        }
    }
    return scaledWithFraction(text, pos, u'.', whole, anyDigit);
}

std::optional<qint64> toSigned64(quint64 magnitude, bool negative)
{
    constexpr quint64 kMaxPositive = quint64(std::numeric_limits<qint64>::max());
    if (negative) {
        if (magnitude > kMaxPositive + 1)
            return std::nullopt;
        // Two's complement: the negation of the magnitude, also for -2^63.
        return qint64(quint64(0) - magnitude);
    }
    if (magnitude > kMaxPositive)
        return std::nullopt;
    return qint64(magnitude);
}

// a * b / divisor for 64-bit magnitudes, rounded half up, through four
// 32-bit limbs so that no compiler needs a 128-bit type. Not a value when the
// result does not fit 64 bits.
std::optional<quint64> mulDivRounded(quint64 a, quint64 b, quint32 divisor)
{
    constexpr quint64 kLow = 0xffffffffu;
    const quint64 a0 = a & kLow, a1 = a >> 32, b0 = b & kLow, b1 = b >> 32;
    const quint64 p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const quint64 mid = (p00 >> 32) + (p01 & kLow) + (p10 & kLow);
    const quint64 lo = (p00 & kLow) | (mid << 32);
    const quint64 hi = p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32);
    const quint64 limbs[4] = {hi >> 32, hi & kLow, lo >> 32, lo & kLow};
    quint64 quotient[4] = {};
    quint64 remainder = 0;
    for (int i = 0; i < 4; ++i) {
        const quint64 current = (remainder << 32) | limbs[i];
        quotient[i] = current / divisor;
        remainder = current % divisor;
    }
    if (quotient[0] != 0 || quotient[1] != 0)
        return std::nullopt;
    quint64 result = (quotient[2] << 32) | quotient[3];
    if (remainder * 2 >= divisor) {
        if (result == std::numeric_limits<quint64>::max())
            return std::nullopt;
        ++result;
    }
    return result;
}

quint64 magnitudeOf(qint64 value)
{
    return value < 0 ? quint64(0) - quint64(value) : quint64(value);
}

QString groupedDigits(quint64 value)
{
    QString digits = QString::number(value);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return digits;
}

// The elapsed-time totals are 32-bit sums: a step that leaves the range
// spoils the result.
bool fits32(qint64 value)
{
    return value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max();
}

std::optional<qint64> totalHours(qint64 d, qint64 h)
{
    const qint64 days = d * 24;
    if (!fits32(days) || !fits32(days + h))
        return std::nullopt;
    return days + h;
}

std::optional<qint64> totalMinutes(qint64 d, qint64 h, qint64 m)
{
    const auto hours = totalHours(d, h);
    if (!hours || !fits32(*hours * 60) || !fits32(*hours * 60 + m))
        return std::nullopt;
    return *hours * 60 + m;
}

std::optional<qint64> totalSeconds(qint64 d, qint64 h, qint64 m, qint64 s)
{
    const auto minutes = totalMinutes(d, h, m);
    if (!minutes || !fits32(*minutes * 60) || !fits32(*minutes * 60 + s))
        return std::nullopt;
    return *minutes * 60 + s;
}

QString unitPiece(qint64 count, const char *unit, const char *pluralTail, const char *singularTail)
{
    return QString::number(count) + QLatin1String(unit) +
           QLatin1String(count != 1 ? pluralTail : singularTail);
}

// --- Under other regional formats ---------------------------------------------

// The formats in force are known to be the default without comparing them:
// the lists format thousands of cells a second.
bool isDefaultFormats(const RegionalFormats &formats)
{
    return &formats == &Formats::current() ? Formats::currentIsDefault() : formats.isDefault();
}

// The text with every decimal digit (Arabic-Indic, Devanagari, full-width...)
// as its Latin one, the full-width yen sign as the yen sign, and the blanks
// around it taken off.
QString normalised(const QString &text)
{
    QString out = text.trimmed();
    for (QChar &c : out) {
        if (c.category() == QChar::Number_DecimalDigit && c.unicode() > 0x7f)
            c = QChar(u'0' + c.digitValue());
        else if (c == QChar(0xffe5))
            c = QChar(0x00a5);
    }
    return out;
}

bool isBlank(QChar c)
{
    return c.isSpace() || c == QChar(0x200f) || c == QChar(0x200e) || c == QChar(0x061c);
}

QStringView trimBlanks(QStringView view)
{
    while (!view.isEmpty() && isBlank(view.front()))
        view = view.mid(1);
    while (!view.isEmpty() && isBlank(view.back()))
        view.chop(1);
    return view;
}

bool sameGroupSeparator(QChar typed, const QString &group)
{
    if (group.isEmpty())
        return false;
    const QChar g = group.front();
    // Any blank stands for a blank separator: people type a plain space for
    // the no-break ones.
    if (g.isSpace())
        return typed.isSpace();
    if (g == u'\'' || g == QChar(0x2019))
        return typed == u'\'' || typed == QChar(0x2019);
    return typed == g;
}

QString groupedDigits(quint64 value, const RegionalFormats &formats)
{
    QString digits = QString::number(value);
    if (formats.groupSeparator.isEmpty())
        return digits;
    qsizetype i = digits.size() - 3;
    while (i > 0) {
        digits.insert(i, formats.groupSeparator);
        i -= formats.indianGrouping ? 2 : 3;
    }
    return digits;
}

quint64 powerOfTen(int n)
{
    quint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// The number part of an amount under formats: the whole digits with group
// separators only where the grouping puts them, then the decimal separator
// and at most four decimals kept (the fifth rounds). In ten-thousandths.
std::optional<quint64> parseGroupedMagnitude(QStringView text, const RegionalFormats &formats)
{
    constexpr quint64 kMaxWhole = (std::numeric_limits<quint64>::max() - kCurrencyScale) / kCurrencyScale;
    const QChar point = formats.decimalSeparator.front();
    QList<int> groups{0};
    quint64 whole = 0;
    qsizetype pos = 0;
    const qsizetype n = text.size();
    bool anyDigit = false;
    for (; pos < n; ++pos) {
        const QChar c = text[pos];
        const int d = asciiDigit(c);
        if (d >= 0) {
            if (whole > (kMaxWhole - quint64(d)) / 10)
                return std::nullopt;
            whole = whole * 10 + quint64(d);
            ++groups.back();
            anyDigit = true;
        } else if (c != point && sameGroupSeparator(c, formats.groupSeparator)) {
            if (groups.back() == 0)
                return std::nullopt;
            groups.append(0);
        } else {
            break;
        }
    }
    if (groups.size() > 1) {
        // 1,234,567 always; 12,34,567 also where the grouping is Indian.
        const int first = groups.front();
        bool western = first <= 3 && groups.back() == 3;
        bool indian = formats.indianGrouping && first <= 2 && groups.back() == 3;
        for (qsizetype i = 1; i + 1 < groups.size(); ++i) {
            western = western && groups[i] == 3;
            indian = indian && groups[i] == 2;
        }
        if (!western && !indian)
            return std::nullopt;
    }
    return scaledWithFraction(text, pos, point, whole, anyDigit);
}

// Takes the currency symbol or code off one end of the text.
bool takeCurrencyMark(QStringView &view, const RegionalFormats &formats, bool front)
{
    // Direction marks around a symbol are not typed; the text lost its own.
    const QString symbol = trimBlanks(normalised(formats.symbol)).toString();
    for (const QString &mark : {symbol, formats.currencyCode}) {
        if (mark.isEmpty())
            continue;
        const Qt::CaseSensitivity cs = mark == formats.currencyCode ? Qt::CaseInsensitive : Qt::CaseSensitive;
        if (front ? view.startsWith(mark, cs) : view.endsWith(mark, cs)) {
            view = front ? view.mid(mark.size()) : view.left(view.size() - mark.size());
            view = trimBlanks(view);
            return true;
        }
    }
    return false;
}

std::optional<Currency> parseCurrencyUnder(const QString &text, const RegionalFormats &formats)
{
    const QString clean = normalised(text);
    QStringView view = trimBlanks(clean);
    bool negative = false;
    bool bracketed = false;
    if (view.size() >= 2 && view.front() == u'(' && view.back() == u')') {
        bracketed = true;
        negative = true;
        view = trimBlanks(view.mid(1, view.size() - 2));
    }
    bool signSeen = false;
    auto takeSign = [&] {
        if (!signSeen && !view.isEmpty() &&
            (view.front() == u'-' || view.front() == u'+' || view.front() == QChar(0x2212))) {
            if (bracketed)
                return false;
            negative = view.front() != u'+';
            signSeen = true;
            view = trimBlanks(view.mid(1));
        }
        return true;
    };
    if (!takeSign())
        return std::nullopt;
    const bool markFront = takeCurrencyMark(view, formats, true);
    if (!takeSign())
        return std::nullopt;
    if (!markFront)
        takeCurrencyMark(view, formats, false);
    const auto magnitude = parseGroupedMagnitude(view, formats);
    if (!magnitude)
        return std::nullopt;
    return toSigned64(*magnitude, negative);
}

// The magnitude rounded half away from zero to the shown decimals, in
// ten-thousandths.
quint64 roundedMagnitude(quint64 magnitude, int decimals)
{
    const quint64 unit = powerOfTen(4 - decimals);
    const quint64 units = magnitude / unit + (magnitude % unit >= (unit + 1) / 2 && unit > 1 ? 1 : 0);
    return units;
}

QString formatCurrencyUnder(Currency amount, const RegionalFormats &formats)
{
    const quint64 units = roundedMagnitude(magnitudeOf(amount), formats.decimals);
    const quint64 scale = powerOfTen(formats.decimals);
    QString number = groupedDigits(units / scale, formats);
    if (formats.decimals > 0)
        number += formats.decimalSeparator +
                  QString::number(units % scale).rightJustified(formats.decimals, QLatin1Char('0'));
    const QString gap = formats.symbolSpaced ? QString(QChar(0x00a0)) : QString();
    QString result = amount < 0 && units != 0 ? QStringLiteral("-") : QString();
    result += formats.symbolBefore ? formats.symbol + gap + number : number + gap + formats.symbol;
    return result;
}

// The date in the formats' order: padded ("29.06.1973") or not ("29.6.1973").
QString dateUnder(const QDate &date, const RegionalFormats &formats, bool padded)
{
    const int width = padded ? 2 : 0;
    const QString day = QString::number(date.day()).rightJustified(width, QLatin1Char('0'));
    const QString month = QString::number(date.month()).rightJustified(width, QLatin1Char('0'));
    const QString year = QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
    const QChar sep = formats.dateSeparator;
    switch (formats.dateOrder) {
    case RegionalFormats::DateOrder::DayMonthYear: return day + sep + month + sep + year;
    case RegionalFormats::DateOrder::YearMonthDay: return year + sep + month + sep + day;
    case RegionalFormats::DateOrder::MonthDayYear: break;
    }
    return month + sep + day + sep + year;
}

QString timeUnder(const QTime &time, const RegionalFormats &formats, bool padded)
{
    const int hour = formats.hour12 ? (time.hour() % 12 == 0 ? 12 : time.hour() % 12) : time.hour();
    QString result =
        QString::number(hour).rightJustified(padded || !formats.hour12 ? 2 : 0, QLatin1Char('0')) +
        QLatin1Char(':') + pad2(time.minute()) + QLatin1Char(':') + pad2(time.second());
    if (formats.hour12)
        result += time.hour() < 12 ? QLatin1String(" AM") : QLatin1String(" PM");
    return result;
}

std::optional<QDateTime> parseDateTimeUnder(const QString &raw, const RegionalFormats &formats)
{
    const QString text = normalised(raw);
    if (text.isEmpty())
        return std::nullopt;
    static const QRegularExpression isoDate(
        QStringLiteral("^([0-9]{4})-([0-9]{1,2})-([0-9]{1,2})(?:(?:\\s+|T)(\\S.*))?$"));
    // Three numbers parted twice by the same one of "/", "." or "-"; a
    // comma may follow the date.
    static const QRegularExpression localDate(
        QStringLiteral("^([0-9]{1,4})([/.\\-])([0-9]{1,2})\\2([0-9]{1,4})\\.?,?(?:\\s+(\\S.*))?$"));
    int year = 1899, month = 12, day = 30;
    QString timeText;
    bool dateFound = false;
    QRegularExpressionMatch match = isoDate.match(text);
    if (match.hasMatch()) {
        year = match.capturedView(1).toInt();
        month = match.capturedView(2).toInt();
        day = match.capturedView(3).toInt();
        timeText = match.captured(4);
        dateFound = true;
    } else if ((match = localDate.match(text)).hasMatch()) {
        const QStringView a = match.capturedView(1), b = match.capturedView(3), c = match.capturedView(4);
        QStringView yearText;
        switch (formats.dateOrder) {
        case RegionalFormats::DateOrder::DayMonthYear:
            day = a.toInt(), month = b.toInt(), yearText = c;
            if (a.size() > 2)
                return std::nullopt;
            break;
        case RegionalFormats::DateOrder::MonthDayYear:
            month = a.toInt(), day = b.toInt(), yearText = c;
            if (a.size() > 2)
                return std::nullopt;
            break;
        case RegionalFormats::DateOrder::YearMonthDay:
            yearText = a, month = b.toInt(), day = c.toInt();
            if (c.size() > 2)
                return std::nullopt;
            break;
        }
        if (yearText.size() != 4 && yearText.size() != 2)
            return std::nullopt;
        year = yearText.toInt();
        if (yearText.size() == 2)
            year += year < 30 ? 2000 : 1900;
        timeText = match.captured(5);
        dateFound = true;
    }
    int hour = 0, minute = 0, second = 0;
    if (dateFound) {
        if (!timeText.isEmpty() && !parseTimePart(timeText, &hour, &minute, &second))
            return std::nullopt;
    } else if (!parseTimePart(text, &hour, &minute, &second)) {
        return std::nullopt;
    }
    return buildDateTime(year, month, day, hour, minute, second);
}
} // namespace

// --- Date-time values -------------------------------------------------------

QDateTime makeDateTime(const QDate &date, const QTime &time)
{
    return QDateTime(date, time, Qt::UTC);
}

std::optional<qint64> oleToSeconds(OleDate value)
{
    // Checked before any conversion so huge values cannot overflow the integer
    // day count; the exact range is checked on the day below.
    if (!std::isfinite(value) || std::fabs(value) > 1.0e7)
        return std::nullopt;
    const double whole = std::trunc(value);
    const double fraction = std::fabs(value - whole);
    qint64 days = qint64(whole);
    qint64 seconds = std::llround(fraction * double(kSecondsPerDay));
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        ++days;
    }
    static const qint64 epoch = kOleEpoch.toJulianDay();
    static const qint64 first = kFirstDate.toJulianDay();
    static const qint64 last = kLastDate.toJulianDay();
    const qint64 day = epoch + days;
    if (day < first || day > last)
        return std::nullopt;
    return day * kSecondsPerDay + seconds;
}

QDateTime secondsToDateTime(qint64 seconds)
{
    return makeDateTime(QDate::fromJulianDay(seconds / kSecondsPerDay),
                        QTime::fromMSecsSinceStartOfDay(int(seconds % kSecondsPerDay * 1000)));
}

std::optional<QDateTime> oleToDateTime(OleDate value)
{
    const std::optional<qint64> seconds = oleToSeconds(value);
    return seconds ? std::optional<QDateTime>(secondsToDateTime(*seconds)) : std::nullopt;
}

std::optional<OleDate> dateTimeToOle(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return std::nullopt;
    const QDate date = dateTime.date();
    if (!inRange(date))
        return std::nullopt;
    const qint64 days = kOleEpoch.daysTo(date);
    // Milliseconds are dropped, as the display form drops them.
    const qint64 seconds = dateTime.time().msecsSinceStartOfDay() / 1000;
    const double fraction = double(seconds) / double(kSecondsPerDay);
    return days < 0 ? double(days) - fraction : double(days) + fraction;
}

std::optional<QDateTime> parseDateTime(const QString &text)
{
    if (Formats::currentIsDefault()) {
        if (auto fast = parseDisplayForm(text))
            return fast;
        return parseGeneralForms(text);
    }
    return parseDateTimeUnder(text, Formats::current());
}

std::optional<QDateTime> parseDateTime(const QString &text, const RegionalFormats &formats)
{
    if (isDefaultFormats(formats)) {
        if (auto fast = parseDisplayForm(text))
            return fast;
        return parseGeneralForms(text);
    }
    return parseDateTimeUnder(text, formats);
}

std::optional<QDateTime> parseProgramDateTime(const QString &text)
{
    return parseDisplayForm(text);
}

OleDate dateTimeTextToOle(const QString &text)
{
    const auto dateTime = parseDateTime(text);
    if (!dateTime)
        return 0.0;
    return dateTimeToOle(*dateTime).value_or(0.0);
}

QString formatDateTime(const QDateTime &dateTime)
{
    return formatDateTime(dateTime, Formats::current());
}

QString dateTimeEditFormat(const RegionalFormats &formats)
{
    QString date;
    switch (formats.dateOrder) {
    case RegionalFormats::DateOrder::MonthDayYear: date = QStringLiteral("MM/dd/yyyy"); break;
    case RegionalFormats::DateOrder::DayMonthYear: date = QStringLiteral("dd/MM/yyyy"); break;
    case RegionalFormats::DateOrder::YearMonthDay: date = QStringLiteral("yyyy/MM/dd"); break;
    }
    date.replace(u'/', formats.dateSeparator);
    return date + (formats.hour12 ? QStringLiteral(" hh:mm:ss AP") : QStringLiteral(" HH:mm:ss"));
}

QString formatDateTime(const QDateTime &dateTime, const RegionalFormats &formats)
{
    if (!dateTime.isValid())
        return QString();
    if (!isDefaultFormats(formats)) {
        const int year = dateTime.date().year();
        if (year < 0 || year > 9999)
            return QString();
        return dateUnder(dateTime.date(), formats, true) + QLatin1Char(' ') +
               timeUnder(dateTime.time(), formats, true);
    }
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    const int year = date.year();
    if (year < 0 || year > 9999)
        return QString();
    QString result(22, Qt::Uninitialized);
    QChar *out = result.data();
    appendTwo(out, date.month());
    *out++ = u'/';
    appendTwo(out, date.day());
    *out++ = u'/';
    appendTwo(out, year / 100);
    appendTwo(out, year % 100);
    *out++ = u' ';
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    appendTwo(out, hour12);
    *out++ = u':';
    appendTwo(out, time.minute());
    *out++ = u':';
    appendTwo(out, time.second());
    *out++ = u' ';
    *out++ = time.hour() < 12 ? u'A' : u'P';
    *out++ = u'M';
    return result;
}

ChargeTimes chargeTimes(std::optional<OleDate> start, std::optional<OleDate> stop)
{
    ChargeTimes t;
    t.start = start ? oleToSeconds(*start) : std::nullopt;
    const std::optional<qint64> end = stop ? oleToSeconds(*stop) : std::nullopt;
    t.running = !end || isPendingMoment(*end);
    t.stop = end.value_or(0);
    return t;
}

QString formatOleDate(OleDate value)
{
    const auto dateTime = oleToDateTime(value);
    return dateTime ? formatDateTime(*dateTime) : QString();
}

QString formatDateTimeText(const QString &text)
{
    const auto dateTime = parseDateTime(text);
    return dateTime ? formatDateTime(*dateTime) : text;
}

QString formatGeneralDate(const QDateTime &dateTime)
{
    return formatGeneralDate(dateTime, Formats::current());
}

QString formatGeneralDate(const QDateTime &dateTime, const RegionalFormats &formats)
{
    if (!dateTime.isValid())
        return QString();
    if (!isDefaultFormats(formats)) {
        const QTime time = dateTime.time();
        QString result = dateUnder(dateTime.date(), formats, false);
        if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
            return result;
        return result + QLatin1Char(' ') + timeUnder(time, formats, false);
    }
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    QString result = QStringLiteral("%1/%2/%3")
                         .arg(date.month())
                         .arg(date.day())
                         .arg(date.year(), 4, 10, QLatin1Char('0'));
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return result;
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    result += QStringLiteral(" %1:%2:%3 %4")
                  .arg(hour12)
                  .arg(time.minute(), 2, 10, QLatin1Char('0'))
                  .arg(time.second(), 2, 10, QLatin1Char('0'))
                  .arg(time.hour() < 12 ? QLatin1String("AM") : QLatin1String("PM"));
    return result;
}

// --- Money ------------------------------------------------------------------

std::optional<Currency> parseCurrency(const QString &text)
{
    return parseCurrency(text, Formats::current());
}

std::optional<Currency> parseCurrency(const QString &text, const RegionalFormats &formats)
{
    if (!isDefaultFormats(formats))
        return parseCurrencyUnder(text, formats);
    QStringView view = QStringView(text).trimmed();
    bool negative = false;
    bool bracketed = false;
    if (view.size() >= 2 && view.front() == u'(' && view.back() == u')') {
        bracketed = true;
        negative = true;
        view = view.mid(1, view.size() - 2);
    }
    bool signSeen = false;
    auto takeSign = [&] {
        if (!signSeen && !view.isEmpty() && (view.front() == u'-' || view.front() == u'+')) {
            if (bracketed)
                return false;
            negative = view.front() == u'-';
            signSeen = true;
            view = view.mid(1);
        }
        return true;
    };
    if (!takeSign())
        return std::nullopt;
    if (!view.isEmpty() && view.front() == u'$')
        view = view.mid(1);
    if (!takeSign())
        return std::nullopt;
    const auto magnitude = parseScaledMagnitude(view, true);
    if (!magnitude)
        return std::nullopt;
    return toSigned64(*magnitude, negative);
}

QString formatCurrency(Currency amount)
{
    return formatCurrency(amount, Formats::current());
}

QString formatCurrency(Currency amount, const RegionalFormats &formats)
{
    if (!isDefaultFormats(formats))
        return formatCurrencyUnder(amount, formats);
    const quint64 magnitude = magnitudeOf(amount);
    const quint64 cents = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);
    const quint64 dollars = cents / 100;
    const int rest = int(cents % 100);
    QString result;
    // An amount that rounds to nothing shows no minus sign.
    if (amount < 0 && cents != 0)
        result += QLatin1Char('-');
    result += QLatin1Char('$') + groupedDigits(dollars) + QLatin1Char('.') + pad2(rest);
    return result;
}

QString currencyToPlainText(Currency amount)
{
    return currencyToPlainText(amount, Formats::current());
}

QString currencyToPlainText(Currency amount, const RegionalFormats &formats)
{
    const quint64 magnitude = magnitudeOf(amount);
    QString result = amount < 0 ? QStringLiteral("-") : QString();
    result += QString::number(magnitude / quint64(kCurrencyScale));
    quint64 fraction = magnitude % quint64(kCurrencyScale);
    if (fraction != 0) {
        QString decimals = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        result += formats.decimalSeparator + decimals;
    }
    return result;
}

QString formatCurrencyText(const QString &text)
{
    const auto amount = parseCurrency(text);
    return amount ? formatCurrency(*amount) : text;
}

namespace {

// Hours in ten-thousandths times a rate, rounded half away from zero as the
// magnitudes are.
std::optional<Currency> costOfScaledHours(qint64 hours, Currency rate)
{
    const auto cost = mulDivRounded(magnitudeOf(hours), magnitudeOf(rate), quint32(kCurrencyScale));
    if (!cost)
        return std::nullopt;
    return toSigned64(*cost, (hours < 0) != (rate < 0) && *cost != 0);
}

} // namespace

std::optional<Currency> costOfHours(const QString &hoursText, Currency rate)
{
    QStringView view = QStringView(hoursText).trimmed();
    bool negative = false;
    if (!view.isEmpty() && (view.front() == u'-' || view.front() == u'+')) {
        negative = view.front() == u'-';
        view = view.mid(1);
    }
    const auto magnitude = parseScaledMagnitude(view, false);
    if (!magnitude)
        return std::nullopt;
    const auto hours = toSigned64(*magnitude, negative);
    if (!hours)
        return std::nullopt;
    return costOfScaledHours(*hours, rate);
}

std::optional<Currency> roundToCent(Currency amount)
{
    return roundToCent(amount, Formats::current());
}

std::optional<Currency> roundToCent(Currency amount, const RegionalFormats &formats)
{
    const quint64 unit = powerOfTen(4 - formats.decimals);
    const quint64 units = roundedMagnitude(magnitudeOf(amount), formats.decimals);
    // The rounded figure may pass the 64-bit range only by less than a unit.
    if (units > std::numeric_limits<quint64>::max() / unit)
        return std::nullopt;
    return toSigned64(units * unit, amount < 0);
}

std::optional<Currency> costOfSeconds(qint64 seconds, Currency rate)
{
    // The hours as the four-decimal text of the span reads them: seconds *
    // 25 / 9 ten-thousandths, rounded (a ninth never lands on a half).
    const quint64 magnitude = magnitudeOf(seconds);
    if (magnitude > quint64(std::numeric_limits<qint64>::max()) / 50)
        return std::nullopt;
    const qint64 hours = qint64((magnitude * 50 + 9) / 18);
    return costOfScaledHours(seconds < 0 ? -hours : hours, rate);
}

std::optional<OleDate> oleFromStored(const QVariant &value)
{
    return value.isNull() ? std::nullopt : std::optional<OleDate>(value.toDouble());
}

std::optional<Currency> currencyFromStored(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::Short: return value.toLongLong();
    case QMetaType::ULongLong:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::UShort: {
        const qulonglong u = value.toULongLong();
        if (u > qulonglong(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return qint64(u);
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        // 2^63 is exact as a double; every double below it converts safely.
        constexpr double kLimit = 9223372036854775808.0;
        const double d = value.toDouble();
        if (!std::isfinite(d) || d < -kLimit || d >= kLimit)
            return std::nullopt;
        const double rounded = std::round(d);
        if (rounded >= kLimit)
            return std::nullopt;
        return qint64(rounded);
    }
    case QMetaType::QString: {
        bool ok = false;
        const qint64 n = value.toString().trimmed().toLongLong(&ok);
        return ok ? std::optional<Currency>(n) : std::nullopt;
    }
    default: return std::nullopt;
    }
}

std::optional<Currency> addCurrency(Currency a, Currency b)
{
    constexpr Currency kMax = std::numeric_limits<Currency>::max();
    constexpr Currency kMin = std::numeric_limits<Currency>::min();
    if ((b > 0 && a > kMax - b) || (b < 0 && a < kMin - b))
        return std::nullopt;
    return a + b;
}

std::optional<Currency> subtractCurrency(Currency a, Currency b)
{
    constexpr Currency kMax = std::numeric_limits<Currency>::max();
    constexpr Currency kMin = std::numeric_limits<Currency>::min();
    if ((b < 0 && a > kMax + b) || (b > 0 && a < kMin + b))
        return std::nullopt;
    return a - b;
}

// --- Number masks -----------------------------------------------------------

bool isDigitsOnly(const QString &text)
{
    const QStringView view = QStringView(text).trimmed();
    if (view.isEmpty())
        return false;
    for (const QChar c : view) {
        if (asciiDigit(c) < 0)
            return false;
    }
    return true;
}

QString formatDigitMask(const QString &text, const QString &mask)
{
    if (!isDigitsOnly(text))
        return text;
    const QStringView digits = QStringView(text).trimmed();

    qsizetype leftmost = -1;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        if (mask[i] == u'0' || mask[i] == u'#') {
            leftmost = i;
            break;
        }
    }
    if (leftmost < 0)
        return mask;

    // Built from the right, then turned round.
    QString reversed;
    reversed.reserve(mask.size() + digits.size());
    qsizetype remaining = digits.size();
    for (qsizetype i = mask.size() - 1; i >= 0; --i) {
        const QChar m = mask[i];
        if (m != u'0' && m != u'#') {
            reversed += m;
            continue;
        }
        if (remaining == 0) {
            if (m == u'0')
                reversed += u'0';
            continue;
        }
        const qsizetype take = (i == leftmost) ? remaining : 1;
        for (qsizetype k = 0; k < take; ++k)
            reversed += digits[--remaining];
    }
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}

// --- Numbers ----------------------------------------------------------------

QString formatNumber4(double value)
{
    if (!std::isfinite(value))
        return QString();
    QString text = QString::number(value, 'f', 4);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text == QLatin1String("-."))
        return QStringLiteral("0.");
    if (text.startsWith(QLatin1String("-.")))
        text.insert(1, QLatin1Char('0'));
    if (text == QLatin1String("-0."))
        return QStringLiteral("0.");
    return text;
}

// --- Shared routines ----------------------------------------------------------

bool IsPendingTime(const QString &text)
{
    static const QString pending = QString::fromLatin1(kStopTimePending);
    static const QString pendingLabel = QStringLiteral("Pending...");
    static const QString zeroDate = QStringLiteral("12/30/1899 12:00:00 AM");
    if (text == pending || text.isEmpty() || text == pendingLabel || text == zeroDate)
        return true;
    // Any other spelling of the two moments reads as the same date-time.
    const auto dateTime = parseDateTime(text);
    if (!dateTime)
        return false;
    return isPendingMoment(ElapsedSpan::secondsOf(*dateTime));
}

bool isPendingMoment(qint64 seconds)
{
    static const qint64 pending = QDate(1973, 6, 29).toJulianDay() * kSecondsPerDay + (14 * 60 + 21) * 60;
    static const qint64 zero = kOleEpoch.toJulianDay() * kSecondsPerDay;
    return seconds == pending || seconds == zero;
}

QString FormatElapsedTime(const QString &startText, QString &stopText, int mode)
{
    if (IsPendingTime(stopText))
        stopText = formatDateTime(Clock::now());

    qint64 d = 0, h = 0, m = 0, s = 0;
    const auto start = parseDateTime(startText);
    const auto stop = parseDateTime(stopText);
    if (start && stop) {
        d = start->date().daysTo(stop->date());
        h = stop->time().hour() - start->time().hour();
        m = stop->time().minute() - start->time().minute();
        s = stop->time().second() - start->time().second();
    }
    if (s < 0) {
        m -= 1;
        s += 60;
    }
    if (m < 0) {
        h -= 1;
        m += 60;
    }
    if (h < 0) {
        d -= 1;
        h += 24;
    }

    switch (mode) {
    case 0: {
        const auto seconds = totalSeconds(d, h, m, s);
        return seconds ? formatNumber4(double(*seconds)) : QString();
    }
    case 1: {
        const auto minutes = totalMinutes(d, h, m);
        return minutes ? formatNumber4(double(*minutes) + double(s) / 60.0) : QString();
    }
    case 2: {
        const auto hours = totalHours(d, h);
        return hours ? formatNumber4(double(*hours) + double(m) / 60.0 + double(s) / 3600.0) : QString();
    }
    case 3:
    case 4: {
        // Whole days are folded into the hours only for a forward span.
        const auto hours = d > 0 ? totalHours(d, h) : std::optional<qint64>(h);
        if (!hours)
            return QString();
        if (mode == 3)
            return QString::number(*hours) + QLatin1Char(':') + pad2(m);
        return pad2(*hours) + QLatin1Char(':') + pad2(m) + QLatin1Char('.') + pad2(s);
    }
    case 5:
        return QString::number(d) + QLatin1Char(' ') + pad2(h) + QLatin1Char(':') + pad2(m) +
               QLatin1Char('.') + pad2(s);
    case 6:
        return QString::number(d) + QLatin1String("d ") + QString::number(h) + QLatin1String("h ") +
               QString::number(m) + QLatin1String("m ") + pad2(s) + QLatin1Char('s');
    case 7: {
        QString words;
        if (d != 0)
            words += unitPiece(d, " Day", "s, ", ", ");
        if (h != 0)
            words += unitPiece(h, " Hour", "s, ", ", ");
        words += unitPiece(m, " Minute", "s ", ", ");
        words += unitPiece(s, " Second", "s", "");
        return words;
    }
    default: return QString();
    }
}

QVariant NullToEmpty(const QVariant &value)
{
    if (value.isNull())
        return QVariant(QStringLiteral(""));
    return value;
}

} // namespace modTamberlock
