#include "common/TestSupport.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <csignal>

// A process killed in the middle of its saves loses nothing it reported as
// saved, and leaves a database that passes its integrity check.
class CrashTest : public QObject
{
    Q_OBJECT

private slots:
    void killedWhileSavingLosesNothingReported()
    {
#ifndef Q_OS_UNIX
        QSKIP("needs SIGKILL");
#else
        TestDatabase db;
        const int company = db.addCompany(QStringLiteral("Acme"));
        const int job = db.addJob(company, QStringLiteral("Site"), 400000);
        QRandomGenerator rng(20261208);
        QSet<int> hours, payments;
        int kills = 0;
        for (int round = 0; round < 20; ++round) {
            QProcess child;
            child.start(QStringLiteral(CRASH_CHILD),
                        {db.folder(), QString::number(job), QString::number(company)});
            QVERIFY(child.waitForStarted());
            // The kill falls at a random moment once the child is saving: a
            // slow start (a sanitized build) must not leave it nothing to lose.
            QVERIFY(child.waitForReadyRead(30000));
            QTest::qWait(20 + int(rng.bounded(180)));
            ::kill(pid_t(child.processId()), SIGKILL);
            QVERIFY(child.waitForFinished());
            ++kills;
            const QString out = QString::fromLatin1(child.readAllStandardOutput());
            static const QRegularExpression line(QStringLiteral("^(hour|payment) (\\d+)$"),
                                                 QRegularExpression::MultilineOption);
            auto it = line.globalMatch(out);
            while (it.hasNext()) {
                const auto m = it.next();
                const int n = m.captured(2).toInt() + round * 1000000;
                (m.captured(1) == QLatin1String("hour") ? hours : payments).insert(n);
            }
            // Each round numbers its saves afresh; tell them apart by round.
            db.exec(QStringLiteral(
                        "UPDATE tblHours SET dtmStopTime = dtmStopTime + %1 WHERE dtmStopTime < 900000")
                        .arg(round * 1000000 + 1000000));
            db.exec(QStringLiteral("UPDATE tblPayments SET lngPayTypeID = %1 WHERE lngPayTypeID = 1")
                        .arg(round + 100));
        }
        QCOMPARE(kills, 20);
        QCOMPARE(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        QVERIFY2(hours.size() > 20, "the child saved too little to prove anything");
        for (int key : std::as_const(hours)) {
            const int round = key / 1000000, n = key % 1000000;
            const double stop = 40000.5 + n + (round + 1) * 1000000;
            QVERIFY2(
                db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblHours WHERE abs(dtmStopTime - %1) < 1e-6")
                              .arg(stop, 0, 'f', 6))
                        .toInt() == 1,
                qPrintable(QStringLiteral("charge %1 of round %2 lost").arg(n).arg(round)));
        }
        for (int key : std::as_const(payments)) {
            const int round = key / 1000000, n = key % 1000000;
            QVERIFY2(
                db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblPayments WHERE memComments = 'save %1' "
                                         "AND lngPayTypeID = %2")
                              .arg(n)
                              .arg(round + 100))
                        .toInt() == 1,
                qPrintable(QStringLiteral("payment %1 of round %2 lost").arg(n).arg(round)));
        }
        QCOMPARE(db.scalar(QStringLiteral("PRAGMA foreign_key_check")), QVariant());
#endif
    }
};

TAMBERLOCK_DATA_TEST_MAIN(CrashTest)
#include "tst_Crash.moc"
