#include "KelvaraTest.h"

#include "AuthorizationMatrix.h"
#include "CommunicationController.h"
#include "DataPaths.h"
#include "HalvoServer.h"
#include "LoggingService.h"
#include "LoginViewController.h"
#include "PasswordVerifier.h"
#include "Settings.h"
#include "SettingsService.h"
#include "TranslationService.h"
#include "UpdateInfoReply.h"
#include "UserCredentials.h"
#include "UserLoginReply.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTimer>
#include <QtTest/QSignalSpy>

#include <memory>

// Offline behaviour of the login: the cache, its verifiers, rights and the
// start module. The server side is covered by the integration tests.
class tst_LoginController : public QObject
{
    Q_OBJECT

private:
    struct Fixture
    {
        TranslationService translation;
        SettingsService settings{&translation};
        LoggingService activity;
        CommunicationController communication;
        std::unique_ptr<LoginViewController> login;

        Fixture()
        {
            // No peer listens there, so every login in this test is local.
            Settings::setValue(QStringLiteral("Preferences/Qelo3ServerPort"), QStringLiteral("1"));
            Settings::setValue(QStringLiteral("Preferences/HalvoServerPort"), QStringLiteral("1"));
            login = std::make_unique<LoginViewController>(&communication, &settings, &activity, &translation);
        }

        /// The password check runs on the thread pool, so the reply comes later.
        int logIn(const QString &user, const QString &password)
        {
            QSignalSpy reply(login.get(), &LoginViewController::userLoginReply);
            login->loginUser(user, password);
            if (reply.isEmpty() && !reply.wait(KelvaraTest::timeout(10000)))
                return -1;
            return reply.first().at(1).toInt();
        }
    };

    static void storeCacheEntry(const QString &user, const QString &verifier, const QString &role,
                                const QDateTime &stamp = QDateTime::currentDateTime())
    {
        UserCredentials credentials;
        credentials.directoryName = UserCredentials::directoryNameOf(user);
        credentials.passwordHash = verifier;
        credentials.role = UserRoleEnum::fromName(role);
        credentials.firstName = QStringLiteral("Jana");
        credentials.lastName = QStringLiteral("Doe");
        credentials.company = QStringLiteral("Klinikum");
        credentials.timeStamp = stamp;
        QString entry = LoginViewController::cacheEntry(credentials);
        if (credentials.role < 0) // an unknown role name is kept as written
            entry.replace(QStringLiteral("||Jana"), QStringLiteral("|") + role + QStringLiteral("|Jana"));
        Settings::setValue(QStringLiteral("Credentials/") + user.toLower(), entry);
    }

    static AuthorizationMatrix matrixWith(int role, const QList<int> &functions)
    {
        AuthorizationMatrix matrix;
        qint64 mask = 0;
        for (int function : functions)
            mask |= qint64(1) << function;
        matrix.setMask(role, mask);
        return matrix;
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        // A cheap work factor keeps the suite fast; the format records it.
        PasswordVerifier::setDefaultIterations(1000);
    }

    void init()
    {
        KelvaraTest::startSettings(true);
    }

    void directoryNames_data()
    {
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("slash and hash escaped, lower case") << "A/B#c" << "a#2fb#23c";
        QTest::newRow("plain name only lowered") << "JDoe" << "jdoe";
        QTest::newRow("all unsafe characters") << "\\:*?\"<>%" << "#5c#3a#2a#3f#22#3c#3e#25";
        QTest::newRow("umlauts stay") << "Jürgen" << "jürgen";
        QTest::newRow("dots stay, traversal impossible without slashes") << "../x" << "..#2fx";
    }

    void directoryNames()
    {
        QFETCH(QString, userName);
        QFETCH(QString, expected);
        QCOMPARE(UserCredentials::directoryNameOf(userName), expected);
    }

    void verifiers_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        const QString fresh = PasswordVerifier::create(QStringLiteral("Geheim#1"));
        QTest::newRow("salted verifier, right password") << fresh << "Geheim#1" << true;
        QTest::newRow("salted verifier, wrong password") << fresh << "geheim#1" << false;
        QTest::newRow("old SHA-1 entry, right password") << PasswordVerifier::legacySha1(QStringLiteral("pw")) << "pw" << true;
        QTest::newRow("old SHA-1 entry, wrong password") << PasswordVerifier::legacySha1(QStringLiteral("pw")) << "px" << false;
        QTest::newRow("upper-case hex is no old entry") << PasswordVerifier::legacySha1(QStringLiteral("pw")).toUpper() << "pw" << false;
        QTest::newRow("unknown scheme") << "md5$1$AAAA$BBBB" << "pw" << false;
        QTest::newRow("absurd work factor refused") << "pbkdf2-sha256$2000000000$AAAA$BBBB" << "pw" << false;
        QTest::newRow("empty entry") << "" << "pw" << false;
    }

    void verifiers()
    {
        QFETCH(QString, stored);
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        QCOMPARE(PasswordVerifier::verify(password, stored), accepted);
    }

    void verifierIsSaltedAndSelfDescribing()
    {
        const QString first = PasswordVerifier::create(QStringLiteral("pw"), 600000);
        const QString second = PasswordVerifier::create(QStringLiteral("pw"), 1000);
        QVERIFY(first.startsWith(QStringLiteral("pbkdf2-sha256$600000$")));
        QVERIFY(first.section(QLatin1Char('$'), 2, 2) != second.section(QLatin1Char('$'), 2, 2));
        QVERIFY(PasswordVerifier::verify(QStringLiteral("pw"), second));
        QVERIFY(!first.contains(QLatin1Char('|')));
    }

    void emptyFieldsNeverReachAnyPeer_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("cause");
        QTest::newRow("empty user name") << "" << "pw" << 1;
        QTest::newRow("empty password") << "jdoe" << "" << 2;
        // Bad names reached the user tree: "." and ".." as folders, separators, control characters.
        QTest::newRow("dot") << "." << "pw" << 1;
        QTest::newRow("dot dot") << ".." << "pw" << 1;
        QTest::newRow("slash") << "a/b" << "pw" << 1;
        QTest::newRow("backslash") << "a\\b" << "pw" << 1;
        QTest::newRow("control character") << "a\x07" "b" << "pw" << 1;
        QTest::newRow("blank") << "   " << "pw" << 1;
        QTest::newRow("129 characters") << QString(129, QLatin1Char('a')) << "pw" << 1;
    }

    void emptyFieldsNeverReachAnyPeer()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(int, cause);
        // The offline path would find this entry for every name.
        if (!user.isEmpty())
            storeCacheEntry(user, PasswordVerifier::create(password), QStringLiteral("ADMIN"));
        Fixture f;
        QSignalSpy loggedIn(f.login.get(), &LoginViewController::userHasLoggedInSignal);
        QCOMPARE(f.logIn(user, password), cause);
        QCOMPARE(loggedIn.count(), 0);
        f.login->logoutUser();
        QVERIFY(KelvaraTest::usersFolderIsEmpty());
    }

    void nameChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("128 characters") << QString(128, QLatin1Char('a')) << true;
        QTest::newRow("unsafe but escaped characters") << "Dr. Müller: #1?" << true;
        QTest::newRow("dot inside") << "j.doe" << true;
        QTest::newRow("C1 control character") << QStringLiteral("a\u0085b") << false;
        QTest::newRow("line break") << "a\nb" << false;
    }

    void nameChecks()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QCOMPARE(UserCredentials::isAcceptableUserName(name), accepted);
    }

    void localLogin_data()
    {
        QTest::addColumn<QString>("verifierPassword");
        QTest::addColumn<bool>("legacy");
        QTest::addColumn<int>("ageDays");
        QTest::addColumn<int>("validityDays");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("cause");
        QTest::newRow("fresh entry") << "pw" << false << 0 << 0 << "pw" << 0;
        QTest::newRow("old SHA-1 entry still logs in") << "pw" << true << 0 << 0 << "pw" << 0;
        QTest::newRow("wrong password") << "pw" << false << 0 << 0 << "nope" << 3;
        QTest::newRow("31 days old with 30 days validity") << "pw" << false << 31 << 30 << "pw" << 4;
        QTest::newRow("29 days old with 30 days validity") << "pw" << false << 29 << 30 << "pw" << 0;
        QTest::newRow("any age with validity 0") << "pw" << false << 4000 << 0 << "pw" << 0;
    }

    void localLogin()
    {
        QFETCH(QString, verifierPassword);
        QFETCH(bool, legacy);
        QFETCH(int, ageDays);
        QFETCH(int, validityDays);
        QFETCH(QString, typed);
        QFETCH(int, cause);
        const QString verifier = legacy ? PasswordVerifier::legacySha1(verifierPassword) : PasswordVerifier::create(verifierPassword);
        storeCacheEntry(QStringLiteral("JDoe"), verifier, QStringLiteral("ADMIN"), QDateTime::currentDateTime().addDays(-ageDays));
        Settings::setValue(QStringLiteral("Preferences/LocalCredentialsValidityPeriod"), QString::number(validityDays));

        Fixture f;
        QSignalSpy reply(f.login.get(), &LoginViewController::userLoginReply);
        QSignalSpy loggedIn(f.login.get(), &LoginViewController::userHasLoggedInSignal);
        QSignalSpy rightsChanged(f.login.get(), &LoginViewController::isContactMailPageAllowedChanged);
        QCOMPARE(f.logIn(QStringLiteral("jdoe"), typed), cause);
        QCOMPARE(reply.count(), 1);
        QCOMPARE(rightsChanged.count(), 1);
        QCOMPARE(loggedIn.count(), cause == 0 ? 1 : 0);
        QCOMPARE(f.login->isLoggedIn(), cause == 0);
        if (cause == 0) {
            const auto credentials = loggedIn.first().at(0).value<UserCredentials>();
            QCOMPARE(credentials.userName, QStringLiteral("jdoe"));
            QCOMPARE(credentials.directoryName, QStringLiteral("jdoe"));
            QCOMPARE(credentials.role, int(UserRoleEnum::ADMIN));
            QCOMPARE(f.login->loginLastName(), QStringLiteral("Doe"));
        }
    }

    void damagedCacheEntriesAreRefused_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("six fields") << "jdoe|hash|ADMIN|J|D|C";
        QTest::newRow("eight fields") << "jdoe|hash|ADMIN|J|D|C|2023-01-01 00:00:00|x";
        QTest::newRow("directory name leaves the users folder")
            << QStringLiteral("../other|%1|ADMIN|J|D|C|2023-01-01 00:00:00").arg(PasswordVerifier::legacySha1(QStringLiteral("pw")));
    }

    void damagedCacheEntriesAreRefused()
    {
        QFETCH(QString, entry);
        Settings::setValue(QStringLiteral("Credentials/jdoe"), entry);
        Fixture f;
        QCOMPARE(f.logIn(QStringLiteral("jdoe"), QStringLiteral("pw")), 3);
        QVERIFY(!f.login->isLoggedIn());
    }

    void unknownCachedRoleHasNoRights()
    {
        storeCacheEntry(QStringLiteral("old"), PasswordVerifier::create(QStringLiteral("pw")), QStringLiteral("RETIRED_ROLE"));
        Fixture f;
        f.login->onAuthorizationMatrix(matrixWith(3, {16}));
        f.logIn(QStringLiteral("old"), QStringLiteral("pw"));
        QVERIFY(f.login->isLoggedIn());
        QCOMPARE(f.login->credentials().role, -1);
        QVERIFY(!f.login->isAllowedModuleCopy());
        QCOMPARE(f.login->getStartModule(), QStringLiteral("LogInPage"));
    }

    void startModule_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QList<int>>("functions");
        QTest::addColumn<QString>("expected");
        const int copy = UserFunctionEnum::MODULE_AVAILABILITY_COPY;
        const int update = UserFunctionEnum::MODULE_AVAILABILITY_UPDATE;
        const int contact = UserFunctionEnum::MODULE_AVAILABILITY_CONTACT;
        const int chrono = UserFunctionEnum::MODULE_AVAILABILITY_CHRONO;
        QTest::newRow("stored module allowed") << "ChronoPage" << QList<int>{copy, chrono} << "ChronoPage";
        QTest::newRow("stored module not allowed falls to copy") << "ChronoPage" << QList<int>{copy} << "CopyPage";
        QTest::newRow("first granted in order") << "CopyPage" << QList<int>{chrono, contact} << "ContactPage";
        QTest::newRow("update before contact") << "Nonsense" << QList<int>{contact, update} << "UpdatePage";
        QTest::newRow("no module at all") << "CopyPage" << QList<int>{} << "LogInPage";
    }

    void startModule()
    {
        QFETCH(QString, stored);
        QFETCH(QList<int>, functions);
        QFETCH(QString, expected);
        Settings::setValue(QStringLiteral("Preferences/StartModule"), stored);
        storeCacheEntry(QStringLiteral("anna"), PasswordVerifier::create(QStringLiteral("pw")), QStringLiteral("SERVICE_DEALER"));
        Fixture f;
        f.login->onAuthorizationMatrix(matrixWith(UserRoleEnum::SERVICE_DEALER, functions));
        f.logIn(QStringLiteral("anna"), QStringLiteral("pw"));
        QCOMPARE(f.login->getStartModule(), expected);
    }

    // A missing or empty matrix file granted every role every right.
    void missingMatrixFallsBackToTheBuiltInOne_data()
    {
        QTest::addColumn<bool>("emptyFile");
        QTest::newRow("missing file") << false;
        QTest::newRow("empty file") << true;
    }

    void missingMatrixFallsBackToTheBuiltInOne()
    {
        QFETCH(bool, emptyFile);
        QFile::remove(DataPaths::authorizationMatrixPath());
        if (emptyFile)
            QVERIFY(KelvaraTest::writeFile(DataPaths::authorizationMatrixPath(), QByteArray()));
        storeCacheEntry(QStringLiteral("nurse"), PasswordVerifier::create(QStringLiteral("pw")), QStringLiteral("MEDIC_NURSE"));
        Fixture f;
        QVERIFY(KelvaraTest::logContains(QStringLiteral(
            "LoginViewController::LoginViewController: AuthorizationMatrix could not be loaded - using the built-in matrix")));
        QCOMPARE(f.logIn(QStringLiteral("nurse"), QStringLiteral("pw")), 0);
        QVERIFY(f.login->isAllowedModuleCopy());
        QVERIFY(f.login->isAllowedContactMessage());
        QVERIFY(!f.login->isAllowedModuleDoku());
        QVERIFY(!f.login->isAllowedContactAllServiceCenters());
    }

    void matrixIsSavedAndReloaded()
    {
        {
            Fixture f;
            f.login->onAuthorizationMatrix(matrixWith(UserRoleEnum::EMERGENCY_CONTACT, {8, 32, 33}));
        }
        storeCacheEntry(QStringLiteral("sos"), PasswordVerifier::create(QStringLiteral("pw")), QStringLiteral("EMERGENCY_CONTACT"));
        Fixture f;
        f.logIn(QStringLiteral("sos"), QStringLiteral("pw"));
        QVERIFY(f.login->isAllowedModuleInformation());
        QVERIFY(f.login->isAllowedContactMessage());
        QVERIFY(!f.login->isAllowedModuleCopy());
        QCOMPARE(f.login->getStartModule(), QStringLiteral("ContactPage"));
    }

    void inactiveLogoutTime_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("configured") << "60000" << 60000;
        QTest::newRow("zero means the default") << "0" << 3600000;
        QTest::newRow("negative means the default") << "-5" << 3600000;
        QTest::newRow("garbage means the default") << "soon" << 3600000;
    }

    void inactiveLogoutTime()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        Settings::setValue(QStringLiteral("Preferences/InactiveLogoutTime"), stored);
        Fixture f;
        QCOMPARE(f.login->getInactiveLogoutTime(), expected);
    }

    void rememberedUserName()
    {
        storeCacheEntry(QStringLiteral("JDoe"), PasswordVerifier::create(QStringLiteral("pw")), QStringLiteral("ADMIN"));
        Fixture f;
        f.login->setRememberLastUserName(false);
        f.logIn(QStringLiteral("JDoe"), QStringLiteral("pw"));
        QCOMPARE(f.login->getLastUserName(), QString());
        f.login->logoutUser();
        f.login->setRememberLastUserName(true);
        QVERIFY(f.login->rememberLastUserName());
        f.logIn(QStringLiteral("JDoe"), QStringLiteral("pw"));
        QCOMPARE(f.login->getLastUserName(), QStringLiteral("JDoe"));
    }

    void logoutWritesTheActivityLog_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("directory");
        QTest::newRow("plain name") << "jdoe" << "jdoe";
        // The raw name was used: "%" lost the entries, "#" and the like wrote beside the user tree.
        QTest::newRow("escaped name") << "Ab%C#1" << "ab#25c#231";
    }

    void logoutWritesTheActivityLog()
    {
        QFETCH(QString, user);
        QFETCH(QString, directory);
        storeCacheEntry(user, PasswordVerifier::create(QStringLiteral("pw")), QStringLiteral("ADMIN"));
        Fixture f;
        QSignalSpy loggedOut(f.login.get(), &LoginViewController::userHasLoggedOutSignal);
        QCOMPARE(f.logIn(user, QStringLiteral("pw")), 0);
        f.login->logoutUser();
        QCOMPARE(loggedOut.count(), 1);
        QVERIFY(!f.login->isLoggedIn());
        QCOMPARE(f.login->loginLastName(), QString());
        const QDir users(DataPaths::kelvaraRoot() + QStringLiteral("/users"));
        QCOMPARE(users.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{directory});
        const QString logs = users.filePath(directory + QStringLiteral("/kelvara_logFiles"));
        QCOMPARE(QDir(logs).entryList({QStringLiteral("kelvara_%1_ADMIN_*.xml").arg(directory)}, QDir::Files).size(), 1);
    }

    // The verifier's 600,000 rounds ran on the GUI thread and froze the window.
    void passwordCheckLeavesTheEventLoopRunning()
    {
        storeCacheEntry(QStringLiteral("jdoe"), PasswordVerifier::create(QStringLiteral("pw"), 600000), QStringLiteral("ADMIN"));
        Fixture f;
        QSignalSpy reply(f.login.get(), &LoginViewController::userLoginReply);
        QTimer tick;
        int ticks = 0;
        connect(&tick, &QTimer::timeout, this, [&] { ticks += reply.isEmpty() ? 1 : 0; });
        tick.start(1);
        f.login->loginUser(QStringLiteral("jdoe"), QStringLiteral("pw"));
        QVERIFY(f.login->isBusy());
        QCOMPARE(reply.count(), 0);
        QVERIFY(reply.wait(KelvaraTest::timeout(20000)));
        QCOMPARE(reply.first().at(1).toInt(), 0);
        QVERIFY(ticks > 0);
        QVERIFY(!f.login->isBusy());
    }

    // Replies nobody asked for logged a user in or blocked the login.
    void unsolicitedServerMessagesAreIgnored()
    {
        Fixture f;
        QSignalSpy reply(f.login.get(), &LoginViewController::userLoginReply);
        QSignalSpy info(f.login.get(), &LoginViewController::updateInfoReceived);
        f.login->onUserLoginReply(UserLoginReply(1, false, QStringLiteral("intruder"), UserRoleEnum::ADMIN, QString(),
                                                 QString(), QString(), true, QString(), QString()));
        UpdateInfoReply blocking;
        blocking.setFields(QStringList(13, QStringLiteral("x")), UpdateInfoReply::UpdateAvailable);
        f.login->onUpdateInfo(blocking);
        QVERIFY(!f.login->isLoggedIn());
        QVERIFY(!f.login->isLoginBlocked());
        QCOMPARE(reply.count() + info.count(), 0);
        QCOMPARE(Settings::getValue(QStringLiteral("Credentials/intruder"), QString()), QString());
        QVERIFY(KelvaraTest::usersFolderIsEmpty());
        // Asked for, the same information counts once.
        f.communication.halvoServer()->requestUpdateInfo();
        f.login->onUpdateInfo(blocking);
        f.login->onUpdateInfo(blocking);
        QVERIFY(f.login->isLoginBlocked());
        QCOMPARE(info.count(), 1);
    }

    void passwordTransport_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("encrypted");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<bool>("expected");
        QTest::newRow("localhost plain") << "localhost" << false << false << true;
        QTest::newRow("LOCALHOST plain") << "LOCALHOST" << false << false << true;
        QTest::newRow("127.0.0.1 plain") << "127.0.0.1" << false << false << true;
        QTest::newRow("other loopback address plain") << "127.0.0.2" << false << false << true;
        QTest::newRow("IPv6 loopback plain") << "::1" << false << false << true;
        QTest::newRow("bracketed IPv6 loopback plain") << "[::1]" << false << false << true;
        // The password crossed the network in clear.
        QTest::newRow("remote name plain") << "server.example" << false << false << false;
        QTest::newRow("name that merely resolves to loopback plain") << "vm" << false << false << false;
        QTest::newRow("private address plain") << "192.168.1.5" << false << false << false;
        QTest::newRow("localhost look-alike plain") << "localhost.example" << false << false << false;
        QTest::newRow("remote name plain, explicitly allowed") << "server.example" << false << true << true;
        QTest::newRow("remote name over TLS") << "server.example" << true << false << true;
    }

    void passwordTransport()
    {
        QFETCH(QString, host);
        QFETCH(bool, encrypted);
        QFETCH(bool, allowed);
        QFETCH(bool, expected);
        QCOMPARE(HalvoServer::passwordMayTravel(host, encrypted, allowed), expected);
    }

    void cacheEviction_data()
    {
        QTest::addColumn<int>("users");
        QTest::addColumn<int>("evicted");
        QTest::newRow("small cache stays whole") << 10 << 0;
        // The cache grew with every user until its file could no longer be written.
        QTest::newRow("full cache drops the oldest") << 400 << -1;
    }

    void cacheEviction()
    {
        QFETCH(int, users);
        QFETCH(int, evicted);
        QMap<QString, QVariant> map;
        const QDateTime start = QDateTime::currentDateTime().addDays(-1000);
        for (int i = 0; i < users; ++i) {
            UserCredentials credentials;
            credentials.directoryName = QStringLiteral("user%1").arg(i);
            credentials.passwordHash = PasswordVerifier::create(QStringLiteral("pw"), 1);
            credentials.role = UserRoleEnum::ADMIN;
            credentials.timeStamp = start.addDays(users - i); // the first users logged in last
            map.insert(QStringLiteral("Credentials/user%1").arg(i), LoginViewController::cacheEntry(credentials));
        }
        map.insert(QStringLiteral("Credentials/new"), QStringLiteral("old stamp|x|ADMIN||||1990-01-01 00:00:00"));
        const QStringList dropped = UserCredentials::keysToEvict(map, 65535, QStringLiteral("Credentials/new"));
        if (evicted == 0) {
            QVERIFY(dropped.isEmpty());
            return;
        }
        QVERIFY(!dropped.isEmpty());
        QVERIFY(!dropped.contains(QStringLiteral("Credentials/new")));
        // The last users in the map have the oldest logins and go first, in that order.
        for (int i = 0; i < dropped.size(); ++i)
            QCOMPARE(dropped.at(i), QStringLiteral("Credentials/user%1").arg(users - 1 - i));
        for (const QString &key : dropped)
            map.remove(key);
        QByteArray data;
        QDataStream stream(&data, QIODevice::WriteOnly);
        stream << map;
        QVERIFY(data.size() <= 65535);
        QVERIFY(data.size() > 65535 - 1024);
    }

    void logViewerReadsAndClearsTheLog()
    {
        Fixture f;
        QVERIFY(!f.login->getLogfile().isEmpty());
        f.login->clearLogfile();
        QVERIFY(f.login->getLogfile().isEmpty());
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_LoginController)
#include "tst_logincontroller.moc"
