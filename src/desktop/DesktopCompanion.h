#pragma once

#include "data/RunningCharges.h"
#include "desktop/IdleReading.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class frmMain;

// Tells when the user came back after time away: fed one reading a second,
// it gives the moment the user left once input comes again after at least
// the away limit.
class AwayTracker
{
public:
    std::optional<qint64> sample(const IdleReading &reading, qint64 nowSeconds, qint64 limitSeconds);
    bool away() const { return m_leftAt.has_value(); }

private:
    std::optional<qint64> m_leftAt;
};

// Which running charges are due a reminder: a charge first when it has run
// for the limit, then each time the limit has passed again since the last
// reminder, never more often.
class ReminderSchedule
{
public:
    std::vector<qint32> due(const std::vector<RunningCharges::Charge> &running, qint64 nowSeconds,
                            qint64 limitSeconds);

private:
    std::map<qint32, qint64> m_next;
};

// The main window's companions on the desktop: the tray icon with its
// running charges, the question after time away and the reminder of a charge
// left running. Driven by a one-second timer of its own, so they work also
// while the real-time watch is off.
class DesktopCompanion : public QObject
{
    Q_OBJECT

public:
    // idle may be empty: the question after time away is then off.
    DesktopCompanion(frmMain *window, IdleSource idle, QObject *parent = nullptr);
    ~DesktopCompanion() override;

    // One second's work: the tray, the away question, the reminders.
    void tick();

    // The main window forward, from the tray or a second start.
    void showWindow();

    // The question after time away, for each running charge; and the
    // reminder's question for one charge. Public for the tests.
    void askAboutAway(const std::vector<RunningCharges::Charge> &running, qint64 leftAt, qint64 backAt);
    void askAboutLongCharge(const RunningCharges::Charge &charge);

    QSystemTrayIcon *tray() const { return m_tray; }
    QMenu *trayMenu() const { return m_menu; }
    // The tooltip text for the running charges at a moment.
    static QString trayText(const std::vector<RunningCharges::Charge> &running, qint64 nowSeconds);

private:
    void updateTray(const std::vector<RunningCharges::Charge> &running, qint64 now);
    void rebuildMenu(const std::vector<RunningCharges::Charge> &running);
    void remind(const RunningCharges::Charge &charge, qint64 now);
    void stop(qint32 chargeId, qint64 at, qint64 leftAt = -1);
    void startOnLastProject();

    QPointer<frmMain> m_window;
    IdleSource m_idle;
    QTimer *m_timer = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    QMenu *m_menu = nullptr;
    QString m_menuKey;
    std::optional<RunningCharges::Project> m_lastProject;
    std::optional<RunningCharges::Charge> m_remindedCharge;
    // The running charges as last read: again after each reload of the
    // main window (every change the program makes) and twice a minute.
    std::vector<RunningCharges::Charge> m_running;
    qint64 m_readAt = 0;
    bool m_stale = true;
    bool m_wasRunning = false;
    bool m_busy = false;
    AwayTracker m_away;
    ReminderSchedule m_reminders;
};
