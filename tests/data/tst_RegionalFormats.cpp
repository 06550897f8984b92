#include "common/TestSupport.h"
#include "data/Export.h"
#include "data/Formats.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

using namespace modTamberlock;

namespace {

// "" is the program's own formats; any other name a locale's.
RegionalFormats formatsOf(const QString &name)
{
    return name.isEmpty() ? RegionalFormats() : RegionalFormats::fromLocale(QLocale(name));
}

const QList<QString> kLocales = {"", "de_DE", "fr_FR", "en_GB", "en_IN", "ja_JP", "ar_EG"};
const QChar kNbsp(0x00a0), kNnbsp(0x202f);
constexpr qint64 kRefused = std::numeric_limits<qint64>::min();

} // namespace

class RegionalFormatsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Formats::setCurrent(RegionalFormats()); }

    void localeFormats_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("money");  // 1234.56
        QTest::addColumn<QString>("moment"); // 31 December 2026 17:30

        QTest::newRow("default") << ""
                                 << "$1,234.56"
                                 << "12/31/2026 05:30:00 PM";
        QTest::newRow("de_DE") << "de_DE" << QString("1.234,56") + kNbsp + "€"
                               << "31.12.2026 17:30:00";
        QTest::newRow("fr_FR") << "fr_FR" << QString("1") + kNnbsp + "234,56" + kNbsp + "€"
                               << "31/12/2026 17:30:00";
        QTest::newRow("en_GB") << "en_GB"
                               << "£1,234.56"
                               << "31/12/2026 17:30:00";
        QTest::newRow("ja_JP") << "ja_JP" << QString(QChar(0xffe5)) + "1,235"
                               << "2026/12/31 17:30:00";
    }
    void localeFormats()
    {
        QFETCH(QString, locale);
        QFETCH(QString, money);
        QFETCH(QString, moment);
        const RegionalFormats f = formatsOf(locale);
        QCOMPARE(f.problem(), QString());
        QCOMPARE(formatCurrency(12345600, f), money);
        QCOMPARE(formatDateTime(makeDateTime(QDate(2026, 12, 31), QTime(17, 30)), f), moment);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("amount");
        const QList<qint64> amounts = {0, 12345600, -12345600, 5, -49, 123456789012345, 9999999};
        for (const QString &l : kLocales)
            for (const qint64 a : amounts)
                QTest::addRow("%s %lld", qPrintable(l.isEmpty() ? "default" : l), a) << l << a;
        // A currency of three decimals.
        QTest::newRow("KWD") << "ar_KW" << qint64(12346);
    }
    void roundTrip()
    {
        QFETCH(QString, locale);
        QFETCH(qint64, amount);
        const RegionalFormats f = formatsOf(locale);
        const QString money = formatCurrency(amount, f);
        QCOMPARE(parseCurrency(money, f), roundToCent(amount, f));
        const QDateTime moment = makeDateTime(QDate(1973, 6, 29), QTime(14, 21, amount < 0 ? 59 : 0));
        QCOMPARE(parseDateTime(formatDateTime(moment, f), f), moment);
        QCOMPARE(parseDateTime(formatGeneralDate(moment, f), f), moment);
        // What an editor shows of a loaded amount reads back exactly.
        QCOMPARE(parseCurrency(currencyToPlainText(amount, f), f), amount);
    }

    void roundsToTheCurrency_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<qint64>("shown");
        QTest::newRow("JPY down") << "JPY" << qint64(12344999) << qint64(12340000);
        QTest::newRow("JPY half") << "JPY" << qint64(-12345000) << qint64(-12350000);
        QTest::newRow("KWD half") << "KWD" << qint64(12345) << qint64(12350);
        QTest::newRow("KWD down") << "KWD" << qint64(12344) << qint64(12340);
        QTest::newRow("USD") << "USD" << qint64(12345) << qint64(12300);
    }
    void roundsToTheCurrency()
    {
        QFETCH(QString, code);
        QFETCH(qint64, amount);
        QFETCH(qint64, shown);
        RegionalFormats f;
        f.currencyCode = code;
        f.decimals = RegionalFormats::currencyDecimals(code);
        QCOMPARE(roundToCent(amount, f), std::optional<Currency>(shown));
        QCOMPARE(parseCurrency(formatCurrency(amount, f), f), std::optional<Currency>(shown));
    }

    void typedMoney_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("amount"); // kRefused: not an amount
        QTest::newRow("de full") << "de_DE"
                                 << "1.234,56 €" << qint64(12345600);
        QTest::newRow("de plain") << "de_DE"
                                  << "1234,56" << qint64(12345600);
        QTest::newRow("de one decimal") << "de_DE"
                                        << "1.234,5" << qint64(12345000);
        QTest::newRow("de code") << "de_DE"
                                 << "EUR -5" << qint64(-50000);
        QTest::newRow("de point refused") << "de_DE"
                                          << "1234.5" << kRefused;
        QTest::newRow("de bad groups") << "de_DE"
                                       << "1.23,5" << kRefused;
        QTest::newRow("de dollar refused") << "de_DE"
                                           << "$5" << kRefused;
        QTest::newRow("de empty") << "de_DE"
                                  << "" << kRefused;
        QTest::newRow("gb") << "en_GB"
                            << "£1,234.56" << qint64(12345600);
        QTest::newRow("gb brackets") << "en_GB"
                                     << "(£1.50)" << qint64(-15000);
        QTest::newRow("ja yen") << "ja_JP"
                                << "¥1,235" << qint64(12350000);
        QTest::newRow("ja full-width") << "ja_JP"
                                       << "￥1235" << qint64(12350000);
        QTest::newRow("fr typed space") << "fr_FR"
                                        << "1 234,56 €" << qint64(12345600);
        QTest::newRow("in lakh") << "en_IN"
                                 << "₹12,34,567.50" << qint64(12345675000);
        QTest::newRow("in western") << "en_IN"
                                    << "1,234,567" << qint64(12345670000);
        QTest::newRow("eg native digits") << "ar_EG"
                                          << "١٬٢٣٤٫٥٦" << qint64(12345600);
        QTest::newRow("default comma") << ""
                                       << "$1,234.50" << qint64(12345000);
    }
    void typedMoney()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(qint64, amount);
        const std::optional<Currency> read = parseCurrency(text, formatsOf(locale));
        QCOMPARE(read, amount == kRefused ? std::nullopt : std::optional<Currency>(amount));
    }

    void typedMoments_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected"); // invalid: not a moment
        const QDateTime evening = makeDateTime(QDate(2026, 12, 31), QTime(17, 30));
        QTest::newRow("gb short") << "en_GB"
                                  << "31/12/2026 17:30" << evening;
        QTest::newRow("de 24h") << "de_DE"
                                << "31.12.2026 17:30" << evening;
        QTest::newRow("de with mark") << "de_DE"
                                      << "31.12.2026 5:30 PM" << evening;
        QTest::newRow("de iso") << "de_DE"
                                << "2026-12-31 17:30" << evening;
        QTest::newRow("de us order refused") << "de_DE"
                                             << "12/31/2026 17:30" << QDateTime();
        QTest::newRow("default day first refused") << ""
                                                   << "31/12/2026 17:30" << QDateTime();
        QTest::newRow("ja") << "ja_JP"
                            << "2026/12/31 17:30" << evening;
        QTest::newRow("eg native digits") << "ar_EG"
                                          << "٣١/١٢/٢٠٢٦ ١٧:٣٠" << evening;
        QTest::newRow("gb nonsense") << "en_GB"
                                     << "31/12" << QDateTime();
    }
    void typedMoments()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const std::optional<QDateTime> read = parseDateTime(text, formatsOf(locale));
        QCOMPARE(read.value_or(QDateTime()), expected);
    }

    // The export keeps a point and no grouping, to the currency's decimals.
    void exportedMoney_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("default") << "" << qint64(-12345600) << "-1234.56";
        QTest::newRow("de_DE") << "de_DE" << qint64(12345600) << "1234.56";
        QTest::newRow("ja_JP") << "ja_JP" << qint64(12345000) << "1235";
        QTest::newRow("ar_KW") << "ar_KW" << qint64(-12345) << "-1.235";
    }
    void exportedMoney()
    {
        QFETCH(QString, locale);
        QFETCH(qint64, amount);
        QFETCH(QString, text);
        QVERIFY(Formats::setCurrent(formatsOf(locale)));
        QCOMPARE(Export::csvMoney(amount), text);
    }

    void followsTheFormatsInForce()
    {
        QSignalSpy spy(Formats::notifier(), &FormatsNotifier::changed);
        const RegionalFormats german = formatsOf("de_DE");
        QVERIFY(Formats::setCurrent(german));
        QCOMPARE(spy.count(), 1);
        QVERIFY(Formats::setCurrent(german));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(formatCurrencyText(QStringLiteral("1.234,5")), QString("1.234,50") + kNbsp + "€");
        QCOMPARE(dateTimeTextToOle(QStringLiteral("29.06.1973 14:21:00")), ole(1973, 6, 29, 14, 21));
        // The pending stop time in the program's own form is still known.
        QVERIFY(IsPendingTime(QString::fromLatin1(kStopTimePending)));
        QVERIFY(IsPendingTime(QStringLiteral("29.06.1973 14:21:00")));
        RegionalFormats broken = german;
        broken.groupSeparator = broken.decimalSeparator;
        QVERIFY(!Formats::setCurrent(broken));
        QCOMPARE(Formats::current(), german);
    }

    void settingsStore_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value"); // written over the locale's
        QTest::newRow("valid de_DE") << "de_DE"
                                     << ""
                                     << "";
        QTest::newRow("valid fr_FR") << "fr_FR"
                                     << ""
                                     << "";
        QTest::newRow("valid en_IN") << "en_IN"
                                     << ""
                                     << "";
        QTest::newRow("unknown currency") << "de_DE"
                                          << "Currency"
                                          << "XYZ";
        QTest::newRow("equal separators") << "de_DE"
                                          << "GroupSeparator"
                                          << ",";
        QTest::newRow("empty date order") << "de_DE"
                                          << "DateOrder"
                                          << "";
        QTest::newRow("decimals") << "de_DE"
                                  << "Decimals"
                                  << "many";
        QTest::newRow("clock") << "de_DE"
                               << "Clock"
                               << "13";
    }
    void settingsStore()
    {
        QFETCH(QString, locale);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QTemporaryDir dir;
        QSettings store(dir.filePath("kiv.ini"), QSettings::IniFormat);
        const RegionalFormats stored = formatsOf(locale);
        stored.write(store);
        if (!key.isEmpty())
            store.setValue("Formats/" + key, value);
        store.sync();
        // Read back from the file, not from the writer's cache.
        QSettings again(dir.filePath("kiv.ini"), QSettings::IniFormat);
        QString why;
        const RegionalFormats read = RegionalFormats::read(again, &why);
        QCOMPARE(why.isEmpty(), key.isEmpty());
        QCOMPARE(read, key.isEmpty() ? stored : RegionalFormats());
    }
};

TAMBERLOCK_DATA_TEST_MAIN(RegionalFormatsTest)

#include "tst_RegionalFormats.moc"
