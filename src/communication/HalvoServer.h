#pragma once

#include "FileTransfer.h"

#include <QtCore/QObject>
#include <QtCore/QPointer>

class FileDownload;
class INativeFunctionsWrapper;
class RoutingTable;
class WebSocketClient;

/// The connection to the maker's back-end server: login and logout, list and
/// file requests, single-message uploads and one firmware download at a time.
class HalvoServer : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isConnected READ isConnected NOTIFY isConnectedChanged)
    Q_PROPERTY(bool fileDownloadIsActive READ fileDownloadIsActive NOTIFY fileDownloadIsActiveChanged)
    Q_PROPERTY(double fileDownloadProgress READ fileDownloadProgress NOTIFY fileDownloadProgressChanged)
    Q_PROPERTY(int fileDownloadType READ fileDownloadType NOTIFY fileDownloadTypeChanged)
public:
    static constexpr int kDownloadTimeoutMs = 10000;

    explicit HalvoServer(INativeFunctionsWrapper *nativeFunctions, QObject *parent = nullptr);
    ~HalvoServer() override;

    WebSocketClient *client() const { return m_client; }
    bool isConnected() const;
    bool fileDownloadIsActive() const;
    double fileDownloadProgress() const;
    int fileDownloadType() const;

    /// Whether certificate errors of the server are accepted; off unless the
    /// configuration says otherwise, because this link carries passwords.
    void setIgnoreSslErrors(bool ignore) { m_ignoreSslErrors = ignore; }
    /// Declares what the server may send; its consumers register themselves.
    static void registerRoutes(RoutingTable &routes);
    void connectToServer(const QString &hostName, const QString &port, bool encrypted);
    void requestList(int selector);
    void requestUserSetFile(int selector, const QString &path);
    void requestInstrumentCatalog();
    void requestFirmwareList();
    void requestFile(const QString &fileName);
    void requestServiceCenterList();
    void requestOnConnect();
    void requestUpdateInfo();
    /// True, and counts it answered, when update information was asked for and
    /// not yet answered on this link; a reply nobody asked for gets false.
    bool takeUpdateInfoAnswer();
    void uploadUserSet(const QString &directory, const QString &fileName, const QByteArray &data);
    void uploadApplicationLog(const QString &directory, const QString &fileName, const QByteArray &data);
    void putContactMessage(const QByteArray &data, const QString &fileName);
    /// Sends nothing and returns false when mayCarryPassword() says no.
    bool sendUserLoginRequest(const QString &userName, const QString &password);
    /// Whether the current link may carry a password (see passwordMayTravel),
    /// with "Preferences/HalvoServerAllowUnencryptedLogin".
    bool mayCarryPassword() const;
    /// A password goes over TLS, or in clear to this machine (the local
    /// simulators), or in clear anywhere only when that is explicitly allowed.
    static bool passwordMayTravel(const QString &hostName, bool encrypted, bool allowUnencrypted);
    /// "localhost" or a loopback address; names are not resolved.
    static bool isLocalHost(const QString &hostName);
    void sendUserLogoutRequest();
    /// Fetches the ".esc" of a ".esb" name; false when one is already running
    /// or the name is refused.
    bool downloadFirmware(const QString &fileName);

    void setDownloadTimeout(int milliseconds) { m_downloadTimeoutMs = milliseconds; }
    void setDownloadDirectory(const QString &directory) { m_downloadDirectory = directory; }
    QString downloadDirectory() const;

signals:
    void isConnectedChanged();
    void fileDownloadIsActiveChanged(int type);
    void fileDownloadProgressChanged(int type);
    void fileDownloadTypeChanged(int type);
    void fileDownloadCanceled(int type);
    void fileDownloadErrorOccured(int type);
    void fileDownloadSuccessfullyFinished(int type);
    void fileReceived(FileTransfer msg);

public slots:
    void fileDownloadDoCancel();
    void deleteFileDownload();
    void onRequestStartPreventLock();
    void onRequestEndPreventLock();
    void onBinaryMessageReceived(const QByteArray &byteArray);

private:
    void send(const QByteArray &message);
    void sendGetRequest(qint32 type, qint32 selector = 0, const QString &additionalInfo = QStringLiteral(""));
    void uploadFile(qint32 fileType, const QString &directory, const QString &fileName, const QByteArray &data);
    qint32 nextRequestId() { return qint32(++m_requestCounter); }

    WebSocketClient *m_client;
    QPointer<FileDownload> m_fileDownload;
    quint32 m_requestCounter = 0;
    INativeFunctionsWrapper *m_nativeFunctions;
    bool m_ignoreSslErrors = false;
    int m_pendingUpdateInfoRequests = 0;
    int m_downloadTimeoutMs = kDownloadTimeoutMs;
    QString m_downloadDirectory;
};
