#include "widgets/ListModels.h"

#include "data/ElapsedSpan.h"
#include "data/Formats.h"

using namespace modTamberlock;

namespace {

const QString kPhoneMask = QStringLiteral("(000) 000-0000");

QString keyText(const std::optional<qint64> &key)
{
    return key ? QString::number(*key) : QString();
}

QString dateText(const std::optional<OleDate> &value)
{
    return value ? formatOleDate(*value) : QString();
}

QString moneyText(const std::optional<Currency> &amount)
{
    return amount ? formatCurrency(*amount) : QString();
}

std::optional<qint64> momentKey(const std::optional<OleDate> &value)
{
    return value ? oleToSeconds(*value) : std::nullopt;
}

} // namespace

// --- Companies ----------------------------------------------------------------

QString CompanyListModel::cellText(int id, int column) const
{
    const Lists::CompanyRow &r = m_rows[size_t(id)];
    switch (column) {
    case RowText: return keyText(r.id);
    case Name: return r.name;
    case Contact: return r.contact;
    case Phone: return formatDigitMask(r.phone, kPhoneMask);
    case Fax: return formatDigitMask(r.fax, kPhoneMask);
    default: return {};
    }
}

// --- Projects -----------------------------------------------------------------

int ProjectListModel::append(const Lists::ProjectRow &row)
{
    ProjectListRow r{row, std::nullopt};
    // A missing, unreadable or pending deadline makes the span end now: zero.
    if (row.deadline) {
        const std::optional<qint64> at = oleToSeconds(*row.deadline);
        if (at && !isPendingMoment(*at))
            r.deadline = at;
    }
    return store(std::move(r));
}

std::optional<Currency> ProjectListModel::shownRate(int row) const
{
    if (!validRow(row))
        return std::nullopt;
    const std::optional<Currency> rate = m_rows[size_t(idOf(row))].data.rate;
    return rate ? roundToCent(*rate) : std::nullopt;
}

void ProjectListModel::clearStored()
{
    TypedListModel::clearStored();
    m_watched = false;
}

QString ProjectListModel::timeLeft(const ProjectListRow &row) const
{
    if (!row.deadline)
        return ElapsedSpan::mode6(0);
    const qint64 left = *row.deadline - m_now;
    // Once watched, a deadline that has passed reads "Done".
    if (left < 0 && m_watched)
        return QStringLiteral("Done");
    return ElapsedSpan::mode6(left);
}

void ProjectListModel::tick(qint64 now)
{
    const bool wasWatched = m_watched;
    const qint64 before = m_now;
    m_now = now;
    m_watched = true;
    for (size_t id = 0; id < m_rows.size(); ++id) {
        const auto &r = m_rows[id];
        if (!r.deadline)
            continue;
        // A span that stays "Done" (or stays put) changes nothing.
        const bool wasDone = wasWatched && *r.deadline - before < 0;
        const bool isDone = *r.deadline - now < 0;
        if ((wasDone && isDone) || (before == now && wasWatched))
            continue;
        cellsChanged(int(id), TimeLeft, TimeLeft);
    }
}

QString ProjectListModel::cellText(int id, int column) const
{
    const auto &r = m_rows[size_t(id)];
    switch (column) {
    case RowText: return keyText(r.data.id);
    case CompanyKey: return keyText(r.data.companyId);
    case Name: return r.data.name;
    case Rate: return moneyText(r.data.rate);
    case Deadline: return dateText(r.data.deadline);
    case TimeLeft: return timeLeft(r);
    default: return {};
    }
}

QString ProjectListModel::sortKey(int id, int column) const
{
    const auto &r = m_rows[size_t(id)];
    if (!Formats::currentIsDefault() && column == Rate)
        return valueKey(r.data.rate);
    if (!Formats::currentIsDefault() && column == Deadline)
        return valueKey(momentKey(r.data.deadline));
    return TypedListModel::sortKey(id, column);
}

// --- Charges ------------------------------------------------------------------

int ChargeListModel::append(const Lists::ChargeRow &row)
{
    ChargeListRow r;
    r.id = *row.id;
    r.hasProjectId = row.projectId.has_value();
    r.projectId = row.projectId.value_or(0);
    r.times = chargeTimes(row.start, row.stop);
    const int id = store(r);
    if (r.times.running)
        m_running.push_back(id);
    return id;
}

bool ChargeListModel::cost(int id, Currency rate, qint64 now)
{
    auto &r = m_rows[size_t(id)];
    const qint64 spent = r.times.spanTo(now);
    const std::optional<Currency> cost = costOfSeconds(spent, rate);
    if (!cost)
        return false;
    r.cost = *cost;
    r.hasCost = true;
    r.spent = spent;
    r.hasSpent = true;
    return true;
}

void ChargeListModel::spanOnly(int id, qint64 now)
{
    auto &r = m_rows[size_t(id)];
    r.spent = r.times.spanTo(now);
    r.hasSpent = true;
}

bool ChargeListModel::tick(Currency rate, qint64 now, int frame)
{
    bool costed = true;
    for (const int id : m_running) {
        auto &r = m_rows[size_t(id)];
        const qint64 spent = r.times.spanTo(now);
        const std::optional<Currency> cost = costOfSeconds(spent, rate);
        if (!cost) {
            costed = false;
            continue;
        }
        const bool costChanged = !r.hasCost || r.cost != *cost;
        const bool spentChanged = !r.hasSpent || r.spent != spent;
        r.cost = *cost;
        r.hasCost = true;
        r.spent = spent;
        r.hasSpent = true;
        if (costChanged || spentChanged)
            cellsChanged(id, costChanged ? Cost : TimeSpent, spentChanged ? TimeSpent : Cost);
        if (r.icon != frame) {
            r.icon = quint8(frame);
            cellsChanged(id, RowText, RowText, Qt::DecorationRole);
        }
    }
    return costed;
}

void ChargeListModel::sumStopped() const
{
    // A stopped charge's cost never changes once its row was costed, so each
    // is added once; a tick then adds only the running ones.
    for (; m_summedRows < m_rows.size(); ++m_summedRows) {
        const auto &r = m_rows[m_summedRows];
        if (r.times.running)
            continue;
        if (!r.hasCost) {
            m_stoppedUncosted = true;
            continue;
        }
        const std::optional<Currency> shown = roundToCent(r.cost);
        m_stoppedTotal = shown && m_stoppedTotal ? addCurrency(*m_stoppedTotal, *shown) : std::nullopt;
    }
}

bool ChargeListModel::everyRowCosted() const
{
    sumStopped();
    if (m_stoppedUncosted)
        return false;
    for (const int id : m_running)
        if (!m_rows[size_t(id)].hasCost)
            return false;
    return true;
}

std::optional<Currency> ChargeListModel::total() const
{
    if (!everyRowCosted())
        return std::nullopt;
    std::optional<Currency> sum = m_stoppedTotal;
    for (const int id : m_running) {
        const std::optional<Currency> shown = roundToCent(m_rows[size_t(id)].cost);
        sum = shown && sum ? addCurrency(*sum, *shown) : std::nullopt;
    }
    return sum;
}

void ChargeListModel::clearStored()
{
    TypedListModel::clearStored();
    m_running.clear();
    m_stoppedTotal = 0;
    m_stoppedUncosted = false;
    m_summedRows = 0;
}

QString ChargeListModel::cellText(int id, int column) const
{
    const auto &r = m_rows[size_t(id)];
    switch (column) {
    case RowText: return QString::number(r.id);
    case ProjectKey: return r.hasProjectId ? QString::number(r.projectId) : QString();
    case Start: return r.times.start ? formatDateTime(secondsToDateTime(*r.times.start)) : QString();
    case Stop:
        return r.times.running ? QStringLiteral("Pending...")
                               : formatDateTime(secondsToDateTime(r.times.stop));
    case Cost: return r.hasCost ? QLatin1Char(' ') + formatCurrency(r.cost) : QString();
    case TimeSpent: return r.hasSpent ? ElapsedSpan::mode5(r.spent) : QString();
    default: return {};
    }
}

QString ChargeListModel::sortKey(int id, int column) const
{
    const auto &r = m_rows[size_t(id)];
    if (Formats::currentIsDefault())
        return TypedListModel::sortKey(id, column);
    switch (column) {
    case Start: return valueKey(r.times.start);
    // A running charge has no stop yet: after every stopped one.
    case Stop: return r.times.running ? QStringLiteral("~") : valueKey(r.times.stop);
    case Cost: return r.hasCost ? valueKey(r.cost) : QString();
    default: return TypedListModel::sortKey(id, column);
    }
}

// --- Payments -----------------------------------------------------------------

QString PaymentListModel::cellText(int id, int column) const
{
    const Lists::PaymentRow &r = m_rows[size_t(id)];
    switch (column) {
    case RowText: return keyText(r.id);
    case CompanyKey: return keyText(r.companyId);
    case PayTypeKey: return keyText(r.payTypeId);
    case Amount: return moneyText(r.amount);
    case Date: return dateText(r.date);
    case PayType: return r.payType;
    case Comments: return r.comments;
    default: return {};
    }
}

QString PaymentListModel::sortKey(int id, int column) const
{
    const Lists::PaymentRow &r = m_rows[size_t(id)];
    if (!Formats::currentIsDefault() && column == Amount)
        return valueKey(r.amount);
    if (!Formats::currentIsDefault() && column == Date)
        return valueKey(momentKey(r.date));
    return TypedListModel::sortKey(id, column);
}
