#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Copies of the database in the folder "Backups" beside it, made with
// SQLite's online backup (never a plain copy of a file in use). A copy is
// written under a temporary name, checked, and only then given its name, so
// a name in the folder always stands for a whole, checked copy. Failures go
// to standard error: a backup never stops the program and never shows a box.
namespace Backup {

// How many copies of each kind are kept; the oldest go first.
inline constexpr int kDailyKept = 14;
inline constexpr int kBeforeDeleteKept = 20;
// The start-up copy is made when the newest daily copy is at least this old.
inline constexpr qint64 kDailyIntervalSeconds = 24 * 60 * 60;
// Leftovers of a copy that was killed halfway are removed after this long.
inline constexpr qint64 kLeftoverSeconds = 60 * 60;

enum class Kind { Daily, BeforeDelete };

// The folder of the copies of the database under DataPath().
QString folder();

// The copies of one kind in a folder, oldest first.
QStringList copies(const QString &folder, Kind kind);

// Writes a checked copy of the database at source to target: the online
// backup into a temporary file beside target, PRAGMA integrity_check and the
// five tables checked there, then a rename that never replaces an existing
// file. The source is opened read-only when readOnlySource is set (a backup
// being restored); otherwise read-write without creating it, so that SQLite
// can roll back a journal left by a crash. On failure returns false with a
// one-line message in *error and leaves nothing behind.
bool copyDatabase(const QString &source, const QString &target, bool readOnlySource, QString *error);

// A copy of kind of the database file at source into folder, named by the
// time now, then the oldest copies of that kind beyond the bound removed.
// Returns the path of the new copy, or the empty text with *error set.
QString makeCopy(const QString &source, const QString &folder, Kind kind, const QDateTime &now,
                 QString *error);

// The start-up copy of the database under DataPath(), when one is due. The
// before-delete copy, made by the deletes that cascade. Both write a failure
// to standard error and nothing else.
void atStartup();
void beforeDelete();

} // namespace Backup
