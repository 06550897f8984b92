#include "MainWindowFixture.h"
#include "common/WidgetTestSupport.h"

#include "data/Clock.h"
#include "data/DataPath.h"
#include "data/Formats.h"
#include "data/Settings.h"
#include "editors/EditorBase.h"
#include "editors/frmComp.h"
#include "editors/frmJob.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>

#ifdef Q_OS_LINUX
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

using namespace MainFixture;

namespace {

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

// Runs fn on a read-only connection of our own: checking must neither create
// a missing file nor change an existing one.
template <typename Fn> auto readOnly(const QString &file, Fn fn) -> decltype(fn(std::declval<QSqlQuery &>()))
{
    static int counter = 0;
    const QString name = QStringLiteral("faults-check-%1").arg(++counter);
    decltype(fn(std::declval<QSqlQuery &>())) result{};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            result = fn(q);
            q.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

QString integrity(const QString &file)
{
    return readOnly(file, [](QSqlQuery &q) {
        return q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next() ? q.value(0).toString()
                                                                            : q.lastError().text();
    });
}

BoxResult resultOf(QChar c)
{
    switch (c.toLatin1()) {
    case 'R': return BoxResult::Retry;
    case 'I': return BoxResult::Ignore;
    default: return BoxResult::Abort;
    }
}

// Answers every box of a routine the same way, however many it shows; the
// answers left over are dropped afterwards by takeShown().
void answerEvery(ScriptedPrompter &p, BoxResult result, int atMost = 64)
{
    for (int i = 0; i < atMost; ++i)
        p.answer(result);
}

QList<MessageBoxRequest> takeShown(ScriptedPrompter &p)
{
    QList<MessageBoxRequest> boxes;
    for (const ScriptedPrompter::Shown &s : p.shown())
        boxes << s.message;
    p.clear();
    return boxes;
}

// An editor of the main window's, switched to a mode as the window switches
// it (0 adds, -1 edits the row with the given key).
template <typename Editor> Editor *openEditor(frmMain *w, int mode, int id)
{
    Editor *e = Editor::showEditor(w);
    w->adoptEditor(e);
    e->SwapFormMode(mode, id);
    return e;
}

QPushButton *okButton(QWidget *editor)
{
    return editor->findChild<QPushButton *>(QStringLiteral("cmdOK"));
}

#ifdef Q_OS_LINUX
// A small file system of its own, so that a write can really run out of room.
class TinyDisk
{
public:
    explicit TinyDisk(int kilobytes)
    {
        if (!m_dir.isValid())
            return;
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        m_mounted = ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                            options.constData()) == 0;
        if (!m_mounted)
            m_error = QString::fromLocal8Bit(strerror(errno));
    }
    ~TinyDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    QString error() const { return m_error; }
    QString path(const QString &name) const { return m_dir.path() + QLatin1Char('/') + name; }
    QString folder() const { return dataPathFor(m_dir.path()); }
    qint64 freeBytes() const
    {
        struct statvfs s;
        if (::statvfs(QFile::encodeName(m_dir.path()).constData(), &s) != 0)
            return -1;
        return qint64(s.f_bavail) * qint64(s.f_frsize);
    }
    // Takes all the room but the given number of bytes.
    bool fillLeaving(qint64 bytes)
    {
        QFile filler(path(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly))
            return false;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
        const qint64 size = QFileInfo(filler.fileName()).size();
        return QFile::resize(filler.fileName(), qMax<qint64>(0, size - bytes)) && freeBytes() >= bytes - 4096;
    }
    void freeRoom() { QFile::remove(path(QStringLiteral("filler"))); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_error;
};
#endif

} // namespace

class FaultsTest : public DatabaseTest
{
    Q_OBJECT

private slots:
    void init()
    {
        DontAskSetting::write(QStringLiteral("0"));
        Clock::setNow(modTamberlock::makeDateTime(QDate(2026, 3, 2), QTime(9, 30)));
        startScene();
    }

    void cleanup()
    {
        endScene();
        closeAllEditors();
        Clock::useSystemClock();
        DontAskSetting::write(QStringLiteral("1"));
        QVERIFY2(QSqlDatabase::connectionNames().isEmpty(),
                 qPrintable(QSqlDatabase::connectionNames().join(QLatin1Char(','))));
    }

    // --- The database file missing at start
    // -------------------------------------

    void missingAtStartShowsTheLoaderBox_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::newRow("abort") << "A";
        QTest::newRow("retry, abort") << "RA";
        QTest::newRow("retry twice, abort") << "RRA";
        // Connect, run the query, read the first row: one box each.
        QTest::newRow("ignore every step") << "III";
    }
    void missingAtStartShowsTheLoaderBox()
    {
        QFETCH(QString, answers);
        QVERIFY(QFile::remove(db->file()));
        for (QChar c : answers)
            p->answer(resultOf(c));
        auto w = openWindow();
        QCOMPARE(p->count(), answers.size());
        QCOMPARE(p->unexpected(), 0);
        QVERIFY(p->allAnswered());
        for (const ScriptedPrompter::Shown &s : p->shown()) {
            QCOMPARE(s.message.title, QStringLiteral("Error!"));
            QCOMPARE(s.message.icon, BoxIcon::Error);
            QCOMPARE(s.message.buttons, BoxButtons::AbortRetryIgnore);
            QCOMPARE(s.message.defaultButton, 2);
            QVERIFY2(
                s.message.text.contains(QStringLiteral("\r\nIn LoadLvwCompanys:    \r\nSELECT lngCompanyID, "
                                                       "strCompanyName, strCompanyContact, strCompanyPhone, "
                                                       "strCompanyFax FROM tblCompanys;")),
                qPrintable(s.message.text));
        }
        // The file cannot be opened: SQLite's "unable to open database file".
        QVERIFY2(p->shown().first().message.text.startsWith(QStringLiteral("14 ")),
                 qPrintable(p->shown().first().message.text));
        QCOMPARE(list(w.get(), "LvwCompanys")->rowCount(), 0);
        QCOMPARE(list(w.get(), "LvwJobs")->rowCount(), 0);
        // The program never makes the file, not even an empty one.
        QVERIFY(!QFileInfo::exists(db->file()));
        QVERIFY(!QFileInfo::exists(db->file() + QStringLiteral("-journal")));
        // The window still works: a reload shows the same box again.
        p->answer(BoxResult::Abort);
        w->RefreshData();
        QCOMPARE(p->count(), answers.size() + 1);
        QCOMPARE(p->last().title, QStringLiteral("Error!"));
        QVERIFY(!QFileInfo::exists(db->file()));
    }

    void retryAfterTheFileIsBackLoadsTheCompanies()
    {
        db->addCompany(QStringLiteral("Acme"));
        db->addCompany(QStringLiteral("Brum"));
        const QByteArray saved = fileBytes(db->file());
        QVERIFY(QFile::remove(db->file()));
        p->answer(BoxResult::Retry);
        p->onNextBox([&] { QVERIFY(writeBytes(db->file(), saved)); });
        auto w = openWindow();
        QCOMPARE(p->count(), 1);
        QCOMPARE(p->unexpected(), 0);
        QCOMPARE(list(w.get(), "LvwCompanys")->rowCount(), 2);
        QCOMPARE(fileBytes(db->file()), saved);
    }

    // --- The file removed while the program runs
    // -----------------------------------

    void fileRemovedWhileRunningKeepsTheEditorOpen()
    {
        const int acme = db->addCompany(QStringLiteral("Acme"));
        auto w = openWindow();
        QCOMPARE(list(w.get(), "LvwCompanys")->rowCount(), 1);
        QCOMPARE(p->count(), 0);
        const QByteArray saved = fileBytes(db->file());
        const QStringList before = databaseRows(db->file());
        QVERIFY(QFile::remove(db->file()));

        QPointer<frmComp> e = openEditor<frmComp>(w.get(), 0, 0);
        e->setBoxText(0, QStringLiteral("Brum Ltd"));
        e->setBoxText(7, QStringLiteral("typed before the file went"));
        p->answer(BoxResult::Abort);
        okButton(e)->click();
        QCOMPARE(p->count(), 1);
        QCOMPARE(p->last().title, QStringLiteral("An Error Occured!"));
        QCOMPARE(p->last().icon, BoxIcon::Warning);
        QVERIFY2(p->last().text.startsWith(QStringLiteral("Error: 14 - ")), qPrintable(p->last().text));
        QVERIFY2(p->last().text.endsWith(QStringLiteral("\r\nFrom: SQLite.")), qPrintable(p->last().text));
        // No notice, the window stays with everything the user typed.
        QVERIFY(e && !e->isClosed() && e->isVisible());
        QCOMPARE(e->boxText(0), QStringLiteral("Brum Ltd"));
        QCOMPARE(e->boxText(7), QStringLiteral("typed before the file went"));
        QVERIFY(!QFileInfo::exists(db->file()));

        // Ignore on every box goes through all steps and still writes nothing.
        p->clear();
        answerEvery(*p, BoxResult::Ignore);
        okButton(e)->click();
        const QList<MessageBoxRequest> boxes = takeShown(*p);
        QVERIFY(boxes.size() > 1);
        for (const MessageBoxRequest &b : boxes)
            QCOMPARE(b.title, QStringLiteral("An Error Occured!"));
        QVERIFY(e && !e->isClosed());
        QVERIFY(!QFileInfo::exists(db->file()));

        // The main window's reload meets the missing file in its loader.
        p->answer(BoxResult::Abort);
        w->RefreshData();
        QCOMPARE(p->count(), 1);
        QCOMPARE(p->last().title, QStringLiteral("Error!"));
        QVERIFY(p->last().text.contains(QStringLiteral("In LoadLvwCompanys:    ")));
        QVERIFY(!QFileInfo::exists(db->file()));

        // The file comes back: the same Ok now saves what the window kept.
        QVERIFY(writeBytes(db->file(), saved));
        p->answer(BoxResult::Ok);
        okButton(e)->click();
        QCOMPARE(p->count(), 2);
        QCOMPARE(p->last().text, QStringLiteral("Record Added Successfully!"));
        QCOMPARE(p->unexpected(), 0);
        QCOMPARE(db->count(QStringLiteral("tblCompanys")), 2);
        QCOMPARE(db->scalar(QStringLiteral("SELECT strComments FROM tblCompanys "
                                           "WHERE lngCompanyID <> %1")
                                .arg(acme))
                     .toString(),
                 QStringLiteral("typed before the file went"));
        QCOMPARE(integrity(db->file()), QStringLiteral("ok"));
        const QStringList after = databaseRows(db->file());
        for (const QString &row : before)
            QVERIFY2(after.contains(row), qPrintable(row));
        QCOMPARE(list(w.get(), "LvwCompanys")->rowCount(), 2);
    }

    void fileRemovedBeforeAnEditLoadShowsTheBoxAndWritesNothing()
    {
        const int acme = db->addCompany(QStringLiteral("Acme"));
        const int site = db->addJob(acme, QStringLiteral("Site"), 400000, ole(2026, 12, 31));
        auto w = openWindow();
        QVERIFY(QFile::remove(db->file()));
        p->answer({BoxResult::Abort, BoxResult::Ok});
        frmJob *e = openEditor<frmJob>(w.get(), -1, site);
        QCOMPARE(p->count(), 2);
        QCOMPARE(p->shown().first().message.title, QStringLiteral("An Error Occured!"));
        QVERIFY(p->shown().first().message.text.startsWith(QStringLiteral("Error: 14 - ")));
        QCOMPARE(e->boxText(1), QString());
        QCOMPARE(p->last().title, QStringLiteral("Record Not Loaded"));
        okButton(e)->click();
        QCOMPARE(p->count(), 2);
        QVERIFY(!e->isClosed());
        QVERIFY(!QFileInfo::exists(db->file()));
    }

    // --- A read-only file
    // ---------------------------------------------------------

#ifdef Q_OS_LINUX
    void readOnlyFileRefusesTheSave_data()
    {
        QTest::addColumn<BoxResult>("answer");
        QTest::newRow("abort") << BoxResult::Abort;
        QTest::newRow("ignore") << BoxResult::Ignore;
        QTest::newRow("retry, then abort") << BoxResult::Retry;
    }
    void readOnlyFileRefusesTheSave()
    {
        QFETCH(BoxResult, answer);
        const int acme = db->addCompany(QStringLiteral("Acme"));
        auto w = openWindow();
        QPointer<frmComp> e = openEditor<frmComp>(w.get(), -1, acme);
        QCOMPARE(p->count(), 0);
        e->setBoxText(0, QStringLiteral("Acme Renamed"));
        const QByteArray before = fileBytes(db->file());
        QStringList messages;
        {
            ReadOnlyDatabase readOnlyFile(*db);
            p->answer(answer);
            if (answer == BoxResult::Retry)
                p->answer(BoxResult::Abort);
            okButton(e)->click();
            for (const ScriptedPrompter::Shown &s : p->shown())
                messages << s.message.text;
        }
        // Only the write step fails: the row could be read.
        QCOMPARE(p->count(), answer == BoxResult::Retry ? 2 : 1);
        QCOMPARE(p->last().title, QStringLiteral("An Error Occured!"));
        for (const QString &m : std::as_const(messages))
            QVERIFY2(m.contains(QStringLiteral("readonly")) || m.contains(QStringLiteral("read-only")),
                     qPrintable(m));
        QVERIFY(e && !e->isClosed());
        QCOMPARE(e->boxText(0), QStringLiteral("Acme Renamed"));
        QCOMPARE(fileBytes(db->file()), before);
        QCOMPARE(integrity(db->file()), QStringLiteral("ok"));
        QCOMPARE(db->scalar(QStringLiteral("SELECT strCompanyName FROM tblCompanys")).toString(),
                 QStringLiteral("Acme"));
    }

    void readOnlyFileKeepsTheRowsTheMenusWouldDelete()
    {
        const int acme = db->addCompany(QStringLiteral("Acme"));
        const int site = db->addJob(acme, QStringLiteral("Site"), 400000, ole(2026, 12, 31));
        db->addHour(site, ole(2026, 3, 1, 9), ole(2026, 3, 1, 11));
        auto w = openWindowOn(acme);
        QCOMPARE(list(w.get(), "lvwHours")->rowCount(), 1);
        const QByteArray before = fileBytes(db->file());
        {
            ReadOnlyDatabase readOnlyFile(*db);
            // Delete the company (Yes), the database refuses; then a new charge.
            p->answer({BoxResult::Yes, BoxResult::Abort});
            w->onCompanyMenu(frmMain::CompanyDelete);
            QCOMPARE(p->count(), 2);
            QCOMPARE(p->last().title, QStringLiteral("An Error Occured!"));
            p->answer(BoxResult::Abort);
            w->onChargeMenu(frmMain::ChargeStartNew);
            QCOMPARE(p->count(), 3);
            QCOMPARE(p->last().title, QStringLiteral("An Error Occured!"));
        }
        QCOMPARE(fileBytes(db->file()), before);
        QCOMPARE(list(w.get(), "LvwCompanys")->rowCount(), 1);
        QCOMPARE(list(w.get(), "lvwHours")->rowCount(), 1);
        QCOMPARE(db->count(QStringLiteral("tblHours")), 1);
    }
#endif

    // --- A file locked by another process for a while
    // -------------------------------

    void retryAfterTheLockGoesCompletesTheEditorsSave()
    {
        const int acme = db->addCompany(QStringLiteral("Acme"));
        auto w = openWindow();
        QPointer<frmComp> e = openEditor<frmComp>(w.get(), 0, 0);
        e->setBoxText(0, QStringLiteral("Locked Out Ltd"));
        auto locker = std::make_unique<DatabaseLocker>(db->file());
        QVERIFY(locker->locked());
        p->answer(BoxResult::Retry);
        p->onNextBox([&] { locker->release(); });
        okButton(e)->click();
        QCOMPARE(p->count(), 1);
        QCOMPARE(p->last().title, QStringLiteral("An Error Occured!"));
        QVERIFY2(p->last().text.contains(QStringLiteral("locked")), qPrintable(p->last().text));
        // The row is written once; the window stays open, as after any box.
        QCOMPARE(db->count(QStringLiteral("tblCompanys")), 2);
        QCOMPARE(db->scalar(QStringLiteral("SELECT strCompanyName FROM tblCompanys "
                                           "WHERE lngCompanyID <> %1")
                                .arg(acme))
                     .toString(),
                 QStringLiteral("Locked Out Ltd"));
        QVERIFY(e && !e->isClosed());
        QCOMPARE(integrity(db->file()), QStringLiteral("ok"));
    }

    void lockThatStaysAbortsWithNothingWritten()
    {
        const int acme = db->addCompany(QStringLiteral("Acme"));
        auto w = openWindow();
        QPointer<frmComp> e = openEditor<frmComp>(w.get(), -1, acme);
        e->setBoxText(0, QStringLiteral("Acme Changed"));
        const QStringList before = databaseRows(db->file());
        {
            DatabaseLocker locker(db->file());
            QVERIFY(locker.locked());
            p->answer({BoxResult::Retry, BoxResult::Abort});
            okButton(e)->click();
        }
        QCOMPARE(p->count(), 2);
        QVERIFY(p->last().text.contains(QStringLiteral("locked")));
        QVERIFY(e && !e->isClosed());
        QCOMPARE(databaseRows(db->file()), before);
        // Once the lock is gone the same window saves.
        p->answer(BoxResult::Ok);
        okButton(e)->click();
        QCOMPARE(p->last().text, QStringLiteral("Record Saved."));
        QCOMPARE(db->scalar(QStringLiteral("SELECT strCompanyName FROM tblCompanys")).toString(),
                 QStringLiteral("Acme Changed"));
    }

    void retryAfterTheLockGoesCompletesTheReload()
    {
        db->addCompany(QStringLiteral("Acme"));
        auto w = openWindow();
        db->addCompany(QStringLiteral("Brum"));
        auto locker = std::make_unique<DatabaseLocker>(db->file());
        QVERIFY(locker->locked());
        p->answer(BoxResult::Retry);
        p->onNextBox([&] { locker->release(); });
        w->RefreshData();
        QCOMPARE(p->count(), 1);
        QCOMPARE(p->last().title, QStringLiteral("Error!"));
        QVERIFY(p->last().text.contains(QStringLiteral("In LoadLvwCompanys:    ")));
        QCOMPARE(list(w.get(), "LvwCompanys")->rowCount(), 2);
    }

    // --- A file that is not a database
    // ------------------------------------------------

    void notADatabaseIsLeftAsItWas_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<BoxResult>("answer");
        const QByteArray text = QByteArray("Quarterly notes, not a database at all.\n").repeated(300);
        QTest::newRow("text, abort") << text << BoxResult::Abort;
        QTest::newRow("text, ignore") << text << BoxResult::Ignore;
        QTest::newRow("empty, abort") << QByteArray() << BoxResult::Abort;
        QTest::newRow("empty, ignore") << QByteArray() << BoxResult::Ignore;
        QByteArray header("SQLite format 3");
        header.append('\0');
        header.append(QByteArray(4080, '\xff'));
        QTest::newRow("broken header, abort") << header << BoxResult::Abort;
    }
    void notADatabaseIsLeftAsItWas()
    {
        QFETCH(QByteArray, content);
        QFETCH(BoxResult, answer);
        const int acme = db->addCompany(QStringLiteral("Acme"));
        db->addJob(acme, QStringLiteral("Site"), 400000, ole(2026, 12, 31));
        auto w = openWindow();
        QCOMPARE(list(w.get(), "LvwCompanys")->rowCount(), 1);
        clickRowWithText(list(w.get(), "LvwCompanys"), acme);

        // Replaced while the program runs.
        QVERIFY(writeBytes(db->file(), content));
        const QByteArray before = fileBytes(db->file());

        // A new charge on the selected project, then deleting the company.
        QCOMPARE(list(w.get(), "LvwJobs")->rowCount(), 1);
        answerEvery(*p, answer);
        w->onChargeMenu(frmMain::ChargeStartNew);
        QList<MessageBoxRequest> boxes = takeShown(*p);
        QVERIFY(!boxes.isEmpty());
        QCOMPARE(boxes.first().title, QStringLiteral("An Error Occured!"));
        QCOMPARE(fileBytes(db->file()), before);
        p->answer(BoxResult::Yes);
        answerEvery(*p, answer);
        w->onCompanyMenu(frmMain::CompanyDelete);
        boxes = takeShown(*p);
        QVERIFY(boxes.size() >= 2);
        QCOMPARE(boxes.at(1).title, QStringLiteral("An Error Occured!"));
        QCOMPARE(fileBytes(db->file()), before);

        answerEvery(*p, answer);
        w->RefreshData();
        boxes = takeShown(*p);
        QVERIFY(!boxes.isEmpty());
        for (const MessageBoxRequest &b : std::as_const(boxes))
            QCOMPARE(b.title, QStringLiteral("Error!"));
        QVERIFY(boxes.first().text.contains(QStringLiteral("In LoadLvwCompanys:    ")));
        QCOMPARE(list(w.get(), "LvwCompanys")->rowCount(), 0);
        QCOMPARE(fileBytes(db->file()), before);

        QPointer<frmComp> e = openEditor<frmComp>(w.get(), 0, 0);
        e->setBoxText(0, QStringLiteral("Nowhere Inc"));
        answerEvery(*p, answer);
        okButton(e)->click();
        boxes = takeShown(*p);
        QVERIFY(!boxes.isEmpty());
        for (const MessageBoxRequest &b : std::as_const(boxes))
            QCOMPARE(b.title, QStringLiteral("An Error Occured!"));
        QVERIFY(e && !e->isClosed());
        QCOMPARE(e->boxText(0), QStringLiteral("Nowhere Inc"));

        QCOMPARE(fileBytes(db->file()), before);
        QCOMPARE(QFileInfo(db->file()).size(), qint64(content.size()));
        QVERIFY(!QFileInfo::exists(db->file() + QStringLiteral("-journal")));
    }

    void notADatabaseAtStartShowsTheLoaderBox_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("number");
        QTest::newRow("text") << QByteArray("not a database\n").repeated(500) << "26 ";
        QTest::newRow("empty") << QByteArray() << "1 ";
    }
    void notADatabaseAtStartShowsTheLoaderBox()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, number);
        QVERIFY(writeBytes(db->file(), content));
        p->answer(BoxResult::Abort);
        auto w = openWindow();
        QCOMPARE(p->count(), 1);
        QCOMPARE(p->last().title, QStringLiteral("Error!"));
        QVERIFY2(p->last().text.startsWith(number), qPrintable(p->last().text));
        QVERIFY(p->last().text.contains(QStringLiteral("\r\nIn LoadLvwCompanys:    \r\n")));
        QCOMPARE(fileBytes(db->file()), content);
    }

    // --- The disk full in the middle of a save
    // -----------------------------------------

#ifdef Q_OS_LINUX
    void diskFullInTheMiddleOfASave_data()
    {
        QTest::addColumn<BoxResult>("answer");
        QTest::newRow("abort") << BoxResult::Abort;
        QTest::newRow("retry after room is made") << BoxResult::Retry;
    }
    void diskFullInTheMiddleOfASave()
    {
        QFETCH(BoxResult, answer);
        if (geteuid() != 0)
            QSKIP("a small file system of its own needs root to mount");
        TinyDisk disk(320);
        if (!disk.mounted())
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs here: ") + disk.error()));

        TestDatabase made;
        const int acme = made.addCompany(QStringLiteral("Acme"), QStringLiteral("Ann"));
        const int site = made.addJob(acme, QStringLiteral("Site"), 400000, ole(2026, 12, 31));
        made.addHour(site, ole(2026, 3, 1, 9), ole(2026, 3, 1, 11));
        made.addPayment(acme, 1250000, ole(2026, 3, 1), QStringLiteral("first"));
        const QString file = disk.path(QString::fromLatin1(kDatabaseFileName));
        QVERIFY(QFile::copy(made.file(), file));
        setDataPath(disk.folder());
        const QStringList before = databaseRows(file);
        QVERIFY(before.size() > 5);

        auto w = openWindow();
        QCOMPARE(list(w.get(), "LvwCompanys")->rowCount(), 1);
        QPointer<frmComp> e = openEditor<frmComp>(w.get(), 0, 0);
        e->setBoxText(0, QStringLiteral("Big Notes Ltd"));
        // About 120 KB of comments: more than the room left, less than the disk.
        QString comments;
        for (int i = 0; comments.size() < 120000; ++i)
            comments += QStringLiteral("Line %1 of the meeting notes; nothing may be lost. ").arg(i);
        e->setBoxText(7, comments);
        QVERIFY(disk.fillLeaving(24 * 1024));

        p->answer(answer);
        if (answer == BoxResult::Retry) {
            p->onNextBox([&] { disk.freeRoom(); });
        }
        okButton(e)->click();
        QVERIFY(p->count() >= 1);
        const MessageBoxRequest full = p->shown().first().message;
        QCOMPARE(full.title, QStringLiteral("An Error Occured!"));
        QVERIFY2(full.text.startsWith(QStringLiteral("Error: 13 - ")), qPrintable(full.text));
        QVERIFY2(full.text.contains(QStringLiteral("full")), qPrintable(full.text));
        QCOMPARE(p->count(), 1);
        QVERIFY(e && !e->isClosed());
        QCOMPARE(e->boxText(7), comments);

        disk.freeRoom();
        QCOMPARE(integrity(file), QStringLiteral("ok"));
        QVERIFY(!QFileInfo::exists(file + QStringLiteral("-journal")));
        const QStringList after = databaseRows(file);
        for (const QString &row : before)
            QVERIFY2(after.contains(row), qPrintable(row));
        const QString newRow = readOnly(file, [](QSqlQuery &q) {
            return q.exec(QStringLiteral("SELECT strComments FROM tblCompanys WHERE "
                                         "strCompanyName = 'Big Notes Ltd'")) &&
                           q.next()
                       ? q.value(0).toString()
                       : QString();
        });
        if (answer == BoxResult::Abort) {
            QCOMPARE(after.size(), before.size());
            QCOMPARE(newRow, QString());
        } else {
            QCOMPARE(after.size(), before.size() + 1);
            QCOMPARE(newRow, comments);
        }
        QCOMPARE(p->unexpected(), 0);
        closeAllEditors();
        w.reset();
    }
#endif
};

TAMBERLOCK_TEST_MAIN(FaultsTest)
#include "tst_Faults.moc"
