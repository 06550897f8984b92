// What the items of the main window's menus do.
#include "main/frmMain.h"

#include "billing/ui/frmInvoice.h"
#include "data/Clock.h"
#include "data/Formats.h"
#include "data/Notices.h"
#include "data/Prompter.h"
#include "data/RecordStore.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmHelpStruct.h"
#include "dialogs/frmPreferences.h"
#include "editors/frmComp.h"
#include "editors/frmHour.h"
#include "editors/frmJob.h"
#include "editors/frmPayment.h"
#include "payments/frmPayments.h"
#include "widgets/ListModels.h"
#include "widgets/ReportList.h"
#include "widgets/RowNumbers.h"
#include "widgets/SingleWindow.h"

#include <QCoreApplication>
#include <QStringList>

using namespace modTamberlock;

namespace {

QString lines(const QStringList &parts)
{
    return parts.join(QStringLiteral("\r\n"));
}

// The current time to the second, as a stored date-time.
OleDate nowToTheSecond()
{
    return dateTimeTextToOle(formatDateTime(Clock::now()));
}

QString selectedText(const ReportList *list)
{
    const int row = list->selectedRow();
    return row < 0 ? QString() : list->rowText(row);
}

// The one editor of its kind, owned by the main window, brought forward and
// ready for SwapFormMode.
template <class Editor> Editor *openEditor(frmMain *main)
{
    Editor *editor = Editor::showEditor(main);
    main->adoptEditor(editor);
    return editor;
}

} // namespace

void frmMain::adoptEditor(EditorBase *editor)
{
    editor->setMainSelection(selectedCompanyText(), selectedJobText());
    connect(editor, &EditorBase::closed, this, &frmMain::editorClosed, Qt::UniqueConnection);
}

void frmMain::editorClosed(EditorBase::OnClose what)
{
    if (what == EditorBase::OnClose::FocusAndReload || what == EditorBase::OnClose::FocusOnly) {
        activateWindow();
        setFocus();
    }
    if (what == EditorBase::OnClose::FocusAndReload || what == EditorBase::OnClose::ReloadOnly)
        RefreshData();
}

void frmMain::onFileMenu(int)
{
    close();
}

void frmMain::onViewMenu(int index)
{
    switch (index) {
    case ViewRefresh:
        RefreshData();
        RefreshActiveCosts();
        break;
    case ViewRealTimeWatch: setRealTimeWatch(!RealTimeWatch()); break;
    case ViewSingle: setScreenStyle(ScreenStyle() == StackedStyle ? SingleListStyle : StackedStyle); break;
    case ViewPreferences:
        SingleWindow::ensure(m_preferences, [this] { return new frmPreferences(this); })->bringForward();
        break;
    default: break;
    }
}

void frmMain::onPaymentsMenu(int index)
{
    switch (index) {
    case PaymentsAdd: openEditor<frmPayment>(this)->SwapFormMode(EditorBase::AddMode, 0); break;
    case PaymentsEdit: {
        const qint32 n = RowNumbers::withZeroPrefix(selectedCompanyText()).value_or(0);
        if (n != 0) {
            frmPayments *payments = frmPayments::forOwner(this);
            // The payment editor opened there takes this window's selection
            // and reloads this window when it closes.
            connect(payments, &frmPayments::editorOpened, this, &frmMain::adoptEditor, Qt::UniqueConnection);
            SingleWindow::bringForward(payments);
            payments->LoadPayments(n);
        } else {
            showMessage(QStringLiteral("No Company Selected"),
                        lines({QStringLiteral("Please Create then Select a Company First."), QString(),
                               QStringLiteral("For more information on the "),
                               QStringLiteral("Data Structure, check the Help Menu.")}),
                        BoxIcon::Warning, BoxButtons::Ok);
        }
        break;
    }
    default: break;
    }
}

void frmMain::onCompanyMenu(int index)
{
    switch (index) {
    case CompanyAdd: openEditor<frmComp>(this)->SwapFormMode(EditorBase::AddMode, 0); break;
    case CompanyEdit:
        // With no company selected there is nothing to edit.
        if (const std::optional<qint32> n = RowNumbers::plain(selectedCompanyText()))
            openEditor<frmComp>(this)->SwapFormMode(EditorBase::EditMode, *n);
        break;
    case CompanyAddProject: onProjectMenu(ProjectAdd); break;
    case CompanyAddPayment: openEditor<frmPayment>(this)->SwapFormMode(EditorBase::AddMode, 0); break;
    case CompanyPrint: openInvoice(index, 0, 0); break;
    case CompanyDelete: deleteCompany(); break;
    default: break;
    }
}

void frmMain::onProjectMenu(int index)
{
    switch (index) {
    case ProjectAdd: openEditor<frmJob>(this)->SwapFormMode(EditorBase::AddMode, 0); break;
    case ProjectEdit:
        if (const std::optional<qint32> n = RowNumbers::plain(selectedJobText()))
            openEditor<frmJob>(this)->SwapFormMode(EditorBase::EditMode, *n);
        break;
    case ProjectAddCharge: onChargeMenu(ChargeAdd); break;
    case ProjectPrint: openInvoice(0, index, 0); break;
    case ProjectDelete: deleteJob(); break;
    case ProjectCancel: QCoreApplication::processEvents(); break;
    default: break;
    }
}

void frmMain::onChargeMenu(int index)
{
    // Charges belong to a project: without projects no charge command runs.
    if (m_projectList->rowCount() == 0)
        return;
    switch (index) {
    case ChargeAdd: openEditor<frmHour>(this)->SwapFormMode(EditorBase::AddMode, 0); break;
    case ChargeEdit:
        if (const std::optional<qint32> n = RowNumbers::plain(selectedText(m_chargeList)))
            openEditor<frmHour>(this)->SwapFormMode(EditorBase::EditMode, *n);
        break;
    case ChargeStopPending: stopPendingCharge(); break;
    case ChargeStartNew: startNewCharge(); break;
    case ChargePrint: openInvoice(0, 0, index); break;
    case ChargeDelete: deleteHour(); break;
    default: break;
    }
}

void frmMain::openInvoice(int companyItem, int projectItem, int chargeItem)
{
    Billing::Request request;
    const std::optional<qint32> company = RowNumbers::withZeroPrefix(selectedCompanyText());
    if (!company || *company <= 0)
        return;
    request.companyId = *company;
    if (projectItem != 0 || chargeItem != 0) {
        const std::optional<qint32> project = RowNumbers::withZeroPrefix(selectedJobText());
        if (!project || *project <= 0)
            return;
        request.projectId = *project;
    }
    if (chargeItem != 0) {
        const std::optional<qint32> charge = RowNumbers::withZeroPrefix(selectedText(m_chargeList));
        if (!charge || *charge <= 0)
            return;
        request.chargeIds = {*charge};
    }
    Q_UNUSED(companyItem);
    frmInvoice::showFor(this, m_invoiceWindow, request);
}

void frmMain::onHelpMenu(int index)
{
    if (index == HelpStructure)
        frmHelpStruct::showFor(this);
    else if (index == HelpAbout)
        frmAbout::showFor(this);
}

void frmMain::deleteCompany()
{
    const qint32 n = RowNumbers::withZeroPrefix(selectedCompanyText()).value_or(0);
    const QString question = QStringLiteral(
        "Do you want to Delete this Company All it's Projects and All of it's Projects Charges?");
    const BoxResult answer =
        showMessage(QStringLiteral("Delete this Company All it's Projects and All of it's Projects Charges?"),
                    lines({QStringLiteral("Warning!:  Cascade Delete:"), QString(),
                           QStringLiteral("A. There is NO Way to Undo this command."), QString(),
                           QStringLiteral("B. Deleting a Company will automatically"),
                           QStringLiteral("     delete all Projects attached to it."), QString(),
                           QStringLiteral("C. Deleting a Project will automatically"),
                           QStringLiteral("   delete all Charges attached to it."), QString(), question}),
                    BoxIcon::Error, BoxButtons::YesNo, 2);
    if (answer != BoxResult::Yes)
        return;
    // The projects and their charges go with the company inside the database.
    DeleteCompanyRecord(n);
    RefreshData();
}

void frmMain::deleteJob()
{
    const qint32 n = RowNumbers::withZeroPrefix(selectedJobText()).value_or(0);
    const BoxResult answer =
        showMessage(QStringLiteral("Delete this Project and All of it's Charges?"),
                    lines({QStringLiteral("Warning!:"), QString(),
                           QStringLiteral("A. There is NO Way to Undo this command."), QString(),
                           QStringLiteral("B. Deleting a Project will automatically"),
                           QStringLiteral("     delete all Charges attached to it."), QString(),
                           QStringLiteral("Do you want to Delete this Project and All of it's Charges?")}),
                    BoxIcon::Error, BoxButtons::YesNo, 2);
    if (answer != BoxResult::Yes)
        return;
    DeleteJobRecord(n);
    RefreshData();
}

void frmMain::deleteHour()
{
    const qint32 n = RowNumbers::withZeroPrefix(selectedText(m_chargeList)).value_or(0);
    const BoxResult answer =
        showMessage(QStringLiteral("Delete This Charge?"),
                    lines({QStringLiteral("There is NO Way to Undo this command."), QString(),
                           QStringLiteral("Do you want to Delete this Charge?")}),
                    BoxIcon::Warning, BoxButtons::YesNo, 2);
    if (answer != BoxResult::Yes)
        return;
    DeleteHourRecord(n);
    RefreshData();
}

void frmMain::stopPendingCharge()
{
    const int row = m_chargeList->selectedRow();
    const qint32 charge = row < 0 ? 0 : RowNumbers::withZeroPrefix(m_chargeList->rowText(row)).value_or(0);
    // No selected charge (F11 on an empty charge list): there is nothing to
    // stop, and a row written now would belong to no project.
    if (charge == 0)
        return;
    const qint32 project =
        RowNumbers::withZeroPrefix(m_chargeList->cell(row, ChargeListModel::ProjectKey)).value_or(0);
    const QString start = m_chargeList->cell(row, ChargeListModel::Start);

    if (!IsPendingTime(m_chargeList->cell(row, ChargeListModel::Stop))) {
        const BoxResult answer =
            showMessage(QStringLiteral("Change the Stop Time to now?"),
                        lines({QStringLiteral("The selected charge has already stopped."), QString(),
                               QStringLiteral("  Would you like to change the Stop Time to"),
                               QStringLiteral(" the current time?")}),
                        BoxIcon::Question, BoxButtons::YesNo, 1);
        if (answer != BoxResult::Yes)
            return;
    }
    SaveHourRecord(charge, project, dateTimeTextToOle(start), nowToTheSecond());
    RefreshData();
}

void frmMain::startNewCharge()
{
    const qint32 project = RowNumbers::withZeroPrefix(selectedJobText()).value_or(0);
    // A charge must belong to a project.
    if (project == 0)
        return;
    // The pending stop time is the program's own moment, whatever the formats.
    const OleDate pending =
        dateTimeToOle(parseProgramDateTime(QString::fromLatin1(kStopTimePending)).value_or(QDateTime()))
            .value_or(0.0);
    SaveHourRecord(0, project, nowToTheSecond(), pending);
    RefreshData();
}

frmInvoice *frmMain::invoiceWindow() const
{
    return m_invoiceWindow;
}
