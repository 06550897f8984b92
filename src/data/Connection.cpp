#include "data/Connection.h"

#include "data/DataPath.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlError>
#include <QUrl>

namespace {

QString nextConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("tamberlock-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

Connection::Connection() : m_name(nextConnectionName())
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
}

Connection::~Connection()
{
    if (m_db.isValid())
        m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

StepResult Connection::open()
{
    const StepResult result = openFile(databaseFile());
    m_followsDataPath = true;
    return result;
}

StepResult Connection::reopen()
{
    if (m_db.isValid())
        m_db.close();
    m_open = false;
    return m_followsDataPath || m_path.isEmpty() ? open() : openUri(m_path, m_readOnly);
}

StepResult Connection::openFile(const QString &path)
{
    return openUri(path, false);
}

StepResult Connection::openFileReadOnly(const QString &path)
{
    return openUri(path, true);
}

StepResult Connection::openUri(const QString &path, bool readOnly)
{
    m_path = path;
    m_readOnly = readOnly;
    m_followsDataPath = false;
    if (!m_db.isValid())
        return fromSqlError(m_db.lastError());
    if (m_open)
        return std::nullopt;
    // Neither mode creates a file: a missing one is an error here, never a new empty database.
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(readOnly ? QStringLiteral("mode=ro") : QStringLiteral("mode=rw"));
    m_db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    m_db.setConnectOptions(
        readOnly ? QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=500")
                 : QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=500"));
    if (!m_db.open())
        return fromSqlError(m_db.lastError());
    QSqlQuery pragma(m_db);
    for (const char *sql : {"PRAGMA foreign_keys = ON", "PRAGMA synchronous = FULL"}) {
        if (!pragma.exec(QLatin1String(sql))) {
            const DbError error = fromSqlError(pragma.lastError());
            pragma.finish();
            m_db.close();
            return error;
        }
    }
    m_open = true;
    return std::nullopt;
}

StepResult Connection::execute(const QString &sql)
{
    return execute(sql, {});
}

StepResult Connection::execute(const QString &sql, const QVariantList &values)
{
    if (!m_open)
        return closedObjectError();
    QSqlQuery query(m_db);
    if (!query.prepare(sql))
        return fromSqlError(query.lastError());
    for (const QVariant &v : values)
        query.addBindValue(v);
    if (!query.exec())
        return fromSqlError(query.lastError());
    return std::nullopt;
}

QSqlQuery Connection::newQuery() const
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    return query;
}

StepResult RecordSet::open(const QString &sql)
{
    if (!m_connection.isOpen())
        return closedObjectError();
    QSqlQuery query = m_connection.newQuery();
    if (!query.exec(sql))
        return fromSqlError(query.lastError());
    m_open = true;
    m_hasRow = query.next();
    if (m_hasRow)
        m_row = query.record();
    else if (query.lastError().isValid())
        return fromSqlError(query.lastError());
    return std::nullopt;
}

StepResult RecordSet::read(const QString &field, QVariant &value) const
{
    if (!m_open)
        return closedObjectError();
    if (!m_hasRow)
        return noCurrentRecordError();
    const int index = m_row.indexOf(field);
    if (index < 0)
        return DbError{3265,
                       QStringLiteral("Item cannot be found in the collection corresponding to the "
                                      "requested name or ordinal"),
                       QStringLiteral("Tamberlock")};
    value = m_row.value(index);
    return std::nullopt;
}
