#include "common/WidgetTestSupport.h"

#include "billing/ui/frmInvoice.h"
#include "data/DataPath.h"
#include "data/Settings.h"
#include "editors/frmPayment.h"
#include "payments/frmPayments.h"
#include "widgets/ReportList.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// Answers the confirmation box by pressing one of its buttons as soon as it
// shows; remembers whether it came and with which caption.
class ConfirmAnswerer : public QObject
{
public:
    explicit ConfirmAnswerer(const QString &buttonName) : m_buttonName(buttonName)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (w->objectName() != QLatin1String("frmKivMsg") || !w->isVisible())
                    continue;
                ++seen;
                caption = w->windowTitle();
                if (auto *b = w->findChild<QAbstractButton *>(m_buttonName))
                    b->click();
                return;
            }
        });
        m_timer.start(20);
    }

    int seen = 0;
    QString caption;

private:
    QString m_buttonName;
    QTimer m_timer;
};

} // namespace

class PaymentsListTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<ScriptedPrompter> m_p;
    std::unique_ptr<QWidget> m_owner;
    QPointer<frmPayments> m_window;
    int m_company = 0;

    frmPayments *window()
    {
        if (!m_window)
            m_window = frmPayments::forOwner(m_owner.get());
        return m_window;
    }
    ReportList *list() { return window()->list(); }
    QStringList column(int c)
    {
        QStringList texts;
        for (int r = 0; r < list()->rowCount(); ++r)
            texts << list()->cell(r, c);
        return texts;
    }
    int editors() { return int(window()->findChildren<frmPayment *>().size()); }
    void clickHeader(int c)
    {
        QHeaderView *header = list()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(c) + header->sectionSize(c) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    void rightClickList()
    {
        QWidget *viewport = list()->viewport();
        const QPoint at = list()->rowCount() > 0 ? list()->rowRect(0).center() : viewport->rect().center();
        QTest::mousePress(viewport, Qt::RightButton, {}, at);
        QTest::mouseRelease(viewport, Qt::RightButton, {}, at);
    }
    void showWindow()
    {
        window()->show();
        QVERIFY(QTest::qWaitForWindowExposed(window()));
    }

private slots:
    void init()
    {
        m_p = std::make_unique<ScriptedPrompter>();
        m_db = std::make_unique<TestDatabase>();
        QVERIFY(m_db->isValid());
        m_owner = std::make_unique<QWidget>();
        m_owner->setObjectName(QStringLiteral("frmMain"));
        m_company = m_db->addCompany(QStringLiteral("Acme"));
        // The offers stay off unless a test turns them on.
        DontAskSetting::write(QStringLiteral("0"));
    }

    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *menu = qobject_cast<QMenu *>(w))
                menu->close();
        }
        m_owner.reset();
        QVERIFY(!m_window);
        m_db.reset();
        DontAskSetting::write(QStringLiteral("1"));
        m_p.reset();
    }

    void thereIsOneHiddenOwnedWindow()
    {
        frmPayments *w = frmPayments::forOwner(m_owner.get());
        QCOMPARE(frmPayments::forOwner(m_owner.get()), w);
        m_window = w;
        QVERIFY(!w->isVisible());
        QCOMPARE(w->parentWidget(), m_owner.get());
        QVERIFY(w->isWindow());
        QCOMPARE(w->objectName(), QStringLiteral("frmPayments"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Payments"));
        auto *frame = w->findChild<QGroupBox *>(QStringLiteral("framBig_0"));
        QVERIFY(frame);
        QCOMPARE(frame->title(), QStringLiteral("Payments:"));
        QCOMPARE(w->findChild<ReportList *>(QStringLiteral("LvwPayments")), w->list());
        QCOMPARE(w->list()->parentWidget(), frame);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->centralWidget()->size(), QSize(461, 127));
    }

    void columnsAreSetUp()
    {
        ReportList *l = list();
        const QStringList captions{" PID", " CID", " PTI", "Amount", "Date", "Type", " Comments"};
        const int widths[] = {19, 0, 0, 118, 85, 85, 0};
        QCOMPARE(l->columnCount(), 7);
        for (int c = 0; c < 7; ++c) {
            QCOMPARE(l->model()->headerData(c, Qt::Horizontal).toString(), captions[c]);
            if (c == 4) // wide enough for a whole date in the list's font
                QVERIFY(l->columnWidth(c) >= qMax(widths[c], l->fontMetrics().horizontalAdvance(
                                                                 QStringLiteral("12/31/2026 12:59:59 PM"))));
            else
                QVERIFY2(qAbs(l->columnWidth(c) - widths[c]) <= 1, qPrintable(captions[c]));
        }
    }

    void menuItemsCarryTheirCaptions_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("separator");
        QTest::newRow("3") << 3 << "&Add Payment..." << false;
        QTest::newRow("4") << 4 << "&Edit Payment" << false;
        QTest::newRow("5") << 5 << "-" << true;
        QTest::newRow("6") << 6 << "&Print Payment Invoices..." << false;
        QTest::newRow("7") << 7 << "-" << true;
        QTest::newRow("8") << 8 << "&Delete Payment" << false;
        QTest::newRow("9") << 9 << "-" << true;
        QTest::newRow("10") << 10 << "Refresh" << false;
    }

    void menuItemsCarryTheirCaptions()
    {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(bool, separator);
        QMenu *menu = window()->menu();
        QCOMPARE(menu->objectName(), QStringLiteral("MenulvwPayments"));
        QCOMPARE(menu->title(), QStringLiteral("&Payments"));
        QCOMPARE(window()->menuBar()->actions().size(), 1);
        QCOMPARE(window()->menuBar()->actions().first()->menu(), menu);
        QAction *item = window()->findChild<QAction *>(QStringLiteral("MnuPayments_%1").arg(index));
        QVERIFY(item);
        QCOMPARE(item, window()->menuItem(index));
        QCOMPARE(menu->actions().indexOf(item), index - 3);
        QCOMPARE(item->isSeparator(), separator);
        if (!separator)
            QCOMPARE(item->text(), caption);
    }

    void loadShowsTheCells()
    {
        const int id =
            m_db->addPayment(m_company, 12345000, ole(2004, 3, 5, 14, 7, 9), QStringLiteral("First"), 2);
        m_db->addPayment(m_db->addCompany(QStringLiteral("Other")), 10000, ole(2004, 1, 1));
        window()->LoadPayments(m_company);
        QCOMPARE(m_p->count(), 0);
        QCOMPARE(window()->currentCompany(), m_company);
        QCOMPARE(list()->rowCount(), 1);
        QCOMPARE(list()->rowText(0), QString::number(id));
        QCOMPARE(list()->cell(0, 1), QString::number(m_company));
        QCOMPARE(list()->cell(0, 2), QStringLiteral("2"));
        QCOMPARE(list()->cell(0, 3), QStringLiteral("$1,234.50"));
        QCOMPARE(list()->cell(0, 4), QStringLiteral("03/05/2004 02:07:09 PM"));
        QCOMPARE(list()->cell(0, 5), QStringLiteral("Check"));
        QCOMPARE(list()->cell(0, 6), QStringLiteral("First"));
        QCOMPARE(list()->rowIcon(0), 1);
    }

    void aDeletedTypeLeavesTheTypeEmpty()
    {
        m_db->addPayment(m_company, 10000, ole(2004, 3, 5), {}, 3);
        m_db->exec(QStringLiteral("DELETE FROM lkuPayTypes WHERE lngPayTypeID = 3"));
        window()->LoadPayments(m_company);
        QCOMPARE(list()->rowCount(), 1);
        QCOMPARE(list()->cell(0, 2), QStringLiteral("3"));
        QCOMPARE(list()->cell(0, 5), QString());
        QCOMPARE(list()->cell(0, 3), QStringLiteral("$1.00"));
    }

    void nullFieldsLeaveCellsEmpty()
    {
        m_db->exec(QStringLiteral("INSERT INTO tblPayments (lngCompanyID) VALUES (%1)").arg(m_company));
        window()->LoadPayments(m_company);
        QCOMPARE(m_p->count(), 0);
        QCOMPARE(list()->rowCount(), 1);
        QVERIFY(!list()->rowText(0).isEmpty());
        QCOMPARE(list()->cell(0, 1), QString::number(m_company));
        for (int c : {2, 3, 4, 5, 6})
            QCOMPARE(list()->cell(0, c), QString());
    }

    void numbersSortAsText()
    {
        for (int id : {9, 10, 2})
            m_db->exec(QStringLiteral("INSERT INTO tblPayments (lngPaymentID, lngCompanyID, curAmount) "
                                      "VALUES (%1, %2, 10000)")
                           .arg(id)
                           .arg(m_company));
        window()->LoadPayments(m_company);
        QCOMPARE(column(0), (QStringList{"10", "2", "9"}));
        QCOMPARE(list()->sortColumnIndex(), 0);
    }

    void headerClicksSortAndReverse()
    {
        m_db->addPayment(m_company, 50000, ole(2004, 1, 2));
        m_db->addPayment(m_company, 100000, ole(2003, 12, 1));
        m_db->addPayment(m_company, 2000000, ole(2005, 6, 7));
        showWindow();
        window()->LoadPayments(m_company);
        clickHeader(3);
        QCOMPARE(column(3), (QStringList{"$10.00", "$200.00", "$5.00"}));
        clickHeader(3);
        QCOMPARE(column(3), (QStringList{"$5.00", "$200.00", "$10.00"}));
        clickHeader(4);
        // Another column keeps the direction: dates by their text, descending.
        QCOMPARE(column(4),
                 (QStringList{"12/01/2003 12:00:00 AM", "06/07/2005 12:00:00 AM", "01/02/2004 12:00:00 AM"}));
        // The direction survives a reload, which sorts by the first column.
        window()->onPaymentsMenu(frmPayments::RefreshPayments);
        QCOMPARE(list()->sortColumnIndex(), 0);
        QCOMPARE(list()->sortDirection(), Qt::DescendingOrder);
        QCOMPARE(column(0), (QStringList{"3", "2", "1"}));
        QCOMPARE(m_p->count(), 0);
    }

    void manyRowsAllArrive()
    {
        for (int i = 0; i < 40; ++i)
            m_db->addPayment(m_company, 10000 * (i + 1), ole(2004, 1, 1 + i % 28));
        window()->LoadPayments(m_company);
        QCOMPARE(list()->rowCount(), 40);
        QCOMPARE(m_p->count(), 0);
        QStringList sorted = column(0);
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(column(0), sorted);
    }

    void reloadAfterChangesShowsThem_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("print reloads and opens the statement") << 6;
        QTest::newRow("refresh") << 10;
    }

    void reloadAfterChangesShowsThem()
    {
        QFETCH(int, index);
        m_db->addPayment(m_company, 10000, ole(2004, 1, 1));
        window()->LoadPayments(m_company);
        QCOMPARE(list()->rowCount(), 1);
        m_db->addPayment(m_company, 20000, ole(2004, 1, 2));
        window()->onPaymentsMenu(index);
        QCOMPARE(list()->rowCount(), 2);
        QCOMPARE(m_p->count(), 0);
        QCOMPARE(bool(window()->invoiceWindow()), index == 6);
        if (QPointer<frmInvoice> statement = window()->invoiceWindow()) {
            QCOMPARE(statement->invoice()->kind, Billing::Kind::Statement);
            QCOMPARE(statement->invoice()->periodPayments + statement->invoice()->broughtForward, -30000);
            statement->close();
            waitGone(statement);
        }
        QCOMPARE(editors(), 0);
    }

    // No payments: the offer of a new one is off, or it comes and is refused.
    void noPaymentsOpensNothing_data()
    {
        QTest::addColumn<bool>("companyExists");
        QTest::addColumn<bool>("offered");
        QTest::newRow("noPaymentsWithTheOfferOff: company without payments") << true << false;
        QTest::newRow("noPaymentsWithTheOfferOff: company that does not exist") << false << false;
        QTest::newRow("theOfferAnsweredNoOpensNothing: company without payments") << true << true;
        QTest::newRow("theOfferAnsweredNoOpensNothing: company that does not exist") << false << true;
    }

    void noPaymentsOpensNothing()
    {
        QFETCH(bool, companyExists);
        QFETCH(bool, offered);
        if (offered)
            DontAskSetting::write(QStringLiteral("1"));
        ConfirmAnswerer answerer(offered ? QStringLiteral("CancelButton") : QStringLiteral("OKButton"));
        window()->LoadPayments(companyExists ? m_company : 4711);
        QCOMPARE(list()->rowCount(), 0);
        QCOMPARE(m_p->count(), 0);
        QCOMPARE(answerer.seen, offered ? 1 : 0);
        if (offered)
            QCOMPARE(answerer.caption, QStringLiteral("Add New Payment?"));
        QCOMPARE(editors(), 0);
    }

    void theOfferAnsweredYesOpensTheEditorOnce()
    {
        DontAskSetting::write(QStringLiteral("1"));
        ConfirmAnswerer answerer(QStringLiteral("OKButton"));
        window()->LoadPayments(m_company);
        QCOMPARE(answerer.seen, 1);
        QCOMPARE(answerer.caption, QStringLiteral("Add New Payment?"));
        QCOMPARE(editors(), 1);
        QCOMPARE(window()->findChild<frmPayment *>()->editMode(), 0);
        QCOMPARE(list()->rowCount(), 0);
        QCOMPARE(m_p->unexpected(), 0);
    }

    void anUnreadableSettingShowsTheLoaderBox_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Ignore makes the offer") << int(BoxResult::Ignore);
        QTest::newRow("Abort leaves") << int(BoxResult::Abort);
    }

    void anUnreadableSettingShowsTheLoaderBox()
    {
        QFETCH(int, answer);
        DontAskSetting::write(QStringLiteral("yes please"));
        ConfirmAnswerer answerer(QStringLiteral("CancelButton"));
        m_p->answer(BoxResult(answer));
        window()->LoadPayments(m_company);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_p->count(), 1);
        QCOMPARE(m_p->last().title, QStringLiteral("Error!"));
        QCOMPARE(m_p->last().icon, BoxIcon::Error);
        QCOMPARE(m_p->last().buttons, BoxButtons::AbortRetryIgnore);
        QCOMPARE(m_p->last().defaultButton, 2);
        QVERIFY(m_p->last().text.startsWith(QStringLiteral("13 ")));
        QVERIFY(m_p->last().text.contains(
            QStringLiteral("\r\nIn LoadPayments:    \r\nSELECT tblPayments.lngPaymentID")));
        QVERIFY(m_p->last().text.endsWith(
            QStringLiteral("FROM lkuPayTypes RIGHT JOIN (tblCompanys LEFT JOIN "
                           "tblPayments ON tblCompanys.lngCompanyID = "
                           "tblPayments.lngCompanyID) ON lkuPayTypes.lngPayTypeID = "
                           "tblPayments.lngPayTypeID WHERE "
                           "(((tblCompanys.lngCompanyID)=") +
            QString::number(m_company) + QStringLiteral("));")));
        if (BoxResult(answer) == BoxResult::Abort)
            QCOMPARE(answerer.seen, 0);
        else
            QCOMPARE(answerer.seen, 1);
        QCOMPARE(editors(), 0);
    }

    void aMissingDatabaseShowsTheLoaderBox()
    {
        const QString good = DataPath();
        m_db->addPayment(m_company, 10000, ole(2004, 1, 1));
        setDataPath(good + QStringLiteral("missing/"));
        m_p->answer(BoxResult::Abort);
        window()->LoadPayments(m_company);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_p->count(), 1);
        QCOMPARE(m_p->last().title, QStringLiteral("Error!"));
        QVERIFY(m_p->last().text.contains(QStringLiteral("\r\nIn LoadPayments:    \r\n")));
        QCOMPARE(list()->rowCount(), 0);

        // Abort cleared the load mark: the next load runs, and Retry repeats
        // the failed step.
        m_p->onNextBox([good] { setDataPath(good); });
        m_p->answer(BoxResult::Retry);
        window()->RefreshData();
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_p->count(), 2);
        QCOMPARE(list()->rowCount(), 1);
    }

    void rightClickEnablesEditOnlyWithARow_data()
    {
        QTest::addColumn<bool>("withRow");
        QTest::newRow("no row") << false;
        QTest::newRow("a selected row") << true;
    }

    void rightClickEnablesEditOnlyWithARow()
    {
        QFETCH(bool, withRow);
        if (withRow)
            m_db->addPayment(m_company, 10000, ole(2004, 1, 1));
        showWindow();
        window()->LoadPayments(m_company);
        QCOMPARE(list()->selectedRow(), withRow ? 0 : -1);
        window()->menuItem(4)->setEnabled(!withRow);
        rightClickList();
        QTRY_VERIFY(window()->menu()->isVisible());
        QCOMPARE(window()->menuItem(4)->isEnabled(), withRow);
        for (int i : {3, 6, 8, 10})
            QVERIFY(window()->menuItem(i)->isEnabled());
        window()->menu()->close();
        QCOMPARE(m_p->count(), 0);
    }

    void deleteWithoutARowDeletesNothing()
    {
        m_db->addPayment(m_db->addCompany(QStringLiteral("Other")), 10000, ole(2004, 1, 1));
        window()->LoadPayments(m_company);
        m_p->answer(BoxResult::Yes);
        window()->onPaymentsMenu(frmPayments::DeletePayment);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_p->count(), 1);
        QCOMPARE(m_p->last().title, QStringLiteral("Delete This Payment?"));
        QCOMPARE(m_p->last().text, QStringLiteral("There is NO Way to Undo this command.\r\n\r\n"
                                                  "Do you want to Delete this Payment?"));
        QCOMPARE(m_p->last().icon, BoxIcon::Warning);
        QCOMPARE(m_p->last().buttons, BoxButtons::YesNo);
        QCOMPARE(m_p->last().defaultButton, 2);
        QCOMPARE(m_db->count(QStringLiteral("tblPayments")), 1);
    }

    void deleteRemovesTheSelectedPaymentOnYesOnly_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("left");
        QTest::newRow("Yes") << int(BoxResult::Yes) << 1;
        QTest::newRow("No") << int(BoxResult::No) << 2;
    }

    void deleteRemovesTheSelectedPaymentOnYesOnly()
    {
        QFETCH(int, answer);
        QFETCH(int, left);
        const int first = m_db->addPayment(m_company, 10000, ole(2004, 1, 1));
        const int second = m_db->addPayment(m_company, 20000, ole(2004, 1, 2));
        window()->LoadPayments(m_company);
        list()->selectRow(1);
        QCOMPARE(list()->rowText(list()->selectedRow()), QString::number(second));
        // A row added meanwhile shows after the reload that follows either answer.
        m_db->addPayment(m_company, 30000, ole(2004, 1, 3));
        m_p->answer(BoxResult(answer));
        window()->onPaymentsMenu(frmPayments::DeletePayment);
        QCOMPARE(m_p->unexpected(), 0);
        QCOMPARE(m_db->count(QStringLiteral("tblPayments")), left + 1);
        QCOMPARE(list()->rowCount(), left + 1);
        QVERIFY(column(0).contains(QString::number(first)));
        QCOMPARE(column(0).contains(QString::number(second)), left == 2);
    }

    void addOpensTheEditorAndReloads()
    {
        window()->LoadPayments(m_company);
        m_db->addPayment(m_company, 10000, ole(2004, 1, 1));
        window()->onPaymentsMenu(frmPayments::AddPayment);
        QCOMPARE(editors(), 1);
        QCOMPARE(window()->findChildren<frmPayment *>().first()->parentWidget(), window());
        QCOMPARE(list()->rowCount(), 1);
        QCOMPARE(m_p->unexpected(), 0);
    }

    void editOpensTheEditorOnlyWithARow()
    {
        window()->LoadPayments(m_company);
        window()->onPaymentsMenu(frmPayments::EditPayment);
        QCOMPARE(editors(), 0);

        m_db->addPayment(m_company, 10000, ole(2004, 1, 1));
        window()->RefreshData();
        QCOMPARE(list()->selectedRow(), 0);
        showWindow();
        const QRect rect = list()->visualRect(list()->model()->index(0, 0));
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
        QTRY_COMPARE(editors(), 1);
        QCOMPARE(m_p->unexpected(), 0);
    }

    void resizingSnapsBackAndFitsFrameAndList()
    {
        showWindow();
        frmPayments *w = window();
        auto *frame = w->findChild<QGroupBox *>(QStringLiteral("framBig_0"));
        w->resize(60, 40);
        QTRY_VERIFY(w->frameGeometry().width() >= 206 && w->frameGeometry().height() >= 134);
        QVERIFY(w->frameGeometry().width() <= 207);
        QVERIFY(w->frameGeometry().height() <= 135);

        w->resize(600, 400);
        QTRY_COMPARE(w->size(), QSize(600, 400));
        const QSize client = w->centralWidget()->size();
        QCOMPARE(frame->geometry().topLeft(), QPoint(0, 0));
        QVERIFY(qAbs(frame->width() - (client.width() * 15 - 10) / 15) <= 1);
        QCOMPARE(frame->height(), client.height());
        QVERIFY(qAbs(list()->width() - (frame->width() * 15 - 170) / 15) <= 1);
        QVERIFY(qAbs(list()->height() - (frame->height() * 15 - 290) / 15) <= 1);
        QCOMPARE(list()->pos(), QPoint(8, 16));
    }
};

TAMBERLOCK_TEST_MAIN(PaymentsListTest)
#include "tst_PaymentsList.moc"
