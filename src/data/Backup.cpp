#include "data/Backup.h"

#include "data/Clock.h"
#include "data/DataPath.h"
#include "data/Formats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr const char *kStampFormat = "yyyy-MM-dd_HH-mm-ss";
constexpr const char *kPartSuffix = ".part";

QString kindName(Backup::Kind kind)
{
    return kind == Backup::Kind::Daily ? QStringLiteral("daily") : QStringLiteral("delete");
}

// "Tamberlock-2026-12-08_06-13-22-daily.mdb", a second copy in the same
// second "...-daily-2.mdb".
const QRegularExpression &copyPattern()
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^Tamberlock-(\d{4}-\d{2}-\d{2}_\d{2}-\d{2}-\d{2})-(daily|delete)(?:-(\d{1,4}))?\.mdb$)"));
    return pattern;
}

std::optional<QDateTime> stampTime(const QString &stamp)
{
    const QDateTime parsed = QDateTime::fromString(stamp, QLatin1String(kStampFormat));
    if (!parsed.isValid())
        return std::nullopt;
    return modTamberlock::makeDateTime(parsed.date(), parsed.time());
}

// A connection opened with sqlite3 itself: the online backup API is not
// reachable through Qt SQL. Closed on every way out.
class RawDatabase
{
public:
    RawDatabase() = default;
    ~RawDatabase() { close(); }
    RawDatabase(const RawDatabase &) = delete;
    RawDatabase &operator=(const RawDatabase &) = delete;

    bool open(const QString &path, int flags, QString *error)
    {
        const QByteArray name = path.toUtf8();
        const int rc = sqlite3_open_v2(name.constData(), &m_db, flags, nullptr);
        if (rc != SQLITE_OK) {
            *error = message(rc);
            return false;
        }
        sqlite3_busy_timeout(m_db, 500);
        return true;
    }

    // The result of the last call on this connection, as SQLite words it.
    QString message(int rc) const
    {
        if (m_db && sqlite3_errcode(m_db) == rc)
            return QString::fromUtf8(sqlite3_errmsg(m_db));
        return QString::fromUtf8(sqlite3_errstr(rc));
    }

    bool close()
    {
        if (!m_db)
            return true;
        const bool ok = sqlite3_close(m_db) == SQLITE_OK;
        m_db = nullptr;
        return ok;
    }

    sqlite3 *handle() const { return m_db; }

    // The first column of every row of one statement.
    bool column(const char *sql, QStringList *values, QString *error) const
    {
        sqlite3_stmt *stmt = nullptr;
        int rc = sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr);
        if (rc == SQLITE_OK) {
            while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
                *values << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        }
        const bool ok = rc == SQLITE_DONE;
        if (!ok)
            *error = message(rc);
        sqlite3_finalize(stmt);
        return ok;
    }

private:
    sqlite3 *m_db = nullptr;
};

QString fileUri(const QString &path, const char *mode)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(QStringLiteral("mode=") + QLatin1String(mode));
    return url.toString(QUrl::FullyEncoded);
}

// The copy holds a sound database with the program's five tables.
bool checkCopy(const RawDatabase &copy, QString *error)
{
    QStringList result;
    if (!copy.column("PRAGMA integrity_check", &result, error))
        return false;
    if (result != QStringList{QStringLiteral("ok")}) {
        // SQLite may put several findings into one row.
        *error = QStringLiteral("the copy failed its integrity check: ") +
                 result.join(QLatin1Char(' ')).simplified().left(200);
        return false;
    }
    QStringList tables;
    if (!copy.column("SELECT name FROM sqlite_master WHERE type = 'table' AND name IN "
                     "('tblCompanys', 'tblJobs', 'tblHours', 'tblPayments', 'lkuPayTypes')",
                     &tables, error))
        return false;
    if (tables.size() != 5) {
        *error = QStringLiteral("it is not a Tamberlock database (it lacks the program's tables)");
        return false;
    }
    return true;
}

void removeWithJournal(const QString &path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

void prune(const QString &folder, Backup::Kind kind, const QDateTime &now)
{
    const QStringList kept = Backup::copies(folder, kind);
    const int bound = kind == Backup::Kind::Daily ? Backup::kDailyKept : Backup::kBeforeDeleteKept;
    for (qsizetype i = 0; i + bound < kept.size(); ++i)
        QFile::remove(kept.at(i));

    // What a copy killed halfway left behind; a copy running now is younger.
    static const QRegularExpression part(
        QStringLiteral(R"(^Tamberlock-(\d{4}-\d{2}-\d{2}_\d{2}-\d{2}-\d{2})-)"));
    const QDir dir(folder);
    const QStringList leftovers =
        dir.entryList({QStringLiteral("Tamberlock-*.part"), QStringLiteral("Tamberlock-*.part-journal")},
                      QDir::Files | QDir::Hidden);
    for (const QString &name : leftovers) {
        const QRegularExpressionMatch m = part.match(name);
        const std::optional<QDateTime> made = m.hasMatch() ? stampTime(m.captured(1)) : std::nullopt;
        if (made && made->secsTo(now) > Backup::kLeftoverSeconds)
            QFile::remove(dir.filePath(name));
    }
}

void report(const QString &what, const QString &error)
{
    std::fprintf(stderr, "Tamberlock: %s: %s\n", what.toLocal8Bit().constData(),
                 error.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

namespace Backup {

QString folder()
{
    return DataPath() + QStringLiteral("Backups");
}

QStringList copies(const QString &folder, Kind kind)
{
    struct Entry {
        QString stamp;
        int sequence;
        QString path;
    };
    std::vector<Entry> entries;
    const QDir dir(folder);
    const QString wanted = kindName(kind);
    for (const QString &name : dir.entryList({QStringLiteral("Tamberlock-*.mdb")}, QDir::Files)) {
        const QRegularExpressionMatch m = copyPattern().match(name);
        if (!m.hasMatch() || m.captured(2) != wanted)
            continue;
        const int sequence = m.captured(3).isEmpty() ? 1 : m.captured(3).toInt();
        entries.push_back({m.captured(1), sequence, dir.filePath(name)});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.stamp != b.stamp ? a.stamp < b.stamp : a.sequence < b.sequence;
    });
    QStringList paths;
    for (const Entry &e : entries)
        paths << e.path;
    return paths;
}

bool copyDatabase(const QString &source, const QString &target, bool readOnlySource, QString *error)
{
    QString dummy;
    if (!error)
        error = &dummy;
    const QFileInfo sourceInfo(source);
    if (!sourceInfo.exists()) {
        *error = QStringLiteral("%1 does not exist").arg(source);
        return false;
    }
    if (!sourceInfo.isFile()) {
        *error = QStringLiteral("%1 is not a file").arg(source);
        return false;
    }
    if (QFileInfo::exists(target)) {
        *error = QStringLiteral("%1 already exists; it was left untouched").arg(target);
        return false;
    }
    const QString temp = target + QLatin1String(kPartSuffix);
    removeWithJournal(temp);

    QString reason;
    bool ok = false;
    {
        RawDatabase from;
        RawDatabase to;
        const int sourceFlags =
            SQLITE_OPEN_URI | (readOnlySource ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
        if (!from.open(fileUri(source, readOnlySource ? "ro" : "rw"), sourceFlags, &reason)) {
            reason = QStringLiteral("cannot open %1: %2").arg(source, reason);
        } else if (!to.open(temp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, &reason)) {
            reason = QStringLiteral("cannot write %1: %2").arg(temp, reason);
        } else if (QStringList ignored; !to.column("PRAGMA journal_mode = OFF", &ignored, &reason)) {
            // A new file under a temporary name needs no journal: it is named
            // only once it is whole. The copy's one commit still syncs it.
            reason = QStringLiteral("cannot write %1: %2").arg(temp, reason);
        } else if (sqlite3_backup *backup = sqlite3_backup_init(to.handle(), "main", from.handle(), "main")) {
            const int stepped = sqlite3_backup_step(backup, -1);
            const int finished = sqlite3_backup_finish(backup);
            if (stepped != SQLITE_DONE) {
                // SQLite's own words say why ("database is locked", "file is not a database").
                const RawDatabase &said = sqlite3_errcode(to.handle()) == stepped ? to : from;
                reason = QStringLiteral("cannot copy %1: %2").arg(source, said.message(stepped));
            } else if (finished != SQLITE_OK) {
                reason = QStringLiteral("cannot copy %1: %2").arg(source, to.message(finished));
            } else if (checkCopy(to, &reason)) {
                ok = to.close();
                if (!ok)
                    reason = QStringLiteral("cannot close %1").arg(temp);
            } else {
                reason = QStringLiteral("the copy of %1 is not sound: %2").arg(source, reason);
            }
        } else {
            reason =
                QStringLiteral("cannot copy %1: %2").arg(source, to.message(sqlite3_errcode(to.handle())));
        }
    }
    if (ok) {
        // Never replaces a file that appeared meanwhile.
        QFile written(temp);
        ok = written.rename(target);
        if (!ok)
            reason = QStringLiteral("cannot name the copy %1: %2").arg(target, written.errorString());
    }
    if (!ok) {
        removeWithJournal(temp);
        *error = reason;
    }
    return ok;
}

QString makeCopy(const QString &source, const QString &folder, Kind kind, const QDateTime &now,
                 QString *error)
{
    QString dummy;
    if (!error)
        error = &dummy;
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot make the folder %1").arg(folder);
        return {};
    }
    const QString base = QStringLiteral("Tamberlock-") + now.toString(QLatin1String(kStampFormat)) +
                         QLatin1Char('-') + kindName(kind);
    const QDir dir(folder);
    QString target = dir.filePath(base + QStringLiteral(".mdb"));
    for (int n = 2; QFileInfo::exists(target) || QFileInfo::exists(target + QLatin1String(kPartSuffix));
         ++n) {
        if (n > 9999) {
            *error = QStringLiteral("no free name for a copy in %1").arg(folder);
            return {};
        }
        target = dir.filePath(base + QStringLiteral("-%1.mdb").arg(n));
    }
    if (!copyDatabase(source, target, false, error))
        return {};
    prune(folder, kind, now);
    return target;
}

void atStartup()
{
    const QDateTime now = Clock::now();
    const QStringList daily = copies(folder(), Kind::Daily);
    if (!daily.isEmpty()) {
        const QRegularExpressionMatch m = copyPattern().match(QFileInfo(daily.last()).fileName());
        const std::optional<QDateTime> newest = stampTime(m.captured(1));
        if (newest && newest->secsTo(now) < kDailyIntervalSeconds)
            return;
    }
    QString error;
    if (makeCopy(databaseFile(), folder(), Kind::Daily, now, &error).isEmpty())
        report(QStringLiteral("no backup made at start-up"), error);
}

void beforeDelete()
{
    QString error;
    if (makeCopy(databaseFile(), folder(), Kind::BeforeDelete, Clock::now(), &error).isEmpty())
        report(QStringLiteral("no backup made before the delete"), error);
}

} // namespace Backup
