#include "data/Clock.h"

namespace {
bool g_fixed = false;
QDateTime g_now;
} // namespace

namespace Clock {

QDateTime now()
{
    if (g_fixed)
        return g_now;
    const QDateTime local = QDateTime::currentDateTime();
    return QDateTime(local.date(), local.time(), Qt::UTC);
}

void setNow(const QDateTime &wallClock)
{
    g_fixed = true;
    g_now = QDateTime(wallClock.date(), wallClock.time(), Qt::UTC);
}

void advance(qint64 seconds)
{
    if (!g_fixed)
        setNow(now());
    g_now = g_now.addSecs(seconds);
}

void useSystemClock()
{
    g_fixed = false;
}

bool isFixed()
{
    return g_fixed;
}

} // namespace Clock
