// The desktop companions' share of each second: one idle check, and the
// reading of the running charges and the last project that the tray shows.
#include "BenchSupport.h"

#include "app/Platform.h"
#include "data/RunningCharges.h"

#include <benchmark/benchmark.h>

namespace {

void BM_IdleCheck(benchmark::State &state)
{
    QString whyNot;
    const IdleSource idle = Platform::idleSource(&whyNot);
    if (!idle) {
        state.SkipWithError(qPrintable(QStringLiteral("no idle source (run under Xvfb): ") + whyNot));
        return;
    }
    qint64 sum = 0;
    for (auto _ : state) {
        const std::optional<IdleReading> reading = idle();
        sum += reading ? reading->idleMilliseconds : -1;
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_IdleCheck)->Unit(benchmark::kMicrosecond);

void BM_TrayCharges(benchmark::State &state)
{
    benchSession();
    SamplePlan plan;
    plan.charges = int(state.range(0));
    benchDatabase(QStringLiteral("tray%1").arg(plan.charges), plan);
    size_t running = 0;
    for (auto _ : state) {
        running = RunningCharges::read().size();
        benchmark::DoNotOptimize(RunningCharges::lastProject());
    }
    state.counters["running"] = double(running);
}
BENCHMARK(BM_TrayCharges)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
