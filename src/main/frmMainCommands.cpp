// What the items of the main window's menus do.
#include "main/frmMain.h"

#include "data/Clock.h"
#include "data/Formats.h"
#include "data/Notices.h"
#include "data/Prompter.h"
#include "data/RecordStore.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmHelpStruct.h"
#include "editors/frmComp.h"
#include "editors/frmHour.h"
#include "editors/frmJob.h"
#include "editors/frmPayment.h"
#include "main/RowNumbers.h"
#include "payments/frmPayments.h"
#include "widgets/ReportList.h"
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

void frmMain::mnuFile_Click(int)
{
    close();
}

void frmMain::mnuView_Click(int index)
{
    switch (index) {
    case 1:
        RefreshData();
        RefreshActiveCosts();
        break;
    case 2: setRealTimeWatch(!RealTimeWatch()); break;
    case 3: setScreenStyle(ScreenStyle() == 0 ? 1 : 0); break;
    default: break;
    }
}

void frmMain::MnuPayments_Click(int index)
{
    switch (index) {
    case 1: openEditor<frmPayment>(this)->SwapFormMode(0, 0); break;
    case 3: {
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

void frmMain::MnuComps_Click(int index)
{
    switch (index) {
    case 3: openEditor<frmComp>(this)->SwapFormMode(0, 0); break;
    case 4:
        // With no company selected there is nothing to edit.
        if (const std::optional<qint32> n = RowNumbers::plain(selectedCompanyText()))
            openEditor<frmComp>(this)->SwapFormMode(-1, *n);
        break;
    case 6: mnuJobs_Click(3); break;
    case 7: openEditor<frmPayment>(this)->SwapFormMode(0, 0); break;
    case 8: ShowNotImplemented(); break;
    case 10: deleteCompany(); break;
    default: break;
    }
}

void frmMain::mnuJobs_Click(int index)
{
    switch (index) {
    case 3: openEditor<frmJob>(this)->SwapFormMode(0, 0); break;
    case 4:
        if (const std::optional<qint32> n = RowNumbers::plain(selectedJobText()))
            openEditor<frmJob>(this)->SwapFormMode(-1, *n);
        break;
    case 6: mnuHours_Click(3); break;
    case 8: ShowNotImplemented(); break;
    case 10: deleteJob(); break;
    case 12: QCoreApplication::processEvents(); break;
    default: break;
    }
}

void frmMain::mnuHours_Click(int index)
{
    // Charges belong to a project: without projects no charge command runs.
    if (m_lvwJobs->rowCount() == 0)
        return;
    switch (index) {
    case 3: openEditor<frmHour>(this)->SwapFormMode(0, 0); break;
    case 4:
        if (const std::optional<qint32> n = RowNumbers::plain(selectedText(m_lvwHours)))
            openEditor<frmHour>(this)->SwapFormMode(-1, *n);
        break;
    case 6: stopPendingCharge(); break;
    case 7: startNewCharge(); break;
    case 9: ShowNotImplemented(); break;
    case 11: deleteHour(); break;
    default: break;
    }
}

void frmMain::MnuHelp_Click(int index)
{
    if (index == 1)
        frmHelpStruct::showFor(this);
    else if (index == 2)
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
    const qint32 n = RowNumbers::withZeroPrefix(selectedText(m_lvwHours)).value_or(0);
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
    const int row = m_lvwHours->selectedRow();
    const qint32 charge = row < 0 ? 0 : RowNumbers::withZeroPrefix(m_lvwHours->rowText(row)).value_or(0);
    // No selected charge (F11 on an empty charge list): there is nothing to
    // stop, and a row written now would belong to no project.
    if (charge == 0)
        return;
    const qint32 project = RowNumbers::withZeroPrefix(m_lvwHours->cell(row, 1)).value_or(0);
    const QString start = m_lvwHours->cell(row, 2);

    if (!IsPendingTime(m_lvwHours->cell(row, 3))) {
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
    SaveHourRecord(0, project, nowToTheSecond(), dateTimeTextToOle(QString::fromLatin1(kStopTimePending)));
    RefreshData();
}
