#include "SingleInstance.h"

#include "Logger.h"

#include <QtCore/QDir>
#include <QtCore/QLockFile>
#include <QtNetwork/QLocalServer>
#include <QtNetwork/QLocalSocket>

namespace {
constexpr int kConnectTimeoutMs = 2000;
const QByteArray kRaiseCommand("raise\n");
}

const QString &SingleInstance::serverName()
{
    static const QString name = QStringLiteral("Kelvara");
    return name;
}

SingleInstance::SingleInstance()
    : m_lock(std::make_unique<QLockFile>(QDir::tempPath() + QStringLiteral("/Kelvara.lock")))
{
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    if (m_lock->tryLock(0))
        return true;
    // The lock of a crashed instance is stale: its process is gone.
    if (m_lock->error() == QLockFile::LockFailedError && m_lock->removeStaleLockFile() && m_lock->tryLock(0))
        return true;
    notifyRunningInstance();
    return false;
}

bool SingleInstance::notifyRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(kRaiseCommand);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::listen()
{
    if (m_server)
        return;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket left behind by a crashed run is ours to remove.
    QLocalServer::removeServer(serverName());
    if (!m_server->listen(serverName()))
        Logger::warn(QStringLiteral("SingleInstance::listen: %1").arg(m_server->errorString()));
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains("raise"))
                emit raiseRequested();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}
