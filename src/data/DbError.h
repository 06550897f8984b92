#pragma once

#include <QString>

#include <optional>

class QSqlError;

// The error that stopped one step of a routine: the number, description and
// source shown in the error boxes.
struct DbError {
    int number = 0;
    QString description;
    QString source;
};

// A step's outcome: nothing on success.
using StepResult = std::optional<DbError>;

// A database layer error as the boxes show it.
DbError fromSqlError(const QSqlError &error);

// The program's own errors, numbered as the classic data objects number them.
DbError closedObjectError();     // an operation on a connection or record set that is not open
DbError noCurrentRecordError();  // a field of a record set without a current row
DbError typeMismatchError();     // a stored value that is not of the kind read
DbError invalidUseOfNullError(); // a Null where a value must be, a list row's key
DbError overflowError();         // a result beyond its range, a charge's cost
