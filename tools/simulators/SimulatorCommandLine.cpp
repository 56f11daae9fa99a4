#include "SimulatorCommandLine.h"

#include "ServerSimulator.h"
#include "SimulatorPeer.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QTemporaryDir>
#include <QtNetwork/QHostAddress>

#include <memory>

namespace SimulatorCommandLine {

void addCommonOptions(QCommandLineParser &parser, quint16 defaultPort)
{
    parser.addHelpOption();
    parser.addOptions({
        {{QStringLiteral("p"), QStringLiteral("port")},
         QStringLiteral("Port to listen on (default %1; 0 picks a free one).").arg(defaultPort), QStringLiteral("port"),
         QString::number(defaultPort)},
        {{QStringLiteral("d"), QStringLiteral("data")}, QStringLiteral("Data directory of this peer."),
         QStringLiteral("dir")},
        {QStringLiteral("listen"), QStringLiteral("Address to listen on (default 127.0.0.1)."),
         QStringLiteral("address"), QStringLiteral("127.0.0.1")},
        {QStringLiteral("tls"), QStringLiteral("Use TLS (wss) with a self-signed certificate.")},
        {QStringLiteral("certificate-dir"),
         QStringLiteral("Where the self-signed certificate is kept (default: the user's cache folder)."),
         QStringLiteral("dir")},
        {QStringLiteral("chunk-size"), QStringLiteral("Bytes per chunk of a chunked download (default %1).")
                                           .arg(SimulatorPeer::kDefaultChunkSize),
         QStringLiteral("bytes")},
        {QStringLiteral("silent-after"),
         QStringLiteral("Fault: stop answering anything, heartbeats included, after N messages of a connection."),
         QStringLiteral("N")},
        {QStringLiteral("close-mid-transfer"),
         QStringLiteral("Fault: drop the link after N data chunks of a chunked transfer."), QStringLiteral("N")},
        {QStringLiteral("delay"), QStringLiteral("Fault: answer every message only after this many milliseconds."),
         QStringLiteral("ms")},
        {QStringLiteral("wrong-ack-type"), QStringLiteral("Fault: acknowledge transfers with a wrong FileType.")},
    });
}

bool intValue(const QCommandLineParser &parser, const QString &name, int minimum, int maximum, int *value,
              QString *error)
{
    bool ok = false;
    const int parsed = parser.value(name).toInt(&ok);
    if (!ok || parsed < minimum || parsed > maximum) {
        *error = QStringLiteral("--%1 needs a whole number from %2 to %3").arg(name).arg(minimum).arg(maximum);
        return false;
    }
    *value = parsed;
    return true;
}

namespace {

// The peer writes uploads into its data, so it never serves the demo tree itself.
bool useBuiltinDemoData(SimulatorPeer &peer, const QString &demoName, QString *error)
{
    const QString source = QStringLiteral(KELVARA_DEMO_DATA_DIR "/") + demoName;
    static std::unique_ptr<QTemporaryDir> scratch;
    scratch = std::make_unique<QTemporaryDir>();
    if (!QFileInfo(source).isDir() || !scratch->isValid()) {
        *error = QStringLiteral("no --data given and no built-in demo data at %1 (build the target kelvara_demodata)")
                     .arg(source);
        return false;
    }
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = scratch->filePath(QDir(source).relativeFilePath(file));
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(file, target)) {
            *error = QStringLiteral("cannot copy the demo data to %1").arg(scratch->path());
            return false;
        }
    }
    peer.setDataDirectory(scratch->path());
    return true;
}

} // namespace

bool applyCommonOptions(const QCommandLineParser &parser, SimulatorPeer &peer, quint16 *port, QString *error,
                        const QString &demoName)
{
    int number = 0;
    if (!intValue(parser, QStringLiteral("port"), 0, 65535, &number, error))
        return false;
    *port = quint16(number);

    const QHostAddress address(parser.value(QStringLiteral("listen")));
    if (address.isNull()) {
        *error = QStringLiteral("--listen needs an IP address");
        return false;
    }
    peer.setListenAddress(address);
    if (parser.isSet(QStringLiteral("data")))
        peer.setDataDirectory(parser.value(QStringLiteral("data")));
    else if (!useBuiltinDemoData(peer, demoName, error))
        return false;
    peer.setSecure(parser.isSet(QStringLiteral("tls")));
    if (parser.isSet(QStringLiteral("certificate-dir")))
        peer.setCertificateDirectory(parser.value(QStringLiteral("certificate-dir")));
    if (parser.isSet(QStringLiteral("chunk-size"))) {
        if (!intValue(parser, QStringLiteral("chunk-size"), 1, 16 * 1024 * 1024, &number, error))
            return false;
        peer.setChunkSize(number);
    }
    if (parser.isSet(QStringLiteral("silent-after"))) {
        if (!intValue(parser, QStringLiteral("silent-after"), 0, INT_MAX, &number, error))
            return false;
        peer.setSilentAfterMessages(number);
    }
    if (parser.isSet(QStringLiteral("close-mid-transfer"))) {
        if (!intValue(parser, QStringLiteral("close-mid-transfer"), 0, INT_MAX, &number, error))
            return false;
        peer.setCloseAfterChunks(number);
    }
    if (parser.isSet(QStringLiteral("delay"))) {
        if (!intValue(parser, QStringLiteral("delay"), 0, 600000, &number, error))
            return false;
        peer.setResponseDelay(number);
    }
    peer.setWrongAcknowledgeFileType(parser.isSet(QStringLiteral("wrong-ack-type")));
    // A program may run for days; what it received is in its log and data directory.
    peer.setRecordFrames(false);
    return true;
}

void addServerOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {QStringLiteral("update-info"),
         QStringLiteral("Update information for the application: none (default), info (news only) or blocking "
                        "(an update that blocks the login)."),
         QStringLiteral("mode"), QStringLiteral("none")},
        {QStringLiteral("refuse-logins"), QStringLiteral("Fault: refuse every login.")},
        {QStringLiteral("ignore-logins"), QStringLiteral("Fault: never answer a login.")},
        {QStringLiteral("reject-contact"), QStringLiteral("Fault: reject every contact message.")},
        {QStringLiteral("userset-fault"),
         QStringLiteral("Fault: answer the next N user-set requests with a broken file, or never answer them."),
         QStringLiteral("N|never")},
        {QStringLiteral("many-usersets"),
         QStringLiteral("List N synthetic user sets besides the real downloads (files made on request)."),
         QStringLiteral("N")},
        {QStringLiteral("no-ack"),
         QStringLiteral("Fault: store files of this type (1 user sets, 14 logs, 16 contact messages) but never "
                        "answer them. Repeatable."),
         QStringLiteral("type")},
        {QStringLiteral("drop-request"),
         QStringLiteral("Fault: never answer requests of this GetRequest type, or only those with this selector "
                        "(e.g. 8 for the catalogue, 1:1 for the downloads list). Repeatable."),
         QStringLiteral("type[:selector]")},
        {QStringLiteral("no-push-downloads"),
         QStringLiteral("Do not send the listed user sets after the first downloads list of a synchronisation.")},
        {QStringLiteral("contact-limit"), QStringLiteral("Refuse contact messages larger than this many bytes."),
         QStringLiteral("bytes")},
    });
}

bool applyServerOptions(const QCommandLineParser &parser, ServerSimulator &server, QString *error)
{
    ServerSimulator::UpdateInfo mode = ServerSimulator::UpdateInfo::None;
    if (!ServerSimulator::parseUpdateInfo(parser.value(QStringLiteral("update-info")), &mode)) {
        *error = QStringLiteral("--update-info is none, info or blocking");
        return false;
    }
    int userSetFault = 0;
    if (parser.isSet(QStringLiteral("userset-fault"))
        && !ServerSimulator::parseUserSetFault(parser.value(QStringLiteral("userset-fault")), &userSetFault)) {
        *error = QStringLiteral("--userset-fault is a count or never");
        return false;
    }
    int many = 0;
    if (parser.isSet(QStringLiteral("many-usersets"))
        && !intValue(parser, QStringLiteral("many-usersets"), 0, 1000000, &many, error))
        return false;
    QList<qint32> noAck;
    for (const QString &value : parser.values(QStringLiteral("no-ack"))) {
        bool ok = false;
        const qint32 type = value.toInt(&ok);
        if (!ok || !ServerSimulator::isAcknowledgedFileType(type)) {
            *error = QStringLiteral("--no-ack takes the file type 1, 14 or 16");
            return false;
        }
        noAck.append(type);
    }
    QList<ServerSimulator::DroppedRequest> dropped;
    for (const QString &value : parser.values(QStringLiteral("drop-request"))) {
        ServerSimulator::DroppedRequest request;
        if (!ServerSimulator::parseDroppedRequest(value, &request)) {
            *error = QStringLiteral("--drop-request takes a request type and an optional selector, e.g. 1:2");
            return false;
        }
        dropped.append(request);
    }
    qint64 contactLimit = 0;
    if (parser.isSet(QStringLiteral("contact-limit"))) {
        bool ok = false;
        contactLimit = parser.value(QStringLiteral("contact-limit")).toLongLong(&ok);
        if (!ok || contactLimit < 0) {
            *error = QStringLiteral("--contact-limit takes a number of bytes");
            return false;
        }
    }
    server.setUpdateInfo(mode);
    server.setRefuseLogins(parser.isSet(QStringLiteral("refuse-logins")));
    server.setIgnoreLogins(parser.isSet(QStringLiteral("ignore-logins")));
    server.setRejectContactMessages(parser.isSet(QStringLiteral("reject-contact")));
    server.setUserSetFault(userSetFault);
    server.setManyUserSets(many);
    server.setNoAckFileType(0);
    for (const qint32 type : noAck)
        server.addNoAckFileType(type);
    server.clearDroppedRequests();
    for (const ServerSimulator::DroppedRequest &request : dropped)
        server.addDroppedRequest(request);
    server.setPushDownloads(!parser.isSet(QStringLiteral("no-push-downloads")));
    server.setContactLimit(contactLimit);
    return true;
}

} // namespace SimulatorCommandLine
