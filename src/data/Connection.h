#pragma once

#include "data/DbError.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

#include <optional>

// One connection to the database file for exactly one operation. Creating it
// opens nothing; the destructor closes and releases it on every way out.
// Opening never creates a missing file, turns foreign keys on (so the cascades
// run inside the database) and keeps the journal with synchronous=FULL, so a
// write is on disk when its statement returns.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Opens the file under DataPath().
    StepResult open();
    // Opens a given file (tools and tests).
    StepResult openFile(const QString &path);
    // Opens a given file for reading only: nothing on this connection can
    // change the file (the export).
    StepResult openFileReadOnly(const QString &path);
    bool isOpen() const { return m_open; }
    // Closes the connection and opens the same file again. A connection
    // keeps what it found when it opened (a read-only file, a file since
    // replaced), so a retry after such an error needs a fresh one.
    StepResult reopen();

    // Runs one statement whose result is discarded.
    StepResult execute(const QString &sql);
    // Prepares and runs a statement with bound values.
    StepResult execute(const QString &sql, const QVariantList &values);

    // A query on this connection; forward-only, so rows stream.
    QSqlQuery newQuery() const;

    QSqlDatabase &database() { return m_db; }

private:
    StepResult openUri(const QString &path, bool readOnly);

    QString m_name;
    QString m_path;
    bool m_followsDataPath = false;
    bool m_readOnly = false;
    QSqlDatabase m_db;
    bool m_open = false;
};

// A record set of one row at most, as the editors and the save routines use
// it: opened on a SELECT, then read or changed field by field. A closed record
// set or one without a current row fails every field access.
class RecordSet
{
public:
    explicit RecordSet(Connection &connection) : m_connection(connection) {}

    StepResult open(const QString &sql);
    bool isOpen() const { return m_open; }
    bool hasRow() const { return m_hasRow; }

    StepResult read(const QString &field, QVariant &value) const;

private:
    Connection &m_connection;
    QSqlRecord m_row;
    bool m_open = false;
    bool m_hasRow = false;
};
