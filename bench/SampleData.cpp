#include "SampleData.h"

#include "data/Formats.h"
#include "data/NewDatabase.h"
#include "data/Types.h"

#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const char *const kNames[] = {"Acme",     "Brumvale", "Cobblestone", "Delta",    "Evergreen",
                              "Foxglove", "Granite",  "Harbor",      "Ironwood", "Juniper",
                              "Kestrel",  "Larch",    "Meridian",    "Northgate"};
const char *const kSuffixes[] = {"Ltd", "Inc", "& Sons", "Works", "Group", "Studio", "Partners"};
const char *const kWork[] = {"Web Site", "Inventory", "Payroll", "Migration", "Audit", "Redesign", "Support"};

OleDate oleOf(const QDateTime &dt)
{
    return modTamberlock::dateTimeToOle(dt).value_or(0.0);
}

} // namespace

bool generateSampleDatabase(const QString &path, const SamplePlan &plan, QString *error)
{
    if (!createEmptyDatabase(path, error))
        return false;
    QRandomGenerator rng(plan.seed);
    const QString name = QStringLiteral("tamberlock-sample");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        auto run = [&](QSqlQuery &query) {
            if (ok && !query.exec()) {
                ok = false;
                if (error)
                    *error = query.lastError().text();
            }
        };
        ok = ok && q.exec(QStringLiteral("PRAGMA foreign_keys = ON")) && q.exec(QStringLiteral("BEGIN"));

        QSqlQuery company(db), job(db), hour(db), payment(db);
        company.prepare(QStringLiteral(
            "INSERT INTO tblCompanys (strCompanyName, strCompanyWeb, strCompanyAddr1, strCompanyCity, "
            "strCompanyState, strCompanyZip, strComments, strCompanyContact, strCompanyEmail, "
            "strCompanyPhone, "
            "strCompanyFax) VALUES (?, ?, ?, ?, ?, ?, 'N/A', ?, ?, ?, ?)"));
        job.prepare(QStringLiteral("INSERT INTO tblJobs (lngCompanyID, strJobName, curHourlyWage, "
                                   "dtmDeadLine) VALUES (?, ?, ?, ?)"));
        hour.prepare(
            QStringLiteral("INSERT INTO tblHours (lngJobID, dtmStartTime, dtmStopTime) VALUES (?, ?, ?)"));
        payment.prepare(QStringLiteral("INSERT INTO tblPayments (lngCompanyID, curAmount, dtmTransaction, "
                                       "memComments, lngPayTypeID) VALUES (?, ?, ?, ?, ?)"));

        const QDateTime base = modTamberlock::makeDateTime(QDate(2026, 12, 1), QTime(9, 0));
        const QDateTime today = modTamberlock::makeDateTime(QDate(2026, 12, 7), QTime(8, 0));
        const OleDate pending = oleOf(*modTamberlock::parseDateTime(QLatin1String(kStopTimePending)));
        for (int c = 1; ok && c <= plan.companies; ++c) {
            const QString cname = QStringLiteral("%1 %2").arg(QLatin1String(kNames[(c - 1) % 14]),
                                                              QLatin1String(kSuffixes[(c - 1) % 7]));
            company.addBindValue(c <= 14 ? cname : cname + QStringLiteral(" %1").arg(c));
            company.addBindValue(QStringLiteral("http://www.company%1.example/").arg(c));
            company.addBindValue(QStringLiteral("%1 Main Street").arg(rng.bounded(1, 999)));
            company.addBindValue(QStringLiteral("Boston"));
            company.addBindValue(QStringLiteral("MA"));
            company.addBindValue(QStringLiteral("0%1-0000").arg(rng.bounded(2100, 2299)));
            company.addBindValue(QStringLiteral("Contact %1").arg(c));
            company.addBindValue(QStringLiteral("contact%1@company%1.example").arg(c));
            company.addBindValue(QStringLiteral("(617) 555-%1").arg(rng.bounded(1000, 9999)));
            company.addBindValue(QStringLiteral("(617) 555-%1").arg(rng.bounded(1000, 9999)));
            run(company);
        }
        const int projects = plan.companies * plan.projectsPerCompany;
        for (int j = 0; ok && j < projects; ++j) {
            job.addBindValue(j / plan.projectsPerCompany + 1);
            job.addBindValue(QStringLiteral("%1 %2").arg(QLatin1String(kWork[j % 7])).arg(j + 1));
            job.addBindValue(qlonglong(rng.bounded(25, 150)) * kCurrencyScale + 5000 * rng.bounded(2));
            job.addBindValue(oleOf(base.addDays(rng.bounded(-400, 400))));
            run(job);
        }
        for (int h = 0; ok && projects > 0 && h < plan.charges; ++h) {
            int jobId;
            if (plan.chargesOnFirstProject >= 0)
                jobId = h < plan.chargesOnFirstProject ? 1 : 2 + (h % qMax(1, projects - 1));
            else
                jobId = 1 + h % projects;
            jobId = qMin(jobId, projects);
            const bool running = rng.generateDouble() < plan.runningShare;
            // Finished work lies in the past; running charges were started on the
            // generator's "today", 7 December 2026, so their costs stay believable.
            const QDateTime start =
                running ? today.addSecs(rng.bounded(0, 8 * 3600))
                        : base.addSecs(-qint64(plan.charges - h) * 3600 * 3 - rng.bounded(0, 3600));
            hour.addBindValue(jobId);
            hour.addBindValue(oleOf(start));
            hour.addBindValue(running ? pending : oleOf(start.addSecs(rng.bounded(600, 4 * 3600))));
            run(hour);
        }
        for (int p = 0; ok && plan.companies > 0 && p < plan.payments; ++p) {
            payment.addBindValue(1 + p % plan.companies);
            payment.addBindValue(qlonglong(rng.bounded(50, 5000)) * kCurrencyScale);
            payment.addBindValue(oleOf(base.addDays(-(p % 3650)).addSecs(rng.bounded(0, 86399))));
            payment.addBindValue(QStringLiteral("Invoice %1").arg(1000 + p));
            payment.addBindValue(1 + rng.bounded(3));
            run(payment);
        }
        if (ok)
            ok = q.exec(QStringLiteral("COMMIT"));
        company.finish();
        job.finish();
        hour.finish();
        payment.finish();
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}
