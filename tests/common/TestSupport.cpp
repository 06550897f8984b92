#include "common/TestSupport.h"

#include "data/DataPath.h"
#include "data/Formats.h"
#include "data/NewDatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#ifdef Q_OS_LINUX
#include <sys/fsuid.h>
#endif

void DatabaseTest::startScene()
{
    db = std::make_unique<TestDatabase>();
    p = std::make_unique<ScriptedPrompter>();
}

void DatabaseTest::endScene()
{
    const int unexpected = p ? p->unexpected() : 0;
    p.reset();
    db.reset();
    QCOMPARE(unexpected, 0);
}

QStringList databaseRows(const QString &file)
{
    static int counter = 0;
    const QString name = QStringLiteral("testsupport-rows-%1").arg(++counter);
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            for (const char *table : {"tblCompanys", "tblJobs", "tblHours", "tblPayments", "lkuPayTypes"}) {
                if (!q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(table)))) {
                    rows << QStringLiteral("error: ") + q.lastError().text();
                    continue;
                }
                while (q.next()) {
                    QStringList cells{QLatin1String(table)};
                    for (int i = 0; i < q.record().count(); ++i)
                        cells << (q.isNull(i) ? QStringLiteral("<null>") : q.value(i).toString());
                    rows << cells.join(QLatin1Char('|'));
                }
            }
            q.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

namespace {

// Fails the running test function; outside one (a box during start-up of
// the program) the failure is only logged.
void failUnexpected(const QString &what)
{
    if (QTest::currentTestFunction())
        QTest::qFail(qPrintable(what), __FILE__, __LINE__);
    else
        qWarning("%s", qPrintable(what));
}

QString describe(const MessageBoxRequest &request)
{
    return QStringLiteral("Unexpected box: \"%1\" / \"%2\"").arg(request.title, request.text);
}

// Installed while no ScriptedPrompter is: a test that meets a box it did not
// script fails instead of going on as if the box had been closed.
class GuardPrompter final : public Prompter
{
public:
    BoxResult message(const MessageBoxRequest &request) override
    {
        failUnexpected(describe(request));
        return request.buttons == BoxButtons::AbortRetryIgnore ? BoxResult::Abort : BoxResult::Cancel;
    }
    std::optional<QString> input(const InputBoxRequest &request) override
    {
        failUnexpected(QStringLiteral("Unexpected input box: \"%1\"").arg(request.title));
        return std::nullopt;
    }
};

GuardPrompter g_guard;

} // namespace

ScriptedPrompter::ScriptedPrompter() : m_previous(&prompter())
{
    setPrompter(this);
}

ScriptedPrompter::~ScriptedPrompter()
{
    if (&prompter() == this)
        setPrompter(m_previous);
}

void ScriptedPrompter::answer(std::initializer_list<BoxResult> results)
{
    for (BoxResult r : results)
        m_answers.append(r);
}

BoxResult ScriptedPrompter::message(const MessageBoxRequest &request)
{
    Shown s;
    s.message = request;
    m_shown.append(s);
    if (m_beforeAnswer) {
        auto fn = std::move(m_beforeAnswer);
        m_beforeAnswer = nullptr;
        fn();
    }
    if (m_answers.isEmpty()) {
        ++m_unexpected;
        failUnexpected(describe(request));
        return request.buttons == BoxButtons::AbortRetryIgnore ? BoxResult::Abort : BoxResult::Cancel;
    }
    return m_answers.takeFirst();
}

std::optional<QString> ScriptedPrompter::input(const InputBoxRequest &request)
{
    Shown s;
    s.isInput = true;
    s.input = request;
    m_shown.append(s);
    if (m_inputs.isEmpty()) {
        ++m_unexpected;
        failUnexpected(QStringLiteral("Unexpected input box: \"%1\"").arg(request.title));
        return std::nullopt;
    }
    return m_inputs.takeFirst();
}

void ScriptedPrompter::clear()
{
    m_answers.clear();
    m_inputs.clear();
    m_shown.clear();
    m_unexpected = 0;
}

namespace {

// A short-lived direct connection for arranging and checking data.
template <typename Fn> auto withDb(const QString &file, Fn fn)
{
    static int counter = 0;
    const QString name = QStringLiteral("testsupport-%1").arg(++counter);
    struct Remover {
        QString name;
        ~Remover() { QSqlDatabase::removeDatabase(name); }
    } remover{name};
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(file);
    if (!db.open())
        qFatal("cannot open test database %s", qPrintable(file));
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    auto result = fn(q);
    q.finish();
    q = QSqlQuery();
    db.close();
    db = QSqlDatabase();
    return result;
}

int insert(const QString &file, const QString &sql, const QVariantList &values)
{
    return withDb(file, [&](QSqlQuery &q) {
        if (!q.prepare(sql))
            qFatal("prepare failed: %s", qPrintable(q.lastError().text()));
        for (const QVariant &v : values)
            q.addBindValue(v);
        if (!q.exec())
            qFatal("insert failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return q.lastInsertId().toInt();
    });
}

} // namespace

TestDatabase::TestDatabase()
{
    QString error;
    m_valid = m_dir.isValid() && createEmptyDatabase(file(), &error);
    if (!m_valid)
        qWarning("TestDatabase: %s", qPrintable(error));
    setDataPath(folder());
}

TestDatabase::TestDatabase(const TestDatabase &original)
{
    m_valid = m_dir.isValid() && original.isValid() && QFile::copy(original.file(), file());
    if (!m_valid)
        qWarning("TestDatabase: cannot copy %s", qPrintable(original.file()));
    setDataPath(folder());
}

TestDatabase::~TestDatabase() = default;

QString TestDatabase::folder() const
{
    return dataPathFor(m_dir.path());
}

QString TestDatabase::file() const
{
    return folder() + QLatin1String(kDatabaseFileName);
}

QVariant TestDatabase::scalar(const QString &sql) const
{
    return withDb(file(), [&](QSqlQuery &q) {
        if (!q.exec(sql))
            qFatal("query failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return q.next() ? q.value(0) : QVariant();
    });
}

int TestDatabase::count(const QString &table) const
{
    return scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
}

void TestDatabase::exec(const QString &sql) const
{
    withDb(file(), [&](QSqlQuery &q) {
        if (!q.exec(sql))
            qFatal("exec failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return 0;
    });
}

int TestDatabase::addCompany(const QString &name, const QString &contact, const QString &phone,
                             const QString &fax)
{
    return insert(file(),
                  QStringLiteral("INSERT INTO tblCompanys (strCompanyName, "
                                 "strCompanyContact, strCompanyPhone, "
                                 "strCompanyFax, strComments) VALUES (?, ?, ?, ?, 'N/A')"),
                  {name, contact, phone, fax});
}

int TestDatabase::addJob(int companyId, const QString &name, Currency wage, std::optional<OleDate> deadline)
{
    return insert(file(),
                  QStringLiteral("INSERT INTO tblJobs (lngCompanyID, strJobName, "
                                 "curHourlyWage, dtmDeadLine) "
                                 "VALUES (?, ?, ?, ?)"),
                  {companyId, name, qlonglong(wage), deadline ? QVariant(*deadline) : QVariant()});
}

int TestDatabase::addHour(int jobId, OleDate start, std::optional<OleDate> stop)
{
    return insert(file(),
                  QStringLiteral("INSERT INTO tblHours (lngJobID, dtmStartTime, "
                                 "dtmStopTime) VALUES (?, ?, ?)"),
                  {jobId, start, stop ? QVariant(*stop) : QVariant()});
}

int TestDatabase::addPayment(int companyId, Currency amount, OleDate when, const QString &comments,
                             int payType)
{
    return insert(file(),
                  QStringLiteral("INSERT INTO tblPayments (lngCompanyID, "
                                 "curAmount, dtmTransaction, memComments, "
                                 "lngPayTypeID) VALUES (?, ?, ?, ?, ?)"),
                  {companyId, qlonglong(amount), when, comments, payType});
}

DatabaseLocker::DatabaseLocker(const QString &file)
{
    static int counter = 0;
    m_name = QStringLiteral("test-locker-%1").arg(++counter);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(file);
    m_locked = db.open() && QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE"));
}

DatabaseLocker::~DatabaseLocker()
{
    release();
}

void DatabaseLocker::release()
{
    if (m_name.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
    m_locked = false;
}

ReadOnlyDatabase::ReadOnlyDatabase(const TestDatabase &db) : m_folder(db.folder()), m_file(db.file())
{
    const auto rx = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                    QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QFile::setPermissions(m_folder, rx);
    QFile::setPermissions(db.file(),
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
#ifdef Q_OS_LINUX
    m_previous = setfsuid(65534);
#endif
}

ReadOnlyDatabase::~ReadOnlyDatabase()
{
#ifdef Q_OS_LINUX
    setfsuid(m_previous);
#endif
    QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(m_file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

OleDate ole(int year, int month, int day, int hour, int minute, int second)
{
    const auto v = modTamberlock::dateTimeToOle(
        modTamberlock::makeDateTime(QDate(year, month, day), QTime(hour, minute, second)));
    return v.value_or(0.0);
}

void prepareTestApplication()
{
    // Never read or write a person's own settings, and give each test
    // program a settings store of its own: programs run side by side, and one
    // that ticks "Dont ask this again" must not change what another one sees.
    QStandardPaths::setTestModeEnabled(true);
#ifdef Q_OS_LINUX
    // Test databases live in memory-backed storage where there is some: the
    // program flushes every save to disk, which on a real disk is most of the
    // suite's time and tells the tests nothing.
    if (qEnvironmentVariableIsEmpty("TMPDIR") && QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        qputenv("TMPDIR", "/dev/shm");
#endif
    static QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    QCoreApplication::setApplicationName(QStringLiteral("Tamberlock"));
}

int runTestObject(QObject &test, int argc, char **argv)
{
    setPrompter(&g_guard);
    const int failures = QTest::qExec(&test, argc, argv);
    setPrompter(nullptr);
    return failures == 0 ? 0 : 1;
}
