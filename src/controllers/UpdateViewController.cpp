#include "UpdateViewController.h"

#include "CommunicationController.h"
#include "DataPaths.h"
#include "FileSystem.h"
#include "HalvoServer.h"
#include "Logger.h"
#include "ProtocolTypes.h"
#include "Qelo3Server.h"
#include "RoutingTable.h"
#include "StringListElement.h"
#include "StringListModel.h"
#include "TranslationService.h"
#include "UpdateInfo.h"
#include "WebSocketClient.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtQml/QQmlContext>

namespace {

const QString kLocalFolder = QStringLiteral("device_dataFiles/QELO3/update_deviceSoftware");
const QString kServerFolder = QStringLiteral("device_dataFiles/QELO3/update_deviceSoftware/temp_server");
const QString kPartSuffix = QStringLiteral(".part");

QStringList descriptionsIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.esb")}, QDir::Files, QDir::Name);
}

// Copies both files under a temporary name first, then puts them in place:
// a failure leaves the folder as it was, older files of the same name included.
bool copyPairInto(const QString &escSource, const QString &escTarget, const QString &esbSource,
                  const QString &esbTarget)
{
    const QString escPart = escTarget + kPartSuffix;
    const QString esbPart = esbTarget + kPartSuffix;
    const auto dropParts = [&] {
        QFile::remove(escPart);
        QFile::remove(esbPart);
    };
    if (!FileSystem::copyFile(escSource, escPart) || !FileSystem::copyFile(esbSource, esbPart)) {
        dropParts();
        return false;
    }
    if (!FileSystem::moveFile(escPart, escTarget)) {
        dropParts();
        return false;
    }
    if (!FileSystem::moveFile(esbPart, esbTarget)) {
        // A container without its description would never be listed: take it back.
        QFile::remove(escTarget);
        dropParts();
        return false;
    }
    return true;
}

} // namespace

UpdateViewController::UpdateViewController(QQmlContext *rootContext, CommunicationController *communication,
                                           TranslationService *translation, QObject *parent)
    : QObject(parent)
    , m_communication(communication)
    , m_translation(translation)
    , m_localOverview(std::make_unique<StringListModel>())
    , m_serverOverview(std::make_unique<StringListModel>())
{
    if (rootContext) {
        rootContext->setContextProperty(QStringLiteral("LocalUpdateOverviewList"), m_localOverview.get());
        rootContext->setContextProperty(QStringLiteral("ServerUpdateOverviewList"), m_serverOverview.get());
    }
    if (!m_communication)
        return;
    Qelo3Server *generator = m_communication->qelo3Server();
    connect(generator, &Qelo3Server::fileUploadIsActiveChanged, this, &UpdateViewController::fileUploadIsActiveChanged);
    connect(generator, &Qelo3Server::fileUploadProgressChanged, this, &UpdateViewController::fileUploadProgressChanged);
    connect(generator, &Qelo3Server::fileUploadTypeChanged, this, &UpdateViewController::fileUploadTypeChanged);
    connect(generator, &Qelo3Server::fileUploadEstimatedTimeChanged, this,
            &UpdateViewController::fileUploadEstimatedTimeChanged);
    connect(generator, &Qelo3Server::fileUploadCanceled, this, &UpdateViewController::fileUploadCanceled);
    connect(generator, &Qelo3Server::fileUploadErrorOccured, this, &UpdateViewController::fileUploadErrorOccured);
    connect(generator, &Qelo3Server::fileUploadSuccessfullyFinished, this,
            &UpdateViewController::fileUploadSuccessfullyFinished);
    HalvoServer *server = m_communication->halvoServer();
    connect(server, &HalvoServer::fileDownloadIsActiveChanged, this, &UpdateViewController::fileDownloadIsActiveChanged);
    connect(server, &HalvoServer::fileDownloadProgressChanged, this, &UpdateViewController::fileDownloadProgressChanged);
    connect(server, &HalvoServer::fileDownloadTypeChanged, this, &UpdateViewController::fileDownloadTypeChanged);
    connect(server, &HalvoServer::fileDownloadCanceled, this, &UpdateViewController::fileDownloadCanceled);
    connect(server, &HalvoServer::fileDownloadErrorOccured, this, &UpdateViewController::fileDownloadErrorOccured);
    connect(server, &HalvoServer::fileDownloadSuccessfullyFinished, this,
            &UpdateViewController::fileDownloadSuccessfullyFinished);
    // A download that ends without its file ends the wait for it as well.
    const auto lost = [this](int type) {
        if (type == FileType::FirmwareContainer)
            endDownload(false);
    };
    connect(server, &HalvoServer::fileDownloadCanceled, this, lost);
    connect(server, &HalvoServer::fileDownloadErrorOccured, this, lost);
}

UpdateViewController::~UpdateViewController()
{
    clearInfos();
}

void UpdateViewController::registerRoutes(RoutingTable &serverRoutes)
{
    // Not taken: whoever registers after this may want the file too.
    serverRoutes.onFile(FileType::FirmwareDescription, [this](const FileTransfer &message) {
        storeServerDescription(message);
        return false;
    });
    serverRoutes.onDownload(FileType::FirmwareContainer, [this](const FileTransfer &message) {
        onFileReceived(message);
        return true;
    });
}

bool UpdateViewController::fileUploadIsActive() const
{
    return m_communication && m_communication->qelo3Server()->fileUploadIsActive();
}

double UpdateViewController::fileUploadProgress() const
{
    return m_communication ? m_communication->qelo3Server()->fileUploadProgress() : 0.0;
}

int UpdateViewController::fileUploadType() const
{
    return m_communication ? m_communication->qelo3Server()->fileUploadType() : 0;
}

QTime UpdateViewController::fileUploadEstimatedTime() const
{
    return m_communication ? m_communication->qelo3Server()->fileUploadEstimatedTime() : QTime();
}

int UpdateViewController::fileDownloadType() const
{
    return m_communication ? m_communication->halvoServer()->fileDownloadType() : 0;
}

bool UpdateViewController::fileDownloadIsActive() const
{
    return m_communication && m_communication->halvoServer()->fileDownloadIsActive();
}

double UpdateViewController::fileDownloadProgress() const
{
    return m_communication ? m_communication->halvoServer()->fileDownloadProgress() : 0.0;
}

QString UpdateViewController::localFolder() const
{
    return DataPaths::userPath(m_userName, kLocalFolder);
}

QString UpdateViewController::serverFolder() const
{
    return DataPaths::userPath(m_userName, kServerFolder);
}

QString UpdateViewController::containerName(const QString &descriptionName)
{
    if (descriptionName.endsWith(QLatin1String(".esb")))
        return descriptionName.chopped(4) + QStringLiteral(".esc");
    if (descriptionName.endsWith(QLatin1String(".ESB")))
        return descriptionName.chopped(4) + QStringLiteral(".ESC");
    return QString();
}

bool UpdateViewController::isDescriptionName(const QString &name)
{
    return name.size() > 4 && !DataPaths::safeFileName(name).isEmpty() && !containerName(name).isEmpty();
}

void UpdateViewController::onUserLoggedIn(const QString &userName)
{
    m_userName = userName;
    reload();
}

void UpdateViewController::reset()
{
    m_userName.clear();
    m_pendingDownload.clear();
    clearInfos();
    m_localOverview->clear();
    m_serverOverview->clear();
    emit overviewsChanged();
}

void UpdateViewController::clearInfos()
{
    qDeleteAll(m_localInfos);
    qDeleteAll(m_serverInfos);
    m_localInfos.clear();
    m_serverInfos.clear();
    m_selection.clear();
    m_serverNames.clear();
}

void UpdateViewController::reload()
{
    clearInfos();
    if (!m_userName.isEmpty()) {
        const QString local = localFolder();
        for (const QString &name : descriptionsIn(local)) {
            m_selection.insert(name, false);
            m_localInfos.insert(name, new UpdateInfo(local + QLatin1Char('/') + name));
        }
        const QString server = serverFolder();
        for (const QString &name : descriptionsIn(server)) {
            m_serverNames.append(name);
            m_serverInfos.insert(name, new UpdateInfo(server + QLatin1Char('/') + name));
        }
    }
    rebuildOverviews();
}

void UpdateViewController::rebuildOverviews()
{
    m_localOverview->clear();
    for (auto it = m_selection.cbegin(); it != m_selection.cend(); ++it) {
        m_localOverview->append(new StringListElement(it.key(), UpdateInfo::displayText(it.key()), QStringLiteral("0"),
                                                      it.value(), false));
    }
    m_serverOverview->clear();
    for (const QString &name : qAsConst(m_serverNames)) {
        m_serverOverview->append(new StringListElement(name, UpdateInfo::displayText(name), QStringLiteral("0"), false,
                                                       m_selection.contains(name)));
    }
    emit overviewsChanged();
}

void UpdateViewController::setSelected(const QString &updateFileId, const QString &isSelected)
{
    if (m_selection.contains(updateFileId))
        m_selection[updateFileId] = isSelected.toLower() == QLatin1String("true") || isSelected == QLatin1String("1");
    rebuildOverviews();
}

void UpdateViewController::deleteSelectedUpdates()
{
    bool deleted = false;
    const QString local = localFolder();
    for (auto it = m_selection.cbegin(); it != m_selection.cend(); ++it) {
        if (!it.value() || !isDescriptionName(it.key()))
            continue;
        deleted |= QFile::remove(local + QLatin1Char('/') + it.key());
        deleted |= QFile::remove(local + QLatin1Char('/') + containerName(it.key()));
    }
    if (deleted)
        reload();
}

void UpdateViewController::refuse(Refusal refusal)
{
    m_lastRefusal = refusal;
    emit transferRefused(refusal);
}

bool UpdateViewController::downloadFromServer(const QString &updateFileId)
{
    const QString source = serverFolder() + QLatin1Char('/') + updateFileId;
    if (m_userName.isEmpty() || !isDescriptionName(updateFileId) || !QFileInfo::exists(source)) {
        Logger::warn(QStringLiteral("UpdateViewController::downloadFromServer: File not found: sourceEsbFile=%1").arg(source));
        refuse(NotFound);
        return false;
    }
    HalvoServer *server = m_communication ? m_communication->halvoServer() : nullptr;
    if (!server || !server->client()->isProtocolConnected()) {
        Logger::warn(QStringLiteral("UpdateViewController::downloadFromServer: currently there is no open connection to the server"));
        refuse(NoConnection);
        return false;
    }
    if (!m_pendingDownload.isEmpty() || !server->downloadFirmware(updateFileId)) {
        Logger::warn(QStringLiteral("UpdateViewController::downloadFromServer: a download is already running"));
        refuse(TransferRunning);
        return false;
    }
    m_pendingDownload = updateFileId;
    return true;
}

void UpdateViewController::onFileReceived(FileTransfer msg)
{
    if (msg.fileType() != FileType::FirmwareContainer)
        return;
    const QString received = msg.directory() + QLatin1Char('/') + msg.filename();
    if (m_pendingDownload.isEmpty() || msg.filename() != containerName(m_pendingDownload)) {
        Logger::warn(QStringLiteral("UpdateViewController::onFileReceived: no download asked for %1").arg(msg.filename()));
        QFile::remove(received);
        return;
    }
    const bool stored = storeDownloadedContainer(msg);
    QFile::remove(received);
    endDownload(stored);
    reload();
}

bool UpdateViewController::storeDownloadedContainer(const FileTransfer &msg)
{
    const QString local = localFolder();
    DataPaths::ensureDirectory(local);
    const QString received = msg.directory() + QLatin1Char('/') + msg.filename();
    if (!copyPairInto(received, local + QLatin1Char('/') + containerName(m_pendingDownload),
                      serverFolder() + QLatin1Char('/') + m_pendingDownload,
                      local + QLatin1Char('/') + m_pendingDownload)) {
        Logger::error(QStringLiteral("UpdateViewController::onFileReceived: could not store %1").arg(m_pendingDownload));
        return false;
    }
    return true;
}

void UpdateViewController::endDownload(bool stored)
{
    if (m_pendingDownload.isEmpty())
        return;
    const QString id = m_pendingDownload;
    m_pendingDownload.clear();
    emit firmwareDownloadFinished(id, stored);
}

bool UpdateViewController::storeServerDescription(const FileTransfer &message)
{
    if (m_userName.isEmpty() || !isDescriptionName(message.filename())
        || !message.filename().endsWith(QLatin1String(".esb"))) {
        Logger::warn(QStringLiteral("UpdateViewController::storeServerDescription: dropped description \"%1\"")
                         .arg(message.filename()));
        return false;
    }
    const QString folder = serverFolder();
    DataPaths::ensureDirectory(folder);
    if (!FileSystem::saveByteArrayToFile(folder + QLatin1Char('/') + message.filename(), message.data()))
        return false;
    reload();
    return true;
}

bool UpdateViewController::uploadToQelo3(const QString &updateFileId)
{
    const QString escName = containerName(updateFileId);
    const QString path = localFolder() + QLatin1Char('/') + escName;
    if (m_userName.isEmpty() || !isDescriptionName(updateFileId) || !QFileInfo::exists(path)) {
        Logger::error(QStringLiteral("UpdateViewController::uploadToQelo3: file does not exist"));
        refuse(NotFound);
        return false;
    }
    Qelo3Server *generator = m_communication ? m_communication->qelo3Server() : nullptr;
    if (!generator || !generator->client()->isProtocolConnected()) {
        Logger::warn(QStringLiteral("UpdateViewController::uploadToQelo3: currently there is no open connection to QELO3"));
        refuse(NoConnection);
        return false;
    }
    if (!generator->uploadFirmware(escName, path)) {
        Logger::warn(QStringLiteral("UpdateViewController::uploadToQelo3: an upload is already running"));
        refuse(TransferRunning);
        return false;
    }
    return true;
}

bool UpdateViewController::importQelo3FirmwareUpdate(const QString &fullPathname)
{
    const QString escPath = containerName(fullPathname);
    const QString name = QFileInfo(fullPathname).fileName();
    if (m_userName.isEmpty() || escPath.isEmpty() || !isDescriptionName(name) || !QFileInfo::exists(fullPathname)
        || !QFileInfo::exists(escPath)) {
        Logger::warn(QStringLiteral("UpdateViewController::importQelo3FirmwareUpdate: no update pair at %1").arg(fullPathname));
        return false;
    }
    const QString local = localFolder();
    DataPaths::ensureDirectory(local);
    const QString targetEsb = local + QLatin1Char('/') + name;
    // Importing what is already here changes nothing.
    if (QFileInfo(fullPathname).absoluteFilePath() != QFileInfo(targetEsb).absoluteFilePath()
        && !copyPairInto(escPath, local + QLatin1Char('/') + containerName(name), fullPathname, targetEsb)) {
        Logger::error(QStringLiteral("UpdateViewController::importQelo3FirmwareUpdate: Copy Failed! targetEsbFullPathname=%1")
                          .arg(targetEsb));
        return false;
    }
    reload();
    return true;
}

const UpdateInfo *UpdateViewController::infoOf(const QString &updateFileId, bool isServerView) const
{
    return (isServerView ? m_serverInfos : m_localInfos).value(updateFileId, nullptr);
}

#define UPDATE_DETAIL(method, getter)                                                                                  \
    QString UpdateViewController::method(const QString &updateFileId, bool isServerView) const                       \
    {                                                                                                                  \
        const UpdateInfo *info = infoOf(updateFileId, isServerView);                                                   \
        return info ? info->getter(m_translation ? m_translation->languageName() : QStringLiteral("Deutsch"))        \
                    : QString();                                                                                       \
    }
UPDATE_DETAIL(getDetailVersion, getVersion)
UPDATE_DETAIL(getDetailHint, getHint)
UPDATE_DETAIL(getDetailChange1, getChange1)
UPDATE_DETAIL(getDetailChange2, getChange2)
UPDATE_DETAIL(getDetailChange3, getChange3)
#undef UPDATE_DETAIL

QString UpdateViewController::getDisplayText(const QString &updateFileId) const
{
    return UpdateInfo::displayText(updateFileId);
}

bool UpdateViewController::isDownloaded(const QString &updateFileId) const
{
    return m_selection.contains(updateFileId);
}

void UpdateViewController::fileUploadDoCancel()
{
    if (m_communication)
        m_communication->qelo3Server()->fileUploadDoCancel();
}

void UpdateViewController::fileDownloadDoCancel()
{
    if (m_communication)
        m_communication->halvoServer()->fileDownloadDoCancel();
}
