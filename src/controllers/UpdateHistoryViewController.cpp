#include "UpdateHistoryViewController.h"

#include "CommunicationController.h"
#include "DataPaths.h"
#include "FileSystem.h"
#include "Logger.h"
#include "ProtocolTypes.h"
#include "Qelo3Server.h"
#include "UpdateHistoryListModel.h"
#include "UpdateInfo.h"
#include "UpdateRequest.h"
#include "XmlUpdateLogSerializer.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtQml/QQmlContext>

#include <algorithm>

UpdateHistoryViewController::UpdateHistoryViewController(QQmlContext *rootContext,
                                                         CommunicationController *communication,
                                                         TranslationService *, QObject *parent)
    : QObject(parent)
    , m_communication(communication)
    , m_model(std::make_unique<UpdateHistoryListModel>())
{
    if (rootContext)
        rootContext->setContextProperty(QStringLiteral("UpdateHistoryList"), m_model.get());
    if (m_communication) {
        connect(m_communication->qelo3Server(), &Qelo3Server::fileUploadIsActiveChanged, this,
                &UpdateHistoryViewController::rememberIdentity);
    }
}

UpdateHistoryViewController::~UpdateHistoryViewController()
{
    m_model->clear();
    destroyEntries();
}

void UpdateHistoryViewController::destroyEntries()
{
    qDeleteAll(m_entries);
    m_entries.clear();
}

void UpdateHistoryViewController::rememberIdentity(int type)
{
    Qelo3Server *generator = m_communication->qelo3Server();
    if (type != FileType::FirmwareContainer || !generator->fileUploadIsActive())
        return;
    m_haveIdentity = true;
    m_identityVersion = generator->softwareVersion();
    m_identityType = generator->type();
    m_identitySerialNumber = generator->serialNumber();
}

void UpdateHistoryViewController::dropOldestBeyond(int count)
{
    while (m_entries.size() > count) {
        // An unreadable date counts as the oldest.
        const auto oldest = std::min_element(m_entries.begin(), m_entries.end(),
                                             [](const UpdateRequest *a, const UpdateRequest *b) {
                                                 return a->dateTime() < b->dateTime();
                                             });
        delete *oldest;
        m_entries.erase(oldest);
    }
}

QString UpdateHistoryViewController::createUpdateLogEntry(const QString &esbFile, bool updateStatus,
                                                          bool transferstatus)
{
    dropOldestBeyond(kMaxEntries - 1);
    auto *request = new UpdateRequest;
    request->Transferstatus = UpdateRequest::statusText(transferstatus);
    request->Datetime = QDateTime::currentDateTime().toString(QLatin1String(UpdateRequest::kDateFormat));
    request->NeueSwVersion = UpdateInfo::versionOfFileName(esbFile);
    request->Updatestatus = UpdateRequest::statusText(updateStatus);
    if (m_haveIdentity) {
        request->AlteSwVersion = m_identityVersion;
        request->Seriennummer = m_identitySerialNumber;
        request->Typ = m_identityType;
        m_haveIdentity = false;
    } else if (m_communication) {
        const Qelo3Server *generator = m_communication->qelo3Server();
        request->AlteSwVersion = generator->softwareVersion();
        request->Seriennummer = generator->serialNumber();
        request->Typ = generator->type();
    }
    m_entries.append(request);
    saveUpdateHistory();
    refreshModel();
    return request->id();
}

void UpdateHistoryViewController::setUpdateStatusRole(const QString &updateRequestId, bool updateStatus)
{
    UpdateRequest *request = UpdateRequest::find(updateRequestId);
    if (!request || !m_entries.contains(request))
        return;
    request->Updatestatus = UpdateRequest::statusText(updateStatus);
    saveUpdateHistory();
    refreshModel();
}

namespace {

// Newest first among equal keys; the sort is stable, so equal dates keep their order.
template<typename Key>
void sortDescending(QList<UpdateRequest *> &entries, Key key)
{
    std::stable_sort(entries.begin(), entries.end(), [&key](const UpdateRequest *a, const UpdateRequest *b) {
        const QString keyA = key(a);
        const QString keyB = key(b);
        if (keyA != keyB)
            return keyA > keyB;
        return a->Datetime > b->Datetime;
    });
}

} // namespace

void UpdateHistoryViewController::sortByDatum()
{
    sortDescending(m_entries, [](const UpdateRequest *r) { return r->Datetime; });
    refreshModel();
}

void UpdateHistoryViewController::sortByDevice()
{
    sortDescending(m_entries, [](const UpdateRequest *r) { return r->Seriennummer; });
    refreshModel();
}

void UpdateHistoryViewController::sortByVersion()
{
    sortDescending(m_entries, [](const UpdateRequest *r) { return r->AlteSwVersion; });
    refreshModel();
}

void UpdateHistoryViewController::sortByTransfer()
{
    sortDescending(m_entries, [](const UpdateRequest *r) { return r->Transferstatus; });
    refreshModel();
}

void UpdateHistoryViewController::loadUpdateHistory(const QString &userName)
{
    m_userName = userName;
    m_model->clear();
    destroyEntries();
    m_unreadableFile = false;
    const QString path = DataPaths::updateLogPath(userName);
    const bool exists = QFileInfo::exists(path);
    if (!XmlUpdateLogSerializer::parseUpdateRequests(path, m_entries)) {
        Logger::error(QStringLiteral("UpdateHistoryViewController::loadUpdateHistory: failed!"));
        m_unreadableFile = exists;
    }
    dropOldestBeyond(kMaxEntries);
    refreshModel();
}

void UpdateHistoryViewController::reset()
{
    m_userName.clear();
    m_model->clear();
    destroyEntries();
    m_unreadableFile = false;
    m_haveIdentity = false;
}

void UpdateHistoryViewController::saveUpdateHistory()
{
    if (m_userName.isEmpty())
        return;
    const QString path = DataPaths::updateLogPath(m_userName);
    if (m_unreadableFile && QFileInfo::exists(path)) {
        // The entries that did not parse are the user's too: keep them beside.
        const QString aside = path + QStringLiteral(".bad-")
                              + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
        if (!QFile::rename(path, aside)) {
            Logger::error(QStringLiteral("UpdateHistoryViewController::saveUpdateHistory: cannot keep %1 aside").arg(path));
            return;
        }
        Logger::warn(QStringLiteral("UpdateHistoryViewController::saveUpdateHistory: unreadable history kept as %1").arg(aside));
    }
    m_unreadableFile = false;
    DataPaths::ensureDirectory(QFileInfo(path).absolutePath());
    if (!FileSystem::saveByteArrayToFile(path, XmlUpdateLogSerializer::write(m_entries, m_userName))) {
        Logger::error(QStringLiteral("UpdateHistoryViewController::saveUpdateHistory: ")
                      + QStringLiteral("Could not open UpdateLog file for writing: %1").arg(path));
    }
}

void UpdateHistoryViewController::refreshModel()
{
    m_model->clear();
    for (const UpdateRequest *request : qAsConst(m_entries))
        m_model->append(request);
}
