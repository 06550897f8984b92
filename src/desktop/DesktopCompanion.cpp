#include "desktop/DesktopCompanion.h"

#include "data/Clock.h"
#include "data/DesktopSettings.h"
#include "data/ElapsedSpan.h"
#include "data/Formats.h"
#include "data/Prompter.h"
#include "data/RecordStore.h"
#include "main/frmMain.h"
#include "widgets/Icons.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>

using namespace modTamberlock;
using RunningCharges::Charge;

namespace {

qint64 nowSeconds()
{
    return ElapsedSpan::secondsOf(Clock::now());
}

QString when(qint64 seconds)
{
    return formatDateTime(secondsToDateTime(seconds));
}

QString chargeName(const Charge &c)
{
    return c.company.isEmpty() ? c.project : c.company + QStringLiteral(" - ") + c.project;
}

QString lines(const QStringList &parts)
{
    return parts.join(QStringLiteral("\r\n"));
}

// The program picture, with a red mark while a charge runs.
QIcon trayIcon(bool running)
{
    if (!running)
        return Icons::program();
    QPixmap pixmap = Icons::program().pixmap(32, 32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(QColor(0xd0, 0x20, 0x20));
    p.drawEllipse(QRectF(17, 17, 14, 14));
    return QIcon(pixmap);
}

} // namespace

std::optional<qint64> AwayTracker::sample(const IdleReading &reading, qint64 nowSeconds, qint64 limitSeconds)
{
    const qint64 idle = qMax<qint64>(0, reading.idleMilliseconds / 1000);
    if (reading.locked || idle >= limitSeconds) {
        // The user left at the last input, not when the limit was reached.
        if (!m_leftAt)
            m_leftAt = nowSeconds - idle;
        return std::nullopt;
    }
    if (!m_leftAt)
        return std::nullopt;
    const qint64 left = *m_leftAt;
    m_leftAt.reset();
    // A lock shorter than the limit is no time away.
    if (nowSeconds - left < limitSeconds)
        return std::nullopt;
    return left;
}

std::vector<qint32> ReminderSchedule::due(const std::vector<Charge> &running, qint64 nowSeconds,
                                          qint64 limitSeconds)
{
    std::vector<qint32> result;
    std::map<qint32, qint64> next;
    for (const Charge &c : running) {
        const auto it = m_next.find(c.id);
        qint64 at = it != m_next.end() ? it->second : c.start + limitSeconds;
        if (nowSeconds >= at) {
            result.push_back(c.id);
            at = nowSeconds + limitSeconds;
        }
        next[c.id] = at;
    }
    // A charge stopped is forgotten; started again it is a new charge.
    m_next = std::move(next);
    return result;
}

DesktopCompanion::DesktopCompanion(frmMain *window, IdleSource idle, QObject *parent)
    : QObject(parent), m_window(window), m_idle(std::move(idle))
{
    m_menu = new QMenu;
    m_menu->setObjectName(QStringLiteral("mnuTray"));
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("tmrDesktop"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &DesktopCompanion::tick);
    if (window)
        connect(window, &frmMain::dataRefreshed, this, [this] { m_stale = true; });
    m_timer->start();
    tick();
}

DesktopCompanion::~DesktopCompanion()
{
    delete m_tray;
    delete m_menu;
}

void DesktopCompanion::showWindow()
{
    if (!m_window || m_window->isClosed())
        return;
    if (m_window->isMinimized())
        m_window->showNormal();
    else
        m_window->show();
    m_window->raise();
    m_window->activateWindow();
    // Some window managers only hand the keyboard over when asked this way.
    if (QWindow *handle = m_window->windowHandle())
        handle->requestActivate();
}

QString DesktopCompanion::trayText(const std::vector<Charge> &running, qint64 now)
{
    if (running.empty())
        return QStringLiteral("Tamberlock: no charge running");
    QStringList text{QStringLiteral("Tamberlock")};
    for (const Charge &c : running) {
        const QString cost = RunningCharges::costSoFar(c, now);
        text << QStringLiteral("%1: %2%3")
                    .arg(chargeName(c), RunningCharges::timeSoFar(c, now),
                         cost.isEmpty() ? QString() : QStringLiteral(", ") + cost);
    }
    return text.join(QLatin1Char('\n'));
}

void DesktopCompanion::tick()
{
    if (m_busy || !m_window || m_window->isClosed())
        return;
    m_busy = true;
    const qint64 now = nowSeconds();
    if (m_stale || now - m_readAt >= 30 || now < m_readAt) {
        m_running = RunningCharges::read();
        m_lastProject = RunningCharges::lastProject();
        m_readAt = now;
        m_stale = false;
    }
    const std::vector<Charge> running = m_running;
    updateTray(running, now);

    if (m_idle) {
        if (const std::optional<IdleReading> reading = m_idle()) {
            const std::optional<qint64> left = m_away.sample(*reading, now, DesktopSettings::awaySeconds());
            if (left && !running.empty()) {
                askAboutAway(running, *left, now);
                // The charges may have changed; the reminders wait for the next read.
                m_busy = false;
                return;
            }
        }
    }
    // No reminder while the user is away: it waits for the question on return.
    if (!m_away.away()) {
        const std::vector<qint32> due = m_reminders.due(running, now, DesktopSettings::reminderSeconds());
        for (const Charge &c : running) {
            if (std::find(due.begin(), due.end(), c.id) != due.end())
                remind(c, now);
        }
    }
    m_busy = false;
}

void DesktopCompanion::updateTray(const std::vector<Charge> &running, qint64 now)
{
    const bool wanted = DesktopSettings::trayShown() && QSystemTrayIcon::isSystemTrayAvailable();
    if (!wanted) {
        if (m_tray)
            m_tray->hide();
        return;
    }
    if (!m_tray) {
        m_tray = new QSystemTrayIcon(trayIcon(false));
        m_tray->setObjectName(QStringLiteral("trayTamberlock"));
        m_tray->setContextMenu(m_menu);
        connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
            if (why == QSystemTrayIcon::Trigger || why == QSystemTrayIcon::DoubleClick)
                showWindow();
        });
        connect(m_tray, &QSystemTrayIcon::messageClicked, this, [this] {
            if (const std::optional<Charge> c = std::exchange(m_remindedCharge, std::nullopt))
                askAboutLongCharge(*c);
        });
        m_wasRunning = false;
    }
    if (!m_tray->isVisible())
        m_tray->show();
    if (m_wasRunning != !running.empty() || m_tray->icon().isNull()) {
        m_wasRunning = !running.empty();
        m_tray->setIcon(trayIcon(m_wasRunning));
    }
    m_tray->setToolTip(trayText(running, now));
    rebuildMenu(running);
}

void DesktopCompanion::rebuildMenu(const std::vector<Charge> &running)
{
    // Rebuilt only when its items change, so an open menu stays put.
    QString key;
    for (const Charge &c : running)
        key += QString::number(c.id) + QLatin1Char(':') + c.project + QLatin1Char('\n');
    if (m_lastProject)
        key += QString::number(m_lastProject->id) + m_lastProject->name;
    if (key == m_menuKey && !m_menu->isEmpty())
        return;
    m_menuKey = key;
    m_menu->clear();
    for (const Charge &c : running) {
        QAction *a = m_menu->addAction(QStringLiteral("Stop %1").arg(c.project));
        a->setObjectName(QStringLiteral("mnuTrayStop_%1").arg(c.id));
        a->setToolTip(chargeName(c));
        const qint32 id = c.id;
        connect(a, &QAction::triggered, this, [this, id] { stop(id, nowSeconds()); });
    }
    if (m_lastProject) {
        QAction *a = m_menu->addAction(QStringLiteral("Start a charge on %1").arg(m_lastProject->name));
        a->setObjectName(QStringLiteral("mnuTrayStart"));
        connect(a, &QAction::triggered, this, &DesktopCompanion::startOnLastProject);
    }
    m_menu->addSeparator();
    QAction *show = m_menu->addAction(QStringLiteral("Show Tamberlock"));
    show->setObjectName(QStringLiteral("mnuTrayShow"));
    connect(show, &QAction::triggered, this, &DesktopCompanion::showWindow);
    QAction *quit = m_menu->addAction(QStringLiteral("Quit"));
    quit->setObjectName(QStringLiteral("mnuTrayQuit"));
    connect(quit, &QAction::triggered, this, [this] {
        if (m_window)
            m_window->close();
    });
}

void DesktopCompanion::startOnLastProject()
{
    if (!m_lastProject || !m_window)
        return;
    const std::optional<OleDate> start = dateTimeToOle(secondsToDateTime(nowSeconds()));
    if (!start)
        return;
    SaveHourRecord(0, m_lastProject->id, *start, dateTimeTextToOle(QString::fromLatin1(kStopTimePending)));
    m_window->RefreshData();
}

void DesktopCompanion::stop(qint32 chargeId, qint64 at, qint64 leftAt)
{
    using RunningCharges::StopOutcome;
    const StopOutcome outcome = RunningCharges::stopAt(chargeId, at);
    const QString nothing = QStringLiteral("Nothing was saved.");
    switch (outcome) {
    case StopOutcome::Saved:
    case StopOutcome::NotRead:
    case StopOutcome::NotSaved: // the error box has said why
        break;
    case StopOutcome::Gone:
        showMessage(QStringLiteral("Charge Deleted"),
                    lines({QStringLiteral("The charge was deleted in the meantime."), QString(), nothing}),
                    BoxIcon::Information);
        break;
    case StopOutcome::NotRunning:
        showMessage(QStringLiteral("Charge Already Stopped"),
                    lines({QStringLiteral("The charge was stopped in the meantime; its stop time stays."),
                           QString(), nothing}),
                    BoxIcon::Information);
        break;
    case StopOutcome::BeforeStart:
        showMessage(
            QStringLiteral("Charge Keeps Running"),
            lines({leftAt >= 0 ? QStringLiteral("The charge started after you left at %1: a stop then "
                                                "would come before its start.")
                                     .arg(when(leftAt))
                               : QStringLiteral("The charge starts later than now."),
                   QString(), QStringLiteral("The charge keeps running. ") + nothing}),
            BoxIcon::Information);
        break;
    }
    if (m_window && !m_window->isClosed())
        m_window->RefreshData();
}

void DesktopCompanion::askAboutAway(const std::vector<Charge> &running, qint64 leftAt, qint64 backAt)
{
    for (const Charge &c : running) {
        const QString cost = RunningCharges::costSoFar(c, backAt);
        const BoxResult answer = prompter().message(
            {QStringLiteral("Welcome Back"),
             lines(
                 {QStringLiteral("You were away from %1 to %2 (%3) while this charge ran:")
                      .arg(when(leftAt), when(backAt), ElapsedSpan::mode5(backAt - leftAt)),
                  QString(),
                  QStringLiteral("%1, started %2: %3 so far%4.")
                      .arg(chargeName(c), when(c.start), RunningCharges::timeSoFar(c, backAt),
                           cost.isEmpty() ? QString() : QStringLiteral(", ") + cost),
                  QString(),
                  QStringLiteral("Keep the time, stop the charge at the moment you left, or stop it now?")}),
             BoxIcon::Question,
             BoxButtons::AbortRetryIgnore,
             1,
             {QStringLiteral("&Keep the Time"), QStringLiteral("Stop When I &Left"),
              QStringLiteral("Stop &Now")}});
        if (answer == BoxResult::Retry)
            stop(c.id, leftAt, leftAt);
        else if (answer == BoxResult::Ignore)
            stop(c.id, nowSeconds());
    }
}

void DesktopCompanion::remind(const Charge &c, qint64 now)
{
    if (m_tray && m_tray->isVisible() && QSystemTrayIcon::supportsMessages()) {
        // The message says it; a click on it asks Stop or Keep.
        m_remindedCharge = c;
        m_tray->showMessage(QStringLiteral("Charge Still Running"),
                            QStringLiteral("%1 has run for %2 since %3. Click here to stop or keep it.")
                                .arg(chargeName(c), RunningCharges::timeSoFar(c, now), when(c.start)),
                            QSystemTrayIcon::Information, 60 * 1000);
        return;
    }
    askAboutLongCharge(c);
}

void DesktopCompanion::askAboutLongCharge(const Charge &c)
{
    const qint64 now = nowSeconds();
    const QString cost = RunningCharges::costSoFar(c, now);
    const BoxResult answer =
        prompter().message({QStringLiteral("Charge Still Running"),
                            lines({QStringLiteral("%1 has run for %2 since %3%4.")
                                       .arg(chargeName(c), RunningCharges::timeSoFar(c, now), when(c.start),
                                            cost.isEmpty() ? QString() : QStringLiteral(", costing ") + cost),
                                   QString(), QStringLiteral("Stop it now, or keep it running?")}),
                            BoxIcon::Question,
                            BoxButtons::YesNo,
                            2,
                            {QStringLiteral("&Stop"), QStringLiteral("&Keep")}});
    if (answer == BoxResult::Yes)
        stop(c.id, nowSeconds());
}
