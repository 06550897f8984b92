#include "data/NewDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QStringList schemaStatements(QString *error)
{
    QFile file(QStringLiteral(":/schema.sql"));
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("The database schema is missing from the program.");
        return {};
    }
    QStringList statements;
    QString current;
    for (const QString &rawLine : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1String("--")))
            continue;
        current += line + QLatin1Char('\n');
        if (line.endsWith(QLatin1Char(';'))) {
            statements << current;
            current.clear();
        }
    }
    return statements;
}

} // namespace

bool createEmptyDatabase(const QString &path, QString *error)
{
    QString dummy;
    if (!error)
        error = &dummy;
    if (QFileInfo::exists(path)) {
        *error = QStringLiteral("%1 already exists; it was left untouched.").arg(path);
        return false;
    }
    const QStringList statements = schemaStatements(error);
    if (statements.isEmpty())
        return false;
    {
        // Claimed exclusively, so a file that appears meanwhile is not overwritten either.
        QFile claim(path);
        if (!claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            *error = QStringLiteral("Cannot create %1: %2").arg(path, claim.errorString());
            return false;
        }
    }

    const QString name = QStringLiteral("tamberlock-newdb");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            *error = QStringLiteral("Cannot create %1: %2").arg(path, db.lastError().text());
            ok = false;
        } else {
            QSqlQuery query(db);
            ok = query.exec(QStringLiteral("BEGIN"));
            for (const QString &sql : statements) {
                if (!ok)
                    break;
                if (!query.exec(sql)) {
                    *error = QStringLiteral("Cannot create %1: %2").arg(path, query.lastError().text());
                    ok = false;
                }
            }
            if (ok && !query.exec(QStringLiteral("COMMIT"))) {
                *error = QStringLiteral("Cannot create %1: %2").arg(path, query.lastError().text());
                ok = false;
            }
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!ok)
        QFile::remove(path);
    return ok;
}
