#include "MainWindowFixture.h"

#include "data/Clock.h"
#include "data/DataPath.h"
#include "data/Formats.h"
#include "data/RecordStore.h"
#include "data/Settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTimer>

using namespace MainFixture;

class MainListsTest : public DatabaseTest
{
    Q_OBJECT

    static QString exeName() { return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(); }

private slots:
    void init()
    {
        DontAskSetting::write(QStringLiteral("0"));
        Clock::setNow(QDateTime(QDate(2024, 3, 15), QTime(10, 0, 0), Qt::UTC));
        startScene();
    }
    void cleanup()
    {
        endScene();
        Clock::useSystemClock();
        DontAskSetting::write(QStringLiteral("1"));
    }

    void aSaveDuringALoadsPauseIsNotLocked()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j = db->addJob(c, QStringLiteral("Web"), 400000);
        for (int i = 0; i < 100; ++i)
            db->addHour(j, ole(2026, 1, 1) + i, ole(2026, 1, 1) + i + 0.1);
        auto w = openWindowOn(c);
        // A charge started while the charge list fills, in one of its pauses.
        QString result = QStringLiteral("not run");
        QTimer::singleShot(0, [&] {
            result = modTamberlock::SaveHourRecord(0, j, ole(2026, 12, 8, 9), ole(2026, 12, 8, 10));
        });
        w->LoadHours(j);
        QCOMPARE(result, QString());
        QCOMPARE(p->count(), 0);
        QCOMPARE(db->count(QStringLiteral("tblHours")), 101);
        QCOMPARE(list(w.get(), "lvwHours")->rowCount(), 100);
    }

    void columnsAreSetUp()
    {
        auto w = openWindow();
        const QStringList comps = {" ", "Name ", "Contact", "Phone", "Fax"};
        const QStringList jobs = {" ", "PID", "Project Name", "$Rate/Hr", "Deadline", "T.Left"};
        const QStringList hours = {"  ", "LogID", "Start Time", "Stop Time", "Cost", "Time Spent"};
        ReportList *c = list(w.get(), "LvwCompanys");
        ReportList *j = list(w.get(), "LvwJobs");
        ReportList *h = list(w.get(), "lvwHours");
        for (int i = 0; i < comps.size(); ++i)
            QCOMPARE(c->columnCaption(i), comps.at(i));
        for (int i = 0; i < jobs.size(); ++i)
            QCOMPARE(j->columnCaption(i), jobs.at(i));
        for (int i = 0; i < hours.size(); ++i)
            QCOMPARE(h->columnCaption(i), hours.at(i));
        QCOMPARE(c->horizontalHeader()->sectionSize(1), 140); // 2100 twips
        QCOMPARE(j->horizontalHeader()->sectionSize(1), 0);   // one twip: hidden
        // 2009.764 twips, or wider where the list's font needs it for a whole date.
        QVERIFY(h->horizontalHeader()->sectionSize(2) >= 134);
        QVERIFY(h->horizontalHeader()->sectionSize(2) >=
                h->fontMetrics().horizontalAdvance(QStringLiteral("12/31/2026 12:59:59 PM")));
        QCOMPARE(h->horizontalHeader()->sectionSize(2), h->horizontalHeader()->sectionSize(3));
        QVERIFY(j->columnAlignment(3) & Qt::AlignRight);
        QVERIFY(j->columnAlignment(4) & Qt::AlignRight);
        QVERIFY(j->columnAlignment(5) & Qt::AlignLeft);
        QVERIFY(h->columnAlignment(4) & Qt::AlignRight);
        QVERIFY(h->columnAlignment(5) & Qt::AlignRight);
    }

    void companyCells()
    {
        const int a = db->addCompany(QStringLiteral("Acme"), QStringLiteral("Jane Doe"),
                                     QStringLiteral("5551234567"), QStringLiteral("5557654321"));
        db->addCompany(QStringLiteral("Brumvale"));
        auto w = openWindow();
        ReportList *c = list(w.get(), "LvwCompanys");
        QCOMPARE(c->rowCount(), 2);
        const int row = rowWithText(c, QString::number(a));
        QCOMPARE(c->cell(row, 1), QStringLiteral("Acme"));
        QCOMPARE(c->cell(row, 2), QStringLiteral("Jane Doe"));
        QCOMPARE(c->cell(row, 3), QStringLiteral("(555) 123-4567"));
        QCOMPARE(c->cell(row, 4), QStringLiteral("(555) 765-4321"));
        QCOMPARE(c->rowIcon(row), 1);
        // Nothing below the companies is loaded until one is chosen.
        QCOMPARE(list(w.get(), "LvwJobs")->rowCount(), 0);
        QCOMPARE(w->windowTitle(), QStringLiteral("Tamberlock"));
    }

    void projectCells()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int future = db->addJob(c, QStringLiteral("Web"), 375000, ole(2024, 3, 20, 12, 0, 0));
        const int past = db->addJob(c, QStringLiteral("Old"), 12345678, ole(2024, 3, 14, 10, 0, 0));
        const int none = db->addJob(c, QStringLiteral("Open"), 0);
        auto w = openWindowOn(c);
        ReportList *j = list(w.get(), "LvwJobs");
        QCOMPARE(j->rowCount(), 3);
        int row = rowWithText(j, QString::number(future));
        QCOMPARE(j->cell(row, 1), QString::number(c));
        QCOMPARE(j->cell(row, 2), QStringLiteral("Web"));
        QCOMPARE(j->cell(row, 3), QStringLiteral("$37.50"));
        QCOMPARE(j->cell(row, 4), QStringLiteral("03/20/2024 12:00:00 PM"));
        QCOMPARE(j->cell(row, 5), QStringLiteral("5d 2h 0m 00s"));
        row = rowWithText(j, QString::number(past));
        QCOMPARE(j->cell(row, 3), QStringLiteral("$1,234.57"));
        QCOMPARE(j->cell(row, 5),
                 QStringLiteral("-1d 0h 0m 00s")); // "Done" only after the watch
        row = rowWithText(j, QString::number(none));
        QCOMPARE(j->cell(row, 4), QString());
        QCOMPARE(j->cell(row, 5), QStringLiteral("0d 0h 0m 00s"));
    }

    void chargeCells()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j = db->addJob(c, QStringLiteral("Web"), 375000);
        const int done = db->addHour(j, ole(2024, 3, 15, 6, 0, 0), ole(2024, 3, 15, 8, 0, 0));
        const int open = db->addHour(j, ole(2024, 3, 15, 8, 30, 0), std::nullopt);
        const int sentinel = db->addHour(j, ole(2024, 3, 15, 9, 0, 0), ole(1973, 6, 29, 14, 21, 0));
        const int zero = db->addHour(j, ole(2024, 3, 13, 9, 0, 0), 0.0);
        auto w = openWindowOn(c);
        ReportList *h = list(w.get(), "lvwHours");
        QCOMPARE(h->rowCount(), 4);

        int row = rowWithText(h, QString::number(done));
        QCOMPARE(h->cell(row, 1), QString::number(j));
        QCOMPARE(h->cell(row, 2), QStringLiteral("03/15/2024 06:00:00 AM"));
        QCOMPARE(h->cell(row, 3), QStringLiteral("03/15/2024 08:00:00 AM"));
        QCOMPARE(h->cell(row, 4), QStringLiteral(" $75.00"));
        QCOMPARE(h->cell(row, 5), QStringLiteral("0 02:00.00"));
        QCOMPARE(h->rowIcon(row), 5);

        row = rowWithText(h, QString::number(open));
        QCOMPARE(h->cell(row, 3), QStringLiteral("Pending..."));
        QCOMPARE(h->cell(row, 4), QStringLiteral(" $56.25")); // 1.5 h up to now
        QCOMPARE(h->cell(row, 5), QStringLiteral("0 01:30.00"));

        row = rowWithText(h, QString::number(sentinel));
        QCOMPARE(h->cell(row, 3), QStringLiteral("Pending..."));
        QCOMPARE(h->cell(row, 4), QStringLiteral(" $37.50"));

        row = rowWithText(h, QString::number(zero));
        QCOMPARE(h->cell(row, 3), QStringLiteral("Pending..."));
        QCOMPARE(h->cell(row, 5), QStringLiteral("2 01:00.00"));
        QCOMPARE(w->windowTitle(), exeName() + QStringLiteral(" - Web"));
    }

    void projectWithoutChargesIsEmpty()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        db->addJob(c, QStringLiteral("Nothing yet"), 100000);
        auto w = openWindowOn(c);
        QCOMPARE(list(w.get(), "LvwJobs")->rowCount(), 1);
        QCOMPARE(list(w.get(), "lvwHours")->rowCount(), 0);
        QCOMPARE(p->count(), 0);
    }

    void emptyListsOfferToAdd()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        db->addJob(c, QStringLiteral("Nothing yet"), 100000);
        auto w = openWindow();
        DontAskSetting::write(QStringLiteral("1"));
        ConfirmAnswerer no(false);
        clickRowWithText(list(w.get(), "LvwCompanys"), c);
        QCOMPARE(no.captions, QStringList{QStringLiteral("Add New Charges?")});
        QCOMPARE(no.messages.value(0), QStringLiteral("There are no Charges for this "
                                                      "Project.\r\n\r\nWould you like to add one now?"));
    }

    void emptyDatabaseOffersACompany()
    {
        DontAskSetting::write(QStringLiteral("1"));
        ConfirmAnswerer yes(true);
        auto w = openWindow();
        QCOMPARE(yes.captions, QStringList{QStringLiteral("Add New Company?")});
        QCOMPARE(yes.messages.value(0),
                 QStringLiteral("There are no Companies.\r\n\r\nWould you like to add one now?"));
        // Yes runs "&Add Company...": the company editor opens for this window.
        QWidget *editor = w->findChild<QWidget *>(QStringLiteral("frmComp"));
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        editor->close();
    }

    void companyWithoutProjectsKeepsCaption()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        auto w = openWindow();
        DontAskSetting::write(QStringLiteral("1"));
        ConfirmAnswerer no(false);
        clickRowWithText(list(w.get(), "LvwCompanys"), c);
        QCOMPARE(no.captions, QStringList{QStringLiteral("Add New Project?")});
        QCOMPARE(list(w.get(), "LvwJobs")->rowCount(), 0);
        QCOMPARE(w->windowTitle(), QStringLiteral("Tamberlock"));
    }

    void offersNeedTheSetting()
    {
        ConfirmAnswerer yes(true);
        auto w = openWindow(); // setting "0": no offer
        QCOMPARE(yes.captions.size(), 0);
        QCOMPARE(list(w.get(), "LvwCompanys")->rowCount(), 0);
    }

    void selectionCascadeOnlyOnMouseRelease()
    {
        const int a = db->addCompany(QStringLiteral("A"));
        const int b = db->addCompany(QStringLiteral("B"));
        db->addJob(a, QStringLiteral("A1"), 10000);
        const int b1 = db->addJob(b, QStringLiteral("B1"), 10000);
        db->addHour(b1, ole(2024, 3, 15, 8, 0, 0), ole(2024, 3, 15, 9, 0, 0));
        auto w = openWindow();
        ReportList *c = list(w.get(), "LvwCompanys");
        ReportList *j = list(w.get(), "LvwJobs");
        clickRowWithText(c, a);
        QCOMPARE(j->rowCount(), 1);
        QCOMPARE(j->cell(0, 2), QStringLiteral("A1"));
        // The keyboard moves the selection without loading anything.
        c->setFocus();
        QTest::keyClick(c, Qt::Key_Down);
        QCOMPARE(c->rowText(c->selectedRow()), QString::number(b));
        QCOMPARE(j->cell(0, 2), QStringLiteral("A1"));
        clickRowWithText(c, b);
        QCOMPARE(j->cell(0, 2), QStringLiteral("B1"));
        QCOMPARE(list(w.get(), "lvwHours")->rowCount(), 1);
        QCOMPARE(w->windowTitle(), exeName() + QStringLiteral(" - B1"));
    }

    void headerClicksSortAsText()
    {
        for (int i = 1; i <= 10; ++i)
            db->addCompany(QStringLiteral("Company %1").arg(QChar(u'K' - i)));
        auto w = openWindow();
        ReportList *c = list(w.get(), "LvwCompanys");
        QHeaderView *h = c->horizontalHeader();
        auto clickHeader = [&](int column) {
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                              QPoint(h->sectionViewportPosition(column) + 4, 4));
        };
        // Loaded in text order of the record number: "10" before "9".
        QCOMPARE(c->rowText(0), QStringLiteral("1"));
        QCOMPARE(c->rowText(1), QStringLiteral("10"));
        QCOMPARE(c->rowText(9), QStringLiteral("9"));
        clickHeader(1); // by name, direction kept
        QCOMPARE(c->cell(0, 1), QStringLiteral("Company A"));
        QCOMPARE(c->rowText(0), QStringLiteral("10"));
        clickHeader(1); // same column again: reversed
        QCOMPARE(c->cell(0, 1), QStringLiteral("Company J"));
        clickHeader(0);
        QCOMPARE(c->rowText(0), QStringLiteral("9"));
        QCOMPARE(c->rowText(8), QStringLiteral("10"));
        // The direction survives a reload, which sorts by the number again.
        clickHeader(2);
        w->RefreshData();
        QCOMPARE(c->sortColumnIndex(), 0);
        QCOMPARE(c->rowText(0), QStringLiteral("9"));
        QCOMPARE(c->rowText(9), QStringLiteral("1"));
    }

    void refreshAfterProjectDeleted()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j1 = db->addJob(c, QStringLiteral("First"), 10000);
        const int j2 = db->addJob(c, QStringLiteral("Second"), 10000);
        db->addHour(j1, ole(2024, 3, 15, 8, 0, 0), ole(2024, 3, 15, 9, 0, 0));
        db->addHour(j2, ole(2024, 3, 15, 8, 0, 0), ole(2024, 3, 15, 9, 0, 0));
        db->addHour(j2, ole(2024, 3, 15, 9, 0, 0), ole(2024, 3, 15, 9, 30, 0));
        auto w = openWindowOn(c);
        ReportList *jobs = list(w.get(), "LvwJobs");
        clickRowWithText(jobs, j2);
        QCOMPARE(list(w.get(), "lvwHours")->rowCount(), 2);
        db->exec(QStringLiteral("DELETE FROM tblJobs WHERE lngJobID=%1").arg(j2));
        w->RefreshData();
        QCOMPARE(w->selectedCompanyText(), QString::number(c));
        QCOMPARE(jobs->rowCount(), 1);
        QCOMPARE(w->selectedJobText(), QString::number(j1));
        QCOMPARE(list(w.get(), "lvwHours")->rowCount(), 1);
        QCOMPARE(list(w.get(), "lvwHours")->cell(0, 1), QString::number(j1));
    }

    void refreshAfterCompanyDeleted()
    {
        const int a = db->addCompany(QStringLiteral("A"));
        const int b = db->addCompany(QStringLiteral("B"));
        const int j = db->addJob(b, QStringLiteral("B1"), 10000);
        db->addHour(j, ole(2024, 3, 15, 8, 0, 0), ole(2024, 3, 15, 9, 0, 0));
        auto w = openWindowOn(b);
        QCOMPARE(list(w.get(), "LvwJobs")->rowCount(), 1);
        db->exec(QStringLiteral("DELETE FROM tblCompanys WHERE lngCompanyID=%1").arg(b));
        w->RefreshData();
        QCOMPARE(list(w.get(), "LvwCompanys")->rowCount(), 1);
        QCOMPARE(list(w.get(), "LvwCompanys")->rowText(0), QString::number(a));
        QCOMPARE(list(w.get(), "LvwJobs")->rowCount(), 0);
        QCOMPARE(list(w.get(), "lvwHours")->rowCount(), 0);
    }

    void loaderErrorBox()
    {
        QTemporaryDir nowhere;
        setDataPath(dataPathFor(nowhere.path()));
        p->answer(BoxResult::Abort);
        auto w = openWindow();
        QCOMPARE(p->count(), 1);
        const MessageBoxRequest &box = p->last();
        QCOMPARE(box.title, QStringLiteral("Error!"));
        QCOMPARE(box.icon, BoxIcon::Error);
        QCOMPARE(box.buttons, BoxButtons::AbortRetryIgnore);
        QCOMPARE(box.defaultButton, 2);
        QVERIFY(box.text.contains(
            QStringLiteral("\r\nIn LoadLvwCompanys:    \r\nSELECT lngCompanyID, strCompanyName")));
        QCOMPARE(list(w.get(), "LvwCompanys")->rowCount(), 0);
    }

    void projectsErrorBoxShowsTheQuery()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        auto w = openWindow();
        db->exec(QStringLiteral("DROP TABLE tblHours"));
        db->exec(QStringLiteral("DROP TABLE tblJobs"));
        p->answer(BoxResult::Abort);
        w->LoadProjects(c);
        QCOMPARE(p->count(), 1);
        QVERIFY(p->last().text.contains(QStringLiteral("In LoadLvwJobs:    ")));
        QVERIFY(
            p->last().text.endsWith(QStringLiteral("FROM tblCompanys RIGHT JOIN tblJobs ON "
                                                   "tblCompanys.lngCompanyID = tblJobs.lngCompanyID WHERE "
                                                   "(((tblCompanys.lngCompanyID)=%1));")
                                        .arg(c)));
    }
};

TAMBERLOCK_TEST_MAIN(MainListsTest)
#include "tst_MainLists.moc"
