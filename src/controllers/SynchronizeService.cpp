#include "SynchronizeService.h"

#include "DataPaths.h"
#include "FileTransfer.h"
#include "HalvoServer.h"
#include "INativeFunctionsWrapper.h"
#include "Logger.h"
#include "LoggingService.h"
#include "ProtocolTypes.h"
#include "RoutingTable.h"
#include "SettingsService.h"
#include "UserSetName.h"
#include "WebSocketClient.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QMap>

namespace {

constexpr qint32 kSelectorDownloads = 1;
constexpr qint32 kSelectorTemplates = 2;
constexpr int kGeneralTemplateType = 4;
constexpr int kServerDownloadType = 5;

const QString kListFirmware = QStringLiteral("LIST_FIRMWARE");
const QString kListTemplates = QStringLiteral("LIST_USERSET_TEMPLATES");
const QString kListDownloads = QStringLiteral("LIST_QELO3_DOWNLOADS");
const QString kFileCatalog = QStringLiteral("FILE_INSTRUMENTCATALOG");
const QString kFileServiceCenter = QStringLiteral("FILE_SERVICECENTER");
const QString kKeptLog = QStringLiteral("UpdateLog.xml");

QString part2(const QString &fileName)
{
    UserSetName name;
    name.setFileName(fileName);
    return name.getPart(1);
}

QDateTime nameDateTime(const QString &fileName)
{
    UserSetName name;
    name.setFileName(fileName);
    return name.getDateTime();
}

} // namespace

SynchronizeService::SynchronizeService(HalvoServer *server, SettingsService *settings, LoggingService *activityLog,
                                       INativeFunctionsWrapper *nativeFunctions, QObject *parent)
    : QObject(parent)
    , m_server(server)
    , m_settings(settings)
    , m_activityLog(activityLog)
    , m_nativeFunctions(nativeFunctions)
{
    m_firmware.reserve(20);
    m_templates.reserve(10);
    m_downloads.reserve(200);
    m_waitTimer.setInterval(kWaitIntervalMs);
    connect(&m_waitTimer, &QTimer::timeout, this, &SynchronizeService::onWaitTimerTimeout);
    m_systemMonotonic.start();
    setClocks(nullptr, nullptr);
}

void SynchronizeService::setClocks(MonotonicClock monotonic, WallClock wall)
{
    m_monotonic = monotonic ? std::move(monotonic) : MonotonicClock([this] { return m_systemMonotonic.elapsed(); });
    m_wallClock = wall ? std::move(wall) : WallClock([] { return QDateTime::currentDateTime(); });
    restartAnswerClock();
}

void SynchronizeService::registerRoutes(RoutingTable &serverRoutes)
{
    serverRoutes.onFile(FileType::FileList, [this](const FileTransfer &file) {
        listReceived(file);
        return true;
    });
    serverRoutes.onFile(FileType::FirmwareList, [this](const FileTransfer &file) {
        listReceived(file);
        return true;
    });
    // The rest is only observed: Contact, Copy and Update store these files.
    serverRoutes.onFile(FileType::UserSet, [this](const FileTransfer &file) {
        if (file.isAck())
            fileAckReceived(file.filename());
        else
            fileReceived(file.filename());
        return false;
    });
    serverRoutes.onFile(FileType::FirmwareDescription, [this](const FileTransfer &file) {
        if (!file.isAck())
            fileReceived(file.filename());
        return false;
    });
    serverRoutes.onFile(FileType::ServiceCenters, [this](const FileTransfer &file) {
        if (!file.isAck())
            fileReceived(kFileServiceCenter);
        return false;
    });
    serverRoutes.onFile(FileType::InstrumentCatalog, [this](const FileTransfer &file) {
        if (!file.isAck())
            fileReceived(kFileCatalog);
        return false;
    });
    serverRoutes.onFile(FileType::ApplicationLog, [this](const FileTransfer &file) {
        if (file.isAck())
            fileAckReceived(file.filename());
        return false;
    });
}

QStringList SynchronizeService::namesOf(const QList<UserSetFileRecord> &records)
{
    QStringList names;
    names.reserve(records.size());
    for (const UserSetFileRecord &record : records)
        names.append(record.fileName);
    return names;
}

QList<UserSetFileRecord> SynchronizeService::parseList(const QByteArray &payload)
{
    QList<UserSetFileRecord> records;
    const QStringList entries = QString::fromUtf8(payload).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString &entry : entries) {
        const int colon = int(entry.lastIndexOf(QLatin1Char(':')));
        UserSetFileRecord record;
        record.fileName = colon < 0 ? entry : entry.left(colon);
        record.path = colon < 0 ? QString() : entry.mid(colon + 1);
        if (!record.fileName.isEmpty())
            records.append(record);
    }
    return records;
}

QStringList SynchronizeService::userSetsToUpload(const QStringList &localFileNames, const QStringList &serverFileNames)
{
    // The last listed server name of a part 2 stands for the server's version.
    QHash<QString, QDateTime> serverDates;
    for (const QString &name : serverFileNames)
        serverDates.insert(part2(name), nameDateTime(name));
    QMap<QString, QPair<QDateTime, QString>> newest;
    for (const QString &name : localFileNames) {
        const QDateTime stamp = nameDateTime(name);
        if (!stamp.isValid())
            continue;
        const QString key = part2(name);
        const auto found = newest.constFind(key);
        if (found == newest.constEnd() || found->first < stamp)
            newest.insert(key, qMakePair(stamp, name));
    }
    QStringList result;
    for (auto it = newest.constBegin(); it != newest.constEnd(); ++it) {
        const auto server = serverDates.constFind(it.key());
        // A server name without a date cannot prove that it is newer.
        if (server == serverDates.constEnd() || !server->isValid() || *server < it->first)
            result.append(it->second);
    }
    return result;
}

void SynchronizeService::setActive(bool active)
{
    if (m_isActive == active)
        return;
    m_isActive = active;
    emit isActiveChanged();
}

void SynchronizeService::setSynching(bool synching)
{
    if (m_isSynching == synching)
        return;
    m_isSynching = synching;
    emit isSynchingChanged();
}

void SynchronizeService::setStatus(EState status, int position, bool canCancel)
{
    if (m_status != status) {
        m_status = status;
        emit statusChanged();
    }
    if (m_position != position) {
        m_position = position;
        emit positionChanged();
    }
    if (m_canCancel != canCancel) {
        m_canCancel = canCancel;
        emit canCancelChanged();
    }
}

void SynchronizeService::emitTotals()
{
    emit firmwareTotalCountChanged();
    emit userSetTemplatesTotalCountChanged();
    emit userSetDownloadTotalCountChanged();
    emit userSetUploadTotalCountChanged();
    emit appLogUploadTotalCountChanged();
}

void SynchronizeService::startPreventLock()
{
    if (m_preventLockHeld || !m_nativeFunctions)
        return;
    m_preventLockHeld = true;
    m_nativeFunctions->startPreventLock();
}

void SynchronizeService::endPreventLock()
{
    if (!m_preventLockHeld)
        return;
    m_preventLockHeld = false;
    m_nativeFunctions->endPreventLock();
}

void SynchronizeService::reset()
{
    m_waitTimer.stop();
    m_waitTimer.setInterval(kWaitIntervalMs);
    setActive(false);
    setSynching(false);
    setStatus(STATE_DOWNLOADING, 0, false);
    endPreventLock();
    if (m_instrumentCatalogReceived) {
        m_instrumentCatalogReceived = false;
        emit instrumentCatalogReceivedChanged();
    }
    if (m_serviceCenterFileReceived) {
        m_serviceCenterFileReceived = false;
        emit serviceCenterFileReceivedChanged();
    }
    m_firmwareListReceived = m_templateListReceived = m_downloadsListReceived = false;
    m_secondDownloadsRequestSent = m_secondDownloadsListReceived = m_finalWaitDone = false;
    m_firmwareTotalCount = m_userSetTemplatesTotalCount = m_userSetDownloadTotalCount = 0;
    m_userSetUploadTotalCount = m_appLogUploadTotalCount = 0;
    m_category = 0;
    m_lastFile.clear();
    restartAnswerClock();
    m_firmware.clear();
    m_templates.clear();
    m_downloads.clear();
    m_pendingUserSets.clear();
    m_pendingLogs.clear();
    emitTotals();
    emit cFirmwareChanged();
    emit cUserSetTemplatesChanged();
    emit cUserSetDownloadChanged();
}

void SynchronizeService::answered(const QString &answerTo)
{
    // Every answer shows the server at work, so the time-out starts again;
    // but only the answer to the outstanding request frees the way for the
    // next one. A user set the server pushes while the catalogue is asked for
    // would otherwise have the catalogue asked for twice, and the surplus
    // answer would later free a request still waiting for its own.
    restartAnswerClock();
    if (m_lastFile != answerTo)
        return;
    m_lastFile.clear();
    // The next request goes out now rather than on the next tick: a run of a
    // few hundred requests would otherwise wait a whole interval for each.
    pollSoon();
}

void SynchronizeService::pollSoon()
{
    if (m_pollQueued)
        return;
    m_pollQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_pollQueued = false;
            onWaitTimerTimeout();
        },
        Qt::QueuedConnection);
}

void SynchronizeService::request(qint32 type, qint32 selector, const QString &additionalInfo, const QString &label)
{
    m_lastFile = label;
    restartAnswerClock();
    switch (type) {
    case GetRequestType::FirmwareList:
        m_server->requestFirmwareList();
        break;
    case GetRequestType::InstrumentCatalog:
        m_server->requestInstrumentCatalog();
        break;
    case GetRequestType::ServiceCenters:
        m_server->requestServiceCenterList();
        break;
    case GetRequestType::ListedFile:
        m_server->requestFile(additionalInfo);
        break;
    default:
        m_server->requestList(selector);
        break;
    }
}

void SynchronizeService::synchronize()
{
    if (m_isActive)
        return;
    if (m_userName.isEmpty()) {
        Logger::warn(QStringLiteral("SynchronizeService::synchronize: nobody is logged in"));
        return;
    }
    reset();
    if (!m_server->client()->isProtocolConnected()) {
        emit syncCompleted();
        reset();
        return;
    }
    setActive(true);
    startPreventLock();
    request(GetRequestType::FirmwareList, 0, QString(), kListFirmware);
    m_waitTimer.start();
}

void SynchronizeService::listReceived(const FileTransfer &message)
{
    // Only the list this run waits for counts: a late answer of an ended run
    // must not move a new one on.
    if (!m_isActive)
        return;
    if (message.fileType() == FileType::FirmwareList && m_lastFile == kListFirmware) {
        m_firmware = parseList(message.data());
        m_firmwareListReceived = true;
        request(GetRequestType::UserSetList, kSelectorTemplates, QString(), kListTemplates);
    } else if (message.fileType() == FileType::FileList && message.selector() == kSelectorTemplates
               && m_lastFile == kListTemplates) {
        m_templates = parseList(message.data());
        m_templateListReceived = true;
        request(GetRequestType::UserSetList, kSelectorDownloads, QString(), kListDownloads);
    } else if (message.fileType() == FileType::FileList && message.selector() == kSelectorDownloads
               && m_lastFile == kListDownloads) {
        m_downloads = parseList(message.data());
        if (m_downloadsListReceived) {
            m_secondDownloadsListReceived = true;
            m_userSetDownloadTotalCount = int(m_downloads.size());
            emit userSetDownloadTotalCountChanged();
            emit cUserSetDownloadChanged();
        }
        m_downloadsListReceived = true;
        answered(kListDownloads);
    }
}

void SynchronizeService::fileReceived(const QString &receivedName)
{
    if (!m_isActive)
        return;
    if (receivedName == kFileCatalog) {
        m_instrumentCatalogReceived = true;
        emit instrumentCatalogReceivedChanged();
    } else if (receivedName == kFileServiceCenter) {
        m_serviceCenterFileReceived = true;
        emit serviceCenterFileReceivedChanged();
    } else {
        const auto named = [&receivedName](const UserSetFileRecord &record) {
            return record.fileName == receivedName;
        };
        const auto firmware = std::find_if(m_firmware.begin(), m_firmware.end(), named);
        const auto templ = std::find_if(m_templates.begin(), m_templates.end(), named);
        const auto download = std::find_if(m_downloads.begin(), m_downloads.end(), named);
        if (firmware != m_firmware.end()) {
            m_firmware.erase(firmware);
            emit cFirmwareChanged();
        } else if (templ != m_templates.end() || download != m_downloads.end()) {
            Logger::info(QStringLiteral("File received: ") + receivedName);
            UserSetFileRecord &record = templ != m_templates.end() ? *templ : *download;
            record.received = true;
            record.timeStamp = m_wallClock().toUTC();
            if (templ != m_templates.end())
                emit cUserSetTemplatesChanged();
            else
                emit cUserSetDownloadChanged();
        } else {
            return;
        }
    }
    answered(receivedName);
}

void SynchronizeService::fileAckReceived(const QString &receivedName)
{
    if (!m_isActive)
        return;
    const auto named = [&receivedName](const UserSetFileRecord &record) { return record.fileName == receivedName; };
    const auto userSet = std::find_if(m_pendingUserSets.begin(), m_pendingUserSets.end(), named);
    if (userSet != m_pendingUserSets.end()) {
        m_pendingUserSets.erase(userSet);
        emit cUserSetUploadChanged();
        answered(receivedName);
    }
    const auto log = std::find_if(m_pendingLogs.begin(), m_pendingLogs.end(), named);
    if (log != m_pendingLogs.end()) {
        // The path is the one listed here, never built from the server's name.
        if (log->fileName != kKeptLog && !QFile::remove(log->path))
            Logger::warn(QStringLiteral("SynchronizeService::fileAckReceived: cannot delete %1").arg(log->path));
        m_pendingLogs.erase(log);
        emit cAppLogUploadChanged();
        answered(receivedName);
    }
}

QDateTime SynchronizeService::getLastSyncDateTime() const
{
    return m_settings ? m_settings->lastHalvoSync() : QDateTime();
}

void SynchronizeService::markPresent(QList<UserSetFileRecord> &records, const QString &folder, bool removePresent)
{
    QHash<QString, QDateTime> present;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files);
    for (const QFileInfo &file : files)
        present.insert(file.fileName(), file.lastModified());
    for (auto it = records.begin(); it != records.end();) {
        it->received = present.contains(it->fileName);
        if (it->received)
            it->timeStamp = present.value(it->fileName);
        if (it->received && removePresent)
            it = records.erase(it);
        else
            ++it;
    }
}

void SynchronizeService::prepareTransfers()
{
    const QString localDownloads =
        DataPaths::userPath(m_userName, QStringLiteral("device_dataFiles/QELO3/copy/local_downloads"));
    const QStringList pending =
        userSetsToUpload(QDir(localDownloads).entryList(QDir::Files, QDir::Name), downloadNames());
    for (const QString &name : pending) {
        UserSetFileRecord record;
        record.fileName = name;
        record.path = localDownloads + QLatin1Char('/') + name;
        m_pendingUserSets.append(record);
    }
    m_userSetUploadTotalCount = int(m_pendingUserSets.size());

    const QString logFolder = DataPaths::userPath(m_userName, QStringLiteral("kelvara_logFiles"));
    const QFileInfoList logs = QDir(logFolder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &log : logs) {
        UserSetFileRecord record;
        record.fileName = log.fileName();
        record.path = log.absoluteFilePath();
        m_pendingLogs.append(record);
    }
    m_appLogUploadTotalCount = int(m_pendingLogs.size());

    m_userSetDownloadTotalCount = int(m_downloads.size());
    m_userSetTemplatesTotalCount = int(m_templates.size());
    markPresent(m_firmware,
                DataPaths::userPath(m_userName, QStringLiteral("device_dataFiles/QELO3/update_deviceSoftware/temp_server")),
                true);
    markPresent(m_templates, DataPaths::userSetDirectory(m_userName, kGeneralTemplateType), false);
    markPresent(m_downloads, DataPaths::userSetDirectory(m_userName, kServerDownloadType), false);
    m_firmwareTotalCount = int(m_firmware.size());
    emitTotals();
    setSynching(true);
    m_waitTimer.setInterval(kTransferIntervalMs);
    pollSoon();
}

void SynchronizeService::dropPendingUpload(QList<UserSetFileRecord> &pending, const QString &fileName)
{
    pending.removeFirst();
    Logger::warn(QStringLiteral("SynchronizeService: %1 skipped, it cannot be uploaded").arg(fileName));
    // Counted out of the total as well: a skipped file is not an uploaded one.
    if (&pending == &m_pendingUserSets) {
        --m_userSetUploadTotalCount;
        emit userSetUploadTotalCountChanged();
        emit cUserSetUploadChanged();
    } else {
        --m_appLogUploadTotalCount;
        emit appLogUploadTotalCountChanged();
        emit cAppLogUploadChanged();
    }
}

bool SynchronizeService::readUpload(const UserSetFileRecord &record, QByteArray *data)
{
    QFile file(record.path);
    if (file.size() > kMaxUploadSize || !file.open(QIODevice::ReadOnly))
        return false;
    *data = file.readAll();
    return file.error() == QFileDevice::NoError;
}

void SynchronizeService::sendNextRequest()
{
    if (!m_instrumentCatalogReceived) {
        m_category = 1;
        request(GetRequestType::InstrumentCatalog, 0, QString(), kFileCatalog);
        setStatus(STATE_DOWNLOADING, 0, false);
        return;
    }
    if (!m_serviceCenterFileReceived) {
        m_category = 2;
        request(GetRequestType::ServiceCenters, 0, QString(), kFileServiceCenter);
        setStatus(STATE_DOWNLOADING, 1, false);
        return;
    }
    // A pending file that cannot be read is dropped so that it does not end every run by time-out.
    while (!m_pendingUserSets.isEmpty() || !m_pendingLogs.isEmpty()) {
        const bool userSet = !m_pendingUserSets.isEmpty();
        QList<UserSetFileRecord> &pending = userSet ? m_pendingUserSets : m_pendingLogs;
        const UserSetFileRecord record = pending.constFirst();
        QByteArray data;
        if (!readUpload(record, &data)) {
            dropPendingUpload(pending, record.fileName);
            continue;
        }
        m_category = userSet ? 3 : 4;
        m_lastFile = record.fileName;
        restartAnswerClock();
        if (userSet)
            m_server->uploadUserSet(part2(record.fileName), record.fileName, data);
        else
            m_server->uploadApplicationLog(m_userName, record.fileName, data);
        if (m_activityLog)
            m_activityLog->upload(QStringLiteral("USERSET"), QStringLiteral("HALVO_SERVER"), record.fileName);
        setStatus(STATE_UPLOADING, userSet ? 2 : 3, false);
        return;
    }
    if (!m_firmware.isEmpty()) {
        m_category = 5;
        request(GetRequestType::ListedFile, 1, m_firmware.constFirst().fileName, m_firmware.constFirst().fileName);
        setStatus(STATE_DOWNLOADING, 4, false);
        return;
    }
    if (!m_secondDownloadsRequestSent) {
        if (m_templateListReceived) {
            emit userSetTemplatesTotalCountChanged();
            emit cUserSetTemplatesChanged();
        }
        m_category = 6;
        request(GetRequestType::UserSetList, kSelectorDownloads, QString(), kListDownloads);
        m_secondDownloadsRequestSent = true;
        m_downloads.clear();
        m_userSetDownloadTotalCount = 1;
        emit userSetDownloadTotalCountChanged();
        emit cUserSetDownloadChanged();
        setStatus(STATE_DOWNLOADING, 6, true);
        return;
    }
    if (!m_finalWaitDone) {
        m_finalWaitDone = true;
        setStatus(STATE_DOWNLOADING, 6, false);
        return;
    }
    if (!m_secondDownloadsListReceived)
        setStatus(STATE_PROCESSING, 7, false);
}

void SynchronizeService::onWaitTimerTimeout()
{
    if (!m_isActive)
        return;
    if (m_status == STATE_SYNC_DONE) {
        Logger::info(QStringLiteral("SynchronizeService: run complete, %1 templates, %2 downloads listed")
                         .arg(m_templates.size())
                         .arg(m_downloads.size()));
        // The consumers read the lists while the signal runs; the reset follows.
        emit syncCompleted();
        reset();
        return;
    }
    if (!m_lastFile.isEmpty() && m_monotonic() - m_lastAnswerMs > m_answerTimeoutMs) {
        const uint category = m_category;
        const QString lastFile = m_lastFile;
        Logger::warn(QStringLiteral("SynchronizeService::onWaitTimerTimeout: no answer for %1").arg(lastFile));
        emit syncCompleted();
        emit syncTimeout(0, category, lastFile);
        reset();
        return;
    }
    if (!(m_firmwareListReceived && m_templateListReceived && m_downloadsListReceived))
        return;
    if (!m_isSynching) {
        prepareTransfers();
        return;
    }
    if (m_instrumentCatalogReceived && m_serviceCenterFileReceived && m_pendingUserSets.isEmpty()
        && m_pendingLogs.isEmpty() && m_firmware.isEmpty() && m_secondDownloadsListReceived && m_finalWaitDone) {
        if (m_settings)
            m_settings->setLastHalvoSync(m_wallClock());
        m_category = 0;
        setStatus(STATE_SYNC_DONE, 8, false);
        pollSoon();
        return;
    }
    if (m_lastFile.isEmpty())
        sendNextRequest();
}

void SynchronizeService::cancel()
{
    if (!m_isActive)
        return;
    emit syncCompleted();
    emit syncTimeout(1, 0, QString());
    reset();
}
