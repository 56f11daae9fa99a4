#include "KelvaraTest.h"

#include "DataPaths.h"
#include "GetRequest.h"
#include "HalvoServer.h"
#include "LoginViewController.h"
#include "Manager.h"
#include "PasswordVerifier.h"
#include "ProtocolTypes.h"
#include "Qelo3Server.h"
#include "Qelo3Simulator.h"
#include "ServerSimulator.h"
#include "Settings.h"
#include "EncryptedSettingsFormat.h"
#include "TestPeer.h"
#include "UpdateInfoReply.h"
#include "UserLoginLogInfo.h"
#include "UserLoginReply.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFile>
#include <QtCore/QScopeGuard>
#include <QtCore/QSettings>
#include <QtCore/QTemporaryDir>
#include <QtNetwork/QHostInfo>
#include <QtTest/QSignalSpy>

#include <memory>

// Login, rights and the generator connection end to end: the Manager and its
// controllers against the simulated server and generator, through real sockets.
class tst_LoginIntegration : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_data;
    std::unique_ptr<ServerSimulator> m_server;
    std::unique_ptr<Qelo3Simulator> m_generator;

    struct Outcome
    {
        bool authenticated = false;
        int cause = -1;
    };

    static QString demoData(const QString &peer) { return QStringLiteral(KELVARA_DEMO_DATA_DIR) + QLatin1Char('/') + peer; }

    std::unique_ptr<Manager> startManager(bool withServer = true) { return startManager(withServer ? QString::number(m_server->port()) : QString()); }

    /// With an empty `serverPort` no server is reachable.
    std::unique_ptr<Manager> startManager(const QString &serverPort)
    {
        const bool withServer = !serverPort.isEmpty();
        Settings::setValue(QStringLiteral("Preferences/HalvoServerPort"), withServer ? serverPort : QStringLiteral("1"));
        auto manager = std::make_unique<Manager>();
        manager->initialize();
        manager->communication().setQelo3ServerAutoConnect(true);
        manager->communication().setHalvoServerAutoConnect(withServer);
        // A peer that does not come up shows in the caller's first check.
        const bool up = QTest::qWaitFor([&] {
            return manager->communication().isQelo3Connected()
                   && (!withServer || manager->communication().isHalvoServerConnected());
        }, KelvaraTest::timeout(5000));
        if (!up)
            qWarning("tst_LoginIntegration: the simulated peers did not connect in time");
        return manager;
    }

    static Outcome login(Manager &manager, const QString &user, const QString &password)
    {
        QSignalSpy reply(&manager.loginViewController(), &LoginViewController::userLoginReply);
        manager.loginViewController().loginUser(user, password);
        if (reply.isEmpty())
            reply.wait(KelvaraTest::timeout(20000));
        if (reply.isEmpty())
            return {};
        return {reply.first().at(0).toBool(), reply.first().at(1).toInt()};
    }

    static QString cacheEntry(const QString &user)
    {
        return Settings::getValue(QStringLiteral("Credentials/") + user.toLower(), QString());
    }

    /// Waits until the log holds one more line with `text` than `before`.
    static bool waitForLogLine(const QString &text, qsizetype before)
    {
        return QTest::qWaitFor([&] { return KelvaraTest::logLines().filter(text).size() > before; },
                               KelvaraTest::timeout(5000));
    }

    static qsizetype logCount(const QString &text) { return KelvaraTest::logLines().filter(text).size(); }

    static QByteArray loginReply(const QString &name)
    {
        return UserLoginReply(1, false, name, UserRoleEnum::ADMIN, QStringLiteral("Ada"), QStringLiteral("Min"),
                              QStringLiteral("Halvo"), true, QString(), QString())
            .serialize();
    }

    static const QString kIgnoredReply;

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        PasswordVerifier::setDefaultIterations(1000);
        KelvaraTest::startSettings();
        QVERIFY(QFileInfo(demoData(QStringLiteral("server")) + QStringLiteral("/users.ini")).isFile());

        m_server = std::make_unique<ServerSimulator>();
        m_server->setDataDirectory(demoData(QStringLiteral("server")));
        QVERIFY(m_server->start());
        m_generator = std::make_unique<Qelo3Simulator>();
        // The generator keeps what it receives in its data, so it works on a copy.
        const QString source = demoData(QStringLiteral("generator"));
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString target = m_data.filePath(QStringLiteral("generator/") + QDir(source).relativeFilePath(file));
            QVERIFY(QDir().mkpath(QFileInfo(target).absolutePath()));
            QVERIFY(QFile::copy(file, target));
        }
        m_generator->setDataDirectory(m_data.filePath(QStringLiteral("generator")));
        QVERIFY(m_generator->start());
        Settings::setValue(QStringLiteral("Preferences/Qelo3ServerHost"), QStringLiteral("127.0.0.1"));
        Settings::setValue(QStringLiteral("Preferences/HalvoServerHost"), QStringLiteral("127.0.0.1"));
        Settings::setValue(QStringLiteral("Preferences/Qelo3ServerPort"), QString::number(m_generator->port()));
        Settings::setValue(QStringLiteral("Preferences/HalvoServerConnectionUpdateRate"), QStringLiteral("100"));
        Settings::setValue(QStringLiteral("Preferences/Qelo3ServerConnectionUpdateRate"), QStringLiteral("100"));
    }

    void init()
    {
        m_server->setRefuseLogins(false);
        m_server->setIgnoreLogins(false);
        m_server->setResponseDelay(0);
        m_server->setUpdateInfo(ServerSimulator::UpdateInfo::None);
        QFile::remove(DataPaths::authorizationMatrixPath());
        Settings::setValue(QStringLiteral("Preferences/LocalCredentialsValidityPeriod"), QStringLiteral("0"));
    }

    void serverLoginGrantsTheRoleRights_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("role");
        QTest::addColumn<QList<int>>("granted");
        QTest::addColumn<QList<int>>("refused");
        const QList<int> all{8, 16, 17, 18, 19, 20, 24, 25, 26, 32, 33, 34, 40, 41, 42, 48, 56};
        QTest::newRow("admin has every right") << "admin" << "Admin#2023" << 3 << all << QList<int>{};
        QTest::newRow("service dealer") << "service" << "Service#2023" << 6
            << QList<int>{8, 16, 18, 19, 20, 24, 25, 26, 32, 33, 48} << QList<int>{17, 34, 40, 41, 42, 56};
        QTest::newRow("nurse") << "nurse" << "Nurse#2023" << 9
            << QList<int>{8, 16, 18, 19, 20, 32, 33, 48} << QList<int>{17, 24, 25, 26, 34, 40, 56};
        QTest::newRow("production") << "production" << "Production#2023" << 4
            << QList<int>{8, 16, 17, 24, 40, 41, 42, 56} << QList<int>{32, 33, 34, 48};
        QTest::newRow("emergency contact") << "emergency" << "Emergency#2023" << 11
            << QList<int>{8, 32, 33} << QList<int>{16, 17, 24, 34, 40, 48, 56};
    }

    void serverLoginGrantsTheRoleRights()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(int, role);
        QFETCH(QList<int>, granted);
        QFETCH(QList<int>, refused);
        auto manager = startManager();
        QVERIFY(manager->communication().isHalvoServerConnected());
        QSignalSpy loggedIn(&manager->loginViewController(), &LoginViewController::userHasLoggedInSignal);
        const Outcome outcome = login(*manager, user, password);
        QVERIFY(outcome.authenticated);
        QCOMPARE(outcome.cause, 0);
        QCOMPARE(loggedIn.count(), 1);
        QCOMPARE(manager->loginViewController().credentials().role, role);
        // The matrix follows the reply; once it is stored the rights are the shipped ones.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(DataPaths::authorizationMatrixPath()), KelvaraTest::timeout(5000));
        for (int function : granted)
            QVERIFY2(manager->loginViewController().isAllowed(function), qPrintable(QString::number(function)));
        for (int function : refused)
            QVERIFY2(!manager->loginViewController().isAllowed(function), qPrintable(QString::number(function)));

        const QStringList entry = cacheEntry(user).split(QLatin1Char('|'));
        QCOMPARE(entry.size(), 7);
        QCOMPARE(entry.at(0), user.toLower());
        QVERIFY(entry.at(1).startsWith(QStringLiteral("pbkdf2-sha256$")));
        QCOMPARE(entry.at(2), UserRoleEnum::name(role));
        // The generator hears who logged in.
        QTRY_VERIFY_WITH_TIMEOUT(!m_generator->receivedOfCommand(CommandType::UserLoginLogInfo).isEmpty()
                                     && UserLoginLogInfo(m_generator->receivedOfCommand(CommandType::UserLoginLogInfo).last())
                                                .userName()
                                            == user,
                                 KelvaraTest::timeout(5000));
        manager->loginViewController().logoutUser();
        QTRY_VERIFY_WITH_TIMEOUT(m_server->logoutCount() > 0, KelvaraTest::timeout(5000));
    }

    void serverFailures_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("cause");
        QTest::newRow("empty user name") << "" << "x" << 0 << 1;
        QTest::newRow("empty password") << "admin" << "" << 0 << 2;
        QTest::newRow("wrong password") << "admin" << "admin" << 0 << 5;
        QTest::newRow("locked account") << "locked" << "Locked#2023" << 0 << 5;
        QTest::newRow("server refuses every login") << "admin" << "Admin#2023" << 1 << 5;
        QTest::newRow("server never answers") << "admin" << "Admin#2023" << 2 << 6;
        QTest::newRow("account without a role") << "guest" << "Guest#2023" << 0 << 7;
    }

    void serverFailures()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(int, fault);
        QFETCH(int, cause);
        Settings::setValue(QStringLiteral("Credentials/") + user.toLower(), QString());
        m_server->setRefuseLogins(fault == 1);
        m_server->setIgnoreLogins(fault == 2);
        auto manager = startManager();
        manager->loginViewController().setLoginTimeout(KelvaraTest::timeout(500));
        QSignalSpy loggedIn(&manager->loginViewController(), &LoginViewController::userHasLoggedInSignal);
        const Outcome outcome = login(*manager, user, password);
        QVERIFY(!outcome.authenticated);
        QCOMPARE(outcome.cause, cause);
        QCOMPARE(loggedIn.count(), 0);
        QCOMPARE(cacheEntry(user), QString());
    }

    void lateReplyAfterTimeoutIsIgnored()
    {
        m_server->setResponseDelay(KelvaraTest::timeout(800));
        auto manager = startManager();
        manager->loginViewController().setLoginTimeout(KelvaraTest::timeout(200));
        QSignalSpy reply(&manager->loginViewController(), &LoginViewController::userLoginReply);
        const qsizetype ignored = logCount(kIgnoredReply);
        manager->loginViewController().loginUser(QStringLiteral("admin"), QStringLiteral("Admin#2023"));
        QVERIFY(reply.wait(KelvaraTest::timeout(5000)));
        QCOMPARE(reply.first().at(1).toInt(), 6);
        QVERIFY(waitForLogLine(kIgnoredReply, ignored));
        QCOMPARE(reply.count(), 1);
        QVERIFY(!manager->loginViewController().isLoggedIn());
    }

    void offlineLoginFromTheCache_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("validity");
        QTest::addColumn<int>("ageDays");
        QTest::addColumn<int>("cause");
        QTest::newRow("same password, typed in another case") << "Nurse#2023" << 0 << 0 << 0;
        QTest::newRow("wrong password") << "nurse#2023" << 0 << 0 << 3;
        QTest::newRow("entry older than the validity period") << "Nurse#2023" << 30 << 31 << 4;
    }

    void offlineLoginFromTheCache()
    {
        QFETCH(QString, typed);
        QFETCH(int, validity);
        QFETCH(int, ageDays);
        QFETCH(int, cause);
        {
            auto online = startManager();
            QVERIFY(login(*online, QStringLiteral("nurse"), QStringLiteral("Nurse#2023")).authenticated);
            online->loginViewController().logoutUser();
        }
        if (ageDays > 0) {
            QStringList entry = cacheEntry(QStringLiteral("nurse")).split(QLatin1Char('|'));
            entry[6] = QDateTime::currentDateTime().addDays(-ageDays).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            Settings::setValue(QStringLiteral("Credentials/nurse"), entry.join(QLatin1Char('|')));
        }
        Settings::setValue(QStringLiteral("Preferences/LocalCredentialsValidityPeriod"), QString::number(validity));
        auto offline = startManager(false);
        QVERIFY(!offline->communication().isHalvoServerConnected());
        const Outcome outcome = login(*offline, QStringLiteral("NURSE"), typed);
        QCOMPARE(outcome.cause, cause);
        if (cause == 0) {
            QCOMPARE(offline->loginViewController().credentials().userName, QStringLiteral("NURSE"));
            QCOMPARE(offline->userName(), QStringLiteral("nurse"));
        }
    }

    void oldCacheEntryIsReplacedAtTheNextServerLogin()
    {
        Settings::setValue(QStringLiteral("Credentials/technician"),
                           QStringLiteral("technician|%1|HOSPITAL_TECHNICIAN|Tim|Teck|Klinik|2021-01-01 08:00:00")
                               .arg(PasswordVerifier::legacySha1(QStringLiteral("Technik#2023"))));
        {
            auto offline = startManager(false);
            QCOMPARE(login(*offline, QStringLiteral("technician"), QStringLiteral("Technik#2023")).cause, 0);
            offline->loginViewController().logoutUser();
        }
        auto online = startManager();
        QCOMPARE(login(*online, QStringLiteral("technician"), QStringLiteral("Technik#2023")).cause, 0);
        const QString verifier = cacheEntry(QStringLiteral("technician")).section(QLatin1Char('|'), 1, 1);
        QVERIFY(verifier.startsWith(QStringLiteral("pbkdf2-sha256$")));
        QVERIFY(!PasswordVerifier::isLegacy(verifier));
    }

    void reconnectLogsInSilentlyAgain()
    {
        auto manager = startManager();
        QVERIFY(login(*manager, QStringLiteral("admin"), QStringLiteral("Admin#2023")).authenticated);
        const int accepted = int(m_server->acceptedLogins().size());
        QSignalSpy reply(&manager->loginViewController(), &LoginViewController::userLoginReply);
        QSignalSpy loggedIn(&manager->loginViewController(), &LoginViewController::userHasLoggedInSignal);
        QSignalSpy link(&manager->communication(), &CommunicationController::isHalvoServerConnectedChanged);
        m_server->disconnectClients();
        // Down, then up again through the re-connect timer.
        QTRY_VERIFY_WITH_TIMEOUT(link.count() >= 2 && manager->communication().isHalvoServerConnected(),
                                 KelvaraTest::timeout(5000));
        QTRY_COMPARE_WITH_TIMEOUT(int(m_server->acceptedLogins().size()), accepted + 1, KelvaraTest::timeout(5000));
        QTest::qWait(KelvaraTest::timeout(200));
        QCOMPARE(reply.count(), 0);
        QCOMPARE(loggedIn.count(), 0);
        QVERIFY(manager->loginViewController().isLoggedIn());
    }

    void updateInformationBlocksTheLogin()
    {
        m_server->setUpdateInfo(ServerSimulator::UpdateInfo::Blocking);
        auto manager = startManager();
        QSignalSpy info(&manager->loginViewController(), &LoginViewController::updateInfoReceived);
        manager->loginViewController().checkHalvoServer();
        QVERIFY(info.wait(KelvaraTest::timeout(5000)));
        QVERIFY(manager->loginViewController().isLoginBlocked());
        QVERIFY(!manager->loginViewController().getUpdateInfo(0).isEmpty());
        QVERIFY(manager->loginViewController().getUpdateInfo(5).startsWith(QStringLiteral("http")));
    }

    void generatorIdentityAndUserSetOfEachProtocol_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<qint32>("expectedRequest");
        QTest::newRow("version 6 lists then downloads") << 6 << qint32(GetRequestType::UserSetList);
        QTest::newRow("version 4 sends the file itself") << 4 << qint32(GetRequestType::UserSet);
    }

    void generatorIdentityAndUserSetOfEachProtocol()
    {
        QFETCH(int, version);
        QFETCH(qint32, expectedRequest);
        m_generator->setProtocolVersion(version);
        m_generator->clearReceived();
        auto manager = startManager(false);
        Qelo3Server *generator = manager->communication().qelo3Server();
        QTRY_COMPARE_WITH_TIMEOUT(generator->serialNumber(), m_generator->serialNumber(), KelvaraTest::timeout(5000));
        QCOMPARE(generator->peerProtocolVersion(), version);
        const QString downloadLine = QStringLiteral("LoggingService::download: fileType=USERSET, system=QELO3");
        const auto downloads = [&] { return KelvaraTest::logLines().filter(downloadLine).size(); };
        const qsizetype before = downloads();
        generator->requestUserSet();
        QTRY_VERIFY_WITH_TIMEOUT(downloads() > before, KelvaraTest::timeout(10000));
        QList<qint32> types;
        for (const QByteArray &frame : m_generator->receivedOfCommand(CommandType::GetRequest))
            types << GetRequest(frame).getRequestType();
        QVERIFY(types.contains(GetRequestType::DeviceInformation));
        QVERIFY(types.contains(expectedRequest));
        m_generator->setProtocolVersion(6);
    }

    // A late answer to the silent re-login logged the user in again after the logout.
    void lateReloginReplyAfterLogoutIsIgnored()
    {
        auto manager = startManager();
        QVERIFY(login(*manager, QStringLiteral("admin"), QStringLiteral("Admin#2023")).authenticated);
        const QString entry = cacheEntry(QStringLiteral("admin"));
        m_server->setResponseDelay(KelvaraTest::timeout(500));
        QSignalSpy link(&manager->communication(), &CommunicationController::isHalvoServerConnectedChanged);
        m_server->disconnectClients();
        QTRY_VERIFY_WITH_TIMEOUT(link.count() >= 2 && manager->communication().isHalvoServerConnected(),
                                 KelvaraTest::timeout(5000));
        const qsizetype ignored = logCount(kIgnoredReply);
        manager->loginViewController().logoutUser();
        QSignalSpy loggedIn(&manager->loginViewController(), &LoginViewController::userHasLoggedInSignal);
        QVERIFY(waitForLogLine(kIgnoredReply, ignored));
        QCOMPARE(loggedIn.count(), 0);
        QVERIFY(!manager->loginViewController().isLoggedIn());
        QCOMPARE(cacheEntry(QStringLiteral("admin")), entry);
    }

    void scriptedServerLogsNobodyIn_data()
    {
        QTest::addColumn<QString>("replyName");
        QTest::addColumn<bool>("asked");
        // A scripted server pushed an ADMIN reply right after connecting: logged in with nobody at the keyboard.
        QTest::newRow("ADMIN reply nobody asked for") << "intruder" << false;
        // The name of the reply became a folder name unchecked.
        QTest::newRow("reply names the parent folder") << ".." << true;
        QTest::newRow("reply name with a separator") << "a/b" << true;
        QTest::newRow("reply name with a control character") << "a\x01" "b" << true;
        QTest::newRow("reply name of 129 characters") << QString(129, QLatin1Char('x')) << true;
    }

    void scriptedServerLogsNobodyIn()
    {
        QFETCH(QString, replyName);
        QFETCH(bool, asked);
        QDir(DataPaths::kelvaraRoot() + QStringLiteral("/users")).removeRecursively();
        TestPeer peer;
        QVERIFY(peer.listen());
        connect(&peer, &TestPeer::messageReceived, &peer, [&](const QByteArray &frame) {
            if (MessageBase(frame).commandType() == CommandType::UserLoginRequest)
                peer.sendBinary(loginReply(replyName));
        });
        auto manager = startManager(peer.portText());
        QVERIFY(manager->communication().isHalvoServerConnected());
        LoginViewController &controller = manager->loginViewController();
        QSignalSpy reply(&controller, &LoginViewController::userLoginReply);
        QSignalSpy info(&controller, &LoginViewController::updateInfoReceived);
        if (asked) {
            QCOMPARE(login(*manager, QStringLiteral("jdoe"), QStringLiteral("pw")).cause, 1);
        } else {
            // Update information nobody asked for must not block the login either.
            UpdateInfoReply blocking;
            blocking.setFields(QStringList(13, QStringLiteral("x")), UpdateInfoReply::UpdateAvailable);
            const QString ignoredInfo = QStringLiteral("LoginViewController::onUpdateInfo: update information nobody asked for ignored");
            const qsizetype before = logCount(kIgnoredReply) + logCount(ignoredInfo);
            peer.sendBinary(loginReply(replyName));
            peer.sendBinary(blocking.serialize());
            QVERIFY(QTest::qWaitFor([&] { return logCount(kIgnoredReply) + logCount(ignoredInfo) >= before + 2; },
                                    KelvaraTest::timeout(5000)));
            QCOMPARE(reply.count() + info.count(), 0);
            QVERIFY(!controller.isLoginBlocked());
        }
        QVERIFY(!controller.isLoggedIn());
        QCOMPARE(cacheEntry(replyName), QString());
        QVERIFY(KelvaraTest::usersFolderIsEmpty());
    }

    // Over plain ws:// the password crossed the network in clear to any host.
    void unencryptedLoginToAnotherHost_data()
    {
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<int>("cause");
        QTest::newRow("refused by default") << false << 8;
        QTest::newRow("allowed by the setting") << true << 0;
    }

    void unencryptedLoginToAnotherHost()
    {
        QFETCH(bool, allowed);
        QFETCH(int, cause);
        // A name that reaches the simulator on loopback but is no name of this machine's loopback.
        const QString host = QHostInfo::localHostName();
        const QHostInfo info = QHostInfo::fromName(host);
        if (HalvoServer::isLocalHost(host) || !info.addresses().contains(QHostAddress(QHostAddress::LocalHost)))
            QSKIP("the host name of this machine does not lead to 127.0.0.1");
        Settings::setValue(QStringLiteral("Preferences/HalvoServerHost"), host);
        Settings::setValue(QStringLiteral("Preferences/HalvoServerAllowUnencryptedLogin"), allowed ? QStringLiteral("true") : QStringLiteral("false"));
        m_server->clearReceived();
        const auto restore = qScopeGuard([] {
            Settings::setValue(QStringLiteral("Preferences/HalvoServerHost"), QStringLiteral("127.0.0.1"));
            Settings::setValue(QStringLiteral("Preferences/HalvoServerAllowUnencryptedLogin"), QStringLiteral("false"));
        });
        auto manager = startManager();
        QVERIFY(manager->communication().isHalvoServerConnected());
        QCOMPARE(login(*manager, QStringLiteral("admin"), QStringLiteral("Admin#2023")).cause, cause);
        QCOMPARE(m_server->receivedOfCommand(CommandType::UserLoginRequest).isEmpty(), !allowed);
    }

    // The cache grew with every user until its 16-bit length field overflowed.
    void fullCredentialsCacheDropsTheOldestEntries()
    {
        const QString file = DataPaths::appDir() + QStringLiteral("/Credentials.ini");
        int count = 0;
        {
            QSettings cache(file, EncryptedSettingsFormat::format());
            QMap<QString, QVariant> map;
            for (const QString &key : cache.allKeys())
                map.insert(key, cache.value(key));
            const auto size = [&map] {
                QByteArray data;
                QDataStream stream(&data, QIODevice::WriteOnly);
                stream << map;
                return data.size();
            };
            const QDateTime oldest = QDateTime::currentDateTime().addYears(-3);
            for (; size() < 65535 - 400; ++count) {
                const QString entry = QStringLiteral("old%1|%2|ADMIN|A|B|C|%3")
                                          .arg(count)
                                          .arg(QString(100, QLatin1Char('h')), oldest.addDays(count).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
                map.insert(QStringLiteral("Credentials/old%1").arg(count), entry);
                cache.setValue(QStringLiteral("Credentials/old%1").arg(count), entry);
            }
        }
        const qsizetype dropped = logCount(QStringLiteral("LoginViewController::storeCacheEntry: credentials cache full"));
        auto manager = startManager();
        QVERIFY(login(*manager, QStringLiteral("service"), QStringLiteral("Service#2023")).authenticated);
        QVERIFY(logCount(QStringLiteral("LoginViewController::storeCacheEntry: credentials cache full")) > dropped);
        manager.reset();
        // Read back from the file itself: it still decodes, and the newest entries are in it.
        QSettings cache(file, EncryptedSettingsFormat::format());
        QVERIFY(cache.value(QStringLiteral("Credentials/service")).toString().startsWith(QStringLiteral("service|")));
        QVERIFY(!cache.contains(QStringLiteral("Credentials/old0")));
        QVERIFY(cache.contains(QStringLiteral("Credentials/old%1").arg(count - 1)));
        for (int i = 0; i < count; ++i)
            cache.remove(QStringLiteral("Credentials/old%1").arg(i));
    }
};

const QString tst_LoginIntegration::kIgnoredReply =
    QStringLiteral("LoginViewController::onUserLoginReply: reply without a pending login ignored");

KELVARA_TEST_MAIN(tst_LoginIntegration)
#include "tst_login_integration.moc"
