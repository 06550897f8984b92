#include "EditorTestUtil.h"
#include "common/WidgetTestSupport.h"

#include "editors/frmComp.h"

#include <QGroupBox>
#include <QTest>

using namespace editortest;

class CompanyEditorTest : public DatabaseTest
{
    Q_OBJECT

private:
    int addFullCompany()
    {
        const int id = db->addCompany(QStringLiteral("  Acme Tools  "), QStringLiteral("Jo Smith"),
                                      QStringLiteral("5551234567"), QStringLiteral("(555) 765-4321"));
        db->exec(QStringLiteral("UPDATE tblCompanys SET strCompanyWeb = 'http://acme.example', "
                                "strCompanyAddr1 = '1 Main St', strCompanyAddr2 = 'Suite 2', "
                                "strCompanyCity = 'Boston ', strCompanyState = 'MA', strCompanyZip "
                                "= '02134', "
                                "strComments = 'good payer', strCompanyEmail = 'jo@acme.example' "
                                "WHERE lngCompanyID = %1")
                     .arg(id));
        return id;
    }

private slots:
    void init() { startScene(); }
    void cleanup()
    {
        endScene();
        closeAllEditors();
    }

    void designDefaults()
    {
        frmComp *e = openEditor<frmComp>(0);
        QCOMPARE(e->objectName(), QStringLiteral("frmComp"));
        QCOMPARE(e->size(), QSize(460, 303));
        QCOMPARE(e->windowTitle(), QStringLiteral("Add New Company"));
        QCOMPARE(child<QGroupBox>(e, QStringLiteral("framComp"))->title(), QStringLiteral("New Company:"));
        QCOMPARE(child<QGroupBox>(e, QStringLiteral("Frame2"))->title(), QStringLiteral("Contact:"));
        QCOMPARE(child<QGroupBox>(e, QStringLiteral("Frame3"))->title(), QStringLiteral("Comments:"));
        QCOMPARE(e->boxText(1), QStringLiteral("http://"));
        QCOMPARE(child<QLineEdit>(e, QStringLiteral("txtComps_5"))->maxLength(), 2);
        QCOMPARE(child<QLineEdit>(e, QStringLiteral("txtComps_6"))->maxLength(), 10);
        QCOMPARE(child<QLineEdit>(e, QStringLiteral("txtComps_1"))->maxLength(), 100);
        QVERIFY(child<QPlainTextEdit>(e, QStringLiteral("txtComps_7")));
        QCOMPARE(child<QLabel>(e, QStringLiteral("lblComps_10"))->text(), QStringLiteral("Contact Phone:"));
        QVERIFY(!child<QLabel>(e, QStringLiteral("lblComps_7")));
        // Typing changes no caption: this editor has no change marker.
        e->setBoxText(0, QStringLiteral("New"));
        QCOMPARE(e->windowTitle(), QStringLiteral("Add New Company"));
        QVERIFY(button(e, QStringLiteral("cmdAddAsNew"))->isHidden());
    }

    void loadShowsCleanedUpValues()
    {
        const int id = addFullCompany();
        frmComp *e = openEditor<frmComp>(-1, id);
        QCOMPARE(e->windowTitle(), QStringLiteral("Edit Record #%1").arg(id));
        QCOMPARE(child<QGroupBox>(e, QStringLiteral("framComp"))->title(), QStringLiteral("Edit Company:"));
        QCOMPARE(e->boxText(0), QStringLiteral("Acme Tools"));
        QCOMPARE(e->boxText(1), QStringLiteral("http://acme.example"));
        QCOMPARE(e->boxText(3), QStringLiteral("Suite 2"));
        QCOMPARE(e->boxText(4), QStringLiteral("Boston"));
        QCOMPARE(e->boxText(6), QStringLiteral("02134-0000"));
        QCOMPARE(e->boxText(7), QStringLiteral("good payer"));
        QCOMPARE(e->boxText(8), QStringLiteral("Jo Smith"));
        QCOMPARE(e->boxText(10), QStringLiteral("(555) 123-4567"));
        QCOMPARE(e->boxText(11), QStringLiteral("(555) 765-4321"));
        QCOMPARE(e->focusedBox(), 0);
        QVERIFY(button(e, QStringLiteral("cmdAddAsNew"))->isHidden());
        QCOMPARE(p->count(), 0);
    }

    void emptyCommentsAreStoredAsNA()
    {
        frmComp *e = openEditor<frmComp>(0);
        e->setBoxText(0, QStringLiteral("Fresh Co"));
        p->answer(BoxResult::Ok);
        button(e, QStringLiteral("cmdOK"))->click();
        QCOMPARE(p->last().text, QStringLiteral("Record Added Successfully!"));
        QVERIFY(e->isClosed());
        const int id = db->scalar(QStringLiteral("SELECT lngCompanyID FROM tblCompanys")).toInt();
        QCOMPARE(db->scalar(QStringLiteral("SELECT strComments FROM tblCompanys")).toString(),
                 QStringLiteral("N/A"));
        QCOMPARE(db->scalar(QStringLiteral("SELECT strCompanyWeb FROM tblCompanys")).toString(),
                 QStringLiteral("http://"));
        closeAllEditors();
        frmComp *again = openEditor<frmComp>(-1, id);
        QCOMPARE(again->boxText(7), QStringLiteral("N/A"));
    }

    void clearedSecondAddressLineIsStoredEmpty()
    {
        const int id = addFullCompany();
        frmComp *e = openEditor<frmComp>(-1, id);
        e->setBoxText(3, QString());
        e->setBoxText(4, QStringLiteral("Salem"));
        p->answer(BoxResult::Ok);
        button(e, QStringLiteral("cmdOK"))->click();
        QCOMPARE(p->last().text, QStringLiteral("Record Saved."));
        QVERIFY(db->scalar(QStringLiteral("SELECT strCompanyAddr2 FROM tblCompanys")).isNull());
        QCOMPARE(db->scalar(QStringLiteral("SELECT strCompanyCity FROM tblCompanys")).toString(),
                 QStringLiteral("Salem"));
        // The cleaned-up forms are stored as shown.
        QCOMPARE(db->scalar(QStringLiteral("SELECT strCompanyPhone FROM tblCompanys")).toString(),
                 QStringLiteral("(555) 123-4567"));
        QCOMPARE(db->scalar(QStringLiteral("SELECT strCompanyZip FROM tblCompanys")).toString(),
                 QStringLiteral("02134-0000"));
    }

    void aStoredTextLongerThanItsBoxIsKeptWhole()
    {
        const QString longName(80, QLatin1Char('N'));
        const int id = db->addCompany(longName);
        frmComp *e = openEditor<frmComp>(-1, id);
        QCOMPARE(e->boxText(0), longName);
        e->setBoxText(4, QStringLiteral("Salem"));
        p->answer(BoxResult::Ok);
        button(e, QStringLiteral("cmdOK"))->click();
        QCOMPARE(p->last().text, QStringLiteral("Record Saved."));
        QCOMPARE(db->scalar(QStringLiteral("SELECT strCompanyName FROM tblCompanys")).toString(), longName);
    }

    void enterPressesOkAndCtrlEnterBreaksTheLine()
    {
        frmComp *e = openEditor<frmComp>(0);
        e->setBoxText(0, QStringLiteral("Keys Co"));
        auto *comments = child<QPlainTextEdit>(e, QStringLiteral("txtComps_7"));
        e->moveFocusTo(7);
        QTest::keyClicks(comments, QStringLiteral("one"));
        QTest::keyClick(comments, Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(comments, QStringLiteral("two"));
        QCOMPARE(e->boxText(7), QStringLiteral("one\ntwo"));
        QVERIFY(!e->isClosed());
        QCOMPARE(db->count(QStringLiteral("tblCompanys")), 0);
        p->answer(BoxResult::Ok);
        QTest::keyClick(comments, Qt::Key_Return);
        QCOMPARE(p->count(), 1);
        QCOMPARE(p->last().text, QStringLiteral("Record Added Successfully!"));
        QVERIFY(e->isClosed());
        QCOMPARE(db->scalar(QStringLiteral("SELECT strComments FROM tblCompanys")).toString(),
                 QStringLiteral("one\ntwo"));
    }

    void loadingAMissingRowAbortsQuietly()
    {
        frmComp *e = frmComp::showEditor(nullptr);
        p->answer({BoxResult::Abort, BoxResult::Ok});
        e->SwapFormMode(-1, 99);
        QCOMPARE(p->count(), 2);
        QCOMPARE(p->shown().first().message.title, QStringLiteral("An Error Occured!"));
        QCOMPARE(p->last().title, QStringLiteral("Record Not Loaded"));
        QVERIFY(!button(e, QStringLiteral("cmdOK"))->isEnabled());
        QCOMPARE(e->windowTitle(), QStringLiteral("Edit Record #99"));
        QCOMPARE(e->boxText(0), QString());
        QCOMPARE(e->boxText(1), QStringLiteral("http://"));
    }

    void ignoreGoesOnWithTheNextField()
    {
        frmComp *e = frmComp::showEditor(nullptr);
        // Every column read of the missing row fails; Ignore skips each one.
        for (int i = 0; i < 12; ++i)
            p->answer(BoxResult::Ignore);
        p->answer(BoxResult::Ok);
        e->SwapFormMode(-1, 99);
        QCOMPARE(p->count(), 13);
        QCOMPARE(p->last().title, QStringLiteral("Record Not Loaded"));
        QCOMPARE(p->unexpected(), 0);
        QCOMPARE(e->focusedBox(), 0);
        e->SwapFormMode(0, 0); // adding is a plain add again
        QVERIFY(button(e, QStringLiteral("cmdOK"))->isEnabled());
    }
};

TAMBERLOCK_TEST_MAIN(CompanyEditorTest)
#include "tst_CompanyEditor.moc"
