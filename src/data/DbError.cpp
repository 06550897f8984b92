#include "data/DbError.h"

#include <QSqlError>

DbError fromSqlError(const QSqlError &error)
{
    DbError e;
    bool ok = false;
    e.number = error.nativeErrorCode().toInt(&ok);
    if (!ok)
        e.number = -1;
    e.description = error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
    if (e.description.isEmpty())
        e.description = QStringLiteral("Unknown database error");
    e.source = QStringLiteral("SQLite");
    return e;
}

DbError closedObjectError()
{
    return {3704, QStringLiteral("Operation is not allowed when the object is closed"),
            QStringLiteral("Tamberlock")};
}

DbError noCurrentRecordError()
{
    return {3021, QStringLiteral("Either BOF or EOF is True, or the current record has been deleted"),
            QStringLiteral("Tamberlock")};
}

DbError typeMismatchError()
{
    return {13, QStringLiteral("Type mismatch"), QStringLiteral("Tamberlock")};
}

DbError invalidUseOfNullError()
{
    return {94, QStringLiteral("Invalid use of Null"), QStringLiteral("Tamberlock")};
}

DbError overflowError()
{
    return {6, QStringLiteral("Overflow"), QStringLiteral("Tamberlock")};
}
