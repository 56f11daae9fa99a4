#include "FileTransferThread.h"

#include "Logger.h"
#include "WebSocketClient.h"

#include <QtCore/QTimer>

FileTransferThread::FileTransferThread(WebSocketClient *client, const QString &fileName, int fileType, int timeoutMs,
    const QString &className, const QString &kind)
    : m_client(client)
    , m_fileName(fileName)
    , m_className(className)
    , m_fileType(fileType)
    , m_timeoutTimer(new QTimer(this))
    , m_kind(kind)
    , m_ownerThread(QThread::currentThread())
{
    setObjectName(className + QLatin1Char(' ') + fileName);
    m_timeoutTimer->setInterval(timeoutMs);
    if (client) {
        connect(client, &QObject::destroyed, this, &FileTransferThread::onClientDestroyed);
        connect(
            client, &WebSocketClient::isProtocolConnectedChanged, this, &FileTransferThread::onClientConnectionChanged);
        connect(client, &WebSocketClient::binaryMessageReceived, this, &FileTransferThread::onMessageReceived);
        connect(this, &FileTransferThread::sendMessage, client, &WebSocketClient::sendMessage);
    }
    connect(this, &FileTransferThread::requestTimerStop, m_timeoutTimer, &QTimer::stop);
    connect(m_timeoutTimer, &QTimer::timeout, this, &FileTransferThread::onTimeoutTimerTimeout);
    // From here on every slot above runs queued in the transfer's own thread.
    moveToThread(this);
}

bool FileTransferThread::clientReady() const
{
    return m_client && m_client->isProtocolConnected();
}

void FileTransferThread::refuseStart(const QString &why)
{
    Logger::warn(m_className + QStringLiteral("::run: ") + why);
    emit errorOccured(m_fileType);
    // Idle again, like every other ended transfer; nothing was locked or sent.
    m_fileType = 0;
    emit fileTypeChanged(0);
    handBack();
}

void FileTransferThread::handBack()
{
    moveToThread(m_ownerThread);
}

void FileTransferThread::beginTransfer()
{
    const int type = m_fileType;
    m_isActive = true;
    emit isActiveChanged(type);
    emit fileTypeChanged(type);
    emit requestStartPreventLock();
}

void FileTransferThread::runUntilEnded()
{
    m_timeoutTimer->start();
    exec();
    if (m_client)
        disconnect(m_client, nullptr, this, nullptr);
    handBack();
}

void FileTransferThread::onClientConnectionChanged()
{
    QMutexLocker locker(&m_lock);
    if (!m_isActive || clientReady())
        return;
    failLocked(QStringLiteral("%1::onClientConnectionChanged: Link lost during the %2 of %3")
                   .arg(m_className, m_kind, m_fileName));
}

void FileTransferThread::onClientDestroyed()
{
    QMutexLocker locker(&m_lock);
    m_client = nullptr;
    if (!m_isActive)
        return;
    failLocked(QStringLiteral("%1::onClientDestroyed: Transport gone during the %2 of %3")
                   .arg(m_className, m_kind, m_fileName));
}

void FileTransferThread::onTimeoutTimerTimeout()
{
    QMutexLocker locker(&m_lock);
    if (!m_isActive)
        return;
    failLocked(QStringLiteral("%1::onTimeoutTimerTimeout: No answer within %2 ms during the %3 of %4")
                   .arg(m_className)
                   .arg(m_timeoutTimer->interval())
                   .arg(m_kind, m_fileName));
}
