// The record store: an add costs the same however big the table, and one
// whole operation (connect, one query, close) as every routine does it.
#include "BenchSupport.h"

#include "data/Connection.h"
#include "data/RecordStore.h"

#include <benchmark/benchmark.h>

namespace {

SamplePlan chargesPlan(int charges)
{
    SamplePlan s;
    s.companies = 1;
    s.projectsPerCompany = 2;
    s.charges = charges;
    s.payments = 0;
    return s;
}

void BM_AddCharge(benchmark::State &state)
{
    const int rows = int(state.range(0));
    freshCopy(QStringLiteral("charges%1").arg(rows), chargesPlan(rows));
    OleDate start = 45000.0;
    for (auto _ : state) {
        const QString result = modTamberlock::SaveHourRecord(0, 1, start, start + 0.05);
        if (!result.isEmpty())
            state.SkipWithError("save failed");
        start += 0.1;
    }
    state.SetLabel(std::to_string(rows) + " rows");
}
BENCHMARK(BM_AddCharge)->Arg(0)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UpdateCharge(benchmark::State &state)
{
    const int rows = int(state.range(0));
    freshCopy(QStringLiteral("charges%1").arg(rows), chargesPlan(rows));
    for (auto _ : state) {
        if (!modTamberlock::SaveHourRecord(rows / 2, 1, 45000.0, 45000.5).isEmpty())
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_UpdateCharge)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Connect, one query, close: what the live watch does once a second.
void BM_WholeOperation(benchmark::State &state)
{
    SamplePlan s;
    s.payments = 1000;
    benchDatabase(QStringLiteral("ops"), s);
    for (auto _ : state)
        benchmark::DoNotOptimize(modTamberlock::GetCompanyCredits(1));
}
BENCHMARK(BM_WholeOperation)->Unit(benchmark::kMicrosecond);

void BM_CreditsOver100kPayments(benchmark::State &state)
{
    SamplePlan s;
    s.companies = 10;
    s.payments = 100000;
    benchDatabase(QStringLiteral("payments100k"), s);
    for (auto _ : state)
        benchmark::DoNotOptimize(modTamberlock::GetCompanyCredits(1));
}
BENCHMARK(BM_CreditsOver100kPayments)->Unit(benchmark::kMicrosecond);

} // namespace
