#pragma once

#include <QtCore/QMutex>
#include <QtCore/QPointer>
#include <QtCore/QThread>

#include <atomic>

class QTimer;
class WebSocketClient;

/// What an upload and a download share: a thread of its own that hears every
/// frame of its transport, a repeating time-out timer, the start-up and
/// early-exit steps, and the handling of a lost link, a destroyed transport
/// and a silent peer. Each transfer ends with exactly one of
/// successfullyFinished, errorOccured or canceled, then falls back to idle
/// values. Create it without a parent, start() it once and delete it after
/// finished().
class FileTransferThread : public QThread
{
    Q_OBJECT
    Q_PROPERTY(bool isActive READ isActive NOTIFY isActiveChanged)
    Q_PROPERTY(int fileType READ fileType NOTIFY fileTypeChanged)

public:
    bool isActive() const { return m_isActive; }
    int fileType() const { return m_fileType; }

signals:
    void isActiveChanged(int type);
    void fileTypeChanged(int type);
    void canceled(int type);
    void errorOccured(int type);
    void successfullyFinished(int type);
    void sendMessage(const QByteArray &byteArray);
    void requestTimerStop();
    void requestStartPreventLock();
    void requestEndPreventLock();

public slots:
    virtual void requestCancel() = 0;
    virtual void onMessageReceived(const QByteArray &byteArray) = 0;
    void onClientConnectionChanged();
    void onClientDestroyed();
    void onTimeoutTimerTimeout();

protected:
    /// `kind` names the transfer in log lines ("upload", "download").
    FileTransferThread(WebSocketClient *client, const QString &fileName, int fileType, int timeoutMs,
        const QString &className, const QString &kind);

    bool clientReady() const;
    /// Ends run() before anything was sent: errorOccured, the idle file type,
    /// and the object handed back to its owner.
    void refuseStart(const QString &why);
    /// Gives the object back to the thread that created it, so that its owner
    /// can delete it after finished().
    void handBack();
    /// Marks the transfer active and asks for the prevent-lock.
    void beginTransfer();
    /// Runs the event loop from the time-out timer's start until the transfer
    /// ends, then hands the object back so that its owner can delete it.
    void runUntilEnded();
    /// Reports the failure, falls back to idle values and ends the transfer.
    /// Called with m_lock held.
    virtual void failLocked(const QString &why) = 0;

    QPointer<WebSocketClient> m_client;
    const QString m_fileName;
    const QString m_className;
    std::atomic_bool m_isActive { false };
    std::atomic_int m_fileType;
    QTimer *m_timeoutTimer;
    /// Held by every handler that changes the transfer's state.
    QMutex m_lock;

private:
    const QString m_kind;
    QThread *m_ownerThread;
};
