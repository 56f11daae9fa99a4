#pragma once

#include <QtCore/QAtomicInteger>
#include <QtCore/QElapsedTimer>
#include <QtCore/QObject>
#include <QtCore/QTimer>
#include <QtNetwork/QSslError>
#include <QtWebSockets/QWebSocket>

#include <atomic>
#include <memory>

/// The transport under both connections: one WebSocket, binary frames, and a
/// heartbeat that closes the link after four silent periods. Only
/// isProtocolConnected counts as "connected" anywhere above this class.
class WebSocketClient : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isProtocolConnected READ isProtocolConnected NOTIFY isProtocolConnectedChanged)
    Q_PROPERTY(QString hostName READ hostName WRITE setHostName NOTIFY hostNameChanged)
    Q_PROPERTY(QString port READ port WRITE setPort NOTIFY portChanged)
    Q_PROPERTY(bool isEncrypted READ isEncrypted WRITE setIsEncrypted NOTIFY isEncryptedChanged)

public:
    static constexpr int kDefaultHeartbeatIntervalMs = 3000;
    static constexpr int kMissesBeforeClose = 4;
    static constexpr int kSlowPongMs = 1000;
    /// Large enough for a 20 MB support mail in Base64, far below memory exhaustion.
    static constexpr qint64 kMaxIncomingMessageSize = 32 * 1024 * 1024;

    explicit WebSocketClient(QObject *parent = nullptr);
    ~WebSocketClient() override;

    void connectToHost(const QString &name, const QString &hostName, const QString &port);
    void connectToHostEncrypted(const QString &name, const QString &hostName, const QString &port);

    bool isProtocolConnected() const { return m_isProtocolConnected; }
    QString hostName() const { return m_hostName; }
    void setHostName(const QString &hostName);
    QString port() const { return m_port; }
    void setPort(const QString &port);
    bool isEncrypted() const { return m_isEncrypted; }
    void setIsEncrypted(bool isEncrypted);
    QString name() const { return m_name; }

    /// The next message id for a file transfer; safe from any thread.
    quint32 nextMessageId() { return m_messageCounter.fetchAndAddOrdered(1) + 1; }
    quint32 messageCounter() const { return m_messageCounter.loadAcquire(); }

    /// While set, heartbeat ticks still count misses but send no ping (uploads set it).
    void setPingSuppressed(bool suppressed) { m_pingSuppressed = suppressed; }
    bool pingSuppressed() const { return m_pingSuppressed; }

    /// Whether TLS certificate errors are ignored (the default) or end the handshake.
    /// Either way they are reported through sslErrors.
    void setIgnoreSslErrors(bool ignore) { m_ignoreSslErrors = ignore; }
    bool ignoresSslErrors() const { return m_ignoreSslErrors; }

    /// Tests shorten the heartbeat period; the product keeps the default.
    void setHeartbeatInterval(int milliseconds);
    int heartbeatInterval() const { return m_heartbeatIntervalMs; }

    quint32 missCount() const { return m_missCount; }
    quint32 maxPongMs() const { return m_maxPongMs; }
    quint32 maxHeartbeatMs() const { return m_maxHeartbeatMs; }

signals:
    void isProtocolConnectedChanged();
    void hostNameChanged();
    void portChanged();
    void isEncryptedChanged();
    void requestPing(const QByteArray &payload);
    void binaryMessageReceived(const QByteArray &message);
    void sslErrors(const QList<QSslError> &errors);

public slots:
    void sendMessage(const QByteArray &message);
    void onWebsocketConnected();
    void onWebsocketDisconnected();
    void onBinaryMessageReceived(const QByteArray &byteArray);
    void onSslErrors(const QList<QSslError> &errors);
    void onPongReceived(qulonglong elapsedTime, const QByteArray &payload);
    void onHeartbeatTimerTimeout();

private:
    void open(const QString &name, const QString &hostName, const QString &port, bool encrypted);
    QWebSocket &socket();
    bool socketIsValid() const;
    void noteSignOfLife();
    void setProtocolConnected(bool connected);

    std::unique_ptr<QWebSocket> m_socket;
    QString m_name;
    QString m_hostName;
    QString m_port;
    bool m_isEncrypted = false;
    bool m_isConnected = false;
    std::atomic_bool m_isProtocolConnected { false };
    QAtomicInteger<quint32> m_messageCounter { 0 };
    QTimer m_heartbeatTimer;
    bool m_isAlive = false;
    QElapsedTimer m_heartbeatClock;
    quint32 m_maxPongMs = 0;
    quint32 m_maxHeartbeatMs = 0;
    quint32 m_missCount = 0;
    std::atomic_bool m_pingSuppressed { false };
    bool m_ignoreSslErrors = true;
    int m_heartbeatIntervalMs = kDefaultHeartbeatIntervalMs;
    QList<QMetaObject::Connection> m_connections;
};
