#include "EditorTestUtil.h"
#include "common/WidgetTestSupport.h"

#include "data/Clock.h"
#include "data/Formats.h"
#include "editors/frmComp.h"
#include "editors/frmHour.h"
#include "editors/frmJob.h"
#include "editors/frmPayment.h"
#include "main/frmMain.h"

#include <QPointer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace editortest;

// The add/edit protocol every editor shares, shown on the project and
// company editors.
class ProtocolTest : public DatabaseTest
{
    Q_OBJECT

private slots:
    void init() { startScene(); }
    void cleanup()
    {
        endScene();
        closeAllEditors();
        Clock::useSystemClock();
    }

    void onlyMinusOneEdits()
    {
        const int company = db->addCompany(QStringLiteral("Acme"));
        db->addJob(company, QStringLiteral("Five"), 0);
        frmJob *e = openEditor<frmJob>(1, 5);
        QCOMPARE(e->editMode(), qint16(0));
        QCOMPARE(e->recordId(), 0);
        QCOMPARE(e->windowTitle(), QStringLiteral("Add New Project"));
        QCOMPARE(child<QGroupBox>(e, QStringLiteral("framComp"))->title(), QStringLiteral("New Project:"));
        QVERIFY(button(e, QStringLiteral("cmdAddAsNew"))->isHidden());
    }

    void changeMarkerStates()
    {
        const int company = db->addCompany(QStringLiteral("Acme"));
        const int job = db->addJob(company, QStringLiteral("Site"), 500000);
        frmJob *e = frmJob::showEditor(nullptr);
        QPushButton *addAsNew = button(e, QStringLiteral("cmdAddAsNew"));

        // add, clean: nothing preselected without a main window selection
        e->SwapFormMode(0, 0);
        QCOMPARE(e->windowTitle(), QStringLiteral("Add New Project"));
        QVERIFY(addAsNew->isHidden());
        // add, changed
        e->setBoxText(1, QStringLiteral("X"));
        QCOMPARE(e->windowTitle(), QStringLiteral("Add New Project *"));
        QVERIFY(addAsNew->isHidden());
        // edit, clean: the loading raised changes, so Add As New shows
        e->SwapFormMode(-1, job);
        QCOMPARE(e->windowTitle(), QStringLiteral("Edit Project #%1").arg(job));
        QVERIFY(!addAsNew->isHidden());
        QCOMPARE(child<QGroupBox>(e, QStringLiteral("framComp"))->title(), QStringLiteral("Edit Project:"));
        // edit, changed: one typed character
        QTest::keyClick(child<QLineEdit>(e, QStringLiteral("txtComps_1")), Qt::Key_End);
        QTest::keyClick(child<QLineEdit>(e, QStringLiteral("txtComps_1")), Qt::Key_S);
        QCOMPARE(e->windowTitle(), QStringLiteral("Edit Project #%1 *").arg(job));
        e->SetDirty(false);
        QCOMPARE(e->windowTitle(), QStringLiteral("Edit Project #%1").arg(job));
        QVERIFY(!addAsNew->isHidden());
        // back to adding: the fields keep their text, Add As New goes
        e->SwapFormMode(0, 0);
        QCOMPARE(e->boxText(1), QStringLiteral("Sites"));
        QVERIFY(addAsNew->isHidden());
    }

    void choosingACompanyMarks()
    {
        const int a = db->addCompany(QStringLiteral("A"));
        db->addCompany(QStringLiteral("B"));
        const int job = db->addJob(a, QStringLiteral("Site"), 0);
        frmJob *e = openEditor<frmJob>(-1, job);
        QVERIFY(!e->windowTitle().endsWith(QStringLiteral(" *")));
        combo(e, QStringLiteral("cboCompanyID"))->setCurrentIndex(1);
        QVERIFY(e->windowTitle().endsWith(QStringLiteral(" *")));
    }

    void okInEditModeSavesAndCloses()
    {
        const int a = db->addCompany(QStringLiteral("A"));
        const int b = db->addCompany(QStringLiteral("B"));
        const int job = db->addJob(a, QStringLiteral("Site"), 0);
        QPointer<frmJob> e = openEditor<frmJob>(-1, job);
        chooseRow(e, QStringLiteral("cboCompanyID"), QStringLiteral("tblCompanys"),
                  QStringLiteral("lngCompanyID"), QStringLiteral("strCompanyName"), b);
        e->moveFocusTo(2);
        e->setBoxText(2, QStringLiteral("1234.5"));
        e->moveFocusTo(3);
        QCOMPARE(e->boxText(2), QStringLiteral("$1,234.50"));
        p->answer(BoxResult::Ok);
        button(e, QStringLiteral("cmdOK"))->click();
        QCOMPARE(p->count(), 1);
        QCOMPARE(p->last().text, QStringLiteral("Record Saved."));
        QCOMPARE(p->last().title, QStringLiteral("Record Saved."));
        QCOMPARE(p->last().icon, BoxIcon::Information);
        QVERIFY(e.isNull() || e->isClosed());
        QCOMPARE(db->scalar(QStringLiteral("SELECT lngCompanyID FROM tblJobs WHERE lngJobID = %1").arg(job))
                     .toInt(),
                 b);
        QCOMPARE(db->scalar(QStringLiteral("SELECT curHourlyWage FROM tblJobs WHERE lngJobID = %1").arg(job))
                     .toLongLong(),
                 12345000LL);
        QCOMPARE(db->count(QStringLiteral("tblJobs")), 1);
    }

    void addAsNewKeepsTheEditedRow()
    {
        const int a = db->addCompany(QStringLiteral("A"));
        const int job = db->addJob(a, QStringLiteral("Site"), 400000, ole(2006, 1, 2, 3, 4, 5));
        frmJob *e = openEditor<frmJob>(-1, job);
        e->setBoxText(1, QStringLiteral("Second Site"));
        p->answer(BoxResult::Ok);
        button(e, QStringLiteral("cmdAddAsNew"))->click();
        QCOMPARE(p->count(), 1);
        QCOMPARE(p->last().text, QStringLiteral("Record Added Successfully!"));
        QCOMPARE(db->count(QStringLiteral("tblJobs")), 2);
        QCOMPARE(db->scalar(QStringLiteral("SELECT strJobName FROM tblJobs WHERE lngJobID = %1").arg(job))
                     .toString(),
                 QStringLiteral("Site"));
        const QString added = QStringLiteral(" FROM tblJobs WHERE lngJobID <> %1").arg(job);
        QCOMPARE(db->scalar(QStringLiteral("SELECT strJobName") + added).toString(),
                 QStringLiteral("Second Site"));
        QCOMPARE(db->scalar(QStringLiteral("SELECT lngCompanyID") + added).toInt(), a);
        QCOMPARE(db->scalar(QStringLiteral("SELECT curHourlyWage") + added).toLongLong(), 400000LL);
        QCOMPARE(db->scalar(QStringLiteral("SELECT dtmDeadLine") + added).toDouble(),
                 ole(2006, 1, 2, 3, 4, 5));
        QVERIFY(e->isClosed());
    }

    void failedSaveKeepsTheEditorOpen()
    {
        const int a = db->addCompany(QStringLiteral("A"));
        const int job = db->addJob(a, QStringLiteral("Site"), 0);
        frmJob *e = openEditor<frmJob>(-1, job);
        e->setBoxText(1, QStringLiteral("Renamed"));

        // A second program holds the file locked while Ok is pressed.
        {
            QSqlDatabase lock =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
            lock.setDatabaseName(db->file());
            QVERIFY(lock.open());
            QSqlQuery q(lock);
            QVERIFY(q.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            p->answer(BoxResult::Abort);
            button(e, QStringLiteral("cmdOK"))->click();
            q.exec(QStringLiteral("ROLLBACK"));
            q.finish();
            q = QSqlQuery();
            lock.close();
            lock = QSqlDatabase();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("locker"));

        QVERIFY(p->count() >= 1);
        for (const auto &shown : p->shown())
            QCOMPARE(shown.message.title, QStringLiteral("An Error Occured!"));
        QVERIFY(!e->isClosed());
        QVERIFY(e->isVisible());
        QCOMPARE(e->windowTitle(), QStringLiteral("Edit Project #%1 *").arg(job));
        QCOMPARE(db->scalar(QStringLiteral("SELECT strJobName FROM tblJobs")).toString(),
                 QStringLiteral("Site"));
        // Close then saves nothing more.
        p->clear();
        button(e, QStringLiteral("cmdCancel"))->click();
        QVERIFY(e->isClosed());
        QCOMPARE(p->count(), 0);
        QCOMPARE(db->scalar(QStringLiteral("SELECT strJobName FROM tblJobs")).toString(),
                 QStringLiteral("Site"));
    }

    // Money and date-times that cannot be read are refused by a box naming
    // the field, the text kept; empty boxes keep their meaning.
    void unreadableValuesAreRefused_data()
    {
        QTest::addColumn<int>("editor"); // frmJob, frmHour, frmPayment
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QVariant>("stored"); // what is saved when field is empty
        QTest::addColumn<QString>("field");
        QTest::newRow("wage letters") << 0 << 2 << "abc" << QVariant() << "Hourly Wage";
        QTest::newRow("wage blank") << 0 << 2 << "  " << QVariant(0LL) << "";
        QTest::newRow("stop") << 1 << 2 << "25:61" << QVariant() << "Stop Time";
        QTest::newRow("stop pending") << 1 << 2 << "Pending..." << QVariant(0.0) << "";
        QTest::newRow("no start") << 1 << 1 << "" << QVariant() << "Start Time";
        QTest::newRow("stop before start") << 1 << 2 << "07/04/2005 08:59:59 AM" << QVariant() << "Stop Time";
        QTest::newRow("amount") << 2 << 2 << "12 dollars" << QVariant() << "Payment Amount";
        QTest::newRow("date") << 2 << 4 << "1/1/1500" << QVariant() << "Trans. Date";
    }
    void unreadableValuesAreRefused()
    {
        QFETCH(int, editor);
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(QVariant, stored);
        QFETCH(QString, field);
        const int a = db->addCompany(QStringLiteral("A"));
        const int j = db->addJob(a, QStringLiteral("Web"), 10000);
        const bool job = editor == 0, hour = editor == 1;
        EditorBase *e = job    ? static_cast<EditorBase *>(frmJob::showEditor(nullptr))
                        : hour ? static_cast<EditorBase *>(frmHour::showEditor(nullptr))
                               : frmPayment::showEditor(nullptr);
        e->SwapFormMode(0, 0);
        chooseRow(e, hour ? "cboJobID" : "cboCompanyID", hour ? "tblJobs" : "tblCompanys",
                  hour ? "lngJobID" : "lngCompanyID", hour ? "strJobName" : "strCompanyName", hour ? j : a);
        const QString table = job ? "tblJobs" : hour ? "tblHours" : "tblPayments";
        const int rows = db->count(table);
        if (hour && index != 1)
            e->setBoxText(1, QStringLiteral("7/4/2005 9:00 AM"));
        e->moveFocusTo(index);
        QTest::keyClicks(e->box(index), typed);
        p->answer(BoxResult::Ok);
        QTest::keyClick(e->box(index), Qt::Key_Return); // Enter presses Ok
        QCOMPARE(p->count(), 1);
        QCOMPARE(db->count(table), field.isEmpty() ? rows + 1 : rows);
        if (field.isEmpty()) { // saved with the empty box's meaning
            const QString column = job ? "curHourlyWage" : "dtmStopTime";
            QCOMPARE(db->scalar(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid DESC").arg(column, table)),
                     stored);
            return;
        }
        QVERIFY(p->last().text.contains(field) && p->last().text.contains(typed));
        QVERIFY(!e->isClosed() && e->boxText(index) == typed && e->focusedBox() == index);
    }

    void closeAndEscapeSaveNothing()
    {
        frmJob *e = openEditor<frmJob>(0);
        e->setBoxText(1, QStringLiteral("Unsaved"));
        QTest::keyClick(e, Qt::Key_Escape);
        QVERIFY(e->isClosed());
        QCOMPARE(db->count(QStringLiteral("tblJobs")), 0);
        QCOMPARE(p->count(), 0);
    }

    void oneEditorAtATime()
    {
        frmJob *first = openEditor<frmJob>(0);
        first->setBoxText(1, QStringLiteral("Typed"));
        frmJob *again = frmJob::showEditor(nullptr);
        QCOMPARE(again, first);
        QCOMPARE(again->boxText(1), QStringLiteral("Typed"));
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frmJob *fresh = frmJob::showEditor(nullptr);
        QCOMPARE(fresh->boxText(1), QString());
        QVERIFY(!fresh->isClosed());
    }

    void windowsLookAsDesigned()
    {
        frmJob *e = frmJob::showEditor(nullptr);
        QCOMPARE(e->objectName(), QStringLiteral("frmJob"));
        QCOMPARE(e->size(), QSize(301, 172));
        QCOMPARE(e->minimumSize(), e->maximumSize());
        QVERIFY(!(e->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(e->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(button(e, QStringLiteral("cmdOK"))->text(), QStringLiteral("Ok"));
        QVERIFY(button(e, QStringLiteral("cmdOK"))->isDefault());
        QCOMPARE(button(e, QStringLiteral("cmdCancel"))->text(), QStringLiteral("Close"));
        QCOMPARE(button(e, QStringLiteral("cmdAddAsNew"))->text(), QStringLiteral("&Add As New"));
        QCOMPARE(button(e, QStringLiteral("cmdNow_3"))->toolTip(),
                 QStringLiteral("Click Here to use the Current Date/Time"));
        QCOMPARE(button(e, QStringLiteral("cmdPicker_3"))->text(), QStringLiteral("..."));
        QVERIFY(!combo(e, QStringLiteral("cboCompanyID"))->isEditable());
        for (int i : {1, 2, 3})
            QCOMPARE(child<QLineEdit>(e, QStringLiteral("txtComps_%1").arg(i))->maxLength(), 50);
        QVERIFY(child<QFrame>(e, QStringLiteral("Label1")));
        // The buttons stand in one row below the rule.
        const int rule = child<QFrame>(e, QStringLiteral("Label1"))->geometry().bottom();
        const QPushButton *ok = button(e, QStringLiteral("cmdOK"));
        const QPushButton *close = button(e, QStringLiteral("cmdCancel"));
        QVERIFY(ok->geometry().top() > rule);
        QCOMPARE(ok->geometry().top(), close->geometry().top());
        QVERIFY(close->geometry().right() <= e->width());
        QVERIFY(ok->geometry().bottom() <= e->height());
    }

    void nowButtonWritesTheClock()
    {
        Clock::setNow(modTamberlock::makeDateTime(QDate(2005, 7, 4), QTime(9, 15, 0)));
        frmJob *e = openEditor<frmJob>(0);
        e->SetDirty(false);
        button(e, QStringLiteral("cmdNow_3"))->click();
        QCOMPARE(e->boxText(3), QStringLiteral("07/04/2005 09:15:00 AM"));
        QCOMPARE(e->windowTitle(), QStringLiteral("Add New Project *"));
    }

    void pickerOpensOwnedByTheEditor()
    {
        frmJob *e = openEditor<frmJob>(0);
        e->setBoxText(3, QStringLiteral("07/04/2005 09:15:00 AM"));
        button(e, QStringLiteral("cmdPicker_3"))->click();
        auto *picker = e->findChild<QDialog *>(QStringLiteral("frmDateTime"));
        QVERIFY(picker);
        QVERIFY(picker->isVisible());
        QCOMPARE(picker->parentWidget(), static_cast<QWidget *>(e));
    }

    void addModeTakesTheMainWindowsCompany()
    {
        db->addCompany(QStringLiteral("A"));
        const int b = db->addCompany(QStringLiteral("B"));
        NoEmptyListOffers noOffers;
        frmMain main;
        // Loading the companies selects the first row.
        QVERIFY(!main.selectedCompanyText().isEmpty());
        frmJob *e = frmJob::showEditor(&main);
        main.adoptEditor(e);
        e->SwapFormMode(0, 0);
        QComboBox *c = combo(e, QStringLiteral("cboCompanyID"));
        QCOMPARE(QString::number(c->currentData().toInt()), main.selectedCompanyText());
        QCOMPARE(e->windowTitle(), QStringLiteral("Add New Project *"));
        Q_UNUSED(b);
    }

    void addModeWithoutSelectionLeavesListsEmpty()
    {
        db->addCompany(QStringLiteral("A"));
        frmJob *e = openEditor<frmJob>(0);
        QCOMPARE(combo(e, QStringLiteral("cboCompanyID"))->count(), 0);
        QCOMPARE(e->windowTitle(), QStringLiteral("Add New Project"));
    }
};

TAMBERLOCK_TEST_MAIN(ProtocolTest)
#include "tst_Protocol.moc"
