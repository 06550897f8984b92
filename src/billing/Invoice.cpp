#include "billing/Invoice.h"

#include "data/Connection.h"
#include "data/Formats.h"
#include "data/ListQueries.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <map>

using namespace modTamberlock;

namespace Billing {

namespace {

struct Project {
    qint64 id = 0;
    QString name;
    bool rateIsNull = true;
    std::optional<Currency> rate;
};

QString chargesText(int n)
{
    return n == 1 ? QStringLiteral("1 charge") : QStringLiteral("%1 charges").arg(n);
}

QDate dayOf(qint64 seconds)
{
    return secondsToDateTime(seconds).date();
}

QString lastError(const QSqlQuery &query)
{
    return query.lastError().text();
}

std::optional<Client> readClient(Connection &connection, qint32 companyId, QString *error)
{
    QSqlQuery q = connection.newQuery();
    q.prepare(QStringLiteral("SELECT strCompanyName, strCompanyContact, strCompanyAddr1, strCompanyAddr2, "
                             "strCompanyCity, strCompanyState, strCompanyZip FROM tblCompanys "
                             "WHERE lngCompanyID = ?"));
    q.addBindValue(companyId);
    if (!q.exec()) {
        *error = lastError(q);
        return std::nullopt;
    }
    if (!q.next()) {
        *error =
            q.lastError().isValid() ? lastError(q) : QStringLiteral("there is no company %1").arg(companyId);
        return std::nullopt;
    }
    Client client;
    client.id = companyId;
    client.name = q.value(0).toString();
    client.contact = q.value(1).toString();
    for (int field : {2, 3})
        if (!q.value(field).toString().trimmed().isEmpty())
            client.addressLines << q.value(field).toString();
    // "City, ST 12345" as an envelope has it; the postal code in its mask.
    QString city = q.value(4).toString().trimmed();
    const QString state = q.value(5).toString().trimmed();
    // A nine-digit code in its mask, any other as typed.
    QString zip = q.value(6).toString().trimmed();
    if (zip.size() == 9 && isDigitsOnly(zip))
        zip = formatDigitMask(zip, QStringLiteral("#####-####"));
    if (!state.isEmpty())
        city += (city.isEmpty() ? QString() : QStringLiteral(", ")) + state;
    if (!zip.isEmpty())
        city += (city.isEmpty() ? QString() : QStringLiteral(" ")) + zip;
    if (!city.isEmpty())
        client.addressLines << city;
    return client;
}

// Runs one list query and reads its typed rows.
template <class Row>
std::optional<std::vector<Row>> readRows(Connection &connection, const QString &sql, QString *error)
{
    QSqlQuery q = connection.newQuery();
    if (!q.exec(sql)) {
        *error = lastError(q);
        return std::nullopt;
    }
    std::vector<Row> rows;
    while (q.next())
        rows.push_back(Row::read(q));
    if (q.lastError().isValid()) {
        *error = lastError(q);
        return std::nullopt;
    }
    return rows;
}

bool add(Currency &sum, Currency amount)
{
    const std::optional<Currency> s = addCurrency(sum, amount);
    if (!s)
        return false;
    sum = *s;
    return true;
}

QString chargeSpanText(const ChargeItem &c)
{
    return formatDateTime(secondsToDateTime(c.start)) + QStringLiteral(" \u2013 ") +
           formatDateTime(secondsToDateTime(c.stop));
}

// The lines of the billed charges at a detail level. A grouped line's hours
// are the sum of its charges' rounded hours, its amount the sum of theirs.
bool makeLines(Invoice &inv, QStringList &refusals)
{
    inv.lines.clear();
    std::map<std::pair<qint64, qint64>, size_t> groups; // (day or 0, project) -> line
    for (const ChargeItem &c : inv.charges) {
        if (inv.detail == Detail::Charge) {
            Line line{dayOf(c.start), c.projectName + QLatin1Char('\n') + chargeSpanText(c),
                      c.hours,        c.rate,
                      c.amount,       !c.billedOn.isEmpty()};
            inv.lines.push_back(line);
            continue;
        }
        const qint64 day = inv.detail == Detail::Day ? dayOf(c.start).toJulianDay() : 0;
        const auto key = std::make_pair(day, c.projectId);
        auto it = groups.find(key);
        if (it == groups.end()) {
            it = groups.emplace(key, inv.lines.size()).first;
            inv.lines.push_back(Line{dayOf(c.start), c.projectName, 0, c.rate, 0, false});
        }
        Line &line = inv.lines[it->second];
        line.hours += c.hours;
        line.billedBefore = line.billedBefore || !c.billedOn.isEmpty();
        if (!add(line.amount, c.amount)) {
            refusals << QStringLiteral("The amount of \"%1\" is beyond what the currency can hold.")
                            .arg(c.projectName);
            return false;
        }
    }
    if (inv.detail == Detail::Project) {
        // The period of each project's charges.
        std::map<qint64, std::pair<QDate, QDate>> spans;
        for (const ChargeItem &c : inv.charges) {
            auto &[first, last] =
                spans.try_emplace(c.projectId, dayOf(c.start), dayOf(c.start)).first->second;
            first = std::min(first, dayOf(c.start));
            last = std::max(last, dayOf(c.start));
        }
        for (auto &[key, index] : groups) {
            const auto &[first, last] = spans[key.second];
            Line &line = inv.lines[index];
            line.date = last;
            if (first != last)
                line.description +=
                    QLatin1Char('\n') + dateText(first) + QStringLiteral(" \u2013 ") + dateText(last);
        }
    }
    return true;
}

} // namespace

std::optional<Detail> detailNamed(const QString &name)
{
    if (name == QLatin1String("charge"))
        return Detail::Charge;
    if (name == QLatin1String("project"))
        return Detail::Project;
    if (name == QLatin1String("day"))
        return Detail::Day;
    return std::nullopt;
}

std::vector<qint64> Invoice::chargeIds() const
{
    std::vector<qint64> ids;
    ids.reserve(charges.size());
    for (const ChargeItem &c : charges)
        ids.push_back(c.id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

QString Invoice::title() const
{
    const QString what = kind == Kind::Statement ? QStringLiteral("Statement") : QStringLiteral("Invoice");
    return number.isEmpty() ? what + QStringLiteral(" (draft)") : what + QLatin1Char(' ') + number;
}

qint64 hoursOfSpan(qint64 seconds)
{
    // The cost at one dollar an hour is the hours in ten-thousandths, rounded
    // exactly as every charge's cost rounds them.
    return costOfSeconds(seconds, kCurrencyScale).value_or(0);
}

std::optional<Currency> taxOf(Currency subtotal, qint64 rateMillionths)
{
    // subtotal (1/10 000 $) x rate (1/1 000 000) in cents: one division, one rounding.
    const __int128 product = __int128(subtotal) * rateMillionths;
    const __int128 divisor = __int128(1'000'000) * 100;
    const __int128 magnitude = product < 0 ? -product : product;
    __int128 cents = magnitude / divisor + (magnitude % divisor * 2 >= divisor ? 1 : 0);
    if (product < 0)
        cents = -cents;
    const __int128 amount = cents * 100;
    if (amount > std::numeric_limits<qint64>::max() || amount < std::numeric_limits<qint64>::min())
        return std::nullopt;
    return Currency(amount);
}

std::optional<qint64> parseTaxRate(const QString &text)
{
    QString t = text.trimmed();
    if (t.endsWith(QLatin1Char('%')))
        t.chop(1);
    t = t.trimmed().replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.isEmpty())
        return 0;
    // Read as an amount: four decimals are percent to the ten-thousandth.
    const std::optional<Currency> scaled = parseCurrency(t);
    if (!scaled || *scaled < 0 || *scaled > 100 * kCurrencyScale || t.contains(QLatin1Char('$')))
        return std::nullopt;
    // Ten-thousandths of a percent are millionths.
    return *scaled;
}

QString taxRateText(qint64 rate)
{
    QString text = formatNumber4(double(rate) / 10'000.0);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text + QStringLiteral(" %");
}

QString hoursText(qint64 hours)
{
    QString text = formatNumber4(double(hours) / 10'000.0);
    // At least two decimals, whatever the decimal sign is.
    int decimals = 0;
    while (decimals < text.size() && text.at(text.size() - 1 - decimals).isDigit())
        ++decimals;
    if (decimals == text.size())
        return text + QStringLiteral(".00");
    for (; decimals < 2; ++decimals)
        text += QLatin1Char('0');
    return text;
}

QString rateText(Currency rate)
{
    const Currency subCent = rate % 100;
    QString text = formatCurrency(rate - subCent);
    if (subCent == 0)
        return text;
    // The further digits go after the cents, wherever the format puts them.
    QString more = QString::number(qAbs(subCent)).rightJustified(2, QLatin1Char('0'));
    if (more.endsWith(QLatin1Char('0')))
        more.chop(1);
    qsizetype last = text.size() - 1;
    while (last >= 0 && !text.at(last).isDigit())
        --last;
    text.insert(last + 1, more);
    return text;
}

QString dateText(const QDate &date)
{
    return date.isValid() ? formatGeneralDate(makeDateTime(date)) : QString();
}

std::optional<Invoice> compute(const QString &databasePath, const Request &request, const Sender &sender,
                               const std::map<qint64, QString> &billed, QString *error)
{
    if (!QFileInfo::exists(databasePath)) {
        *error = QStringLiteral("%1 does not exist").arg(databasePath);
        return std::nullopt;
    }
    Connection connection;
    if (const StepResult e = connection.openFileReadOnly(databasePath)) {
        *error = QStringLiteral("cannot open %1: %2").arg(databasePath, e->description);
        return std::nullopt;
    }
    Invoice inv;
    inv.kind = request.kind;
    inv.invoiceDate = request.invoiceDate;
    inv.dueDate = request.dueDate;
    inv.from = request.from;
    inv.to = request.to;
    inv.projectId = request.projectId;
    inv.detail = request.detail;
    inv.sender = sender;
    inv.taxRate = request.kind == Kind::Invoice ? request.taxRate : 0;
    inv.taxLabel = request.taxLabel;
    inv.note = request.note;

    std::optional<Client> client = readClient(connection, request.companyId, error);
    if (!client)
        return std::nullopt;
    inv.client = *client;

    const auto projectRows =
        readRows<Lists::ProjectRow>(connection, Lists::projects(request.companyId).sql, error);
    if (!projectRows)
        return std::nullopt;
    std::vector<Project> projects;
    for (const Lists::ProjectRow &row : *projectRows) {
        if (!row.id || (request.projectId && *row.id != *request.projectId))
            continue;
        projects.push_back(Project{*row.id, row.name, true, std::nullopt});
    }
    if (request.projectId && projects.empty()) {
        *error = QStringLiteral("project %1 is not a project of company %2")
                     .arg(*request.projectId)
                     .arg(request.companyId);
        return std::nullopt;
    }

    const bool byIds = !request.chargeIds.empty();
    const bool byPeriod = !byIds && (request.from || request.to);
    const std::set<qint64> wanted(request.chargeIds.begin(), request.chargeIds.end());
    Currency before = 0; // charges before the period, for a statement
    for (Project &project : projects) {
        const auto rows =
            readRows<Lists::ChargeRow>(connection, Lists::charges(qint32(project.id)).sql, error);
        if (!rows)
            return std::nullopt;
        int unrated = 0;
        for (const Lists::ChargeRow &row : *rows) {
            if (!row.id)
                continue; // the project's row without charges
            project.rateIsNull = row.rateIsNull;
            project.rate = row.rate;
            if (byIds && !wanted.count(*row.id))
                continue;
            const ChargeTimes times = chargeTimes(row.start, row.stop);
            const bool earlier = request.kind == Kind::Statement && request.from && times.start &&
                                 dayOf(*times.start) < *request.from;
            if (byPeriod && !earlier) {
                if (!times.start)
                    continue;
                const QDate day = dayOf(*times.start);
                if ((request.from && day < *request.from) || (request.to && day > *request.to))
                    continue;
            }
            const auto billedOn = billed.find(*row.id);
            if (!byIds && !byPeriod && request.kind == Kind::Invoice && billedOn != billed.end())
                continue;
            if (times.running) {
                if (!earlier)
                    ++inv.runningLeftOut;
                continue;
            }
            if (row.rateIsNull || !row.rate) {
                ++unrated;
                continue;
            }
            ChargeItem item;
            item.id = *row.id;
            item.projectId = project.id;
            item.projectName = project.name;
            item.start = times.start.value_or(times.stop);
            item.stop = times.stop;
            const qint64 span = times.spanTo(0);
            item.hours = hoursOfSpan(span);
            item.rate = *row.rate;
            const std::optional<Currency> cost = costOfSeconds(span, item.rate);
            const std::optional<Currency> shown = cost ? roundToCent(*cost) : std::nullopt;
            if (span < 0) {
                inv.refusals << QStringLiteral("Charge %1 of \"%2\" stops before it starts.")
                                    .arg(item.id)
                                    .arg(project.name);
                continue;
            }
            if (!shown) {
                inv.refusals << QStringLiteral(
                                    "The cost of charge %1 of \"%2\" is beyond what the currency can hold.")
                                    .arg(item.id)
                                    .arg(project.name);
                continue;
            }
            item.amount = *shown;
            if (earlier) {
                if (!add(before, item.amount))
                    inv.refusals << QStringLiteral(
                        "The charges before the period are beyond what the currency can hold.");
                continue;
            }
            if (billedOn != billed.end()) {
                item.billedOn = billedOn->second;
                ++inv.alreadyBilled;
            }
            inv.charges.push_back(item);
        }
        if (unrated > 0)
            inv.refusals << (chargesText(unrated) +
                             QStringLiteral(" of \"%1\" cannot be billed: %2")
                                 .arg(project.name,
                                      project.rateIsNull
                                          ? QStringLiteral("the project has no rate")
                                          : QStringLiteral("its rate is beyond what the currency can hold")));
    }
    std::stable_sort(inv.charges.begin(), inv.charges.end(), [](const ChargeItem &a, const ChargeItem &b) {
        return a.start != b.start ? a.start < b.start : a.id < b.id;
    });
    for (const ChargeItem &c : inv.charges) {
        inv.hours += c.hours;
        if (!add(inv.subtotal, c.amount)) {
            inv.refusals << QStringLiteral("The sum of the charges is beyond what the currency can hold.");
            break;
        }
    }
    if (!makeLines(inv, inv.refusals))
        return inv;
    if (const std::optional<Currency> tax = taxOf(inv.subtotal, inv.taxRate)) {
        inv.tax = *tax;
        if (const std::optional<Currency> total = addCurrency(inv.subtotal, inv.tax))
            inv.total = *total;
        else
            inv.refusals << QStringLiteral("The total is beyond what the currency can hold.");
    } else {
        inv.refusals << QStringLiteral("The tax is beyond what the currency can hold.");
    }

    if (request.kind == Kind::Statement) {
        const auto payments =
            readRows<Lists::PaymentRow>(connection, Lists::payments(request.companyId).sql, error);
        if (!payments)
            return std::nullopt;
        // Charges before payments on the same day.
        std::vector<StatementLine> entries;
        for (const Line &l : inv.lines)
            entries.push_back(StatementLine{l.date, l.description, l.amount, 0, 0});
        Currency paidBefore = 0;
        for (const Lists::PaymentRow &p : *payments) {
            if (!p.id)
                continue;
            if (!p.amount) {
                inv.refusals << QStringLiteral("The amount of payment %1 cannot be read.").arg(*p.id);
                continue;
            }
            const std::optional<qint64> at = p.date ? oleToSeconds(*p.date) : std::nullopt;
            const QDate day = at ? dayOf(*at) : QDate();
            if (request.from && (!at || day < *request.from)) {
                if (!add(paidBefore, *p.amount))
                    inv.refusals << QStringLiteral("The payments before the period are beyond what the "
                                                   "currency can hold.");
                continue;
            }
            if (request.to && at && day > *request.to)
                continue;
            StatementLine line;
            line.date = day;
            line.description =
                QStringLiteral("Payment") +
                (p.payType.isEmpty() ? QString() : QStringLiteral(", ") + p.payType) +
                (p.comments.trimmed().isEmpty() ? QString() : QLatin1Char('\n') + p.comments.trimmed());
            line.payment = *p.amount;
            entries.push_back(line);
            if (!add(inv.periodPayments, *p.amount))
                inv.refusals << QStringLiteral("The payments are beyond what the currency can hold.");
        }
        std::stable_sort(entries.begin(), entries.end(),
                         [](const StatementLine &a, const StatementLine &b) { return a.date < b.date; });
        const std::optional<Currency> forward = subtractCurrency(before, paidBefore);
        if (!forward) {
            inv.refusals << QStringLiteral(
                "The balance brought forward is beyond what the currency can hold.");
            return inv;
        }
        inv.broughtForward = *forward;
        inv.periodCharges = inv.subtotal;
        Currency balance = inv.broughtForward;
        for (StatementLine &e : entries) {
            const std::optional<Currency> next =
                e.payment ? subtractCurrency(balance, e.payment) : addCurrency(balance, e.charge);
            if (!next) {
                inv.refusals << QStringLiteral("The running balance is beyond what the currency can hold.");
                return inv;
            }
            balance = *next;
            e.balance = balance;
            inv.statementLines.push_back(e);
        }
        inv.balanceDue = balance;
    }
    return inv;
}

} // namespace Billing
