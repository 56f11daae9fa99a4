#include "RawWebSocketPeer.h"

#include <QtCore/QCryptographicHash>
#include <QtCore/QtEndian>
#include <QtNetwork/QHostAddress>
#include <QtNetwork/QTcpServer>
#include <QtNetwork/QTcpSocket>

RawWebSocketPeer::RawWebSocketPeer(QObject *parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &RawWebSocketPeer::onNewConnection);
}

bool RawWebSocketPeer::listen()
{
    return m_server->listen(QHostAddress::LocalHost, 0);
}

quint16 RawWebSocketPeer::port() const
{
    return m_server->serverPort();
}

int RawWebSocketPeer::count(int opcode) const
{
    int n = 0;
    for (const Frame &frame : m_frames)
        n += frame.opcode == opcode ? 1 : 0;
    return n;
}

void RawWebSocketPeer::onNewConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        m_client = socket;
        m_buffer.clear();
        m_handshakeDone = false;
        connect(socket, &QTcpSocket::readyRead, this, &RawWebSocketPeer::onReadyRead);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void RawWebSocketPeer::onReadyRead()
{
    if (!m_client)
        return;
    m_buffer += m_client->readAll();
    if (!m_handshakeDone) {
        const qsizetype end = m_buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        QByteArray key;
        for (const QByteArray &line : m_buffer.left(end).split('\n')) {
            if (line.toLower().startsWith("sec-websocket-key:"))
                key = line.mid(line.indexOf(':') + 1).trimmed();
        }
        m_buffer.remove(0, end + 4);
        const QByteArray accept =
            QCryptographicHash::hash(key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11", QCryptographicHash::Sha1)
                .toBase64();
        m_client->write("HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                        "Sec-WebSocket-Accept: "
                        + accept + "\r\n\r\n");
        m_handshakeDone = true;
        emit handshakeDone();
    }
    parseFrames();
}

void RawWebSocketPeer::parseFrames()
{
    for (;;) {
        if (m_buffer.size() < 2)
            return;
        const auto *bytes = reinterpret_cast<const uchar *>(m_buffer.constData());
        const int opcode = bytes[0] & 0x0F;
        const bool masked = bytes[1] & 0x80;
        quint64 length = bytes[1] & 0x7F;
        qsizetype position = 2;
        if (length == 126) {
            if (m_buffer.size() < 4)
                return;
            length = qFromBigEndian<quint16>(bytes + 2);
            position = 4;
        } else if (length == 127) {
            if (m_buffer.size() < 10)
                return;
            length = qFromBigEndian<quint64>(bytes + 2);
            position = 10;
        }
        const qsizetype maskStart = position;
        if (masked)
            position += 4;
        if (quint64(m_buffer.size() - position) < length)
            return;
        Frame frame;
        frame.opcode = opcode;
        frame.payload = m_buffer.mid(position, qsizetype(length));
        if (masked) {
            for (qsizetype i = 0; i < frame.payload.size(); ++i)
                frame.payload[i] = char(frame.payload.at(i) ^ m_buffer.at(maskStart + (i % 4)));
        }
        m_buffer.remove(0, position + qsizetype(length));
        if (opcode == kOpClose && frame.payload.size() >= 2)
            m_closeCode = qFromBigEndian<quint16>(frame.payload.constData());
        m_frames << frame;
        emit frameReceived(opcode);
    }
}

void RawWebSocketPeer::sendFrame(int opcode, const QByteArray &payload)
{
    if (!m_client || !m_handshakeDone)
        return;
    QByteArray frame;
    frame += char(0x80 | opcode);
    if (payload.size() < 126) {
        frame += char(payload.size());
    } else {
        frame += char(126);
        frame += char((payload.size() >> 8) & 0xFF);
        frame += char(payload.size() & 0xFF);
    }
    frame += payload;
    m_client->write(frame);
}

void RawWebSocketPeer::sendBinary(const QByteArray &payload)
{
    sendFrame(kOpBinary, payload);
}

void RawWebSocketPeer::sendPong(const QByteArray &payload)
{
    sendFrame(kOpPong, payload);
}
