#include "MainWindowFixture.h"

#include "billing/ui/frmInvoice.h"

#include "data/Clock.h"
#include "data/Formats.h"
#include "data/Notices.h"
#include "data/Settings.h"
#include "editors/frmPayment.h"
#include "payments/frmPayments.h"

#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace MainFixture;

class MainMenusTest : public DatabaseTest
{
    Q_OBJECT

    static QDateTime at(int h, int m, int s = 0)
    {
        return QDateTime(QDate(2024, 3, 15), QTime(h, m, s), Qt::UTC);
    }

    static QMenu *menu(frmMain *w, const char *name)
    {
        return w->findChild<QMenu *>(QString::fromLatin1(name));
    }

    static void closePopups()
    {
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
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
        closePopups();
        Clock::useSystemClock();
        DontAskSetting::write(QStringLiteral("1"));
    }

    void topMenus()
    {
        auto w = openWindow();
        QStringList titles;
        for (QAction *a : w->menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, QStringList({"&Action", "&View", "&Payments", "&Companies", "Projects", "Charge&s",
                                      "&Help"}));
        QCOMPARE(menu(w.get(), "MenuLvwCompanys")->title(), QStringLiteral("&Companies"));
        QCOMPARE(menu(w.get(), "MenuLvwHours")->actions().size(), 11);
        QCOMPARE(menu(w.get(), "MenuLvwJobs")->actions().first()->objectName(), QStringLiteral("mnuJobs_3"));
    }

    void menuItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("checked");
        auto row = [](const char *name, const char *caption, const char *shortcut, bool visible,
                      bool checked = false) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption)
                                << QString::fromLatin1(shortcut) << visible << checked;
        };
        row("mnuFile_1", "&Backup Data", "Ctrl+S", false);
        row("mnuFile_2", "-", "", false);
        row("mnuFile_3", "&Print Invoices", "Ctrl+P", false);
        row("mnuFile_4", "-", "", false);
        row("mnuFile_5", "E&xit", "", true);
        row("mnuView_1", "Refresh Data", "F5", true);
        row("mnuView_2", "Real Time Watch", "F2", true, true);
        row("mnuView_3", "View Single", "F3", true, false);
        row("MnuPayments_1", "Add Payment...", "", true);
        row("MnuPayments_2", "-", "", true);
        row("MnuPayments_3", "Edit Payments...", "F4", true);
        row("MnuComps_3", "&Add Company...", "", true);
        row("MnuComps_4", "&Edit Company", "", true);
        row("MnuComps_5", "-", "", true);
        row("MnuComps_6", "Add P&roject...", "", true);
        row("MnuComps_7", "Add Pa&yment...", "", true);
        row("MnuComps_8", "&Print Company Invoices...", "", true);
        row("MnuComps_9", "-", "", true);
        row("MnuComps_10", "&Delete Company", "", true);
        row("MnuComps_11", "-", "", false);
        row("MnuComps_12", "Cancel", "", false);
        row("mnuJobs_3", "&Add Project...", "", true);
        row("mnuJobs_4", "&Edit Project...", "", true);
        row("mnuJobs_5", "-", "", true);
        row("mnuJobs_6", "&Add Charge...", "", true);
        row("mnuJobs_7", "Extra Space", "", false);
        row("mnuJobs_8", "&Print Project Invoices...", "", true);
        row("mnuJobs_9", "-", "", true);
        row("mnuJobs_10", "&Delete Project", "", true);
        row("mnuJobs_11", "-", "", false);
        row("mnuJobs_12", "Cancel", "", false);
        row("mnuHours_3", "&Add Charge...", "", true);
        row("mnuHours_4", "&Edit Charge...", "", true);
        row("mnuHours_5", "-", "", true);
        row("mnuHours_6", "Stop &Pending Charge", "F11", true);
        row("mnuHours_7", "Start &New Charge", "F12", true);
        row("mnuHours_8", "-", "", true);
        row("mnuHours_9", "&Print Hour Invoices", "", true);
        row("mnuHours_10", "-", "", true);
        row("mnuHours_11", "&Delete Charge", "", true);
        row("mnuHours_12", "-", "", false);
        row("mnuHours_13", "Cancel", "", false);
        row("MnuHelp_1", "&Help On Structure...", "F1", true);
        row("MnuHelp_2", "&About", "", true);
    }
    void menuItems()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(bool, visible);
        QFETCH(bool, checked);
        auto w = openWindow();
        w->setRealTimeWatch(true); // as at start
        QAction *a = w->findChild<QAction *>(name);
        QVERIFY(a);
        if (caption == QLatin1String("-"))
            QVERIFY(a->isSeparator());
        else
            QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut(), QKeySequence(shortcut));
        QCOMPARE(a->isVisible(), visible);
        QCOMPARE(a->isChecked(), checked);
        QCOMPARE(a->data().toInt(), name.section(QLatin1Char('_'), 1).toInt());
    }

    void emptyCompanyListContextMenu()
    {
        auto w = openWindow();
        QAction *edit = w->menuItem(QStringLiteral("MnuComps"), 4);
        QAction *cancel = w->menuItem(QStringLiteral("MnuComps"), 12);
        QAction *separator = w->menuItem(QStringLiteral("MnuComps"), 11);
        clickEmpty(list(w.get(), "LvwCompanys"), Qt::RightButton);
        QMenu *m = menu(w.get(), "MenuLvwCompanys");
        QVERIFY(m->isVisible());
        QVERIFY(!edit->isEnabled());
        QVERIFY(cancel->isVisible());
        QVERIFY(separator->isVisible());
        m->close();
        // Opened from the menu bar: "Cancel" goes, the edit item stays disabled.
        emit m->aboutToShow();
        QVERIFY(!cancel->isVisible());
        QVERIFY(!separator->isVisible());
        QVERIFY(!edit->isEnabled());
    }

    void emptyProjectListContextMenu()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        auto w = openWindowOn(c);
        clickEmpty(list(w.get(), "LvwJobs"), Qt::RightButton);
        QVERIFY(menu(w.get(), "MenuLvwJobs")->isVisible());
        QVERIFY(!w->menuItem(QStringLiteral("mnuJobs"), 4)->isEnabled());
        QVERIFY(w->menuItem(QStringLiteral("mnuJobs"), 3)->isEnabled());
        QVERIFY(w->menuItem(QStringLiteral("mnuJobs"), 12)->isVisible());
        QVERIFY(!w->menuItem(QStringLiteral("mnuJobs"), 7)->isVisible());
        closePopups();
        // A selected company enables its edit item.
        clickRowWithText(list(w.get(), "LvwCompanys"), c);
        clickRow(list(w.get(), "LvwCompanys"), 0, Qt::RightButton);
        QVERIFY(w->menuItem(QStringLiteral("MnuComps"), 4)->isEnabled());
    }

    void chargeContextMenuFollowsTheStopTime()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j = db->addJob(c, QStringLiteral("Web"), 400000);
        const int stopped = db->addHour(j, ole(2024, 3, 15, 6, 0, 0), ole(2024, 3, 15, 7, 0, 0));
        const int running = db->addHour(j, ole(2024, 3, 15, 8, 0, 0), std::nullopt);
        auto w = openWindowOn(c);
        ReportList *h = list(w.get(), "lvwHours");
        QAction *stop = w->menuItem(QStringLiteral("mnuHours"), 6);
        const QString costBefore = h->cell(rowWithText(h, QString::number(running)), 4);
        Clock::advance(3600);
        clickRow(h, rowWithText(h, QString::number(stopped)), Qt::RightButton);
        QVERIFY(menu(w.get(), "MenuLvwHours")->isVisible());
        QVERIFY(!stop->isEnabled());
        QVERIFY(w->menuItem(QStringLiteral("mnuHours"), 4)->isEnabled());
        QVERIFY(w->menuItem(QStringLiteral("mnuHours"), 13)->isVisible());
        // A right-button release does not recompute the costs.
        QCOMPARE(h->cell(rowWithText(h, QString::number(running)), 4), costBefore);
        closePopups();
        clickRow(h, rowWithText(h, QString::number(running)), Qt::RightButton);
        QVERIFY(stop->isEnabled());
    }

    void deleteCompanyAsks()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j = db->addJob(c, QStringLiteral("Web"), 400000);
        db->addHour(j, ole(2024, 3, 15, 6, 0, 0), ole(2024, 3, 15, 7, 0, 0));
        auto w = openWindowOn(c);
        p->answer(BoxResult::No);
        w->onCompanyMenu(frmMain::CompanyDelete);
        QCOMPARE(p->count(), 1);
        const MessageBoxRequest box = p->last();
        QCOMPARE(box.title, QStringLiteral("Delete this Company All it's Projects "
                                           "and All of it's Projects Charges?"));
        QCOMPARE(box.text, QStringLiteral("Warning!:  Cascade Delete:\r\n\r\nA. There is NO Way to Undo this "
                                          "command.\r\n\r\nB. Deleting a Company will automatically\r\n     "
                                          "delete "
                                          "all Projects attached to it.\r\n\r\nC. Deleting a Project will "
                                          "automatically\r\n   delete all Charges attached to it.\r\n\r\nDo "
                                          "you "
                                          "want to Delete this Company All it's Projects and All of it's "
                                          "Projects "
                                          "Charges?"));
        QCOMPARE(box.icon, BoxIcon::Error);
        QCOMPARE(box.buttons, BoxButtons::YesNo);
        QCOMPARE(box.defaultButton, 2);
        QCOMPARE(db->count(QStringLiteral("tblCompanys")), 1);
        p->answer(BoxResult::Yes);
        w->onCompanyMenu(frmMain::CompanyDelete);
        QCOMPARE(db->count(QStringLiteral("tblCompanys")), 0);
        QCOMPARE(db->count(QStringLiteral("tblJobs")), 0);
        QCOMPARE(db->count(QStringLiteral("tblHours")), 0);
        QCOMPARE(list(w.get(), "LvwCompanys")->rowCount(), 0);
        QCOMPARE(list(w.get(), "LvwJobs")->rowCount(), 0);
    }

    void deleteProjectAsks()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j1 = db->addJob(c, QStringLiteral("One"), 400000);
        const int j2 = db->addJob(c, QStringLiteral("Two"), 400000);
        db->addHour(j1, ole(2024, 3, 15, 6, 0, 0), ole(2024, 3, 15, 7, 0, 0));
        auto w = openWindowOn(c);
        clickRowWithText(list(w.get(), "LvwJobs"), j1);
        p->answer(BoxResult::No);
        w->onProjectMenu(frmMain::ProjectDelete);
        QCOMPARE(p->last().title, QStringLiteral("Delete this Project and All of it's Charges?"));
        QCOMPARE(p->last().text,
                 QStringLiteral("Warning!:\r\n\r\nA. There is NO Way to Undo this "
                                "command.\r\n\r\nB. "
                                "Deleting a Project will automatically\r\n     delete all Charges "
                                "attached to it.\r\n\r\nDo you want to Delete this Project and All "
                                "of it's Charges?"));
        QCOMPARE(p->last().icon, BoxIcon::Error);
        QCOMPARE(p->last().defaultButton, 2);
        QCOMPARE(db->count(QStringLiteral("tblJobs")), 2);
        p->answer(BoxResult::Yes);
        w->onProjectMenu(frmMain::ProjectDelete);
        QCOMPARE(db->count(QStringLiteral("tblJobs")), 1);
        QCOMPARE(db->count(QStringLiteral("tblHours")), 0);
        QCOMPARE(w->selectedCompanyText(), QString::number(c));
        QCOMPARE(w->selectedJobText(), QString::number(j2));
    }

    void deleteChargeAsks()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j = db->addJob(c, QStringLiteral("One"), 400000);
        db->addHour(j, ole(2024, 3, 15, 6, 0, 0), ole(2024, 3, 15, 7, 0, 0));
        db->addHour(j, ole(2024, 3, 15, 7, 0, 0), ole(2024, 3, 15, 8, 0, 0));
        auto w = openWindowOn(c);
        clickRow(list(w.get(), "lvwHours"), 1);
        const QString gone = list(w.get(), "lvwHours")->rowText(1);
        p->answer({BoxResult::No, BoxResult::Yes});
        w->onChargeMenu(frmMain::ChargeDelete);
        QCOMPARE(p->last().title, QStringLiteral("Delete This Charge?"));
        QCOMPARE(p->last().text, QStringLiteral("There is NO Way to Undo this command.\r\n\r\nDo you want to "
                                                "Delete this Charge?"));
        QCOMPARE(p->last().icon, BoxIcon::Warning);
        QCOMPARE(p->last().buttons, BoxButtons::YesNo);
        QCOMPARE(p->last().defaultButton, 2);
        QCOMPARE(db->count(QStringLiteral("tblHours")), 2);
        w->onChargeMenu(frmMain::ChargeDelete);
        QCOMPARE(db->count(QStringLiteral("tblHours")), 1);
        QCOMPARE(db->scalar(QStringLiteral("SELECT COUNT(*) FROM tblHours WHERE lngHourID=") + gone).toInt(),
                 0);
        QCOMPARE(list(w.get(), "lvwHours")->rowCount(), 1);
    }

    void startAndStopACharge()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j = db->addJob(c, QStringLiteral("One"), 400000);
        db->addHour(j, ole(2024, 3, 15, 6, 0, 0), ole(2024, 3, 15, 7, 0, 0));
        auto w = openWindowOn(c);
        Clock::setNow(QDateTime(QDate(2024, 3, 15), QTime(10, 0, 0, 700), Qt::UTC));
        w->onChargeMenu(frmMain::ChargeStartNew); // Start New Charge
        QCOMPARE(db->count(QStringLiteral("tblHours")), 2);
        const int added = db->scalar(QStringLiteral("SELECT MAX(lngHourID) FROM tblHours")).toInt();
        QCOMPARE(
            db->scalar(QStringLiteral("SELECT lngJobID FROM tblHours WHERE lngHourID=%1").arg(added)).toInt(),
            j);
        QCOMPARE(db->scalar(QStringLiteral("SELECT dtmStartTime FROM tblHours WHERE lngHourID=%1").arg(added))
                     .toDouble(),
                 ole(2024, 3, 15, 10, 0, 0));
        QCOMPARE(db->scalar(QStringLiteral("SELECT dtmStopTime FROM tblHours WHERE lngHourID=%1").arg(added))
                     .toDouble(),
                 ole(1973, 6, 29, 14, 21, 0));
        ReportList *h = list(w.get(), "lvwHours");
        const int row = rowWithText(h, QString::number(added));
        QVERIFY(row >= 0);
        QCOMPARE(h->cell(row, 3), QStringLiteral("Pending..."));

        Clock::setNow(at(10, 45, 30));
        clickRow(h, row);
        w->onChargeMenu(frmMain::ChargeStopPending); // Stop Pending Charge: no question for a
                                                     // running charge
        QCOMPARE(p->count(), 0);
        QCOMPARE(db->scalar(QStringLiteral("SELECT dtmStopTime FROM tblHours WHERE lngHourID=%1").arg(added))
                     .toDouble(),
                 ole(2024, 3, 15, 10, 45, 30));
        QCOMPARE(db->scalar(QStringLiteral("SELECT dtmStartTime FROM tblHours WHERE lngHourID=%1").arg(added))
                     .toDouble(),
                 ole(2024, 3, 15, 10, 0, 0));
        QCOMPARE(h->cell(rowWithText(h, QString::number(added)), 4), QStringLiteral(" $30.33"));
    }

    void shortcutActsOnlyWhileEnabled()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        db->addJob(c, QStringLiteral("One"), 400000);
        auto w = openWindow();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        clickRowWithText(list(w.get(), "LvwCompanys"), c);
        QTest::keyClick(w.get(), Qt::Key_F12);
        QCOMPARE(db->count(QStringLiteral("tblHours")), 1);
        w->menuItem(QStringLiteral("mnuHours"), 7)->setEnabled(false);
        QTest::keyClick(w.get(), Qt::Key_F12);
        QCOMPARE(db->count(QStringLiteral("tblHours")), 1);
    }

    void stoppingAStoppedChargeAsks()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j = db->addJob(c, QStringLiteral("One"), 400000);
        const int hour = db->addHour(j, ole(2024, 3, 15, 6, 0, 0), ole(2024, 3, 15, 7, 0, 0));
        auto w = openWindowOn(c);
        p->answer(BoxResult::No);
        w->onChargeMenu(frmMain::ChargeStopPending);
        QCOMPARE(p->count(), 1);
        QCOMPARE(p->last().title, QStringLiteral("Change the Stop Time to now?"));
        QCOMPARE(p->last().text, QStringLiteral("The selected charge has already stopped.\r\n\r\n  "
                                                "Would you like to "
                                                "change the Stop Time to\r\n the current time?"));
        QCOMPARE(p->last().icon, BoxIcon::Question);
        QCOMPARE(p->last().defaultButton, 1);
        const QString stopSql =
            QStringLiteral("SELECT dtmStopTime FROM tblHours WHERE lngHourID=%1").arg(hour);
        QCOMPARE(db->scalar(stopSql).toDouble(), ole(2024, 3, 15, 7, 0, 0));
        p->answer(BoxResult::Yes);
        w->onChargeMenu(frmMain::ChargeStopPending);
        QCOMPARE(db->scalar(stopSql).toDouble(), ole(2024, 3, 15, 10, 0, 0));
    }

    void stopWithoutAChargeWritesNothing()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        db->addJob(c, QStringLiteral("One"), 400000);
        auto w = openWindowOn(c);
        QCOMPARE(list(w.get(), "lvwHours")->rowCount(), 0);
        w->onChargeMenu(frmMain::ChargeStopPending);
        QCOMPARE(db->count(QStringLiteral("tblHours")), 0);
        QCOMPARE(p->count(), 0);
    }

    void chargeCommandsNeedProjects()
    {
        db->addCompany(QStringLiteral("Acme"));
        auto w = openWindow();
        for (int index : {3, 4, 6, 7, 9, 11})
            w->onChargeMenu(index);
        QCOMPARE(db->count(QStringLiteral("tblHours")), 0);
        QCOMPARE(p->count(), 0);
        QVERIFY(!w->findChild<QWidget *>(QStringLiteral("frmHour")));
    }

    void noCompanySelectedBox()
    {
        auto w = openWindow();
        p->answer(BoxResult::Ok);
        w->onPaymentsMenu(frmMain::PaymentsEdit);
        QCOMPARE(p->count(), 1);
        QCOMPARE(p->last().title, QStringLiteral("No Company Selected"));
        QCOMPARE(p->last().text,
                 QStringLiteral("Please Create then Select a Company First.\r\n\r\nFor more "
                                "information on the \r\nData Structure, check the Help Menu."));
        QCOMPARE(p->last().icon, BoxIcon::Warning);
        QCOMPARE(p->last().buttons, BoxButtons::Ok);
    }

    void printItemsOpenTheInvoiceWindow_data()
    {
        QTest::addColumn<QString>("array");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("charges");
        QTest::newRow("companies") << "MnuComps" << 8 << 3;
        QTest::newRow("projects") << "mnuJobs" << 8 << 2;
        QTest::newRow("charges") << "mnuHours" << 9 << 1;
    }
    void printItemsOpenTheInvoiceWindow()
    {
        QFETCH(QString, array);
        QFETCH(int, index);
        QFETCH(int, charges);
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int first = db->addJob(c, QStringLiteral("One"), 400000);
        db->addHour(db->addJob(c, QStringLiteral("Two"), 400000), ole(2026, 1, 4, 9), ole(2026, 1, 4, 10));
        db->addHour(first, ole(2026, 1, 5, 9), ole(2026, 1, 5, 11));
        db->addHour(first, ole(2026, 1, 6, 9), ole(2026, 1, 6, 11));
        auto w = openWindowOn(c);
        w->menuItem(array, index)->trigger();
        QVERIFY(w->invoiceWindow());
        QCOMPARE(w->invoiceWindow()->parent(), w.get());
        QVERIFY(w->invoiceWindow()->isVisible());
        QVERIFY(w->invoiceWindow()->invoice());
        QCOMPARE(int(w->invoiceWindow()->invoice()->charges.size()), charges);
        // The one window of its opener, brought forward again.
        QPointer<frmInvoice> shown = w->invoiceWindow();
        w->menuItem(array, index)->trigger();
        QCOMPARE(w->invoiceWindow(), shown.data());
        QCOMPARE(p->count(), 0);
        shown->close();
        waitGone(shown);
    }

    void editWithoutSelectionOpensNothing()
    {
        auto w = openWindow();
        w->onCompanyMenu(frmMain::CompanyEdit);
        w->onProjectMenu(frmMain::ProjectEdit);
        QVERIFY(!w->findChild<QWidget *>(QStringLiteral("frmComp")));
        QVERIFY(!w->findChild<QWidget *>(QStringLiteral("frmJob")));
        QCOMPARE(p->count(), 0);
    }

    void doubleClickEditsTheCompany()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        db->addJob(c, QStringLiteral("One"), 400000);
        auto w = openWindow();
        ReportList *companies = list(w.get(), "LvwCompanys");
        QTest::mouseDClick(companies->viewport(), Qt::LeftButton, {}, companies->rowRect(0).center());
        QWidget *editor = w->findChild<QWidget *>(QStringLiteral("frmComp"));
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        editor->close();
    }

    void paymentAddedInThePaymentsWindowTalksToTheMainWindow()
    {
        db->addCompany(QStringLiteral("Acme"));
        const int brum = db->addCompany(QStringLiteral("Brum"));
        auto w = openWindow();
        ReportList *companies = list(w.get(), "LvwCompanys");
        clickRowWithText(companies, brum);
        w->onPaymentsMenu(frmMain::PaymentsEdit);
        auto *payments = w->findChild<frmPayments *>();
        QVERIFY(payments);
        payments->onPaymentsMenu(frmPayments::AddPayment);
        auto *editor = payments->findChild<frmPayment *>();
        QVERIFY(editor);
        // The company preset is the main window's selection.
        QCOMPARE(editor->findChild<QComboBox *>(QStringLiteral("cboCompanyID"))->currentData().toInt(), brum);
        // A company added behind the main window's back shows once the editor's
        // closing has made the main window reload.
        const int late = db->addCompany(QStringLiteral("Late"));
        editor->setBoxText(2, QStringLiteral("12"));
        p->answer(BoxResult::Ok);
        editor->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        QCOMPARE(p->last().text, QStringLiteral("Payment Added Successfully!"));
        QVERIFY(rowWithText(companies, QString::number(late)) >= 0);
        QCOMPARE(db->scalar(QStringLiteral("SELECT lngCompanyID FROM tblPayments")).toInt(), brum);
        payments->close();
    }

    void exitClosesTheWindow()
    {
        auto w = openWindow();
        w->setRealTimeWatch(true);
        w->onFileMenu(frmMain::FileExit);
        QVERIFY(!w->isVisible());
        QVERIFY(!w->findChild<QTimer *>(QStringLiteral("tmrRealTimeCost"))->isActive());
    }
};

TAMBERLOCK_TEST_MAIN(MainMenusTest)
#include "tst_MainMenus.moc"
