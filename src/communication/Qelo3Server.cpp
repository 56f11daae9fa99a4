#include "Qelo3Server.h"

#include "DataPaths.h"
#include "TransferWiring.h"
#include "FileUpload.h"
#include "GetRequest.h"
#include "INativeFunctionsWrapper.h"
#include "Logger.h"
#include "ProtocolTypes.h"
#include "Qelo3DeviceInformation.h"
#include "RoutingTable.h"
#include "UserLoginLogInfo.h"
#include "WebSocketClient.h"

#include <QtCore/QTimer>

#include <algorithm>

namespace {

struct DownloadKind
{
    const char *ending;
    int fileType;
    int requestType;
};

// First match wins, so ".flex.zip" must come before ".flex".
constexpr DownloadKind kDownloadKinds[] = {
    {".flex.zip", FileType::ChronoFlexZip, GetRequestType::ChronoFiles},
    {".flex", FileType::ChronoFlex, GetRequestType::ChronoFiles},
    {".fix", FileType::ChronoFixed, GetRequestType::ChronoFiles},
    {".xml", FileType::UserSet, GetRequestType::UserSet},
};

} // namespace

Qelo3Server::Qelo3Server(INativeFunctionsWrapper *nativeFunctions, QObject *parent)
    : QObject(parent)
    , m_client(new WebSocketClient(this))
    , m_nativeFunctions(nativeFunctions)
{
    connect(m_client, &WebSocketClient::isProtocolConnectedChanged, this, &Qelo3Server::isConnectedChanged);
    connect(m_client, &WebSocketClient::binaryMessageReceived, this, &Qelo3Server::onBinaryMessageReceived);
}

Qelo3Server::~Qelo3Server()
{
    for (QThread *transfer : {static_cast<QThread *>(m_fileUpload.data()), static_cast<QThread *>(m_fileDownload.data())}) {
        if (!transfer)
            continue;
        transfer->disconnect(this);
        transfer->quit();
        transfer->wait();
        delete transfer;
    }
}

bool Qelo3Server::isConnected() const { return m_client && m_client->isProtocolConnected(); }
bool Qelo3Server::fileUploadIsActive() const { return m_fileUpload && m_fileUpload->isActive(); }
double Qelo3Server::fileUploadProgress() const { return m_fileUpload ? m_fileUpload->progress() : 0.0; }
QTime Qelo3Server::fileUploadEstimatedTime() const { return m_fileUpload ? m_fileUpload->estimatedTime() : QTime(); }
int Qelo3Server::fileUploadType() const { return m_fileUpload ? m_fileUpload->fileType() : 0; }
bool Qelo3Server::fileDownloadIsActive() const { return m_fileDownload && m_fileDownload->isActive(); }
double Qelo3Server::fileDownloadProgress() const { return m_fileDownload ? double(m_fileDownload->progress()) : 0.0; }
int Qelo3Server::fileDownloadType() const { return m_fileDownload ? m_fileDownload->fileType() : 0; }

QString Qelo3Server::downloadDirectory() const
{
    return m_downloadDirectory.isEmpty() ? DataPaths::tempDir() : m_downloadDirectory;
}

void Qelo3Server::setTransferTimeouts(int uploadMs, int downloadMs)
{
    m_uploadTimeoutMs = uploadMs;
    m_downloadTimeoutMs = downloadMs;
}

void Qelo3Server::send(const QByteArray &message)
{
    if (m_client)
        m_client->sendMessage(message);
}

void Qelo3Server::registerRoutes(RoutingTable &routes)
{
    routes.expectFiles({FileType::UserSet, FileType::FileList, FileType::ChronoFixed, FileType::ChronoFlexZip,
                        FileType::ChronoFlex, FileType::GeneratorFileList});
    routes.ignoreFiles({FileType::FirmwareContainer, FileType::Unused10});
    routes.onCommand<Qelo3DeviceInformation>(CommandType::Qelo3DeviceInformation,
                                             [this](const Qelo3DeviceInformation &info) { onDeviceInformation(info); });
    for (FileType::Value type : {FileType::FileList, FileType::GeneratorFileList}) {
        routes.onFile(type, [this](const FileTransfer &list) {
            onFileList(list);
            return true;
        });
    }
}

void Qelo3Server::onDeviceInformation(const Qelo3DeviceInformation &info)
{
    setDeviceData(info.name(), info.type(), info.serialNumber(), info.softwareVersion(), QString());
    emit deviceDataChanged();
}

void Qelo3Server::onFileList(const FileTransfer &list)
{
    // Entries may be paths on the generator; only the file name is fetched,
    // and only when it is a plain name by the data tree's rule.
    const QStringList entries = QString::fromUtf8(list.data()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString &entry : entries) {
        const int cut = int(std::max(entry.lastIndexOf(QLatin1Char('/')), entry.lastIndexOf(QLatin1Char('\\'))));
        const QString name = DataPaths::safeFileName(entry.mid(cut + 1));
        if (name.isEmpty()) {
            Logger::warnLimited(QStringLiteral("Qelo3Server::onFileList"),
                                QStringLiteral("Qelo3Server::onFileList: unusable list entry %1").arg(entry));
            continue;
        }
        queueDownload(name);
    }
}

void Qelo3Server::connectToServer(const QString &hostName, const QString &port, bool encrypted)
{
    if (!m_client)
        return;
    // Certificate errors of the generator's own certificate are expected on a
    // local link; they are still reported through sslErrors and logged.
    m_client->setIgnoreSslErrors(true);
    if (encrypted)
        m_client->connectToHostEncrypted(QStringLiteral("QELO3"), hostName, port);
    else
        m_client->connectToHost(QStringLiteral("QELO3"), hostName, port);
}

void Qelo3Server::requestUserSet()
{
    const qint32 type = m_peerProtocolVersion >= 5 ? GetRequestType::UserSetList : GetRequestType::UserSet;
    send(GetRequest(nextRequestId(), false, type).serialize());
}

void Qelo3Server::requestChronoFiles()
{
    const qint32 type = m_peerProtocolVersion >= 5 ? GetRequestType::ChronoList : GetRequestType::ChronoFiles;
    send(GetRequest(nextRequestId(), false, type).serialize());
}

void Qelo3Server::requestDeviceInformation()
{
    send(GetRequest(nextRequestId(), false, GetRequestType::DeviceInformation).serialize());
}

void Qelo3Server::sendUserLoginLogInfo(const QString &userName, int role)
{
    send(UserLoginLogInfo(nextRequestId(), false, userName, role).serialize());
}

void Qelo3Server::uploadUserSet(const QString &fileName, const QString &filePath)
{
    startUpload(fileName, filePath, FileType::UserSet);
}

bool Qelo3Server::uploadFirmware(const QString &fileName, const QString &filePath)
{
    return startUpload(fileName, filePath, FileType::FirmwareContainer);
}

bool Qelo3Server::startUpload(const QString &fileName, const QString &filePath, int fileType)
{
    if (!m_client || m_fileUpload)
        return false;
    auto *upload = new FileUpload(m_client, fileName, filePath, fileType, m_uploadTimeoutMs);
    m_fileUpload = upload;
    connect(upload, &FileUpload::isActiveChanged, this, &Qelo3Server::fileUploadIsActiveChanged);
    connect(upload, &FileUpload::progressChanged, this, &Qelo3Server::fileUploadProgressChanged);
    connect(upload, &FileUpload::estimatedTimeChanged, this, &Qelo3Server::fileUploadEstimatedTimeChanged);
    connect(upload, &FileUpload::fileTypeChanged, this, &Qelo3Server::fileUploadTypeChanged);
    connect(upload, &FileUpload::canceled, this, &Qelo3Server::fileUploadCanceled);
    connect(upload, &FileUpload::errorOccured, this, &Qelo3Server::fileUploadErrorOccured);
    connect(upload, &FileUpload::successfullyFinished, this, &Qelo3Server::fileUploadSuccessfullyFinished);
    connect(upload, &FileUpload::requestStartPreventLock, this, &Qelo3Server::onRequestStartPreventLock);
    connect(upload, &FileUpload::requestEndPreventLock, this, &Qelo3Server::onRequestEndPreventLock);
    connect(upload, &FileUpload::successfullyFinished, this, &Qelo3Server::afterFileUpload);
    connect(upload, &QThread::finished, this, &Qelo3Server::deleteFileUpload);
    upload->start();
    return true;
}

void Qelo3Server::queueDownload(const QString &fileName)
{
    // A peer's name becomes a local path: only a plain file name may pass.
    if (DataPaths::safeFileName(fileName).isEmpty()) {
        // A list can hold any number of them.
        Logger::warnLimited(QStringLiteral("Qelo3Server refused file name"),
            QStringLiteral("Qelo3Server::queueDownload: Refused file name \"%1\"").arg(fileName));
        return;
    }
    // A file list is the peer's to make as long as it likes; every queued
    // name costs memory and a download.
    if (m_downloadQueue.size() >= kMaxQueuedDownloads) {
        if (!m_queueOverflowReported) {
            m_queueOverflowReported = true;
            Logger::warn(QStringLiteral("Qelo3Server::queueDownload: %1 downloads are waiting; further names are "
                                        "dropped, from %2 on")
                             .arg(kMaxQueuedDownloads)
                             .arg(fileName));
        }
        return;
    }
    m_downloadQueue.append(fileName);
    startNextDownload();
}

void Qelo3Server::startNextDownload()
{
    // An unusable name is skipped rather than left to stall the names behind it.
    while (!m_downloadQueue.isEmpty() && !m_fileDownload && m_client) {
        const QString fileName = m_downloadQueue.takeFirst();
        const DownloadKind *kind = nullptr;
        for (const DownloadKind &candidate : kDownloadKinds) {
            if (fileName.endsWith(QLatin1String(candidate.ending))) {
                kind = &candidate;
                break;
            }
        }
        if (!kind) {
            Logger::warnLimited(QStringLiteral("Qelo3Server unknown ending"),
                QStringLiteral("Qelo3Server::startNextDownload: dropped file name %1").arg(fileName));
            continue;
        }
        auto *download = new FileDownload(m_client, fileName, downloadDirectory(), kind->fileType, kind->requestType,
                                          m_downloadTimeoutMs);
        m_fileDownload = download;
        wireDownload(download, this);
        download->start();
    }
    if (m_downloadQueue.isEmpty())
        m_queueOverflowReported = false;
}

void Qelo3Server::deleteFileUpload()
{
    if (!m_fileUpload)
        return;
    FileUpload *upload = m_fileUpload;
    m_fileUpload = nullptr;
    upload->wait();
    delete upload;
}

void Qelo3Server::deleteFileDownload()
{
    if (m_fileDownload) {
        FileDownload *download = m_fileDownload;
        m_fileDownload = nullptr;
        download->wait();
        delete download;
    }
    startNextDownload();
}

void Qelo3Server::fileUploadDoCancel()
{
    if (m_fileUpload && m_fileUpload->isActive())
        QMetaObject::invokeMethod(m_fileUpload, "requestCancel", Qt::QueuedConnection);
}

void Qelo3Server::fileDownloadDoCancel()
{
    if (m_fileDownload && m_fileDownload->isActive())
        QMetaObject::invokeMethod(m_fileDownload, "requestCancel", Qt::QueuedConnection);
    m_downloadQueue.clear();
    m_queueOverflowReported = false;
}

void Qelo3Server::afterFileUpload(int type)
{
    if (type == FileType::UserSet)
        QTimer::singleShot(500, this, &Qelo3Server::requestUserSet);
}

void Qelo3Server::onRequestStartPreventLock()
{
    if (m_nativeFunctions)
        m_nativeFunctions->startPreventLock();
    Logger::info(QStringLiteral("StartPreventLock QELO3"));
}

void Qelo3Server::onRequestEndPreventLock()
{
    if (m_nativeFunctions)
        m_nativeFunctions->endPreventLock();
    Logger::info(QStringLiteral("EndPreventLock QELO3"));
}

void Qelo3Server::onBinaryMessageReceived(const QByteArray &byteArray)
{
    m_peerProtocolVersion = MessageBase(byteArray).protocolVersion();
    refuseUnrequestedChunk(QStringLiteral("Qelo3Server::onBinaryMessageReceived"), byteArray, fileDownloadIsActive());
}

void Qelo3Server::setDeviceData(const QString &name, const QString &type, const QString &serialNumber,
                                const QString &softwareVersion, const QString &spare)
{
    m_name = name;
    m_type = type;
    m_serialNumber = serialNumber;
    m_softwareVersion = softwareVersion;
    m_spare = spare;
}
