#include "Qelo3Simulator.h"

#include "ChronoLogWriter.h"

#include "GetRequest.h"
#include "ProtocolTypes.h"
#include "Qelo3DeviceInformation.h"

#include "DataPaths.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSettings>

namespace {

const QString kUserSets = QStringLiteral("usersets");
const QString kChrono = QStringLiteral("chrono");
const QString kFirmware = QStringLiteral("firmware");

/// Generators below this version know no lists and send whole files.
constexpr qint32 kFirstListVersion = 5;

} // namespace

Qelo3Simulator::Qelo3Simulator(QObject *parent)
    : SimulatorPeer(QStringLiteral("Qelo3Simulator"), Protocol::kProtocolVersion, parent)
{
}

void Qelo3Simulator::setDataDirectory(const QString &directory)
{
    SimulatorPeer::setDataDirectory(directory);
    const QString path = dataDirectory() + QStringLiteral("/identity.ini");
    if (!QFileInfo::exists(path))
        return;
    QSettings identity(path, QSettings::IniFormat);
    identity.beginGroup(QStringLiteral("Device"));
    m_type = identity.value(QStringLiteral("Type"), m_type).toString();
    m_serialNumber = identity.value(QStringLiteral("SerialNumber"), m_serialNumber).toString();
    m_name = identity.value(QStringLiteral("Name"), m_name).toString();
    m_softwareVersion = identity.value(QStringLiteral("SoftwareVersion"), m_softwareVersion).toString();
    bool ok = false;
    const int version = identity.value(QStringLiteral("ProtocolVersion")).toInt(&ok);
    if (ok)
        setPeerProtocolVersion(version);
}

void Qelo3Simulator::setIdentity(const QString &type, const QString &serialNumber, const QString &name,
                                 const QString &softwareVersion)
{
    m_type = type;
    m_serialNumber = serialNumber;
    m_name = name;
    m_softwareVersion = softwareVersion;
}

QStringList Qelo3Simulator::userSetFiles() const
{
    return QDir(dataDirectory() + QLatin1Char('/') + kUserSets)
        .entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
}

QStringList Qelo3Simulator::chronoFiles() const
{
    QStringList files = QDir(dataDirectory() + QLatin1Char('/') + kChrono)
                            .entryList({QStringLiteral("*.fix"), QStringLiteral("*.flex"), QStringLiteral("*.flex.zip")},
                                       QDir::Files, QDir::Name);
    if (m_generatedLog.isEmpty())
        return files;
    // The generated log replaces the stored one, under the name of the fixed data.
    QStringList served;
    for (const QString &file : qAsConst(files)) {
        if (file.endsWith(QLatin1String(".fix")))
            served << file << file.chopped(4) + QStringLiteral(".flex");
    }
    return served;
}

void Qelo3Simulator::setChronoRecords(int records)
{
    m_generatedLog = records > 0 ? ChronoLogWriter::write(records, 4711) : QByteArray();
}

QByteArray Qelo3Simulator::fileContent(const QString &folder, const QString &fileName, bool *ok) const
{
    if (folder == kChrono && !m_generatedLog.isEmpty() && fileName.endsWith(QLatin1String(".flex"))
        && chronoFiles().contains(fileName)) {
        *ok = true;
        return m_generatedLog;
    }
    return readFile(dataPath(folder, fileName), ok);
}

QStringList Qelo3Simulator::offeredChronoFiles() const
{
    const QStringList all = chronoFiles();
    QStringList offered;
    for (const QString &file : all) {
        // Offering both forms of one event log would file it twice on the other side.
        if (file.endsWith(QLatin1String(".flex")) && m_preferZipped && all.contains(file + QStringLiteral(".zip")))
            continue;
        if (file.endsWith(QLatin1String(".flex.zip")) && !m_preferZipped && all.contains(file.chopped(4)))
            continue;
        offered.append(file);
    }
    return offered;
}

qint32 Qelo3Simulator::chronoFileType(const QString &fileName)
{
    if (fileName.endsWith(QLatin1String(".fix")))
        return FileType::ChronoFixed;
    if (fileName.endsWith(QLatin1String(".flex.zip")))
        return FileType::ChronoFlexZip;
    if (fileName.endsWith(QLatin1String(".flex")))
        return FileType::ChronoFlex;
    return FileType::None;
}

void Qelo3Simulator::handleMessage(Connection *connection, const QByteArray &frame)
{
    switch (MessageBase(frame).commandType()) {
    case CommandType::GetRequest:
        answerRequest(connection, frame);
        break;
    case CommandType::UserLoginLogInfo:
        m_loginInfos.append(UserLoginLogInfo(frame));
        break;
    default:
        logWarn(QStringLiteral("handleMessage"), QStringLiteral("no answer to ") + MessageBase(frame).toString());
        break;
    }
}

void Qelo3Simulator::answerRequest(Connection *connection, const QByteArray &frame)
{
    const GetRequest request(frame);
    const bool lists = protocolVersion() >= kFirstListVersion;
    const bool chunked = request.selector() == Protocol::kChunkedSelector;
    switch (request.getRequestType()) {
    case GetRequestType::DeviceInformation: {
        Qelo3DeviceInformation information(0, false, m_type, m_serialNumber, m_name, m_softwareVersion);
        send(connection, information);
        return;
    }
    case GetRequestType::UserSetList:
    case GetRequestType::ChronoList:
        if (!lists)
            break;
        if (request.getRequestType() == GetRequestType::UserSetList) {
            // The device names its files by their path on its own storage.
            QStringList paths;
            for (const QString &name : userSetFiles())
                paths.append(QStringLiteral("/mnt/data/usersets/") + name);
            sendList(connection, paths, request.selector());
        } else {
            sendList(connection, offeredChronoFiles(), request.selector());
        }
        return;
    case GetRequestType::UserSet:
        if (chunked) {
            sendChunked(connection, FileType::UserSet, kUserSets, request.additionalInfo());
        } else {
            const QStringList files = userSetFiles();
            if (files.isEmpty())
                logWarn(QStringLiteral("answerRequest"), QStringLiteral("no user set to send"));
            else
                sendWholeFile(connection, FileType::UserSet, kUserSets, files.last());
        }
        return;
    case GetRequestType::ChronoFiles:
        if (chunked) {
            sendChunked(connection, chronoFileType(request.additionalInfo()), kChrono, request.additionalInfo());
        } else {
            for (const QString &file : chronoFiles())
                sendWholeFile(connection, chronoFileType(file), kChrono, file);
        }
        return;
    default:
        break;
    }
    logWarn(QStringLiteral("answerRequest"), QStringLiteral("no answer for protocol version %1 to %2")
                                                 .arg(protocolVersion())
                                                 .arg(request.toString()));
}

void Qelo3Simulator::sendList(Connection *connection, const QStringList &names, qint32 selector)
{
    FileTransfer list(0, false, m_listFileType, QString(), QString(), selector,
                      names.join(QStringLiteral("\r\n")).toUtf8(), 0);
    send(connection, list);
}

void Qelo3Simulator::sendWholeFile(Connection *connection, qint32 fileType, const QString &folder,
                                   const QString &fileName)
{
    bool ok = false;
    const QByteArray content = fileContent(folder, fileName, &ok);
    if (!ok) {
        logWarn(QStringLiteral("sendWholeFile"), QStringLiteral("cannot read %1/%2").arg(folder, fileName));
        return;
    }
    FileTransfer file(0, false, fileType, QString(), DataPaths::safeFileName(fileName), 0, content, 0);
    send(connection, file);
}

void Qelo3Simulator::sendChunked(Connection *connection, qint32 fileType, const QString &folder,
                                 const QString &fileName)
{
    bool ok = false;
    const QByteArray content = fileContent(folder, fileName, &ok);
    if (!ok || fileType == FileType::None) {
        // Nothing is sent: the asking side runs into its transfer time-out, as with a real device.
        logWarn(QStringLiteral("sendChunked"), QStringLiteral("no such file: %1/%2").arg(folder, fileName));
        return;
    }
    startChunkedSend(connection, fileType, fileName, content);
}

void Qelo3Simulator::handleUpload(Connection *, const Connection::Incoming &upload)
{
    QString folder;
    if (upload.fileType == FileType::UserSet)
        folder = kUserSets;
    else if (upload.fileType == FileType::FirmwareContainer)
        folder = kFirmware;
    const QString path = folder.isEmpty() ? QString() : dataPath(folder, upload.fileName);
    if (path.isEmpty()) {
        logWarn(QStringLiteral("handleUpload"), QStringLiteral("upload of type %1 named \"%2\" not stored")
                                                    .arg(upload.fileType)
                                                    .arg(upload.fileName));
        return;
    }
    if (upload.fileType == FileType::UserSet) {
        m_lastUserSetUpload = upload.content;
        // The generator holds one user set: the uploaded one replaces the current one.
        for (const QString &old : userSetFiles()) {
            if (old != QFileInfo(path).fileName())
                QFile::remove(dataPath(kUserSets, old));
        }
    }
    if (!writeFile(path, upload.content)) {
        logWarn(QStringLiteral("handleUpload"), QStringLiteral("cannot write %1").arg(path));
        return;
    }
    logInfo(QStringLiteral("handleUpload"), QStringLiteral("stored %1 (%2 bytes)").arg(path).arg(upload.content.size()));
}
