// The real-time cost watch: once a second the time left of every listed
// project and the cost, duration and icon of every running charge.
#include "main/frmMain.h"

#include "data/Clock.h"
#include "data/Formats.h"
#include "data/RecordStore.h"
#include "main/ElapsedSpan.h"
#include "widgets/ReportList.h"

#include <QAction>
#include <QCoreApplication>
#include <QTimer>

using namespace modTamberlock;

namespace {

// What the "$#,##0.00" text of an amount reads back as: the amount to the
// cent, half a cent away from zero.
Currency toTheCent(Currency amount)
{
    const Currency magnitude = amount < 0 ? -amount : amount;
    const Currency cents = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);
    return amount < 0 ? -cents * 100 : cents * 100;
}

} // namespace

void frmMain::setRealTimeWatch(bool on)
{
    m_realTimeWatch = on;
    QAction *item = menuItem(QStringLiteral("mnuView"), 2);
    if (on) {
        item->setChecked(true);
        m_tmrRealTimeCost->start();
    } else {
        item->setChecked(false);
        m_tmrRealTimeCost->stop();
        QCoreApplication::processEvents();
        m_tmrRealTimeCost->stop();
    }
}

void frmMain::tmrRealTimeCost_Timer()
{
    if (m_timerTag == QLatin1String("1"))
        return; // the previous tick is still at work
    m_timerTag = QStringLiteral("1");
    RefreshActiveCosts();
    m_timerTag.clear();
}

// The list cells the watch reads never change after a load except through
// the watch itself, so what it needs of them is read once per row.
void frmMain::syncJobWatch()
{
    if (m_jobWatchGeneration != m_lvwJobs->generation()) {
        m_jobWatch.clear();
        m_jobWatchGeneration = m_lvwJobs->generation();
    }
    const int rows = m_lvwJobs->rowCount();
    while (int(m_jobWatch.size()) < rows) {
        const int row = m_lvwJobs->rowOfId(int(m_jobWatch.size()));
        JobWatch w;
        // A missing or pending deadline makes the span end now: zero.
        const QString deadline = formatDateTimeText(m_lvwJobs->cell(row, 4));
        if (!IsPendingTime(deadline)) {
            if (const std::optional<QDateTime> at = parseDateTime(deadline)) {
                w.zeroSpan = false;
                w.deadline = ElapsedSpan::secondsOf(*at);
            }
        }
        m_jobWatch.push_back(w);
    }
}

void frmMain::syncHourWatch()
{
    if (m_hourWatchGeneration != m_lvwHours->generation()) {
        m_hourWatch.clear();
        m_hourWatchGeneration = m_lvwHours->generation();
    }
    const int rows = m_lvwHours->rowCount();
    while (int(m_hourWatch.size()) < rows) {
        const int row = m_lvwHours->rowOfId(int(m_hourWatch.size()));
        HourWatch w;
        w.running = IsPendingTime(m_lvwHours->cell(row, 3));
        if (const std::optional<QDateTime> start = parseDateTime(m_lvwHours->cell(row, 2))) {
            w.startValid = true;
            w.start = ElapsedSpan::secondsOf(*start);
        }
        w.cost = parseCurrency(m_lvwHours->cell(row, 4));
        m_hourWatch.push_back(w);
    }
}

void frmMain::RefreshActiveCosts()
{
    // Without a selected project nothing at all is recomputed.
    const int jobRow = m_lvwJobs->selectedRow();
    if (jobRow < 0)
        return;
    const std::optional<Currency> rate = parseCurrency(m_lvwJobs->cell(jobRow, 3));
    if (!rate)
        return;

    const QDateTime now = Clock::now();
    const qint64 nowSeconds = ElapsedSpan::secondsOf(now);

    if (m_lvwJobs->rowCount() > 0) {
        syncJobWatch();
        const QString zero = ElapsedSpan::mode6(0);
        m_lvwJobs->beginUpdate();
        for (int row = 0; row < m_lvwJobs->rowCount(); ++row) {
            const JobWatch &w = m_jobWatch[size_t(m_lvwJobs->rowId(row))];
            if (w.zeroSpan) {
                m_lvwJobs->setCell(row, 5, zero);
                continue;
            }
            const qint64 left = w.deadline - nowSeconds;
            // A negative span (the deadline has passed) reads "Done".
            m_lvwJobs->setCell(row, 5, left < 0 ? QStringLiteral("Done") : ElapsedSpan::mode6(left));
        }
        m_lvwJobs->endUpdate();
    }

    if (m_lvwHours->rowCount() == 0)
        return;
    syncHourWatch();
    const int frame = now.time().second() % 4 + 1;
    // An overflowing sum is no total; the costs themselves still update.
    std::optional<Currency> total = 0;
    bool failed = false;
    m_lvwHours->beginUpdate();
    for (int row = 0; row < m_lvwHours->rowCount(); ++row) {
        HourWatch &w = m_hourWatch[size_t(m_lvwHours->rowId(row))];
        if (w.running) {
            const qint64 spent = w.startValid ? nowSeconds - w.start : 0;
            const std::optional<Currency> cost = costOfHours(ElapsedSpan::mode2(spent), *rate);
            if (!cost) {
                failed = true;
                break;
            }
            m_lvwHours->setCell(row, 4, QLatin1Char(' ') + formatCurrency(*cost));
            w.cost = toTheCent(*cost);
            m_lvwHours->setCell(row, 5, ElapsedSpan::mode5(spent));
            m_lvwHours->setRowIcon(row, frame);
        }
        if (!w.cost) {
            failed = true;
            break;
        }
        if (total)
            total = addCurrency(*total, *w.cost);
    }
    m_lvwHours->endUpdate();
    if (failed)
        return;

    // The payments are those of the company whose projects are listed, not of
    // a row the keyboard has moved to since; with none loaded the status bar
    // keeps its amounts.
    if (m_loadedCompany == 0)
        return;
    // A file that cannot be read just now (locked, say) ends the
    // recomputation: the status bar keeps its amounts until the next tick.
    bool readFailed = false;
    const std::optional<Currency> payments = GetCompanyCredits(m_loadedCompany, &readFailed);
    if (readFailed)
        return;
    showTotals(total, payments);
}
