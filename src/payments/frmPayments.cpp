#include "payments/frmPayments.h"

#include "billing/ui/frmInvoice.h"
#include "data/ListQueries.h"
#include "data/Prompter.h"
#include "data/RecordStore.h"
#include "dialogs/frmKivMsg.h"
#include "editors/frmPayment.h"
#include "widgets/Icons.h"
#include "widgets/ListModels.h"
#include "widgets/ReportList.h"
#include "widgets/RowNumbers.h"
#include "widgets/SingleWindow.h"
#include "widgets/Twips.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QResizeEvent>

#include <algorithm>

namespace {

int px(int twips)
{
    return Twips::toPixels(twips);
}
int tw(int pixels)
{
    return int(Twips::fromPixels(pixels));
}

constexpr int kMinOuterWidth = 3090;
constexpr int kMinOuterHeight = 2000;

} // namespace

frmPayments::frmPayments(QWidget *owner)
    : QMainWindow(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                             Qt::WindowCloseButtonHint)
{
    // An ordinary sizable window, but of the dialog kind: only for those does
    // the window system learn who owns them (on X11, WM_TRANSIENT_FOR), so
    // that the window stays with the main window like every other one.
    setObjectName(QStringLiteral("frmPayments"));
    setWindowTitle(QStringLiteral("Payments"));

    m_menu = new QMenu(QStringLiteral("&Payments"), this);
    m_menu->setObjectName(QStringLiteral("MenulvwPayments"));
    const char *captions[] = {
        "&Add Payment...", "&Edit Payment", "-", "&Print Payment Invoices...", "-", "&Delete Payment", "-",
        "Refresh"};
    for (int index = 3; index <= 10; ++index) {
        const QString caption = QString::fromLatin1(captions[index - 3]);
        auto *action = new QAction(caption, m_menu);
        action->setObjectName(QStringLiteral("MnuPayments_%1").arg(index));
        if (caption == QLatin1String("-"))
            action->setSeparator(true);
        else
            connect(action, &QAction::triggered, this, [this, index] { onPaymentsMenu(index); });
        m_menu->addAction(action);
        m_menuItems.append(action);
    }
    menuBar()->addMenu(m_menu);
    // Opened from the menu bar the menu follows the same rule as the context
    // menu, so "&Edit Payment" never stays disabled after a row is selected.
    connect(m_menu, &QMenu::aboutToShow, this, &frmPayments::updateEditItem);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmPaymentsClient"));
    setCentralWidget(client);

    // No layouts: the resize rules place the frame and the list.
    m_frame = new QGroupBox(QStringLiteral("Payments:"), client);
    m_frame->setObjectName(QStringLiteral("framBig_0"));
    m_frame->setGeometry(px(0), px(0), px(6855), px(1695));

    m_rows = new PaymentListModel(this);
    m_list = new ReportList(m_rows, m_frame);
    m_list->setObjectName(QStringLiteral("LvwPayments"));
    m_list->setGeometry(px(120), px(240), px(6585), px(1320));
    connect(m_list, &ReportList::rowDoubleClicked, this, [this] { onPaymentsMenu(EditPayment); });
    connect(m_list, &ReportList::mouseReleased, this, &frmPayments::onListReleased);

    InitLvwPayments();
    resize(px(6915), px(1905) + menuBar()->sizeHint().height());
    applyMinimumSize();
}

frmPayments::~frmPayments() = default;

frmPayments *frmPayments::forOwner(QWidget *owner)
{
    return SingleWindow::ensure(SingleWindow::programWide<frmPayments>(),
                                [owner] { return new frmPayments(owner); });
}

QAction *frmPayments::menuItem(int index) const
{
    return index >= 3 && index <= 10 ? m_menuItems.value(index - 3) : nullptr;
}

void frmPayments::InitLvwPayments()
{
    m_list->setColumns({
        {QStringLiteral(" PID"), 285, Qt::AlignLeft},
        {QStringLiteral(" CID"), 1, Qt::AlignLeft},
        {QStringLiteral(" PTI"), 1, Qt::AlignLeft},
        {QStringLiteral("Amount"), 1769, Qt::AlignLeft},
        {QStringLiteral("Date"), 1275, Qt::AlignLeft, QStringLiteral("00/00/0000 00:00:00 PM")},
        {QStringLiteral("Type"), 1275, Qt::AlignLeft},
        {QStringLiteral(" Comments"), 1, Qt::AlignLeft},
    });
    m_list->setImages({Icons::payment()});
}

void frmPayments::RefreshData()
{
    LoadPayments(m_companyId);
}

void frmPayments::LoadPayments(qint32 forCompanyID)
{
    if (m_loading)
        return;
    LoadMark busy(this, m_loading);
    QPointer<frmPayments> self(this);

    m_companyId = forCompanyID;
    m_list->clearRows();
    ListLoader loader(Lists::payments(forCompanyID));
    auto rows = loader.rows<Lists::PaymentRow>();
    const std::optional<bool> added = fillModel(loader, *m_rows, std::move(rows), true, this, kNoFurtherStep);
    if (!added)
        return;
    // An ignored unreadable setting still makes the offer.
    if (!*added && !loader.aborted() && loader.offerWanted(true)) {
        // Owned by the main window, as every question is, so it closes with it.
        const short answer = modTamberlock::ShowConfirmBox(
            parentWidget(), QStringLiteral("There are no Payments.\r\n\r\nWould you like to add one now?"),
            QStringLiteral("Add New Payment?"), 1, 0);
        if (!self)
            return;
        if (answer == frmKivMsg::Yes)
            onPaymentsMenu(AddPayment);
        if (!self)
            return;
    }

    m_list->setSortColumnIndex(0);
    m_list->sortRows();
    m_list->setFocus();
}

qint32 frmPayments::selectedNumber() const
{
    const int row = m_list->selectedRow();
    return RowNumbers::withZeroPrefix(row >= 0 ? m_list->rowText(row) : QString()).value_or(0);
}

void frmPayments::updateEditItem()
{
    menuItem(EditPayment)->setEnabled(selectedNumber() > 0);
}

void frmPayments::onListReleased(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button != Qt::RightButton)
        return;
    updateEditItem();
    m_menu->popup(globalPos);
}

void frmPayments::onPaymentsMenu(int index)
{
    QPointer<frmPayments> self(this);
    switch (index) {
    case AddPayment:
        if (frmPayment *editor = frmPayment::showEditor(this)) {
            emit editorOpened(editor);
            editor->SwapFormMode(EditorBase::AddMode, 0);
        }
        if (self)
            RefreshData();
        break;
    case EditPayment: {
        // Without a selected row there is no payment to edit.
        const qint32 number = selectedNumber();
        if (number <= 0)
            break;
        if (frmPayment *editor = frmPayment::showEditor(this)) {
            emit editorOpened(editor);
            editor->SwapFormMode(EditorBase::EditMode, number);
        }
        if (self)
            RefreshData();
        break;
    }
    case DeletePayment: {
        const qint32 number = selectedNumber();
        const BoxResult answer = showMessage(QStringLiteral("Delete This Payment?"),
                                             QStringLiteral("There is NO Way to Undo this command.\r\n\r\n"
                                                            "Do you want to Delete this Payment?"),
                                             BoxIcon::Warning, BoxButtons::YesNo, 2);
        if (answer == BoxResult::Yes)
            modTamberlock::DeletePaymentRecord(number);
        if (self)
            RefreshData();
        break;
    }
    case PrintInvoices:
        // The list reloaded, then the statement of account of its company.
        RefreshData();
        if (self && m_companyId > 0) {
            Billing::Request request;
            request.kind = Billing::Kind::Statement;
            request.companyId = m_companyId;
            frmInvoice::showFor(this, m_invoiceWindow, request);
        }
        break;
    case RefreshPayments: RefreshData(); break;
    default: break;
    }
}

void frmPayments::applyMinimumSize()
{
    Twips::keepOuterMinimum(this, kMinOuterWidth, kMinOuterHeight);
}

void frmPayments::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The window frame is known only once the window is on screen.
    applyMinimumSize();
}

void frmPayments::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    applyMinimumSize();

    QWidget *client = centralWidget();
    const int clientWidth = tw(client->width());
    const int frameHeight = tw(client->height()) - tw(m_frame->y());
    if (isMinimized())
        return;
    const int frameWidth = clientWidth - (tw(m_frame->x()) + 10);
    m_frame->resize(std::max(0, px(frameWidth)), std::max(0, px(frameHeight)));
    const int listWidth = frameWidth - (tw(m_list->x()) + 50);
    const int listHeight = frameHeight - (tw(m_list->y()) + 50);
    m_list->resize(std::max(0, px(listWidth)), std::max(0, px(listHeight)));
}

frmInvoice *frmPayments::invoiceWindow() const
{
    return m_invoiceWindow;
}
