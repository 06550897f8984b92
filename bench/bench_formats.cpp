// The cell texts a list makes when it paints or sorts, under the program's
// own formats (0) and under German formats (1): the chosen formats must not
// make a long list slower to show.
#include "data/Formats.h"

#include <benchmark/benchmark.h>

namespace {

void BM_FormatCells(benchmark::State &state)
{
    const RegionalFormats german = RegionalFormats::fromLocale(QLocale(QLocale::German, QLocale::Germany));
    Formats::setCurrent(state.range(0) == 0 ? RegionalFormats() : german);
    const QDateTime start = modTamberlock::makeDateTime(QDate(2026, 12, 31), QTime(17, 30, 5));
    qint64 amount = 12345678;
    for (auto _ : state) {
        benchmark::DoNotOptimize(modTamberlock::formatCurrency(amount++));
        benchmark::DoNotOptimize(modTamberlock::formatDateTime(start));
    }
    Formats::setCurrent(RegionalFormats());
}
BENCHMARK(BM_FormatCells)->Arg(0)->Arg(1);

void BM_ReadTypedMoney(benchmark::State &state)
{
    const RegionalFormats german = RegionalFormats::fromLocale(QLocale(QLocale::German, QLocale::Germany));
    Formats::setCurrent(state.range(0) == 0 ? RegionalFormats() : german);
    const QString text = state.range(0) == 0 ? QStringLiteral("$1,234.56") : QStringLiteral("1.234,56 €");
    for (auto _ : state)
        benchmark::DoNotOptimize(modTamberlock::parseCurrency(text));
    Formats::setCurrent(RegionalFormats());
}
BENCHMARK(BM_ReadTypedMoney)->Arg(0)->Arg(1);

} // namespace
