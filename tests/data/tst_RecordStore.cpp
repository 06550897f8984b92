#include "common/TestSupport.h"

#include "data/Connection.h"
#include "data/DataPath.h"
#include "data/Formats.h"
#include "data/Notices.h"
#include "data/RecordStore.h"
#include "data/StepRunner.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace modTamberlock;

namespace {

QString saveCompany(qint32 id, const QString &name, const QString &addr2 = {}, const QString &zip = {},
                    const QString &comments = {}, const QString &phone = {}, const QString &fax = {})
{
    return SaveCompanyRecord(id, name, QStringLiteral("http://a.example"), QStringLiteral("1 Main St"), addr2,
                             QStringLiteral("Boston"), QStringLiteral("MA"), zip, comments,
                             QStringLiteral("Ann"), QStringLiteral("ann@a.example"), phone, fax);
}

} // namespace

class RecordStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        // Every routine closes and releases its connection on every way out.
        QVERIFY2(QSqlDatabase::connectionNames().isEmpty(),
                 qPrintable(QSqlDatabase::connectionNames().join(QLatin1Char(','))));
    }

    void dataPath_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "/opt/tamberlock"
                               << "/opt/tamberlock/";
        QTest::newRow("slash") << "/opt/tamberlock/"
                               << "/opt/tamberlock/";
        QTest::newRow("root") << "/"
                              << "/";
        QTest::newRow("drive root") << "C:\\"
                                    << "C:\\";
        QTest::newRow("backslash folder") << "C:\\Tamberlock"
                                          << "C:\\Tamberlock/";
    }
    void dataPath()
    {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(dataPathFor(folder), expected);
    }

    void emptyDatabaseHasFiveTablesAndTheCommonPayTypes()
    {
        TestDatabase db;
        QVERIFY(db.isValid());
        for (const char *table : {"tblCompanys", "tblJobs", "tblHours", "tblPayments"})
            QCOMPARE(db.count(QLatin1String(table)), 0);
        QVERIFY(db.count(QStringLiteral("lkuPayTypes")) >= 3);
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT strPayType FROM lkuPayTypes WHERE lngPayTypeID = 1")).toString(),
            QStringLiteral("Cash"));
    }

    void everyConnectionHasForeignKeysAndFullSync()
    {
        TestDatabase db;
        Connection c;
        QVERIFY(!c.open());
        QSqlQuery q = c.newQuery();
        QVERIFY(q.exec(QStringLiteral("PRAGMA foreign_keys")) && q.next());
        QCOMPARE(q.value(0).toInt(), 1);
        QVERIFY(q.exec(QStringLiteral("PRAGMA synchronous")) && q.next());
        QCOMPARE(q.value(0).toInt(), 2);
    }

    void firstCompanyGetsFirstKeyAndKeysAreNeverReused()
    {
        TestDatabase db;
        ScriptedPrompter p;
        QCOMPARE(saveCompany(0, QStringLiteral("Acme")), QString());
        QCOMPARE(db.scalar(QStringLiteral("SELECT MAX(lngCompanyID) FROM tblCompanys")).toInt(), 1);
        QCOMPARE(saveCompany(0, QStringLiteral("Brum")), QString());
        DeleteCompanyRecord(2);
        QCOMPARE(saveCompany(0, QStringLiteral("Cobb")), QString());
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT lngCompanyID FROM tblCompanys WHERE strCompanyName = 'Cobb'"))
                .toInt(),
            3);
        QCOMPARE(p.count(), 0);
    }

    void companyRulesOnSave()
    {
        TestDatabase db;
        ScriptedPrompter p;
        QCOMPARE(saveCompany(0, QStringLiteral("Acme"), QStringLiteral("Suite 5"), QStringLiteral("01234"),
                             {}, QStringLiteral("(555) 123-4567"), QString()),
                 QString());
        auto field = [&](const char *name) {
            return db.scalar(
                QStringLiteral("SELECT %1 FROM tblCompanys WHERE lngCompanyID = 1").arg(QLatin1String(name)));
        };
        QCOMPARE(field("strComments").toString(), QStringLiteral("N/A"));
        QCOMPARE(field("strCompanyZip").toString(), QStringLiteral("01234")); // leading zero kept
        QCOMPARE(field("strCompanyPhone").toString(), QStringLiteral("(555) 123-4567"));
        QVERIFY(!field("strCompanyFax").isNull());
        QCOMPARE(field("strCompanyFax").toString(), QString());

        // "N/A" stays "N/A"; a cleared second address line is cleared (Null).
        QCOMPARE(saveCompany(1, QStringLiteral("Acme Ltd"), QString(), QStringLiteral(" 0201234567 "),
                             QStringLiteral("N/A"), QStringLiteral("0201234567")),
                 QString());
        QCOMPARE(field("strCompanyName").toString(), QStringLiteral("Acme Ltd"));
        QCOMPARE(field("strComments").toString(), QStringLiteral("N/A"));
        QVERIFY(field("strCompanyAddr2").isNull());
        QCOMPARE(field("strCompanyPhone").toString(), QStringLiteral("0201234567"));
        QCOMPARE(field("strCompanyZip").toString(), QStringLiteral("0201234567"));
        QCOMPARE(p.count(), 0);
    }

    void newCompanyWithoutSecondLineStoresNull()
    {
        TestDatabase db;
        ScriptedPrompter p;
        QCOMPARE(saveCompany(0, QStringLiteral("Acme")), QString());
        QVERIFY(db.scalar(QStringLiteral("SELECT strCompanyAddr2 FROM tblCompanys")).isNull());
    }

    void valuesAreStoredWithTheirTypes()
    {
        TestDatabase db;
        ScriptedPrompter p;
        const int company = db.addCompany(QStringLiteral("Acme"));
        const OleDate deadline = ole(2027, 1, 31, 17, 0, 0);
        QCOMPARE(SaveJobRecord(0, company, QStringLiteral("Site"), 375000, deadline), QString());
        QCOMPARE(db.scalar(QStringLiteral("SELECT typeof(curHourlyWage) || typeof(dtmDeadLine) FROM tblJobs"))
                     .toString(),
                 QStringLiteral("integerreal"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT curHourlyWage FROM tblJobs")).toLongLong(), 375000);
        QCOMPARE(db.scalar(QStringLiteral("SELECT dtmDeadLine FROM tblJobs")).toDouble(), deadline);

        QCOMPARE(SaveHourRecord(0, 1, ole(2026, 12, 8, 9), 0.0), QString());
        QCOMPARE(db.scalar(QStringLiteral("SELECT dtmStopTime FROM tblHours")).toDouble(), 0.0);
        QCOMPARE(SaveHourRecord(1, 1, ole(2026, 12, 8, 9), ole(2026, 12, 8, 11)), QString());
        QCOMPARE(db.scalar(QStringLiteral("SELECT dtmStopTime FROM tblHours WHERE lngHourID = 1")).toDouble(),
                 ole(2026, 12, 8, 11));
        QCOMPARE(db.count(QStringLiteral("tblHours")), 1);

        QCOMPARE(SavePaymentRecord(0, company, 100000, ole(2026, 12, 1), QString(), 1), QString());
        const QVariant comments = db.scalar(QStringLiteral("SELECT memComments FROM tblPayments"));
        QVERIFY(!comments.isNull());
        QCOMPARE(comments.toString(), QString());

        QCOMPARE(SavePayTypeRecord(0, QStringLiteral("  Barter  ")), QString());
        QCOMPARE(db.scalar(QStringLiteral("SELECT strPayType FROM lkuPayTypes ORDER BY lngPayTypeID DESC"))
                     .toString(),
                 QStringLiteral("  Barter  "));
        QCOMPARE(p.count(), 0);
    }

    void hostileTextIsStoredUnchanged_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes") << QStringLiteral("O'Brien \"Bob\" `x`");
        QTest::newRow("sql") << QStringLiteral("x'); DROP TABLE tblCompanys; --");
        QTest::newRow("semicolons") << QStringLiteral(";;;SELECT * FROM tblJobs;");
        QTest::newRow("long") << QString(10000, QLatin1Char('w'));
        QTest::newRow("non-latin") << QStringLiteral("Зарывидуд 株式会社 שלום مرحبا");
        QTest::newRow("combining and emoji") << QStringLiteral("e\u0301\u0308 \U0001F600\U0001F4B0");
        QTest::newRow("control") << QStringLiteral("tab\there\r\nnew\x01line");
    }
    void hostileTextIsStoredUnchanged()
    {
        QFETCH(QString, text);
        TestDatabase db;
        ScriptedPrompter p;
        QCOMPARE(saveCompany(0, text, text, text, text), QString());
        QCOMPARE(db.count(QStringLiteral("tblCompanys")), 1);
        for (const char *f : {"strCompanyName", "strCompanyAddr2", "strComments"})
            QCOMPARE(db.scalar(QStringLiteral("SELECT %1 FROM tblCompanys").arg(QLatin1String(f))).toString(),
                     text);
        QCOMPARE(SavePaymentRecord(0, 1, 1, 1.0, text, 1), QString());
        QCOMPARE(db.scalar(QStringLiteral("SELECT memComments FROM tblPayments")).toString(), text);
    }

    void deletingACompanyCascades()
    {
        TestDatabase db;
        ScriptedPrompter p;
        const int acme = db.addCompany(QStringLiteral("Acme"));
        const int other = db.addCompany(QStringLiteral("Other"));
        const int job1 = db.addJob(acme, QStringLiteral("One"), 400000);
        const int job2 = db.addJob(acme, QStringLiteral("Two"), 400000);
        const int keep = db.addJob(other, QStringLiteral("Keep"), 400000);
        db.addHour(job1, 1.0, 2.0);
        db.addHour(job2, 1.0, {});
        db.addHour(keep, 1.0, 2.0);
        db.addPayment(acme, 100000, 1.0);
        db.addPayment(other, 100000, 1.0);

        DeleteCompanyRecord(acme);
        QCOMPARE(db.count(QStringLiteral("tblCompanys")), 1);
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblJobs WHERE lngCompanyID = %1").arg(acme))
                     .toInt(),
                 0);
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblPayments WHERE lngCompanyID = %1").arg(acme))
                .toInt(),
            0);
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblHours WHERE lngJobID NOT IN "
                                          "(SELECT lngJobID FROM tblJobs)"))
                     .toInt(),
                 0);
        QCOMPARE(db.count(QStringLiteral("tblHours")), 1);
        QCOMPARE(db.count(QStringLiteral("tblPayments")), 1);

        DeleteJobRecord(keep);
        QCOMPARE(db.count(QStringLiteral("tblHours")), 0);
        QCOMPARE(p.count(), 0);
    }

    void otherDeletes()
    {
        TestDatabase db;
        ScriptedPrompter p;
        const int c = db.addCompany(QStringLiteral("Acme"));
        const int j = db.addJob(c, QStringLiteral("One"), 1);
        const int h = db.addHour(j, 1.0, 2.0);
        const int pay = db.addPayment(c, 1, 1.0);
        DeleteHourRecord(h);
        DeletePaymentRecord(pay);
        DeletePayTypeRecord(1);
        QCOMPARE(db.count(QStringLiteral("tblHours")), 0);
        QCOMPARE(db.count(QStringLiteral("tblPayments")), 0);
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM lkuPayTypes WHERE lngPayTypeID = 1")).toInt(),
                 0);
        // A key that names no row deletes nothing and shows nothing.
        DeleteJobRecord(999);
        QCOMPARE(db.count(QStringLiteral("tblJobs")), 1);
        QCOMPARE(p.count(), 0);
    }

    void creditsSumTheCompanysPayments()
    {
        TestDatabase db;
        ScriptedPrompter p;
        const int acme = db.addCompany(QStringLiteral("Acme"));
        const int none = db.addCompany(QStringLiteral("None"));
        db.addPayment(acme, 100000, 1.0);
        db.addPayment(acme, 25000, 2.0);
        QCOMPARE(GetCompanyCredits(acme), Currency(125000));
        QCOMPARE(GetCompanyCredits(none), Currency(0));
        QCOMPARE(GetCompanyCredits(4711), Currency(0));
        QFile::remove(db.file());
        bool readFailed = false;
        QVERIFY(!GetCompanyCredits(acme, &readFailed));
        QVERIFY(readFailed);
        QVERIFY(!QFile::exists(db.file()));
        QCOMPARE(p.count(), 0);
    }

    void errorBoxLayout()
    {
        const MessageBoxRequest r =
            errorBoxRequest({14, QStringLiteral("unable to open database file"), QStringLiteral("SQLite")});
        QCOMPARE(r.title, QStringLiteral("An Error Occured!"));
        QCOMPARE(r.text, QStringLiteral("Error: 14 - unable to open database file\r\nFrom: SQLite."));
        QCOMPARE(r.icon, BoxIcon::Warning);
        QCOMPARE(r.buttons, BoxButtons::AbortRetryIgnore);
        QCOMPARE(r.defaultButton, 2);

        const MessageBoxRequest l =
            loaderErrorBoxRequest({1, QStringLiteral("no such table: tblJobs"), QStringLiteral("SQLite")},
                                  QStringLiteral("In LoadLvwJobs:    "), QStringLiteral("SELECT 1;"));
        QCOMPARE(l.title, QStringLiteral("Error!"));
        QCOMPARE(l.text, QStringLiteral("1 no such table: tblJobs\r\nIn LoadLvwJobs:    \r\nSELECT 1;"));
        QCOMPARE(l.icon, BoxIcon::Error);
        QCOMPARE(l.defaultButton, 2);
    }

    void notices()
    {
        ScriptedPrompter p;
        p.answer({BoxResult::Ok, BoxResult::Ok, BoxResult::Ok});
        ShowNotImplemented();
        ShowRecordAdded();
        ShowRecordSaved();
        QCOMPARE(p.count(), 3);
        const MessageBoxRequest &ni = p.shown().at(0).message;
        QCOMPARE(ni.title, QStringLiteral("Feature Not Implemented                "));
        QCOMPARE(ni.text,
                 QStringLiteral("This Feature has not\r\n been implemented yet. \r\n Support Brumvale by "
                                "making\r\n donations at http://www.brumvale.example/"));
        QCOMPARE(ni.icon, BoxIcon::Error);
        QCOMPARE(ni.buttons, BoxButtons::Ok);
        QCOMPARE(p.shown().at(1).message.title, QStringLiteral("Record Added Successfully!"));
        QCOMPARE(p.shown().at(1).message.text, QStringLiteral("Record Added Successfully!"));
        QCOMPARE(p.shown().at(1).message.icon, BoxIcon::Information);
        QCOMPARE(p.shown().at(2).message.text, QStringLiteral("Record Saved."));
    }

    void missingFileAbortReturnsAtOnce()
    {
        TestDatabase db;
        QFile::remove(db.file());
        ScriptedPrompter p;
        p.answer(BoxResult::Abort);
        const QString result = saveCompany(0, QStringLiteral("Acme"));
        QCOMPARE(p.count(), 1);
        QVERIFY(result.startsWith(QStringLiteral("Error: 14 - ")));
        QCOMPARE(result, p.last().text);
        QCOMPARE(p.last().title, QStringLiteral("An Error Occured!"));
        QVERIFY(!QFile::exists(db.file()));
    }

    void missingFileIgnoreShowsOneBoxPerStep_data()
    {
        QTest::addColumn<int>("routine");
        QTest::addColumn<int>("boxes");
        // connect, open the row, add it, one per field, write it
        QTest::newRow("company, no second line") << 0 << 3 + 12 + 1;
        QTest::newRow("project") << 1 << 3 + 4 + 1;
        QTest::newRow("charge") << 2 << 3 + 3 + 1;
        QTest::newRow("payment") << 3 << 3 + 5 + 1;
        QTest::newRow("pay type") << 4 << 3 + 1 + 1;
        QTest::newRow("delete: connect, execute") << 5 << 2;
    }
    void missingFileIgnoreShowsOneBoxPerStep()
    {
        QFETCH(int, routine);
        QFETCH(int, boxes);
        TestDatabase db;
        QFile::remove(db.file());
        ScriptedPrompter p;
        for (int i = 0; i < boxes; ++i)
            p.answer(BoxResult::Ignore);
        QString result;
        switch (routine) {
        case 0: result = saveCompany(0, QStringLiteral("Acme")); break;
        case 1: result = SaveJobRecord(0, 1, QStringLiteral("x"), 1, 1.0); break;
        case 2: result = SaveHourRecord(0, 1, 1.0, 2.0); break;
        case 3: result = SavePaymentRecord(0, 1, 1, 1.0, QString(), 1); break;
        case 4: result = SavePayTypeRecord(0, QStringLiteral("x")); break;
        case 5: DeleteHourRecord(1); break;
        }
        QCOMPARE(p.count(), boxes);
        QCOMPARE(p.unexpected(), 0);
        if (routine != 5)
            QCOMPARE(result, p.last().text);
        QVERIFY(!QFile::exists(db.file()));
    }

    void retryAfterTheLockGoesCompletesTheSave()
    {
        TestDatabase db;
        ScriptedPrompter p;
        auto locker = std::make_unique<DatabaseLocker>(db.file());
        p.answer(BoxResult::Retry);
        p.onNextBox([&] { locker->release(); });
        const QString again = SavePayTypeRecord(0, QStringLiteral("Barter"));
        QCOMPARE(p.count(), 1);
        // The save went through after the retry, and still reports the earlier error.
        QVERIFY2(again.contains(QStringLiteral("locked")), qPrintable(again));
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT COUNT(*) FROM lkuPayTypes WHERE strPayType = 'Barter'")).toInt(),
            1);
    }

    void lockedAbortWritesNothing()
    {
        TestDatabase db;
        ScriptedPrompter p;
        const int before = db.count(QStringLiteral("lkuPayTypes"));
        {
            DatabaseLocker locker(db.file());
            p.answer(BoxResult::Abort);
            QVERIFY(!SavePayTypeRecord(0, QStringLiteral("Barter")).isEmpty());
        }
        QCOMPARE(p.count(), 1);
        QCOMPARE(db.count(QStringLiteral("lkuPayTypes")), before);
    }

    void aWriteTheDatabaseRefusesIsNotAdded_data()
    {
        QTest::addColumn<BoxResult>("answer");
        QTest::newRow("abort") << BoxResult::Abort;
        QTest::newRow("ignore") << BoxResult::Ignore;
    }
    void aWriteTheDatabaseRefusesIsNotAdded()
    {
        QFETCH(BoxResult, answer);
        TestDatabase db;
        ScriptedPrompter p;
        p.answer(answer);
        // Project 77 does not exist: the database refuses the charge at the write step.
        const QString result = SaveHourRecord(0, 77, 1.0, 2.0);
        QCOMPARE(p.count(), 1);
        QVERIFY2(result.contains(QStringLiteral("FOREIGN KEY")), qPrintable(result));
        QCOMPARE(db.count(QStringLiteral("tblHours")), 0);
    }

    void saveOfARowThatDoesNotExistWritesNothing()
    {
        TestDatabase db;
        ScriptedPrompter p;
        for (int i = 0; i < 5; ++i)
            p.answer(BoxResult::Ignore);
        const QString result = SaveJobRecord(42, 1, QStringLiteral("x"), 1, 1.0);
        QCOMPARE(p.count(), 5); // four fields and the write
        QVERIFY(result.startsWith(QStringLiteral("Error: 3021 - ")));
        QCOMPARE(db.count(QStringLiteral("tblJobs")), 0);
    }

    void notADatabaseIsLeftAsItWas_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("garbage") << QByteArray("This is not a database, just some text.\n").repeated(200);
        QTest::newRow("empty file") << QByteArray();
    }
    void notADatabaseIsLeftAsItWas()
    {
        QFETCH(QByteArray, content);
        TestDatabase db;
        QFile::remove(db.file());
        {
            QFile f(db.file());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const QByteArray before = fileBytes(db.file());
        ScriptedPrompter p;
        p.answer(BoxResult::Abort);
        QVERIFY(!SavePayTypeRecord(0, QStringLiteral("x")).isEmpty());
        QCOMPARE(p.count(), 1);
        p.answer(BoxResult::Abort);
        DeleteCompanyRecord(1);
        QCOMPARE(p.count(), 2);
        QCOMPARE(fileBytes(db.file()), before);
        QCOMPARE(QFileInfo(db.file()).size(), qint64(content.size()));
    }

#ifdef Q_OS_LINUX
    void readOnlyFileShowsTheBoxAndKeepsTheFile()
    {
        TestDatabase db;
        const QByteArray before = fileBytes(db.file());
        ScriptedPrompter p;
        QString result;
        {
            ReadOnlyDatabase readOnly(db);
            p.answer(BoxResult::Abort);
            result = SavePayTypeRecord(0, QStringLiteral("x"));
        }
        QCOMPARE(p.count(), 1);
        QVERIFY2(result.contains(QStringLiteral("readonly")) ||
                     result.contains(QStringLiteral("read-only")) ||
                     result.contains(QStringLiteral("unable to open")),
                 qPrintable(result));
        QCOMPARE(fileBytes(db.file()), before);
    }
#endif

    void retryAfterTheCauseIsGoneCompletesTheSave_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("file replaced by an empty one, then put back") << false;
#ifdef Q_OS_LINUX
        QTest::newRow("file made read-only, then writable") << true;
#endif
    }
    void retryAfterTheCauseIsGoneCompletesTheSave()
    {
        QFETCH(bool, readOnly);
        TestDatabase db;
        const QByteArray saved = fileBytes(db.file());
        const auto replaceFile = [&](const QByteArray &bytes) {
            QFile f(db.file());
            QVERIFY(QFile::remove(db.file()) && f.open(QIODevice::WriteOnly) &&
                    f.write(bytes) == bytes.size());
        };
        std::optional<ReadOnlyDatabase> locked;
        readOnly ? void(locked.emplace(db)) : replaceFile({});
        ScriptedPrompter p;
        p.onNextBox([&] { readOnly ? locked.reset() : replaceFile(saved); });
        p.answer(BoxResult::Retry);
        QVERIFY(!SavePayTypeRecord(0, QStringLiteral("Barter")).isEmpty()); // the earlier error's text
        QCOMPARE(db.scalar(QStringLiteral("SELECT strPayType FROM lkuPayTypes ORDER BY lngPayTypeID DESC"))
                     .toString(),
                 QStringLiteral("Barter"));
    }

    void stepRunnerProtocol()
    {
        ScriptedPrompter p;
        p.answer({BoxResult::Retry, BoxResult::Ignore, BoxResult::Abort});
        StepRunner run;
        int attempts = 0;
        QStringList ran;
        const DbError boom{7, QStringLiteral("boom"), QStringLiteral("Test")};
        run.step([&]() -> StepResult {
            ran << QStringLiteral("a");
            return ++attempts < 2 ? StepResult(boom) : std::nullopt; // fails once, then Retry cures it
        });
        run.step([&]() -> StepResult {
            ran << QStringLiteral("b");
            return boom; // Ignore goes on
        });
        run.step([&]() -> StepResult {
            ran << QStringLiteral("c");
            return boom; // Abort
        });
        QVERIFY(!run.step([&]() -> StepResult {
            ran << QStringLiteral("d");
            return std::nullopt;
        }));
        QCOMPARE(ran, QStringList({"a", "a", "b", "c"}));
        QVERIFY(run.aborted());
        QCOMPARE(run.boxesShown(), 3);
        QCOMPARE(run.lastErrorText(), QStringLiteral("Error: 7 - boom\r\nFrom: Test."));
    }

    void aBoxClosedAnyOtherWayIsAbort()
    {
        ScriptedPrompter p;
        p.answer(BoxResult::Cancel);
        StepRunner run;
        run.step([] { return StepResult(DbError{1, QStringLiteral("x"), QStringLiteral("y")}); });
        QVERIFY(run.aborted());
    }
};

TAMBERLOCK_DATA_TEST_MAIN(RecordStoreTest)
#include "tst_RecordStore.moc"
