#include "KelvaraTest.h"

#include "CommunicationController.h"
#include "DataPaths.h"
#include "GetRequest.h"
#include "HalvoServer.h"
#include "Logger.h"
#include "NetworkService.h"
#include "ProtocolTypes.h"
#include "Qelo3Server.h"
#include "Settings.h"
#include "TestPeer.h"
#include "WebSocketClient.h"

#include <QtCore/QFile>
#include <QtTest/QSignalSpy>

#include <functional>
#include <memory>

using ServerCall = std::function<void(HalvoServer *)>;
Q_DECLARE_METATYPE(ServerCall)

// The two connections against an in-process peer: request styles, the
// download queue, firmware downloads, re-connect timers.
class tst_Connections : public QObject
{
    Q_OBJECT

private:
    // A controller whose connection to `prefix` ("Qelo3Server" or "HalvoServer")
    // is up on `peer`; null when the peer could not listen or the connection did not come up.
    static std::unique_ptr<CommunicationController> connectedTo(TestPeer &peer, const QString &prefix,
                                                                bool autoConnect = true)
    {
        if (!peer.listenAs(prefix))
            return nullptr;
        auto communication = std::make_unique<CommunicationController>();
        const bool generator = prefix == QLatin1String("Qelo3Server");
        if (generator)
            communication->setQelo3ServerAutoConnect(autoConnect);
        else
            communication->setHalvoServerAutoConnect(autoConnect);
        const bool up = QTest::qWaitFor([&] {
            return generator ? communication->isQelo3Connected() : communication->isHalvoServerConnected();
        }, KelvaraTest::timeout(5000));
        return up ? std::move(communication) : nullptr;
    }

    // Sends one request on whichever connection is up and waits until the
    // peer has it: whatever the peer or the client did before has arrived.
    static bool roundTrip(CommunicationController &communication, const TestPeer &peer)
    {
        communication.qelo3Server()->requestDeviceInformation();
        communication.halvoServer()->requestOnConnect();
        return QTest::qWaitFor([&] { return peer.receivedRequests().size() == 1; }, KelvaraTest::timeout(5000));
    }

    // A peer message with the given protocol version in its header.
    static QByteArray messageOfVersion(qint32 version)
    {
        FileTransfer message(1, true, FileType::UserSet, QString(), QStringLiteral("x"), 0, QByteArray(), 0);
        message.setProtocolVersion(version);
        return message.serialize();
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        KelvaraTest::startSettings();
        // Nothing listens on port 1: the connection that a test does not use stays down.
        Settings::setValue(QStringLiteral("Preferences/Qelo3ServerPort"), QStringLiteral("1"));
        Settings::setValue(QStringLiteral("Preferences/HalvoServerPort"), QStringLiteral("1"));
        Settings::setValue(QStringLiteral("Preferences/Qelo3ServerConnectionUpdateRate"), QStringLiteral("100"));
        Settings::setValue(QStringLiteral("Preferences/HalvoServerConnectionUpdateRate"), QStringLiteral("100"));
    }

    void requestStyleFollowsPeerVersion_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<GetRequestType::Value>("userSetRequest");
        QTest::addColumn<GetRequestType::Value>("chronoRequest");
        using T = GetRequestType::Value;
        QTest::newRow("before any message the old style") << 0 << T::UserSet << T::ChronoFiles;
        QTest::newRow("version 4 gets single files") << 4 << T::UserSet << T::ChronoFiles;
        QTest::newRow("version 5 gets lists") << 5 << T::UserSetList << T::ChronoList;
        QTest::newRow("version 6 gets lists") << 6 << T::UserSetList << T::ChronoList;
    }

    void requestStyleFollowsPeerVersion()
    {
        QFETCH(int, version);
        QFETCH(GetRequestType::Value, userSetRequest);
        QFETCH(GetRequestType::Value, chronoRequest);
        TestPeer peer;
        const auto communication = connectedTo(peer, QStringLiteral("Qelo3Server"));
        QVERIFY(communication);
        Qelo3Server *generator = communication->qelo3Server();
        if (version > 0) {
            QSignalSpy received(generator->client(), &WebSocketClient::binaryMessageReceived);
            peer.sendBinary(messageOfVersion(version));
            QVERIFY(received.wait(KelvaraTest::timeout(5000)));
        }
        QCOMPARE(generator->peerProtocolVersion(), version);
        generator->requestUserSet();
        generator->requestChronoFiles();
        generator->requestDeviceInformation();
        QTRY_COMPARE_WITH_TIMEOUT(peer.receivedRequests().size(), 3, KelvaraTest::timeout(5000));
        const QList<GetRequest> sent = peer.receivedRequests();
        QCOMPARE(sent.at(0).getRequestType(), userSetRequest);
        QCOMPARE(sent.at(1).getRequestType(), chronoRequest);
        QCOMPARE(sent.at(2).getRequestType(), GetRequestType::DeviceInformation);
        // The connection numbers its own requests from 1.
        QCOMPARE(sent.at(0).messageId(), 1);
        QCOMPARE(sent.at(2).messageId(), 3);
    }

    void queuedDownloadsRunInOrder()
    {
        TestPeer peer;
        peer.serveFile(QStringLiteral("a.fix"), FileType::ChronoFixed, QByteArray(3000, 'f'));
        peer.serveFile(QStringLiteral("b.flex.zip"), FileType::ChronoFlexZip, QByteArray(5000, 'z'));
        peer.serveFile(QStringLiteral("c.xml"), FileType::UserSet, QByteArray("<AnwenderSet/>"));
        const auto communication = connectedTo(peer, QStringLiteral("Qelo3Server"));
        QVERIFY(communication);
        Qelo3Server *generator = communication->qelo3Server();

        QSignalSpy files(generator, &Qelo3Server::fileReceived);
        generator->queueDownload(QStringLiteral("a.fix"));
        // Dropped without a download, and without holding up the names behind it.
        generator->queueDownload(QStringLiteral("unknown.bin"));
        generator->queueDownload(QStringLiteral("b.flex.zip"));
        generator->queueDownload(QStringLiteral("c.xml"));
        QTRY_COMPARE_WITH_TIMEOUT(files.count(), 3, KelvaraTest::timeout(15000));

        QList<int> fileTypes;
        for (const QList<QVariant> &arguments : qAsConst(files))
            fileTypes << arguments.at(0).value<FileTransfer>().fileType();
        QCOMPARE(fileTypes, (QList<int>{6, 7, 1}));
        QList<qint32> requestTypes;
        QStringList names;
        for (const GetRequest &request : peer.receivedRequests()) {
            requestTypes << request.getRequestType();
            names << request.additionalInfo();
            QCOMPARE(request.selector(), 2);
        }
        QCOMPARE(requestTypes, (QList<qint32>{GetRequestType::ChronoFiles, GetRequestType::ChronoFiles, GetRequestType::UserSet}));
        QCOMPARE(names, (QStringList{QStringLiteral("a.fix"), QStringLiteral("b.flex.zip"), QStringLiteral("c.xml")}));
        QCOMPARE(KelvaraTest::readFile(DataPaths::tempDir() + QStringLiteral("/b.flex.zip")), QByteArray(5000, 'z'));
        QTRY_VERIFY(!generator->fileDownloadIsActive());
    }

    // clang-format off
    void unsafeNamesNeverStartADownload_data()
    {
        QTest::addColumn<bool>("firmware");
        QTest::addColumn<QString>("name");
        // Pins: a listed name with a folder part or a control character became a local path.
        for (const bool firmware : {false, true}) {
            const QString ending = firmware ? QStringLiteral(".esb") : QStringLiteral(".xml");
            const char *entry = firmware ? "firmware download" : "generator queue";
            const auto row = [&](const char *what, const QString &name) {
                QTest::addRow("%s: %s", entry, what) << firmware << name;
            };
            row("parent traversal", QStringLiteral("../x") + ending);
            row("folder part", QStringLiteral("a/b") + ending);
            row("windows drive", QStringLiteral("C:\\x") + ending);
            row("parent folder alone", QStringLiteral(".."));
            row("line break", QStringLiteral("a\nb") + ending);
            row("carriage return", QStringLiteral("x") + ending + QStringLiteral("\r"));
            row("NUL", QStringLiteral("a") + QChar(0) + QStringLiteral("b") + ending);
        }
    }
    // clang-format on

    void unsafeNamesNeverStartADownload()
    {
        QFETCH(bool, firmware);
        QFETCH(QString, name);
        TestPeer peer;
        peer.serveFile(name, firmware ? FileType::FirmwareContainer : FileType::UserSet, "evil");
        const auto communication = connectedTo(peer, firmware ? QStringLiteral("HalvoServer") : QStringLiteral("Qelo3Server"));
        QVERIFY(communication);
        Logger::setWarnLimitWindow(0);
        QSignalSpy generatorStarts(communication->qelo3Server(), &Qelo3Server::fileDownloadIsActiveChanged);
        QSignalSpy serverStarts(communication->halvoServer(), &HalvoServer::fileDownloadIsActiveChanged);
        const int before = KelvaraTest::logLines().size();
        if (firmware)
            communication->halvoServer()->downloadFirmware(name);
        else
            communication->qelo3Server()->queueDownload(name);
        QVERIFY(communication->qelo3Server()->downloadQueue().isEmpty());
        QCOMPARE(KelvaraTest::logLines().mid(before).filter(QStringLiteral("efused file name")).size(), 1);
        // A download that had started would have asked before this.
        QVERIFY(roundTrip(*communication, peer));
        QCOMPARE(generatorStarts.size() + serverStarts.size(), 0);
        const int type = peer.receivedRequests().first().getRequestType();
        QVERIFY(type == GetRequestType::DeviceInformation || type == GetRequestType::ServerConnected);
    }

    // Pins: one 32 MiB file list queued 4.8 million downloads.
    void listFloodIsBounded()
    {
        TestPeer peer;
        const auto communication = connectedTo(peer, QStringLiteral("Qelo3Server"));
        QVERIFY(communication);
        Qelo3Server *generator = communication->qelo3Server();
        const int before = KelvaraTest::logLines().size();
        for (int i = 0; i < 5000; ++i)
            generator->queueDownload(QStringLiteral("f%1.fix").arg(i));
        // The first name runs, the next thousand wait, the rest is gone.
        QCOMPARE(generator->downloadQueue().size(), Qelo3Server::kMaxQueuedDownloads);
        QCOMPARE(generator->downloadQueue().first(), QStringLiteral("f1.fix"));
        QCOMPARE(generator->downloadQueue().last(), QStringLiteral("f1000.fix"));
        const QStringList lines = KelvaraTest::logLines().mid(before);
        QCOMPARE(lines.filter(QStringLiteral("Qelo3Server::queueDownload")).size(), 1);
        generator->fileDownloadDoCancel();
    }

    // Pins: a chunk stream nobody asked for went unnoticed.
    void unrequestedChunkStreamIsRefused_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("fileType");
        QTest::newRow("generator") << "Qelo3Server" << int(FileType::UserSet);
        // The server sends only firmware in chunks; its template sets share the chunk selector.
        QTest::newRow("server") << "HalvoServer" << int(FileType::FirmwareContainer);
    }

    void unrequestedChunkStreamIsRefused()
    {
        QFETCH(QString, prefix);
        QFETCH(int, fileType);
        TestPeer peer;
        const auto communication = connectedTo(peer, prefix);
        QVERIFY(communication);
        Logger::setWarnLimitWindow(60000);
        const int before = KelvaraTest::logLines().size();
        const QString name = QStringLiteral("pushed-%1.xml").arg(prefix);
        QSignalSpy generatorFiles(communication->qelo3Server(), &Qelo3Server::fileReceived);
        QSignalSpy serverFiles(communication->halvoServer(), &HalvoServer::fileReceived);
        for (int progress : {Protocol::kProgressStart, 10, 20, 30, Protocol::kProgressEnd})
            peer.sendBinary(FileTransfer(0, false, fileType, QString(), name, Protocol::kChunkedSelector,
                                progress >= 0 ? QByteArray(100, 'x') : QByteArray(), progress)
                                .serialize());
        QTRY_VERIFY_WITH_TIMEOUT(KelvaraTest::logLines().mid(before).filter(QStringLiteral("Refused a chunk")).size() >= 1,
                                 KelvaraTest::timeout(5000));
        // Held to one line for the whole stream, not one per chunk.
        QCOMPARE(KelvaraTest::logLines().mid(before).filter(QStringLiteral("Refused a chunk")).size(), 1);
        QVERIFY(roundTrip(*communication, peer));
        QVERIFY2(peer.receivedTransfers().isEmpty(), "nothing of the stream is acknowledged");
        QVERIFY(!QFile::exists(DataPaths::tempDir() + QLatin1Char('/') + name));
        QCOMPARE(generatorFiles.size() + serverFiles.size(), 0);
    }

    void cancellingTheDownloadEmptiesTheQueue()
    {
        TestPeer peer;
        peer.setServeFault(TestPeer::ServeFault::SilentAfterStart);
        peer.serveFile(QStringLiteral("a.fix"), FileType::ChronoFixed, QByteArray(10, 'f'));
        const auto communication = connectedTo(peer, QStringLiteral("Qelo3Server"));
        QVERIFY(communication);
        Qelo3Server *generator = communication->qelo3Server();
        QSignalSpy canceled(generator, &Qelo3Server::fileDownloadCanceled);
        generator->queueDownload(QStringLiteral("a.fix"));
        generator->queueDownload(QStringLiteral("b.fix"));
        QTRY_VERIFY_WITH_TIMEOUT(generator->fileDownloadIsActive(), KelvaraTest::timeout(5000));
        generator->fileDownloadDoCancel();
        QVERIFY(generator->downloadQueue().isEmpty());
        QVERIFY(canceled.wait(KelvaraTest::timeout(5000)));
        QCOMPARE(canceled.first().at(0).toInt(), int(FileType::ChronoFixed));
        QTRY_VERIFY(!generator->fileDownloadIsActive());
        QTest::qWait(KelvaraTest::timeout(200));
        QCOMPARE(peer.receivedRequests().size(), 1);
    }

    void userSetUploadIsFollowedByANewRequest()
    {
        TestPeer peer;
        const QString path = DataPaths::tempDir() + QStringLiteral("/upload.xml");
        QVERIFY(KelvaraTest::writeFile(path, QByteArray(2500, 'u')));
        const auto communication = connectedTo(peer, QStringLiteral("Qelo3Server"));
        QVERIFY(communication);
        Qelo3Server *generator = communication->qelo3Server();
        QSignalSpy finished(generator, &Qelo3Server::fileUploadSuccessfullyFinished);
        generator->uploadUserSet(QStringLiteral("set.xml"), path);
        generator->uploadUserSet(QStringLiteral("second.xml"), path); // ignored while one runs
        QVERIFY(finished.wait(KelvaraTest::timeout(10000)));
        QCOMPARE(peer.uploadedContent(QStringLiteral("set.xml")), QByteArray(2500, 'u'));
        QVERIFY(peer.uploadedContent(QStringLiteral("second.xml")).isNull());
        QTRY_COMPARE_WITH_TIMEOUT(peer.receivedRequests().size(), 1, KelvaraTest::timeout(5000));
        // The peer's acknowledgements carry version 6, so the set is asked for as a list.
        QCOMPARE(peer.receivedRequests().first().getRequestType(), GetRequestType::UserSetList);
    }

    void firmwareDownloadAsksForTheContainer()
    {
        TestPeer peer;
        const QString container = QStringLiteral("esc_tool_1_5.esc");
        peer.serveFile(container, FileType::FirmwareContainer, QByteArray(70000, 'c'));
        const auto communication = connectedTo(peer, QStringLiteral("HalvoServer"));
        QVERIFY(communication);
        HalvoServer *server = communication->halvoServer();
        QSignalSpy files(server, &HalvoServer::fileReceived);
        server->downloadFirmware(QStringLiteral("esb_tool_1_5.esb"));
        QVERIFY(files.wait(KelvaraTest::timeout(10000)));
        const auto received = files.first().at(0).value<FileTransfer>();
        QCOMPARE(received.filename(), container);
        QCOMPARE(received.fileType(), int(FileType::FirmwareContainer));
        const GetRequest request = peer.receivedRequests().first();
        QCOMPARE(request.getRequestType(), GetRequestType::ListedFile);
        QCOMPARE(request.selector(), 2);
        QCOMPARE(KelvaraTest::readFile(received.directory() + QLatin1Char('/') + container), QByteArray(70000, 'c'));
    }

    void serverRequests_data()
    {
        QTest::addColumn<ServerCall>("call");
        QTest::addColumn<GetRequestType::Value>("type");
        QTest::addColumn<int>("selector");
        QTest::addColumn<QString>("info");
        using T = GetRequestType::Value;
        QTest::newRow("downloads list") << ServerCall([](HalvoServer *s) { s->requestList(1); }) << T::UserSetList << 1 << "";
        QTest::newRow("template list") << ServerCall([](HalvoServer *s) { s->requestList(2); }) << T::UserSetList << 2 << "";
        QTest::newRow("user-set file") << ServerCall([](HalvoServer *s) { s->requestUserSetFile(2, QStringLiteral("templates/a.xml")); })
                                       << T::UserSet << 2 << "templates/a.xml";
        QTest::newRow("instrument catalogue") << ServerCall([](HalvoServer *s) { s->requestInstrumentCatalog(); }) << T::InstrumentCatalog << 0 << "";
        QTest::newRow("firmware list") << ServerCall([](HalvoServer *s) { s->requestFirmwareList(); }) << T::FirmwareList << 0 << "";
        QTest::newRow("listed file") << ServerCall([](HalvoServer *s) { s->requestFile(QStringLiteral("f.esb")); }) << T::ListedFile << 1 << "f.esb";
        QTest::newRow("service centres") << ServerCall([](HalvoServer *s) { s->requestServiceCenterList(); }) << T::ServiceCenters << 0 << "";
        QTest::newRow("on connect") << ServerCall([](HalvoServer *s) { s->requestOnConnect(); }) << T::ServerConnected << 0 << "";
        QTest::newRow("update information carries the version")
            << ServerCall([](HalvoServer *s) { s->requestUpdateInfo(); }) << T::UpdateInformation << 0 << "1.4.1";
    }

    void serverRequests()
    {
        QFETCH(ServerCall, call);
        QFETCH(GetRequestType::Value, type);
        QFETCH(int, selector);
        QFETCH(QString, info);
        QCoreApplication::setApplicationVersion(QStringLiteral("1.4.1"));
        TestPeer peer;
        const auto communication = connectedTo(peer, QStringLiteral("HalvoServer"));
        QVERIFY(communication);
        call(communication->halvoServer());
        QTRY_COMPARE_WITH_TIMEOUT(peer.receivedRequests().size(), 1, KelvaraTest::timeout(5000));
        const GetRequest request = peer.receivedRequests().first();
        QCOMPARE(request.getRequestType(), type);
        QCOMPARE(request.selector(), selector);
        QCOMPARE(request.additionalInfo(), info);
        QVERIFY(!request.isAck());
    }

    void reconnectFollowsTheAutoConnectFlag_data()
    {
        QTest::addColumn<bool>("autoConnect");
        QTest::newRow("auto-connect on reconnects") << true;
        QTest::newRow("auto-connect off stays down") << false;
    }

    void reconnectFollowsTheAutoConnectFlag()
    {
        QFETCH(bool, autoConnect);
        TestPeer peer;
        QVERIFY(peer.listenAs(QStringLiteral("Qelo3Server")));
        CommunicationController communication;
        Qelo3Server *generator = communication.qelo3Server();
        QSignalSpy connected(&peer, &TestPeer::clientConnected);
        // The first attempt happens whatever the flag says.
        communication.setQelo3ServerAutoConnect(autoConnect);
        QTRY_VERIFY_WITH_TIMEOUT(generator->isConnected(), KelvaraTest::timeout(5000));
        QCOMPARE(connected.count(), 1);
        peer.closeClients();
        QTRY_VERIFY_WITH_TIMEOUT(!generator->isConnected(), KelvaraTest::timeout(5000));
        if (autoConnect) {
            QTRY_VERIFY_WITH_TIMEOUT(generator->isConnected(), KelvaraTest::timeout(5000));
            QCOMPARE(connected.count(), 2);
        } else {
            QTest::qWait(KelvaraTest::timeout(600)); // several timer periods of 100 ms
            QVERIFY(!generator->isConnected());
            QCOMPARE(connected.count(), 1);
        }
    }

    void networkServiceHidesIdentityWhileDisconnected()
    {
        CommunicationController communication;
        NetworkService network(&communication);
        communication.qelo3Server()->setDeviceData(QStringLiteral("OP 4"), QStringLiteral("QELO 3"),
                                                   QStringLiteral("SN1"), QStringLiteral("1.4.1"), QString());
        QCOMPARE(network.qelo3Name(), QStringLiteral("-"));
        QCOMPARE(network.qelo3SerialNumber(), QStringLiteral("-"));
        QCOMPARE(network.qelo3Version(), QStringLiteral("-"));
        QVERIFY(!network.isQelo3Connected());
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_Connections)
#include "tst_connections.moc"
