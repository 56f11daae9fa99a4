#include "SingleInstance.h"

#include "Logger.h"

#include <QtCore/QCryptographicHash>
#include <QtCore/QDir>
#include <QtCore/QLockFile>
#include <QtNetwork/QLocalServer>
#include <QtNetwork/QLocalSocket>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {
constexpr int kConnectTimeoutMs = 2000;
const QByteArray kRaiseCommand("raise\n");

/// Socket and lock-file names allow few characters; a key with others is hashed.
QString safeSuffix(const QString &userKey)
{
    static const QString kAllowed = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_");
    const bool plain = !userKey.isEmpty() && userKey.size() <= 32
                       && std::all_of(userKey.cbegin(), userKey.cend(), [](QChar c) { return kAllowed.contains(c); });
    if (plain)
        return userKey;
    return QString::fromLatin1(QCryptographicHash::hash(userKey.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}
} // namespace

QString SingleInstance::currentUserKey()
{
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    // Named pipes share one namespace across the sessions of a machine.
    return qEnvironmentVariable("USERDOMAIN") + QLatin1Char('_') + qEnvironmentVariable("USERNAME");
#endif
}

QString SingleInstance::serverName(const QString &userKey)
{
    return QStringLiteral("Kelvara-") + safeSuffix(userKey);
}

QString SingleInstance::lockFilePath(const QString &userKey)
{
    return QDir::tempPath() + QLatin1Char('/') + serverName(userKey) + QStringLiteral(".lock");
}

SingleInstance::SingleInstance(const QString &userKey)
    : m_serverName(serverName(userKey))
    , m_lock(std::make_unique<QLockFile>(lockFilePath(userKey)))
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

bool SingleInstance::notifyRunningInstance() const
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
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
    QLocalServer::removeServer(m_serverName);
    if (!m_server->listen(m_serverName))
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
