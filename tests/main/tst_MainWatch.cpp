#include "MainWindowFixture.h"

#include "data/Clock.h"
#include "data/ElapsedSpan.h"
#include "data/Formats.h"
#include "data/Settings.h"

#include <QSignalSpy>

using namespace MainFixture;

class MainWatchTest : public DatabaseTest
{
    Q_OBJECT

    static QDateTime at(int h, int m, int s = 0)
    {
        return QDateTime(QDate(2024, 3, 15), QTime(h, m, s), Qt::UTC);
    }

private slots:
    void init()
    {
        DontAskSetting::write(QStringLiteral("0"));
        Clock::setNow(at(10, 0));
        startScene();
    }
    void cleanup()
    {
        endScene();
        Clock::useSystemClock();
        DontAskSetting::write(QStringLiteral("1"));
    }

    void spansMatchTheSharedRoutine_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("stop");
        const QDateTime base(QDate(2024, 3, 15), QTime(23, 0, 0), Qt::UTC);
        QTest::newRow("zero") << base << base;
        QTest::newRow("across midnight") << base << base.addSecs(7200);
        QTest::newRow("90 minutes") << base << base.addSecs(5400);
        QTest::newRow("odd seconds") << base << base.addSecs(93909);
        QTest::newRow("one second") << base << base.addSecs(1);
        QTest::newRow("negative") << base << base.addSecs(-30);
        QTest::newRow("negative days") << base << base.addSecs(-3 * 86400 - 3661);
        QTest::newRow("long") << base << base.addDays(400).addSecs(59);
        QTest::newRow("before 1900") << QDateTime(QDate(1899, 12, 29), QTime(13, 5, 7), Qt::UTC)
                                     << QDateTime(QDate(1900, 1, 2), QTime(1, 0, 0), Qt::UTC);
    }
    void spansMatchTheSharedRoutine()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, stop);
        const QString startText = modTamberlock::formatDateTime(start);
        const qint64 seconds = ElapsedSpan::secondsOf(stop) - ElapsedSpan::secondsOf(start);
        for (int mode : {2, 5, 6}) {
            QString stopText = modTamberlock::formatDateTime(stop);
            const QString shared = modTamberlock::FormatElapsedTime(startText, stopText, mode);
            const QString own = mode == 2
                                    ? ElapsedSpan::mode2(seconds)
                                    : (mode == 5 ? ElapsedSpan::mode5(seconds) : ElapsedSpan::mode6(seconds));
            QCOMPARE(own, shared);
            // The lists cost a span from its seconds, as its hours text would.
            if (mode == 2)
                for (const Currency rate : {Currency(400000), Currency(-123457), Currency(1)})
                    QCOMPARE(modTamberlock::costOfSeconds(seconds, rate),
                             modTamberlock::costOfHours(shared, rate));
        }
    }

    void aTickTellsTheViewOfTheChangedCellsOnly()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j = db->addJob(c, QStringLiteral("Web"), 400000);
        for (int hour = 1; hour < 6; ++hour)
            db->addHour(j, ole(2024, 3, 14, hour, 0, 0), ole(2024, 3, 14, hour, 30, 0));
        db->addHour(j, ole(2024, 3, 15, 8, 30, 0), std::nullopt);
        auto w = openWindowOn(c);
        ReportList *h = list(w.get(), "lvwHours");
        const int running = rowWithText(h, QStringLiteral("6"));
        w->onWatchTick();
        QSignalSpy charges(h->model(), &QAbstractItemModel::dataChanged);
        QSignalSpy projects(list(w.get(), "LvwJobs")->model(), &QAbstractItemModel::dataChanged);
        Clock::setNow(at(10, 0, 1));
        w->onWatchTick();
        QSet<int> columns;
        for (const QList<QVariant> &change : charges) {
            const auto from = change.at(0).toModelIndex(), to = change.at(1).toModelIndex();
            QCOMPARE(from.row(), running);
            QCOMPARE(to.row(), running);
            for (int column = from.column(); column <= to.column(); ++column)
                columns.insert(column);
        }
        // The icon's frame, the time spent and the cost (kept to a hundredth
        // of a cent) move every second; nothing else does.
        QCOMPARE(columns, QSet<int>({0, 4, 5}));
        QCOMPARE(projects.count(), 0); // no deadline: the time left stays zero
    }

    void runningChargeCostGrows()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j = db->addJob(c, QStringLiteral("Web"), 400000);
        db->addHour(j, ole(2024, 3, 15, 8, 30, 0), std::nullopt);
        db->addHour(j, ole(2024, 3, 15, 6, 0, 0), ole(2024, 3, 15, 7, 0, 0));
        auto w = openWindowOn(c);
        ReportList *h = list(w.get(), "lvwHours");
        const int running = rowWithText(h, QStringLiteral("1"));
        Clock::setNow(at(10, 0, 6));
        w->onWatchTick();
        QCOMPARE(h->cell(running, 4), QStringLiteral(" $60.07"));
        Clock::setNow(at(10, 0, 0));
        w->onWatchTick();
        QCOMPARE(h->cell(running, 4), QStringLiteral(" $60.00"));
        QCOMPARE(h->cell(running, 5), QStringLiteral("0 01:30.00"));
        QCOMPARE(h->rowIcon(running), 1); // second 0
        Clock::advance(1);
        w->onWatchTick();
        QCOMPARE(h->rowIcon(running), 2);
        Clock::advance(2);
        w->onWatchTick();
        QCOMPARE(h->rowIcon(running), 4);
        QCOMPARE(h->cell(running, 5), QStringLiteral("0 01:30.03"));
        // The stopped charge keeps its loaded cost and icon.
        const int stopped = rowWithText(h, QStringLiteral("2"));
        QCOMPARE(h->cell(stopped, 4), QStringLiteral(" $40.00"));
        QCOMPARE(h->rowIcon(stopped), 5);
    }

    void statusShowsProjectChargesAndCompanyPayments()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j1 = db->addJob(c, QStringLiteral("One"), 400000);
        const int j2 = db->addJob(c, QStringLiteral("Two"), 1000000);
        db->addHour(j1, ole(2024, 3, 15, 8, 30, 0), std::nullopt);             // $60.00 now
        db->addHour(j1, ole(2024, 3, 15, 6, 0, 0), ole(2024, 3, 15, 7, 0, 0)); // $40.00
        db->addHour(j2, ole(2024, 3, 15, 6, 0, 0), ole(2024, 3, 15, 8, 0, 0)); // $200.00
        db->addPayment(c, 1500000, ole(2024, 3, 1));
        db->addPayment(c, 250000, ole(2024, 3, 2));
        auto w = openWindowOn(c);
        w->onWatchTick();
        QCOMPARE(panel(w.get(), 2), QStringLiteral("$100.00"));
        QCOMPARE(panel(w.get(), 4), QStringLiteral("$175.00"));
        QCOMPARE(panel(w.get(), 6), QStringLiteral("-$75.00"));
        clickRowWithText(list(w.get(), "LvwJobs"), j2);
        w->onWatchTick();
        QCOMPARE(panel(w.get(), 2), QStringLiteral("$200.00"));
        QCOMPARE(panel(w.get(), 4), QStringLiteral("$175.00"));
        QCOMPARE(panel(w.get(), 6), QStringLiteral("$25.00"));
    }

    void pastDeadlineIsDoneAfterTheFirstTick()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        db->addJob(c, QStringLiteral("Late"), 10000, ole(2024, 3, 15, 9, 59, 30));
        db->addJob(c, QStringLiteral("Soon"), 10000, ole(2024, 3, 16, 11, 0, 5));
        db->addJob(c, QStringLiteral("Open"), 10000);
        auto w = openWindowOn(c);
        ReportList *j = list(w.get(), "LvwJobs");
        QCOMPARE(j->cell(0, 5), QStringLiteral("-1d 23h 59m 30s"));
        w->onWatchTick();
        QCOMPARE(j->cell(0, 5), QStringLiteral("Done"));
        QCOMPARE(j->cell(1, 5), QStringLiteral("1d 1h 0m 05s"));
        QCOMPARE(j->cell(2, 5), QStringLiteral("0d 0h 0m 00s"));
        Clock::advance(5);
        w->onWatchTick();
        QCOMPARE(j->cell(1, 5), QStringLiteral("1d 1h 0m 00s"));
    }

    void noProjectNoChange()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        db->addPayment(c, 10000, ole(2024, 3, 1));
        auto w = openWindowOn(c);
        w->onWatchTick();
        QCOMPARE(panel(w.get(), 4), QStringLiteral("$1.00"));
    }

    void emptyChargeListShowsTheCompanysOwnAmounts()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        db->addJob(c, QStringLiteral("Late"), 10000, ole(2024, 3, 1));
        db->addPayment(c, 10000, ole(2024, 3, 1));
        auto w = openWindowOn(c);
        w->onWatchTick();
        QCOMPARE(list(w.get(), "LvwJobs")->cell(0, 5), QStringLiteral("Done"));
        QCOMPARE(panel(w.get(), 2), QStringLiteral("$0.00"));
        QCOMPARE(panel(w.get(), 4), QStringLiteral("$1.00"));
        QCOMPARE(panel(w.get(), 6), QStringLiteral("-$1.00"));
    }

    // The loaded company's money, wherever the arrow keys go; out of range: no
    // value.
    void statusShowsTheLoadedCompanysMoney_data()
    {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QStringList>("payments"); // of Acme, besides Other's $125.00
        QTest::addColumn<QString>("panels");
        QTest::newRow("in range") << "400000" << QStringList{"300000"} << "$80.00|$30.00|$50.00";
        QTest::newRow("rate 1e300") << "1e300" << QStringList{"300000"} << "|$30.00|";
        QTest::newRow("payment -1e300") << "400000" << QStringList{"-1e300", "300000"} << "$80.00||";
        QTest::newRow("sum past 64 bits")
            << "400000" << QStringList{"9223372036854775807", "1"} << "$80.00||";
        QTest::newRow("balance past 64 bits")
            << "400000" << QStringList{"-9223372036854775807"} << "$80.00|-$922,337,203,685,477.58|";
    }
    void statusShowsTheLoadedCompanysMoney()
    {
        QFETCH(QString, rate);
        QFETCH(QStringList, payments);
        QFETCH(QString, panels);
        const int c = db->addCompany(QStringLiteral("Acme"));
        db->addPayment(db->addCompany(QStringLiteral("Other")), 1250000, ole(2024, 3, 1));
        db->addHour(db->addJob(c, QStringLiteral("Web"), 0), ole(2024, 3, 15, 6), ole(2024, 3, 15, 8));
        db->exec(QStringLiteral("UPDATE tblJobs SET curHourlyWage = %1").arg(rate));
        for (const QString &amount : payments)
            db->exec(QStringLiteral("INSERT INTO tblPayments (lngCompanyID, "
                                    "curAmount) VALUES (%1, %2)")
                         .arg(c)
                         .arg(amount));
        auto w = openWindow();
        const auto shown = [&] {
            return QStringList{panel(w.get(), 2), panel(w.get(), 4), panel(w.get(), 6)};
        };
        clickRowWithText(list(w.get(), "LvwCompanys"), c);
        QCOMPARE(shown().join(u'|'), panels);
        QTest::keyClick(list(w.get(), "LvwCompanys"), Qt::Key_Down);
        QVERIFY(w->selectedCompanyText() != QString::number(c));
        w->onWatchTick();
        QCOMPARE(shown().join(u'|'), panels);
        DatabaseLocker locker(db->file());
        w->onWatchTick();
        QCOMPARE(shown().join(u'|'), panels);
    }

    void updateStatusFormatsAmounts_data()
    {
        QTest::addColumn<QString>("charges");
        QTest::addColumn<QString>("payments");
        QTest::addColumn<QStringList>("panels");
        QTest::newRow("negative balance") << "1500"
                                          << "2000.5" << QStringList{"$1,500.00", "$2,000.50", "-$500.50"};
        QTest::newRow("money texts") << "$1,234.56"
                                     << "34.56" << QStringList{"$1,234.56", "$34.56", "$1,200.00"};
        QTest::newRow("charges not a number") << "abc"
                                              << "5" << QStringList{"$0.00", "$5.00", "$0.00"};
        QTest::newRow("payments not a number") << "7"
                                               << "" << QStringList{"$7.00", "$0.00", "$0.00"};
    }
    void updateStatusFormatsAmounts()
    {
        QFETCH(QString, charges);
        QFETCH(QString, payments);
        QFETCH(QStringList, panels);
        auto w = openWindow();
        w->UpdateStatus(charges, payments);
        QCOMPARE(panel(w.get(), 2), panels.at(0));
        QCOMPARE(panel(w.get(), 4), panels.at(1));
        QCOMPARE(panel(w.get(), 6), panels.at(2));
        QCOMPARE(panel(w.get(), 1), QStringLiteral("Charges:"));
    }

    void watchSwitchesOffAndOn()
    {
        frmMain w;
        w.show();
        auto *timer = w.findChild<QTimer *>(QStringLiteral("tmrRealTimeCost"));
        QAction *item = w.menuItem(QStringLiteral("mnuView"), 2);
        QVERIFY(w.RealTimeWatch());
        QVERIFY(timer->isActive());
        QVERIFY(item->isChecked());
        w.onViewMenu(frmMain::ViewRealTimeWatch); // the first use switches it off
        QVERIFY(!w.RealTimeWatch());
        QVERIFY(!timer->isActive());
        QVERIFY(!item->isChecked());
        w.onViewMenu(frmMain::ViewRealTimeWatch);
        QVERIFY(w.RealTimeWatch());
        QVERIFY(timer->isActive());
        QVERIFY(item->isChecked());
    }

    void watchOffChangesNothingButRefreshStillDoes()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j = db->addJob(c, QStringLiteral("Web"), 400000);
        db->addHour(j, ole(2024, 3, 15, 8, 30, 0), std::nullopt);
        frmMain w;
        w.show();
        clickRowWithText(list(&w, "LvwCompanys"), c);
        ReportList *h = list(&w, "lvwHours");
        // On: the timer itself brings the new cost.
        Clock::advance(90);
        QTRY_COMPARE_WITH_TIMEOUT(h->cell(0, 4), QStringLiteral(" $61.00"), 3000);
        w.setRealTimeWatch(false);
        Clock::advance(90);
        QTest::qWait(1300);
        QCOMPARE(h->cell(0, 4), QStringLiteral(" $61.00"));
        w.onViewMenu(frmMain::ViewRefresh); // "Refresh Data" updates once
        QCOMPARE(h->cell(0, 4), QStringLiteral(" $62.00"));
        QCOMPARE(panel(&w, 2), QStringLiteral("$62.00"));
    }

    void chargeListReleaseRecomputes()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j = db->addJob(c, QStringLiteral("Web"), 400000);
        db->addHour(j, ole(2024, 3, 15, 8, 30, 0), std::nullopt);
        auto w = openWindowOn(c);
        ReportList *h = list(w.get(), "lvwHours");
        Clock::advance(900);
        clickRow(h, 0);
        QCOMPARE(h->cell(0, 4), QStringLiteral(" $70.00"));
        QCOMPARE(panel(w.get(), 2), QStringLiteral("$70.00"));
    }
};

TAMBERLOCK_TEST_MAIN(MainWatchTest)
#include "tst_MainWatch.moc"
