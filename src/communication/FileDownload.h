#pragma once

#include "FileTransfer.h"

#include <QtCore/QMutex>
#include <QtCore/QPointer>
#include <QtCore/QThread>

#include <atomic>

class QTimer;
class QFile;
class WebSocketClient;

/// Fetches one file from the peer as a stop-and-wait chunked transfer on a
/// thread of its own, writing it into a local folder. Ends with exactly one
/// of successfullyFinished (after fileReceived), errorOccured or canceled,
/// then falls back to idle values. Create it without a parent, start() it
/// once and delete it after finished().
class FileDownload : public QThread
{
    Q_OBJECT
    Q_PROPERTY(bool isActive READ isActive NOTIFY isActiveChanged)
    Q_PROPERTY(int progress READ progress NOTIFY progressChanged)
    Q_PROPERTY(int fileType READ fileType NOTIFY fileTypeChanged)

public:
    FileDownload(WebSocketClient *client, const QString &fileName, const QString &directory, int fileType,
        int requestType, int timeoutMs);
    ~FileDownload() override;

    bool isActive() const { return m_isActive; }
    int progress() const { return m_progress; }
    int fileType() const { return m_fileType; }
    QString targetPath() const;
    /// A name without any folder part; anything else is refused before a request goes out.
    static bool isPlainFileName(const QString &fileName);

signals:
    void isActiveChanged(int type);
    /// Carries the file type, not the progress.
    void progressChanged(int type);
    void fileTypeChanged(int type);
    void canceled(int type);
    void errorOccured(int type);
    void successfullyFinished(int type);
    void fileReceived(FileTransfer msg);
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
    void onFileTransferComplete();

protected:
    void run() override;

private:
    // The *Locked helpers expect m_lock to be held.
    void failLocked(const QString &why);
    void completeLocked();
    void cleanUpLocked();
    bool openForAppendLocked(QFile &target, const QByteArray &data) const;
    bool clientReady() const;

    QPointer<WebSocketClient> m_client;
    QThread *m_ownerThread;
    const QString m_fileName;
    const QString m_directory;
    const int m_requestType;
    std::atomic_bool m_isActive { false };
    std::atomic_int m_progress { 0 };
    std::atomic_int m_fileType;
    QTimer *m_timeoutTimer;
    QMutex m_lock;
};
