#pragma once

#include <QString>

// Creates the empty database (five tables, the common payment types) at
// path. Refuses to touch an existing file. On failure returns false and puts
// a message for a person into *error; a half-made file is removed.
bool createEmptyDatabase(const QString &path, QString *error);
