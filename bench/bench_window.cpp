// The main window over years of data: start-up, a click on a company, the
// charge list at 1 000 to 100 000 rows, one tick of the live watch, and
// filling a choice box from a long table.
#include "BenchSupport.h"

#include "data/Clock.h"
#include "data/Connection.h"
#include "data/ListQueries.h"
#include "main/frmMain.h"
#include "widgets/ComboFill.h"
#include "widgets/ReportList.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QSqlQuery>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Ten years of work sessions: tens of thousands of charges on the first
// (long) project of the first company, hundreds of thousands in all.
SamplePlan yearsPlan()
{
    SamplePlan s;
    s.companies = 20;
    s.projectsPerCompany = 5;
    s.charges = 300000;
    s.chargesOnFirstProject = 30000;
    s.payments = 5000;
    return s;
}

// One company whose first project holds all the charges.
SamplePlan oneProjectPlan(int charges)
{
    SamplePlan s;
    s.companies = 1;
    s.projectsPerCompany = 2;
    s.charges = charges;
    s.chargesOnFirstProject = charges;
    s.payments = 100;
    return s;
}

ReportList *listOf(frmMain *w, const char *name)
{
    return w->findChild<ReportList *>(QString::fromLatin1(name));
}

// The rows are on the screen: announced to the view and the visible part
// painted.
void paintList(ReportList *list)
{
    list->flushRows();
    QCoreApplication::processEvents();
    list->viewport()->repaint();
}

std::unique_ptr<frmMain> openWindow()
{
    auto w = std::make_unique<frmMain>();
    w->show();
    paintList(listOf(w.get(), "LvwCompanys"));
    return w;
}

// A left click on the first company: its projects, then the first
// project's charges.
void clickFirstCompany(frmMain *w)
{
    ReportList *companies = listOf(w, "LvwCompanys");
    companies->selectRow(companies->rowOfId(0));
    w->onCompanyListReleased(Qt::LeftButton, {});
    paintList(listOf(w, "lvwHours"));
}

double seconds(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e9;
}

void BM_StartUp(benchmark::State &state)
{
    benchSession();
    benchDatabase(QStringLiteral("years"), yearsPlan());
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        auto w = openWindow();
        state.SetIterationTime(seconds(t));
        benchmark::DoNotOptimize(listOf(w.get(), "LvwCompanys")->rowCount());
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_ClickCompany(benchmark::State &state)
{
    benchSession();
    benchDatabase(QStringLiteral("years"), yearsPlan());
    auto w = openWindow();
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        clickFirstCompany(w.get());
        state.SetIterationTime(seconds(t));
    }
    state.counters["charges"] = listOf(w.get(), "lvwHours")->rowCount();
}
BENCHMARK(BM_ClickCompany)->Unit(benchmark::kMillisecond)->UseManualTime();

// The load itself, and how long at most the window went without answering
// while it ran: a zero timer fires at every turn of the event loop.
void BM_LoadHours(benchmark::State &state)
{
    benchSession();
    const int charges = int(state.range(0));
    benchDatabase(QStringLiteral("project%1").arg(charges), oneProjectPlan(charges));
    auto w = openWindow();
    clickFirstCompany(w.get());
    ReportList *hours = listOf(w.get(), "lvwHours");

    qint64 longestGap = 0;
    int paints = 0;
    struct PaintCounter : QObject {
        int *count;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                ++*count;
            return false;
        }
    } counter;
    counter.count = &paints;
    hours->viewport()->installEventFilter(&counter);

    for (auto _ : state) {
        QElapsedTimer t;
        QElapsedTimer sinceTurn;
        QTimer turns;
        turns.setInterval(0);
        QObject::connect(&turns, &QTimer::timeout, [&] {
            longestGap = qMax(longestGap, sinceTurn.nsecsElapsed());
            sinceTurn.restart();
        });
        turns.start();
        t.start();
        sinceTurn.start();
        w->LoadHours(1);
        paintList(hours);
        state.SetIterationTime(seconds(t));
        longestGap = qMax(longestGap, sinceTurn.nsecsElapsed());
    }
    hours->viewport()->removeEventFilter(&counter);
    if (hours->rowCount() != charges)
        state.SkipWithError("not every charge was listed");
    state.counters["longest_gap_ms"] = double(longestGap) / 1e6;
    state.counters["paints_per_load"] = double(paints) / double(state.iterations());
}
BENCHMARK(BM_LoadHours)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinWarmUpTime(0);

// The floor LoadHours is measured against: the same query over the same rows
// read with a bare QSqlQuery loop, every field taken as a value, nothing
// shown.
void BM_BareChargeQuery(benchmark::State &state)
{
    benchSession();
    const int charges = int(state.range(0));
    benchDatabase(QStringLiteral("project%1").arg(charges), oneProjectPlan(charges));
    const QString sql = Lists::charges(1).sql;
    int rows = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        Connection connection;
        if (connection.open()) {
            state.SkipWithError("the database did not open");
            return;
        }
        QSqlQuery query = connection.newQuery();
        query.exec(sql);
        rows = 0;
        double sum = 0;
        while (query.next()) {
            sum += double(query.value(0).toLongLong() + query.value(1).toLongLong() +
                          query.value(2).toLongLong()) +
                   query.value(3).toDouble() + query.value(4).toDouble();
            ++rows;
        }
        benchmark::DoNotOptimize(sum);
        state.SetIterationTime(seconds(t));
    }
    if (rows != charges)
        state.SkipWithError("not every charge was read");
}
BENCHMARK(BM_BareChargeQuery)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime()->MinWarmUpTime(0);

// The company and project lists grow with their rows, too.
void BM_LoadCompanies(benchmark::State &state)
{
    benchSession();
    const int companies = int(state.range(0));
    SamplePlan s;
    s.companies = companies;
    s.projectsPerCompany = 1;
    s.charges = 0;
    s.payments = 0;
    benchDatabase(QStringLiteral("companies%1").arg(companies), s);
    auto w = openWindow();
    ReportList *list = listOf(w.get(), "LvwCompanys");
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        w->LoadCompanies();
        paintList(list);
        state.SetIterationTime(seconds(t));
    }
    if (list->rowCount() != companies)
        state.SkipWithError("not every company was listed");
}
BENCHMARK(BM_LoadCompanies)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_LoadProjects(benchmark::State &state)
{
    benchSession();
    const int projects = int(state.range(0));
    SamplePlan s;
    s.companies = 1;
    s.projectsPerCompany = projects;
    s.charges = 0;
    s.payments = 0;
    benchDatabase(QStringLiteral("projects%1").arg(projects), s);
    auto w = openWindow();
    ReportList *list = listOf(w.get(), "LvwJobs");
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        w->LoadProjects(1);
        paintList(list);
        state.SetIterationTime(seconds(t));
    }
    if (list->rowCount() != projects)
        state.SkipWithError("not every project was listed");
}
BENCHMARK(BM_LoadProjects)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime();

// One second of the live watch over a listed project with running charges,
// the repaint included.
void BM_WatchTick(benchmark::State &state)
{
    benchSession();
    const int charges = int(state.range(0));
    benchDatabase(QStringLiteral("project%1").arg(charges), oneProjectPlan(charges));
    auto w = openWindow();
    w->setRealTimeWatch(false);
    clickFirstCompany(w.get());
    ReportList *hours = listOf(w.get(), "lvwHours");
    // A running charge in sight, so that the repaint is measured.
    for (int row = 0; row < hours->rowCount(); ++row)
        if (hours->cell(row, 3) == QLatin1String("Pending...")) {
            hours->scrollToRow(row);
            break;
        }
    w->onWatchTick(); // the first tick turns passed deadlines into "Done"
    QCoreApplication::processEvents();
    // What each tick repaints of the charge list, against one row's cells.
    struct PaintArea : QObject {
        qint64 pixels = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                for (const QRect &r : static_cast<QPaintEvent *>(e)->region())
                    pixels += qint64(r.width()) * r.height();
            return false;
        }
    } area;
    hours->viewport()->installEventFilter(&area);
    for (auto _ : state) {
        Clock::advance(1);
        QElapsedTimer t;
        t.start();
        w->onWatchTick();
        QCoreApplication::processEvents();
        state.SetIterationTime(seconds(t));
    }
    hours->viewport()->removeEventFilter(&area);
    const QRect viewport = hours->viewport()->rect();
    state.counters["repainted_share_of_viewport"] =
        double(area.pixels) / double(state.iterations()) / double(viewport.width() * viewport.height());
    int running = 0;
    for (int row = 0; row < hours->rowCount(); ++row)
        running += hours->cell(row, 3) == QLatin1String("Pending...");
    if (running == 0)
        state.SkipWithError("no running charge");
    state.counters["charges"] = hours->rowCount();
    state.counters["running"] = running;
}
BENCHMARK(BM_WatchTick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_FillComboFromTable(benchmark::State &state)
{
    benchSession();
    SamplePlan s;
    s.companies = 6000;
    s.projectsPerCompany = 0;
    s.charges = 0;
    s.payments = 0;
    benchDatabase(QStringLiteral("companies6000"), s);
    QComboBox combo;
    for (auto _ : state) {
        modTamberlock::FillComboFromTable(&combo, QStringLiteral("tblCompanys"),
                                          QStringLiteral("lngCompanyID"), QStringLiteral("strCompanyName"),
                                          QStringLiteral("3000"), false);
    }
    if (combo.currentIndex() != 2999)
        state.SkipWithError("wrong item selected");
    state.counters["items"] = combo.count();
}
BENCHMARK(BM_FillComboFromTable)->Unit(benchmark::kMillisecond);

} // namespace
