#include "common/WidgetTestSupport.h"

#include "data/Clock.h"
#include "data/DesktopSettings.h"
#include "data/ElapsedSpan.h"
#include "data/Formats.h"
#include "data/RunningCharges.h"
#include "desktop/DesktopCompanion.h"
#include "desktop/DesktopPage.h"
#include "desktop/InstanceGuard.h"
#include "desktop/WindowMemory.h"
#include "main/frmMain.h"
#include "widgets/ReportList.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>

using namespace modTamberlock;
using RunningCharges::StopOutcome;

namespace {

QDateTime at(int h, int m)
{
    return QDateTime(QDate(2024, 3, 15), QTime(h, m), Qt::UTC);
}

qint64 secs(int h, int m)
{
    return ElapsedSpan::secondsOf(at(h, m));
}

const OleDate kPending = ole(1973, 6, 29, 14, 21);

QSettings settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kiv"),
                     QStringLiteral("Kiv"));
}

} // namespace

class DesktopTest : public DatabaseTest
{
    Q_OBJECT

    int job = 0;

    QVariant stopOf(int charge) const
    {
        return db->scalar(
            QStringLiteral("SELECT dtmStopTime FROM tblHours WHERE lngHourID = %1").arg(charge));
    }
    // The away question answered for the one running charge.
    void answerAway(std::initializer_list<BoxResult> answers, int leftH, int leftM)
    {
        DesktopCompanion companion(nullptr, {});
        p->answer(answers);
        companion.askAboutAway(RunningCharges::read(), secs(leftH, leftM), secs(10, 30));
    }

private slots:
    void init()
    {
        Clock::setNow(at(10, 30));
        startScene();
        job = db->addJob(db->addCompany(QStringLiteral("Acme")), QStringLiteral("Website"), 400000);
    }
    void cleanup()
    {
        endScene();
        Clock::useSystemClock();
        QSettings s = settings();
        s.remove(QStringLiteral("Windows"));
        s.remove(QStringLiteral("Desktop"));
    }

    void runningChargesAreFoundOnEveryProject()
    {
        const int other = db->addJob(db->addCompany(QStringLiteral("Beta")), QStringLiteral("Shop"), 0);
        const int pending = db->addHour(job, ole(2024, 3, 15, 9, 0), kPending);
        const int zero = db->addHour(other, ole(2024, 3, 15, 8, 0), 0.0);
        db->addHour(job, ole(2024, 3, 15, 7, 0), ole(2024, 3, 15, 8, 0));
        const auto running = RunningCharges::read();
        QCOMPARE(running.size(), size_t(2));
        QCOMPARE(running[0].id, zero);
        QCOMPARE(running[0].company, QStringLiteral("Beta"));
        QCOMPARE(running[1].id, pending);
        QCOMPARE(running[1].project, QStringLiteral("Website"));
        QCOMPARE(RunningCharges::lastProject()->id, job);
        // The tooltip's figures come from the list's own functions.
        const QString text = DesktopCompanion::trayText(running, secs(10, 30));
        QVERIFY2(text.contains(QStringLiteral("Acme - Website: ") + ElapsedSpan::mode5(5400) +
                               QStringLiteral(", ") + formatCurrency(*costOfSeconds(5400, 400000))),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("$60.00")));
    }

    void theAnswersAfterTimeAway_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QVariant>("stop");
        QTest::newRow("keep") << int(BoxResult::Abort) << QVariant(kPending);
        QTest::newRow("stop when I left") << int(BoxResult::Retry) << QVariant(ole(2024, 3, 15, 10, 0));
        QTest::newRow("stop now") << int(BoxResult::Ignore) << QVariant(ole(2024, 3, 15, 10, 30));
    }
    void theAnswersAfterTimeAway()
    {
        QFETCH(int, answer);
        QFETCH(QVariant, stop);
        const int charge = db->addHour(job, ole(2024, 3, 15, 9, 0), kPending);
        answerAway({BoxResult(answer)}, 10, 0);
        QCOMPARE(p->count(), 1);
        QVERIFY(p->last().text.contains(QStringLiteral("Acme - Website, started 03/15/2024 09:00:00 AM")));
        QVERIFY(
            p->last().text.contains(QStringLiteral("from 03/15/2024 10:00:00 AM to 03/15/2024 10:30:00 AM")));
        QCOMPARE(p->last().captions.size(), 3);
        QCOMPARE(stopOf(charge).toDouble(), stop.toDouble());
    }

    // Whatever happened while the question waited, the charge is judged as
    // it is when the answer comes.
    void theChargeIsReadAgainBeforeTheStop_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("box");
        QTest::addColumn<double>("stop");
        QTest::newRow("started after I left") << QString() << "Charge Keeps Running" << kPending;
        QTest::newRow("deleted") << "DELETE FROM tblHours"
                                 << "Charge Deleted" << 0.0;
        QTest::newRow("stopped") << "UPDATE tblHours SET dtmStopTime = 45366.4"
                                 << "Charge Already Stopped" << 45366.4;
        QTest::newRow("start moved after") << "UPDATE tblHours SET dtmStartTime = 45366.43"
                                           << "Charge Keeps Running" << kPending;
    }
    void theChargeIsReadAgainBeforeTheStop()
    {
        QFETCH(QString, meanwhile);
        QFETCH(QString, box);
        QFETCH(double, stop);
        // Left at 10:00; the charge started at 10:05, or at 9:00 and then changed.
        const int charge = db->addHour(job, ole(2024, 3, 15, meanwhile.isEmpty() ? 10 : 9, 5), kPending);
        if (!meanwhile.isEmpty())
            p->onNextBox([&] { db->exec(meanwhile); });
        answerAway({BoxResult::Retry, BoxResult::Ok}, 10, 0);
        QCOMPARE(p->count(), 2);
        QCOMPARE(p->last().title, box);
        QCOMPARE(stopOf(charge).toDouble(), stop);
        QCOMPARE(RunningCharges::stopAt(charge + 1, secs(10, 0)), StopOutcome::Gone);
    }

    void aStopNeverComesAtOrBeforeTheStart()
    {
        const int charge = db->addHour(job, ole(2024, 3, 15, 10, 0), kPending);
        QCOMPARE(RunningCharges::stopAt(charge, secs(9, 59)), StopOutcome::BeforeStart);
        QCOMPARE(RunningCharges::stopAt(charge, secs(10, 0)), StopOutcome::BeforeStart);
        QCOMPARE(stopOf(charge).toDouble(), kPending);
        QCOMPARE(RunningCharges::stopAt(charge, secs(10, 1)), StopOutcome::Saved);
        QCOMPARE(stopOf(charge).toDouble(), ole(2024, 3, 15, 10, 1));
    }

    void aFileThatCannotBeWrittenGivesTheStoresOwnBox()
    {
        const int charge = db->addHour(job, ole(2024, 3, 15, 9, 0), kPending);
        {
            ReadOnlyDatabase readOnly(*db);
            p->answer(BoxResult::Abort);
            QCOMPARE(RunningCharges::stopAt(charge, secs(10, 0)), StopOutcome::NotSaved);
            QCOMPARE(p->last().title, QStringLiteral("An Error Occured!"));
        }
        {
            DatabaseLocker locker(db->file());
            QVERIFY(locker.locked());
            p->answer(BoxResult::Abort);
            QCOMPARE(RunningCharges::stopAt(charge, secs(10, 0)), StopOutcome::NotRead);
            QCOMPARE(p->last().title, QStringLiteral("An Error Occured!"));
        }
        QCOMPARE(p->count(), 2);
        QCOMPARE(stopOf(charge).toDouble(), kPending);
    }

    void comingBackAfterTheAwayLimit_data()
    {
        QTest::addColumn<QList<int>>("idleSeconds"); // one reading a second from 10:00:00
        QTest::addColumn<bool>("locked");
        QTest::addColumn<int>("leftAt"); // seconds after 10:00:00; -1: no question
        QTest::newRow("back after the limit")
            << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0} << false << 0;
        QTest::newRow("back before the limit") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0} << false << -1;
        QTest::newRow("left later") << QList<int>{0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0} << false
                                    << 1;
        QTest::newRow("locked") << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0} << true << 0;
    }
    void comingBackAfterTheAwayLimit()
    {
        QFETCH(QList<int>, idleSeconds);
        QFETCH(bool, locked);
        QFETCH(int, leftAt);
        AwayTracker tracker;
        std::optional<qint64> left;
        const qint64 t0 = secs(10, 0);
        for (int i = 0; i < idleSeconds.size(); ++i) {
            const bool last = i + 1 == idleSeconds.size();
            left = tracker.sample({idleSeconds[i] * 1000, locked && !last}, t0 + i, 10);
            if (left)
                QVERIFY2(last, "asked while still away");
        }
        QCOMPARE(left.has_value(), leftAt >= 0);
        if (left)
            QCOMPARE(*left - t0, qint64(leftAt));
    }

    void remindersComeAfterTheLimitAndNeverMoreOften()
    {
        ReminderSchedule schedule;
        RunningCharges::Charge c;
        c.id = 7;
        c.start = 1000;
        const std::vector<RunningCharges::Charge> running{c};
        QVERIFY(schedule.due(running, 4599, 3600).empty());
        QCOMPARE(schedule.due(running, 4600, 3600), std::vector<qint32>{7});
        QVERIFY(schedule.due(running, 4601, 3600).empty());
        QVERIFY(schedule.due(running, 8199, 3600).empty());
        QCOMPARE(schedule.due(running, 8200, 3600), std::vector<qint32>{7});
        // Stopped and forgotten: a charge of the same key starts afresh.
        QVERIFY(schedule.due({}, 8300, 3600).empty());
        QCOMPARE(schedule.due(running, 8300, 3600), std::vector<qint32>{7});
    }

    void theReminderStopsOrKeeps_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<double>("stop");
        QTest::newRow("stop") << int(BoxResult::Yes) << ole(2024, 3, 15, 10, 30);
        QTest::newRow("keep") << int(BoxResult::No) << kPending;
    }
    void theReminderStopsOrKeeps()
    {
        QFETCH(int, answer);
        QFETCH(double, stop);
        const int charge = db->addHour(job, ole(2024, 3, 15, 0, 30), kPending);
        DesktopCompanion companion(nullptr, {});
        p->answer(BoxResult(answer));
        companion.askAboutLongCharge(RunningCharges::read().front());
        QVERIFY(p->last().text.startsWith(QStringLiteral("Acme - Website has run for 0 10:00.00")));
        QCOMPARE(p->last().captions, QStringList({QStringLiteral("&Stop"), QStringLiteral("&Keep")}));
        QCOMPARE(stopOf(charge).toDouble(), stop);
    }

    void nonsenseLimitsFallBackToTheDefaults_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<qint64>("away");
        QTest::addColumn<qint64>("reminder");
        QTest::newRow("seconds") << "20" << qint64(20) << qint64(20);
        QTest::newRow("blanks") << " 90 " << qint64(90) << qint64(90);
        QTest::newRow("negative") << "-5" << DesktopSettings::kDefaultAwaySeconds
                                  << DesktopSettings::kDefaultReminderSeconds;
        QTest::newRow("zero") << "0" << DesktopSettings::kDefaultAwaySeconds
                              << DesktopSettings::kDefaultReminderSeconds;
        QTest::newRow("text") << "soon" << DesktopSettings::kDefaultAwaySeconds
                              << DesktopSettings::kDefaultReminderSeconds;
        QTest::newRow("huge") << "99999999999999" << DesktopSettings::kDefaultAwaySeconds
                              << DesktopSettings::kDefaultReminderSeconds;
        QTest::newRow("two days") << "172800" << DesktopSettings::kDefaultAwaySeconds << qint64(172800);
    }
    void nonsenseLimitsFallBackToTheDefaults()
    {
        QFETCH(QString, stored);
        QFETCH(qint64, away);
        QFETCH(qint64, reminder);
        QSettings s = settings();
        s.setValue(QStringLiteral("Desktop/AwaySeconds"), stored);
        s.setValue(QStringLiteral("Desktop/ReminderSeconds"), stored);
        s.sync();
        QCOMPARE(DesktopSettings::awaySeconds(), away);
        QCOMPARE(DesktopSettings::reminderSeconds(), reminder);
    }

    void theDesktopPageShowsAndWritesTheSettings()
    {
        DesktopSettings::setAwaySeconds(5);
        DesktopSettings::setReminderSeconds(-3);
        DesktopPage page;
        QCOMPARE(page.title(), QStringLiteral("Desktop"));
        auto *away = child<QSpinBox>(&page, "spnAwayMinutes");
        auto *reminder = child<QSpinBox>(&page, "spnReminderMinutes");
        auto *tray = child<QCheckBox>(&page, "chkTray");
        QCOMPARE(away->value(), 1);
        QCOMPARE(reminder->value(), 600);
        QVERIFY(tray->isChecked());
        // Untouched, a limit set by hand in seconds stays.
        tray->setChecked(false);
        QVERIFY(page.apply());
        QCOMPARE(DesktopSettings::awaySeconds(), qint64(5));
        QVERIFY(!DesktopSettings::trayShown());
        away->setValue(20);
        reminder->setValue(90);
        QVERIFY(page.apply());
        QCOMPARE(DesktopSettings::awaySeconds(), qint64(1200));
        QCOMPARE(DesktopSettings::reminderSeconds(), qint64(5400));
        DesktopPage again;
        QCOMPARE(child<QSpinBox>(&again, "spnReminderMinutes")->value(), 90);
        QVERIFY(!child<QCheckBox>(&again, "chkTray")->isChecked());
    }

    void theWindowComesBackAsItWasLeft_data()
    {
        QTest::addColumn<QPoint>("saved");
        QTest::addColumn<bool>("onScreen");
        QTest::newRow("on the screen") << QPoint(30, 40) << true;
        QTest::newRow("monitor unplugged") << QPoint(5000, 4000) << false;
        QTest::newRow("left of every screen") << QPoint(-2000, 10) << false;
    }
    void theWindowComesBackAsItWasLeft()
    {
        QFETCH(QPoint, saved);
        QFETCH(bool, onScreen);
        QSettings s = settings();
        s.setValue(QStringLiteral("Windows/MainSize"), QSize(520, 470));
        s.setValue(QStringLiteral("Windows/MainPosition"), saved);
        s.setValue(QStringLiteral("Windows/MainStyle"), 1);
        s.setValue(QStringLiteral("Windows/LvwCompanys/Widths"), QVariantList{20, 150, 90, 80, 70});
        s.setValue(QStringLiteral("Windows/LvwCompanys/SortColumn"), 2);
        s.setValue(QStringLiteral("Windows/LvwCompanys/SortDescending"), true);
        s.sync();
        WindowKeeper keeper;
        qApp->installEventFilter(&keeper);
        {
            frmMain w;
            w.setRealTimeWatch(false);
            QCOMPARE(w.size(), QSize(520, 470));
            const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
            const QPoint centred(area.x() + (area.width() - w.width()) / 2,
                                 area.y() + (area.height() - w.height()) / 2);
            QCOMPARE(w.geometry().topLeft(), onScreen ? saved : centred);
            QTRY_COMPARE(w.ScreenStyle(), short(frmMain::SingleListStyle));
            auto *companies = w.findChild<ReportList *>(QStringLiteral("LvwCompanys"));
            QCOMPARE(companies->horizontalHeader()->sectionSize(1), 150);
            QTRY_COMPARE(companies->sortColumnIndex(), 2);
            QCOMPARE(companies->sortDirection(), Qt::DescendingOrder);
            // Left as the user changes it, it comes back so next time.
            w.setScreenStyle(frmMain::StackedStyle);
            w.resize(560, 480);
            companies->horizontalHeader()->resizeSection(2, 111);
            w.close();
        }
        qApp->removeEventFilter(&keeper);
        QCOMPARE(s.value(QStringLiteral("Windows/MainSize")).toSize(), QSize(560, 480));
        QCOMPARE(s.value(QStringLiteral("Windows/MainStyle")).toInt(), 0);
        QCOMPARE(s.value(QStringLiteral("Windows/LvwCompanys/Widths")).toList().value(2).toInt(), 111);
    }

    void theFirstStartKeepsTodaysSizes()
    {
        WindowKeeper keeper;
        qApp->installEventFilter(&keeper);
        frmMain remembered;
        qApp->removeEventFilter(&keeper);
        frmMain plain;
        QCOMPARE(remembered.size(), plain.size());
        QCOMPARE(remembered.ScreenStyle(), short(frmMain::StackedStyle));
    }

    void oneGuardPerDatabase()
    {
        const QString file = db->file();
        QCOMPARE(InstanceGuard::socketName(file),
                 InstanceGuard::socketName(db->folder() + "./Tamberlock.mdb"));
        QVERIFY(InstanceGuard::socketName(file) != InstanceGuard::socketName(file + "2"));
        // What a killed start leaves behind does not stop the next.
        const QString socketFile = QDir::tempPath() + QLatin1Char('/') + InstanceGuard::socketName(file);
        QFile stale(socketFile);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        InstanceGuard first(file);
        QVERIFY(!first.otherRunning());
        QVERIFY(first.listening());
        QSignalSpy raised(&first, &InstanceGuard::raiseRequested);
        InstanceGuard second(file);
        QVERIFY(second.otherRunning());
        QVERIFY(!second.listening());
        QTRY_COMPARE(raised.size(), 1);
        InstanceGuard elsewhere(file + "2");
        QVERIFY(!elsewhere.otherRunning());
    }
};

TAMBERLOCK_TEST_MAIN(DesktopTest)
#include "tst_Desktop.moc"
