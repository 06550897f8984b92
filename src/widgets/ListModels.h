#pragma once

#include "data/Formats.h"
#include "data/ListQueries.h"
#include "widgets/ReportModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>

#include <optional>
#include <vector>

// The models of the four lists. Each keeps the typed rows its load read and
// makes the cell texts in the shared display forms when they are painted or
// sorted. Rows are added with a key; a row without one is never stored.

// What the four models share: their rows by id, each row with the list's one
// icon unless a model says otherwise.
template <class Stored> class TypedListModel : public ReportModel
{
public:
    using ReportModel::ReportModel;
    // Room for as many rows, made once before a long list fills.
    void reserve(size_t rows)
    {
        m_rows.reserve(rows);
        reserveOrder(rows);
    }

protected:
    int store(Stored row)
    {
        m_rows.push_back(std::move(row));
        return stored();
    }
    int cellIcon(int) const override { return 1; }
    void clearStored() override { m_rows.clear(); }

    std::vector<Stored> m_rows;
};

class CompanyListModel : public TypedListModel<Lists::CompanyRow>
{
public:
    enum Column { RowText, Name, Contact, Phone, Fax };
    using TypedListModel::TypedListModel;
    int append(const Lists::CompanyRow &row) { return store(row); }

protected:
    QString cellText(int id, int column) const override;
};

// The projects of one company, with the time left to each deadline as of the
// last tick of the live watch (or the load).
struct ProjectListRow {
    Lists::ProjectRow data;
    std::optional<qint64> deadline; // seconds; none: the span is always zero
};

class ProjectListModel : public TypedListModel<ProjectListRow>
{
public:
    enum Column { RowText, CompanyKey, Name, Rate, Deadline, TimeLeft };
    using TypedListModel::TypedListModel;
    int append(const Lists::ProjectRow &row);
    // The rate of a row to the cent, as its cell reads; nothing without one.
    std::optional<Currency> shownRate(int row) const;

    // The moment the time left is counted from, in whole seconds; rows are
    // added as of the moment the load began. A watched list shows a passed
    // deadline as "Done", a freshly loaded one as the negative span.
    void setNow(qint64 seconds) { m_now = seconds; }
    // One tick of the watch: the time left as of now, the view told of the
    // cells whose text changed.
    void tick(qint64 now);

protected:
    QString cellText(int id, int column) const override;
    QString sortKey(int id, int column) const override;
    void clearStored() override;

private:
    QString timeLeft(const ProjectListRow &row) const;

    qint64 m_now = 0;
    bool m_watched = false;
};

// The charges of one project: each with its cost and time spent, a running
// charge as of the last tick of the live watch (or the load).
struct ChargeListRow {
    qint64 id = 0;
    qint64 projectId = 0;
    modTamberlock::ChargeTimes times;
    qint64 spent = 0;
    Currency cost = 0;
    bool hasProjectId = false;
    bool hasCost = false;
    bool hasSpent = false;
    quint8 icon = 5;
};

class ChargeListModel : public TypedListModel<ChargeListRow>
{
public:
    enum Column { RowText, ProjectKey, Start, Stop, Cost, TimeSpent };
    using TypedListModel::TypedListModel;

    // Adds a charge without its cost; returns its id.
    int append(const Lists::ChargeRow &row);
    // Costs a charge at a rate as of now (seconds): false when the cost
    // leaves the currency range; the row then shows neither cost nor time.
    bool cost(int id, Currency rate, qint64 now);
    // The time spent of a charge that has no rate to cost it by.
    void spanOnly(int id, qint64 now);

    // One tick of the watch: the running charges costed at the rate as of
    // now, their icon moved on to frame; the view told of the changed cells.
    // False when a running charge's cost leaves the range.
    bool tick(Currency rate, qint64 now, int frame);
    // The sum of the listed costs as their cells read (to the cent); nothing
    // when a charge has no cost or the sum leaves the range.
    std::optional<Currency> total() const;
    bool everyRowCosted() const;

protected:
    QString cellText(int id, int column) const override;
    QString sortKey(int id, int column) const override;
    int cellIcon(int id) const override { return m_rows[size_t(id)].icon; }
    void clearStored() override;

private:
    void sumStopped() const;

    std::vector<int> m_running; // ids
    // The stopped charges' sum, kept up to m_summedRows.
    mutable std::optional<Currency> m_stoppedTotal = 0;
    mutable bool m_stoppedUncosted = false;
    mutable size_t m_summedRows = 0;
};

class PaymentListModel : public TypedListModel<Lists::PaymentRow>
{
public:
    enum Column { RowText, CompanyKey, PayTypeKey, Amount, Date, PayType, Comments };
    using TypedListModel::TypedListModel;
    int append(const Lists::PaymentRow &row) { return store(row); }

protected:
    QString cellText(int id, int column) const override;
    QString sortKey(int id, int column) const override;
};

// The further step of a list whose rows need none once they are added.
inline constexpr auto kNoFurtherStep = [](int, const auto &) { return StepResult(); };

// A list's load in progress: pending events run during a load, and a reload
// asked for meanwhile is dropped. The mark is taken off on every way out,
// unless the window it belongs to was deleted meanwhile.
class LoadMark
{
public:
    LoadMark(QObject *window, bool &loading) : m_window(window), m_loading(loading) { m_loading = true; }
    ~LoadMark()
    {
        if (m_window)
            m_loading = false;
    }
    LoadMark(const LoadMark &) = delete;
    LoadMark &operator=(const LoadMark &) = delete;

private:
    QPointer<QObject> m_window;
    bool &m_loading;
};

// How long a load goes at most without letting pending events run.
inline constexpr qint64 kLoadPauseMs = 10;

// Adds the rows a loader read to a list's model, under the loader's box: a
// row without a key is "Invalid use of Null" (or, where nullKeyEnds, the end
// of the rows: an outer join's row for nothing joined); complete(id, row)
// then runs as a step of its own on each row added. Pending events run once
// before the rows and then, looked at every 14 rows, whenever kLoadPauseMs
// have passed, so the window paints and answers; a pause per 14 rows would
// cost more than the rows themselves. Events may delete the window that
// owns the list (guard). Returns whether any row was added, nothing when the
// guarded window is gone.
template <class Model, class Row, class Complete>
std::optional<bool> fillModel(ListLoader &loader, Model &model, std::deque<Row> rows, bool nullKeyEnds,
                              const QPointer<QObject> &guard, Complete complete)
{
    if (!loader.aborted()) {
        QCoreApplication::processEvents();
        if (!guard)
            return std::nullopt;
    }
    model.reserve(rows.size());
    bool added = false;
    int counter = 1;
    QElapsedTimer sincePause;
    sincePause.start();
    // Each row read is let go once it is in the model, so that a long list is
    // not held twice.
    for (; !rows.empty(); rows.pop_front()) {
        const Row &row = rows.front();
        if (loader.aborted())
            break;
        if (!row.id && nullKeyEnds)
            break;
        int id = -1;
        loader.step([&]() -> StepResult {
            if (!row.id)
                return invalidUseOfNullError();
            id = model.append(row);
            return std::nullopt;
        });
        if (id >= 0) {
            added = true;
            loader.step([&] { return complete(id, row); });
        }
        if (++counter == 15) {
            counter = 1;
            if (sincePause.elapsed() < kLoadPauseMs)
                continue;
            sincePause.restart();
            QCoreApplication::processEvents();
            if (!guard)
                return std::nullopt;
        }
    }
    return added;
}
