#include "BenchSupport.h"

#include "data/Clock.h"
#include "data/DataPath.h"
#include "data/Formats.h"
#include "data/Settings.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

namespace {
QTemporaryDir &root()
{
    static QTemporaryDir dir;
    return dir;
}
QHash<QString, QString> &made()
{
    static QHash<QString, QString> m;
    return m;
}
} // namespace

QString benchDatabase(const QString &key, const SamplePlan &plan)
{
    if (!made().contains(key)) {
        const QString folder = root().path() + QLatin1Char('/') + key + QLatin1Char('/');
        QDir().mkpath(folder);
        QString error;
        if (!generateSampleDatabase(folder + QLatin1String(kDatabaseFileName), plan, &error))
            qFatal("cannot generate %s: %s", qPrintable(key), qPrintable(error));
        made().insert(key, folder);
    }
    setDataPath(made().value(key));
    return made().value(key);
}

QString freshCopy(const QString &key, const SamplePlan &plan)
{
    const QString source = benchDatabase(key, plan);
    static int n = 0;
    const QString folder = root().path() + QStringLiteral("/copy%1/").arg(++n);
    QDir().mkpath(folder);
    QFile::copy(source + QLatin1String(kDatabaseFileName), folder + QLatin1String(kDatabaseFileName));
    setDataPath(folder);
    return folder;
}

void benchSession()
{
    DontAskSetting::write(QStringLiteral("0"));
    Clock::setNow(modTamberlock::makeDateTime(QDate(2026, 12, 7), QTime(18, 0)));
}
