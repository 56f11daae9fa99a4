// Throughput of FileUpload / FileDownload against a bare QWebSocket
// stop-and-wait loop that moves the same bytes in the same chunk sizes,
// both on loopback against the in-process TestPeer: a 32 MB file, and a
// firmware container of the size the Update module moves (3.4 MB).

#include "CommunicationMetaTypes.h"
#include "FileDownload.h"
#include "FileTransfer.h"
#include "FileUpload.h"
#include "GetRequest.h"
#include "KelvaraTest.h"
#include "ProtocolTypes.h"
#include "TestPeer.h"
#include "WebSocketClient.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QFile>
#include <QtCore/QRandomGenerator>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWebSockets/QWebSocket>

#include <cstdio>
#include <functional>

namespace {

constexpr int kFileSize = 32 * 1024 * 1024;
constexpr int kFirmwareSize = 3407872;
constexpr int kDownloadChunk = 110000;
constexpr int kRounds = 5;
constexpr int kType = FileType::FirmwareContainer;

/// Runs the event loop until `done` is set or the time is up; false on time-out.
/// Completion is checked right after every event, so no polling delay enters the figures.
bool spin(const bool &done, int timeoutMs = 120000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return done;
}

bool connectClient(WebSocketClient &client, TestPeer &peer)
{
    bool up = false;
    QObject::connect(&client, &WebSocketClient::isProtocolConnectedChanged, [&] { up = client.isProtocolConnected(); });
    client.connectToHost(QStringLiteral("bench"), QStringLiteral("127.0.0.1"), peer.portText());
    return spin(up, 10000);
}

bool openBare(QWebSocket &socket, TestPeer &peer)
{
    bool up = false;
    QObject::connect(&socket, &QWebSocket::connected, [&] { up = true; });
    socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(peer.port())));
    return spin(up, 10000);
}

double classUpload(TestPeer &peer, const QString &path)
{
    WebSocketClient client;
    if (!connectClient(client, peer))
        return -1;
    FileUpload upload(&client, QStringLiteral("bench.bin"), path, kType, 20000);
    bool done = false;
    bool ok = false;
    QObject::connect(&upload, &FileUpload::successfullyFinished, &client, [&] { ok = true; });
    QObject::connect(&upload, &QThread::finished, &client, [&] { done = true; });
    QElapsedTimer clock;
    clock.start();
    upload.start();
    spin(done);
    const double seconds = clock.nsecsElapsed() / 1e9;
    upload.wait();
    return ok ? seconds : -1;
}

double bareUpload(TestPeer &peer, const QString &path, const QList<int> &sizes, qint64 fileSize)
{
    QWebSocket socket;
    if (!openBare(socket, peer))
        return -1;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    qint32 id = 0;
    int next = 0;
    bool done = false;
    QObject::connect(&socket, &QWebSocket::binaryMessageReceived, [&](const QByteArray &frame) {
        const FileTransfer ack(frame);
        if (!ack.isAck())
            return;
        if (next == sizes.size()) {
            socket.sendBinaryMessage(FileTransfer(++id, false, kType, QStringLiteral(""), QStringLiteral("bench.bin"),
                2, QByteArray(), Protocol::kProgressEnd)
                                         .serialize());
            done = true;
            return;
        }
        FileTransfer chunk(ack);
        chunk.setIsAck(false);
        chunk.setMessageId(++id);
        chunk.setData(file.read(sizes.at(next++)));
        chunk.setProgress(int(file.pos() * 100 / fileSize));
        socket.sendBinaryMessage(chunk.serialize());
    });
    QElapsedTimer clock;
    clock.start();
    socket.sendBinaryMessage(FileTransfer(
        ++id, false, kType, QStringLiteral(""), QStringLiteral("bench.bin"), 2, QByteArray(), Protocol::kProgressStart)
                                 .serialize());
    spin(done);
    return done ? clock.nsecsElapsed() / 1e9 : -1;
}

double classDownload(TestPeer &peer, const QString &directory, const QString &name)
{
    WebSocketClient client;
    if (!connectClient(client, peer))
        return -1;
    FileDownload download(&client, name, directory, kType, GetRequestType::ListedFile, 10000);
    bool done = false;
    bool ok = false;
    QObject::connect(&download, &FileDownload::successfullyFinished, &client, [&] { ok = true; });
    QObject::connect(&download, &QThread::finished, &client, [&] { done = true; });
    QElapsedTimer clock;
    clock.start();
    download.start();
    spin(done);
    const double seconds = clock.nsecsElapsed() / 1e9;
    download.wait();
    return ok ? seconds : -1;
}

double bareDownload(TestPeer &peer, const QString &path, const QString &name)
{
    QWebSocket socket;
    if (!openBare(socket, peer))
        return -1;
    QFile file(path);
    bool done = false;
    QObject::connect(&socket, &QWebSocket::binaryMessageReceived, [&](const QByteArray &frame) {
        const FileTransfer message(frame);
        if (message.progress() == Protocol::kProgressEnd) {
            file.close();
            done = true;
            return;
        }
        if (message.progress() == Protocol::kProgressStart)
            file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        else
            file.write(message.data());
        socket.sendBinaryMessage(message.acknowledgement().serialize());
    });
    QElapsedTimer clock;
    clock.start();
    socket.sendBinaryMessage(
        GetRequest(1, false, GetRequestType::ListedFile, 2, name).serialize());
    spin(done);
    return done ? clock.nsecsElapsed() / 1e9 : -1;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

double megabytesPerSecond(qint64 size, double seconds)
{
    return seconds > 0 ? (size / (1024.0 * 1024.0)) / seconds : 0.0;
}

QByteArray randomContent(int size, quint32 seed)
{
    QByteArray content(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    for (qsizetype i = 0; i + 4 <= content.size(); i += 4)
        *reinterpret_cast<quint32 *>(content.data() + i) = random.generate();
    return content;
}

/// Both directions for one file, against the bare loop in the same run; false when a transfer failed.
bool measure(TestPeer &peer, const QTemporaryDir &dir, const QString &name, const QByteArray &content, const char *label)
{
    const QString source = dir.filePath(QStringLiteral("source-") + name);
    if (!KelvaraTest::writeFile(source, content))
        return false;
    double bestClassUp = 1e9, bestBareUp = 1e9, bestClassDown = 1e9, bestBareDown = 1e9;
    bool identical = true;
    // Rounds alternate between the two sides so that load from elsewhere on
    // the machine hits both alike; the best round of each side counts.
    for (int round = 0; round < kRounds; ++round) {
        const double up = classUpload(peer, source);
        identical &= peer.uploadedContent(QStringLiteral("bench.bin")) == content;
        const QList<int> sizes = peer.uploadChunkSizes();
        const double bareUp = bareUpload(peer, source, sizes, content.size());
        identical &= peer.uploadedContent(QStringLiteral("bench.bin")) == content;
        if (up < 0 || bareUp < 0) {
            std::fprintf(stderr, "bench_transfer: an upload of %s failed in round %d\n", label, round + 1);
            return false;
        }
        std::printf("%s upload round %d: %.3f s (%d chunks), bare %.3f s\n", label, round + 1, up, int(sizes.size()),
                    bareUp);
        bestClassUp = qMin(bestClassUp, up);
        bestBareUp = qMin(bestBareUp, bareUp);
    }
    // A download takes a tenth of an upload's time, so it gets more rounds.
    const QString received = dir.filePath(name);
    const QString bare = dir.filePath(QStringLiteral("bare-") + name);
    for (int round = 0; round < 3 * kRounds; ++round) {
        const double down = classDownload(peer, dir.path(), name);
        identical &= readAll(received) == content;
        const double bareDown = bareDownload(peer, bare, name);
        identical &= readAll(bare) == content;
        if (down < 0 || bareDown < 0) {
            std::fprintf(stderr, "bench_transfer: a download of %s failed in round %d\n", label, round + 1);
            return false;
        }
        std::printf("%s download round %d: %.3f s, bare %.3f s\n", label, round + 1, down, bareDown);
        bestClassDown = qMin(bestClassDown, down);
        bestBareDown = qMin(bestBareDown, bareDown);
    }
    if (!identical) {
        std::fprintf(stderr, "bench_transfer: transferred bytes of %s differ from the source\n", label);
        return false;
    }
    const double classUp = megabytesPerSecond(content.size(), bestClassUp);
    const double bareUp = megabytesPerSecond(content.size(), bestBareUp);
    const double classDown = megabytesPerSecond(content.size(), bestClassDown);
    const double bareDown = megabytesPerSecond(content.size(), bestBareDown);
    std::printf("upload   %s: FileUpload %.1f MB/s, bare loop %.1f MB/s, ratio %.2f\n", label, classUp, bareUp,
                classUp / bareUp);
    std::printf("download %s: FileDownload %.1f MB/s, bare loop %.1f MB/s, ratio %.2f\n", label, classDown, bareDown,
                classDown / bareDown);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    KelvaraTest::prepareEnvironment();
    QCoreApplication app(argc, argv);
    registerCommunicationMetaTypes();

    QTemporaryDir dir;
    const QByteArray content = randomContent(kFileSize, 32);
    const QByteArray firmware = randomContent(kFirmwareSize, 150);
    TestPeer peer;
    peer.setRecordFrames(false);
    peer.serveFile(QStringLiteral("served.bin"), kType, content);
    peer.serveFile(QStringLiteral("firmware.esc"), kType, firmware);
    peer.setServeChunkSize(kDownloadChunk);
    if (!peer.listen())
        return 1;
    if (!measure(peer, dir, QStringLiteral("served.bin"), content, "32 MB"))
        return 1;
    if (!measure(peer, dir, QStringLiteral("firmware.esc"), firmware, "firmware 3.4 MB"))
        return 1;
    return 0;
}
