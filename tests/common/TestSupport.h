#pragma once

#include "data/Prompter.h"
#include "data/Types.h"

#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

class ScriptedPrompter;
class TestDatabase;

// The base of tests whose functions each start from a fresh database and a
// scripted prompter: startScene() makes them in init(), endScene() drops them
// at the start of cleanup(), failing the test if a box came that nobody
// scripted.
class DatabaseTest : public QObject
{
protected:
    void startScene();
    void endScene();

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<ScriptedPrompter> p;
};

// Every row of every table of a database file, as text, read through a
// read-only connection of its own: reading neither creates a missing file
// nor changes an existing one. A table that cannot be read gives one
// "error: ..." row.
QStringList databaseRows(const QString &file);

// A prompter that records every box it is shown and answers from a queue.
// A box that comes when the queue is empty is an unexpected box: it is
// recorded, answered with Abort/Cancel, and fails the running test.
class ScriptedPrompter final : public Prompter
{
public:
    ScriptedPrompter();
    ~ScriptedPrompter() override;

    struct Shown {
        bool isInput = false;
        MessageBoxRequest message;
        InputBoxRequest input;
    };

    // Answers for the coming message boxes, in order.
    void answer(BoxResult result) { m_answers.append(result); }
    void answer(std::initializer_list<BoxResult> results);
    // Answers for the coming input boxes (nothing = Cancel).
    void answerInput(std::optional<QString> text) { m_inputs.append(text); }
    // Runs instead of a queued answer, e.g. to unlock a file before Retry.
    void onNextBox(std::function<void()> fn) { m_beforeAnswer = std::move(fn); }

    BoxResult message(const MessageBoxRequest &request) override;
    std::optional<QString> input(const InputBoxRequest &request) override;

    const QList<Shown> &shown() const { return m_shown; }
    int count() const { return int(m_shown.size()); }
    const MessageBoxRequest &last() const { return m_shown.last().message; }
    int unexpected() const { return m_unexpected; }
    bool allAnswered() const { return m_answers.isEmpty() && m_inputs.isEmpty(); }
    void clear();

private:
    QList<BoxResult> m_answers;
    QList<std::optional<QString>> m_inputs;
    QList<Shown> m_shown;
    std::function<void()> m_beforeAnswer;
    Prompter *m_previous = nullptr;
    int m_unexpected = 0;
};

// A fresh database file made by the same code that makes the shipped one,
// in its own temporary folder, with DataPath pointing there.
class TestDatabase
{
public:
    TestDatabase();
    // A copy of another test database's file, for tests that start many
    // cases from the same rows.
    explicit TestDatabase(const TestDatabase &original);
    ~TestDatabase();

    bool isValid() const { return m_valid; }
    QString folder() const; // with the trailing separator
    QString file() const;

    // Direct SQL for arranging and checking, outside the program's routines.
    QVariant scalar(const QString &sql) const;
    int count(const QString &table) const;
    void exec(const QString &sql) const;

    // Rows inserted directly, returning the new key.
    int addCompany(const QString &name, const QString &contact = {}, const QString &phone = {},
                   const QString &fax = {});
    int addJob(int companyId, const QString &name, Currency wage, std::optional<OleDate> deadline = {});
    int addHour(int jobId, OleDate start, std::optional<OleDate> stop);
    int addPayment(int companyId, Currency amount, OleDate when, const QString &comments = {},
                   int payType = 1);

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};

// Another connection holding an exclusive lock on a database file until it
// is released (or destroyed).
class DatabaseLocker
{
public:
    explicit DatabaseLocker(const QString &file);
    ~DatabaseLocker();
    bool locked() const { return m_locked; }
    void release();

private:
    QString m_name;
    bool m_locked = false;
};

// While it lives, the test database's file is read-only and file permissions
// are checked as an ordinary user, even when the tests run as root (Linux).
class ReadOnlyDatabase
{
public:
    explicit ReadOnlyDatabase(const TestDatabase &db);
    ~ReadOnlyDatabase();

private:
    QString m_folder;
    QString m_file;
    int m_previous = 0;
};

// The bytes of a file (empty when it cannot be read).
QByteArray fileBytes(const QString &path);

// An OLE date from a wall-clock date and time.
OleDate ole(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// The main() of a test program. Each test file is a program of its own with
// one test class, so QtTest's own options (-functions, -o, a function name)
// work as documented. Settings run in test mode, and while no ScriptedPrompter
// is installed every box fails the running test.
int runTestObject(QObject &test, int argc, char **argv);
void prepareTestApplication();

#define TAMBERLOCK_TEST_MAIN_WITH(Application, Class)                                                        \
    int main(int argc, char **argv)                                                                          \
    {                                                                                                        \
        prepareTestApplication();                                                                            \
        Application app(argc, argv);                                                                         \
        Class test;                                                                                          \
        return runTestObject(test, argc, argv);                                                              \
    }

// A test of the data library: no window, no display.
#define TAMBERLOCK_DATA_TEST_MAIN(Class) TAMBERLOCK_TEST_MAIN_WITH(QCoreApplication, Class)
