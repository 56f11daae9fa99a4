#include "WebSocketClient.h"

#include "Logger.h"
#include "MessageBase.h"
#include "ProtocolTypes.h"

#include <QtCore/QUrl>

WebSocketClient::WebSocketClient(QObject *parent)
    : QObject(parent)
    , m_heartbeatTimer(this)
{
    m_heartbeatTimer.setInterval(m_heartbeatIntervalMs);
    m_connections << connect(&m_heartbeatTimer, &QTimer::timeout, this, &WebSocketClient::onHeartbeatTimerTimeout);
}

QWebSocket &WebSocketClient::socket()
{
    if (m_socket)
        return *m_socket;
    // Made on the first connect: a QWebSocket loads the TLS backend as it is
    // constructed, which would otherwise weigh on every start of the program.
    m_socket = std::make_unique<QWebSocket>(QStringLiteral("Kelvara"), QWebSocketProtocol::VersionLatest, nullptr);
    QWebSocket *socket = m_socket.get();
    socket->setMaxAllowedIncomingFrameSize(quint64(kMaxIncomingMessageSize));
    socket->setMaxAllowedIncomingMessageSize(quint64(kMaxIncomingMessageSize));
    m_connections << connect(socket, &QWebSocket::connected, this, &WebSocketClient::onWebsocketConnected)
                  << connect(socket, &QWebSocket::disconnected, this, &WebSocketClient::onWebsocketDisconnected)
                  << connect(socket, &QWebSocket::binaryMessageReceived, this,
                         &WebSocketClient::onBinaryMessageReceived, Qt::QueuedConnection)
                  << connect(socket, QOverload<const QList<QSslError> &>::of(&QWebSocket::sslErrors), this,
                         &WebSocketClient::onSslErrors)
                  << connect(socket, &QWebSocket::pong, this, &WebSocketClient::onPongReceived, Qt::QueuedConnection)
                  << connect(this, &WebSocketClient::requestPing, socket, &QWebSocket::ping, Qt::QueuedConnection);
    return *m_socket;
}

bool WebSocketClient::socketIsValid() const
{
    return m_socket && m_socket->isValid();
}

WebSocketClient::~WebSocketClient()
{
    // The socket closes itself while it is destroyed; none of that may reach
    // the half-destroyed client.
    for (const QMetaObject::Connection &connection : std::as_const(m_connections))
        disconnect(connection);
}

void WebSocketClient::setHostName(const QString &hostName)
{
    if (m_hostName == hostName)
        return;
    m_hostName = hostName;
    emit hostNameChanged();
}

void WebSocketClient::setPort(const QString &port)
{
    if (m_port == port)
        return;
    m_port = port;
    emit portChanged();
}

void WebSocketClient::setIsEncrypted(bool isEncrypted)
{
    if (m_isEncrypted == isEncrypted)
        return;
    m_isEncrypted = isEncrypted;
    emit isEncryptedChanged();
}

void WebSocketClient::setHeartbeatInterval(int milliseconds)
{
    m_heartbeatIntervalMs = qMax(1, milliseconds);
    m_heartbeatTimer.setInterval(m_heartbeatIntervalMs);
}

void WebSocketClient::connectToHost(const QString &name, const QString &hostName, const QString &port)
{
    open(name, hostName, port, false);
}

void WebSocketClient::connectToHostEncrypted(const QString &name, const QString &hostName, const QString &port)
{
    open(name, hostName, port, true);
}

void WebSocketClient::open(const QString &name, const QString &hostName, const QString &port, bool encrypted)
{
    const QAbstractSocket::SocketState state = socket().state();
    if (state == QAbstractSocket::ConnectingState) {
        socket().abort();
    } else if (state != QAbstractSocket::UnconnectedState) {
        Logger::info(QStringLiteral("WebSocketClient::connectToHost: Connect request to %1 ignored: State is not "
                                    "Unconnected")
                         .arg(m_name));
        return;
    }
    m_name = name;
    m_hostName = hostName;
    m_port = port;
    m_isEncrypted = encrypted;
    const QString scheme = encrypted ? QStringLiteral("wss://") : QStringLiteral("ws://");
    socket().open(QUrl(scheme + hostName + QLatin1Char(':') + port, QUrl::TolerantMode));
}

void WebSocketClient::onWebsocketConnected()
{
    Logger::info(QStringLiteral("WebSocketClient::onWebsocketConnected: Connected to %1").arg(m_name));
    m_isConnected = true;
    m_isAlive = true;
    m_heartbeatClock.start();
    onHeartbeatTimerTimeout();
    m_heartbeatTimer.start(m_heartbeatIntervalMs);
    m_maxPongMs = 0;
    m_maxHeartbeatMs = 0;
}

void WebSocketClient::setProtocolConnected(bool connected)
{
    if (m_isProtocolConnected == connected)
        return;
    m_isProtocolConnected = connected;
    emit isProtocolConnectedChanged();
}

void WebSocketClient::onHeartbeatTimerTimeout()
{
    m_heartbeatTimer.setInterval(m_heartbeatIntervalMs);
    if (m_isAlive) {
        m_missCount = 0;
        setProtocolConnected(true);
        m_isAlive = false;
    } else {
        ++m_missCount;
        if (m_missCount < quint32(kMissesBeforeClose)) {
            Logger::warn(QStringLiteral("WebSocketClient::onHeartbeatTimerTimeout: Heartbeat from %1 missed. %2. miss "
                                        "ignored.")
                             .arg(m_name)
                             .arg(m_missCount));
        } else {
            Logger::warn(QStringLiteral("WebSocketClient::onHeartbeatTimerTimeout: Heartbeat timeout from %1. %2. "
                                        "miss. Closing connection!")
                             .arg(m_name)
                             .arg(m_missCount));
            Logger::info(
                QStringLiteral("WebSocketClient::onHeartbeatTimerTimeout: Intentional disconnect from %1").arg(m_name));
            socket().close(QWebSocketProtocol::CloseCodeNormal, QString());
        }
    }
    if (m_isConnected) {
        if (!socketIsValid())
            Logger::info(
                QStringLiteral("WebSocketClient::onHeartbeatTimerTimeout: Websocket is not ready before ping"));
        if (!m_pingSuppressed)
            emit requestPing(MessageBase::heartbeat().serialize());
    }
}

void WebSocketClient::noteSignOfLife()
{
    m_isAlive = true;
    if (m_heartbeatClock.isValid()) {
        const qint64 gap = m_heartbeatClock.restart();
        if (gap > qint64(m_maxHeartbeatMs))
            m_maxHeartbeatMs = quint32(qMin<qint64>(gap, 0xFFFFFFFF));
    }
}

void WebSocketClient::onPongReceived(qulonglong elapsedTime, const QByteArray &payload)
{
    if (MessageBase(payload).commandType() != CommandType::Heartbeat)
        return;
    noteSignOfLife();
    if (elapsedTime > qulonglong(kSlowPongMs))
        Logger::warn(QStringLiteral("WebSocketClient::onPongReceived: Pong response from %1 took %2ms.")
                         .arg(m_name)
                         .arg(elapsedTime));
    if (elapsedTime > m_maxPongMs)
        m_maxPongMs = quint32(qMin<qulonglong>(elapsedTime, 0xFFFFFFFF));
}

void WebSocketClient::onBinaryMessageReceived(const QByteArray &byteArray)
{
    MessageBase header(byteArray);
    noteSignOfLife();
    if (header.commandType() == CommandType::Heartbeat && !header.isAck()) {
        header.setIsAck(true);
        if (!socketIsValid())
            Logger::info(QStringLiteral("WebSocketClient::onBinaryMessageReceived: Websocket is not ready before HB "
                                        "reply"));
        sendMessage(header.serialize());
        return;
    }
    emit binaryMessageReceived(byteArray);
}

void WebSocketClient::sendMessage(const QByteArray &message)
{
    if (!m_isConnected) {
        Logger::warn(QStringLiteral("WebSocketClient::sendMessage: The WebSocket to %1 is not connected!").arg(m_name));
        return;
    }
    if (!socketIsValid()) {
        Logger::info(QStringLiteral("WebSocketClient::sendMessage: Websocket is not ready before send"));
        return;
    }
    m_socket->sendBinaryMessage(message);
}

void WebSocketClient::onWebsocketDisconnected()
{
    m_heartbeatTimer.stop();
    m_isAlive = false;
    m_heartbeatClock.invalidate();
    if (m_isConnected) {
        Logger::info(QStringLiteral("WebSocketClient::onWebsocketDisconnected: Disconnected from %1, Max Pong: %2ms, "
                                    "Max Heartbeat: %3ms, Reason: %4:%5:")
                         .arg(m_name, QString::number(m_maxPongMs), QString::number(m_maxHeartbeatMs),
                             socket().closeReason(), QString::number(int(socket().closeCode()))));
    }
    m_maxPongMs = 0;
    m_maxHeartbeatMs = 0;
    m_missCount = 0;
    m_isConnected = false;
    setProtocolConnected(false);
}

void WebSocketClient::onSslErrors(const QList<QSslError> &errors)
{
    if (m_ignoreSslErrors)
        socket().ignoreSslErrors();
    emit sslErrors(errors);
}
