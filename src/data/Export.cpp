#include "data/Export.h"

#include "data/Clock.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/ElapsedSpan.h"
#include "data/Formats.h"

#include <QFileInfo>
#include <QIODevice>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

using namespace modTamberlock;

namespace {

// Rows are gathered and handed to the device in blocks.
class CsvWriter
{
public:
    explicit CsvWriter(QIODevice &out) : m_out(out) {}

    void row(const QStringList &cells)
    {
        m_buffer += cells.join(QLatin1Char(',')).toUtf8();
        m_buffer += "\r\n";
        if (m_buffer.size() >= 1 << 16)
            flush();
    }

    bool flush()
    {
        if (m_failed)
            return false;
        if (!m_buffer.isEmpty() && m_out.write(m_buffer) != m_buffer.size())
            m_failed = true;
        m_buffer.clear();
        return !m_failed;
    }

    QString errorString() const { return m_out.errorString(); }

private:
    QIODevice &m_out;
    QByteArray m_buffer;
    bool m_failed = false;
};

QString isoDateTime(const QVariant &value)
{
    if (value.isNull())
        return {};
    const std::optional<QDateTime> moment = oleToDateTime(value.toDouble());
    return moment ? moment->toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) : QString();
}

bool inPeriod(const QVariant &value, const Export::Filter &filter)
{
    if (!filter.from && !filter.to)
        return true;
    const std::optional<QDateTime> moment = value.isNull() ? std::nullopt : oleToDateTime(value.toDouble());
    if (!moment)
        return false;
    const QDate day = moment->date();
    return (!filter.from || day >= *filter.from) && (!filter.to || day <= *filter.to);
}

// The amount its money text reads back as (to the cent, or to the yen...):
// what the lists show and the status bar adds up.
Currency shownAmount(Currency amount)
{
    return roundToCent(amount).value_or(0);
}

// Under formats of the user's choosing each row ends with the code of the
// currency the amounts are labelled with (a label only); under the program's
// own formats the report stays as it always was.
QStringList currencyHeader()
{
    return Formats::currentIsDefault() ? QStringList() : QStringList{QStringLiteral("currency")};
}

QStringList currencyCell()
{
    return Formats::currentIsDefault() ? QStringList() : QStringList{Formats::current().currencyCode};
}

// The database's own words for what went wrong, as the error boxes show them.
QString queryError(const QSqlQuery &query)
{
    return fromSqlError(query.lastError()).description;
}

class Exporter
{
public:
    Exporter(Connection &connection, const Export::Filter &filter, CsvWriter &csv)
        : m_connection(connection), m_filter(filter), m_csv(csv)
    {
    }

    QString charges(bool write);
    QString payments(bool write);
    QString balance();
    QString resolveFilter();

private:
    bool select(QSqlQuery &query, const QString &sql, const QVariantList &values, QString *error)
    {
        query = m_connection.newQuery();
        if (query.prepare(sql)) {
            for (const QVariant &v : values)
                query.addBindValue(v);
            if (query.exec())
                return true;
        }
        *error = queryError(query);
        return false;
    }

    bool add(QMap<qint32, Currency> &totals, qint32 company, Currency amount)
    {
        Currency &total = totals[company];
        return !qAddOverflow(total, amount, &total);
    }

    Connection &m_connection;
    Export::Filter m_filter;
    CsvWriter &m_csv;
    // The company whose payments and balance are wanted, from either filter.
    std::optional<qint32> m_company;
    const qint64 m_now = ElapsedSpan::secondsOf(Clock::now());
    QMap<qint32, Currency> m_charges;
    QMap<qint32, Currency> m_payments;
};

QString Exporter::resolveFilter()
{
    QString error;
    QSqlQuery query;
    m_company = m_filter.company;
    if (m_filter.company) {
        if (!select(query, QStringLiteral("SELECT 1 FROM tblCompanys WHERE lngCompanyID = ?"),
                    {*m_filter.company}, &error))
            return error;
        if (!query.next())
            return query.lastError().isValid()
                       ? queryError(query)
                       : QStringLiteral("there is no company %1").arg(*m_filter.company);
    }
    if (m_filter.project) {
        if (!select(query, QStringLiteral("SELECT lngCompanyID FROM tblJobs WHERE lngJobID = ?"),
                    {*m_filter.project}, &error))
            return error;
        if (!query.next())
            return query.lastError().isValid()
                       ? queryError(query)
                       : QStringLiteral("there is no project %1").arg(*m_filter.project);
        const qint32 owner = query.value(0).toInt();
        if (m_company && *m_company != owner)
            return QStringLiteral("project %1 is not a project of company %2")
                .arg(*m_filter.project)
                .arg(*m_company);
        m_company = owner;
    }
    return {};
}

QString Exporter::charges(bool write)
{
    QString sql = QStringLiteral(
        "SELECT tblJobs.lngCompanyID, tblCompanys.strCompanyName, tblJobs.strJobName, tblJobs.curHourlyWage, "
        "tblHours.dtmStartTime, tblHours.dtmStopTime, tblHours.lngHourID, tblJobs.lngJobID FROM tblHours "
        "INNER JOIN tblJobs ON tblHours.lngJobID = tblJobs.lngJobID "
        "LEFT JOIN tblCompanys ON tblJobs.lngCompanyID = tblCompanys.lngCompanyID");
    QVariantList values;
    // A project filter has been checked to belong to the company filter.
    if (m_filter.project) {
        sql += QStringLiteral(" WHERE tblJobs.lngJobID = ?");
        values << *m_filter.project;
    } else if (m_company) {
        sql += QStringLiteral(" WHERE tblJobs.lngCompanyID = ?");
        values << *m_company;
    }
    sql += QStringLiteral(
        " ORDER BY tblJobs.lngCompanyID, tblJobs.lngJobID, tblHours.dtmStartTime, tblHours.lngHourID");
    QString error;
    QSqlQuery query;
    if (!select(query, sql, values, &error))
        return error;
    if (write)
        m_csv.row(QStringList{QStringLiteral("company id"), QStringLiteral("project id"),
                              QStringLiteral("company"), QStringLiteral("project"), QStringLiteral("start"),
                              QStringLiteral("stop"), QStringLiteral("hours"), QStringLiteral("rate"),
                              QStringLiteral("cost"), QStringLiteral("running")} +
                  currencyHeader());
    while (query.next()) {
        if (!inPeriod(query.value(4), m_filter))
            continue;
        // The charge list's own steps: the stored times to the second, a
        // running charge's span ending now, and the cost of that span at the
        // rate.
        const ChargeTimes times = chargeTimes(oleFromStored(query.value(4)), oleFromStored(query.value(5)));
        const bool running = times.running;
        const Currency rate = query.isNull(3) ? 0 : query.value(3).toLongLong();
        const qint64 span = times.spanTo(m_now);
        QString hours = ElapsedSpan::mode2(span);
        // The live watch costs a running charge at the rate as the project
        // list shows it, to the cent; the list itself at the stored rate.
        const std::optional<Currency> cost = costOfSeconds(span, running ? shownAmount(rate) : rate);
        if (!cost)
            return QStringLiteral("the cost of charge %1 is out of range").arg(query.value(6).toInt());
        if (!add(m_charges, query.value(0).toInt(), shownAmount(*cost)))
            return QStringLiteral("the charges of company %1 are out of range").arg(query.value(0).toInt());
        if (!write)
            continue;
        if (hours.endsWith(QLatin1Char('.')))
            hours.chop(1);
        m_csv.row(QStringList{query.value(0).toString(), query.value(7).toString(),
                              Export::csvText(query.value(1).toString()),
                              Export::csvText(query.value(2).toString()), isoDateTime(query.value(4)),
                              running ? QString() : isoDateTime(query.value(5)), hours,
                              Export::csvMoney(rate), Export::csvMoney(*cost),
                              running ? QStringLiteral("yes") : QStringLiteral("no")} +
                  currencyCell());
    }
    if (query.lastError().isValid())
        return queryError(query);
    return {};
}

QString Exporter::payments(bool write)
{
    QString sql = QStringLiteral(
        "SELECT tblPayments.lngCompanyID, tblCompanys.strCompanyName, tblPayments.dtmTransaction, "
        "tblPayments.curAmount, lkuPayTypes.strPayType, tblPayments.memComments FROM tblPayments "
        "LEFT JOIN tblCompanys ON tblPayments.lngCompanyID = tblCompanys.lngCompanyID "
        "LEFT JOIN lkuPayTypes ON tblPayments.lngPayTypeID = lkuPayTypes.lngPayTypeID");
    QVariantList values;
    if (m_company) {
        sql += QStringLiteral(" WHERE tblPayments.lngCompanyID = ?");
        values << *m_company;
    }
    sql += QStringLiteral(
        " ORDER BY tblPayments.lngCompanyID, tblPayments.dtmTransaction, tblPayments.lngPaymentID");
    QString error;
    QSqlQuery query;
    if (!select(query, sql, values, &error))
        return error;
    if (write)
        m_csv.row(QStringList{QStringLiteral("company id"), QStringLiteral("company"), QStringLiteral("date"),
                              QStringLiteral("amount"), QStringLiteral("type"), QStringLiteral("comments")} +
                  currencyHeader());
    while (query.next()) {
        if (!inPeriod(query.value(2), m_filter))
            continue;
        const Currency amount = query.isNull(3) ? 0 : query.value(3).toLongLong();
        if (!add(m_payments, query.value(0).toInt(), amount))
            return QStringLiteral("the payments of company %1 are out of range").arg(query.value(0).toInt());
        if (write)
            m_csv.row(QStringList{query.value(0).toString(), Export::csvText(query.value(1).toString()),
                                  isoDateTime(query.value(2)), Export::csvMoney(amount),
                                  Export::csvText(query.value(4).toString()),
                                  Export::csvText(query.value(5).toString())} +
                      currencyCell());
    }
    if (query.lastError().isValid())
        return queryError(query);
    return {};
}

QString Exporter::balance()
{
    if (QString error = charges(false); !error.isEmpty())
        return error;
    if (QString error = payments(false); !error.isEmpty())
        return error;
    QString sql = QStringLiteral("SELECT lngCompanyID, strCompanyName FROM tblCompanys");
    QVariantList values;
    if (m_company) {
        sql += QStringLiteral(" WHERE lngCompanyID = ?");
        values << *m_company;
    }
    sql += QStringLiteral(" ORDER BY lngCompanyID");
    QString error;
    QSqlQuery query;
    if (!select(query, sql, values, &error))
        return error;
    m_csv.row(QStringList{QStringLiteral("company id"), QStringLiteral("company"), QStringLiteral("charges"),
                          QStringLiteral("payments"), QStringLiteral("balance")} +
              currencyHeader());
    while (query.next()) {
        const qint32 company = query.value(0).toInt();
        const Currency charged = m_charges.value(company);
        const Currency paid = m_payments.value(company);
        Currency balance = 0;
        if (qSubOverflow(charged, paid, &balance))
            return QStringLiteral("the balance of company %1 is out of range").arg(company);
        m_csv.row(QStringList{QString::number(company), Export::csvText(query.value(1).toString()),
                              Export::csvMoney(charged), Export::csvMoney(paid), Export::csvMoney(balance)} +
                  currencyCell());
    }
    if (query.lastError().isValid())
        return queryError(query);
    return {};
}

} // namespace

namespace Export {

std::optional<Report> reportNamed(const QString &name)
{
    if (name == QLatin1String("charges"))
        return Report::Charges;
    if (name == QLatin1String("payments"))
        return Report::Payments;
    if (name == QLatin1String("balance"))
        return Report::Balance;
    return std::nullopt;
}

QString csvText(const QString &text)
{
    QString cell = text;
    if (!cell.isEmpty()) {
        const QChar first = cell.front();
        if (first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t' ||
            first == u'\r')
            cell.prepend(QLatin1Char('\''));
    }
    if (cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"')) ||
        cell.contains(QLatin1Char('\n')) || cell.contains(QLatin1Char('\r'))) {
        cell.replace(QLatin1Char('"'), QLatin1String("\"\""));
        cell = QLatin1Char('"') + cell + QLatin1Char('"');
    }
    return cell;
}

QString csvMoney(Currency amount)
{
    // The lists' own rounding to the currency's decimals, written with a
    // point and no grouping whatever the formats, so spreadsheets read it.
    const int decimals = Formats::current().decimals;
    const std::optional<Currency> shown = roundToCent(amount);
    if (!shown)
        return QString();
    const quint64 magnitude = *shown < 0 ? quint64(0) - quint64(*shown) : quint64(*shown);
    QString text = *shown < 0 ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / quint64(kCurrencyScale));
    if (decimals > 0) {
        const QString fraction = QString::number(magnitude % quint64(kCurrencyScale)).rightJustified(4, u'0');
        text += QLatin1Char('.') + fraction.left(decimals);
    }
    return text;
}

QString write(const QString &databasePath, Report report, const Filter &filter, QIODevice &out)
{
    const QFileInfo info(databasePath);
    if (!info.exists())
        return QStringLiteral("%1 does not exist").arg(databasePath);
    if (!info.isFile())
        return QStringLiteral("%1 is not a file").arg(databasePath);
    if (!info.isReadable())
        return QStringLiteral("%1 cannot be read (permission denied)").arg(databasePath);

    Connection connection;
    if (const StepResult e = connection.openFileReadOnly(databasePath))
        return QStringLiteral("cannot open %1: %2").arg(databasePath, e->description);
    {
        // A damaged file is refused before a single row is written.
        QSqlQuery check = connection.newQuery();
        if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next())
            return QStringLiteral("cannot read %1: %2").arg(databasePath, queryError(check));
        if (check.value(0).toString() != QLatin1String("ok"))
            return QStringLiteral("%1 is damaged: %2").arg(databasePath, check.value(0).toString());
    }

    CsvWriter csv(out);
    Exporter exporter(connection, filter, csv);
    if (const QString wrong = exporter.resolveFilter(); !wrong.isEmpty())
        return wrong;
    QString error;
    switch (report) {
    case Report::Charges: error = exporter.charges(true); break;
    case Report::Payments: error = exporter.payments(true); break;
    case Report::Balance: error = exporter.balance(); break;
    }
    if (!error.isEmpty())
        return QStringLiteral("cannot read %1: %2").arg(databasePath, error);
    if (!csv.flush())
        return QStringLiteral("cannot write the export: %1").arg(csv.errorString());
    return {};
}

} // namespace Export
