#pragma once

#include "FileTransfer.h"
#include "FileTransferThread.h"

class QFile;

/// Fetches one file from the peer as a stop-and-wait chunked transfer on a
/// thread of its own (see FileTransferThread), writing it into a local
/// folder; fileReceived comes just before successfullyFinished. A download
/// that grows past the size its start message announced, or past
/// kMaxDownloadSize, ends with errorOccured and its file removed.
class FileDownload : public FileTransferThread
{
    Q_OBJECT
    Q_PROPERTY(int progress READ progress NOTIFY progressChanged)

public:
    /// Positions are 32-bit on the wire: no file of 2 GiB or more is accepted.
    static constexpr qint64 kMaxDownloadSize = (qint64(1) << 31) - 1;

    FileDownload(WebSocketClient *client, const QString &fileName, const QString &directory, int fileType,
        int requestType, int timeoutMs);
    ~FileDownload() override;

    int progress() const { return m_progress; }
    QString targetPath() const;
    /// Lowers the size cap; only tests call it, so that they need not write 2 GiB.
    void setMaxDownloadSize(qint64 bytes) { m_maxSize = bytes; }
    /// A start message may announce the file's size as its only data: a
    /// 64-bit big-endian byte count. -1 when it announces none.
    static qint64 announcedSize(const FileTransfer &start);
    /// A start or data chunk of a chunked transfer sent by a peer (not an
    /// acknowledgement, not a whole file).
    static bool isChunkOfStream(const FileTransfer &message);

signals:
    /// Carries the file type, not the progress.
    void progressChanged(int type);
    void fileReceived(FileTransfer msg);

public slots:
    void requestCancel() override;
    void onMessageReceived(const QByteArray &byteArray) override;
    void onFileTransferComplete();

protected:
    void run() override;
    void failLocked(const QString &why) override;

private:
    // The *Locked helpers expect m_lock to be held.
    void failAndRemoveLocked(const QString &why);
    void completeLocked();
    void cleanUpLocked();
    bool acceptStartLocked(const FileTransfer &start);
    bool openForAppendLocked(QFile &target, const QByteArray &data) const;

    const QString m_directory;
    const int m_requestType;
    std::atomic_int m_progress { 0 };
    std::atomic<qint64> m_maxSize { kMaxDownloadSize };
    bool m_started = false;
    qint64 m_sizeLimit = kMaxDownloadSize;
    qint64 m_bytesReceived = 0;
};
