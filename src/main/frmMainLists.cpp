// The company, project and charge lists: columns, loading, the selection
// cascade and sorting.
#include "main/frmMain.h"

#include "data/Clock.h"
#include "data/Connection.h"
#include "data/Formats.h"
#include "data/RecordStore.h"
#include "data/Settings.h"
#include "data/StepRunner.h"
#include "dialogs/frmKivMsg.h"
#include "main/RowNumbers.h"
#include "widgets/ReportList.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <functional>
#include <memory>

using namespace modTamberlock;

namespace {

// The widest usual cell texts, which the columns must show whole.
const QString kDateSample = QStringLiteral("00/00/0000 00:00:00 PM");
const QString kPhoneSample = QStringLiteral("(000) 000-0000");

const QString kPhoneMask = QStringLiteral("(000) 000-0000");

// The projects are read from the project side, which selects exactly the
// rows of the right outer join the list was designed with.
const QString kProjectsShown = QStringLiteral(
    "SELECT tblCompanys.lngCompanyID, tblJobs.lngJobID, tblJobs.strJobName, tblJobs.curHourlyWage, "
    "tblJobs.dtmDeadLine FROM tblCompanys RIGHT JOIN tblJobs ON tblCompanys.lngCompanyID = "
    "tblJobs.lngCompanyID WHERE (((tblCompanys.lngCompanyID)=");
const QString kProjectsRun = QStringLiteral(
    "SELECT tblCompanys.lngCompanyID, tblJobs.lngJobID, tblJobs.strJobName, tblJobs.curHourlyWage, "
    "tblJobs.dtmDeadLine FROM tblJobs LEFT JOIN tblCompanys ON tblCompanys.lngCompanyID = "
    "tblJobs.lngCompanyID WHERE (((tblCompanys.lngCompanyID)=");

DbError invalidUseOfNull()
{
    return DbError{94, QStringLiteral("Invalid use of Null"), QStringLiteral("Tamberlock")};
}

DbError typeMismatch()
{
    return DbError{13, QStringLiteral("Type mismatch"), QStringLiteral("Tamberlock")};
}

DbError overflow()
{
    return DbError{6, QStringLiteral("Overflow"), QStringLiteral("Tamberlock")};
}

QString nowText()
{
    return formatDateTime(Clock::now());
}

QString executableBaseName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

// A busy mark that is cleared on every way out of a loader.
class BusyMark
{
public:
    explicit BusyMark(bool &flag) : m_flag(flag) { m_flag = true; }
    ~BusyMark() { m_flag = false; }

private:
    bool &m_flag;
};

} // namespace

// One row of a loader's query, read before the list fills: the query is done
// and its read lock gone before the loader lets events run, so a save made
// meanwhile (a charge started with F12, say) is not refused as "locked".
class LoadedRow
{
public:
    explicit LoadedRow(const QSqlQuery &query, int fields)
    {
        m_values.reserve(fields);
        for (int i = 0; i < fields; ++i)
            m_values.append(query.value(i));
    }
    bool isNull(int field) const { return m_values.at(field).isNull(); }
    QVariant value(int field) const { return m_values.at(field); }

private:
    QVariantList m_values;
};

struct frmMain::LoaderSpec {
    ReportList *list;
    QString tag;
    QString sql;      // the text that runs
    QString shownSql; // the text the error box shows
    int idField;      // the record number's field
    int icon;
    bool emptyIdIsEmptyResult; // the project-without-charges row
    // Writes the other cells of a row from the record.
    std::function<StepResult(int row, const LoadedRow &record)> fillRow;
    QString offerCaption;
    QString offerMessage;
    std::function<void()> offerYes;
    std::function<void()> before;    // clearing beyond the own list
    std::function<void()> finishing; // first thing of the finish
};

void frmMain::InitLvwCompanys()
{
    m_lvwCompanys->setColumns({{QStringLiteral(" "), 285, Qt::AlignLeft},
                               {QStringLiteral("Name "), 2100, Qt::AlignLeft},
                               {QStringLiteral("Contact"), 1769, Qt::AlignLeft},
                               {QStringLiteral("Phone"), 1275, Qt::AlignLeft, kPhoneSample},
                               {QStringLiteral("Fax"), 1275, Qt::AlignLeft, kPhoneSample}});
}

void frmMain::InitLvwJobs()
{
    m_lvwJobs->setColumns(
        {{QStringLiteral(" "), 285, Qt::AlignLeft},
         {QStringLiteral("PID"), 1, Qt::AlignLeft},
         {QStringLiteral("Project Name"), 1900, Qt::AlignLeft},
         {QStringLiteral("$Rate/Hr"), 1000, Qt::AlignRight},
         {QStringLiteral("Deadline"), 2010, Qt::AlignRight, kDateSample},
         {QStringLiteral("T.Left"), 1450, Qt::AlignLeft, QStringLiteral("000d 00h 00m 00s")}});
}

void frmMain::InitLvwHours()
{
    m_lvwHours->setColumns(
        {{QStringLiteral("  "), 285, Qt::AlignLeft},
         {QStringLiteral("LogID"), 1, Qt::AlignLeft},
         {QStringLiteral("Start Time"), 2009.764, Qt::AlignLeft, kDateSample},
         {QStringLiteral("Stop Time"), 2009.764, Qt::AlignLeft, kDateSample},
         {QStringLiteral("Cost"), 1075.024, Qt::AlignRight, QStringLiteral(" $0,000.00")},
         {QStringLiteral("Time Spent"), 1319.811, Qt::AlignRight, QStringLiteral("00 00:00.00")}});
}

void frmMain::runLoader(const LoaderSpec &plan)
{
    ReportList *list = plan.list;
    StepRunner run(
        [&plan](const DbError &error) { return loaderErrorBoxRequest(error, plan.tag, plan.shownSql); });

    list->clearRows();
    if (plan.before)
        plan.before();

    Connection connection;
    QSqlQuery query;
    bool queried = false;
    const auto runQuery = [&]() -> StepResult {
        query = connection.newQuery();
        if (!query.exec(plan.sql))
            return fromSqlError(query.lastError());
        queried = true;
        return std::nullopt;
    };
    // A retry runs on a fresh connection, with the query run again on it.
    run.setBeforeRetry([&]() -> StepResult {
        if (StepResult e = connection.reopen())
            return e;
        return queried ? runQuery() : StepResult();
    });
    run.step([&] { return connection.open(); });
    run.step(runQuery);

    // Moving through all the records reads them; an empty result has none.
    std::vector<LoadedRow> records;
    run.step([&]() -> StepResult {
        if (!query.isActive())
            return closedObjectError();
        records.clear();
        const int fields = query.record().count();
        while (query.next())
            records.emplace_back(query, fields);
        if (query.lastError().isValid())
            return fromSqlError(query.lastError());
        return std::nullopt;
    });
    // Done with the query: nothing may keep the file locked while the list
    // fills with pauses for events, or while the offer below waits.
    query.finish();
    queried = false;
    if (!run.aborted())
        QCoreApplication::processEvents();

    bool empty = true;
    int counter = 1;
    for (const LoadedRow &record : records) {
        if (run.aborted())
            break;
        int row = -1;
        bool endOfRows = false;
        run.step([&]() -> StepResult {
            const QVariant id = record.value(plan.idField);
            if (id.isNull() || id.toString().isEmpty()) {
                if (plan.emptyIdIsEmptyResult) {
                    endOfRows = true;
                    return std::nullopt;
                }
                return invalidUseOfNull();
            }
            row = list->addRow(id.toString(), plan.icon);
            return std::nullopt;
        });
        if (endOfRows)
            break;
        if (row >= 0) {
            empty = false;
            run.step([&] { return plan.fillRow(row, record); });
        }
        // The window keeps painting and answering every 14 rows.
        if (++counter == 15) {
            counter = 1;
            QCoreApplication::processEvents();
        }
    }
    records = {};

    if (empty && !run.aborted()) {
        bool ask = false;
        run.step([&]() -> StepResult {
            const std::optional<int> setting = DontAskSetting::value();
            if (!setting)
                return typeMismatch();
            ask = *setting == 1;
            return std::nullopt;
        });
        if (ask && ShowConfirmBox(plan.offerMessage, plan.offerCaption, 1, 0) == frmKivMsg::Yes)
            plan.offerYes();
    }

    if (plan.finishing)
        plan.finishing();
    query = QSqlQuery();
    list->setSortColumnIndex(0);
    list->sortRows();
    list->setFocus();
}

void frmMain::LoadCompanies()
{
    if (m_loadingCompanies)
        return;
    BusyMark busy(m_loadingCompanies);

    LoaderSpec plan;
    plan.list = m_lvwCompanys;
    plan.tag = QStringLiteral("In LoadLvwCompanys:    ");
    plan.sql = QStringLiteral("SELECT lngCompanyID, strCompanyName, strCompanyContact, strCompanyPhone, "
                              "strCompanyFax FROM tblCompanys;");
    plan.shownSql = plan.sql;
    plan.idField = 0;
    plan.icon = 1;
    plan.emptyIdIsEmptyResult = false;
    plan.fillRow = [this](int row, const LoadedRow &r) -> StepResult {
        if (!r.isNull(1))
            m_lvwCompanys->setCell(row, 1, r.value(1).toString());
        if (!r.isNull(2))
            m_lvwCompanys->setCell(row, 2, r.value(2).toString());
        if (!r.isNull(3))
            m_lvwCompanys->setCell(row, 3, formatDigitMask(r.value(3).toString(), kPhoneMask));
        if (!r.isNull(4))
            m_lvwCompanys->setCell(row, 4, formatDigitMask(r.value(4).toString(), kPhoneMask));
        return std::nullopt;
    };
    plan.offerCaption = QStringLiteral("Add New Company?");
    plan.offerMessage = QStringLiteral("There are no Companies.\r\n\r\nWould you like to add one now?");
    plan.offerYes = [this] { MnuComps_Click(3); };
    runLoader(plan);
}

void frmMain::LoadProjects(qint32 companyId)
{
    if (m_loadingJobs)
        return;
    BusyMark busy(m_loadingJobs);
    m_loadedCompany = companyId;

    LoaderSpec plan;
    plan.list = m_lvwJobs;
    plan.tag = QStringLiteral("In LoadLvwJobs:    ");
    const QString tail = QString::number(companyId) + QStringLiteral("));");
    plan.sql = kProjectsRun + tail;
    plan.shownSql = kProjectsShown + tail;
    plan.idField = 1;
    plan.icon = 1;
    plan.emptyIdIsEmptyResult = false;
    plan.before = [this] { m_lvwHours->clearRows(); };
    plan.fillRow = [this](int row, const LoadedRow &r) -> StepResult {
        if (!r.isNull(0))
            m_lvwJobs->setCell(row, 1, r.value(0).toString());
        if (!r.isNull(2))
            m_lvwJobs->setCell(row, 2, r.value(2).toString());
        // A rate outside the currency range shows as no rate.
        if (!r.isNull(3))
            if (const std::optional<Currency> rate = currencyFromStored(r.value(3)))
                m_lvwJobs->setCell(row, 3, formatCurrency(*rate));
        if (!r.isNull(4))
            m_lvwJobs->setCell(row, 4, formatOleDate(r.value(4).toDouble()));
        QString deadline = m_lvwJobs->cell(row, 4);
        m_lvwJobs->setCell(row, 5, FormatElapsedTime(nowText(), deadline, 6));
        return std::nullopt;
    };
    plan.offerCaption = QStringLiteral("Add New Project?");
    plan.offerMessage =
        QStringLiteral("There are no Projects For this Company.\r\n\r\nWould you like to add one now?");
    plan.offerYes = [this] { mnuJobs_Click(3); };
    plan.finishing = [this] { setCaptionFromProject(); };
    runLoader(plan);
}

void frmMain::LoadHours(qint32 jobId)
{
    if (m_loadingHours)
        return;
    BusyMark busy(m_loadingHours);

    LoaderSpec plan;
    plan.list = m_lvwHours;
    plan.tag = QStringLiteral("In LoadLvwHours:    ");
    plan.sql =
        QStringLiteral("SELECT tblJobs.lngJobID, tblHours.lngHourID, tblJobs.curHourlyWage, "
                       "tblHours.dtmStartTime, tblHours.dtmStopTime FROM tblJobs LEFT JOIN tblHours ON "
                       "tblJobs.lngJobID = tblHours.lngJobID WHERE (((tblJobs.lngJobID)=") +
        QString::number(jobId) + QStringLiteral("));");
    plan.shownSql = plan.sql;
    plan.idField = 1;
    plan.icon = 5;
    plan.emptyIdIsEmptyResult = true;
    // A row without a rate keeps the rate of the row before it.
    auto rate = std::make_shared<std::optional<Currency>>(0);
    plan.fillRow = [this, rate](int row, const LoadedRow &r) -> StepResult {
        if (!r.isNull(0))
            m_lvwHours->setCell(row, 1, r.value(0).toString());
        if (!r.isNull(3))
            m_lvwHours->setCell(row, 2, formatOleDate(r.value(3).toDouble()));
        if (!r.isNull(4))
            m_lvwHours->setCell(row, 3, formatOleDate(r.value(4).toDouble()));
        if (!r.isNull(2))
            *rate = currencyFromStored(r.value(2));
        if (IsPendingTime(m_lvwHours->cell(row, 3)))
            m_lvwHours->setCell(row, 3, QStringLiteral("Pending..."));
        const QString start = m_lvwHours->cell(row, 2);
        QString stop = m_lvwHours->cell(row, 3);
        const QString hours = FormatElapsedTime(start, stop, 2);
        // Without a readable rate the charge has no cost to show.
        if (*rate) {
            const std::optional<Currency> cost = costOfHours(hours, **rate);
            if (!cost)
                return overflow();
            m_lvwHours->setCell(row, 4, QLatin1Char(' ') + formatCurrency(*cost));
        }
        stop = m_lvwHours->cell(row, 3);
        m_lvwHours->setCell(row, 5, FormatElapsedTime(start, stop, 5));
        return std::nullopt;
    };
    plan.offerCaption = QStringLiteral("Add New Charges?");
    plan.offerMessage =
        QStringLiteral("There are no Charges for this Project.\r\n\r\nWould you like to add one now?");
    plan.offerYes = [this] { mnuHours_Click(3); };
    runLoader(plan);
}

void frmMain::setCaptionFromProject()
{
    const int row = m_lvwJobs->selectedRow();
    if (row < 0)
        return;
    const QString name = m_lvwJobs->cell(row, 2);
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
    std::optional<Currency> charges = 0;
    for (int row = 0; row < m_lvwHours->rowCount() && charges; ++row) {
        const std::optional<Currency> cost = parseCurrency(m_lvwHours->cell(row, 4));
        charges = cost ? addCurrency(*charges, *cost) : std::nullopt;
    }
    showTotals(charges, GetCompanyCredits(m_loadedCompany));
}

void frmMain::LvwCompanys_MouseUp(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton) {
        prepareCompanyMenu();
        popupContext(m_menuLvwCompanys, globalPos);
        return;
    }
    companyReleased();
}

void frmMain::LvwJobs_MouseUp(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton) {
        prepareJobMenu();
        popupContext(m_menuLvwJobs, globalPos);
        return;
    }
    jobReleased();
}

void frmMain::lvwHours_MouseUp(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton) {
        prepareHourMenu();
        popupContext(m_menuLvwHours, globalPos);
        return;
    }
    RefreshActiveCosts();
}

void frmMain::sortByColumn(ReportList *list, int column)
{
    const int previous = list->sortColumnIndex();
    list->setSortColumnIndex(column);
    if (column == previous)
        list->setSortDirection(list->sortDirection() == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                           : Qt::AscendingOrder);
    list->sortRows();
}
