// Saves charges and payments in a loop into the database under the folder
// given, and reports each save that returned success on standard output, so
// a test can kill it at any moment and check that every reported save is
// still there.
#include "data/DataPath.h"
#include "data/Prompter.h"
#include "data/RecordStore.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    setDataPath(dataPathFor(QString::fromLocal8Bit(argv[1])));
    const int job = QByteArray(argv[2]).toInt();
    const int company = QByteArray(argv[3]).toInt();
    // With no prompter installed every error box answers as if closed: the
    // routine aborts, and the save is not reported.
    for (int n = 1;; ++n) {
        if (modTamberlock::SaveHourRecord(0, job, 40000.0 + n, 40000.5 + n).isEmpty()) {
            std::printf("hour %d\n", n);
            std::fflush(stdout);
        }
        if (modTamberlock::SavePaymentRecord(0, company, qint64(n) * 10000, 40000.0 + n,
                                             QStringLiteral("save %1").arg(n), 1)
                .isEmpty()) {
            std::printf("payment %d\n", n);
            std::fflush(stdout);
        }
    }
}
