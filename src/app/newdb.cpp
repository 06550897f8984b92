// tamberlock-newdb PATH: writes an empty Tamberlock database to PATH.
#include "data/NewDatabase.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: tamberlock-newdb PATH\n"
               "Creates an empty Tamberlock database at PATH; an existing file is never overwritten.\n";
        return 2;
    }
    QString error;
    if (!createEmptyDatabase(args.at(1), &error)) {
        err << "tamberlock-newdb: " << error << "\n";
        return 1;
    }
    return 0;
}
