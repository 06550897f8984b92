#include "common/TestSupport.h"
#include "data/Clock.h"
#include "data/Formats.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace modTamberlock;

namespace {
QDateTime dt(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return makeDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

constexpr qint64 kMax64 = std::numeric_limits<qint64>::max();
constexpr qint64 kMin64 = std::numeric_limits<qint64>::min();
} // namespace

class FormatsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::useSystemClock(); }

    // --- Date-time reading --------------------------------------------------------

    void parseDateTimeValid_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");

        QTest::newRow("display form") << "06/29/1973 02:21:00 PM" << dt(1973, 6, 29, 14, 21);
        QTest::newRow("display form am") << "01/02/2003 04:05:06 AM" << dt(2003, 1, 2, 4, 5, 6);
        QTest::newRow("display lower case") << "06/29/1973 02:21:00 pm" << dt(1973, 6, 29, 14, 21);
        QTest::newRow("midnight") << "12/30/1899 12:00:00 AM" << dt(1899, 12, 30);
        QTest::newRow("noon") << "07/04/2005 12:00:00 PM" << dt(2005, 7, 4, 12);
        QTest::newRow("blanks around") << "  06/29/1973 02:21:00 PM " << dt(1973, 6, 29, 14, 21);
        QTest::newRow("date alone") << "6/29/1973" << dt(1973, 6, 29);
        QTest::newRow("short time") << "6/29/1973 2:21 PM" << dt(1973, 6, 29, 14, 21);
        QTest::newRow("mark without blank") << "6/29/1973 2:21pm" << dt(1973, 6, 29, 14, 21);
        QTest::newRow("24 hour") << "06/29/1973 14:21:00" << dt(1973, 6, 29, 14, 21);
        QTest::newRow("24 hour midnight") << "06/29/1973 0:05" << dt(1973, 6, 29, 0, 5);
        QTest::newRow("iso with time") << "1973-06-29 14:21" << dt(1973, 6, 29, 14, 21);
        QTest::newRow("iso with seconds") << "1973-06-29 14:21:59" << dt(1973, 6, 29, 14, 21, 59);
        QTest::newRow("iso date") << "1973-06-29" << dt(1973, 6, 29);
        QTest::newRow("hour with mark") << "6/29/1973 2 PM" << dt(1973, 6, 29, 14);
        QTest::newRow("12 AM") << "6/29/1973 12:30 AM" << dt(1973, 6, 29, 0, 30);
        QTest::newRow("time alone 12h") << "2:21 PM" << dt(1899, 12, 30, 14, 21);
        QTest::newRow("time alone 24h") << "14:21:05" << dt(1899, 12, 30, 14, 21, 5);
        QTest::newRow("two-digit year 00") << "1/1/00" << dt(2000, 1, 1);
        QTest::newRow("two-digit year 29") << "12/31/29" << dt(2029, 12, 31);
        QTest::newRow("two-digit year 30") << "1/1/30" << dt(1930, 1, 1);
        QTest::newRow("two-digit year 99") << "6/29/99 1:00 AM" << dt(1999, 6, 29, 1);
        QTest::newRow("leap day") << "2/29/2004" << dt(2004, 2, 29);
        QTest::newRow("first day") << "01/01/1601 12:00:00 AM" << dt(1601, 1, 1);
        QTest::newRow("last second") << "12/31/9999 11:59:59 PM" << dt(9999, 12, 31, 23, 59, 59);
    }

    void parseDateTimeValid()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const auto parsed = parseDateTime(text);
        QVERIFY2(parsed.has_value(), qPrintable(text));
        QCOMPARE(*parsed, expected);
    }

    void parseDateTimeInvalid_data()
    {
        QTest::addColumn<QString>("text");

        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("pending label") << "Pending...";
        QTest::newRow("garbage") << "abc";
        QTest::newRow("bare number") << "14";
        QTest::newRow("february 30") << "2/30/2004";
        QTest::newRow("february 29 no leap") << "2/29/2003";
        QTest::newRow("month 13") << "13/01/2004";
        QTest::newRow("day 0") << "1/0/2004";
        QTest::newRow("hour 24") << "1/1/2004 24:00";
        QTest::newRow("hour 13 pm") << "1/1/2004 13:00 PM";
        QTest::newRow("hour 0 am") << "1/1/2004 0:30 AM";
        QTest::newRow("minute 60") << "1/1/2004 10:60";
        QTest::newRow("second 60") << "1/1/2004 10:10:60";
        QTest::newRow("hour without mark") << "6/29/1973 14";
        QTest::newRow("display form hour 00") << "06/29/1973 00:21:00 PM";
        QTest::newRow("display form bad day") << "02/30/1973 02:21:00 PM";
        QTest::newRow("display form bad mark") << "06/29/1973 02:21:00 XM";
        QTest::newRow("before 1601") << "12/31/1600";
        QTest::newRow("year 73 as four digits") << "6/29/0073";
        QTest::newRow("three-digit year") << "6/29/973";
        QTest::newRow("trailing text") << "6/29/1973 2:21 PM x";
        QTest::newRow("non-ascii digits") << QString::fromUtf8("\u0666/29/1973");
    }

    void parseDateTimeInvalid()
    {
        QFETCH(QString, text);
        QVERIFY2(!parseDateTime(text).has_value(), qPrintable(text));
    }

    void parsedValuesAreWallClock()
    {
        const auto parsed = parseDateTime(QStringLiteral("03/26/2006 02:30:00 AM"));
        QVERIFY(parsed.has_value());
        QCOMPARE(parsed->timeSpec(), Qt::UTC);
        QCOMPARE(parsed->time(), QTime(2, 30));
    }

    // --- OLE values -----------------------------------------------------------------

    void oleToDateTime_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QDateTime>("expected");

        QTest::newRow("zero") << 0.0 << dt(1899, 12, 30);
        QTest::newRow("quarter") << 0.25 << dt(1899, 12, 30, 6);
        QTest::newRow("one and a half") << 1.5 << dt(1899, 12, 31, 12);
        QTest::newRow("minus one") << -1.0 << dt(1899, 12, 29);
        QTest::newRow("minus one and a quarter") << -1.25 << dt(1899, 12, 29, 6);
        QTest::newRow("minus two and three quarters") << -2.75 << dt(1899, 12, 28, 18);
        QTest::newRow("pending stop") << 26844.0 + 861.0 / 1440.0 << dt(1973, 6, 29, 14, 21);
        QTest::newRow("first day") << -109205.0 << dt(1601, 1, 1);
        QTest::newRow("last second") << 2958465.0 + 86399.0 / 86400.0 << dt(9999, 12, 31, 23, 59, 59);
    }

    void oleToDateTime()
    {
        QFETCH(double, value);
        QFETCH(QDateTime, expected);
        const auto converted = modTamberlock::oleToDateTime(value);
        QVERIFY(converted.has_value());
        QCOMPARE(*converted, expected);
    }

    void oleOutOfRange_data()
    {
        QTest::addColumn<double>("value");

        QTest::newRow("day before 1601") << -109206.0;
        QTest::newRow("after 9999") << 2958466.0;
        QTest::newRow("rounds past 9999") << 2958465.0 + 86399.6 / 86400.0;
        QTest::newRow("huge") << 1.0e300;
        QTest::newRow("huge negative") << -1.0e300;
        QTest::newRow("nan") << std::nan("");
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity();
    }

    void oleOutOfRange()
    {
        QFETCH(double, value);
        QVERIFY(!modTamberlock::oleToDateTime(value).has_value());
        QVERIFY(formatOleDate(value).isEmpty());
    }

    void oleRoundsToNearestSecond()
    {
        // 0.4 s rounds down, 0.6 s up, and the last half second carries into the next day.
        QCOMPARE(*modTamberlock::oleToDateTime(1.0 + 10.4 / 86400.0), dt(1899, 12, 31, 0, 0, 10));
        QCOMPARE(*modTamberlock::oleToDateTime(1.0 + 10.6 / 86400.0), dt(1899, 12, 31, 0, 0, 11));
        QCOMPARE(*modTamberlock::oleToDateTime(1.0 + 86399.7 / 86400.0), dt(1900, 1, 1));
        QCOMPARE(*modTamberlock::oleToDateTime(-1.0 - 86399.7 / 86400.0), dt(1899, 12, 30));
    }

    void oleRoundTrip_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<double>("value");

        QTest::newRow("epoch") << dt(1899, 12, 30) << 0.0;
        QTest::newRow("1899-12-29 06:00") << dt(1899, 12, 29, 6) << -1.25;
        QTest::newRow("1899-12-28 18:00") << dt(1899, 12, 28, 18) << -2.75;
        QTest::newRow("1800") << dt(1800, 3, 1, 12) << -36463.5;
        QTest::newRow("1900-01-01 18:00") << dt(1900, 1, 1, 18) << 2.75;
        QTest::newRow("first day") << dt(1601, 1, 1) << -109205.0;
        QTest::newRow("last day") << dt(9999, 12, 31) << 2958465.0;
    }

    void oleRoundTrip()
    {
        QFETCH(QDateTime, moment);
        QFETCH(double, value);
        const auto ole = dateTimeToOle(moment);
        QVERIFY(ole.has_value());
        QCOMPARE(*ole, value);
        QCOMPARE(*modTamberlock::oleToDateTime(*ole), moment);

        // Every second of a day before 1899 comes back as it went in.
        const QDateTime odd = moment.addSecs(12345);
        if (odd.date().year() <= 9999)
            QCOMPARE(*modTamberlock::oleToDateTime(*dateTimeToOle(odd)), odd);
    }

    void dateTimeTextToOle()
    {
        QCOMPARE(modTamberlock::dateTimeTextToOle(QStringLiteral("12/31/1899 12:00:00 PM")), 1.5);
        QCOMPARE(modTamberlock::dateTimeTextToOle(QStringLiteral("12/29/1899 6:00 AM")), -1.25);
        QCOMPARE(modTamberlock::dateTimeTextToOle(QStringLiteral("Pending...")), 0.0);
        QCOMPARE(modTamberlock::dateTimeTextToOle(QString()), 0.0);
        QVERIFY(!dateTimeToOle(dt(1600, 12, 31, 23, 59, 59)).has_value());
        QVERIFY(!dateTimeToOle(QDateTime()).has_value());
    }

    // --- Display forms ----------------------------------------------------------------

    void formatDateTime_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("expected");

        QTest::newRow("afternoon") << dt(1973, 6, 29, 14, 21) << "06/29/1973 02:21:00 PM";
        QTest::newRow("midnight") << dt(1899, 12, 30) << "12/30/1899 12:00:00 AM";
        QTest::newRow("noon") << dt(2005, 7, 4, 12, 0, 1) << "07/04/2005 12:00:01 PM";
        QTest::newRow("morning") << dt(2005, 7, 4, 9, 15) << "07/04/2005 09:15:00 AM";
        QTest::newRow("last second") << dt(9999, 12, 31, 23, 59, 59) << "12/31/9999 11:59:59 PM";
        QTest::newRow("first day") << dt(1601, 1, 1, 0, 0, 1) << "01/01/1601 12:00:01 AM";
    }

    void formatDateTime()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QString, expected);
        QCOMPARE(modTamberlock::formatDateTime(moment), expected);
        QCOMPARE(*parseDateTime(expected), moment);
    }

    void formatOleDateAndText()
    {
        QCOMPARE(formatOleDate(-1.25), QStringLiteral("12/29/1899 06:00:00 AM"));
        QCOMPARE(formatOleDate(0.0), QStringLiteral("12/30/1899 12:00:00 AM"));
        QCOMPARE(formatDateTimeText(QStringLiteral("6/29/1973 2:21 PM")),
                 QStringLiteral("06/29/1973 02:21:00 PM"));
        QCOMPARE(formatDateTimeText(QStringLiteral("1973-06-29")), QStringLiteral("06/29/1973 12:00:00 AM"));
        QCOMPARE(formatDateTimeText(QStringLiteral("Pending...")), QStringLiteral("Pending..."));
        QCOMPARE(formatDateTimeText(QStringLiteral("2/30/2004")), QStringLiteral("2/30/2004"));
        QCOMPARE(formatDateTimeText(QString()), QString());
    }

    void formatGeneralDate_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("expected");

        QTest::newRow("morning") << dt(2005, 7, 4, 9, 15) << "7/4/2005 9:15:00 AM";
        QTest::newRow("evening") << dt(2005, 12, 24, 23, 5, 7) << "12/24/2005 11:05:07 PM";
        QTest::newRow("just after midnight") << dt(2005, 7, 4, 0, 0, 1) << "7/4/2005 12:00:01 AM";
        QTest::newRow("noon") << dt(2005, 7, 4, 12) << "7/4/2005 12:00:00 PM";
        QTest::newRow("midnight is the date alone") << dt(2005, 7, 4) << "7/4/2005";
    }

    void formatGeneralDate()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QString, expected);
        QCOMPARE(modTamberlock::formatGeneralDate(moment), expected);
    }

    // --- Money ------------------------------------------------------------------------

    void parseCurrency_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("expected");

        QTest::newRow("money form") << "$1,234.50" << true << qint64(12345000);
        QTest::newRow("plain") << "1234.5" << true << qint64(12345000);
        QTest::newRow("minus before dollar") << "-$5.00" << true << qint64(-50000);
        QTest::newRow("minus after dollar") << "$-5.00" << true << qint64(-50000);
        QTest::newRow("leading blank") << " $60.00" << true << qint64(600000);
        QTest::newRow("trailing point") << "2." << true << qint64(20000);
        QTest::newRow("point first") << ".5" << true << qint64(5000);
        QTest::newRow("brackets") << "(5.00)" << true << qint64(-50000);
        QTest::newRow("brackets with dollar") << "($1,000)" << true << qint64(-10000000);
        QTest::newRow("plus") << "+7" << true << qint64(70000);
        QTest::newRow("zero") << "0" << true << qint64(0);
        QTest::newRow("fifth decimal rounds up") << "0.00005" << true << qint64(1);
        QTest::newRow("fifth decimal rounds down") << "0.00004" << true << qint64(0);
        QTest::newRow("negative rounds away") << "-0.00005" << true << qint64(-1);
        QTest::newRow("many decimals") << "1.234567" << true << qint64(12346);
        QTest::newRow("millions") << "$1,234,567.89" << true << qint64(12345678900);
        QTest::newRow("largest") << "922337203685477.5807" << true << kMax64;
        QTest::newRow("smallest") << "-922337203685477.5808" << true << kMin64;
        QTest::newRow("just too large") << "922337203685477.5808" << false << qint64(0);
        QTest::newRow("too large by rounding") << "922337203685477.58075" << false << qint64(0);
        QTest::newRow("just too small") << "-922337203685477.5809" << false << qint64(0);
        QTest::newRow("very long") << "99999999999999999999999999999999999999999" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("blank") << "  " << false << qint64(0);
        QTest::newRow("dollar alone") << "$" << false << qint64(0);
        QTest::newRow("point alone") << "." << false << qint64(0);
        QTest::newRow("garbage") << "abc" << false << qint64(0);
        QTest::newRow("trailing letters") << "12abc" << false << qint64(0);
        QTest::newRow("comma in decimals") << "1.2,3" << false << qint64(0);
        QTest::newRow("leading comma") << ",123" << false << qint64(0);
        QTest::newRow("double comma") << "1,,234" << false << qint64(0);
        QTest::newRow("two signs") << "--5" << false << qint64(0);
        QTest::newRow("sign in brackets") << "(-5)" << false << qint64(0);
        QTest::newRow("two points") << "1.2.3" << false << qint64(0);
    }

    void parseCurrency()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint64, expected);
        const auto amount = modTamberlock::parseCurrency(text);
        QCOMPARE(amount.has_value(), valid);
        if (valid)
            QCOMPARE(*amount, expected);
    }

    void formatCurrency_data()
    {
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<QString>("expected");

        QTest::newRow("zero") << qint64(0) << "$0.00";
        QTest::newRow("thousands") << qint64(12345000) << "$1,234.50";
        QTest::newRow("hundreds") << qint64(9999900) << "$999.99";
        QTest::newRow("exact thousand") << qint64(10000000) << "$1,000.00";
        QTest::newRow("negative") << qint64(-50000) << "-$5.00";
        QTest::newRow("half cent rounds up") << qint64(50) << "$0.01";
        QTest::newRow("below half cent") << qint64(49) << "$0.00";
        QTest::newRow("negative half cent") << qint64(-150) << "-$0.02";
        QTest::newRow("rounds into dollars") << qint64(99950) << "$10.00";
        QTest::newRow("rounds to nothing negative") << qint64(-49) << "$0.00";
        QTest::newRow("largest") << kMax64 << "$922,337,203,685,477.58";
        QTest::newRow("smallest") << kMin64 << "-$922,337,203,685,477.58";
    }

    void formatCurrency()
    {
        QFETCH(qint64, amount);
        QFETCH(QString, expected);
        QCOMPARE(modTamberlock::formatCurrency(amount), expected);
    }

    void currencyToPlainText_data()
    {
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<QString>("expected");

        QTest::newRow("one decimal") << qint64(12345000) << "1234.5";
        QTest::newRow("whole") << qint64(600000) << "60";
        QTest::newRow("negative") << qint64(-52500) << "-5.25";
        QTest::newRow("smallest unit") << qint64(1) << "0.0001";
        QTest::newRow("negative small") << qint64(-1) << "-0.0001";
        QTest::newRow("zero") << qint64(0) << "0";
        QTest::newRow("int64 min") << kMin64 << "-922337203685477.5808";
    }

    void currencyToPlainText()
    {
        QFETCH(qint64, amount);
        QFETCH(QString, expected);
        QCOMPARE(modTamberlock::currencyToPlainText(amount), expected);
        QCOMPARE(*modTamberlock::parseCurrency(expected), amount);
    }

    void formatCurrencyText()
    {
        QCOMPARE(modTamberlock::formatCurrencyText(QStringLiteral("1234.5")), QStringLiteral("$1,234.50"));
        QCOMPARE(modTamberlock::formatCurrencyText(QStringLiteral("(5)")), QStringLiteral("-$5.00"));
        QCOMPARE(modTamberlock::formatCurrencyText(QStringLiteral("ten")), QStringLiteral("ten"));
        QCOMPARE(modTamberlock::formatCurrencyText(QString()), QString());
    }

    void costOfHours_data()
    {
        QTest::addColumn<QString>("hours");
        QTest::addColumn<qint64>("rate");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("expected");

        QTest::newRow("90 minutes") << "1.5" << qint64(400000) << true << qint64(600000);
        QTest::newRow("two hours") << "2." << qint64(375000) << true << qint64(750000);
        QTest::newRow("mode 2 text") << "26.0858" << qint64(10000) << true << qint64(260858);
        QTest::newRow("product rounds down") << "0.3333" << qint64(1) << true << qint64(0);
        QTest::newRow("product rounds up") << "0.3333" << qint64(5) << true << qint64(2);
        QTest::newRow("half rounds away") << "0.5" << qint64(1) << true << qint64(1);
        QTest::newRow("negative half rounds away") << "-0.5" << qint64(1) << true << qint64(-1);
        QTest::newRow("negative hours") << "-0.25" << qint64(400000) << true << qint64(-100000);
        QTest::newRow("more decimals round") << "1.00005" << qint64(10000) << true << qint64(10001);
        QTest::newRow("blanks") << " 3 " << qint64(10000) << true << qint64(30000);
        QTest::newRow("zero rate") << "5." << qint64(0) << true << qint64(0);
        QTest::newRow("largest rate one hour") << "1." << kMax64 << true << kMax64;
        QTest::newRow("overflow") << "2." << kMax64 << false << qint64(0);
        QTest::newRow("product beyond 64 bits, cost within")
            << "100000.0001" << qint64(5000000000000) << true << qint64(500000000500000000);
        QTest::newRow("negative, product beyond 64 bits, rounds away")
            << "-1000.00005" << qint64(922337203685477) << true << qint64(-922337295919197369);
        QTest::newRow("negative overflow") << "-2." << kMax64 << false << qint64(0);
        QTest::newRow("empty") << "" << qint64(10000) << false << qint64(0);
        QTest::newRow("not a number") << "abc" << qint64(10000) << false << qint64(0);
        QTest::newRow("no commas") << "1,000" << qint64(10000) << false << qint64(0);
    }

    void costOfHours()
    {
        QFETCH(QString, hours);
        QFETCH(qint64, rate);
        QFETCH(bool, valid);
        QFETCH(qint64, expected);
        const auto cost = modTamberlock::costOfHours(hours, rate);
        QCOMPARE(cost.has_value(), valid);
        if (valid)
            QCOMPARE(*cost, expected);
    }

    void currencyFromStored_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QVariant>("expected"); // invalid: no value
        QTest::newRow("REAL rounds") << QVariant(-2.5) << QVariant(qint64(-3));
        QTest::newRow("REAL -2^63") << QVariant(-9223372036854775808.0)
                                    << QVariant(std::numeric_limits<qint64>::min());
        QTest::newRow("REAL 2^63") << QVariant(9223372036854775808.0) << QVariant();
        QTest::newRow("NaN") << QVariant(std::nan("")) << QVariant();
        QTest::newRow("text") << QVariant(QStringLiteral("abc")) << QVariant();
    }

    void currencyFromStored()
    {
        QFETCH(QVariant, stored);
        QFETCH(QVariant, expected);
        const std::optional<Currency> amount = modTamberlock::currencyFromStored(stored);
        QCOMPARE(amount ? QVariant(*amount) : QVariant(), expected);
    }

    // --- Number masks --------------------------------------------------------------------

    void formatDigitMask_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("expected");

        const QString zip = QStringLiteral("#####-####");
        const QString phone = QStringLiteral("(000) 000-0000");
        const QString nine = QStringLiteral("#########");
        const QString ten = QStringLiteral("##########");

        QTest::newRow("zip padded") << "123450000" << zip << "12345-0000";
        QTest::newRow("zip nine") << "123456789" << zip << "12345-6789";
        QTest::newRow("zip leading zero") << "021340000" << zip << "02134-0000";
        QTest::newRow("zip four digits") << "1234" << zip << "-1234";
        QTest::newRow("zip twelve digits") << "123456789012" << zip << "12345678-9012";
        QTest::newRow("zip with hyphen") << "12345-6789" << zip << "12345-6789";
        QTest::newRow("phone ten") << "5551234567" << phone << "(555) 123-4567";
        QTest::newRow("phone seven") << "5551234" << phone << "(000) 555-1234";
        QTest::newRow("phone eleven") << "15551234567" << phone << "(1555) 123-4567";
        QTest::newRow("phone letters") << "555CALL" << phone << "555CALL";
        QTest::newRow("phone formatted") << "(555) 1234567" << phone << "(555) 1234567";
        QTest::newRow("empty") << "" << phone << "";
        QTest::newRow("nine keeps zeros") << "01234" << nine << "01234";
        QTest::newRow("nine digits") << "123456789" << nine << "123456789";
        QTest::newRow("nine hyphenated") << "12-34" << nine << "12-34";
        QTest::newRow("ten digits") << "5551234567" << ten << "5551234567";
        QTest::newRow("ten formatted phone") << "(555) 123-4567" << ten << "(555) 123-4567";
        QTest::newRow("blanks around digits") << " 5551234567 " << phone << "(555) 123-4567";
        QTest::newRow("blank only") << "   " << ten << "   ";
        QTest::newRow("signed") << "-123" << ten << "-123";
    }

    void formatDigitMask()
    {
        QFETCH(QString, text);
        QFETCH(QString, mask);
        QFETCH(QString, expected);
        QCOMPARE(modTamberlock::formatDigitMask(text, mask), expected);
    }

    void isDigitsOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");

        QTest::newRow("digits") << "0123" << true;
        QTest::newRow("blanks around") << " 42 " << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << " " << false;
        QTest::newRow("inner blank") << "1 2" << false;
        QTest::newRow("sign") << "-1" << false;
        QTest::newRow("point") << "1.5" << false;
        QTest::newRow("arabic digit") << QString::fromUtf8("\u0661") << false;
    }

    void isDigitsOnly()
    {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(modTamberlock::isDigitsOnly(text), expected);
    }

    // --- Numbers -------------------------------------------------------------------------

    void formatNumber4_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");

        QTest::newRow("whole") << 93909.0 << "93909.";
        QTest::newRow("two decimals") << 1565.15 << "1565.15";
        QTest::newRow("rounded") << 26.0 + 5.0 / 60.0 + 9.0 / 3600.0 << "26.0858";
        QTest::newRow("two") << 2.0 << "2.";
        QTest::newRow("half") << 0.5 << "0.5";
        QTest::newRow("minus half") << -0.5 << "-0.5";
        QTest::newRow("zero") << 0.0 << "0.";
        QTest::newRow("rounds to zero") << 0.00001 << "0.";
        QTest::newRow("negative rounds to zero") << -0.00001 << "0.";
        QTest::newRow("rounds up to whole") << 1.99999 << "2.";
        QTest::newRow("negative whole") << -3.0 << "-3.";
        QTest::newRow("small negative") << -0.25 << "-0.25";
    }

    void formatNumber4()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(modTamberlock::formatNumber4(value), expected);
    }

    // --- Pending stop times ------------------------------------------------------------------

    void isPendingTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");

        QTest::newRow("pending stop") << "06/29/1973 02:21:00 PM" << true;
        QTest::newRow("pending without zeros") << "6/29/1973 2:21 PM" << true;
        QTest::newRow("pending 24 hour") << "1973-06-29 14:21" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("pending label") << "Pending..." << true;
        QTest::newRow("zero date-time") << "12/30/1899 12:00:00 AM" << true;
        QTest::newRow("zero date alone") << "12/30/1899" << true;
        QTest::newRow("a second later") << "06/29/1973 02:21:01 PM" << false;
        QTest::newRow("other day") << "06/30/1973 02:21:00 PM" << false;
        QTest::newRow("real stop") << "07/04/2005 09:15:00 AM" << false;
        QTest::newRow("zero date noon") << "12/30/1899 12:00:00 PM" << false;
        QTest::newRow("garbage") << "abc" << false;
        QTest::newRow("label with blank") << " Pending..." << false;
    }

    void isPendingTime()
    {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(IsPendingTime(text), expected);
    }

    // --- Elapsed times ---------------------------------------------------------------------

    void formatElapsedTime_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("stop");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("expected");

        const QString s0 = QStringLiteral("07/04/2005 09:15:00 AM");
        const QString s1 = QStringLiteral("07/05/2005 11:20:09 AM"); // 1 day 2 h 5 min 9 s later
        QTest::newRow("mode 0") << s0 << s1 << 0 << "93909.";
        QTest::newRow("mode 1") << s0 << s1 << 1 << "1565.15";
        QTest::newRow("mode 2") << s0 << s1 << 2 << "26.0858";
        QTest::newRow("mode 3") << s0 << s1 << 3 << "26:05";
        QTest::newRow("mode 4") << s0 << s1 << 4 << "26:05.09";
        QTest::newRow("mode 5") << s0 << s1 << 5 << "1 02:05.09";
        QTest::newRow("mode 6") << s0 << s1 << 6 << "1d 2h 5m 09s";
        QTest::newRow("mode 7") << s0 << s1 << 7 << "1 Day, 2 Hours, 5 Minutes 9 Seconds";
        QTest::newRow("mode 8") << s0 << s1 << 8 << "";
        QTest::newRow("mode -1") << s0 << s1 << -1 << "";

        // 11 PM to 1 AM: the hour borrows a day.
        const QString late = QStringLiteral("07/04/2005 11:00:00 PM");
        const QString early = QStringLiteral("07/05/2005 01:00:00 AM");
        QTest::newRow("borrow mode 6") << late << early << 6 << "0d 2h 0m 00s";
        QTest::newRow("borrow mode 2") << late << early << 2 << "2.";
        QTest::newRow("borrow mode 7") << late << early << 7 << "2 Hours, 0 Minutes 0 Seconds";
        QTest::newRow("borrow mode 3") << late << early << 3 << "2:00";
        QTest::newRow("borrow mode 5") << late << early << 5 << "0 02:00.00";

        // Seconds and minutes borrow too: 10:59:59 to 11:00:01 is two seconds.
        QTest::newRow("borrow seconds") << "07/04/2005 10:59:59 AM"
                                        << "07/04/2005 11:00:01 AM" << 6 << "0d 0h 0m 02s";
        QTest::newRow("borrow seconds mode 0") << "07/04/2005 10:59:59 AM"
                                               << "07/04/2005 11:00:01 AM" << 0 << "2.";

        QTest::newRow("mode 7 singular") << "07/04/2005 09:00:00 AM"
                                         << "07/04/2005 09:01:01 AM" << 7 << "1 Minute, 1 Second";
        QTest::newRow("mode 7 day only") << "07/04/2005 09:00:00 AM"
                                         << "07/05/2005 09:00:00 AM" << 7 << "1 Day, 0 Minutes 0 Seconds";
        QTest::newRow("mode 7 one hour") << "07/04/2005 09:00:00 AM"
                                         << "07/04/2005 10:00:02 AM" << 7 << "1 Hour, 0 Minutes 2 Seconds";
        QTest::newRow("mode 7 days") << "07/04/2005 09:00:00 AM"
                                     << "07/07/2005 09:02:00 AM" << 7 << "3 Days, 2 Minutes 0 Seconds";
        QTest::newRow("mode 1 zero") << s0 << s0 << 1 << "0.";
        QTest::newRow("mode 4 short") << "07/04/2005 09:00:00 AM"
                                      << "07/04/2005 10:02:03 AM" << 4 << "01:02.03";

        // A stop an hour before the start.
        const QString back = QStringLiteral("07/04/2005 08:15:00 AM");
        QTest::newRow("negative mode 6") << s0 << back << 6 << "-1d 23h 0m 00s";
        QTest::newRow("negative mode 0") << s0 << back << 0 << "-3600.";
        QTest::newRow("negative mode 1") << s0 << back << 1 << "-60.";
        QTest::newRow("negative mode 2") << s0 << back << 2 << "-1.";
        QTest::newRow("negative mode 5") << s0 << back << 5 << "-1 23:00.00";
        QTest::newRow("negative mode 7") << s0 << back << 7 << "-1 Days, 23 Hours, 0 Minutes 0 Seconds";
        QTest::newRow("negative half hour mode 2") << s0 << "07/04/2005 08:45:00 AM" << 2 << "-0.5";

        // Totals beyond 32 bits give the empty text; the other modes still work.
        const QString old = QStringLiteral("01/01/1900 12:00:00 AM");
        const QString later = QStringLiteral("01/01/2005 12:00:00 AM");
        QTest::newRow("overflow mode 0") << old << later << 0 << "";
        QTest::newRow("no overflow mode 1") << old << later << 1 << "55225440.";
        QTest::newRow("overflow mode 1") << "01/01/1601"
                                         << "12/31/9999" << 1 << "";
        QTest::newRow("long span mode 2") << "01/01/1601"
                                          << "12/31/9999" << 2 << "73624080.";
        QTest::newRow("long span mode 3") << old << later << 3 << "920424:00";
        QTest::newRow("long span mode 6") << old << later << 6 << "38351d 0h 0m 00s";
        QTest::newRow("negative overflow mode 0") << later << old << 0 << "";
        QTest::newRow("just fits mode 0") << "01/01/1900"
                                          << "01/20/1968 03:14:07 AM" << 0 << "2147483647.";
        QTest::newRow("just over mode 0") << "01/01/1900"
                                          << "01/20/1968 03:14:08 AM" << 0 << "";
    }

    void formatElapsedTime()
    {
        QFETCH(QString, start);
        QFETCH(QString, stop);
        QFETCH(int, mode);
        QFETCH(QString, expected);
        QString stopText = stop;
        QCOMPARE(FormatElapsedTime(start, stopText, mode), expected);
        QCOMPARE(stopText, stop);
    }

    void elapsedUnreadableTimesAreZeroSpan()
    {
        QString stop = QStringLiteral("07/05/2005 11:20:09 AM");
        QCOMPARE(FormatElapsedTime(QStringLiteral("abc"), stop, 6), QStringLiteral("0d 0h 0m 00s"));
        QCOMPARE(FormatElapsedTime(QStringLiteral("abc"), stop, 2), QStringLiteral("0."));
        QString badStop = QStringLiteral("2/30/2005");
        QCOMPARE(FormatElapsedTime(QStringLiteral("07/04/2005 09:15:00 AM"), badStop, 7),
                 QStringLiteral("0 Minutes 0 Seconds"));
        QCOMPARE(badStop, QStringLiteral("2/30/2005"));
    }

    void elapsedPendingStopIsNow_data()
    {
        QTest::addColumn<QString>("stop");

        QTest::newRow("pending stop") << QString::fromLatin1(kStopTimePending);
        QTest::newRow("pending label") << QStringLiteral("Pending...");
        QTest::newRow("empty") << QString();
        QTest::newRow("zero date-time") << QStringLiteral("12/30/1899 12:00:00 AM");
    }

    void elapsedPendingStopIsNow()
    {
        QFETCH(QString, stop);
        Clock::setNow(dt(2005, 7, 5, 11, 20, 9));
        QString stopText = stop;
        QCOMPARE(FormatElapsedTime(QStringLiteral("07/04/2005 09:15:00 AM"), stopText, 6),
                 QStringLiteral("1d 2h 5m 09s"));
        QCOMPARE(stopText, QStringLiteral("07/05/2005 11:20:09 AM"));

        // The running charge grows with the clock.
        Clock::advance(60);
        stopText = stop;
        QCOMPARE(FormatElapsedTime(QStringLiteral("07/04/2005 09:15:00 AM"), stopText, 2),
                 QStringLiteral("26.1025"));
        QCOMPARE(stopText, QStringLiteral("07/05/2005 11:21:09 AM"));
    }

    void elapsedRealStopIsLeftAlone()
    {
        Clock::setNow(dt(2020, 1, 1, 12));
        QString stopText = QStringLiteral("7/5/2005 11:20:09 AM");
        QCOMPARE(FormatElapsedTime(QStringLiteral("07/04/2005 09:15:00 AM"), stopText, 5),
                 QStringLiteral("1 02:05.09"));
        QCOMPARE(stopText, QStringLiteral("7/5/2005 11:20:09 AM"));

        // Any mode replaces a pending stop, even one that yields no text.
        stopText = QStringLiteral("Pending...");
        QCOMPARE(FormatElapsedTime(QStringLiteral("07/04/2005 09:15:00 AM"), stopText, 9), QString());
        QCOMPARE(stopText, QStringLiteral("01/01/2020 12:00:00 PM"));
    }

    void nullToEmpty()
    {
        const QVariant fromNull = NullToEmpty(QVariant());
        QCOMPARE(fromNull.typeId(), QMetaType::QString);
        QVERIFY(!fromNull.toString().isNull());
        QCOMPARE(fromNull.toString(), QString());

        // A Null field of a typed column, as a query hands it over.
        const QVariant typedNull = NullToEmpty(QVariant(QMetaType::fromType<qlonglong>()));
        QCOMPARE(typedNull.typeId(), QMetaType::QString);

        QCOMPARE(NullToEmpty(QVariant(42)), QVariant(42));
        QCOMPARE(NullToEmpty(QVariant(QStringLiteral("Acme"))), QVariant(QStringLiteral("Acme")));
        QCOMPARE(NullToEmpty(QVariant(QString())).typeId(), QMetaType::QString);
    }
};

TAMBERLOCK_DATA_TEST_MAIN(FormatsTest)

#include "tst_Formats.moc"
