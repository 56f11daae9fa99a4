#include "FileUpload.h"

#include "FileTransfer.h"
#include "Logger.h"
#include "ProtocolTypes.h"
#include "WebSocketClient.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTimer>

#include <limits>

FileUpload::FileUpload(
    WebSocketClient *client, const QString &fileName, const QString &filePath, int fileType, int timeoutMs)
    : FileTransferThread(client, fileName, fileType, timeoutMs, QStringLiteral("FileUpload"), QStringLiteral("upload"))
    , m_filePath(filePath)
{
}

FileUpload::~FileUpload()
{
    quit();
    wait();
}

quint32 FileUpload::nextChunkSize(quint32 chunkSize, double elapsedMs)
{
    quint32 target = 0;
    if (elapsedMs > 0.0) {
        const double rate = chunkSize / (elapsedMs / 1000.0);
        const double wanted = rate * 0.9;
        target = wanted >= double(std::numeric_limits<quint32>::max()) ? std::numeric_limits<quint32>::max()
                                                                       : quint32(wanted);
    }
    // An unbounded rate (0 ms) truncates to 0 and so falls to the lower bound.
    const quint32 candidate = qMin(3 * chunkSize, target);
    return candidate < kMinChunkSize ? kMinChunkSize : qMin(candidate, kMaxChunkSize);
}

QTime FileUpload::estimatedTime() const
{
    const int ms = m_estimatedMs;
    return ms < 0 ? QTime() : QTime::fromMSecsSinceStartOfDay(ms);
}

quint32 FileUpload::nextId()
{
    return m_client ? m_client->nextMessageId() : 0;
}

void FileUpload::run()
{
    const QFileInfo info(m_filePath);
    const int type = m_fileType;
    // Positions are 32-bit on the wire, so files of 2 GiB and more are refused up front.
    if (!clientReady() || !info.isFile() || info.size() > std::numeric_limits<qint32>::max()) {
        refuseStart(QStringLiteral("Upload of %1 not started: no connection, or the file is missing or too large")
                        .arg(m_filePath));
        return;
    }
    m_fileSize = info.size();
    m_client->setPingSuppressed(true);
    beginTransfer();
    m_overallClock.start();
    Logger::info(QStringLiteral("FileUpload::run: Upload of %1 (%2 bytes) started").arg(m_fileName).arg(m_fileSize));

    emit sendMessage(FileTransfer(qint32(nextId()), false, type, QStringLiteral(""), m_fileName,
        Protocol::kChunkedSelector, QByteArray(), Protocol::kProgressStart)
                         .serialize());
    runUntilEnded();
}

void FileUpload::onMessageReceived(const QByteArray &byteArray)
{
    QMutexLocker locker(&m_lock);
    if (!m_isActive)
        return;
    const MessageBase header(byteArray);
    if (!header.isAck() || header.commandType() != CommandType::FileTransfer)
        return;
    const FileTransfer acknowledgement(byteArray);
    if (acknowledgement.fileType() != m_fileType) {
        failLocked(QStringLiteral("FileUpload::onMessageReceived: Acknowledgement with FileType %1 during an upload of "
                            "type %2")
                 .arg(acknowledgement.fileType())
                 .arg(int(m_fileType)));
        return;
    }
    m_timeoutTimer->stop();

    if (m_bytesSent >= qint32(m_fileSize)) {
        const int type = m_fileType;
        emit sendMessage(FileTransfer(qint32(nextId()), false, type, QStringLiteral(""), m_fileName,
            Protocol::kChunkedSelector, QByteArray(), Protocol::kProgressEnd)
                             .serialize());
        Logger::info(QStringLiteral("FileUpload::onMessageReceived: Upload of %1 finished in %2 ms")
                         .arg(m_fileName)
                         .arg(m_overallClock.elapsed()));
        emit successfullyFinished(type);
        reset();
        end();
        return;
    }

    if (m_chunkClock.isValid()) {
        // Sub-millisecond resolution: on a fast link a whole-millisecond clock
        // reads 0 and would shrink every chunk to the 32-byte minimum.
        const double elapsedMs = double(m_chunkClock.nsecsElapsed()) / 1e6;
        m_chunkClock.restart();
        m_transferRate = elapsedMs > 0.0 ? m_chunkSize / (elapsedMs / 1000.0) : 0.0;
        m_chunkSize = nextChunkSize(m_chunkSize, elapsedMs);
    }
    if (sendNextChunk(acknowledgement)) {
        m_timeoutTimer->start();
        m_chunkClock.start();
    }
}

bool FileUpload::sendNextChunk(const FileTransfer &acknowledgement)
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        failLocked(QStringLiteral("FileUpload::onMessageReceived: Cannot open %1").arg(m_filePath));
        return false;
    }
    const quint32 chunkSize = m_chunkSize;
    QByteArray data(qsizetype(chunkSize), Qt::Uninitialized);
    const qint64 count = file.seek(m_bytesSent) ? file.read(data.data(), chunkSize) : -1;
    file.close();
    if (count < 0 || (count < qint64(chunkSize) && m_bytesSent + count != m_fileSize)) {
        failLocked(
            QStringLiteral("FileUpload::onMessageReceived: Short read from %1 at %2").arg(m_filePath).arg(m_bytesSent));
        return false;
    }
    data.truncate(qsizetype(count));
    m_bytesSent += qint32(count);

    const double progress = double(m_bytesSent) / double(m_fileSize) * 100.0;
    if (progress != m_progress) {
        m_progress = progress;
        emit progressChanged();
    }
    updateEstimate();

    FileTransfer chunk(acknowledgement);
    chunk.setData(data);
    chunk.setProgress(qint32(progress));
    chunk.setMessageId(qint32(nextId()));
    chunk.setIsAck(false);
    emit sendMessage(chunk.serialize());
    return true;
}

void FileUpload::updateEstimate()
{
    const double progress = m_progress;
    if (progress <= 0.0)
        return;
    const double elapsed = double(m_overallClock.elapsed());
    const int seconds = int(((100.0 / progress) * elapsed - elapsed) / 1000.0 + 0.5);
    const QTime estimate = QTime(0, 0).addSecs(seconds);
    if (estimate != estimatedTime()) {
        m_estimatedMs = estimate.msecsSinceStartOfDay();
        emit estimatedTimeChanged(estimate);
    }
}

void FileUpload::failLocked(const QString &why)
{
    Logger::warn(why);
    emit errorOccured(m_fileType);
    reset();
    end();
}

void FileUpload::reset()
{
    emit requestTimerStop();
    m_chunkSize = kInitialChunkSize;
    m_isActive = false;
    m_fileType = 0;
    emit isActiveChanged(0);
    emit fileTypeChanged(0);
    if (m_progress != 0.0) {
        m_progress = 0.0;
        emit progressChanged();
    }
    const QTime zero(0, 0, 0, 0);
    if (estimatedTime() != zero) {
        m_estimatedMs = 0;
        emit estimatedTimeChanged(zero);
    }
    emit requestEndPreventLock();
    if (m_client)
        m_client->setPingSuppressed(false);
}

void FileUpload::end()
{
    quit();
}

void FileUpload::requestCancel()
{
    QMutexLocker locker(&m_lock);
    if (!m_isActive)
        return;
    Logger::info(QStringLiteral("FileUpload::requestCancel: Upload of %1 canceled").arg(m_fileName));
    emit canceled(m_fileType);
    reset();
    end();
}
