#include "common/TestSupport.h"

#include "data/DataPath.h"
#include "data/Formats.h"
#include "data/NewDatabase.h"
#include "editors/EditorBase.h"

#include <QApplication>
#include <QFile>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <vector>

#ifdef Q_OS_LINUX
#include <sys/fsuid.h>
#endif

ScriptedPrompter::ScriptedPrompter()
{
    setPrompter(this);
}

ScriptedPrompter::~ScriptedPrompter()
{
    if (&prompter() == this)
        setPrompter(nullptr);
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
        qWarning("Unexpected box: %s / %s", qPrintable(request.title), qPrintable(request.text));
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
        qWarning("Unexpected input box: %s", qPrintable(request.title));
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
    return insert(
        file(),
        QStringLiteral("INSERT INTO tblCompanys (strCompanyName, strCompanyContact, strCompanyPhone, "
                       "strCompanyFax, strComments) VALUES (?, ?, ?, ?, 'N/A')"),
        {name, contact, phone, fax});
}

int TestDatabase::addJob(int companyId, const QString &name, Currency wage, std::optional<OleDate> deadline)
{
    return insert(file(),
                  QStringLiteral("INSERT INTO tblJobs (lngCompanyID, strJobName, curHourlyWage, dtmDeadLine) "
                                 "VALUES (?, ?, ?, ?)"),
                  {companyId, name, qlonglong(wage), deadline ? QVariant(*deadline) : QVariant()});
}

int TestDatabase::addHour(int jobId, OleDate start, std::optional<OleDate> stop)
{
    return insert(
        file(), QStringLiteral("INSERT INTO tblHours (lngJobID, dtmStartTime, dtmStopTime) VALUES (?, ?, ?)"),
        {jobId, start, stop ? QVariant(*stop) : QVariant()});
}

int TestDatabase::addPayment(int companyId, Currency amount, OleDate when, const QString &comments,
                             int payType)
{
    return insert(
        file(),
        QStringLiteral("INSERT INTO tblPayments (lngCompanyID, curAmount, dtmTransaction, memComments, "
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

void closeAllEditors()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *e = qobject_cast<EditorBase *>(w)) {
            if (!e->isClosed())
                e->close();
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

OleDate ole(int year, int month, int day, int hour, int minute, int second)
{
    const auto v = modTamberlock::dateTimeToOle(
        modTamberlock::makeDateTime(QDate(year, month, day), QTime(hour, minute, second)));
    return v.value_or(0.0);
}

namespace {
std::vector<std::pair<const char *, TestFactory>> &registry()
{
    static std::vector<std::pair<const char *, TestFactory>> r;
    return r;
}
} // namespace

void registerTestClass(const char *name, TestFactory factory)
{
    registry().emplace_back(name, std::move(factory));
}

int runRegisteredTests(int argc, char **argv)
{
    int failures = 0;
    // "-class Name" runs one class; the other arguments go to QTest.
    QString only;
    std::vector<char *> args;
    for (int i = 0; i < argc; ++i) {
        if (QByteArray(argv[i]) == "-class" && i + 1 < argc) {
            only = QString::fromLocal8Bit(argv[++i]);
            continue;
        }
        args.push_back(argv[i]);
    }
    for (auto &[name, factory] : registry()) {
        if (!only.isEmpty() && only != QLatin1String(name))
            continue;
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), int(args.size()), args.data());
    }
    return failures;
}
