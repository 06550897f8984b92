#pragma once

#include <QString>

// The folder of the database file, always ending in exactly one separator.
// Set once at start-up; every connection reads it.
QString DataPath();
void setDataPath(const QString &folderWithSeparator);

// The folder with one trailing separator: "/" appended unless it already ends
// in "/" or "\".
QString dataPathFor(const QString &folder);

// The name of the database file, and its full path under DataPath().
inline constexpr const char *kDatabaseFileName = "Tamberlock.mdb";
QString databaseFile();
