// tamberlock-memory [--charges N]: the peak memory of the program with a
// project of N charges (100 000 unless told) listed in the main window.
//
// The database is generated first; then a fresh process of this program
// (--memory FOLDER) opens the real main window on it, clicks the company and
// reports its own peak resident size, so that nothing the generator used is
// counted.
#include "SampleData.h"

#include "data/Clock.h"
#include "data/DataPath.h"
#include "data/Formats.h"
#include "data/Settings.h"
#include "main/frmMain.h"
#include "widgets/ReportList.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// A field of /proc/self/status in kB, -1 when there is none.
qint64 statusKb(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    // The file reports no size, so it is read whole rather than to its end.
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

double mb(qint64 kb)
{
    return double(kb) / 1024.0;
}

int measure(const QString &folder, int expected)
{
    QTextStream out(stdout);
    setDataPath(folder);
    DontAskSetting::write(QStringLiteral("0"));
    Clock::setNow(modTamberlock::makeDateTime(QDate(2026, 12, 7), QTime(18, 0)));
    const qint64 before = statusKb("VmHWM");

    QElapsedTimer t;
    t.start();
    frmMain w;
    w.show();
    QCoreApplication::processEvents();
    const qint64 started = statusKb("VmHWM");

    auto *companies = w.findChild<ReportList *>(QStringLiteral("LvwCompanys"));
    auto *hours = w.findChild<ReportList *>(QStringLiteral("lvwHours"));
    companies->selectRow(companies->rowOfId(0));
    w.onCompanyListReleased(Qt::LeftButton, {});
    hours->flushRows();
    QCoreApplication::processEvents();
    hours->viewport()->repaint();
    // A few seconds of the watch and a scroll to the end, as a user would.
    for (int i = 0; i < 3; ++i) {
        Clock::advance(1);
        w.onWatchTick();
        QCoreApplication::processEvents();
    }
    hours->scrollToRow(hours->rowCount() - 1);
    hours->viewport()->repaint();
    const double loadSeconds = double(t.nsecsElapsed()) / 1e9;

    out << "charges listed:        " << hours->rowCount() << "\n";
    out << "peak before window:    " << QString::number(mb(before), 'f', 1) << " MB\n";
    out << "peak after start-up:   " << QString::number(mb(started), 'f', 1) << " MB\n";
    out << "peak with charges:     " << QString::number(mb(statusKb("VmHWM")), 'f', 1) << " MB\n";
    out << "resident now:          " << QString::number(mb(statusKb("VmRSS")), 'f', 1) << " MB\n";
    out << "seconds to list them:  " << QString::number(loadSeconds, 'f', 2) << "\n";
    return hours->rowCount() == expected ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Peak memory of Tamberlock with many charges listed."));
    parser.addHelpOption();
    const QCommandLineOption charges(QStringLiteral("charges"), QStringLiteral("Charges on the project."),
                                     QStringLiteral("n"), QStringLiteral("100000"));
    const QCommandLineOption memory(QStringLiteral("memory"),
                                    QStringLiteral("Measure in this process over the database in folder."),
                                    QStringLiteral("folder"));
    parser.addOptions({charges, memory});
    parser.process(app);
    const int n = parser.value(charges).toInt();

    if (parser.isSet(memory))
        return measure(parser.value(memory), n);

    QTemporaryDir dir;
    SamplePlan plan;
    plan.companies = 1;
    plan.projectsPerCompany = 2;
    plan.charges = n;
    plan.chargesOnFirstProject = n;
    QString error;
    const QString folder = dir.path() + QLatin1Char('/');
    if (!generateSampleDatabase(folder + QLatin1String(kDatabaseFileName), plan, &error)) {
        QTextStream(stderr) << "tamberlock-memory: " << error << "\n";
        return 1;
    }
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--memory"), folder, QStringLiteral("--charges"), QString::number(n)});
    if (!child.waitForFinished(-1))
        return 1;
    return child.exitCode();
}
