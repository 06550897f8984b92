#include "EditorTestUtil.h"
#include "common/WidgetTestSupport.h"

#include "editors/frmPayment.h"
#include "main/frmMain.h"

#include <QLabel>
#include <QTest>

using namespace editortest;

class PaymentEditorTest : public DatabaseTest
{
    Q_OBJECT

private slots:
    void init() { startScene(); }
    void cleanup()
    {
        endScene();
        closeAllEditors();
    }

    void loadShowsCleanedUpValues()
    {
        db->addCompany(QStringLiteral("A"));
        const int b = db->addCompany(QStringLiteral("B"));
        const int pay =
            db->addPayment(b, 2500000, ole(2005, 7, 4, 9, 15, 0), QStringLiteral("  cheque  "), 3);
        frmPayment *e = openEditor<frmPayment>(-1, pay);
        QCOMPARE(e->windowTitle(), QStringLiteral("Alter Payment #%1").arg(pay));
        QCOMPARE(child<QGroupBox>(e, QStringLiteral("framComp"))->title(), QStringLiteral("Edit Payment:"));
        QCOMPARE(e->boxText(2), QStringLiteral("$250.00"));
        QCOMPARE(e->boxText(4), QStringLiteral("07/04/2005 09:15:00 AM"));
        QCOMPARE(e->boxText(6), QStringLiteral("cheque"));
        QCOMPARE(combo(e, QStringLiteral("cboCompanyID"))->currentData().toInt(), b);
        QCOMPARE(combo(e, QStringLiteral("cboPayTypes"))->currentData().toInt(), 3);
        QVERIFY(!button(e, QStringLiteral("cmdAddAsNew"))->isHidden());
        QCOMPARE(p->count(), 0);
    }

    void payTypeDoesNotMarkButCompanyDoes()
    {
        const int a = db->addCompany(QStringLiteral("A"));
        db->addCompany(QStringLiteral("B"));
        const int pay = db->addPayment(a, 10000, ole(2005, 7, 4));
        frmPayment *e = openEditor<frmPayment>(-1, pay);
        const QString clean = e->windowTitle();
        combo(e, QStringLiteral("cboPayTypes"))->setCurrentIndex(2);
        QCOMPARE(e->windowTitle(), clean);
        combo(e, QStringLiteral("cboCompanyID"))->setCurrentIndex(1);
        QCOMPARE(e->windowTitle(), clean + QStringLiteral(" *"));
    }

    void addAsNewAddsASecondPayment()
    {
        const int a = db->addCompany(QStringLiteral("A"));
        const int pay = db->addPayment(a, 10000, ole(2005, 7, 4), QStringLiteral("first"), 2);
        frmPayment *e = openEditor<frmPayment>(-1, pay);
        e->moveFocusTo(2);
        e->setBoxText(2, QStringLiteral("250"));
        e->moveFocusTo(4);
        QCOMPARE(e->boxText(2), QStringLiteral("$250.00"));
        p->answer(BoxResult::Ok);
        button(e, QStringLiteral("cmdAddAsNew"))->click();
        QCOMPARE(p->count(), 1);
        QCOMPARE(p->last().text, QStringLiteral("Payment Added Successfully!"));
        QCOMPARE(p->last().title, QStringLiteral("Payment Added Successfully!"));
        QCOMPARE(db->count(QStringLiteral("tblPayments")), 2);
        QCOMPARE(
            db->scalar(QStringLiteral("SELECT curAmount FROM tblPayments WHERE lngPaymentID = %1").arg(pay))
                .toLongLong(),
            10000LL);
        const QString added = QStringLiteral(" FROM tblPayments WHERE lngPaymentID <> %1").arg(pay);
        QCOMPARE(db->scalar(QStringLiteral("SELECT curAmount") + added).toLongLong(), 2500000LL);
        QCOMPARE(db->scalar(QStringLiteral("SELECT memComments") + added).toString(),
                 QStringLiteral("first"));
        QCOMPARE(db->scalar(QStringLiteral("SELECT lngPayTypeID") + added).toInt(), 2);
        QCOMPARE(db->scalar(QStringLiteral("SELECT lngCompanyID") + added).toInt(), a);
        QVERIFY(e->isClosed());
    }

    void okInEditModeSaysPaymentSaved()
    {
        const int a = db->addCompany(QStringLiteral("A"));
        const int pay = db->addPayment(a, 10000, ole(2005, 7, 4));
        frmPayment *e = openEditor<frmPayment>(-1, pay);
        e->setBoxText(4, QStringLiteral("8/1/2005"));
        p->answer(BoxResult::Ok);
        button(e, QStringLiteral("cmdOK"))->click();
        QCOMPARE(p->last().text, QStringLiteral("Payment Saved."));
        QCOMPARE(db->scalar(QStringLiteral("SELECT dtmTransaction FROM tblPayments")).toDouble(),
                 ole(2005, 8, 1));
    }

    void commentsHoldFiftyCharactersAndBreakWithCtrlEnter()
    {
        frmPayment *e = openEditor<frmPayment>(0);
        auto *comments = child<QPlainTextEdit>(e, QStringLiteral("txtComps_6"));
        QVERIFY(comments);
        e->moveFocusTo(6);
        QTest::keyClicks(comments, QString(60, QLatin1Char('x')));
        QCOMPARE(e->boxText(6).size(), 50);
        e->setBoxText(6, QStringLiteral("a"));
        QTest::keyClick(comments, Qt::Key_End);
        QTest::keyClick(comments, Qt::Key_Enter, Qt::ControlModifier);
        QTest::keyClicks(comments, QStringLiteral("b"));
        QCOMPARE(e->boxText(6), QStringLiteral("a\nb"));
        QVERIFY(!e->isClosed());
    }

    void closingThePayTypesDialogKeepsTheChosenType_data()
    {
        QTest::addColumn<bool>("deleted");
        QTest::newRow("type picked by hand") << false;
        QTest::newRow("picked type deleted meanwhile") << true;
    }
    void closingThePayTypesDialogKeepsTheChosenType()
    {
        QFETCH(bool, deleted);
        const int a = db->addCompany(QStringLiteral("A"));
        const int pay = db->addPayment(a, 10000, ole(2005, 7, 4), QString(), 3);
        frmPayment *e = openEditor<frmPayment>(-1, pay);
        QComboBox *types = combo(e, QStringLiteral("cboPayTypes"));
        QCOMPARE(types->currentData().toInt(), 3);
        types->setCurrentIndex(types->findData(4));
        if (deleted)
            db->exec(QStringLiteral("DELETE FROM lkuPayTypes WHERE lngPayTypeID = 4"));
        button(e, QStringLiteral("cmdAddPayType_0"))->click();
        auto *dialog = e->findChild<QDialog *>(QStringLiteral("frmPayTypes"));
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        dialog->close();
        QCOMPARE(types->currentData().toInt(), deleted ? 1 : 4);
        QVERIFY(!e->isClosed());
    }

    void addModePresetsCompanyAndTypeOne()
    {
        db->addCompany(QStringLiteral("A"));
        db->addCompany(QStringLiteral("B"));
        NoEmptyListOffers noOffers;
        frmMain main;
        // Loading the companies selects the first row.
        QVERIFY(!main.selectedCompanyText().isEmpty());
        frmPayment *e = frmPayment::showEditor(&main);
        main.adoptEditor(e);
        e->SwapFormMode(0, 0);
        QCOMPARE(QString::number(combo(e, QStringLiteral("cboCompanyID"))->currentData().toInt()),
                 main.selectedCompanyText());
        QCOMPARE(combo(e, QStringLiteral("cboPayTypes"))->currentData().toInt(), 1);
        QCOMPARE(e->windowTitle(), QStringLiteral("Add New Payment *"));
        e->setBoxText(2, QStringLiteral("$75.00"));
        p->answer(BoxResult::Ok);
        button(e, QStringLiteral("cmdOK"))->click();
        QCOMPARE(p->last().text, QStringLiteral("Payment Added Successfully!"));
        QCOMPARE(db->scalar(QStringLiteral("SELECT curAmount FROM tblPayments")).toLongLong(), 750000LL);
        QCOMPARE(db->scalar(QStringLiteral("SELECT lngPayTypeID FROM tblPayments")).toInt(), 1);
    }

    void addModeWithoutMainWindowFillsNothing()
    {
        db->addCompany(QStringLiteral("A"));
        frmPayment *e = openEditor<frmPayment>(0);
        QCOMPARE(combo(e, QStringLiteral("cboCompanyID"))->currentIndex(), -1);
        QCOMPARE(e->windowTitle(), QStringLiteral("Add New Payment"));
    }

    void designTexts()
    {
        frmPayment *e = openEditor<frmPayment>(0);
        QCOMPARE(e->objectName(), QStringLiteral("frmPayment"));
        QCOMPARE(e->size(), QSize(303, 230));
        QCOMPARE(e->windowTitle(), QStringLiteral("Add New Payment"));
        QCOMPARE(combo(e, QStringLiteral("cboCompanyID"))->toolTip(),
                 QStringLiteral("Choose the Company that made this Payment"));
        QCOMPARE(e->box(4)->toolTip(), QStringLiteral("Enter the Date that the payment was made."));
        QCOMPARE(child<QLabel>(e, QStringLiteral("lblComps_4"))->text(), QStringLiteral("Comments:"));
        QCOMPARE(child<QLabel>(e, QStringLiteral("lblComps_4"))->toolTip(),
                 QStringLiteral("Tip: Hold Control Key and Press enter to add a line break."));
        QCOMPARE(child<QLabel>(e, QStringLiteral("lblComps_3"))->text(), QStringLiteral("Trans. Date:"));
        QCOMPARE(button(e, QStringLiteral("cmdAddPayType_0"))->text(), QStringLiteral("+"));
        QVERIFY(button(e, QStringLiteral("cmdPicker_4")));
    }
};

TAMBERLOCK_TEST_MAIN(PaymentEditorTest)
#include "tst_PaymentEditor.moc"
