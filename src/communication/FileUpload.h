#pragma once

#include "FileTransferThread.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QTime>

class FileTransfer;

/// Sends one local file to the peer as a stop-and-wait chunked transfer on a
/// thread of its own (see FileTransferThread).
class FileUpload : public FileTransferThread
{
    Q_OBJECT
    Q_PROPERTY(double progress READ progress NOTIFY progressChanged)
    Q_PROPERTY(QTime estimatedTime READ estimatedTime NOTIFY estimatedTimeChanged)

public:
    static constexpr quint32 kInitialChunkSize = 1024;
    static constexpr quint32 kMinChunkSize = 32;
    static constexpr quint32 kMaxChunkSize = 110000;

    FileUpload(WebSocketClient *client, const QString &fileName, const QString &filePath, int fileType, int timeoutMs);
    ~FileUpload() override;

    /// Size of the next chunk after `chunkSize` bytes were acknowledged
    /// `elapsedMs` after sending: aims at 0.9 s per chunk, grows at most
    /// threefold, stays within [32, 110000]; 0 ms drops to 32.
    static quint32 nextChunkSize(quint32 chunkSize, double elapsedMs);

    double progress() const { return m_progress; }
    QTime estimatedTime() const;
    /// Size of the chunk that will be sent next.
    quint32 chunkSize() const { return m_chunkSize; }

signals:
    void progressChanged();
    void estimatedTimeChanged(QTime estimatedTime);

public slots:
    void requestCancel() override;
    void onMessageReceived(const QByteArray &byteArray) override;

protected:
    void run() override;
    void failLocked(const QString &why) override;

private:
    void reset();
    void end();
    bool sendNextChunk(const FileTransfer &acknowledgement);
    void updateEstimate();
    quint32 nextId();

    const QString m_filePath;
    std::atomic<double> m_progress { 0.0 };
    /// Milliseconds since midnight; -1 while no estimate exists.
    std::atomic_int m_estimatedMs { -1 };
    QElapsedTimer m_overallClock;
    QElapsedTimer m_chunkClock;
    qint64 m_fileSize = 0;
    qint32 m_bytesSent = 0;
    std::atomic<quint32> m_chunkSize { kInitialChunkSize };
    double m_transferRate = 0.0;
};
