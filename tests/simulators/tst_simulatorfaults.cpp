#include "FileDownload.h"
#include "FileTransfer.h"
#include "FileUpload.h"
#include "GetRequest.h"
#include "ProtocolTypes.h"
#include "Qelo3Simulator.h"
#include "ServerSimulator.h"
#include "SimulatorTestSupport.h"
#include "UserLoginReply.h"
#include "UserLoginRequest.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QTemporaryDir>

namespace {

constexpr int kShortHeartbeatMs = 100;

} // namespace

/// Every fault a simulated peer can play, each with the failure it promises.
class tst_SimulatorFaults : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Qelo3Simulator> m_generator;
    std::unique_ptr<ServerSimulator> m_server;

    SimulatorPeer *peer(bool server) const
    {
        return server ? static_cast<SimulatorPeer *>(m_server.get()) : m_generator.get();
    }

    /// Both peers on a small data tree of their own.
    void prepare()
    {
        const QString root = m_dir->path();
        QVERIFY(KelvaraTest::writeFile(root + QStringLiteral("/generator/usersets/set.xml"), QByteArray(1000, 'u')));
        QVERIFY(KelvaraTest::writeFile(root + QStringLiteral("/server/firmware/fw.esc"), QByteArray(1000, 'f')));
        m_generator->setDataDirectory(root + QStringLiteral("/generator"));
        m_server->setDataDirectory(root + QStringLiteral("/server"));
        m_server->addAccount({QStringLiteral("admin"), QStringLiteral("secret"), 3, QStringLiteral("A"),
                              QStringLiteral("B"), QStringLiteral("C"), QString(), QString(), false});
        m_generator->setChunkSize(100);
        m_server->setChunkSize(100);
    }

    void startBoth()
    {
        QVERIFY(m_generator->start());
        QVERIFY(m_server->start());
    }

private slots:
    void initTestCase() { KelvaraTest::initializeLogger(); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_generator = std::make_unique<Qelo3Simulator>();
        m_server = std::make_unique<ServerSimulator>();
        prepare();
    }

    void cleanup()
    {
        m_generator.reset();
        m_server.reset();
        m_dir.reset();
    }

    void silenceClosesTheLinkAfterTheFourthMiss_data()
    {
        QTest::addColumn<bool>("server");
        QTest::addColumn<int>("silentAfter");

        QTest::newRow("no fault: the link stays") << false << -1;
        QTest::newRow("generator silent from the start") << false << 0;
        QTest::newRow("generator silent after two messages") << false << 2;
        QTest::newRow("server silent after one message") << true << 1;
    }

    void silenceClosesTheLinkAfterTheFourthMiss()
    {
        QFETCH(bool, server);
        QFETCH(int, silentAfter);
        peer(server)->setSilentAfterMessages(silentAfter);
        startBoth();
        QSignalSpy silent(peer(server), &SimulatorPeer::wentSilent);
        QSignalSpy peerLost(peer(server), &SimulatorPeer::clientDisconnected);
        PeerLink link(KelvaraTest::timeout(kShortHeartbeatMs));
        QVERIFY(link.open(*peer(server)));
        QSignalSpy down(link.client.get(), &WebSocketClient::isProtocolConnectedChanged);

        // Requests with an answer each; those after the silence stay unanswered.
        const int requests = qMax(silentAfter, 0) + 1;
        for (int i = 0; i < requests; ++i) {
            GetRequest request(0, false, server ? qint32(GetRequestType::UpdateInformation)
                                                : qint32(GetRequestType::DeviceInformation));
            link.send(request);
        }
        const qint32 answer = server ? CommandType::UpdateInfoReply : CommandType::Qelo3DeviceInformation;

        if (silentAfter < 0) {
            QCOMPARE(link.waitFor(answer, requests).isEmpty(), false);
            // Ten heartbeat periods without a single miss.
            QVERIFY(!down.wait(KelvaraTest::timeout(10 * kShortHeartbeatMs)));
            QVERIFY(link.client->isProtocolConnected());
            QCOMPARE(link.client->missCount(), quint32(0));
            QCOMPARE(silent.size(), 0);
            return;
        }
        QVERIFY(down.wait(KelvaraTest::timeout(20 * kShortHeartbeatMs)));
        QVERIFY(!link.client->isProtocolConnected());
        QCOMPARE(silent.size(), 1);
        QCOMPARE(link.ofCommand(answer).size(), silentAfter);
        QVERIFY(KelvaraTest::logContains(QStringLiteral("Heartbeat from peer missed. 3. miss ignored.")));
        QVERIFY(KelvaraTest::logContains(QStringLiteral("Heartbeat timeout from peer. 4. miss. Closing connection!")));
        // The silent peer still notices the client's close and lets the link go.
        QVERIFY(peerLost.size() == 1 || peerLost.wait(KelvaraTest::timeout(5000)));
        QCOMPARE(peer(server)->connectionCount(), 0);
    }

    void closeInTheMiddleOfATransfer_data()
    {
        QTest::addColumn<bool>("server");
        QTest::addColumn<bool>("upload");
        QTest::addColumn<int>("fileType");
        QTest::addColumn<QString>("name");

        QTest::newRow("user-set download from the generator") << false << false << int(FileType::UserSet) << "set.xml";
        QTest::newRow("user-set upload to the generator") << false << true << int(FileType::UserSet) << "new.xml";
        QTest::newRow("firmware download from the server") << true << false << int(FileType::FirmwareContainer)
                                                           << "fw.esc";
    }

    void closeInTheMiddleOfATransfer()
    {
        QFETCH(bool, server);
        QFETCH(bool, upload);
        QFETCH(int, fileType);
        QFETCH(QString, name);
        peer(server)->setCloseAfterChunks(2);
        startBoth();
        QSignalSpy interrupted(peer(server), &SimulatorPeer::transferInterrupted);
        QSignalSpy stored(peer(server), &SimulatorPeer::uploadReceived);
        PeerLink link;
        QVERIFY(link.open(*peer(server)));

        std::unique_ptr<QThread> transfer;
        std::unique_ptr<QSignalSpy> failed;
        std::unique_ptr<QSignalSpy> succeeded;
        if (upload) {
            const QString source = m_dir->path() + QStringLiteral("/source.xml");
            QVERIFY(KelvaraTest::writeFile(source, QByteArray(50000, 'x')));
            auto *up = new FileUpload(link.client.get(), name, source, fileType, 20000);
            failed = std::make_unique<QSignalSpy>(up, &FileUpload::errorOccured);
            succeeded = std::make_unique<QSignalSpy>(up, &FileUpload::successfullyFinished);
            transfer.reset(up);
        } else {
            auto *down = new FileDownload(link.client.get(), name, m_dir->path() + QStringLiteral("/target"), fileType,
                                          server ? GetRequestType::ListedFile : GetRequestType::UserSet, 10000);
            failed = std::make_unique<QSignalSpy>(down, &FileDownload::errorOccured);
            succeeded = std::make_unique<QSignalSpy>(down, &FileDownload::successfullyFinished);
            transfer.reset(down);
        }
        transfer->start();
        QVERIFY(failed->wait(KelvaraTest::timeout(5000)));
        QVERIFY(transfer->wait(KelvaraTest::timeout(5000)));
        QCOMPARE(succeeded->size(), 0);
        QCOMPARE(interrupted.size(), 1);
        QCOMPARE(interrupted.at(0).at(1).toString(), name);
        QTRY_VERIFY_WITH_TIMEOUT(!link.client->isProtocolConnected(), KelvaraTest::timeout(5000));
        QCOMPARE(stored.size(), 0);
        if (upload)
            QVERIFY(!QFileInfo::exists(m_generator->dataDirectory() + QStringLiteral("/usersets/") + name));
    }

    void slowAnswersArriveLateAndRunIntoTimeOuts()
    {
        const int delay = KelvaraTest::timeout(400);
        m_generator->setResponseDelay(delay);
        startBoth();
        PeerLink link;
        QVERIFY(link.open(*m_generator));

        QElapsedTimer clock;
        clock.start();
        GetRequest identity(0, false, GetRequestType::DeviceInformation);
        link.send(identity);
        QVERIFY(!link.waitFor(CommandType::Qelo3DeviceInformation).isEmpty());
        QVERIFY2(clock.elapsed() >= delay - 20, "the answer waits for the delay");

        // A transfer whose time-out is shorter than the delay fails.
        FileDownload download(link.client.get(), QStringLiteral("set.xml"), m_dir->path() + QStringLiteral("/t"),
                              FileType::UserSet, GetRequestType::UserSet, delay / 2);
        QSignalSpy failed(&download, &FileDownload::errorOccured);
        QSignalSpy succeeded(&download, &FileDownload::successfullyFinished);
        download.start();
        QVERIFY(failed.wait(KelvaraTest::timeout(5000)));
        QVERIFY(download.wait(KelvaraTest::timeout(5000)));
        QCOMPARE(succeeded.size(), 0);
    }

    void wrongAcknowledgementTypeEndsTheUpload()
    {
        m_generator->setWrongAcknowledgeFileType(true);
        startBoth();
        PeerLink link;
        QVERIFY(link.open(*m_generator));
        const QString source = m_dir->path() + QStringLiteral("/source.xml");
        QVERIFY(KelvaraTest::writeFile(source, QByteArray(3000, 'x')));
        FileUpload upload(link.client.get(), QStringLiteral("new.xml"), source, FileType::UserSet, 20000);
        QSignalSpy failed(&upload, &FileUpload::errorOccured);
        QSignalSpy succeeded(&upload, &FileUpload::successfullyFinished);
        upload.start();
        QVERIFY(failed.wait(KelvaraTest::timeout(5000)));
        QVERIFY(upload.wait(KelvaraTest::timeout(5000)));
        QCOMPARE(succeeded.size(), 0);
        QVERIFY(!QFileInfo::exists(m_generator->dataDirectory() + QStringLiteral("/usersets/new.xml")));
    }

    void serverAnswerFaults_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("fileType");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<bool>("positive");
        QTest::addColumn<int>("answerType");
        QTest::addColumn<bool>("stored");

        const int contact = FileType::ContactMessage;
        const int log = FileType::ApplicationLog;
        const int userSet = FileType::UserSet;
        // clang-format off
        QTest::newRow("refused login despite the right password") << QStringList{"--refuse-logins"} << 0 << true << false << 0 << false;
        QTest::newRow("login never answered") << QStringList{"--ignore-logins"} << 0 << false << false << 0 << false;
        QTest::newRow("contact message rejected") << QStringList{"--reject-contact"} << contact << true << false << contact << false;
        QTest::newRow("log acknowledged with a wrong type") << QStringList{"--wrong-ack-type"} << log << true << true
                                                            << int(SimulatorPeer::wrongFileType(14)) << true;
        QTest::newRow("user set stored, never acknowledged") << QStringList{"--no-ack", "1"} << userSet << false << false << 0 << true;
        QTest::newRow("log stored, never acknowledged") << QStringList{"--no-ack", "14"} << log << false << false << 0 << true;
        QTest::newRow("no-ack repeated: the second type too") << QStringList{"--no-ack", "1", "--no-ack", "14"} << log << false << false << 0 << true;
        QTest::newRow("no-ack of logs leaves user sets acknowledged") << QStringList{"--no-ack", "14"} << userSet << true << true << userSet << true;
        QTest::newRow("no fault: contact message accepted") << QStringList() << contact << true << true << contact << true;
        // clang-format on
    }

    void serverAnswerFaults()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, fileType);
        QFETCH(bool, answered);
        QFETCH(bool, positive);
        QFETCH(int, answerType);
        QFETCH(bool, stored);
        QVERIFY(SimulatorTest::applyCommandLine(*m_server, QStringLiteral("server"),
                                                QStringList{QStringLiteral("--data"), m_server->dataDirectory()} + arguments));
        startBoth();
        PeerLink link;
        QVERIFY(link.open(*m_server));

        if (fileType == 0) {
            UserLoginRequest login(0, false, QStringLiteral("admin"), QStringLiteral("secret"));
            link.send(login);
        } else {
            FileTransfer message(0, false, fileType, QStringLiteral("admin"), QStringLiteral("mail.eml"), 0,
                                 "MIME-Version: 1.0", 0);
            link.send(message);
        }
        // A marker request shows when the server has handled the first message.
        GetRequest marker(0, false, GetRequestType::UpdateInformation);
        link.send(marker);
        QVERIFY(!link.waitFor(CommandType::UpdateInfoReply).isEmpty());

        if (fileType == 0) {
            QCOMPARE(link.ofCommand(CommandType::UserLoginReply).size(), answered ? 1 : 0);
            QCOMPARE(m_server->receivedOfCommand(CommandType::UserLoginRequest).size(), 1);
            if (answered)
                QCOMPARE(UserLoginReply(link.ofCommand(CommandType::UserLoginReply).first()).result(), positive);
            QVERIFY(link.ofCommand(CommandType::AuthorizationMatrix).isEmpty());
            QVERIFY(m_server->acceptedLogins().isEmpty());
            return;
        }
        const QList<QByteArray> answers = link.ofCommand(CommandType::FileTransfer);
        QCOMPARE(answers.size(), answered ? 1 : 0);
        if (answered) {
            const FileTransfer answer(answers.first());
            QCOMPARE(answer.fileType(), answerType);
            QCOMPARE(answer.isAck(), positive);
            QCOMPARE(answer.filename(), QStringLiteral("mail.eml"));
            QVERIFY(answer.data().isNull());
        }
        QCOMPARE(QFileInfo::exists(m_server->receivedPath(fileType, QStringLiteral("admin"), QStringLiteral("mail.eml"))),
                 stored);
    }

    void droppedRequests_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("requestType");
        QTest::addColumn<int>("selector");
        QTest::addColumn<bool>("answered");

        const int list = GetRequestType::UserSetList;
        const int catalogue = GetRequestType::InstrumentCatalog;
        // clang-format off
        QTest::newRow("type: catalogue unanswered") << QStringList{"--drop-request", "8"} << catalogue << 0 << false;
        QTest::newRow("type: another request still answered") << QStringList{"--drop-request", "8"} << int(GetRequestType::FirmwareList) << 0 << true;
        QTest::newRow("type:selector: downloads list unanswered") << QStringList{"--drop-request", "1:1"} << list << 1 << false;
        QTest::newRow("type:selector: template list still answered") << QStringList{"--drop-request", "1:1"} << list << 2 << true;
        QTest::newRow("repeated: the second request too") << QStringList{"--drop-request", "8", "--drop-request", "12"}
                                                           << int(GetRequestType::ServiceCenters) << 0 << false;
        QTest::newRow("no fault: catalogue answered") << QStringList() << catalogue << 0 << true;
        // clang-format on
    }

    void droppedRequests()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, requestType);
        QFETCH(int, selector);
        QFETCH(bool, answered);
        const QString root = m_dir->path() + QStringLiteral("/server");
        QVERIFY(KelvaraTest::writeFile(root + QStringLiteral("/catalogue/kelvara_copy_instruments_231001_120000_V1.ini"), "[x]"));
        QVERIFY(KelvaraTest::writeFile(root + QStringLiteral("/servicecenters/centres_231001.xml"), "<x/>"));
        QVERIFY(SimulatorTest::applyCommandLine(*m_server, QStringLiteral("server"),
                                                QStringList{QStringLiteral("--data"), root} + arguments));
        startBoth();
        PeerLink link;
        QVERIFY(link.open(*m_server));
        GetRequest request(0, false, requestType, selector);
        link.send(request);
        GetRequest marker(0, false, GetRequestType::UpdateInformation);
        link.send(marker);
        QVERIFY(!link.waitFor(CommandType::UpdateInfoReply).isEmpty());
        QCOMPARE(link.ofCommand(CommandType::FileTransfer).size(), answered ? 1 : 0);
    }

    void badServerOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no-ack of a type without acknowledgement") << QStringList{"--no-ack", "9"};
        QTest::newRow("no-ack not a number") << QStringList{"--no-ack", "logs"};
        QTest::newRow("drop-request not a number") << QStringList{"--drop-request", "x"};
        QTest::newRow("drop-request with two selectors") << QStringList{"--drop-request", "1:2:3"};
        QTest::newRow("drop-request with a negative selector") << QStringList{"--drop-request", "1:-1"};
        QTest::newRow("drop-request with an empty selector") << QStringList{"--drop-request", "1:"};
        QTest::newRow("many-usersets negative") << QStringList{"--many-usersets", "-1"};
        QTest::newRow("update-info unknown") << QStringList{"--update-info", "sometimes"};
    }

    void badServerOptions()
    {
        QFETCH(QStringList, arguments);
        QCommandLineParser parser;
        SimulatorCommandLine::addServerOptions(parser);
        QVERIFY(parser.parse(QStringList{QStringLiteral("simulator")} + arguments));
        QString error;
        // Fault: a mistyped fault option was taken as "no fault" and the trial ran without it.
        QVERIFY(!SimulatorCommandLine::applyServerOptions(parser, *m_server, &error));
        QVERIFY(error.startsWith(QStringLiteral("--") + arguments.first().mid(2)));
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_SimulatorFaults)
#include "tst_simulatorfaults.moc"
