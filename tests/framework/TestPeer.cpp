#include "TestPeer.h"

#include "GetRequest.h"
#include "ProtocolTypes.h"
#include "Settings.h"
#include "TestCertificate.h"

#include <QtCore/QTimer>
#include <QtCore/QtEndian>
#include <QtNetwork/QHostAddress>
#include <QtWebSockets/QWebSocket>
#include <QtWebSockets/QWebSocketServer>

TestPeer::TestPeer(QObject *parent, bool secure)
    : QObject(parent)
    , m_server(new QWebSocketServer(
          QStringLiteral("TestPeer"), secure ? QWebSocketServer::SecureMode : QWebSocketServer::NonSecureMode, this))
{
    if (secure)
        m_server->setSslConfiguration(KelvaraTest::selfSignedServerConfiguration());
    connect(m_server, &QWebSocketServer::newConnection, this, &TestPeer::onNewConnection);
}

TestPeer::~TestPeer()
{
    closeClients();
    m_server->close();
}

bool TestPeer::listen()
{
    return m_server->listen(QHostAddress::LocalHost, 0);
}

bool TestPeer::listenAs(const QString &prefix)
{
    if (!m_server->isListening() && !listen())
        return false;
    Settings::setValue(QStringLiteral("Preferences/%1Host").arg(prefix), QStringLiteral("127.0.0.1"));
    Settings::setValue(QStringLiteral("Preferences/%1Port").arg(prefix), portText());
    return true;
}

quint16 TestPeer::port() const
{
    return m_server->serverPort();
}

void TestPeer::serveFile(const QString &name, int fileType, const QByteArray &content)
{
    m_offered.insert(name, qMakePair(fileType, content));
}

QList<FileTransfer> TestPeer::receivedTransfers() const
{
    QList<FileTransfer> transfers;
    for (const QByteArray &frame : m_received) {
        if (MessageBase(frame).commandType() == CommandType::FileTransfer)
            transfers << FileTransfer(frame);
    }
    return transfers;
}

QList<GetRequest> TestPeer::receivedRequests() const
{
    QList<GetRequest> requests;
    for (const QByteArray &frame : m_received) {
        if (MessageBase(frame).commandType() == CommandType::GetRequest)
            requests << GetRequest(frame);
    }
    return requests;
}

void TestPeer::onNewConnection()
{
    while (QWebSocket *client = m_server->nextPendingConnection()) {
        client->setMaxAllowedIncomingMessageSize(64 * 1024 * 1024);
        client->setMaxAllowedIncomingFrameSize(64 * 1024 * 1024);
        m_clients << client;
        connect(client, &QWebSocket::binaryMessageReceived, this,
            [this, client](const QByteArray &frame) { onBinaryMessage(client, frame); });
        connect(client, &QWebSocket::disconnected, this, [this, client] {
            m_clients.removeAll(client);
            client->deleteLater();
            emit clientDisconnected();
        });
        emit clientConnected();
    }
}

void TestPeer::sendBinary(const QByteArray &frame)
{
    for (const QPointer<QWebSocket> &client : std::as_const(m_clients)) {
        if (client)
            client->sendBinaryMessage(frame);
    }
}

void TestPeer::closeClients()
{
    const auto clients = m_clients;
    for (const QPointer<QWebSocket> &client : clients) {
        if (client)
            client->close(QWebSocketProtocol::CloseCodeGoingAway, QStringLiteral("peer closes"));
    }
}

void TestPeer::send(QWebSocket *client, const FileTransfer &message)
{
    client->sendBinaryMessage(message.serialize());
}

void TestPeer::onBinaryMessage(QWebSocket *client, const QByteArray &frame)
{
    if (m_recordFrames)
        m_received << frame;
    emit messageReceived(frame);

    const MessageBase header(frame);
    if (header.commandType() == CommandType::GetRequest) {
        const GetRequest request(frame);
        if (request.selector() == Protocol::kChunkedSelector && m_offered.contains(request.additionalInfo()))
            startServing(client, request.additionalInfo());
        return;
    }
    if (header.commandType() != CommandType::FileTransfer)
        return;
    const FileTransfer message(frame);
    ++m_transfersSeen;
    if (m_closeAfterTransfers >= 0 && m_transfersSeen >= m_closeAfterTransfers) {
        client->close(QWebSocketProtocol::CloseCodeGoingAway, QStringLiteral("fault injection"));
        return;
    }
    if (message.isAck())
        handleServeAck(client, message);
    else
        handleUploadMessage(client, message);
}

void TestPeer::handleUploadMessage(QWebSocket *client, const FileTransfer &message)
{
    const QString name = message.filename();
    if (message.progress() == Protocol::kProgressStart) {
        m_uploads.insert(name, QByteArray(""));
        m_uploadChunkSizes.clear();
    } else if (message.progress() == Protocol::kProgressEnd) {
        emit uploadFinished(name);
        return; // the end is never acknowledged
    } else {
        m_uploads[name].append(message.data());
        m_uploadChunkSizes << int(message.data().size());
    }
    if (!m_autoAcknowledge || (m_acknowledgeLimit >= 0 && m_acknowledged >= m_acknowledgeLimit))
        return;
    ++m_acknowledged;
    FileTransfer ack = message.acknowledgement();
    if (m_acknowledgeFileType != 0)
        ack.setFileType(m_acknowledgeFileType);
    if (m_acknowledgeDelayMs > 0) {
        QPointer<QWebSocket> target(client);
        QTimer::singleShot(m_acknowledgeDelayMs, this, [this, target, ack] {
            if (target)
                send(target, ack);
        });
        return;
    }
    send(client, ack);
}

void TestPeer::startServing(QWebSocket *client, const QString &name)
{
    m_serving = Serving();
    m_serving.name = name;
    m_serving.fileType = m_offered.value(name).first;
    m_serving.content = m_offered.value(name).second;
    m_serving.active = true;
    sendServeStart(client);
}

void TestPeer::sendServeStart(QWebSocket *client)
{
    QByteArray announcement;
    if (m_serveAnnouncedSize >= 0) {
        announcement.resize(sizeof(quint64));
        qToBigEndian(quint64(m_serveAnnouncedSize), announcement.data());
    }
    send(client,
        FileTransfer(++m_nextId, false, m_serving.fileType, QStringLiteral(""), m_serving.name,
            Protocol::kChunkedSelector, announcement, Protocol::kProgressStart));
}

void TestPeer::handleServeAck(QWebSocket *client, const FileTransfer &ack)
{
    if (!m_serving.active || ack.filename() != m_serving.name)
        return;
    const bool firstChunk = m_serving.chunksSent == 0;
    if (firstChunk && ack.progress() == Protocol::kProgressStart) {
        if (m_serveFault == ServeFault::SilentAfterStart)
            return;
        if (m_serveFault == ServeFault::CloseAfterStart) {
            client->close(QWebSocketProtocol::CloseCodeGoingAway, QStringLiteral("fault injection"));
            return;
        }
    }
    const qsizetype size = m_serving.content.size();
    if (m_serveFault == ServeFault::Endless && m_serving.offset >= size)
        m_serving.offset = 0;
    if (m_serveFault == ServeFault::RestartAfterFirstChunk && m_serving.chunksSent == 1) {
        ++m_serving.chunksSent;
        sendServeStart(client);
        return;
    }
    if (m_serving.offset >= size) {
        m_serving.active = false;
        send(client,
            FileTransfer(++m_nextId, false, m_serving.fileType, QStringLiteral(""), m_serving.name,
                Protocol::kChunkedSelector, QByteArray(), Protocol::kProgressEnd));
        emit downloadServed(m_serving.name);
        return;
    }
    const qsizetype length = qMin<qsizetype>(m_serveChunkSize, size - m_serving.offset);
    FileTransfer chunk(++m_nextId, false, m_serving.fileType, QStringLiteral(""), m_serving.name,
        Protocol::kChunkedSelector, m_serving.content.mid(m_serving.offset, length), 0);
    m_serving.offset += length;
    chunk.setProgress(int(m_serving.offset * 100 / size));
    if (firstChunk) {
        switch (m_serveFault) {
        case ServeFault::WrongFileType:
            chunk.setFileType(m_serving.fileType + 1);
            break;
        case ServeFault::WrongFilename:
            chunk.setFilename(QStringLiteral("other.xml"));
            break;
        case ServeFault::EmptyChunk:
            chunk.setData(QByteArray());
            break;
        default:
            break;
        }
    }
    ++m_serving.chunksSent;
    send(client, chunk);
}
