// One full synchronisation against the in-process simulated server holding
// 200 user sets waiting for the user, 20 firmware pairs and 100 logs to
// upload, against a bare WebSocketClient loop that sends the same requests
// and uploads one after the other, in the same run. The service polls on a
// timer between its requests; the goal is that this costs at most 30 ms per
// request over the bare loop.

#include "CommunicationController.h"
#include "DataPaths.h"
#include "FileTransfer.h"
#include "GetRequest.h"
#include "HalvoServer.h"
#include "Logger.h"
#include "MessageBase.h"
#include "ProtocolTypes.h"
#include "RoutingTable.h"
#include "ServerSimulator.h"
#include "Settings.h"
#include "SynchronizeService.h"
#include "WebSocketClient.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kDownloads = 200;
constexpr int kFirmwarePairs = 20;
constexpr int kLogs = 100;
constexpr int kRounds = 3;
constexpr double kAllowanceMsPerRequest = 30.0;
const QString kUser = QStringLiteral("bench");

bool spin(const std::function<bool()> &done, int timeoutMs = 120000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return done();
}

bool write(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QString logFolder() { return DataPaths::userPath(kUser, QStringLiteral("kelvara_logFiles")); }

bool fillServer(const QString &root)
{
    bool ok = write(root + QStringLiteral("/catalogue/kelvara_copy_instruments_231001_120000_V140.ini"),
                    QByteArray(60000, 'c'))
              && write(root + QStringLiteral("/servicecenters/kelvara_contact_ServiceCenterList_231101_000000_V130.xml"),
                       QByteArray(40000, 's'))
              && write(root + QStringLiteral("/usersets/templates/QELO3_Vorlage_Vorlage_230915_120000_V14.xml"),
                       QByteArray(30000, 't'));
    for (int i = 0; ok && i < kDownloads; ++i)
        ok = write(root + QStringLiteral("/usersets/downloads/QELO3_%1_Anwenderset_231020_101500_V14.xml").arg(23000000 + i),
                   QByteArray(30000, 'u'));
    for (int i = 0; ok && i < kFirmwarePairs; ++i) {
        const QString name = QStringLiteral("QELO3_Update_Release_1_%1_0_a_231020_120000").arg(i);
        ok = write(root + QStringLiteral("/firmware/") + name + QStringLiteral(".esb"), QByteArray(3000, 'd'))
             && write(root + QStringLiteral("/firmware/") + name + QStringLiteral(".esc"), QByteArray(100000, 'f'));
    }
    return ok;
}

bool fillLogs()
{
    bool ok = true;
    for (int i = 0; ok && i < kLogs; ++i)
        ok = write(logFolder() + QStringLiteral("/kelvara_bench_Admin_%1.xml").arg(i, 3, 10, QLatin1Char('0')),
                   QByteArray(20000, 'l'));
    return ok;
}

/// Milliseconds of one run of the service, or -1 when it did not complete cleanly.
double synchronisation(CommunicationController &communication)
{
    if (!fillLogs())
        return -1;
    RoutingTable routes(QStringLiteral("HALVO_SERVER"));
    SynchronizeService sync(communication.halvoServer(), nullptr, nullptr, nullptr);
    sync.userHasLoggedIn(kUser);
    routes.onCommand<FileTransfer>(CommandType::FileTransfer, [&routes](const FileTransfer &file) { routes.routeFile(file); });
    HalvoServer::registerRoutes(routes);
    sync.registerRoutes(routes);
    QObject::connect(communication.halvoServer()->client(), &WebSocketClient::binaryMessageReceived, &sync,
                     [&routes](const QByteArray &frame) { routes.routeFrame(frame); });
    bool completed = false;
    bool clean = true;
    int uploaded = 0;
    QObject::connect(&sync, &SynchronizeService::syncTimeout, [&] { clean = false; });
    QObject::connect(&sync, &SynchronizeService::syncCompleted, [&] {
        completed = true;
        uploaded = sync.cAppLogUpload();
    });
    QElapsedTimer clock;
    clock.start();
    sync.synchronize();
    spin([&] { return completed; });
    const double ms = clock.nsecsElapsed() / 1e6;
    if (!completed || !clean || uploaded != kLogs) {
        std::fprintf(stderr, "bench_sync: the run did not complete (%d logs uploaded)\n", uploaded);
        return -1;
    }
    return ms;
}

/// Milliseconds of the bare loop, or -1; `requests` is the number of requests and uploads sent.
double bareLoop(const ServerSimulator &server, int *requests)
{
    WebSocketClient client;
    bool up = false;
    QObject::connect(&client, &WebSocketClient::isProtocolConnectedChanged, [&] { up = client.isProtocolConnected(); });
    client.connectToHost(QStringLiteral("bare"), QStringLiteral("127.0.0.1"), QString::number(server.port()));
    if (!spin([&] { return up; }, 10000))
        return -1;

    // Each step sends one request and names the answer that ends it.
    struct Step
    {
        std::function<QByteArray()> request;
        std::function<bool(const FileTransfer &)> isAnswer;
    };
    QList<Step> steps;
    QStringList firmware;
    qint32 id = 0;
    const auto get = [&id](qint32 type, qint32 selector = 0, const QString &info = QString()) {
        return [&id, type, selector, info] { return GetRequest(++id, false, type, selector, info).serialize(); };
    };
    const auto answerOf = [](qint32 fileType, qint32 selector = -1) {
        return [fileType, selector](const FileTransfer &file) {
            return file.fileType() == fileType && (selector < 0 || file.selector() == selector);
        };
    };
    steps.append({get(GetRequestType::FirmwareList), [&firmware](const FileTransfer &file) {
                      if (file.fileType() != FileType::FirmwareList)
                          return false;
                      for (const QString &entry : QString::fromUtf8(file.data()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
                          firmware.append(entry.left(entry.lastIndexOf(QLatin1Char(':'))));
                      return true;
                  }});
    steps.append({get(GetRequestType::UserSetList, 2), answerOf(FileType::FileList, 2)});
    steps.append({get(GetRequestType::UserSetList, 1), answerOf(FileType::FileList, 1)});
    steps.append({get(GetRequestType::InstrumentCatalog), answerOf(FileType::InstrumentCatalog)});
    steps.append({get(GetRequestType::ServiceCenters), answerOf(FileType::ServiceCenters)});
    const QFileInfoList logs = QDir(logFolder()).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &log : logs) {
        const QString path = log.absoluteFilePath();
        const QString name = log.fileName();
        steps.append({[&id, path, name] {
                          QFile file(path);
                          const QByteArray data = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
                          return FileTransfer(++id, false, FileType::ApplicationLog, kUser, name, 0, data, 0).serialize();
                      },
                      [name](const FileTransfer &file) {
                          return file.isAck() && file.fileType() == FileType::ApplicationLog && file.filename() == name;
                      }});
    }
    // The firmware requests are known once the list is in: they are added then.
    const qsizetype firmwareAt = steps.size();
    int next = 0;
    const auto sendNext = [&] {
        if (next == firmwareAt) {
            QList<Step> fetches;
            for (const QString &name : qAsConst(firmware))
                fetches.append({get(GetRequestType::ListedFile, 1, name), answerOf(FileType::FirmwareDescription)});
            fetches.append({get(GetRequestType::UserSetList, 1), answerOf(FileType::FileList, 1)});
            steps.append(fetches);
        }
        if (next < steps.size())
            client.sendMessage(steps.at(next).request());
    };
    QObject::connect(&client, &WebSocketClient::binaryMessageReceived, [&](const QByteArray &frame) {
        if (MessageBase(frame).commandType() != CommandType::FileTransfer || next >= steps.size())
            return;
        const FileTransfer file(frame);
        if (!steps.at(next).isAnswer(file))
            return;
        ++next;
        sendNext();
    });
    QElapsedTimer clock;
    clock.start();
    sendNext();
    spin([&] { return next > firmwareAt && next == steps.size(); });
    const double ms = clock.nsecsElapsed() / 1e6;
    *requests = int(steps.size());
    if (next != steps.size() || firmware.size() != kFirmwarePairs) {
        std::fprintf(stderr, "bench_sync: the bare loop stopped after %d of %lld steps\n", next,
                     static_cast<long long>(steps.size()));
        return -1;
    }
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The data tree of this run is a scratch folder, never the user's own.
    QTemporaryDir scratch;
    qputenv("KELVARA_DOCUMENTS_DIR", scratch.path().toUtf8());
    DataPaths::ensureDirectory(DataPaths::appDir());
    Settings::create(DataPaths::kelvaraRoot());
    Logger::initialize(QStringLiteral("bench"));
    DataPaths::prepareUserTree(kUser);

    QTemporaryDir serverData;
    if (!fillServer(serverData.path())) {
        std::fprintf(stderr, "bench_sync: cannot write the server's data\n");
        return 1;
    }
    ServerSimulator server;
    server.setDataDirectory(serverData.path());
    server.setRecordFrames(false);
    if (!server.start()) {
        std::fprintf(stderr, "bench_sync: the simulated server did not start\n");
        return 1;
    }
    Settings::setValue(QStringLiteral("Preferences/HalvoServerHost"), QStringLiteral("127.0.0.1"));
    Settings::setValue(QStringLiteral("Preferences/HalvoServerPort"), QString::number(server.port()));
    Settings::setValue(QStringLiteral("Preferences/HalvoServerConnectionUpdateRate"), QStringLiteral("100"));
    CommunicationController communication;
    communication.setHalvoServerAutoConnect(true);
    if (!spin([&] { return communication.isHalvoServerConnected(); }, 10000)) {
        std::fprintf(stderr, "bench_sync: no link to the simulated server\n");
        return 1;
    }

    double bestSync = 1e300;
    double bestBare = 1e300;
    int requests = 0;
    // Rounds alternate so that load from elsewhere on the machine hits both alike.
    for (int round = 0; round < kRounds; ++round) {
        const double sync = synchronisation(communication);
        if (sync < 0 || !fillLogs())
            return 1;
        const double bare = bareLoop(server, &requests);
        if (bare < 0)
            return 1;
        bestSync = std::min(bestSync, sync);
        bestBare = std::min(bestBare, bare);
    }
    const double goal = bestBare + kAllowanceMsPerRequest * requests;
    std::printf("== one synchronisation: %d downloads pushed, %d firmware descriptions, %d log uploads ==\n", kDownloads,
                kFirmwarePairs, kLogs);
    std::printf("requests and uploads:      %9d\n", requests);
    std::printf("synchronisation best:      %9.1f ms\n", bestSync);
    std::printf("bare loop best:            %9.1f ms\n", bestBare);
    std::printf("ratio sync/bare:           %9.2f\n", bestSync / bestBare);
    std::printf("overhead per request:      %9.2f ms\n", (bestSync - bestBare) / requests);
    std::printf("goal sync <= bare + %.0f ms x %d = %.1f ms: %s\n", kAllowanceMsPerRequest, requests, goal,
                bestSync <= goal ? "met" : "MISSED");
    return 0;
}
