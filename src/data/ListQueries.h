#pragma once

#include "data/StepRunner.h"
#include "data/Types.h"

#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QSqlQuery;

// The four lists of the program as typed rows: money as the integer
// currency, date-times as stored, keys as numbers. A field that was Null is
// no value. The windows format the cells from these when they are painted.
namespace Lists {

struct CompanyRow {
    std::optional<qint64> id;
    QString name;
    QString contact;
    QString phone; // as stored, the mask is the list's business
    QString fax;
    static CompanyRow read(const QSqlQuery &query);
};

struct ProjectRow {
    std::optional<qint64> companyId;
    std::optional<qint64> id;
    QString name;
    std::optional<Currency> rate; // Null, or no amount the file can hold
    std::optional<OleDate> deadline;
    static ProjectRow read(const QSqlQuery &query);
};

// A charge joined with its project: a project without charges gives one row
// without a charge key.
struct ChargeRow {
    std::optional<qint64> projectId;
    std::optional<qint64> id;
    bool rateIsNull = true;
    std::optional<Currency> rate; // no value when Null or unreadable
    std::optional<OleDate> start;
    std::optional<OleDate> stop;
    static ChargeRow read(const QSqlQuery &query);
};

// A company joined with its payments: a company without payments gives one
// row without a payment key.
struct PaymentRow {
    std::optional<qint64> id;
    std::optional<qint64> companyId;
    std::optional<qint64> payTypeId;
    std::optional<Currency> amount;
    std::optional<OleDate> date;
    QString comments;
    QString payType;
    static PaymentRow read(const QSqlQuery &query);
};

// What a list runs and what its error box quotes: the loader's tag and the
// query as written (SQLite runs an equivalent text where the written one
// uses a right join).
struct ListQuery {
    QString tag;
    QString sql;
    QString shownSql;
};

ListQuery companies();
ListQuery projects(qint32 companyId);
ListQuery charges(qint32 projectId);
ListQuery payments(qint32 companyId);

} // namespace Lists

// Reads one list under the loaders' error protocol: a failing step shows the
// "Error!" box with the loader's tag and query; Retry reopens the connection
// and runs the query again, Ignore goes on, Abort ends the load. The later
// steps of a load (a row without a key, a cost out of range, the offer for an
// empty list) run through the same loader, so they show the same box.
class ListLoader
{
public:
    explicit ListLoader(Lists::ListQuery query);

    // Every row of the query, read with Row::read. The query is done when this
    // returns: no read lock outlives it, so a save made while the list fills
    // (with pauses for events) is not refused as "locked".
    // Kept in blocks: a long list grows without copying what it has read.
    template <class Row> std::deque<Row> rows()
    {
        std::deque<Row> rows;
        readAll([&rows](const QSqlQuery &query) { rows.push_back(Row::read(query)); },
                [&rows] { rows.clear(); });
        return rows;
    }

    template <class Fn> bool step(Fn &&fn) { return m_run.stepEach(std::forward<Fn>(fn)); }
    bool aborted() const { return m_run.aborted(); }

    // Whether the offer to add a first row is to be made: the "Dont ask"
    // setting reads 1. An unreadable setting is a step that fails; when that
    // failure is ignored the answer is whenIgnored.
    bool offerWanted(bool whenIgnored);

private:
    void readAll(const std::function<void(const QSqlQuery &)> &readRow, const std::function<void()> &restart);

    Lists::ListQuery m_query;
    StepRunner m_run;
};
