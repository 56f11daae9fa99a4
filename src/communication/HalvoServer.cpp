#include "HalvoServer.h"

#include "DataPaths.h"
#include "TransferWiring.h"
#include "GetRequest.h"
#include "INativeFunctionsWrapper.h"
#include "Logger.h"
#include "ProtocolTypes.h"
#include "RoutingTable.h"
#include "Settings.h"
#include "UserLoginRequest.h"
#include "UserLogoutRequest.h"
#include "WebSocketClient.h"

#include <QtCore/QCoreApplication>
#include <QtNetwork/QHostAddress>

HalvoServer::HalvoServer(INativeFunctionsWrapper *nativeFunctions, QObject *parent)
    : QObject(parent)
    , m_client(new WebSocketClient(this))
    , m_nativeFunctions(nativeFunctions)
{
    connect(m_client, &WebSocketClient::isProtocolConnectedChanged, this, [this] {
        // Questions asked on a link that went away are answered on no other.
        if (!isConnected())
            m_pendingUpdateInfoRequests = 0;
        emit isConnectedChanged();
    });
    connect(m_client, &WebSocketClient::binaryMessageReceived, this, &HalvoServer::onBinaryMessageReceived);
}

HalvoServer::~HalvoServer()
{
    if (m_fileDownload) {
        m_fileDownload->disconnect(this);
        m_fileDownload->quit();
        m_fileDownload->wait();
        delete m_fileDownload.data();
    }
}

bool HalvoServer::isConnected() const { return m_client && m_client->isProtocolConnected(); }
bool HalvoServer::fileDownloadIsActive() const { return m_fileDownload && m_fileDownload->isActive(); }
double HalvoServer::fileDownloadProgress() const { return m_fileDownload ? double(m_fileDownload->progress()) : 0.0; }
int HalvoServer::fileDownloadType() const { return m_fileDownload ? m_fileDownload->fileType() : 0; }

QString HalvoServer::downloadDirectory() const
{
    return m_downloadDirectory.isEmpty() ? DataPaths::tempDir() : m_downloadDirectory;
}

void HalvoServer::send(const QByteArray &message)
{
    if (m_client)
        m_client->sendMessage(message);
}

void HalvoServer::sendGetRequest(qint32 type, qint32 selector, const QString &additionalInfo)
{
    send(GetRequest(nextRequestId(), false, type, selector, additionalInfo).serialize());
}

void HalvoServer::registerRoutes(RoutingTable &routes)
{
    // Requests and identities are what this application sends, not what it is sent.
    routes.ignoreCommands({CommandType::GetRequest, CommandType::UserLoginRequest, CommandType::UserLoginLogInfo,
                           CommandType::Qelo3DeviceInformation, CommandType::UserLogoutRequest});
    routes.expectFiles({FileType::UserSet, FileType::FileList, FileType::FirmwareDescription, FileType::FirmwareList,
                        FileType::ServiceCenters, FileType::InstrumentCatalog, FileType::ApplicationLog,
                        FileType::ContactMessage});
    routes.ignoreFiles({FileType::FirmwareContainer, FileType::ChronoFixed, FileType::ChronoFlexZip,
                        FileType::ChronoFlex, FileType::Unused12});
}

void HalvoServer::connectToServer(const QString &hostName, const QString &port, bool encrypted)
{
    if (!m_client)
        return;
    m_client->setIgnoreSslErrors(m_ignoreSslErrors);
    if (encrypted)
        m_client->connectToHostEncrypted(QStringLiteral("HalvoServer"), hostName, port);
    else
        m_client->connectToHost(QStringLiteral("HalvoServer"), hostName, port);
}

void HalvoServer::requestList(int selector) { sendGetRequest(GetRequestType::UserSetList, selector); }
void HalvoServer::requestUserSetFile(int selector, const QString &path) { sendGetRequest(GetRequestType::UserSet, selector, path); }
void HalvoServer::requestInstrumentCatalog() { sendGetRequest(GetRequestType::InstrumentCatalog); }
void HalvoServer::requestFirmwareList() { sendGetRequest(GetRequestType::FirmwareList); }
void HalvoServer::requestFile(const QString &fileName) { sendGetRequest(GetRequestType::ListedFile, 1, fileName); }
void HalvoServer::requestServiceCenterList() { sendGetRequest(GetRequestType::ServiceCenters); }
void HalvoServer::requestOnConnect() { sendGetRequest(GetRequestType::ServerConnected); }

void HalvoServer::requestUpdateInfo()
{
    ++m_pendingUpdateInfoRequests;
    sendGetRequest(GetRequestType::UpdateInformation, 0, QCoreApplication::applicationVersion());
}

bool HalvoServer::takeUpdateInfoAnswer()
{
    if (m_pendingUpdateInfoRequests <= 0)
        return false;
    --m_pendingUpdateInfoRequests;
    return true;
}

void HalvoServer::uploadFile(qint32 fileType, const QString &directory, const QString &fileName, const QByteArray &data)
{
    send(FileTransfer(nextRequestId(), false, fileType, directory, fileName, 0, data, 0).serialize());
}

void HalvoServer::uploadUserSet(const QString &directory, const QString &fileName, const QByteArray &data)
{
    uploadFile(FileType::UserSet, directory, fileName, data);
}

void HalvoServer::uploadApplicationLog(const QString &directory, const QString &fileName, const QByteArray &data)
{
    uploadFile(FileType::ApplicationLog, directory, fileName, data);
}

void HalvoServer::putContactMessage(const QByteArray &data, const QString &fileName)
{
    Logger::info(QStringLiteral("HalvoServer::putContactMessage: Sending contact message (size = %1) as file %2")
                     .arg(data.size())
                     .arg(fileName));
    uploadFile(FileType::ContactMessage, QStringLiteral(""), fileName, data);
}

bool HalvoServer::isLocalHost(const QString &hostName)
{
    QString host = hostName.trimmed();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    QHostAddress address;
    return address.setAddress(host) && address.isLoopback();
}

bool HalvoServer::passwordMayTravel(const QString &hostName, bool encrypted, bool allowUnencrypted)
{
    return encrypted || allowUnencrypted || isLocalHost(hostName);
}

bool HalvoServer::mayCarryPassword() const
{
    return m_client
           && passwordMayTravel(m_client->hostName(), m_client->isEncrypted(),
                                Settings::getBoolValue(QStringLiteral("Preferences/HalvoServerAllowUnencryptedLogin"), false));
}

bool HalvoServer::sendUserLoginRequest(const QString &userName, const QString &password)
{
    if (!mayCarryPassword()) {
        Logger::warn(QStringLiteral("HalvoServer::sendUserLoginRequest: refused to send a password unencrypted to %1")
                         .arg(m_client ? m_client->hostName() : QString()));
        return false;
    }
    QByteArray frame = UserLoginRequest(nextRequestId(), false, userName, password).serialize();
    send(frame);
    // The frame holds the password; the socket has its own copy by now.
    frame.fill('\0');
    return true;
}

void HalvoServer::sendUserLogoutRequest()
{
    send(UserLogoutRequest(nextRequestId(), false).serialize());
}

void HalvoServer::downloadFirmware(const QString &fileName)
{
    if (!m_client || m_fileDownload)
        return;
    QString containerName = fileName;
    containerName.replace(QStringLiteral("esb"), QStringLiteral("esc"));
    // The name comes from the server's firmware list and becomes a local path.
    if (DataPaths::safeFileName(containerName).isEmpty()) {
        Logger::warn(QStringLiteral("HalvoServer::downloadFirmware: refused file name %1").arg(fileName));
        return;
    }
    auto *download = new FileDownload(m_client, containerName, downloadDirectory(), FileType::FirmwareContainer,
                                      GetRequestType::ListedFile, m_downloadTimeoutMs);
    m_fileDownload = download;
    wireDownload(download, this);
    download->start();
}

void HalvoServer::fileDownloadDoCancel()
{
    if (m_fileDownload && m_fileDownload->isActive())
        QMetaObject::invokeMethod(m_fileDownload, "requestCancel", Qt::QueuedConnection);
}

void HalvoServer::deleteFileDownload()
{
    if (!m_fileDownload)
        return;
    FileDownload *download = m_fileDownload;
    m_fileDownload = nullptr;
    download->wait();
    delete download;
}

void HalvoServer::onRequestStartPreventLock()
{
    if (m_nativeFunctions)
        m_nativeFunctions->startPreventLock();
    Logger::info(QStringLiteral("StartPreventLock Halvo"));
}

void HalvoServer::onRequestEndPreventLock()
{
    if (m_nativeFunctions)
        m_nativeFunctions->endPreventLock();
    Logger::info(QStringLiteral("EndPreventLock Halvo"));
}

void HalvoServer::onBinaryMessageReceived(const QByteArray &byteArray)
{
    refuseUnrequestedChunk(QStringLiteral("HalvoServer::onBinaryMessageReceived"), byteArray, fileDownloadIsActive(),
                           FileType::FirmwareContainer);
}
