#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QPointer>

class QTcpServer;
class QTcpSocket;

/// A WebSocket server driven by hand on a free loopback port. Unlike a
/// QWebSocket it never answers a ping on its own, so it can play a peer that
/// has gone silent; it records the frames the client sends (pings, binary
/// messages, the close frame with its code).
class RawWebSocketPeer : public QObject
{
    Q_OBJECT

public:
    struct Frame
    {
        int opcode = 0;
        QByteArray payload;
    };

    explicit RawWebSocketPeer(QObject *parent = nullptr);

    bool listen();
    quint16 port() const;
    QString portText() const { return QString::number(port()); }

    /// Sends an unmasked binary frame to the connected client.
    void sendBinary(const QByteArray &payload);
    /// Sends a pong frame, as a peer answering a ping would.
    void sendPong(const QByteArray &payload);

    QList<Frame> frames() const { return m_frames; }
    int count(int opcode) const;
    /// Close code of the client's close frame; -1 until one arrived.
    int closeCode() const { return m_closeCode; }

    static constexpr int kOpBinary = 0x2;
    static constexpr int kOpClose = 0x8;
    static constexpr int kOpPing = 0x9;
    static constexpr int kOpPong = 0xA;

signals:
    void handshakeDone();
    void frameReceived(int opcode);

private:
    void onNewConnection();
    void onReadyRead();
    void parseFrames();
    void sendFrame(int opcode, const QByteArray &payload);

    QTcpServer *m_server;
    QPointer<QTcpSocket> m_client;
    QByteArray m_buffer;
    bool m_handshakeDone = false;
    QList<Frame> m_frames;
    int m_closeCode = -1;
};
