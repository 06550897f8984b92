#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One Tamberlock per database file. The first start listens on a local socket
// named after the file; a later start on the same file finds it, asks the
// first to come forward and ends. A socket left by a killed start answers
// nobody and is taken over.
class InstanceGuard : public QObject
{
    Q_OBJECT

public:
    // The socket name for a database file: the same for every spelling of
    // its path, different per user.
    static QString socketName(const QString &databaseFile);

    explicit InstanceGuard(const QString &databaseFile, QObject *parent = nullptr);
    ~InstanceGuard() override;

    // True when another start on the same file answered and was asked to
    // come forward; this start should then end. Otherwise this start now
    // listens (or, when it cannot, runs on unguarded).
    bool otherRunning();
    bool listening() const;

signals:
    // A later start asked this one to come forward.
    void raiseRequested();

private:
    QString m_name;
    QLocalServer *m_server = nullptr;
};
