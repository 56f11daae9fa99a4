#pragma once

#include <QtCore/QElapsedTimer>
#include <QtCore/QPointer>
#include <QtCore/QThread>
#include <QtCore/QTime>

#include <atomic>

class FileTransfer;
class QTimer;
class WebSocketClient;

/// Sends one local file to the peer as a stop-and-wait chunked transfer on a
/// thread of its own. Ends with exactly one of successfullyFinished,
/// errorOccured or canceled, then falls back to idle values. Create it
/// without a parent (it lives in its own thread), start() it once and
/// delete it after finished().
class FileUpload : public QThread
{
    Q_OBJECT
    Q_PROPERTY(bool isActive READ isActive NOTIFY isActiveChanged)
    Q_PROPERTY(double progress READ progress NOTIFY progressChanged)
    Q_PROPERTY(int fileType READ fileType NOTIFY fileTypeChanged)
    Q_PROPERTY(QTime estimatedTime READ estimatedTime NOTIFY estimatedTimeChanged)

public:
    static constexpr quint32 kInitialChunkSize = 1024;
    static constexpr quint32 kMinChunkSize = 32;
    static constexpr quint32 kMaxChunkSize = 110000;

    FileUpload(WebSocketClient *client, const QString &fileName, const QString &filePath, int fileType,
               int timeoutMs);
    ~FileUpload() override;

    /// Size of the next chunk after `chunkSize` bytes were acknowledged
    /// `elapsedMs` after sending: aims at 0.9 s per chunk, grows at most
    /// threefold, stays within [32, 110000]; 0 ms drops to 32.
    static quint32 nextChunkSize(quint32 chunkSize, double elapsedMs);

    bool isActive() const { return m_isActive; }
    double progress() const { return m_progress; }
    int fileType() const { return m_fileType; }
    QTime estimatedTime() const;
    /// Size of the chunk that will be sent next.
    quint32 chunkSize() const { return m_chunkSize; }

signals:
    void isActiveChanged(int type);
    void progressChanged();
    void fileTypeChanged(int type);
    void estimatedTimeChanged(QTime estimatedTime);
    void canceled(int type);
    void errorOccured(int type);
    void successfullyFinished(int type);
    void sendMessage(const QByteArray &byteArray);
    void requestTimerStop();
    void requestStartPreventLock();
    void requestEndPreventLock();

public slots:
    void requestCancel();
    void onClientConnectionChanged();
    void onClientDestroyed();
    void onMessageReceived(const QByteArray &byteArray);
    void onTimeoutTimerTimeout();

protected:
    void run() override;

private:
    void fail(const QString &why);
    void reset();
    void end();
    bool sendNextChunk(const FileTransfer &acknowledgement);
    void updateEstimate();
    quint32 nextId();

    QPointer<WebSocketClient> m_client;
    QThread *m_ownerThread;
    const QString m_fileName;
    const QString m_filePath;
    std::atomic_bool m_isActive{false};
    std::atomic<double> m_progress{0.0};
    std::atomic_int m_fileType;
    /// Milliseconds since midnight; -1 while no estimate exists.
    std::atomic_int m_estimatedMs{-1};
    QElapsedTimer m_overallClock;
    QElapsedTimer m_chunkClock;
    qint64 m_fileSize = 0;
    qint32 m_bytesSent = 0;
    std::atomic<quint32> m_chunkSize{kInitialChunkSize};
    double m_transferRate = 0.0;
    QTimer *m_timeoutTimer;
};
