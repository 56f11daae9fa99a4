#include "SimulatorCommandLine.h"

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

} // namespace SimulatorCommandLine
