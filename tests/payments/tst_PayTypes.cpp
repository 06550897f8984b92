#include "common/WidgetTestSupport.h"

#include "editors/frmPayment.h"
#include "payments/frmPayTypes.h"
#include "widgets/ComboFill.h"

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

class PayTypesTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<ScriptedPrompter> m_p;
    std::unique_ptr<QWidget> m_owner;
    QPointer<frmPayTypes> m_dialog;

    frmPayTypes *open() { return frmPayTypes::showFor(m_dialog, m_owner.get()); }
    // The dialog as the payment editor's "+" opens it, told to refill the
    // editor's type list when it closes.
    bool openFromEditor(frmPayment *editor)
    {
        QTest::mouseClick(editor->findChild<QPushButton *>(QStringLiteral("cmdAddPayType_0")),
                          Qt::LeftButton);
        m_dialog = editor->findChild<frmPayTypes *>();
        return m_dialog && m_dialog->isVisible();
    }
    QListWidget *list() const { return m_dialog->list(); }
    int selectedId() const
    {
        QListWidgetItem *item = list()->currentItem();
        return item && item->isSelected() ? item->data(Qt::UserRole).toInt() : 0;
    }
    void selectRowWithText(const QString &text, int occurrence = 0)
    {
        for (int i = 0; i < list()->count(); ++i) {
            if (list()->item(i)->text() == text && occurrence-- == 0) {
                list()->setCurrentRow(i);
                return;
            }
        }
        QFAIL("no such entry");
    }
    QString typeText(int id) const
    {
        return m_db
            ->scalar(QStringLiteral("SELECT strPayType FROM lkuPayTypes WHERE lngPayTypeID = %1").arg(id))
            .toString();
    }

private slots:
    void init()
    {
        m_p = std::make_unique<ScriptedPrompter>();
        m_db = std::make_unique<TestDatabase>();
        QVERIFY(m_db->isValid());
        m_owner = std::make_unique<QWidget>();
        m_owner->setObjectName(QStringLiteral("frmPayment"));
    }

    void cleanup()
    {
        delete m_dialog;
        m_owner.reset();
        m_db.reset();
        m_p.reset();
    }

    void opensAsToolWindowWithItsControls()
    {
        frmPayTypes *d = open();
        QCOMPARE(d->objectName(), QStringLiteral("frmPayTypes"));
        QCOMPARE(d->windowTitle(), QStringLiteral("Types Of Payment"));
        QCOMPARE(d->parentWidget(), m_owner.get());
        QVERIFY(d->isVisible());
        QVERIFY(!d->isModal());
        QVERIFY(d->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(d->windowType(), Qt::Tool);
        QVERIFY(!(d->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(d->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(d->size(), QSize(176, 149));

        QCOMPARE(list()->objectName(), QStringLiteral("lstPayTypes"));
        QCOMPARE(list()->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(list()->geometry(), QRect(8, 8, 113, 134));
        const QStringList captions{"&Add", "&Edit", "&Del", "E&xit"};
        const int tops[] = {8, 40, 72, 112};
        for (int i = 0; i < 4; ++i) {
            QPushButton *b = d->findChild<QPushButton *>(QStringLiteral("cmdAddPayType_%1").arg(i));
            QVERIFY(b);
            QCOMPARE(b->text(), captions[i]);
            QCOMPARE(b->geometry(), QRect(128, tops[i], 41, 27));
        }
        // The controls keep their places when the dialog grows.
        d->resize(400, 300);
        QCOMPARE(list()->geometry(), QRect(8, 8, 113, 134));
        QCOMPARE(d->button(3)->geometry(), QRect(128, 112, 41, 27));
        QCOMPARE(m_p->count(), 0);
    }

    void openingListsTypesAndSelectsIdOne()
    {
        m_db->exec(QStringLiteral("DELETE FROM lkuPayTypes WHERE lngPayTypeID = 1"));
        m_db->exec(QStringLiteral("INSERT INTO lkuPayTypes (lngPayTypeID, strPayType) VALUES (1, 'Barter')"));
        open();
        QCOMPARE(list()->count(), 5);
        // The rows come in the order the database returns them: by key here.
        QCOMPARE(list()->item(0)->text(), QStringLiteral("Barter"));
        QCOMPARE(list()->item(4)->text(), QStringLiteral("Money Order"));
        QCOMPARE(list()->item(4)->data(Qt::UserRole).toInt(), 5);
        QCOMPARE(selectedId(), 1);
    }

    void openingWithoutTypeOneSelectsTheFirst()
    {
        m_db->exec(QStringLiteral("DELETE FROM lkuPayTypes WHERE lngPayTypeID = 1"));
        open();
        QCOMPARE(list()->count(), 4);
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(selectedId(), 2);
    }

    void addWithTheDefaultAddsCashAgainAndSelectsIt()
    {
        open();
        typeAndClick(QStringLiteral("Cash"), 0);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_p->count(), 2);
        QVERIFY(m_p->shown()[0].isInput);
        QCOMPARE(m_p->shown()[0].input.prompt, QStringLiteral("Enter the New Payment Type below:"));
        QCOMPARE(m_p->shown()[0].input.title, QStringLiteral("Add New Payment Type:"));
        QCOMPARE(m_p->shown()[0].input.defaultText, QStringLiteral("Cash"));
        QCOMPARE(m_p->last().text, QStringLiteral("Record Added Successfully!"));
        QCOMPARE(m_p->last().icon, BoxIcon::Information);

        QCOMPARE(m_db->count(QStringLiteral("lkuPayTypes")), 6);
        QCOMPARE(list()->count(), 6);
        QCOMPARE(list()->currentRow(), 5);
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("Cash"));
        QCOMPARE(selectedId(), 6);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void addKeepsTheBlanksAroundAWord()
    {
        open();
        typeAndClick(QStringLiteral("  Wire  "), 0);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(typeText(6), QStringLiteral("  Wire  "));
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("  Wire  "));
        QCOMPARE(selectedId(), 6);
    }

    void blankOrCancelledInputChangesNothing_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("answer");
        QTest::newRow("add cancelled") << 0 << true << QString();
        QTest::newRow("add empty") << 0 << false << QString();
        QTest::newRow("add blanks") << 0 << false << QStringLiteral("   ");
        QTest::newRow("edit cancelled") << 1 << true << QString();
        QTest::newRow("edit empty") << 1 << false << QString();
        QTest::newRow("edit blanks") << 1 << false << QStringLiteral(" \t ");
    }

    void blankOrCancelledInputChangesNothing()
    {
        QFETCH(int, button);
        QFETCH(bool, cancelled);
        QFETCH(QString, answer);
        open();
        list()->setCurrentRow(2);
        m_p->answerInput(cancelled ? std::nullopt : std::optional<QString>(answer));
        d_click(button);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_p->count(), 1); // the input box only, no notice
        QCOMPARE(m_db->count(QStringLiteral("lkuPayTypes")), 5);
        QCOMPARE(typeText(3), QStringLiteral("Credit Card"));
        QCOMPARE(list()->currentRow(), 2);
    }

    void editRenamesTheSelectedTypeAndKeepsItSelected()
    {
        open();
        selectRowWithText(QStringLiteral("Credit Card"));
        typeAndClick(QStringLiteral("Card"), 1);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_p->shown()[0].input.prompt, QStringLiteral("You can edit the Payment Type here."));
        QCOMPARE(m_p->shown()[0].input.title, QStringLiteral("Edit Payment Type:"));
        QCOMPARE(m_p->shown()[0].input.defaultText, QStringLiteral("Credit Card"));
        QCOMPARE(m_p->last().text, QStringLiteral("Record Saved."));
        QCOMPARE(typeText(3), QStringLiteral("Card"));
        QCOMPARE(m_db->count(QStringLiteral("lkuPayTypes")), 5);
        QCOMPARE(selectedId(), 3);
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("Card"));
    }

    void deleteAsksAndDeletesOnYes()
    {
        open();
        selectRowWithText(QStringLiteral("Check"));
        m_p->answer(BoxResult::Yes);
        d_click(2);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_p->count(), 1);
        QCOMPARE(m_p->last().title, QStringLiteral("Delete This Payment Type?"));
        QCOMPARE(m_p->last().text, QStringLiteral("There is NO Way to Undo this command.\r\n\r\n"
                                                  "Do you want to Delete this Payment Type?"));
        QCOMPARE(m_p->last().icon, BoxIcon::Warning);
        QCOMPARE(m_p->last().buttons, BoxButtons::YesNo);
        QCOMPARE(m_p->last().defaultButton, 1);
        QCOMPARE(m_db->count(QStringLiteral("lkuPayTypes")), 4);
        QVERIFY(
            m_db->scalar(QStringLiteral("SELECT COUNT(*) FROM lkuPayTypes WHERE lngPayTypeID = 2")).toInt() ==
            0);
        QCOMPARE(list()->count(), 4);
        QCOMPARE(selectedId(), 1);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void deleteAnsweredNoKeepsEverything()
    {
        open();
        selectRowWithText(QStringLiteral("Check"));
        m_p->answer(BoxResult::No);
        d_click(2);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_db->count(QStringLiteral("lkuPayTypes")), 5);
        QCOMPARE(selectedId(), 2);
    }

    void equalTextsActOnTheirOwnRows()
    {
        m_db->exec(QStringLiteral("INSERT INTO lkuPayTypes (strPayType) VALUES ('Cash')")); // id 6
        open();
        selectRowWithText(QStringLiteral("Cash"), 1);
        QCOMPARE(selectedId(), 6);
        typeAndClick(QStringLiteral("Cash (USD)"), 1);
        QCOMPARE(typeText(6), QStringLiteral("Cash (USD)"));
        QCOMPARE(typeText(1), QStringLiteral("Cash"));

        m_db->exec(QStringLiteral("UPDATE lkuPayTypes SET strPayType = 'Cash' WHERE lngPayTypeID = 6"));
        d_dialog()->FillPayTypeList(QStringLiteral("1"), false);
        selectRowWithText(QStringLiteral("Cash"), 0);
        QCOMPARE(selectedId(), 1);
        m_p->answer(BoxResult::Yes);
        d_click(2);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_db->count(QStringLiteral("lkuPayTypes")), 5);
        QCOMPARE(typeText(6), QStringLiteral("Cash"));
        QVERIFY(
            m_db->scalar(QStringLiteral("SELECT COUNT(*) FROM lkuPayTypes WHERE lngPayTypeID = 1")).toInt() ==
            0);
    }

    void fillSelectsTheLastMatch_data()
    {
        QTest::addColumn<QString>("selectText");
        QTest::addColumn<bool>("byText");
        QTest::addColumn<int>("row");
        QTest::newRow("text, later match wins") << "Cash" << true << 5;
        QTest::newRow("text, case-sensitive") << "cash" << true << 0;
        QTest::newRow("id") << "4" << false << 3;
        QTest::newRow("id not present") << "99" << false << 0;
        QTest::newRow("empty select text") << "" << false << 0;
        QTest::newRow("id compared as text") << "04" << false << 0;
    }

    void fillSelectsTheLastMatch()
    {
        QFETCH(QString, selectText);
        QFETCH(bool, byText);
        QFETCH(int, row);
        m_db->exec(QStringLiteral("INSERT INTO lkuPayTypes (strPayType) VALUES ('Cash')"));
        open();
        list()->setCurrentRow(2);
        d_dialog()->FillPayTypeList(selectText, byText);
        QCOMPARE(list()->count(), 6);
        QCOMPARE(list()->currentRow(), row);
        QCOMPARE(list()->selectedItems().size(), 1);
    }

    void deletingTheLastTypeLeavesAnEmptyList()
    {
        m_db->exec(QStringLiteral("DELETE FROM lkuPayTypes WHERE lngPayTypeID <> 4"));
        open();
        QCOMPARE(list()->count(), 1);
        m_p->answer(BoxResult::Yes);
        d_click(2);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_db->count(QStringLiteral("lkuPayTypes")), 0);
        QCOMPARE(list()->count(), 0);
        QCOMPARE(list()->selectedItems().size(), 0);
    }

    void deleteOnAnEmptyListAsksAndDeletesNothing()
    {
        m_db->exec(QStringLiteral("DELETE FROM lkuPayTypes"));
        m_db->addPayment(m_db->addCompany(QStringLiteral("Acme")), 10000, 38000.0);
        open();
        m_p->answer(BoxResult::Yes);
        d_click(2);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_p->count(), 1);
        QCOMPARE(m_db->count(QStringLiteral("tblPayments")), 1);
        QCOMPARE(list()->count(), 0);
    }

    void editOnAnEmptyListAddsTheType()
    {
        m_db->exec(QStringLiteral("DELETE FROM lkuPayTypes"));
        open();
        QCOMPARE(list()->count(), 0);
        typeAndClick(QStringLiteral("Wire"), 1);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_p->shown()[0].input.defaultText, QString());
        QCOMPARE(m_p->last().text, QStringLiteral("Record Saved."));
        QCOMPARE(m_db->count(QStringLiteral("lkuPayTypes")), 1);
        QCOMPARE(list()->count(), 1);
        QCOMPARE(list()->item(0)->text(), QStringLiteral("Wire"));
        QCOMPARE(list()->currentRow(), 0);
    }

    void aFailedSaveShowsNoNoticeButRefills()
    {
        open();
        // A row added behind the dialog's back shows only when the list is refilled.
        m_db->exec(QStringLiteral("INSERT INTO lkuPayTypes (strPayType) VALUES ('Wire')"));
        m_db->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON lkuPayTypes "
                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        m_p->answerInput(QStringLiteral("Cheque"));
        m_p->answer(BoxResult::Abort);
        d_click(0);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_p->count(), 2);
        QCOMPARE(m_p->last().title, QStringLiteral("An Error Occured!"));
        QCOMPARE(m_db->count(QStringLiteral("lkuPayTypes")), 6);
        QCOMPARE(list()->count(), 6);
        QCOMPARE(list()->item(5)->text(), QStringLiteral("Wire"));
        QCOMPARE(list()->currentRow(), 0);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void closingRefillsTheOwnersTypeList_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Exit") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("close box") << 2;
    }

    void closingRefillsTheOwnersTypeList()
    {
        QFETCH(int, how);
        frmPayment *editor = frmPayment::showEditor(m_owner.get());
        auto *combo = editor->findChild<QComboBox *>(QStringLiteral("cboPayTypes"));
        modTamberlock::FillComboFromTable(combo, QStringLiteral("lkuPayTypes"),
                                          QStringLiteral("lngPayTypeID"), QStringLiteral("strPayType"),
                                          QStringLiteral("4"), false);
        QCOMPARE(combo->currentData().toInt(), 4);
        QVERIFY(openFromEditor(editor));
        typeAndClick(QStringLiteral("Wire"), 0);
        QCOMPARE(combo->count(), 5); // not refilled before closing
        if (how == 0)
            QTest::mouseClick(m_dialog->button(3), Qt::LeftButton);
        else if (how == 1)
            QTest::keyClick(list(), Qt::Key_Escape);
        else
            m_dialog->close();
        QTRY_VERIFY(!m_dialog);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(combo->count(), 6);
        QCOMPARE(combo->itemText(5), QStringLiteral("Wire"));
        QCOMPARE(combo->currentData().toInt(), 4); // kept, not reset to 1
    }

    void closingKeepsThePaymentEditorsTypeChoice()
    {
        const int payment = m_db->addPayment(m_db->addCompany(QStringLiteral("Acme")), 10000, 38000.0, {}, 3);
        frmPayment *editor = frmPayment::showEditor(m_owner.get());
        editor->SwapFormMode(-1, payment);
        auto *combo = editor->findChild<QComboBox *>(QStringLiteral("cboPayTypes"));
        QVERIFY(combo);
        QCOMPARE(combo->currentData().toInt(), 3);
        QVERIFY(openFromEditor(editor));
        QCOMPARE(m_dialog->parentWidget(), editor);
        m_dialog->onButtonClicked(frmPayTypes::ExitButton);
        QTRY_VERIFY(!m_dialog);
        QCOMPARE(combo->currentData().toInt(), 3);
        QCOMPARE(m_p->unexpected(), 0);
    }

    void closingWithoutATypeListDoesNothingElse()
    {
        open();
        m_dialog->onButtonClicked(frmPayTypes::ExitButton);
        QTRY_VERIFY(!m_dialog);
        QCOMPARE(m_p->count(), 0);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void eachOpeningStartsAfresh()
    {
        frmPayTypes *first = open();
        first->list()->setCurrentRow(3);
        first->close();
        QTRY_VERIFY(!m_dialog);
        frmPayTypes *second = open();
        QCOMPARE(second->list()->currentRow(), 0);
        // While open, asking again brings the same dialog forward.
        second->list()->setCurrentRow(2);
        QCOMPARE(frmPayTypes::showFor(m_dialog, m_owner.get()), second);
        QCOMPARE(second->list()->currentRow(), 2);
    }

    void aLongTableListsTheFirst5000()
    {
        m_db->exec(
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5995) "
                           "INSERT INTO lkuPayTypes (strPayType) SELECT 'Type ' || i FROM n"));
        QCOMPARE(m_db->count(QStringLiteral("lkuPayTypes")), 6000);
        open();
        QCOMPARE(list()->count(), 5000);
        QCOMPARE(list()->item(0)->text(), QStringLiteral("Cash"));
        QCOMPARE(list()->item(4999)->text(), QStringLiteral("Type 4995"));
        QCOMPARE(list()->item(4999)->data(Qt::UserRole).toInt(), 5000);
        QCOMPARE(selectedId(), 1);
    }

private:
    frmPayTypes *d_dialog() const { return m_dialog; }
    void d_click(int index) { QTest::mouseClick(m_dialog->button(index), Qt::LeftButton); }
    // Types text into the input box the button brings and answers the notice after it.
    void typeAndClick(const QString &text, int index)
    {
        m_p->answerInput(text);
        m_p->answer(BoxResult::Ok);
        d_click(index);
    }
};

TAMBERLOCK_TEST_MAIN(PayTypesTest)
#include "tst_PayTypes.moc"
