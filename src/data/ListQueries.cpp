#include "data/ListQueries.h"

#include "data/Connection.h"
#include "data/Formats.h"
#include "data/Settings.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

// Each field is fetched from the driver once: the Null test is the value's.
std::optional<qint64> key(const QSqlQuery &query, int field)
{
    const QVariant v = query.value(field);
    return v.isNull() ? std::nullopt : std::optional<qint64>(v.toLongLong());
}

std::optional<OleDate> dateTime(const QSqlQuery &query, int field)
{
    return modTamberlock::oleFromStored(query.value(field));
}

std::optional<Currency> money(const QSqlQuery &query, int field)
{
    return modTamberlock::currencyFromStored(query.value(field));
}

QString text(const QSqlQuery &query, int field)
{
    return query.value(field).toString();
}

// The loaders select by a key written into the text, as the error box
// quotes it.
QString keyTail(qint32 key)
{
    return QString::number(key) + QStringLiteral("));");
}

} // namespace

namespace Lists {

CompanyRow CompanyRow::read(const QSqlQuery &q)
{
    return {key(q, 0), text(q, 1), text(q, 2), text(q, 3), text(q, 4)};
}

ProjectRow ProjectRow::read(const QSqlQuery &q)
{
    return {key(q, 0), key(q, 1), text(q, 2), money(q, 3), dateTime(q, 4)};
}

ChargeRow ChargeRow::read(const QSqlQuery &q)
{
    const QVariant rate = q.value(2);
    return {key(q, 0),      key(q, 1),     rate.isNull(), modTamberlock::currencyFromStored(rate),
            dateTime(q, 3), dateTime(q, 4)};
}

PaymentRow PaymentRow::read(const QSqlQuery &q)
{
    return {key(q, 0), key(q, 1), key(q, 5), money(q, 2), dateTime(q, 3), text(q, 4), text(q, 6)};
}

ListQuery companies()
{
    const QString sql =
        QStringLiteral("SELECT lngCompanyID, strCompanyName, strCompanyContact, strCompanyPhone, "
                       "strCompanyFax FROM tblCompanys;");
    return {QStringLiteral("In LoadLvwCompanys:    "), sql, sql};
}

// The projects are read from the project side, which selects exactly the rows
// of the right outer join the list was designed with.
ListQuery projects(qint32 companyId)
{
    return {QStringLiteral("In LoadLvwJobs:    "),
            QStringLiteral(
                "SELECT tblCompanys.lngCompanyID, tblJobs.lngJobID, tblJobs.strJobName, "
                "tblJobs.curHourlyWage, tblJobs.dtmDeadLine FROM tblJobs LEFT JOIN tblCompanys ON "
                "tblCompanys.lngCompanyID = tblJobs.lngCompanyID WHERE (((tblCompanys.lngCompanyID)=") +
                keyTail(companyId),
            QStringLiteral(
                "SELECT tblCompanys.lngCompanyID, tblJobs.lngJobID, tblJobs.strJobName, "
                "tblJobs.curHourlyWage, tblJobs.dtmDeadLine FROM tblCompanys RIGHT JOIN tblJobs ON "
                "tblCompanys.lngCompanyID = tblJobs.lngCompanyID WHERE (((tblCompanys.lngCompanyID)=") +
                keyTail(companyId)};
}

ListQuery charges(qint32 projectId)
{
    const QString sql =
        QStringLiteral("SELECT tblJobs.lngJobID, tblHours.lngHourID, tblJobs.curHourlyWage, "
                       "tblHours.dtmStartTime, tblHours.dtmStopTime FROM tblJobs LEFT JOIN tblHours ON "
                       "tblJobs.lngJobID = tblHours.lngJobID WHERE (((tblJobs.lngJobID)=") +
        keyTail(projectId);
    return {QStringLiteral("In LoadLvwHours:    "), sql, sql};
}

// The right join of the pay types onto the company's payments is the left
// join of the company's payments onto them.
ListQuery payments(qint32 companyId)
{
    return {
        QStringLiteral("In LoadPayments:    "),
        QStringLiteral("SELECT tblPayments.lngPaymentID, tblCompanys.lngCompanyID, tblPayments.curAmount, "
                       "tblPayments.dtmTransaction, tblPayments.memComments, tblPayments.lngPayTypeID, "
                       "lkuPayTypes.strPayType FROM (tblCompanys LEFT JOIN tblPayments ON "
                       "tblCompanys.lngCompanyID = tblPayments.lngCompanyID) LEFT JOIN lkuPayTypes ON "
                       "lkuPayTypes.lngPayTypeID = tblPayments.lngPayTypeID WHERE "
                       "(((tblCompanys.lngCompanyID)=") +
            keyTail(companyId),
        QStringLiteral("SELECT tblPayments.lngPaymentID, tblCompanys.lngCompanyID, tblPayments.curAmount, "
                       "tblPayments.dtmTransaction, tblPayments.memComments, tblPayments.lngPayTypeID, "
                       "lkuPayTypes.strPayType FROM lkuPayTypes RIGHT JOIN (tblCompanys LEFT JOIN "
                       "tblPayments ON tblCompanys.lngCompanyID = tblPayments.lngCompanyID) ON "
                       "lkuPayTypes.lngPayTypeID = tblPayments.lngPayTypeID WHERE "
                       "(((tblCompanys.lngCompanyID)=") +
            keyTail(companyId)};
}

} // namespace Lists

ListLoader::ListLoader(Lists::ListQuery query)
    : m_query(std::move(query)), m_run([this](const DbError &error) {
          return loaderErrorBoxRequest(error, m_query.tag, m_query.shownSql);
      })
{
}

void ListLoader::readAll(const std::function<void(const QSqlQuery &)> &readRow,
                         const std::function<void()> &restart)
{
    Connection connection;
    QSqlQuery query;
    bool queried = false;
    const auto runQuery = [&]() -> StepResult {
        query = connection.newQuery();
        if (!query.exec(m_query.sql))
            return fromSqlError(query.lastError());
        queried = true;
        return std::nullopt;
    };
    // A retry runs on a fresh connection, with the query run again on it.
    m_run.setBeforeRetry([&]() -> StepResult {
        if (StepResult e = connection.reopen())
            return e;
        return queried ? runQuery() : StepResult();
    });
    m_run.step([&] { return connection.open(); });
    m_run.step(runQuery);
    m_run.step([&]() -> StepResult {
        if (!query.isActive())
            return closedObjectError();
        restart();
        while (query.next())
            readRow(query);
        if (query.lastError().isValid())
            return fromSqlError(query.lastError());
        return std::nullopt;
    });
    // The later steps need no connection, and this one is about to go.
    m_run.setBeforeRetry({});
}

bool ListLoader::offerWanted(bool whenIgnored)
{
    std::optional<int> setting;
    const bool ran = m_run.step([&]() -> StepResult {
        setting = DontAskSetting::value();
        return setting ? StepResult() : StepResult(typeMismatchError());
    });
    if (!ran)
        return false;
    return setting ? *setting == 1 : whenIgnored;
}
