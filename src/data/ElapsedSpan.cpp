#include "data/ElapsedSpan.h"

namespace {

struct Parts {
    qint64 days;
    int hours;
    int minutes;
    int seconds;
};

Parts split(qint64 total)
{
    qint64 days = total / 86400;
    qint64 rest = total % 86400;
    if (rest < 0) { // borrow a day, so that the smaller parts stay positive
        rest += 86400;
        --days;
    }
    return {days, int(rest / 3600), int(rest % 3600 / 60), int(rest % 60)};
}

void appendTwoDigits(QString &text, int value)
{
    text += QLatin1Char(char('0' + value / 10));
    text += QLatin1Char(char('0' + value % 10));
}

} // namespace

namespace ElapsedSpan {

qint64 secondsOf(const QDateTime &moment)
{
    return moment.date().toJulianDay() * 86400 + moment.time().msecsSinceStartOfDay() / 1000;
}

QString mode2(qint64 seconds)
{
    // Hours to four decimals: seconds * 10000 / 3600 = seconds * 25 / 9,
    // rounded. A ninth never lands on a half, so no tie can arise, and the
    // text is the "0.####" form of the same value.
    const bool negative = seconds < 0;
    const qint64 magnitude = negative ? -seconds : seconds;
    const qint64 tenThousandths = (magnitude * 50 + 9) / 18;
    if (tenThousandths == 0)
        return QStringLiteral("0.");
    QString text;
    text.reserve(24);
    if (negative)
        text += QLatin1Char('-');
    text += QString::number(tenThousandths / 10000);
    text += QLatin1Char('.');
    int fraction = int(tenThousandths % 10000);
    if (fraction != 0) {
        int digits = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        text += QString::number(fraction).rightJustified(digits, QLatin1Char('0'));
    }
    return text;
}

QString mode5(qint64 seconds)
{
    const Parts p = split(seconds);
    QString text = QString::number(p.days);
    text.reserve(text.size() + 10);
    text += QLatin1Char(' ');
    appendTwoDigits(text, p.hours);
    text += QLatin1Char(':');
    appendTwoDigits(text, p.minutes);
    text += QLatin1Char('.');
    appendTwoDigits(text, p.seconds);
    return text;
}

QString mode6(qint64 seconds)
{
    const Parts p = split(seconds);
    QString text = QString::number(p.days);
    text.reserve(text.size() + 14);
    text += QLatin1String("d ");
    text += QString::number(p.hours);
    text += QLatin1String("h ");
    text += QString::number(p.minutes);
    text += QLatin1String("m ");
    appendTwoDigits(text, p.seconds);
    text += QLatin1Char('s');
    return text;
}

} // namespace ElapsedSpan
