// The confirmation box waits for its answer in an event loop that sleeps:
// the share of one core the process uses while the question is open.
#include "dialogs/frmKivMsg.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

void BM_ConfirmBoxWaiting(benchmark::State &state)
{
    double cpuShare = 0;
    for (auto _ : state) {
        // Answer "No" after two seconds, as a person who reads the question.
        QTimer::singleShot(2000, [] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (w->objectName() == QLatin1String("frmKivMsg") && w->isVisible())
                    w->findChild<QPushButton *>(QStringLiteral("CancelButton"))->click();
            }
        });
        const std::clock_t cpuStart = std::clock();
        const auto wallStart = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(modTamberlock::ShowConfirmBox(
            nullptr, QStringLiteral("There are no Payments.\r\n\r\nWould you like to add one now?"),
            QStringLiteral("Add New Payment?"), 1, 0));
        const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        cpuShare = 100.0 * cpu / wall;
    }
    state.counters["cpu_percent_of_one_core"] = cpuShare;
}
BENCHMARK(BM_ConfirmBoxWaiting)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
