// The company, project and charge lists: columns, loading, the selection
// cascade and sorting.
#include "main/frmMain.h"

#include "data/Clock.h"
#include "data/ElapsedSpan.h"
#include "data/Formats.h"
#include "data/ListQueries.h"
#include "data/RecordStore.h"
#include "dialogs/frmKivMsg.h"
#include "widgets/ListModels.h"
#include "widgets/ReportList.h"
#include "widgets/RowNumbers.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>

using namespace modTamberlock;

namespace {

// The widest usual cell texts, which the columns must show whole.
const QString kDateSample = QStringLiteral("00/00/0000 00:00:00 PM");
const QString kPhoneSample = QStringLiteral("(000) 000-0000");

QString executableBaseName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace

void frmMain::InitLvwCompanys()
{
    m_companyList->setColumns({{QStringLiteral(" "), 285, Qt::AlignLeft},
                               {QStringLiteral("Name "), 2100, Qt::AlignLeft},
                               {QStringLiteral("Contact"), 1769, Qt::AlignLeft},
                               {QStringLiteral("Phone"), 1275, Qt::AlignLeft, kPhoneSample},
                               {QStringLiteral("Fax"), 1275, Qt::AlignLeft, kPhoneSample}});
}

void frmMain::InitLvwJobs()
{
    m_projectList->setColumns(
        {{QStringLiteral(" "), 285, Qt::AlignLeft},
         {QStringLiteral("PID"), 1, Qt::AlignLeft},
         {QStringLiteral("Project Name"), 1900, Qt::AlignLeft},
         {QStringLiteral("$Rate/Hr"), 1000, Qt::AlignRight},
         {QStringLiteral("Deadline"), 2010, Qt::AlignRight, kDateSample},
         {QStringLiteral("T.Left"), 1450, Qt::AlignLeft, QStringLiteral("000d 00h 00m 00s")}});
}

void frmMain::InitLvwHours()
{
    m_chargeList->setColumns(
        {{QStringLiteral("  "), 285, Qt::AlignLeft},
         {QStringLiteral("LogID"), 1, Qt::AlignLeft},
         {QStringLiteral("Start Time"), 2009.764, Qt::AlignLeft, kDateSample},
         {QStringLiteral("Stop Time"), 2009.764, Qt::AlignLeft, kDateSample},
         {QStringLiteral("Cost"), 1075.024, Qt::AlignRight, QStringLiteral(" $0,000.00")},
         {QStringLiteral("Time Spent"), 1319.811, Qt::AlignRight, QStringLiteral("00 00:00.00")}});
}

void frmMain::finishLoad(ListLoader &loader, ReportList *list, bool empty, const QString &message,
                         const QString &caption, const std::function<void()> &onYes)
{
    if (empty && !loader.aborted() && loader.offerWanted(false) &&
        ShowConfirmBox(this, message, caption, 1, 0) == frmKivMsg::Yes)
        onYes();
    list->setSortColumnIndex(0);
    list->sortRows();
    list->setFocus();
}

void frmMain::LoadCompanies()
{
    if (m_loadingCompanies)
        return;
    LoadMark busy(this, m_loadingCompanies);

    m_companyList->clearRows();
    ListLoader loader(Lists::companies());
    auto rows = loader.rows<Lists::CompanyRow>();
    const std::optional<bool> added =
        fillModel(loader, *m_companyRows, std::move(rows), false, this, kNoFurtherStep);
    if (!added)
        return;
    finishLoad(loader, m_companyList, !*added,
               QStringLiteral("There are no Companies.\r\n\r\nWould you like to add one now?"),
               QStringLiteral("Add New Company?"), [this] { onCompanyMenu(CompanyAdd); });
}

void frmMain::LoadProjects(qint32 companyId)
{
    if (m_loadingJobs)
        return;
    LoadMark busy(this, m_loadingJobs);
    m_loadedCompany = companyId;

    m_projectList->clearRows();
    m_chargeList->clearRows();
    ListLoader loader(Lists::projects(companyId));
    auto rows = loader.rows<Lists::ProjectRow>();
    m_projectRows->setNow(ElapsedSpan::secondsOf(Clock::now()));
    const std::optional<bool> added =
        fillModel(loader, *m_projectRows, std::move(rows), false, this, kNoFurtherStep);
    if (!added)
        return;
    finishLoad(
        loader, m_projectList, !*added,
        QStringLiteral("There are no Projects For this Company.\r\n\r\nWould you like to add one now?"),
        QStringLiteral("Add New Project?"), [this] { onProjectMenu(ProjectAdd); });
    setCaptionFromProject();
}

void frmMain::LoadHours(qint32 jobId)
{
    if (m_loadingHours)
        return;
    LoadMark busy(this, m_loadingHours);

    m_chargeList->clearRows();
    ListLoader loader(Lists::charges(jobId));
    auto rows = loader.rows<Lists::ChargeRow>();
    const qint64 now = ElapsedSpan::secondsOf(Clock::now());
    // A row without a rate keeps the rate of the row before it; one whose
    // rate cannot be read has no cost to show.
    std::optional<Currency> rate = 0;
    const std::optional<bool> added = fillModel(loader, *m_chargeRows, std::move(rows), true, this,
                                                [&](int id, const Lists::ChargeRow &row) -> StepResult {
                                                    if (!row.rateIsNull)
                                                        rate = row.rate;
                                                    if (!rate) {
                                                        m_chargeRows->spanOnly(id, now);
                                                        return std::nullopt;
                                                    }
                                                    if (!m_chargeRows->cost(id, *rate, now))
                                                        return overflowError();
                                                    return std::nullopt;
                                                });
    if (!added)
        return;
    finishLoad(loader, m_chargeList, !*added,
               QStringLiteral("There are no Charges for this Project.\r\n\r\nWould you like to add one now?"),
               QStringLiteral("Add New Charges?"), [this] { onChargeMenu(ChargeAdd); });
}

void frmMain::setCaptionFromProject()
{
    const int row = m_projectList->selectedRow();
    if (row < 0)
        return;
    const QString name = m_projectList->cell(row, ProjectListModel::Name);
    setWindowTitle(name.isEmpty() ? executableBaseName()
                                  : executableBaseName() + QStringLiteral(" - ") + name);
}

void frmMain::companyReleased()
{
    const qint32 n = RowNumbers::withZeroPrefix(selectedCompanyText()).value_or(0);
    if (n == 0)
        return;
    LoadProjects(n);
    if (!jobReleased())
        showLoadedTotals();
}

bool frmMain::jobReleased()
{
    const qint32 n = RowNumbers::withZeroPrefix(selectedJobText()).value_or(0);
    if (n == 0)
        return false;
    LoadHours(n);
    setCaptionFromProject();
    showLoadedTotals();
    return true;
}

void frmMain::showLoadedTotals()
{
    if (m_loadedCompany == 0) {
        showTotals(0, 0);
        return;
    }
    showTotals(m_chargeRows->total(), GetCompanyCredits(m_loadedCompany));
}

void frmMain::onCompanyListReleased(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton) {
        prepareCompanyMenu();
        popupContext(m_companyMenu, globalPos);
        return;
    }
    companyReleased();
}

void frmMain::onProjectListReleased(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton) {
        prepareJobMenu();
        popupContext(m_projectMenu, globalPos);
        return;
    }
    jobReleased();
}

void frmMain::onChargeListReleased(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton) {
        prepareHourMenu();
        popupContext(m_chargeMenu, globalPos);
        return;
    }
    RefreshActiveCosts();
}
