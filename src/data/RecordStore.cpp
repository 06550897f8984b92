#include "data/RecordStore.h"

#include "data/Backup.h"
#include "data/Connection.h"
#include "data/Formats.h"
#include "data/StepRunner.h"

#include <QCoreApplication>
#include <QSqlError>

#include <utility>
#include <vector>

namespace {

// The row being added or changed by a save routine. Opening it in add mode
// checks the table without reading it, so an add costs the same however many
// rows the table holds; opening it in edit mode reads the one row.
class RowWriter
{
public:
    RowWriter(Connection &connection, QString table, QString keyField)
        : m_connection(connection), m_table(std::move(table)), m_keyField(std::move(keyField))
    {
    }

    StepResult open(qint32 id)
    {
        if (!m_connection.isOpen())
            return closedObjectError();
        m_id = id;
        if (id == 0) {
            QSqlQuery probe = m_connection.newQuery();
            if (!probe.exec(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(m_table)))
                return fromSqlError(probe.lastError());
            m_open = true;
            return std::nullopt;
        }
        RecordSet existing(m_connection);
        if (StepResult e = existing.open(QStringLiteral("SELECT * FROM %1 WHERE %2 = %3;")
                                             .arg(m_table, m_keyField, QString::number(id))))
            return e;
        m_open = true;
        m_hasRow = existing.hasRow();
        return std::nullopt;
    }

    StepResult addNew()
    {
        if (!m_open)
            return closedObjectError();
        m_adding = true;
        m_hasRow = true;
        m_values.clear();
        return std::nullopt;
    }

    StepResult set(const QString &field, const QVariant &value)
    {
        if (!m_open)
            return closedObjectError();
        if (!m_hasRow)
            return noCurrentRecordError();
        for (auto &assigned : m_values) {
            if (assigned.first == field) {
                assigned.second = value;
                return std::nullopt;
            }
        }
        m_values.emplace_back(field, value);
        return std::nullopt;
    }

    StepResult update()
    {
        if (!m_open)
            return closedObjectError();
        if (!m_hasRow)
            return noCurrentRecordError();
        QStringList fields;
        QVariantList values;
        for (const auto &[field, value] : m_values) {
            fields << field;
            values << value;
        }
        QString sql;
        if (m_adding) {
            if (fields.isEmpty()) {
                sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_table);
            } else {
                QStringList marks;
                for (qsizetype i = 0; i < fields.size(); ++i)
                    marks << QStringLiteral("?");
                sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(m_table, fields.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
            }
        } else {
            if (fields.isEmpty())
                return std::nullopt;
            QStringList sets;
            for (const QString &f : std::as_const(fields))
                sets << f + QStringLiteral(" = ?");
            sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = %4")
                      .arg(m_table, sets.join(QStringLiteral(", ")), m_keyField, QString::number(m_id));
        }
        if (StepResult e = m_connection.execute(sql, values))
            return e;
        if (m_adding) {
            // The row is written; a second Update of the same call changes it.
            m_adding = false;
            QSqlQuery last = m_connection.newQuery();
            if (last.exec(QStringLiteral("SELECT last_insert_rowid()")) && last.next())
                m_id = last.value(0).toInt();
        }
        return std::nullopt;
    }

private:
    Connection &m_connection;
    QString m_table;
    QString m_keyField;
    qint32 m_id = 0;
    bool m_open = false;
    bool m_hasRow = false;
    bool m_adding = false;
    std::vector<std::pair<QString, QVariant>> m_values;
};

struct Assignment {
    const char *field;
    QVariant value;
};

QString saveRecord(const QString &table, const QString &keyField, qint32 id,
                   const std::vector<Assignment> &assignments)
{
    StepRunner run;
    Connection connection;
    RowWriter row(connection, table, keyField);
    run.setBeforeRetry([&] { return connection.reopen(); });
    run.step([&] { return connection.open(); });
    run.step([&] { return row.open(id); });
    if (id == 0)
        run.step([&] { return row.addNew(); });
    for (const Assignment &a : assignments)
        run.step([&] { return row.set(QLatin1String(a.field), a.value); });
    run.step([&] { return row.update(); });
    run.step([] {
        QCoreApplication::processEvents();
        return StepResult();
    });
    return run.lastErrorText();
}

void deleteRecord(const QString &table, const QString &keyField, qint32 id)
{
    StepRunner run;
    Connection connection;
    run.setBeforeRetry([&] { return connection.reopen(); });
    run.step([&] { return connection.open(); });
    run.step([&] {
        return connection.execute(
            QStringLiteral("DELETE FROM %1 WHERE %2 = %3;").arg(table, keyField, QString::number(id)));
    });
}

QVariant text(const QString &s)
{
    // Bound as text even when empty, so an empty text never turns into Null.
    return s.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(s);
}

} // namespace

namespace modTamberlock {

// The two deletes that cascade first leave a copy of the database behind.
void DeleteCompanyRecord(qint32 companyId)
{
    Backup::beforeDelete();
    deleteRecord(QStringLiteral("tblCompanys"), QStringLiteral("lngCompanyID"), companyId);
}

void DeleteJobRecord(qint32 jobId)
{
    Backup::beforeDelete();
    deleteRecord(QStringLiteral("tblJobs"), QStringLiteral("lngJobID"), jobId);
}

void DeleteHourRecord(qint32 hourId)
{
    deleteRecord(QStringLiteral("tblHours"), QStringLiteral("lngHourID"), hourId);
}

void DeletePaymentRecord(qint32 paymentId)
{
    deleteRecord(QStringLiteral("tblPayments"), QStringLiteral("lngPaymentID"), paymentId);
}

void DeletePayTypeRecord(qint32 payTypeId)
{
    deleteRecord(QStringLiteral("lkuPayTypes"), QStringLiteral("lngPayTypeID"), payTypeId);
}

QString SaveCompanyRecord(qint32 id, const QString &name, const QString &web, const QString &addr1,
                          const QString &addr2, const QString &city, const QString &state, const QString &zip,
                          const QString &comments, const QString &contact, const QString &email,
                          const QString &phone, const QString &fax)
{
    const QString digits9 = QStringLiteral("#########");
    const QString digits10 = QStringLiteral("##########");
    return saveRecord(
        QStringLiteral("tblCompanys"), QStringLiteral("lngCompanyID"), id,
        {
            {"strCompanyName", text(name)},
            {"strCompanyWeb", text(web)},
            {"strCompanyAddr1", text(addr1)},
            // A second line emptied in the editor is gone: Null, as
            // for a company that never had one.
            {"strCompanyAddr2", addr2.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(addr2)},
            {"strCompanyCity", text(city)},
            {"strCompanyState", text(state)},
            {"strCompanyZip", text(formatDigitMask(zip, digits9))},
            {"strComments", text(comments.isEmpty() ? QStringLiteral("N/A") : comments)},
            {"strCompanyContact", text(contact)},
            {"strCompanyEmail", text(email)},
            {"strCompanyPhone", text(formatDigitMask(phone, digits10))},
            {"strCompanyFax", text(formatDigitMask(fax, digits10))},
        });
}

QString SaveJobRecord(qint32 id, qint32 companyId, const QString &jobName, Currency hourlyWage,
                      OleDate deadLine)
{
    return saveRecord(QStringLiteral("tblJobs"), QStringLiteral("lngJobID"), id,
                      {
                          {"lngCompanyID", QVariant(companyId)},
                          {"strJobName", text(jobName)},
                          {"curHourlyWage", QVariant(qlonglong(hourlyWage))},
                          {"dtmDeadLine", QVariant(deadLine)},
                      });
}

QString SaveHourRecord(qint32 id, qint32 jobId, OleDate startTime, OleDate stopTime)
{
    return saveRecord(QStringLiteral("tblHours"), QStringLiteral("lngHourID"), id,
                      {
                          {"lngJobID", QVariant(jobId)},
                          {"dtmStartTime", QVariant(startTime)},
                          {"dtmStopTime", QVariant(stopTime)},
                      });
}

QString SavePaymentRecord(qint32 id, qint32 companyId, Currency amount, OleDate transaction,
                          const QString &comments, qint32 payTypeId)
{
    return saveRecord(QStringLiteral("tblPayments"), QStringLiteral("lngPaymentID"), id,
                      {
                          {"lngCompanyID", QVariant(companyId)},
                          {"curAmount", QVariant(qlonglong(amount))},
                          {"dtmTransaction", QVariant(transaction)},
                          {"memComments", text(comments)},
                          {"lngPayTypeID", QVariant(payTypeId)},
                      });
}

QString SavePayTypeRecord(qint32 id, const QString &payType)
{
    return saveRecord(QStringLiteral("lkuPayTypes"), QStringLiteral("lngPayTypeID"), id,
                      {{"strPayType", text(payType)}});
}

std::optional<Currency> GetCompanyCredits(qint32 companyId, bool *readFailed)
{
    std::optional<Currency> result = 0;
    if (readFailed)
        *readFailed = false;
    Connection connection;
    if (!StepRunner::quiet([&] { return connection.open(); })) {
        if (readFailed)
            *readFailed = true;
        return std::nullopt;
    }
    // The company's own payments only, through the index on lngCompanyID: the
    // same sum as grouping every company and keeping this one, without
    // reading the other companies' payments once a second.
    const QString sum =
        QStringLiteral("SELECT tblCompanys.lngCompanyID, Sum(tblPayments.curAmount) AS Credits "
                       "FROM tblCompanys LEFT JOIN tblPayments "
                       "ON tblCompanys.lngCompanyID = tblPayments.lngCompanyID "
                       "WHERE tblCompanys.lngCompanyID = %1 "
                       "GROUP BY tblCompanys.lngCompanyID;")
            .arg(companyId);
    QSqlQuery query = connection.newQuery();
    if (query.exec(sum) && query.next()) {
        const QVariant credits = query.value(1);
        // A REAL among the amounts makes the sum a REAL; out of range it is no
        // total at all.
        if (!credits.isNull())
            result = currencyFromStored(credits);
    } else if (query.lastError().isValid()) {
        result = std::nullopt;
        // SQLite refuses a sum of whole numbers beyond 64 bits; anything
        // else is a file that cannot be read (missing, locked).
        if (readFailed && !query.lastError().databaseText().contains(QLatin1String("integer overflow")))
            *readFailed = true;
    }
    query.finish();
    QCoreApplication::processEvents();
    return result;
}

} // namespace modTamberlock
