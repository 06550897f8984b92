// A backup copy runs on the window's thread (at start-up and before a
// cascading delete), so one copy of a large file must stay short: the online
// backup, the integrity check of the copy and its rename, then the retention.
#include "BenchSupport.h"

#include "data/Backup.h"
#include "data/DataPath.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

SamplePlan backupPlan(int charges)
{
    SamplePlan s;
    s.companies = 20;
    s.projectsPerCompany = 5;
    s.charges = charges;
    s.payments = 2000;
    return s;
}

void BM_BackupCopy(benchmark::State &state)
{
    const int charges = int(state.range(0));
    const QString folder = benchDatabase(QStringLiteral("backup%1").arg(charges), backupPlan(charges));
    const QString source = folder + QLatin1String(kDatabaseFileName);
    const QString target = folder + QStringLiteral("copy.mdb");
    QFile::remove(target);
    for (auto _ : state) {
        QString error;
        if (!Backup::copyDatabase(source, target, false, &error))
            state.SkipWithError(qPrintable(error));
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
    }
    state.counters["MB"] = double(QFile(source).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_BackupCopy)->Arg(300000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
