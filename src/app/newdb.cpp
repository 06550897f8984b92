// tamberlock-newdb PATH: writes an empty Tamberlock database to PATH.
// tamberlock-newdb --from BACKUP PATH: writes a checked copy of a backup to
// PATH, the way back after a wrong delete or a damaged file.
#include "data/Backup.h"
#include "data/NewDatabase.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    const bool restore = args.size() == 4 && args.at(1) == QLatin1String("--from");
    if (args.size() != 2 && !restore) {
        err << "usage: tamberlock-newdb PATH\n"
               "       tamberlock-newdb --from BACKUP PATH\n"
               "Creates an empty Tamberlock database at PATH, or a checked copy of the database BACKUP;\n"
               "an existing file is never overwritten.\n";
        return 2;
    }
    QString error;
    const bool ok = restore ? Backup::copyDatabase(args.at(2), args.at(3), true, &error)
                            : createEmptyDatabase(args.at(1), &error);
    if (!ok) {
        err << "tamberlock-newdb: " << error << "\n";
        return 1;
    }
    return 0;
}
