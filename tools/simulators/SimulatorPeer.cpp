#include "SimulatorPeer.h"

#include "AuthorizationMatrix.h"
#include "DataPaths.h"
#include "FileSystem.h"
#include "GetRequest.h"
#include "MessageBase.h"
#include "Qelo3DeviceInformation.h"
#include "UpdateInfoReply.h"
#include "UserLoginLogInfo.h"
#include "UserLoginReply.h"
#include "UserLoginRequest.h"
#include "UserLogoutRequest.h"
#include "ProtocolTypes.h"
#include "SelfSignedCertificate.h"
#include "SimulatorLog.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <QtCore/QStandardPaths>
#include <QtCore/QTimer>
#include <QtNetwork/QSslConfiguration>
#include <QtNetwork/QSslSocket>
#include <QtNetwork/QTcpServer>
#include <QtWebSockets/QWebSocket>
#include <QtWebSockets/QWebSocketServer>

#include <functional>

namespace {

/// Far above any file the peers exchange, far below what would hurt the host.
constexpr qint64 kMaxIncomingMessageSize = 64 * 1024 * 1024;

/// Accepts TCP connections and hands them on once they are ready for the
/// WebSocket handshake: at once for plain links, after the TLS handshake for
/// encrypted ones. Keeping the TCP socket in hand is what lets a peer go
/// truly silent later (see SimulatorPeer::goSilent).
class HandingTcpServer : public QTcpServer
{
public:
    std::function<void(QTcpSocket *)> ready;
    QSslConfiguration tls;
    bool secure = false;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        QTcpSocket *socket = secure ? new QSslSocket(this) : new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        if (!secure) {
            ready(socket);
            return;
        }
        auto *ssl = static_cast<QSslSocket *>(socket);
        ssl->setSslConfiguration(tls);
        QObject::connect(ssl, &QSslSocket::encrypted, this, [this, ssl] { ready(ssl); });
        // A client that gives up during the TLS handshake leaves nothing behind.
        QObject::connect(ssl, &QSslSocket::disconnected, ssl, [ssl] {
            if (!ssl->isEncrypted())
                ssl->deleteLater();
        });
        ssl->startServerEncryption();
    }
};

/// The text form of a frame, decoded by its command type.
QString describe(const QByteArray &frame)
{
    switch (MessageBase(frame).commandType()) {
    case CommandType::GetRequest:
        return GetRequest(frame).toString();
    case CommandType::FileTransfer:
        return FileTransfer(frame).toString();
    case CommandType::UserLoginRequest:
        return UserLoginRequest(frame).toString();
    case CommandType::UserLoginReply:
        return UserLoginReply(frame).toString();
    case CommandType::UserLoginLogInfo:
        return UserLoginLogInfo(frame).toString();
    case CommandType::AuthorizationMatrix:
        return AuthorizationMatrix(frame).toString();
    case CommandType::Qelo3DeviceInformation:
        return Qelo3DeviceInformation(frame).toString();
    case CommandType::UserLogoutRequest:
        return UserLogoutRequest(frame).toString();
    case CommandType::UpdateInfoReply:
        return UpdateInfoReply(frame).toString();
    default:
        return MessageBase(frame).toString();
    }
}

} // namespace

SimulatorPeer::SimulatorPeer(const QString &className, qint32 protocolVersion, QObject *parent)
    : QObject(parent)
    , m_className(className)
    , m_protocolVersion(protocolVersion)
{
}

SimulatorPeer::~SimulatorPeer()
{
    stop();
}

QString SimulatorPeer::certificateDirectory() const
{
    if (!m_certificateDirectory.isEmpty())
        return m_certificateDirectory;
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/kelvara-simulators");
}

void SimulatorPeer::setDataDirectory(const QString &directory)
{
    m_dataDirectory = QDir(directory).absolutePath();
}

bool SimulatorPeer::start(quint16 port)
{
    stop();
    auto *tcpServer = new HandingTcpServer;
    tcpServer->setParent(this);
    tcpServer->secure = m_secure;
    if (m_secure) {
        SelfSignedCertificate identity;
        if (!identity.loadOrCreate(certificateDirectory())) {
            delete tcpServer;
            return false;
        }
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificate(identity.certificate());
        tls.setPrivateKey(identity.privateKey());
        tls.setPeerVerifyMode(QSslSocket::VerifyNone);
        tcpServer->tls = tls;
    }
    tcpServer->ready = [this](QTcpSocket *tcp) { onTcpConnection(tcp); };
    m_tcpServer = tcpServer;

    m_webSocketServer = new QWebSocketServer(m_className, QWebSocketServer::NonSecureMode, this);
    connect(m_webSocketServer, &QWebSocketServer::newConnection, this, &SimulatorPeer::onWebSocketConnection);

    if (!m_tcpServer->listen(m_listenAddress, port)) {
        logWarn(QStringLiteral("start"), QStringLiteral("cannot listen on %1:%2: %3")
                                             .arg(m_listenAddress.toString())
                                             .arg(port)
                                             .arg(m_tcpServer->errorString()));
        stop();
        return false;
    }
    logInfo(QStringLiteral("start"), QStringLiteral("listening on %1://%2:%3, data directory %4")
                                         .arg(m_secure ? QStringLiteral("wss") : QStringLiteral("ws"),
                                              m_listenAddress.toString())
                                         .arg(this->port())
                                         .arg(m_dataDirectory.isEmpty() ? QStringLiteral("(none)") : m_dataDirectory));
    return true;
}

void SimulatorPeer::stop()
{
    const QList<QWebSocket *> sockets = m_connections.keys();
    for (QWebSocket *socket : sockets) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
        delete m_connections.take(socket);
    }
    delete m_webSocketServer;
    m_webSocketServer = nullptr;
    delete m_tcpServer;
    m_tcpServer = nullptr;
    m_handshaking.clear();
}

bool SimulatorPeer::isListening() const
{
    return m_tcpServer && m_tcpServer->isListening();
}

quint16 SimulatorPeer::port() const
{
    return m_tcpServer ? m_tcpServer->serverPort() : 0;
}

QList<QByteArray> SimulatorPeer::receivedOfCommand(qint32 commandType) const
{
    QList<QByteArray> frames;
    for (const QByteArray &frame : m_receivedFrames) {
        if (MessageBase(frame).commandType() == commandType)
            frames.append(frame);
    }
    return frames;
}

void SimulatorPeer::disconnectClients()
{
    const QList<QWebSocket *> sockets = m_connections.keys();
    for (QWebSocket *socket : sockets)
        socket->close();
}

void SimulatorPeer::onTcpConnection(QTcpSocket *tcp)
{
    m_handshaking.removeAll(nullptr);
    m_handshaking.append(tcp);
    m_webSocketServer->handleConnection(tcp);
}

void SimulatorPeer::onWebSocketConnection()
{
    while (m_webSocketServer && m_webSocketServer->hasPendingConnections()) {
        QWebSocket *socket = m_webSocketServer->nextPendingConnection();
        if (!socket)
            continue;
        socket->setParent(this);
        socket->setMaxAllowedIncomingMessageSize(kMaxIncomingMessageSize);
        auto *connection = new Connection;
        connection->socket = socket;
        // The handshake socket of this link is the one with the same remote port.
        for (const QPointer<QTcpSocket> &tcp : std::as_const(m_handshaking)) {
            if (tcp && tcp->peerPort() == socket->peerPort() && tcp->peerAddress() == socket->peerAddress()) {
                connection->tcp = tcp;
                break;
            }
        }
        m_handshaking.removeAll(connection->tcp);
        m_connections.insert(socket, connection);

        connect(socket, &QWebSocket::binaryMessageReceived, this,
                [this, socket](const QByteArray &frame) { onBinaryMessage(socket, frame); });
        connect(socket, &QWebSocket::disconnected, this, [this, socket] { onDisconnected(socket); });
        logInfo(QStringLiteral("onWebSocketConnection"), QStringLiteral("client %1:%2 connected, origin \"%3\"")
                                                            .arg(socket->peerAddress().toString())
                                                            .arg(socket->peerPort())
                                                            .arg(socket->origin()));
        emit clientConnected();
        if (m_silentAfterMessages == 0)
            goSilent(connection);
    }
}

void SimulatorPeer::onDisconnected(QWebSocket *socket)
{
    Connection *connection = m_connections.take(socket);
    if (!connection)
        return;
    logInfo(QStringLiteral("onDisconnected"), QStringLiteral("client %1:%2 disconnected, close code %3")
                                                  .arg(socket->peerAddress().toString())
                                                  .arg(socket->peerPort())
                                                  .arg(int(socket->closeCode())));
    if (connection->tcp)
        connection->tcp->deleteLater();
    delete connection;
    socket->deleteLater();
    emit clientDisconnected();
}

void SimulatorPeer::onBinaryMessage(QWebSocket *socket, const QByteArray &frame)
{
    Connection *connection = m_connections.value(socket);
    if (!connection || connection->silent)
        return;
    ++connection->received;
    ++m_receivedCount;
    if (m_recordFrames) {
        if (m_receivedFrames.size() >= kMaxRecordedFrames)
            m_receivedFrames.removeFirst();
        m_receivedFrames.append(frame);
    }

    const MessageBase header(frame);
    logInfo(QStringLiteral("onBinaryMessage"), QStringLiteral("received ") + describe(frame));
    emit messageReceived(frame);

    if (header.commandType() == CommandType::Heartbeat) {
        if (!header.isAck()) {
            MessageBase answer = MessageBase::heartbeat(true);
            send(connection, answer);
        }
    } else if (header.commandType() != CommandType::FileTransfer || !handleTransfer(connection, FileTransfer(frame))) {
        handleMessage(connection, frame);
    }

    // The connection may be gone: the close fault aborts it while handling.
    connection = m_connections.value(socket);
    if (connection && m_silentAfterMessages > 0 && connection->received >= m_silentAfterMessages)
        goSilent(connection);
}

bool SimulatorPeer::handleTransfer(Connection *connection, const FileTransfer &message)
{
    if (message.selector() != Protocol::kChunkedSelector)
        return false;
    if (message.isAck())
        handleOutgoingAck(connection, message);
    else
        handleIncomingChunk(connection, message);
    return true;
}

void SimulatorPeer::handleIncomingChunk(Connection *connection, const FileTransfer &message)
{
    Connection::Incoming &upload = connection->incoming;
    if (message.progress() == Protocol::kProgressStart) {
        upload = Connection::Incoming();
        upload.active = true;
        upload.fileType = message.fileType();
        upload.directory = message.directory();
        upload.fileName = message.filename();
        acknowledge(connection, message);
        return;
    }
    if (!upload.active || message.filename() != upload.fileName || message.fileType() != upload.fileType) {
        logWarn(QStringLiteral("handleIncomingChunk"),
                QStringLiteral("transfer message outside a transfer ignored: ") + message.toString());
        return;
    }
    if (message.progress() == Protocol::kProgressEnd) {
        upload.active = false;
        handleUpload(connection, upload);
        emit uploadReceived(upload.fileType, upload.fileName);
        upload = Connection::Incoming();
        return;
    }
    upload.content.append(message.data());
    ++upload.chunks;
    if (m_closeAfterChunks >= 0 && upload.chunks >= m_closeAfterChunks) {
        interrupt(connection, upload.fileType, upload.fileName);
        return;
    }
    acknowledge(connection, message);
}

void SimulatorPeer::acknowledge(Connection *connection, const FileTransfer &message)
{
    FileTransfer ack = message.acknowledgement();
    if (m_wrongAcknowledgeFileType)
        ack.setFileType(wrongFileType(message.fileType()));
    // The echo keeps the sender's message id: it is how a stop-and-wait peer pairs them up.
    ack.setMessageId(message.messageId());
    send(connection, ack);
}

void SimulatorPeer::startChunkedSend(Connection *connection, qint32 fileType, const QString &fileName,
                                     const QByteArray &content)
{
    Connection::Outgoing &download = connection->outgoing;
    download = Connection::Outgoing();
    download.active = true;
    download.fileType = fileType;
    download.fileName = fileName;
    download.content = content;
    FileTransfer start(0, false, fileType, QString(), fileName, Protocol::kChunkedSelector, QByteArray(),
                       Protocol::kProgressStart);
    send(connection, start);
}

void SimulatorPeer::handleOutgoingAck(Connection *connection, const FileTransfer &ack)
{
    Connection::Outgoing &download = connection->outgoing;
    if (!download.active || ack.filename() != download.fileName) {
        logWarn(QStringLiteral("handleOutgoingAck"),
                QStringLiteral("acknowledgement outside a transfer ignored: ") + ack.toString());
        return;
    }
    const qint64 size = download.content.size();
    if (download.offset >= size) {
        FileTransfer end(0, false, download.fileType, QString(), download.fileName, Protocol::kChunkedSelector,
                         QByteArray(), Protocol::kProgressEnd);
        send(connection, end);
        const qint32 type = download.fileType;
        const QString name = download.fileName;
        download = Connection::Outgoing();
        emit downloadServed(type, name);
        return;
    }
    if (m_closeAfterChunks >= 0 && download.chunks >= m_closeAfterChunks) {
        interrupt(connection, download.fileType, download.fileName);
        return;
    }
    const QByteArray chunk = download.content.mid(download.offset, m_chunkSize);
    download.offset += chunk.size();
    ++download.chunks;
    const qint32 percent = qint32(download.offset * 100 / size);
    FileTransfer message(0, false, download.fileType, QString(), download.fileName, Protocol::kChunkedSelector, chunk,
                         percent);
    send(connection, message);
}

void SimulatorPeer::interrupt(Connection *connection, qint32 fileType, const QString &fileName)
{
    logWarn(QStringLiteral("interrupt"),
            QStringLiteral("closing the link in the middle of the transfer of %1 (fault)").arg(fileName));
    emit transferInterrupted(fileType, fileName);
    if (connection->socket)
        connection->socket->abort();
}

void SimulatorPeer::goSilent(Connection *connection)
{
    if (connection->silent)
        return;
    if (!connection->tcp) {
        logWarn(QStringLiteral("goSilent"), QStringLiteral("the link's socket is unknown; it cannot be silenced"));
        return;
    }
    connection->silent = true;
    // The WebSocket answers pings on its own as long as it reads; taking its
    // socket's data away is the only way to stop that. The bytes are still
    // read and thrown away, watching for the client's close frame, so that a
    // client giving up on this peer gets its link closed like a hung device
    // whose network stack still works.
    QObject::disconnect(connection->tcp, &QIODevice::readyRead, nullptr, nullptr);
    QTcpSocket *tcp = connection->tcp;
    QWebSocket *socket = connection->socket;
    connect(tcp, &QIODevice::readyRead, this, [this, socket] {
        if (Connection *c = m_connections.value(socket))
            drainSilent(c);
    });
    logWarn(QStringLiteral("goSilent"), QStringLiteral("silent from now on after %1 messages (fault)")
                                            .arg(connection->received));
    emit wentSilent();
    drainSilent(connection);
}

void SimulatorPeer::drainSilent(Connection *connection)
{
    if (!connection->tcp)
        return;
    QByteArray &buffer = connection->discarded;
    buffer.append(connection->tcp->readAll());
    // Walk whole client frames: FIN/opcode, mask bit and length, the optional
    // extended length, four mask bytes (clients always mask), the payload.
    while (buffer.size() >= 2) {
        const int opcode = quint8(buffer.at(0)) & 0x0F;
        quint64 length = quint8(buffer.at(1)) & 0x7F;
        const bool masked = quint8(buffer.at(1)) & 0x80;
        qsizetype headerSize = 2;
        if (length == 126) {
            if (buffer.size() < 4)
                return;
            length = (quint64(quint8(buffer.at(2))) << 8) | quint8(buffer.at(3));
            headerSize = 4;
        } else if (length == 127) {
            if (buffer.size() < 10)
                return;
            length = 0;
            for (int i = 2; i < 10; ++i)
                length = (length << 8) | quint8(buffer.at(i));
            headerSize = 10;
        }
        if (masked)
            headerSize += 4;
        if (length > quint64(kMaxIncomingMessageSize)) {
            connection->tcp->abort();
            return;
        }
        if (quint64(buffer.size()) < quint64(headerSize) + length)
            return;
        buffer.remove(0, headerSize + qsizetype(length));
        if (opcode == 0x8) {
            logInfo(QStringLiteral("drainSilent"), QStringLiteral("client closed the link to the silent peer"));
            connection->tcp->abort();
            return;
        }
    }
}

void SimulatorPeer::send(Connection *connection, MessageBase &message)
{
    message.setProtocolVersion(m_protocolVersion);
    if (!message.isAck() || message.commandType() == CommandType::Heartbeat)
        message.setMessageId(message.commandType() == CommandType::Heartbeat ? 0 : ++connection->nextMessageId);
    const QByteArray bytes = message.serialize();
    const QString text = message.toString();
    const QPointer<QWebSocket> socket = connection->socket;
    if (m_responseDelayMs > 0)
        QTimer::singleShot(m_responseDelayMs, this, [this, socket, bytes, text] { sendNow(socket, bytes, text); });
    else
        sendNow(socket, bytes, text);
}

void SimulatorPeer::sendNow(const QPointer<QWebSocket> &socket, const QByteArray &bytes, const QString &text)
{
    Connection *connection = socket ? m_connections.value(socket.data()) : nullptr;
    if (!connection || connection->silent)
        return;
    socket->sendBinaryMessage(bytes);
    ++m_sentCount;
    logInfo(QStringLiteral("send"), QStringLiteral("sent ") + text);
    emit messageSent(bytes);
}

void SimulatorPeer::logInfo(const QString &method, const QString &text) const
{
    SimulatorLog::info(m_className + QStringLiteral("::") + method + QStringLiteral(": ") + text);
}

void SimulatorPeer::logWarn(const QString &method, const QString &text) const
{
    SimulatorLog::warn(m_className + QStringLiteral("::") + method + QStringLiteral(": ") + text);
}

QString SimulatorPeer::dataPath(const QString &folder, const QString &name) const
{
    // A simulated peer files what it is sent under the last part of the name;
    // the rule for names then refuses whatever is still unsafe.
    const QString safe = DataPaths::safeFileName(FileSystem::fileNameOf(name));
    if (safe.isEmpty() || m_dataDirectory.isEmpty())
        return QString();
    return m_dataDirectory + QLatin1Char('/') + folder + QLatin1Char('/') + safe;
}

QByteArray SimulatorPeer::readFile(const QString &path, bool *ok)
{
    QFile file(path);
    const bool opened = !path.isEmpty() && file.open(QIODevice::ReadOnly);
    if (ok)
        *ok = opened;
    return opened ? file.readAll() : QByteArray();
}

bool SimulatorPeer::writeFile(const QString &path, const QByteArray &data)
{
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}
