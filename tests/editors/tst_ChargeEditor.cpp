#include "EditorTestUtil.h"
#include "common/WidgetTestSupport.h"

#include "data/Clock.h"
#include "data/Formats.h"
#include "editors/frmHour.h"

#include <QTest>

using namespace editortest;

class ChargeEditorTest : public DatabaseTest
{
    Q_OBJECT

private:
    static void chooseJob(QWidget *e, int job)
    {
        chooseRow(e, QStringLiteral("cboJobID"), QStringLiteral("tblJobs"), QStringLiteral("lngJobID"),
                  QStringLiteral("strJobName"), job);
    }

private slots:
    void init() { startScene(); }
    void cleanup()
    {
        endScene();
        closeAllEditors();
        Clock::useSystemClock();
    }

    void newChargeUntouchedIsRefused()
    {
        const int job = db->addJob(db->addCompany(QStringLiteral("A")), QStringLiteral("Site"), 0);
        frmHour *e = openEditor<frmHour>(0);
        QCOMPARE(e->windowTitle(), QStringLiteral("Add New Time"));
        QCOMPARE(child<QGroupBox>(e, QStringLiteral("framComp"))->title(), QStringLiteral("New Charge:"));
        QVERIFY(child<QRadioButton>(e, QStringLiteral("optStop_0"))->isChecked());
        QVERIFY(e->box(2)->isEnabled());
        QCOMPARE(e->boxText(1), QString());
        QCOMPARE(e->boxText(2), QString());
        chooseJob(e, job);
        // Without a start the charge would run from 30 December 1899.
        for (const char *name : {"cmdOK", "cmdAddAsNew"}) {
            p->answer(BoxResult::Ok);
            button(e, QLatin1String(name))->click();
            QVERIFY(p->last().text.contains(QStringLiteral("Start Time")));
            QVERIFY(p->last().text.endsWith(QStringLiteral("Nothing was saved.")));
            QVERIFY(!e->isClosed());
            QCOMPARE(e->focusedBox(), 1);
            QCOMPARE(db->count(QStringLiteral("tblHours")), 0);
        }
        // With a start it is saved, still running.
        e->setBoxText(1, QStringLiteral("7/4/2005 9:00 AM"));
        p->answer(BoxResult::Ok);
        button(e, QStringLiteral("cmdOK"))->click();
        QCOMPARE(p->last().text, QStringLiteral("Record Added Successfully!"));
        QCOMPARE(db->scalar(QStringLiteral("SELECT dtmStartTime FROM tblHours")).toDouble(),
                 ole(2005, 7, 4, 9, 0, 0));
        QCOMPARE(db->scalar(QStringLiteral("SELECT dtmStopTime FROM tblHours")).toDouble(), 0.0);
        QCOMPARE(db->scalar(QStringLiteral("SELECT lngJobID FROM tblHours")).toInt(), job);
    }

    void loadingAPendingChargeShowsPending_data()
    {
        QTest::addColumn<double>("stop");
        QTest::newRow("menu sentinel") << ole(1973, 6, 29, 14, 21, 0);
        QTest::newRow("zero date-time") << 0.0;
    }

    void loadingAPendingChargeShowsPending()
    {
        QFETCH(double, stop);
        const int job = db->addJob(db->addCompany(QStringLiteral("A")), QStringLiteral("Site"), 0);
        const int hour = db->addHour(job, ole(2005, 7, 4, 9, 15, 0), stop);
        frmHour *e = openEditor<frmHour>(-1, hour);
        QCOMPARE(e->windowTitle(), QStringLiteral("Edit Time #%1").arg(hour));
        QCOMPARE(child<QGroupBox>(e, QStringLiteral("framComp"))->title(), QStringLiteral("Edit Charge:"));
        QVERIFY(child<QRadioButton>(e, QStringLiteral("optStop_0"))->isChecked());
        QVERIFY(!e->box(2)->isEnabled());
        QCOMPARE(e->boxText(2), QStringLiteral("Pending..."));
        QCOMPARE(e->boxText(1), QStringLiteral("07/04/2005 09:15:00 AM"));
        QCOMPARE(combo(e, QStringLiteral("cboJobID"))->currentData().toInt(), job);
        // Saved again untouched, the stop time becomes the zero date-time.
        p->answer(BoxResult::Ok);
        button(e, QStringLiteral("cmdOK"))->click();
        QCOMPARE(p->last().text, QStringLiteral("Record Saved."));
        QCOMPARE(db->scalar(QStringLiteral("SELECT dtmStopTime FROM tblHours")).toDouble(), 0.0);
        QCOMPARE(db->scalar(QStringLiteral("SELECT dtmStartTime FROM tblHours")).toDouble(),
                 ole(2005, 7, 4, 9, 15, 0));
    }

    void loadingAStoppedChargeShowsStopTime()
    {
        const int job = db->addJob(db->addCompany(QStringLiteral("A")), QStringLiteral("Site"), 0);
        const int hour = db->addHour(job, ole(2005, 7, 4, 9, 15, 0), ole(2005, 7, 4, 17, 0, 30));
        frmHour *e = openEditor<frmHour>(-1, hour);
        QVERIFY(child<QRadioButton>(e, QStringLiteral("optStop_1"))->isChecked());
        QVERIFY(e->box(2)->isEnabled());
        QCOMPARE(e->boxText(2), QStringLiteral("07/04/2005 05:00:30 PM"));
        QCOMPARE(e->windowTitle(), QStringLiteral("Edit Time #%1").arg(hour));
        QVERIFY(!button(e, QStringLiteral("cmdAddAsNew"))->isHidden());
    }

    void nowWorksOnTheDisabledStopBox()
    {
        const int job = db->addJob(db->addCompany(QStringLiteral("A")), QStringLiteral("Site"), 0);
        const int hour = db->addHour(job, ole(2005, 7, 4, 9, 15, 0), 0.0);
        Clock::setNow(modTamberlock::makeDateTime(QDate(2005, 7, 4), QTime(12, 30, 0)));
        frmHour *e = openEditor<frmHour>(-1, hour);
        QVERIFY(!e->box(2)->isEnabled());
        button(e, QStringLiteral("cmdNow_2"))->click();
        QCOMPARE(e->boxText(2), QStringLiteral("07/04/2005 12:30:00 PM"));
        QVERIFY(e->windowTitle().endsWith(QStringLiteral(" *")));
        p->answer(BoxResult::Ok);
        button(e, QStringLiteral("cmdOK"))->click();
        QCOMPARE(db->scalar(QStringLiteral("SELECT dtmStopTime FROM tblHours")).toDouble(),
                 ole(2005, 7, 4, 12, 30, 0));
    }

    void switchingBetweenTheOptions()
    {
        Clock::setNow(modTamberlock::makeDateTime(QDate(2006, 2, 3), QTime(16, 5, 9)));
        frmHour *e = openEditor<frmHour>(0);
        e->setBoxText(1, QStringLiteral("2/3/2006 8:00 AM"));
        auto *pending = child<QRadioButton>(e, QStringLiteral("optStop_0"));
        auto *stopTime = child<QRadioButton>(e, QStringLiteral("optStop_1"));
        pending->click(); // already checked: nothing happens
        stopTime->click();
        QVERIFY(e->box(2)->isEnabled());
        QCOMPARE(e->boxText(2), QStringLiteral("02/03/2006 04:05:09 PM"));
        QCOMPARE(e->boxText(1), QStringLiteral("02/03/2006 08:00:00 AM"));
        QCOMPARE(e->focusedBox(), 2);
        pending->click();
        QVERIFY(!e->box(2)->isEnabled());
        QCOMPARE(e->boxText(2), QStringLiteral("Pending..."));
        // A typed stop time keeps its own value when Stop Time is chosen.
        stopTime->click();
        e->setBoxText(2, QStringLiteral("2/3/2006 5:00 PM"));
        pending->click();
        stopTime->click();
        QVERIFY(modTamberlock::parseDateTime(e->boxText(2)).has_value());
    }

    void typedStopTimeIsSavedWhilePending()
    {
        const int job = db->addJob(db->addCompany(QStringLiteral("A")), QStringLiteral("Site"), 0);
        frmHour *e = openEditor<frmHour>(0);
        chooseJob(e, job);
        QVERIFY(child<QRadioButton>(e, QStringLiteral("optStop_0"))->isChecked());
        e->setBoxText(1, QStringLiteral("7/4/2005 9:00 AM"));
        e->setBoxText(2, QStringLiteral("7/4/2005 10:00 AM"));
        p->answer(BoxResult::Ok);
        button(e, QStringLiteral("cmdOK"))->click();
        QCOMPARE(db->scalar(QStringLiteral("SELECT dtmStopTime FROM tblHours")).toDouble(),
                 ole(2005, 7, 4, 10, 0, 0));
    }
};

TAMBERLOCK_TEST_MAIN(ChargeEditorTest)
#include "tst_ChargeEditor.moc"
