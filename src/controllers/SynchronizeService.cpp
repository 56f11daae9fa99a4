#include "SynchronizeService.h"

#include "FileTransfer.h"
#include "HalvoServer.h"
#include "Logger.h"
#include "ProtocolTypes.h"
#include "RoutingTable.h"
#include "WebSocketClient.h"

namespace {

constexpr qint32 kSelectorDownloads = 1;
constexpr qint32 kSelectorTemplates = 2;

} // namespace

SynchronizeService::SynchronizeService(HalvoServer *server, QObject *parent)
    : QObject(parent)
    , m_server(server)
{
    m_waitTimer.setInterval(kWaitIntervalMs);
    connect(&m_waitTimer, &QTimer::timeout, this, &SynchronizeService::onWaitTimerTimeout);
    m_sinceLastAnswer.start();
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

void SynchronizeService::setActive(bool active)
{
    if (m_isActive == active)
        return;
    m_isActive = active;
    emit isActiveChanged();
}

void SynchronizeService::setStatus(EState status, int position)
{
    if (m_status != status) {
        m_status = status;
        emit statusChanged();
    }
    if (m_position != position) {
        m_position = position;
        emit positionChanged();
    }
}

void SynchronizeService::reset()
{
    m_waitTimer.stop();
    setActive(false);
    setStatus(STATE_DOWNLOADING, 0);
    m_firmwareListReceived = m_templateListReceived = m_downloadsListReceived = false;
    m_category = 0;
    m_lastFile.clear();
    m_sinceLastAnswer.restart();
    m_firmware.clear();
    m_templates.clear();
    m_downloads.clear();
}

void SynchronizeService::request(qint32 type, qint32 selector, const QString &label)
{
    m_lastFile = label;
    m_sinceLastAnswer.restart();
    if (type == GetRequestType::FirmwareList)
        m_server->requestFirmwareList();
    else
        m_server->requestList(selector);
}

void SynchronizeService::synchronize()
{
    if (m_isActive)
        return;
    reset();
    if (m_userName.isEmpty() || !m_server->client()->isProtocolConnected()) {
        emit syncCompleted();
        reset();
        return;
    }
    setActive(true);
    request(GetRequestType::FirmwareList, 0, QStringLiteral("LIST_FIRMWARE"));
    m_waitTimer.start();
}

void SynchronizeService::listReceived(const FileTransfer &message)
{
    // Lists that nobody asked for in this run change nothing.
    if (!m_isActive)
        return;
    if (message.fileType() == FileType::FirmwareList) {
        m_firmware = parseList(message.data());
        m_firmwareListReceived = true;
        request(GetRequestType::UserSetList, kSelectorTemplates, QStringLiteral("LIST_USERSET_TEMPLATES"));
    } else if (message.fileType() == FileType::FileList && message.selector() == kSelectorTemplates) {
        m_templates = parseList(message.data());
        m_templateListReceived = true;
        request(GetRequestType::UserSetList, kSelectorDownloads, QStringLiteral("LIST_QELO3_DOWNLOADS"));
    } else if (message.fileType() == FileType::FileList && message.selector() == kSelectorDownloads) {
        m_downloads = parseList(message.data());
        m_downloadsListReceived = true;
        m_sinceLastAnswer.restart();
        m_lastFile.clear();
    }
}

void SynchronizeService::complete()
{
    Logger::info(QStringLiteral("SynchronizeService::complete: %1 firmware files, %2 templates, %3 downloads listed")
                     .arg(m_firmware.size())
                     .arg(m_templates.size())
                     .arg(m_downloads.size()));
    // The consumers read the lists while the signal runs; the reset follows.
    emit syncCompleted();
    reset();
}

void SynchronizeService::onWaitTimerTimeout()
{
    if (!m_isActive)
        return;
    if (m_status == STATE_SYNC_DONE) {
        complete();
        return;
    }
    if (!m_lastFile.isEmpty() && m_sinceLastAnswer.hasExpired(m_answerTimeoutMs)) {
        const uint category = m_category;
        const QString lastFile = m_lastFile;
        Logger::warn(QStringLiteral("SynchronizeService::onWaitTimerTimeout: no answer for %1").arg(lastFile));
        emit syncCompleted();
        emit syncTimeout(0, category, lastFile);
        reset();
        return;
    }
    if (m_firmwareListReceived && m_templateListReceived && m_downloadsListReceived)
        setStatus(STATE_SYNC_DONE, 8);
}

void SynchronizeService::cancel()
{
    if (!m_isActive)
        return;
    emit syncCompleted();
    emit syncTimeout(1, 0, QString());
    reset();
}
