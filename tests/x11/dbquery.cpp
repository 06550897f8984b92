// Prints the first column of every row a query returns, one a line. The
// real-keys test reads the program's database with it.
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(QString::fromLocal8Bit(argv[1]));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    QSqlQuery query(db);
    if (!db.open() || !query.exec(QString::fromLocal8Bit(argv[2])))
        return 1;
    while (query.next())
        std::printf("%s\n", qPrintable(query.value(0).toString()));
    return 0;
}
