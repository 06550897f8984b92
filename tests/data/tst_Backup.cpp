#include "common/TestSupport.h"

#include "data/Backup.h"
#include "data/Clock.h"
#include "data/DataPath.h"
#include "data/Formats.h"
#include "data/RecordStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

namespace {

// Every row of every table, in key order, as one text.
QString contents(const QString &file)
{
    QString all;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("contents"));
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            for (const char *table : {"tblCompanys", "tblJobs", "tblHours", "tblPayments", "lkuPayTypes"}) {
                all += QLatin1String(table) + QLatin1Char(':');
                q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(table)));
                while (q.next()) {
                    for (int i = 0; i < q.record().count(); ++i)
                        all += q.value(i).toString() + QLatin1Char('|');
                    all += QLatin1Char('\n');
                }
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("contents"));
    return all;
}

// Companies, each with one project of 40 charges and one payment, in a few
// statements (one connection each).
void fill(TestDatabase &db, int companies)
{
    const QString numbers = QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                                           "WHERE i + 1 < %1) ");
    db.exec(
        numbers.arg(companies) +
        QStringLiteral("INSERT INTO tblCompanys (strCompanyName, strComments) SELECT 'Company ' || i, 'N/A' "
                       "FROM n"));
    db.exec(numbers.arg(companies) +
            QStringLiteral("INSERT INTO tblJobs (lngCompanyID, strJobName, curHourlyWage, dtmDeadLine) "
                           "SELECT i + 1, 'Project ' || i, 500000 + i, 46100.5 FROM n"));
    db.exec(numbers.arg(companies * 40) +
            QStringLiteral("INSERT INTO tblHours (lngJobID, dtmStartTime, dtmStopTime) "
                           "SELECT 1 + i % %1, 46000.25 + i, 46000.3 + i FROM n")
                .arg(companies));
    db.exec(numbers.arg(companies) +
            QStringLiteral("INSERT INTO tblPayments (lngCompanyID, curAmount, dtmTransaction, memComments, "
                           "lngPayTypeID) SELECT i + 1, 123456 + i, 46050.5, 'paid, \"thanks\"', 1 FROM n"));
}

QDateTime at(int day, int hour = 9)
{
    return modTamberlock::makeDateTime(QDate(2026, 12, day), QTime(hour, 0));
}

} // namespace

class BackupTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::useSystemClock(); }

    void copyHoldsEveryRowUnderItsTimeName()
    {
        TestDatabase db;
        fill(db, 30);
        QString error;
        const QString copy =
            Backup::makeCopy(db.file(), Backup::folder(), Backup::Kind::Daily, at(8), &error);
        QVERIFY2(!copy.isEmpty(), qPrintable(error));
        QCOMPARE(QFileInfo(copy).fileName(), QStringLiteral("Tamberlock-2026-12-08_09-00-00-daily.mdb"));
        QCOMPARE(contents(copy), contents(db.file()));
        QVERIFY(contents(copy).count(QLatin1Char('\n')) > 30 * 40);
        // Nothing but the copy is left in the folder.
        QCOMPARE(QDir(Backup::folder()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QFileInfo(copy).fileName()});
    }

    void cascadingDeleteLeavesACopyWithTheDeletedRows_data()
    {
        QTest::addColumn<int>("what");
        QTest::addColumn<int>("copies");
        QTest::newRow("company") << 0 << 1;
        QTest::newRow("project") << 1 << 1;
        QTest::newRow("charge, no cascade") << 2 << 0;
    }
    void cascadingDeleteLeavesACopyWithTheDeletedRows()
    {
        QFETCH(int, what);
        QFETCH(int, copies);
        TestDatabase db;
        ScriptedPrompter p;
        fill(db, 2);
        const int hoursBefore = db.count(QStringLiteral("tblHours"));
        const QString before = contents(db.file());
        if (what == 0)
            modTamberlock::DeleteCompanyRecord(1);
        else if (what == 1)
            modTamberlock::DeleteJobRecord(1);
        else
            modTamberlock::DeleteHourRecord(1);
        QVERIFY(db.count(QStringLiteral("tblHours")) < hoursBefore);
        QCOMPARE(p.count(), 0);
        const QStringList made = Backup::copies(Backup::folder(), Backup::Kind::BeforeDelete);
        QCOMPARE(made.size(), copies);
        if (copies)
            QCOMPARE(contents(made.first()), before);
    }

    void aFailedBackupNeverStopsTheDelete()
    {
        TestDatabase db;
        ScriptedPrompter p;
        fill(db, 1);
        // A file where the folder should be: no copy can be written.
        QFile blocker(db.folder() + QStringLiteral("Backups"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        modTamberlock::DeleteCompanyRecord(1);
        QCOMPARE(db.count(QStringLiteral("tblCompanys")), 0);
        QCOMPARE(p.count(), 0);
    }

    void copyRefusesWhatIsNotSound_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "missing"
                                 << "does not exist";
        QTest::newRow("not a database") << "header"
                                        << "not a database";
        QTest::newRow("damaged page") << "page"
                                      << "integrity check";
        QTest::newRow("not ours") << "foreign"
                                  << "not a Tamberlock database";
        QTest::newRow("locked") << "locked"
                                << "locked";
        QTest::newRow("target exists") << "target"
                                       << "already exists";
    }
    void copyRefusesWhatIsNotSound()
    {
        QFETCH(QString, damage);
        QFETCH(QString, message);
        TestDatabase db;
        fill(db, 30);
        QString source = db.file();
        const QString target = db.folder() + QStringLiteral("restored.mdb");
        std::unique_ptr<DatabaseLocker> locker;
        if (damage == QLatin1String("missing")) {
            source += QStringLiteral(".gone");
        } else if (damage == QLatin1String("foreign")) {
            db.exec(QStringLiteral("DROP TABLE tblPayments"));
        } else if (damage == QLatin1String("locked")) {
            locker = std::make_unique<DatabaseLocker>(source);
            QVERIFY(locker->locked());
        } else if (damage == QLatin1String("target")) {
            QFile existing(target);
            QVERIFY(existing.open(QIODevice::WriteOnly));
            existing.write("keep me");
        } else {
            QFile file(source);
            QVERIFY(file.open(QIODevice::ReadWrite));
            // The header, or the middle of a page of the charges' table.
            file.seek(damage == QLatin1String("header") ? 0 : file.size() - 3 * 4096 + 200);
            file.write(QByteArray(600, '\x5a'));
        }
        QString error;
        QVERIFY(!Backup::copyDatabase(source, target, true, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY(!error.contains(QLatin1Char('\n')));
        QCOMPARE(fileBytes(target), damage == QLatin1String("target") ? QByteArray("keep me") : QByteArray());
        QVERIFY(!QFileInfo::exists(target + QStringLiteral(".part")));
    }

    void retentionKeepsTheNewestOfEachKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("bound");
        QTest::newRow("daily") << int(Backup::Kind::Daily) << Backup::kDailyKept;
        QTest::newRow("before delete") << int(Backup::Kind::BeforeDelete) << Backup::kBeforeDeleteKept;
    }
    void retentionKeepsTheNewestOfEachKind()
    {
        QFETCH(int, kind);
        QFETCH(int, bound);
        TestDatabase db;
        const QString folder = Backup::folder();
        QDir().mkpath(folder);
        // What a copy killed halfway leaves, long ago and just now.
        const QString oldPart = folder + QStringLiteral("/Tamberlock-2026-11-01_09-00-00-daily.mdb.part");
        const QString freshPart = folder + QStringLiteral("/Tamberlock-2026-12-08_09-00-00-delete.mdb.part");
        for (const QString &path : {oldPart, freshPart}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QStringList made;
        for (int n = 0; n < bound + 3; ++n) {
            // Two in the same second are kept apart by their names.
            const QDateTime when = at(1).addSecs(3600 * (n / 2));
            made << Backup::makeCopy(db.file(), folder, Backup::Kind(kind), when, nullptr);
            QVERIFY(!made.last().isEmpty());
        }
        QCOMPARE(Backup::copies(folder, Backup::Kind(kind)), made.mid(3));
        QVERIFY(!QFileInfo::exists(oldPart));
        QVERIFY(QFileInfo::exists(freshPart));
        // The other kind is not counted against this one.
        const auto other =
            Backup::Kind(kind) == Backup::Kind::Daily ? Backup::Kind::BeforeDelete : Backup::Kind::Daily;
        QVERIFY(Backup::copies(folder, other).isEmpty());
    }

    void startUpCopyOncePerDay()
    {
        TestDatabase db;
        const QString folder = Backup::folder();
        Clock::setNow(at(8));
        Backup::atStartup();
        QCOMPARE(Backup::copies(folder, Backup::Kind::Daily).size(), 1);
        Clock::setNow(at(9, 8));
        Backup::atStartup();
        QCOMPARE(Backup::copies(folder, Backup::Kind::Daily).size(), 1);
        Clock::setNow(at(9, 9));
        Backup::atStartup();
        QCOMPARE(Backup::copies(folder, Backup::Kind::Daily).size(), 2);
    }
};

TAMBERLOCK_DATA_TEST_MAIN(BackupTest)
#include "tst_Backup.moc"
