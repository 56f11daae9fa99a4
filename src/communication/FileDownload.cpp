#include "FileDownload.h"

#include "CommunicationMetaTypes.h"
#include "GetRequest.h"
#include "Logger.h"
#include "ProtocolTypes.h"
#include "TransferWiring.h"
#include "WebSocketClient.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTimer>

FileDownload::FileDownload(WebSocketClient *client, const QString &fileName, const QString &directory, int fileType,
    int requestType, int timeoutMs)
    : m_client(client)
    , m_ownerThread(QThread::currentThread())
    , m_fileName(fileName)
    , m_directory(directory)
    , m_requestType(requestType)
    , m_fileType(fileType)
    , m_timeoutTimer(new QTimer(this))
{
    // fileReceived carries a FileTransfer across threads.
    registerCommunicationMetaTypes();
    setObjectName(QStringLiteral("FileDownload ") + fileName);
    m_timeoutTimer->setInterval(timeoutMs);
    attachTransfer(this, client, m_timeoutTimer);
}

FileDownload::~FileDownload()
{
    quit();
    wait();
}

bool FileDownload::isPlainFileName(const QString &fileName)
{
    return !fileName.isEmpty() && fileName != QLatin1String(".") && fileName != QLatin1String("..")
        && !fileName.contains(QLatin1Char('/')) && !fileName.contains(QLatin1Char('\\'))
        && !fileName.contains(QLatin1Char(':'));
}

QString FileDownload::targetPath() const
{
    return m_directory + QLatin1Char('/') + m_fileName;
}

bool FileDownload::clientReady() const
{
    return m_client && m_client->isProtocolConnected();
}

void FileDownload::run()
{
    {
        QMutexLocker locker(&m_lock);
        const int type = m_fileType;
        if (!clientReady()) {
            Logger::warn(
                QStringLiteral("FileDownload::run: Download of %1 not started: no connection").arg(m_fileName));
            emit errorOccured(type);
            // Idle again, like every other ended transfer; nothing was locked or sent.
            m_fileType = 0;
            emit fileTypeChanged(0);
            locker.unlock();
            moveToThread(m_ownerThread);
            return;
        }
        // The name comes from the peer's file list; a folder part could
        // place the file anywhere on this machine.
        if (!isPlainFileName(m_fileName)) {
            Logger::warn(QStringLiteral("FileDownload::run: Refusing the file name \"%1\"").arg(m_fileName));
            emit errorOccured(type);
            m_fileType = 0;
            emit fileTypeChanged(0);
            locker.unlock();
            moveToThread(m_ownerThread);
            return;
        }
        QFile target(targetPath());
        if (target.exists()) {
            if (!target.remove()) {
                Logger::warn(QStringLiteral("FileDownload::run: Cannot remove the old %1").arg(targetPath()));
                emit errorOccured(type);
                cleanUpLocked();
                locker.unlock();
                moveToThread(m_ownerThread);
                return;
            }
        } else {
            QDir().mkpath(m_directory);
        }
        m_isActive = true;
        emit isActiveChanged(type);
        emit fileTypeChanged(type);
        emit requestStartPreventLock();
        Logger::info(QStringLiteral("FileDownload::run: Download of %1 started").arg(m_fileName));
        emit sendMessage(
            GetRequest(qint32(m_client->nextMessageId()), false, m_requestType, Protocol::kChunkedSelector, m_fileName)
                .serialize());
        m_timeoutTimer->start();
    }
    exec();

    if (m_client)
        disconnect(m_client, nullptr, this, nullptr);
    moveToThread(m_ownerThread);
}

bool FileDownload::openForAppendLocked(QFile &target, const QByteArray &data) const
{
    // ExistingOnly stands in for a separate exists() check: a missing target
    // is a failure, never silently created here. Unbuffered because every
    // chunk goes out in one write.
    target.setFileName(targetPath());
    return !data.isEmpty()
           && target.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::ExistingOnly | QIODevice::Unbuffered);
}

void FileDownload::onMessageReceived(const QByteArray &byteArray)
{
    QMutexLocker locker(&m_lock);
    if (!m_isActive)
        return;
    if (MessageBase(byteArray).commandType() != CommandType::FileTransfer)
        return;
    const FileTransfer message(byteArray);
    if (message.fileType() != m_fileType || message.filename() != m_fileName) {
        failLocked(
            QStringLiteral("FileDownload::onMessageReceived: Got FileType %1 \"%2\" while downloading type %3 "
                           "\"%4\"")
                .arg(QString::number(message.fileType()), message.filename(), QString::number(m_fileType), m_fileName));
        return;
    }
    m_timeoutTimer->stop();

    switch (message.progress()) {
    case Protocol::kProgressStart: {
        // A failure here shows on the first chunk, which finds no file.
        QFile target(targetPath());
        if (target.open(QIODevice::WriteOnly | QIODevice::Truncate))
            target.close();
        break;
    }
    case Protocol::kProgressEnd:
        completeLocked();
        return;
    default: {
        QFile target;
        if (!openForAppendLocked(target, message.data())) {
            failLocked(QStringLiteral("FileDownload::onMessageReceived: Cannot append %1 bytes to %2")
                           .arg(message.data().size())
                           .arg(targetPath()));
            return;
        }
        if (!clientReady()) {
            failLocked(QStringLiteral("FileDownload::onMessageReceived: No connection to acknowledge %1").arg(m_fileName));
            return;
        }
        // The target is open, so the chunk is accepted: the acknowledgement
        // leaves before the bytes go to disk, and the peer's next chunk is
        // already on its way while this one is written.
        emit sendMessage(message.acknowledgement().serialize());
        m_timeoutTimer->start();
        const bool written = target.write(message.data()) == message.data().size();
        target.close();
        if (!written) {
            failLocked(QStringLiteral("FileDownload::onMessageReceived: Cannot append %1 bytes to %2")
                           .arg(message.data().size())
                           .arg(targetPath()));
            return;
        }
        // Many chunks share one percent value; only a real change crosses
        // over to the GUI thread.
        if (m_progress != message.progress()) {
            m_progress = message.progress();
            emit progressChanged(m_fileType);
        }
        return;
    }
    }

    if (!clientReady()) {
        failLocked(QStringLiteral("FileDownload::onMessageReceived: No connection to acknowledge %1").arg(m_fileName));
        return;
    }
    emit sendMessage(message.acknowledgement().serialize());
    m_timeoutTimer->start();
}

void FileDownload::completeLocked()
{
    const int type = m_fileType;
    Logger::info(QStringLiteral("FileDownload::onMessageReceived: Download of %1 finished").arg(m_fileName));
    emit fileReceived(FileTransfer(0, false, type, m_directory, m_fileName, 0, QByteArray(), 0));
    emit successfullyFinished(type);
    cleanUpLocked();
    quit();
}

void FileDownload::failLocked(const QString &why)
{
    Logger::warn(why);
    emit errorOccured(m_fileType);
    cleanUpLocked();
    quit();
}

void FileDownload::cleanUpLocked()
{
    emit requestTimerStop();
    m_isActive = false;
    m_progress = 0;
    m_fileType = 0;
    emit progressChanged(0);
    emit isActiveChanged(0);
    emit fileTypeChanged(0);
    emit requestEndPreventLock();
}

void FileDownload::requestCancel()
{
    QMutexLocker locker(&m_lock);
    if (!m_isActive)
        return;
    Logger::info(QStringLiteral("FileDownload::requestCancel: Download of %1 canceled").arg(m_fileName));
    emit canceled(m_fileType);
    cleanUpLocked();
    quit();
}

void FileDownload::onClientConnectionChanged()
{
    QMutexLocker locker(&m_lock);
    if (!m_isActive || clientReady())
        return;
    failLocked(
        QStringLiteral("FileDownload::onClientConnectionChanged: Link lost during the download of %1").arg(m_fileName));
}

void FileDownload::onClientDestroyed()
{
    QMutexLocker locker(&m_lock);
    m_client = nullptr;
    if (!m_isActive)
        return;
    failLocked(
        QStringLiteral("FileDownload::onClientDestroyed: Transport gone during the download of %1").arg(m_fileName));
}

void FileDownload::onTimeoutTimerTimeout()
{
    QMutexLocker locker(&m_lock);
    if (!m_isActive)
        return;
    failLocked(QStringLiteral("FileDownload::onTimeoutTimerTimeout: No answer within %1 ms during the download of %2")
                   .arg(m_timeoutTimer->interval())
                   .arg(m_fileName));
}

void FileDownload::onFileTransferComplete()
{
    QMutexLocker locker(&m_lock);
    if (!m_isActive)
        return;
    completeLocked();
}
