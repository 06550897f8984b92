#include "data/RunningCharges.h"

#include "data/Connection.h"
#include "data/ElapsedSpan.h"
#include "data/Formats.h"
#include "data/RecordStore.h"
#include "data/StepRunner.h"

#include <QSqlQuery>

using namespace modTamberlock;

namespace RunningCharges {

namespace {

// The running rows as the database can find them without reading every stop
// time into the program: no stop, one of the two "not yet" moments (to the
// second), or a value outside the date range. chargeTimes has the last word.
QString runningCondition()
{
    const OleDate pending = dateTimeTextToOle(QString::fromLatin1(kStopTimePending));
    const double second = 1.0 / 86400.0;
    return QStringLiteral("(h.dtmStopTime IS NULL OR typeof(h.dtmStopTime) NOT IN ('real', 'integer') "
                          "OR abs(h.dtmStopTime) < %1 OR abs(h.dtmStopTime - %2) < %1 "
                          "OR h.dtmStopTime < -657435 OR h.dtmStopTime > 2958466)")
        .arg(second, 0, 'g', 17)
        .arg(pending, 0, 'g', 17);
}

qint32 toId(const QVariant &v)
{
    return v.isNull() ? 0 : qint32(v.toLongLong());
}

} // namespace

std::vector<Charge> read(bool *readFailed)
{
    std::vector<Charge> charges;
    if (readFailed)
        *readFailed = false;
    Connection connection;
    if (!StepRunner::quiet([&] { return connection.open(); })) {
        if (readFailed)
            *readFailed = true;
        return charges;
    }
    QSqlQuery q = connection.newQuery();
    const QString sql =
        QStringLiteral("SELECT h.lngHourID, h.lngJobID, h.dtmStartTime, h.dtmStopTime, j.strJobName, "
                       "j.curHourlyWage, c.strCompanyName FROM tblHours AS h "
                       "LEFT JOIN tblJobs AS j ON j.lngJobID = h.lngJobID "
                       "LEFT JOIN tblCompanys AS c ON c.lngCompanyID = j.lngCompanyID WHERE %1 "
                       "ORDER BY h.dtmStartTime, h.lngHourID;")
            .arg(runningCondition());
    if (!q.exec(sql)) {
        if (readFailed)
            *readFailed = true;
        return charges;
    }
    while (q.next()) {
        const ChargeTimes times = chargeTimes(oleFromStored(q.value(2)), oleFromStored(q.value(3)));
        // A charge without a readable start has no time to show or to stop.
        if (!times.running || !times.start)
            continue;
        Charge c;
        c.id = toId(q.value(0));
        c.projectId = toId(q.value(1));
        c.start = *times.start;
        c.project = q.value(4).toString();
        c.rate = currencyFromStored(q.value(5));
        c.company = q.value(6).toString();
        charges.push_back(c);
    }
    return charges;
}

std::optional<Project> lastProject()
{
    Connection connection;
    if (!StepRunner::quiet([&] { return connection.open(); }))
        return std::nullopt;
    QSqlQuery q = connection.newQuery();
    // The charge added last: keys are never handed out twice, so the highest
    // one is the newest row.
    if (!q.exec(QStringLiteral("SELECT j.lngJobID, j.strJobName FROM tblHours AS h "
                               "JOIN tblJobs AS j ON j.lngJobID = h.lngJobID "
                               "ORDER BY h.lngHourID DESC LIMIT 1;")) ||
        !q.next())
        return std::nullopt;
    return Project{toId(q.value(0)), q.value(1).toString()};
}

QString timeSoFar(const Charge &charge, qint64 now)
{
    return ElapsedSpan::mode5(now - charge.start);
}

QString costSoFar(const Charge &charge, qint64 now)
{
    if (!charge.rate)
        return {};
    const std::optional<Currency> cost = costOfSeconds(now - charge.start, *charge.rate);
    return cost ? formatCurrency(*cost) : QString();
}

StopOutcome stopAt(qint32 chargeId, qint64 stopSeconds)
{
    QVariant job, start, stop;
    bool found = false;
    {
        StepRunner run;
        Connection connection;
        RecordSet row(connection);
        run.setBeforeRetry([&] { return connection.reopen(); });
        run.step([&] { return connection.open(); });
        run.step([&] {
            return row.open(QStringLiteral("SELECT * FROM tblHours WHERE lngHourID = %1;").arg(chargeId));
        });
        if (run.aborted() || run.boxesShown() > 0)
            return StopOutcome::NotRead;
        found = row.hasRow();
        if (found) {
            row.read(QStringLiteral("lngJobID"), job);
            row.read(QStringLiteral("dtmStartTime"), start);
            row.read(QStringLiteral("dtmStopTime"), stop);
        }
    }
    if (!found)
        return StopOutcome::Gone;
    const ChargeTimes times = chargeTimes(oleFromStored(start), oleFromStored(stop));
    if (!times.running)
        return StopOutcome::NotRunning;
    if (!times.start || stopSeconds <= *times.start)
        return StopOutcome::BeforeStart;
    const std::optional<OleDate> stopValue = dateTimeToOle(secondsToDateTime(stopSeconds));
    if (!stopValue)
        return StopOutcome::BeforeStart;
    // The project and start are written back as they were read, so a charge
    // edited meanwhile keeps its edits.
    if (SaveHourRecord(chargeId, toId(job), *oleFromStored(start), *stopValue).isEmpty())
        return StopOutcome::Saved;
    // An error box was shown; after a Retry the stop may be written all the same.
    Connection check;
    if (!StepRunner::quiet([&] { return check.open(); }))
        return StopOutcome::NotSaved;
    QSqlQuery q = check.newQuery();
    if (q.exec(QStringLiteral("SELECT dtmStopTime FROM tblHours WHERE lngHourID = %1;").arg(chargeId)) &&
        q.next() && oleFromStored(q.value(0)) == stopValue)
        return StopOutcome::Saved;
    return StopOutcome::NotSaved;
}

} // namespace RunningCharges
