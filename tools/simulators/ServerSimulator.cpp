#include "ServerSimulator.h"

#include "AuthorizationMatrix.h"
#include "DataPaths.h"
#include "GetRequest.h"
#include "ProtocolTypes.h"
#include "UpdateInfoReply.h"
#include "UserLoginReply.h"
#include "UserLoginRequest.h"
#include "UserRoles.h"

#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QSettings>

#include <algorithm>

namespace {

const QString kDownloads = QStringLiteral("usersets/downloads");
const QString kTemplates = QStringLiteral("usersets/templates");
const QString kFirmware = QStringLiteral("firmware");
const QString kCatalogue = QStringLiteral("catalogue");
const QString kServiceCenters = QStringLiteral("servicecenters");
const QString kBuiltInMatrix = QStringLiteral(":/Resources/Config/AuthorizationMatrix");

/// Server user-set categories: the Selector of the requests and answers.
constexpr qint32 kCategoryDownloads = 1;
constexpr qint32 kCategoryTemplates = 2;

QString categoryFolder(qint32 category)
{
    if (category == kCategoryDownloads)
        return kDownloads;
    if (category == kCategoryTemplates)
        return kTemplates;
    return QString();
}

} // namespace

ServerSimulator::ServerSimulator(QObject *parent)
    : SimulatorPeer(QStringLiteral("ServerSimulator"), Protocol::kProtocolVersion, parent)
{
}

void ServerSimulator::setDataDirectory(const QString &directory)
{
    SimulatorPeer::setDataDirectory(directory);
    const QString path = dataDirectory() + QStringLiteral("/users.ini");
    if (!QFileInfo::exists(path))
        return;
    QSettings users(path, QSettings::IniFormat);
    const QStringList groups = users.childGroups();
    for (const QString &group : groups) {
        users.beginGroup(group);
        Account account;
        account.userName = group;
        account.password = users.value(QStringLiteral("Password")).toString();
        const QString roleName = users.value(QStringLiteral("Role")).toString();
        account.role = UserRoleEnum::fromName(roleName);
        if (account.role < 0) {
            logWarn(QStringLiteral("setDataDirectory"),
                    QStringLiteral("user %1 has the unknown role \"%2\"; it gets no role").arg(group, roleName));
            account.role = UserRoleEnum::NO_ROLE;
        }
        account.firstName = users.value(QStringLiteral("FirstName")).toString();
        account.lastName = users.value(QStringLiteral("LastName")).toString();
        account.company = users.value(QStringLiteral("Company")).toString();
        account.institution1 = users.value(QStringLiteral("Institution1")).toString();
        account.institution2 = users.value(QStringLiteral("Institution2")).toString();
        account.locked = users.value(QStringLiteral("Locked"), false).toBool();
        users.endGroup();
        addAccount(account);
    }
    logInfo(QStringLiteral("setDataDirectory"), QStringLiteral("%1 accounts loaded").arg(m_accounts.size()));
}

void ServerSimulator::setNoAckFileType(qint32 fileType)
{
    m_noAckFileTypes.clear();
    if (fileType != 0)
        m_noAckFileTypes.insert(fileType);
}

bool ServerSimulator::isAcknowledgedFileType(qint32 fileType)
{
    return fileType == FileType::UserSet || fileType == FileType::ApplicationLog || fileType == FileType::ContactMessage;
}

bool ServerSimulator::parseDroppedRequest(const QString &text, DroppedRequest *request)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() > 2)
        return false;
    DroppedRequest parsed;
    bool ok = false;
    parsed.type = parts.first().toInt(&ok);
    if (!ok || parsed.type < 0)
        return false;
    if (parts.size() == 2) {
        parsed.selector = parts.last().toInt(&ok);
        if (!ok || parsed.selector < 0)
            return false;
    }
    *request = parsed;
    return true;
}

bool ServerSimulator::isDropped(qint32 type, qint32 selector) const
{
    return std::any_of(m_droppedRequests.cbegin(), m_droppedRequests.cend(), [&](const DroppedRequest &dropped) {
        return dropped.type == type && (dropped.selector == kAnySelector || dropped.selector == selector);
    });
}

void ServerSimulator::addAccount(const Account &account)
{
    // The application lower-cases names for its own cache; the server matches the same way.
    m_accounts.insert(account.userName.toLower(), account);
}

bool ServerSimulator::parseUpdateInfo(const QString &text, UpdateInfo *mode)
{
    if (text == QLatin1String("none"))
        *mode = UpdateInfo::None;
    else if (text == QLatin1String("info"))
        *mode = UpdateInfo::Information;
    else if (text == QLatin1String("blocking"))
        *mode = UpdateInfo::Blocking;
    else
        return false;
    return true;
}

qint32 ServerSimulator::updateTyp(UpdateInfo mode)
{
    switch (mode) {
    case UpdateInfo::Blocking:
        return UpdateInfoReply::UpdateAvailable;
    case UpdateInfo::Information:
        return 0;
    case UpdateInfo::None:
        break;
    }
    return UpdateInfoReply::NoInformation;
}

QString ServerSimulator::receivedPath(qint32 fileType, const QString &directory, const QString &fileName) const
{
    switch (fileType) {
    case FileType::UserSet:
        return dataPath(QStringLiteral("received/usersets"), fileName);
    case FileType::ApplicationLog: {
        const QString user = DataPaths::safeFileName(directory);
        return dataPath(QStringLiteral("received/logs/") + (user.isEmpty() ? QStringLiteral("unknown") : user),
                        fileName);
    }
    case FileType::ContactMessage:
        return dataPath(QStringLiteral("received/contact"), fileName);
    default:
        return dataPath(QStringLiteral("received/other"), fileName);
    }
}

void ServerSimulator::handleMessage(Connection *connection, const QByteArray &frame)
{
    switch (MessageBase(frame).commandType()) {
    case CommandType::UserLoginRequest:
        answerLogin(connection, frame);
        break;
    case CommandType::GetRequest:
        answerRequest(connection, frame);
        break;
    case CommandType::FileTransfer:
        answerFile(connection, FileTransfer(frame));
        break;
    case CommandType::UserLogoutRequest:
        ++m_logoutCount;
        break;
    default:
        logWarn(QStringLiteral("handleMessage"), QStringLiteral("no answer to ") + MessageBase(frame).toString());
        break;
    }
}

void ServerSimulator::answerLogin(Connection *connection, const QByteArray &frame)
{
    const UserLoginRequest request(frame);
    if (m_ignoreLogins) {
        logWarn(QStringLiteral("answerLogin"), QStringLiteral("login of %1 not answered (fault)").arg(request.userName()));
        return;
    }
    const auto found = m_accounts.constFind(request.userName().toLower());
    const bool accepted = !m_refuseLogins && found != m_accounts.constEnd() && !found->locked
                          && found->password == request.password();
    if (!accepted) {
        logInfo(QStringLiteral("answerLogin"), QStringLiteral("login of %1 refused").arg(request.userName()));
        UserLoginReply refusal(0, false, request.userName(), UserRoleEnum::NO_ROLE, QString(), QString(), QString(),
                               false, QString(), QString());
        send(connection, refusal);
        return;
    }
    const Account &account = *found;
    m_acceptedLogins.append(account.userName);
    UserLoginReply reply(0, false, account.userName, account.role, account.firstName, account.lastName,
                         account.company, true, account.institution1, account.institution2);
    send(connection, reply);

    AuthorizationMatrix matrix;
    if (!matrix.load(kBuiltInMatrix))
        logWarn(QStringLiteral("answerLogin"), QStringLiteral("built-in matrix missing; sending one without rights"));
    send(connection, matrix);
}

void ServerSimulator::answerRequest(Connection *connection, const QByteArray &frame)
{
    const GetRequest request(frame);
    if (isDropped(request.getRequestType(), request.selector())) {
        logWarn(QStringLiteral("answerRequest"), QStringLiteral("fault: not answered: ") + request.toString());
        return;
    }
    switch (request.getRequestType()) {
    case GetRequestType::UpdateInformation:
        sendUpdateInfo(connection);
        return;
    case GetRequestType::FirmwareList:
        // A synchronisation starts here.
        m_awaitingDownloadsList.insert(connection);
        sendList(connection, FileType::FirmwareList, request.selector(), QStringLiteral("firmware.txt"), kFirmware,
                 {QStringLiteral("*.esb")});
        return;
    case GetRequestType::UserSetList:
        if (request.selector() == kCategoryDownloads) {
            const QByteArray list = sendList(connection, FileType::FileList, request.selector(),
                                             QStringLiteral("downloads.txt"), kDownloads, {QStringLiteral("*.xml")});
            if (m_awaitingDownloadsList.remove(connection) && m_pushDownloads)
                pushDownloads(connection, list);
            return;
        }
        if (request.selector() == kCategoryTemplates) {
            sendList(connection, FileType::FileList, request.selector(), QStringLiteral("templates.txt"), kTemplates,
                     {QStringLiteral("*.xml")});
            return;
        }
        break;
    case GetRequestType::UserSet:
        if (!categoryFolder(request.selector()).isEmpty()) {
            sendUserSet(connection, request.selector(), request.additionalInfo());
            return;
        }
        break;
    case GetRequestType::ListedFile:
        if (request.selector() == Protocol::kChunkedSelector) {
            bool ok = false;
            const QByteArray content = readFile(dataPath(kFirmware, request.additionalInfo()), &ok);
            if (!ok) {
                logWarn(QStringLiteral("answerRequest"),
                        QStringLiteral("no firmware container %1").arg(request.additionalInfo()));
                return;
            }
            startChunkedSend(connection, FileType::FirmwareContainer, request.additionalInfo(), content);
            return;
        }
        if (request.selector() == 1) {
            if (request.additionalInfo().endsWith(QLatin1String(".esb"))) {
                sendFile(connection, FileType::FirmwareDescription, 0, dataPath(kFirmware, request.additionalInfo()));
                return;
            }
            const qint32 category = QFileInfo::exists(dataPath(kDownloads, request.additionalInfo()))
                                        ? kCategoryDownloads
                                        : kCategoryTemplates;
            sendUserSet(connection, category, request.additionalInfo());
            return;
        }
        break;
    case GetRequestType::InstrumentCatalog:
        sendNewestFile(connection, FileType::InstrumentCatalog, kCatalogue, {QStringLiteral("*.ini")});
        return;
    case GetRequestType::ServiceCenters:
        sendNewestFile(connection, FileType::ServiceCenters, kServiceCenters, {QStringLiteral("*.xml")});
        return;
    case GetRequestType::ServerConnected:
        return;
    default:
        break;
    }
    logWarn(QStringLiteral("answerRequest"), QStringLiteral("no answer to ") + request.toString());
}

void ServerSimulator::sendUpdateInfo(Connection *connection)
{
    UpdateInfoReply reply;
    if (m_updateInfo == UpdateInfo::None) {
        reply.setFields(QStringList(13, QString()), updateTyp(m_updateInfo));
    } else {
        const bool blocking = m_updateInfo == UpdateInfo::Blocking;
        const QString link = QStringLiteral("http://localhost/kelvara/download");
        reply.setFields({QString(),
                         blocking ? QStringLiteral("Pflicht-Update verfügbar") : QStringLiteral("Neue Version verfügbar"),
                         blocking ? QStringLiteral("Diese Version wird nicht mehr unterstützt. Bitte installieren "
                                                   "Sie Kelvara 1.5.0.")
                                  : QStringLiteral("Kelvara 1.5.0 steht zum Herunterladen bereit."),
                         link, QStringLiteral("App Store"), link, QStringLiteral("Herunterladen"),
                         blocking ? QStringLiteral("Mandatory update available") : QStringLiteral("New version available"),
                         blocking ? QStringLiteral("This version is no longer supported. Please install Kelvara 1.5.0.")
                                  : QStringLiteral("Kelvara 1.5.0 is ready for download."),
                         link, QStringLiteral("App Store"), link, QStringLiteral("Download")},
                        updateTyp(m_updateInfo));
    }
    send(connection, reply);
}

QByteArray ServerSimulator::sendList(Connection *connection, qint32 fileType, qint32 selector, const QString &listName,
                               const QString &folder, const QStringList &filters)
{
    bool ok = false;
    QByteArray payload = readFile(dataPath(QStringLiteral("lists"), listName), &ok);
    if (!ok) {
        // Without a prepared list the folder is the list: "name:modification time".
        QStringList entries;
        const QFileInfoList files =
            QDir(dataDirectory() + QLatin1Char('/') + folder).entryInfoList(filters, QDir::Files, QDir::Name);
        for (const QFileInfo &file : files)
            entries.append(file.fileName() + QLatin1Char(':')
                           + file.lastModified().toString(QStringLiteral("yyyyMMddhhmmss")));

        payload = entries.join(QStringLiteral("\r\n")).toUtf8();
    }
    if (folder == kDownloads && m_manyUserSets > 0) {
        QStringList synthetic;
        for (int i = 0; i < m_manyUserSets; ++i)
            synthetic.append(QStringLiteral("Q3_Synthetic%1_SN%2_230601_120000_V140.xml:20230601120000")
                                 .arg(i, 5, 10, QLatin1Char('0'))
                                 .arg(40000000 + i));
        if (!payload.isEmpty())
            payload += "\r\n";
        payload += synthetic.join(QStringLiteral("\r\n")).toUtf8();
    }
    FileTransfer list(0, false, fileType, QString(), listName, selector, payload, 0);
    send(connection, list);
    return payload;
}

void ServerSimulator::pushDownloads(Connection *connection, const QByteArray &list)
{
    // Only stored sets: the synthetic ones of a long list are made when asked for.
    QStringList names;
    for (const QString &entry : QString::fromUtf8(list).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const QString name = entry.left(entry.lastIndexOf(QLatin1Char(':')));
        if (QFileInfo::exists(dataPath(kDownloads, name)))
            names.append(name);
    }
    logInfo(QStringLiteral("pushDownloads"), QStringLiteral("%1 user sets follow the list").arg(names.size()));
    // A fault is for the sets the application asks for, not for these.
    for (const QString &name : qAsConst(names))
        sendUserSet(connection, kCategoryDownloads, name, false);
}

bool ServerSimulator::parseUserSetFault(const QString &text, int *count)
{
    if (text == QLatin1String("never")) {
        *count = kNeverAnswer;
        return true;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
        return false;
    *count = value;
    return true;
}

QByteArray ServerSimulator::syntheticUserSet(const QString &fileName, bool *ok) const
{
    // "Q3_Synthetic<n>_..." names stand for sets that exist only in the list.
    *ok = false;
    if (m_manyUserSets <= 0 || !fileName.startsWith(QLatin1String("Q3_Synthetic")))
        return QByteArray();
    const QStringList templates =
        QDir(dataDirectory() + QLatin1Char('/') + kTemplates).entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    return templates.isEmpty() ? QByteArray() : readFile(dataPath(kTemplates, templates.first()), ok);
}

void ServerSimulator::sendUserSet(Connection *connection, qint32 category, const QString &path, bool withFaults)
{
    const int faults = withFaults ? m_userSetFaults : 0;
    if (faults == kNeverAnswer) {
        logWarn(QStringLiteral("sendUserSet"), QStringLiteral("fault: %1 is not answered").arg(path));
        return;
    }
    bool synthetic = false;
    QByteArray content = syntheticUserSet(path, &synthetic);
    if (!synthetic && faults == 0) {
        sendFile(connection, FileType::UserSet, category, dataPath(categoryFolder(category), path));
        return;
    }
    if (!synthetic) {
        bool ok = false;
        content = readFile(dataPath(categoryFolder(category), path), &ok);
        if (!ok)
            return;
    }
    if (faults > 0) {
        --m_userSetFaults;
        // Cut in the middle of an element: the receiver cannot parse it.
        content.truncate(content.size() / 2);
        logWarn(QStringLiteral("sendUserSet"), QStringLiteral("fault: %1 is sent broken").arg(path));
    }
    FileTransfer file(0, false, FileType::UserSet, categoryFolder(category), DataPaths::safeFileName(path), category,
                      content, 0);
    send(connection, file);
}

void ServerSimulator::sendNewestFile(Connection *connection, qint32 fileType, const QString &folder,
                                     const QStringList &filters)
{
    // The names carry their date, so the last by name is the newest.
    const QStringList files = QDir(dataDirectory() + QLatin1Char('/') + folder).entryList(filters, QDir::Files, QDir::Name);
    if (files.isEmpty()) {
        logWarn(QStringLiteral("sendNewestFile"), QStringLiteral("nothing in %1").arg(folder));
        return;
    }
    sendFile(connection, fileType, 0, dataPath(folder, files.last()));
}

void ServerSimulator::sendFile(Connection *connection, qint32 fileType, qint32 selector, const QString &path)
{
    bool ok = false;
    const QByteArray content = readFile(path, &ok);
    if (!ok) {
        // Nothing is sent: the synchronisation on the other side runs into its time-out.
        logWarn(QStringLiteral("sendFile"), QStringLiteral("cannot read \"%1\"").arg(path));
        return;
    }
    const QFileInfo info(path);
    const QString folder = QDir(dataDirectory()).relativeFilePath(info.absolutePath());
    FileTransfer file(0, false, fileType, folder, info.fileName(), selector, content, 0);
    send(connection, file);
}

void ServerSimulator::answerFile(Connection *connection, const FileTransfer &message)
{
    if (message.isAck()) {
        logWarn(QStringLiteral("answerFile"), QStringLiteral("unexpected acknowledgement ignored"));
        return;
    }
    const qint32 type = message.fileType();
    if (type != FileType::UserSet && type != FileType::ApplicationLog && type != FileType::ContactMessage) {
        logWarn(QStringLiteral("answerFile"), QStringLiteral("no answer to a file of type %1").arg(type));
        return;
    }
    FileTransfer answer = message.acknowledgement();
    answer.setMessageId(message.messageId());
    const bool tooLarge = m_contactLimit > 0 && message.data().size() > m_contactLimit;
    if (type == FileType::ContactMessage && (m_rejectContactMessages || tooLarge)) {
        // A refusal is the echo without the acknowledgement flag.
        logWarn(QStringLiteral("answerFile"), QStringLiteral("contact message %1 rejected (%2)")
                                                  .arg(message.filename(), tooLarge ? QStringLiteral("too large")
                                                                                    : QStringLiteral("fault")));
        answer.setIsAck(false);
        send(connection, answer);
        return;
    }
    const QString path = receivedPath(type, message.directory(), message.filename());
    if (!writeFile(path, message.data())) {
        logWarn(QStringLiteral("answerFile"), QStringLiteral("cannot store \"%1\"; not acknowledged").arg(message.filename()));
        return;
    }
    logInfo(QStringLiteral("answerFile"), QStringLiteral("stored %1 (%2 bytes)").arg(path).arg(message.data().size()));
    if (m_noAckFileTypes.contains(type)) {
        logWarn(QStringLiteral("answerFile"), QStringLiteral("%1 not acknowledged (fault)").arg(message.filename()));
        return;
    }
    if (wrongAcknowledgeFileType())
        answer.setFileType(wrongFileType(type));
    send(connection, answer);
}

void ServerSimulator::handleUpload(Connection *, const Connection::Incoming &upload)
{
    const QString path = dataPath(QStringLiteral("received/chunked"), upload.fileName);
    if (!writeFile(path, upload.content))
        logWarn(QStringLiteral("handleUpload"), QStringLiteral("cannot store \"%1\"").arg(upload.fileName));
}
