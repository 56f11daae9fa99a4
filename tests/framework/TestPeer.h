#pragma once

#include "FileTransfer.h"
#include "GetRequest.h"

#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QPointer>

class QWebSocket;
class QWebSocketServer;

/// An in-process WebSocket peer on a free loopback port that speaks the
/// message protocol: it acknowledges uploaded chunks, serves files in chunks
/// on request, records what it received, and injects faults on demand.
/// Pings are answered by the socket itself; for a peer that stays silent see
/// RawWebSocketPeer.
class TestPeer : public QObject
{
    Q_OBJECT

public:
    enum class ServeFault {
        None,
        WrongFileType, ///< the first data chunk carries another FileType
        WrongFilename, ///< the first data chunk carries another Filename
        EmptyChunk, ///< the first data chunk has no data
        SilentAfterStart, ///< the start message is sent, then nothing
        CloseAfterStart, ///< the link is closed when the start is acknowledged
        Endless, ///< the content is sent again and again, never an end message
        RestartAfterFirstChunk, ///< a second start message follows the first chunk
    };

    /// A secure peer speaks TLS with a fresh self-signed certificate.
    explicit TestPeer(QObject *parent = nullptr, bool secure = false);
    ~TestPeer() override;

    /// Listens on 127.0.0.1 with a port chosen by the system.
    bool listen();
    /// Listens, and points the "Preferences/<prefix>Host" and "Port" settings at
    /// this peer (prefix "Qelo3Server" or "HalvoServer").
    bool listenAs(const QString &prefix);
    quint16 port() const;
    QString portText() const { return QString::number(port()); }
    int clientCount() const { return m_clients.size(); }

    // Upload side: how chunks sent to the peer are answered.
    void setAutoAcknowledge(bool on) { m_autoAcknowledge = on; }
    /// Stops acknowledging after this many acknowledgements (-1: never stops).
    void setAcknowledgeLimit(int count) { m_acknowledgeLimit = count; }
    /// Answers with this FileType instead of echoing it (0: echo).
    void setAcknowledgeFileType(int fileType) { m_acknowledgeFileType = fileType; }
    /// Holds every acknowledgement back for this long (timer based).
    void setAcknowledgeDelay(int milliseconds) { m_acknowledgeDelayMs = milliseconds; }
    /// Closes the link after this many FileTransfer messages have arrived (-1: never).
    void setCloseAfterTransfers(int count) { m_closeAfterTransfers = count; }
    /// Keeps every received frame for received(); off for long benchmark runs.
    void setRecordFrames(bool on) { m_recordFrames = on; }

    // Download side: files offered for a chunked GetRequest.
    void serveFile(const QString &name, int fileType, const QByteArray &content);
    void setServeChunkSize(int bytes) { m_serveChunkSize = qMax(1, bytes); }
    void setServeFault(ServeFault fault) { m_serveFault = fault; }
    /// The start message announces this size as its data (-1: announces none).
    void setServeAnnouncedSize(qint64 bytes) { m_serveAnnouncedSize = bytes; }

    void sendBinary(const QByteArray &frame);
    void closeClients();

    QList<QByteArray> received() const { return m_received; }
    QList<FileTransfer> receivedTransfers() const;
    QList<GetRequest> receivedRequests() const;
    void clearReceived() { m_received.clear(); }
    /// Bytes of an upload put together from its chunks; null until its start arrived.
    QByteArray uploadedContent(const QString &filename) const { return m_uploads.value(filename); }
    /// Chunk sizes of the last upload, in order.
    QList<int> uploadChunkSizes() const { return m_uploadChunkSizes; }

signals:
    void clientConnected();
    void clientDisconnected();
    /// Emitted before the peer answers, so a test can act between chunks.
    void messageReceived(const QByteArray &frame);
    void uploadFinished(const QString &filename);
    void downloadServed(const QString &filename);

private:
    struct Serving
    {
        QString name;
        int fileType = 0;
        QByteArray content;
        qsizetype offset = 0;
        int chunksSent = 0;
        bool active = false;
    };

    void onNewConnection();
    void onBinaryMessage(QWebSocket *client, const QByteArray &frame);
    void handleUploadMessage(QWebSocket *client, const FileTransfer &message);
    void handleServeAck(QWebSocket *client, const FileTransfer &ack);
    void startServing(QWebSocket *client, const QString &name);
    void sendServeStart(QWebSocket *client);
    void send(QWebSocket *client, const FileTransfer &message);

    QWebSocketServer *m_server;
    QList<QPointer<QWebSocket>> m_clients;
    QList<QByteArray> m_received;
    QHash<QString, QByteArray> m_uploads;
    QList<int> m_uploadChunkSizes;
    QHash<QString, QPair<int, QByteArray>> m_offered;
    Serving m_serving;
    bool m_autoAcknowledge = true;
    int m_acknowledgeLimit = -1;
    int m_acknowledgeFileType = 0;
    int m_closeAfterTransfers = -1;
    int m_transfersSeen = 0;
    int m_acknowledged = 0;
    int m_acknowledgeDelayMs = 0;
    bool m_recordFrames = true;
    int m_serveChunkSize = 1024;
    qint32 m_nextId = 0;
    ServeFault m_serveFault = ServeFault::None;
    qint64 m_serveAnnouncedSize = -1;
};
