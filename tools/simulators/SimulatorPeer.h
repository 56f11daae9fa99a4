#pragma once

#include "FileTransfer.h"

#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtNetwork/QHostAddress>

#include <memory>

class MessageBase;
class QTcpServer;
class QTcpSocket;
class QWebSocket;
class QWebSocketServer;

/// What the two simulated peers share: a WebSocket server (plain or TLS) that
/// speaks the binary protocol, both halves of the chunked transfer, the log of
/// every message in and out, and the faults a technician or a test can switch
/// on. The subclasses only decide what to answer.
class SimulatorPeer : public QObject
{
    Q_OBJECT

public:
    /// A chunk size that keeps a 3 MB firmware container to a few dozen messages.
    static constexpr int kDefaultChunkSize = 64 * 1024;
    /// Cap of the recorded frames; older ones are dropped so a long run cannot grow.
    static constexpr int kMaxRecordedFrames = 2000;

    ~SimulatorPeer() override;

    /// Listens on the listen address (loopback unless set); port 0 lets the system choose.
    bool start(quint16 port = 0);
    void stop();
    bool isListening() const;
    quint16 port() const;
    void setListenAddress(const QHostAddress &address) { m_listenAddress = address; }

    /// TLS with a self-signed certificate kept in the certificate directory.
    void setSecure(bool secure) { m_secure = secure; }
    bool isSecure() const { return m_secure; }
    void setCertificateDirectory(const QString &directory) { m_certificateDirectory = directory; }
    QString certificateDirectory() const;

    virtual void setDataDirectory(const QString &directory);
    QString dataDirectory() const { return m_dataDirectory; }

    // Faults.
    /// Stops answering anything, heartbeats included, once a connection has
    /// brought this many messages (0: silent from the start; -1: never).
    void setSilentAfterMessages(int count) { m_silentAfterMessages = count; }
    int silentAfterMessages() const { return m_silentAfterMessages; }
    /// Drops the link once this many data chunks of one transfer have passed (-1: never).
    void setCloseAfterChunks(int count) { m_closeAfterChunks = count; }
    /// Every answer leaves this many milliseconds after its request.
    void setResponseDelay(int milliseconds) { m_responseDelayMs = qMax(0, milliseconds); }
    /// Acknowledges transfer messages with a FileType other than the transfer's.
    void setWrongAcknowledgeFileType(bool wrong) { m_wrongAcknowledgeFileType = wrong; }
    bool wrongAcknowledgeFileType() const { return m_wrongAcknowledgeFileType; }
    void setChunkSize(int bytes) { m_chunkSize = qMax(1, bytes); }
    int chunkSize() const { return m_chunkSize; }
    /// Keeps received frames for receivedFrames(); the programs turn it off.
    void setRecordFrames(bool record) { m_recordFrames = record; }

    // What happened.
    int connectionCount() const { return int(m_connections.size()); }
    QList<QByteArray> receivedFrames() const { return m_receivedFrames; }
    /// The received frames of one command type, in arrival order.
    QList<QByteArray> receivedOfCommand(qint32 commandType) const;
    void clearReceived() { m_receivedFrames.clear(); }
    qint64 receivedCount() const { return m_receivedCount; }
    qint64 sentCount() const { return m_sentCount; }
    void disconnectClients();

    /// The FileType a wrong acknowledgement carries for a transfer of `fileType`.
    static qint32 wrongFileType(qint32 fileType) { return fileType == 9 ? 10 : 9; }

signals:
    void clientConnected();
    void clientDisconnected();
    void messageReceived(const QByteArray &frame);
    void messageSent(const QByteArray &frame);
    /// A connection stopped answering (the silence fault).
    void wentSilent();
    /// A chunked upload ended and was stored.
    void uploadReceived(int fileType, const QString &fileName);
    /// A chunked download ended with its end message.
    void downloadServed(int fileType, const QString &fileName);
    /// The link was dropped in the middle of a transfer (the close fault).
    void transferInterrupted(int fileType, const QString &fileName);

protected:
    struct Connection
    {
        QPointer<QWebSocket> socket;
        QPointer<QTcpSocket> tcp;
        qint64 received = 0;
        qint32 nextMessageId = 0;
        bool silent = false;
        QByteArray discarded;

        struct Outgoing
        {
            bool active = false;
            qint32 fileType = 0;
            QString fileName;
            QByteArray content;
            qint64 offset = 0;
            int chunks = 0;
        } outgoing;

        struct Incoming
        {
            bool active = false;
            qint32 fileType = 0;
            QString directory;
            QString fileName;
            QByteArray content;
            int chunks = 0;
        } incoming;
    };

    SimulatorPeer(const QString &className, qint32 protocolVersion, QObject *parent);

    /// Every frame that the shared part did not consume: requests, logins,
    /// single-message files.
    virtual void handleMessage(Connection *connection, const QByteArray &frame) = 0;
    /// A chunked upload that ended with its end message.
    virtual void handleUpload(Connection *connection, const Connection::Incoming &upload) = 0;

    /// Stamps version and id, logs, and sends after the response delay.
    void send(Connection *connection, MessageBase &message);
    /// Answers a request with a chunked transfer: start now, each chunk on the
    /// previous acknowledgement, the end after the last one.
    void startChunkedSend(Connection *connection, qint32 fileType, const QString &fileName, const QByteArray &content);
    void setPeerProtocolVersion(qint32 version) { m_protocolVersion = version; }
    qint32 peerProtocolVersion() const { return m_protocolVersion; }

    void logInfo(const QString &method, const QString &text) const;
    void logWarn(const QString &method, const QString &text) const;

    /// A plain file name below `folder` of the data directory, whatever the peer sent.
    QString dataPath(const QString &folder, const QString &name) const;
    static QByteArray readFile(const QString &path, bool *ok = nullptr);
    static bool writeFile(const QString &path, const QByteArray &data);

private:
    void onTcpConnection(QTcpSocket *tcp);
    void onWebSocketConnection();
    void onBinaryMessage(QWebSocket *socket, const QByteArray &frame);
    void onDisconnected(QWebSocket *socket);
    bool handleTransfer(Connection *connection, const FileTransfer &message);
    void handleIncomingChunk(Connection *connection, const FileTransfer &message);
    void handleOutgoingAck(Connection *connection, const FileTransfer &ack);
    void acknowledge(Connection *connection, const FileTransfer &message);
    void goSilent(Connection *connection);
    void drainSilent(Connection *connection);
    void interrupt(Connection *connection, qint32 fileType, const QString &fileName);
    void sendNow(const QPointer<QWebSocket> &socket, const QByteArray &bytes, const QString &text);

    QString m_className;
    qint32 m_protocolVersion;
    QHostAddress m_listenAddress = QHostAddress::LocalHost;
    bool m_secure = false;
    QString m_certificateDirectory;
    QString m_dataDirectory;
    QTcpServer *m_tcpServer = nullptr;
    QWebSocketServer *m_webSocketServer = nullptr;
    QList<QPointer<QTcpSocket>> m_handshaking;
    QHash<QWebSocket *, Connection *> m_connections;
    QList<QByteArray> m_receivedFrames;
    qint64 m_receivedCount = 0;
    qint64 m_sentCount = 0;
    int m_silentAfterMessages = -1;
    int m_closeAfterChunks = -1;
    int m_responseDelayMs = 0;
    bool m_wrongAcknowledgeFileType = false;
    int m_chunkSize = kDefaultChunkSize;
    bool m_recordFrames = true;
};
