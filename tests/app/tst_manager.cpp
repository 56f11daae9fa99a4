#include "KelvaraTest.h"

#include "AuthorizationMatrix.h"
#include "DataPaths.h"
#include "GetRequest.h"
#include "HalvoServer.h"
#include "Logger.h"
#include "MainViewController.h"
#include "Manager.h"
#include "PasswordVerifier.h"
#include "ProtocolTypes.h"
#include "Qelo3DeviceInformation.h"
#include "Qelo3Server.h"
#include "Settings.h"
#include "TestPeer.h"
#include "UpdateInfoReply.h"
#include "UserSettings.h"
#include "WebSocketClient.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtTest/QSignalSpy>

#include <memory>

// Routing of the peers' messages through the Manager, against in-process peers.
class tst_Manager : public QObject
{
    Q_OBJECT

private:
    TestPeer m_generator;
    TestPeer m_server;

    std::unique_ptr<Manager> connectedManager()
    {
        auto manager = std::make_unique<Manager>();
        manager->initialize();
        manager->communication().setQelo3ServerAutoConnect(true);
        manager->communication().setHalvoServerAutoConnect(true);
        if (!QTest::qWaitFor([&] { return manager->communication().isQelo3Connected()
                                          && manager->communication().isHalvoServerConnected(); },
                             KelvaraTest::timeout(5000)))
            return nullptr;
        return manager;
    }

    static QByteArray withCommand(qint32 command)
    {
        // With the acknowledgement flag set, a heartbeat is not answered by the
        // transport but handed on like any other message.
        return MessageBase(command, 1, true).serialize();
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        PasswordVerifier::setDefaultIterations(1000);
        KelvaraTest::startSettings();
        QVERIFY(m_generator.listenAs(QStringLiteral("Qelo3Server")));
        QVERIFY(m_server.listenAs(QStringLiteral("HalvoServer")));
    }

    void init()
    {
        // Every warning is written here; holding them back is the logger's own test.
        Logger::setWarnLimitWindow(0);
        m_generator.clearReceived();
        m_server.clearReceived();
    }

    void connectingAsksForIdentityAndAnnounces()
    {
        auto manager = connectedManager();
        QVERIFY(manager);
        QTRY_VERIFY_WITH_TIMEOUT(!m_generator.receivedRequests().isEmpty() && !m_server.receivedRequests().isEmpty(), KelvaraTest::timeout(5000));
        QCOMPARE(m_generator.receivedRequests().first().getRequestType(), GetRequestType::DeviceInformation);
        QCOMPARE(m_server.receivedRequests().first().getRequestType(), GetRequestType::ServerConnected);

        QSignalSpy identity(&manager->communication(), &CommunicationController::qelo3DeviceDataChanged);
        const Qelo3DeviceInformation info(1, false, QStringLiteral("QELO 3"), QStringLiteral("23104711"), QStringLiteral("OP 4"),
                                          QStringLiteral("1.4.1"));
        m_generator.sendBinary(info.serialize());
        QVERIFY(identity.wait(KelvaraTest::timeout(5000)));
        QCOMPARE(manager->communication().qelo3Server()->serialNumber(), QStringLiteral("23104711"));
        QCOMPARE(manager->communication().qelo3Server()->name(), QStringLiteral("OP 4"));
        QVERIFY(manager->loggingService().entries().last().contains(QStringLiteral("SerialNumber=\"23104711\"")));
    }

    void unknownCommandsAreWarned_data()
    {
        QTest::addColumn<bool>("fromServer");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("warning");
        const QString serverWarning = QStringLiteral("Manager::onHalvoServerBinaryMessageReceived: Unknown command received!");
        QTest::newRow("heartbeat at the server handler") << true << 11 << serverWarning;
        QTest::newRow("command 3 from the server") << true << 3 << serverWarning;
        QTest::newRow("command 99 from the server") << true << 99 << serverWarning;
        QTest::newRow("login reply from the generator") << false << 6
            << "Manager::onQelo3ServerBinaryMessageReceived: Invalid CommandType received from QELO3! message.CommandType=6";
    }

    void unknownCommandsAreWarned()
    {
        QFETCH(bool, fromServer);
        QFETCH(int, command);
        QFETCH(QString, warning);
        auto manager = connectedManager();
        QVERIFY(manager);
        WebSocketClient *client = fromServer ? manager->communication().halvoServer()->client()
                                             : manager->communication().qelo3Server()->client();
        QSignalSpy received(client, &WebSocketClient::binaryMessageReceived);
        (fromServer ? m_server : m_generator).sendBinary(withCommand(command));
        QVERIFY(received.wait(KelvaraTest::timeout(5000)));
        QVERIFY(KelvaraTest::logContains(warning));
    }

    void fileTypesAreRoutedPerPeer_data()
    {
        QTest::addColumn<bool>("fromServer");
        QTest::addColumn<int>("fileType");
        QTest::addColumn<bool>("isAck");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<bool>("downloadRecorded");
        const QString invalidFromGenerator = QStringLiteral("Invalid file type being received from QELO3");
        QTest::newRow("generator user set goes to Copy") << false << int(FileType::UserSet) << false << QString() << true;
        QTest::newRow("generator acknowledgement of an upload") << false << int(FileType::UserSet) << true << QString() << false;
        QTest::newRow("generator event log has the Chrono controller") << false << int(FileType::ChronoFlex) << false << QString() << false;
        QTest::newRow("generator firmware echo is ignored") << false << int(FileType::FirmwareContainer) << false << QString() << false;
        QTest::newRow("generator service centres are invalid") << false << int(FileType::ServiceCenters) << false << invalidFromGenerator << false;
        QTest::newRow("generator type 9 is invalid") << false << 9 << false << invalidFromGenerator << false;
        QTest::newRow("server user set goes to Copy") << true << int(FileType::UserSet) << false << QString() << true;
        QTest::newRow("server acknowledgement is not a download") << true << int(FileType::UserSet) << true << QString() << false;
        QTest::newRow("server directory without consumer")
            << true << int(FileType::ServiceCenters) << false << "file ServiceCenters from HALVO_SERVER has no consumer" << false;
        QTest::newRow("server event log is ignored") << true << int(FileType::ChronoFixed) << false << QString() << false;
        QTest::newRow("server type 15 is invalid")
            << true << 15 << false << "Manager::processHalvoServerFileTransferMessage: Invalid FileType received! FileType=15" << false;
    }

    // Types nobody consumes yet are reported once by name, not once per frame.
    void fileTypesAreRoutedPerPeer()
    {
        QFETCH(bool, fromServer);
        QFETCH(int, fileType);
        QFETCH(bool, isAck);
        QFETCH(QString, logged);
        QFETCH(bool, downloadRecorded);
        Manager manager;
        manager.initialize();
        const QByteArray frame = FileTransfer(1, isAck, fileType, QString(), QStringLiteral("f.xml"), 0, QByteArray("x"), 0).serialize();
        const int before = KelvaraTest::logLines().size();
        for (int i = 0; i < 2; ++i) {
            if (fromServer)
                manager.onHalvoServerBinaryMessageReceived(frame);
            else
                manager.onQelo3ServerBinaryMessageReceived(frame);
        }
        const QStringList written = KelvaraTest::logLines().mid(before);
        const QStringList lines = logged.isEmpty() ? written.filter(QRegularExpression(QStringLiteral("no consumer|Invalid (file type|FileType|CommandType)")))
                                                   : written.filter(logged);
        const bool invalid = logged.contains(QLatin1String("Invalid"));
        QCOMPARE(lines.size(), logged.isEmpty() ? 0 : (invalid ? 2 : 1));
        const bool recorded = manager.loggingService().entries().filter(QStringLiteral("<Download")).size() == 2;
        QCOMPARE(recorded, downloadRecorded);
    }

    void registeredConsumersGetTheirMessages()
    {
        Manager manager;
        manager.initialize();
        Qelo3Server *generator = manager.communication().qelo3Server();
        QSignalSpy identity(generator, &Qelo3Server::deviceDataChanged);
        manager.onQelo3ServerBinaryMessageReceived(Qelo3DeviceInformation(1, false, QStringLiteral("QELO 3"), QStringLiteral("S7"),
                                                                          QStringLiteral("OP 2"), QStringLiteral("1.4.1"))
                                                       .serialize());
        QCOMPARE(identity.count(), 1);
        QCOMPARE(generator->serialNumber(), QStringLiteral("S7"));
        QVERIFY(manager.loggingService().entries().last().contains(QStringLiteral("SerialNumber=\"S7\"")));

        QFile::remove(DataPaths::authorizationMatrixPath());
        AuthorizationMatrix matrix(5, false);
        matrix.setMask(2, 0x3);
        manager.onHalvoServerBinaryMessageReceived(matrix.serialize());
        AuthorizationMatrix stored;
        QVERIFY(stored.load(DataPaths::authorizationMatrixPath()));
        QCOMPARE(stored.mask(2), qint64(0x3));
    }

    void peerListNamesStayInsideTheDataTree()
    {
        auto manager = connectedManager();
        QVERIFY(manager);
        m_generator.serveFile(QStringLiteral("x.xml"), FileType::UserSet, QByteArray("<AnwenderSet/>"));
        QSignalSpy files(manager->communication().qelo3Server(), &Qelo3Server::fileReceived);
        const QByteArray list("../../x.xml\r\n\r\n..\r\nx.xml\r\n");
        m_generator.sendBinary(FileTransfer(2, false, FileType::FileList, QString(), QStringLiteral("list"), 0, list, 0).serialize());
        QVERIFY(files.wait(KelvaraTest::timeout(10000)));
        const auto file = files.first().at(0).value<FileTransfer>();
        QCOMPARE(file.filename(), QStringLiteral("x.xml"));
        QCOMPARE(QDir(file.directory()).absolutePath(), QDir(DataPaths::tempDir()).absolutePath());
        QVERIFY(!QFile::exists(DataPaths::kelvaraRoot() + QStringLiteral("/../x.xml")));
        QVERIFY(!QFile::exists(DataPaths::documentsPath() + QStringLiteral("/x.xml")));
        const QList<GetRequest> sent = m_generator.receivedRequests();
        QCOMPARE(sent.last().additionalInfo(), QStringLiteral("x.xml"));
    }

    void matrixIsStoredAndUpdateInfoRequested()
    {
        auto manager = connectedManager();
        QVERIFY(manager);
        QFile::remove(DataPaths::authorizationMatrixPath());
        AuthorizationMatrix matrix(5, false);
        matrix.setMask(3, 0x10100);
        m_server.sendBinary(matrix.serialize());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(DataPaths::authorizationMatrixPath()), KelvaraTest::timeout(5000));
        AuthorizationMatrix stored;
        QVERIFY(stored.load(DataPaths::authorizationMatrixPath()));
        QCOMPARE(stored.mask(3), qint64(0x10100));
        QTRY_VERIFY_WITH_TIMEOUT(!m_server.receivedRequests().isEmpty() && m_server.receivedRequests().last().getRequestType() == GetRequestType::UpdateInformation,
                                 KelvaraTest::timeout(5000));
    }

    void updateInformationBlocksTheLogin_data()
    {
        QTest::addColumn<int>("updateTyp");
        QTest::addColumn<bool>("blocked");
        QTest::addColumn<int>("notifications");
        QTest::newRow("type 1 blocks") << 1 << true << 1;
        QTest::newRow("type 0 informs") << 0 << false << 1;
        QTest::newRow("type 2 is ignored") << 2 << false << 0;
    }

    void updateInformationBlocksTheLogin()
    {
        QFETCH(int, updateTyp);
        QFETCH(bool, blocked);
        QFETCH(int, notifications);
        auto manager = connectedManager();
        QVERIFY(manager);
        QSignalSpy received(&manager->loginViewController(), &LoginViewController::updateInfoReceived);
        UpdateInfoReply reply;
        QStringList texts;
        for (int i = 0; i < 13; ++i)
            texts << QStringLiteral("t%1").arg(i);
        reply.setFields(texts, updateTyp);
        QSignalSpy frames(manager->communication().halvoServer()->client(), &WebSocketClient::binaryMessageReceived);
        // Only an answer counts; the login page asks when it opens.
        manager->loginViewController().checkHalvoServer();
        m_server.sendBinary(reply.serialize());
        QVERIFY(frames.wait(KelvaraTest::timeout(5000)));
        QCOMPARE(received.count(), notifications);
        QCOMPARE(manager->loginViewController().isLoginBlocked(), blocked);
        if (notifications)
            QCOMPARE(manager->loginViewController().getUpdateInfo(0), QStringLiteral("t1"));
    }

    void loginPreparesTheUserTreeAndShowsTheStartModule()
    {
        QFile::remove(DataPaths::authorizationMatrixPath()); // every right
        auto manager = std::make_unique<Manager>();
        manager->initialize();
        Settings::setValue(QStringLiteral("Credentials/chrono.fan"),
                           QStringLiteral("chrono.fan|%1|ADMIN|C|F|X|2023-11-15 10:00:00").arg(PasswordVerifier::create(QStringLiteral("pw"))));
        DataPaths::prepareUserTree(QStringLiteral("chrono.fan"));
        UserSettings(QStringLiteral("chrono.fan")).setValue(QStringLiteral("UserSettings/StartModule"), QStringLiteral("ChronoPage"));
        QVERIFY(KelvaraTest::writeFile(DataPaths::tempDir() + QStringLiteral("/stale.tmp"), "x"));
        manager->loginViewController().loginUser(QStringLiteral("Chrono.Fan"), QStringLiteral("pw"));
        QTRY_VERIFY_WITH_TIMEOUT(manager->loginViewController().isLoggedIn(), KelvaraTest::timeout(5000));
        QCOMPARE(manager->userName(), QStringLiteral("chrono.fan"));
        QVERIFY(!QFile::exists(DataPaths::tempDir() + QStringLiteral("/stale.tmp")));
        QVERIFY(QFile::exists(DataPaths::userSettingsPath(QStringLiteral("chrono.fan"))));
        QVERIFY(QDir(DataPaths::userSetDirectory(QStringLiteral("chrono.fan"), 3)).exists());
        QCOMPARE(manager->mainViewController()->currentPage(), int(MainViewController::PAGE_CHRONO));
        manager->loginViewController().logoutUser();
        QCOMPARE(manager->mainViewController()->currentPage(), int(MainViewController::PAGE_LOGIN));
    }

    void startModuleNamesMapToPages_data()
    {
        QTest::addColumn<QString>("module");
        QTest::addColumn<int>("page");
        QTest::newRow("update") << "UpdatePage" << int(MainViewController::PAGE_UPDATE);
        QTest::newRow("chrono") << "ChronoPage" << int(MainViewController::PAGE_CHRONO);
        QTest::newRow("contact") << "ContactPage" << int(MainViewController::PAGE_CONTACT);
        QTest::newRow("copy") << "CopyPage" << int(MainViewController::PAGE_COPY);
        QTest::newRow("login page name shows copy") << "LogInPage" << int(MainViewController::PAGE_COPY);
    }

    void startModuleNamesMapToPages()
    {
        QFETCH(QString, module);
        QFETCH(int, page);
        QCOMPARE(Manager::pageForStartModule(module), page);
    }
};

KELVARA_TEST_MAIN(tst_Manager)
#include "tst_manager.moc"
