#pragma once

#include "FileTransfer.h"

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QStringList>
#include <QtCore/QTime>

class FileDownload;
class FileUpload;
class INativeFunctionsWrapper;
class Qelo3DeviceInformation;
class RoutingTable;
class WebSocketClient;

/// The connection to the generator: its requests, one upload and a queue of
/// downloads at a time, and the identity it reported.
class Qelo3Server : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isConnected READ isConnected NOTIFY isConnectedChanged)
    Q_PROPERTY(bool fileUploadIsActive READ fileUploadIsActive NOTIFY fileUploadIsActiveChanged)
    Q_PROPERTY(double fileUploadProgress READ fileUploadProgress NOTIFY fileUploadProgressChanged)
    Q_PROPERTY(QTime fileUploadEstimatedTime READ fileUploadEstimatedTime NOTIFY fileUploadEstimatedTimeChanged)
    Q_PROPERTY(int fileUploadType READ fileUploadType NOTIFY fileUploadTypeChanged)
    Q_PROPERTY(bool fileDownloadIsActive READ fileDownloadIsActive NOTIFY fileDownloadIsActiveChanged)
    Q_PROPERTY(double fileDownloadProgress READ fileDownloadProgress NOTIFY fileDownloadProgressChanged)
    Q_PROPERTY(int fileDownloadType READ fileDownloadType NOTIFY fileDownloadTypeChanged)
public:
    static constexpr int kUploadTimeoutMs = 20000;
    static constexpr int kDownloadTimeoutMs = 10000;
    /// Names waiting for a download; a longer file list is cut here.
    static constexpr int kMaxQueuedDownloads = 1000;

    explicit Qelo3Server(INativeFunctionsWrapper *nativeFunctions, QObject *parent = nullptr);
    ~Qelo3Server() override;

    WebSocketClient *client() const { return m_client; }
    bool isConnected() const;
    bool fileUploadIsActive() const;
    double fileUploadProgress() const;
    QTime fileUploadEstimatedTime() const;
    int fileUploadType() const;
    bool fileDownloadIsActive() const;
    double fileDownloadProgress() const;
    int fileDownloadType() const;

    /// Declares what the generator may send and takes its identity and its
    /// file lists.
    void registerRoutes(RoutingTable &routes);
    void connectToServer(const QString &hostName, const QString &port, bool encrypted);
    void requestChronoFiles();
    void requestDeviceInformation();
    void sendUserLoginLogInfo(const QString &userName, int role);
    void uploadUserSet(const QString &fileName, const QString &filePath);
    /// False when an upload is already running.
    bool uploadFirmware(const QString &fileName, const QString &filePath);
    /// Queues a name from the generator's file list. Unsafe names, and names
    /// beyond kMaxQueuedDownloads waiting ones, are dropped with a warning.
    void queueDownload(const QString &fileName);
    QStringList downloadQueue() const { return m_downloadQueue; }

    /// Identity reported by the generator; set by the routing.
    void setDeviceData(const QString &name, const QString &type, const QString &serialNumber,
                       const QString &softwareVersion, const QString &spare);
    QString name() const { return m_name; }
    QString type() const { return m_type; }
    QString serialNumber() const { return m_serialNumber; }
    QString softwareVersion() const { return m_softwareVersion; }
    qint32 peerProtocolVersion() const { return m_peerProtocolVersion; }

    /// Tests shorten the transfer time-outs; the product keeps the defaults.
    void setTransferTimeouts(int uploadMs, int downloadMs);
    /// Where downloads land; the application's scratch folder by default.
    void setDownloadDirectory(const QString &directory) { m_downloadDirectory = directory; }
    QString downloadDirectory() const;

signals:
    void isConnectedChanged();
    void deviceDataChanged();
    void fileUploadTypeChanged(int type);
    void fileUploadIsActiveChanged(int type);
    void fileUploadProgressChanged();
    void fileUploadEstimatedTimeChanged(QTime time);
    void fileUploadCanceled(int type);
    void fileUploadErrorOccured(int type);
    void fileUploadSuccessfullyFinished(int type);
    void fileDownloadIsActiveChanged(int type);
    void fileDownloadProgressChanged(int type);
    void fileDownloadTypeChanged(int type);
    void fileDownloadCanceled(int type);
    void fileDownloadErrorOccured(int type);
    void fileDownloadSuccessfullyFinished(int type);
    void fileReceived(FileTransfer msg);

public slots:
    void fileUploadDoCancel();
    void fileDownloadDoCancel();
    void deleteFileUpload();
    void deleteFileDownload();
    void afterFileUpload(int type);
    void requestUserSet();
    void onRequestStartPreventLock();
    void onRequestEndPreventLock();
    void onBinaryMessageReceived(const QByteArray &byteArray);

private:
    void onDeviceInformation(const Qelo3DeviceInformation &info);
    void onFileList(const FileTransfer &list);
    bool startUpload(const QString &fileName, const QString &filePath, int fileType);
    void startNextDownload();
    void send(const QByteArray &message);
    qint32 nextRequestId() { return qint32(++m_requestCounter); }

    QString m_name;
    QString m_type;
    QString m_serialNumber;
    QString m_softwareVersion;
    QString m_spare;
    WebSocketClient *m_client;
    QPointer<FileUpload> m_fileUpload;
    QPointer<FileDownload> m_fileDownload;
    QStringList m_downloadQueue;
    /// Set by the first name dropped from a full queue, so that one flood
    /// gives one warning; cleared once the queue has drained.
    bool m_queueOverflowReported = false;
    quint32 m_requestCounter = 0;
    INativeFunctionsWrapper *m_nativeFunctions;
    qint32 m_peerProtocolVersion = 0;
    int m_uploadTimeoutMs = kUploadTimeoutMs;
    int m_downloadTimeoutMs = kDownloadTimeoutMs;
    QString m_downloadDirectory;
};
