#include "MainWindowFixture.h"

#include "data/Clock.h"
#include "data/Export.h"
#include "data/Formats.h"

#include <QBuffer>
#include <QProcess>

using namespace MainFixture;
using modTamberlock::parseCurrency;

namespace {

// RFC 4180 read back: quoted cells may hold commas, quotes and line breaks.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"')
                cell += text.at(++i);
            else if (c == u'"')
                quoted = false;
            else
                cell += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << cell;
            cell.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            rows << (row << cell);
            row.clear();
            cell.clear();
            ++i;
        } else {
            cell += c;
        }
    }
    return rows;
}

QList<QStringList> exported(const QString &file, Export::Report report, const Export::Filter &filter = {})
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const QString error = Export::write(file, report, filter, out);
    if (!error.isEmpty())
        qWarning("export: %s", qPrintable(error));
    return parseCsv(QString::fromUtf8(out.data()));
}

} // namespace

class ExportTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::useSystemClock(); }

    void figuresAgreeWithTheMainWindow()
    {
        TestDatabase db;
        ScriptedPrompter p;
        Clock::setNow(QDateTime(QDate(2024, 3, 15), QTime(10, 0, 0), Qt::UTC));
        const int c = db.addCompany(QStringLiteral("Acme"));
        const int j = db.addJob(c, QStringLiteral("Odd rate"), 333367); // $33.3367 an hour
        db.addJob(c, QStringLiteral("Other"), 1000000);
        db.addHour(j, ole(2024, 3, 1, 9, 0, 0), ole(2024, 3, 1, 9, 0, 1));
        db.addHour(j, ole(2024, 3, 2, 9, 0, 0), ole(2024, 3, 2, 9, 7, 13));
        db.addHour(j, ole(2024, 3, 3, 23, 30, 59), ole(2024, 3, 5, 1, 30, 58));
        db.addHour(j, ole(2024, 3, 4, 12, 0, 0), ole(2024, 3, 4, 11, 45, 0)); // stopped before it started
        db.addHour(j, ole(2024, 3, 15, 8, 30, 17), std::nullopt);
        db.addHour(j, ole(2024, 3, 15, 9, 1, 2), ole(1973, 6, 29, 14, 21, 0));
        db.addHour(j, ole(2024, 3, 15, 9, 59, 59), 0.0);
        db.addPayment(c, 100000, ole(2024, 3, 1));
        db.addPayment(c, 25049, ole(2024, 3, 2)); // $2.5049

        auto w = openWindowOn(c);
        clickRowWithText(list(w.get(), "LvwJobs"), j);
        w->onWatchTick();
        ReportList *hours = list(w.get(), "lvwHours");
        QMap<QString, QString> shown; // start (ISO) -> cost cell
        for (int r = 0; r < hours->rowCount(); ++r) {
            const auto start = modTamberlock::parseDateTime(hours->cell(r, 2));
            QVERIFY(start);
            shown.insert(start->toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")), hours->cell(r, 4));
        }
        QCOMPARE(shown.size(), 7);

        Export::Filter project;
        project.project = j;
        const QList<QStringList> charges = exported(db.file(), Export::Report::Charges, project);
        QCOMPARE(charges.size(), 8);
        QCOMPARE(charges.first().join(QLatin1Char(',')),
                 QStringLiteral("company id,project id,company,project,start,stop,hours,rate,cost,running"));
        for (const QStringList &row : charges.mid(1)) {
            QVERIFY2(shown.contains(row.at(4)), qPrintable(row.join(QLatin1Char(','))));
            QCOMPARE(parseCurrency(row.at(8)), parseCurrency(shown.value(row.at(4))));
            QCOMPARE(row.at(9) == QLatin1String("yes"), row.at(5).isEmpty());
        }
        QCOMPARE(std::count_if(charges.begin(), charges.end(),
                               [](const QStringList &row) { return row.at(9) == QLatin1String("yes"); }),
                 3);

        const QList<QStringList> balance = exported(db.file(), Export::Report::Balance, project);
        QCOMPARE(balance.size(), 2);
        QCOMPARE(parseCurrency(balance.at(1).at(2)), parseCurrency(panel(w.get(), 2)));
        QCOMPARE(parseCurrency(balance.at(1).at(3)), parseCurrency(panel(w.get(), 4)));
        QCOMPARE(parseCurrency(balance.at(1).at(4)), parseCurrency(panel(w.get(), 6)));
    }

    void hostileTextIsQuotedAndDisarmed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cell");
        const auto row = [](const char *name, const char *value, const char *cell) {
            QTest::newRow(name) << QString::fromUtf8(value) << QString::fromUtf8(cell);
        };
        row("plain", "Acme", "Acme");
        row("comma", "Acme, Inc.", "\"Acme, Inc.\"");
        row("quotes", "The \"Best\"", "\"The \"\"Best\"\"\"");
        row("line break", "a\r\nb", "\"a\r\nb\"");
        row("non-Latin", "Zürich Ωμέγα 東京", "Zürich Ωμέγα 東京");
        row("formula", "=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\"");
        row("plus", "+1", "'+1");
        row("minus", "-2+3", "'-2+3");
        row("at", "@SUM(A1)", "'@SUM(A1)");
        row("tab", "\t=1", "'\t=1");
        row("inner equals", "a=b", "a=b");
    }
    void hostileTextIsQuotedAndDisarmed()
    {
        QFETCH(QString, text);
        QFETCH(QString, cell);
        QCOMPARE(Export::csvText(text), cell);
        // Read back, the cell is the text itself (after the apostrophe).
        const QString back = parseCsv(cell + QStringLiteral("\r\n")).value(0).value(0);
        QVERIFY(back == text || back == QLatin1Char('\'') + text);
    }

    void hostileNamesRoundTripAndTheFileIsUntouched()
    {
        TestDatabase db;
        const QString name = QStringLiteral("=cmd|' /C calc'!A0, \"Ωmega\"\nLtd");
        const QString comments = QStringLiteral("-1+2\r\nline, \"two\"");
        const int c = db.addCompany(name);
        db.addPayment(c, -50000, ole(2024, 3, 1, 13, 5, 9), comments);
        const QByteArray before = fileBytes(db.file());
        const QList<QStringList> rows = exported(db.file(), Export::Report::Payments);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(1), (QStringList{QString::number(c), QLatin1Char('\'') + name,
                                          QStringLiteral("2024-03-01T13:05:09"), QStringLiteral("-5.00"),
                                          QStringLiteral("Cash"), QLatin1Char('\'') + comments}));
        QCOMPARE(fileBytes(db.file()), before);
    }

    void commandsSayWhyInOneLine_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("export") << QStringLiteral(EXPORT_COMMAND)
                                << QStringList{QStringLiteral("--db"), QString(), QStringLiteral("balance")};
        QTest::newRow("restore") << QStringLiteral(NEWDB_COMMAND)
                                 << QStringList{QStringLiteral("--from"), QString(),
                                                QStringLiteral("copy.mdb")};
    }
    void commandsSayWhyInOneLine()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, arguments);
        TestDatabase db;
        arguments[1] = db.file();
        DatabaseLocker locker(db.file());
        QVERIFY(locker.locked());
        QProcess run;
        run.setWorkingDirectory(db.folder());
        run.start(command, arguments);
        QVERIFY(run.waitForFinished(30000));
        const QString error = QString::fromLocal8Bit(run.readAllStandardError()).trimmed();
        QVERIFY(run.exitCode() != 0);
        QVERIFY2(error.contains(QLatin1String("locked")) && !error.contains(QLatin1Char('\n')),
                 qPrintable(error));
        QVERIFY(run.readAllStandardOutput().isEmpty());
        QVERIFY(!QFileInfo::exists(db.folder() + QStringLiteral("copy.mdb")));
    }
};

TAMBERLOCK_TEST_MAIN(ExportTest)
#include "tst_Export.moc"
