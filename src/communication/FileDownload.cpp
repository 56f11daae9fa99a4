#include "FileDownload.h"

#include "FileSystem.h"

#include "CommunicationMetaTypes.h"
#include "DataPaths.h"
#include "GetRequest.h"
#include "Logger.h"
#include "ProtocolTypes.h"
#include "WebSocketClient.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTimer>
#include <QtCore/QtEndian>

#include <limits>

FileDownload::FileDownload(WebSocketClient *client, const QString &fileName, const QString &directory, int fileType,
    int requestType, int timeoutMs)
    : FileTransferThread(
        client, fileName, fileType, timeoutMs, QStringLiteral("FileDownload"), QStringLiteral("download"))
    , m_directory(directory)
    , m_requestType(requestType)
{
    // fileReceived carries a FileTransfer across threads.
    registerCommunicationMetaTypes();
}

FileDownload::~FileDownload()
{
    quit();
    wait();
}

QString FileDownload::targetPath() const
{
    return m_directory + QLatin1Char('/') + m_fileName;
}

qint64 FileDownload::announcedSize(const FileTransfer &start)
{
    const QByteArray &data = start.data();
    if (data.size() != int(sizeof(quint64)))
        return -1;
    const quint64 size = qFromBigEndian<quint64>(data.constData());
    return size > quint64(std::numeric_limits<qint64>::max()) ? std::numeric_limits<qint64>::max() : qint64(size);
}

bool FileDownload::isChunkOfStream(const FileTransfer &message)
{
    return !message.isAck() && message.selector() == Protocol::kChunkedSelector
           && (message.progress() == Protocol::kProgressStart || message.progress() >= 0);
}

void FileDownload::run()
{
    QMutexLocker locker(&m_lock);
    if (!clientReady()) {
        refuseStart(QStringLiteral("Download of %1 not started: no connection").arg(m_fileName));
        return;
    }
    // The name becomes part of a local path; callers check it where it
    // arrives, this is the last line before the disk.
    if (DataPaths::safeFileName(m_fileName).isEmpty()) {
        refuseStart(QStringLiteral("Refusing the file name \"%1\"").arg(m_fileName));
        return;
    }
    QFile target(targetPath());
    if (target.exists()) {
        if (!target.remove()) {
            Logger::warn(QStringLiteral("FileDownload::run: Cannot remove the old %1").arg(targetPath()));
            emit errorOccured(m_fileType);
            cleanUpLocked();
            handBack();
            return;
        }
    } else {
        QDir().mkpath(m_directory);
    }
    m_sizeLimit = m_maxSize;
    beginTransfer();
    Logger::info(QStringLiteral("FileDownload::run: Download of %1 started").arg(m_fileName));
    emit sendMessage(
        GetRequest(qint32(m_client->nextMessageId()), false, m_requestType, Protocol::kChunkedSelector, m_fileName)
            .serialize());
    locker.unlock();
    runUntilEnded();
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

bool FileDownload::acceptStartLocked(const FileTransfer &start)
{
    // One request, one stream: a second start would truncate the file and
    // let a peer stream for ever below any size limit.
    if (m_started) {
        failAndRemoveLocked(
            QStringLiteral("FileDownload::onMessageReceived: A second start message for %1 was refused").arg(m_fileName));
        return false;
    }
    const qint64 announced = announcedSize(start);
    if (announced > m_sizeLimit) {
        failAndRemoveLocked(QStringLiteral("FileDownload::onMessageReceived: %1 announces %2 bytes, more than the %3 "
                                           "accepted")
                                .arg(m_fileName)
                                .arg(announced)
                                .arg(m_sizeLimit));
        return false;
    }
    if (announced >= 0)
        m_sizeLimit = announced;
    m_started = true;
    // A failure here shows on the first chunk, which finds no file.
    QFile target(targetPath());
    if (target.open(QIODevice::WriteOnly | QIODevice::Truncate))
        FileSystem::makePrivate(target);
    return true;
}

void FileDownload::onMessageReceived(const QByteArray &byteArray)
{
    QMutexLocker locker(&m_lock);
    if (!m_isActive)
        return;
    if (MessageBase(byteArray).commandType() != CommandType::FileTransfer)
        return;
    const FileTransfer message(byteArray);
    // The connection carries other files meanwhile (a server's lists share
    // the chunk selector): a message of another type is not ours to judge.
    if (message.fileType() != m_fileType)
        return;
    if (message.filename() != m_fileName) {
        failLocked(
            QStringLiteral("FileDownload::onMessageReceived: Got FileType %1 \"%2\" while downloading type %3 "
                           "\"%4\"")
                .arg(QString::number(message.fileType()), message.filename(), QString::number(m_fileType), m_fileName));
        return;
    }
    m_timeoutTimer->stop();

    switch (message.progress()) {
    case Protocol::kProgressStart:
        if (!acceptStartLocked(message))
            return;
        break;
    case Protocol::kProgressEnd:
        completeLocked();
        return;
    default: {
        // Checked before the write: the file never holds more than the limit.
        if (m_bytesReceived + message.data().size() > m_sizeLimit) {
            failAndRemoveLocked(
                QStringLiteral("FileDownload::onMessageReceived: %1 grows past its limit of %2 bytes")
                    .arg(m_fileName)
                    .arg(m_sizeLimit));
            return;
        }
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
        m_bytesReceived += message.data().size();
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

void FileDownload::failAndRemoveLocked(const QString &why)
{
    // What a hostile stream left behind is no partial file worth keeping.
    QFile::remove(targetPath());
    failLocked(why);
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

void FileDownload::onFileTransferComplete()
{
    QMutexLocker locker(&m_lock);
    if (!m_isActive)
        return;
    completeLocked();
}
