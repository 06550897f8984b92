// The real-time cost watch: once a second the time left of every listed
// project and the cost, duration and icon of every running charge.
#include "main/frmMain.h"

#include "data/Clock.h"
#include "data/ElapsedSpan.h"
#include "data/RecordStore.h"
#include "widgets/ListModels.h"
#include "widgets/ReportList.h"

#include <QAction>
#include <QCoreApplication>
#include <QTimer>

using namespace modTamberlock;

void frmMain::setRealTimeWatch(bool on)
{
    m_realTimeWatch = on;
    QAction *item = menuItem(QStringLiteral("mnuView"), ViewRealTimeWatch);
    if (on) {
        item->setChecked(true);
        m_watchTimer->start();
    } else {
        item->setChecked(false);
        m_watchTimer->stop();
        QCoreApplication::processEvents();
        m_watchTimer->stop();
    }
}

void frmMain::onWatchTick()
{
    if (m_timerTag == QLatin1String("1"))
        return; // the previous tick is still at work
    m_timerTag = QStringLiteral("1");
    RefreshActiveCosts();
    m_timerTag.clear();
}

void frmMain::RefreshActiveCosts()
{
    // Without a selected project nothing at all is recomputed; the running
    // charges are costed at the rate its row shows.
    const int jobRow = m_projectList->selectedRow();
    if (jobRow < 0)
        return;
    const std::optional<Currency> rate = m_projectRows->shownRate(jobRow);
    if (!rate)
        return;

    const QDateTime now = Clock::now();
    const qint64 nowSeconds = ElapsedSpan::secondsOf(now);
    m_projectRows->tick(nowSeconds);

    if (m_chargeList->rowCount() == 0)
        return;
    const bool costed = m_chargeRows->tick(*rate, nowSeconds, now.time().second() % 4 + 1);
    // A charge without a cost leaves the status bar as it is; an overflowing
    // sum is shown as no total.
    if (!costed || !m_chargeRows->everyRowCosted())
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
    showTotals(m_chargeRows->total(), payments);
}
