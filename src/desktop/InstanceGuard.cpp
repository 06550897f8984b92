#include "desktop/InstanceGuard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

const QByteArray kRaise = QByteArrayLiteral("raise\n");

} // namespace

QString InstanceGuard::socketName(const QString &databaseFile)
{
    const QFileInfo info(databaseFile);
    QString path = info.canonicalFilePath();
    if (path.isEmpty())
        path = info.absoluteFilePath();
    // Local socket names live in a folder all users share on some systems.
    const QByteArray key = (QDir::homePath() + QLatin1Char('\n') + path).toUtf8();
    return QStringLiteral("Tamberlock-") +
           QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
}

InstanceGuard::InstanceGuard(const QString &databaseFile, QObject *parent)
    : QObject(parent), m_name(socketName(databaseFile))
{
}

InstanceGuard::~InstanceGuard() = default;

bool InstanceGuard::listening() const
{
    return m_server && m_server->isListening();
}

bool InstanceGuard::otherRunning()
{
    {
        QLocalSocket probe;
        probe.connectToServer(m_name);
        if (probe.waitForConnected(1000)) {
            probe.write(kRaise);
            probe.waitForBytesWritten(1000);
            // The first start reads before it closes; the answer says it did.
            probe.waitForReadyRead(1000);
            probe.disconnectFromServer();
            return true;
        }
    }
    // Nobody answered: whatever socket file is there belongs to a start that
    // is gone.
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (!client->readAll().contains('r'))
                    return;
                client->write("ok\n");
                client->flush();
                emit raiseRequested();
            });
        }
    });
    return false;
}
