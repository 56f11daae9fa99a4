#include "KelvaraTest.h"

#include "AuthorizationMatrix.h"
#include "CommunicationController.h"
#include "DataPaths.h"
#include "LoggingService.h"
#include "LoginViewController.h"
#include "PasswordVerifier.h"
#include "Settings.h"
#include "SettingsService.h"
#include "TranslationService.h"
#include "UserCredentials.h"

#include <QtCore/QFile>
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

    static AuthorizationMatrix matrixWith(int role, std::initializer_list<int> functions)
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
        Settings::destroy();
        KelvaraTest::resetDataTree();
        DataPaths::ensureDirectory(DataPaths::appDir());
        Settings::create(DataPaths::kelvaraRoot());
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
    }

    void emptyFieldsNeverReachAnyPeer()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(int, cause);
        Fixture f;
        QSignalSpy reply(f.login.get(), &LoginViewController::userLoginReply);
        QSignalSpy loggedIn(f.login.get(), &LoginViewController::userHasLoggedInSignal);
        f.login->loginUser(user, password);
        QCOMPARE(reply.count(), 1);
        QCOMPARE(reply.first().at(0).toBool(), false);
        QCOMPARE(reply.first().at(1).toInt(), cause);
        QCOMPARE(loggedIn.count(), 0);
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
        f.login->loginUser(QStringLiteral("jdoe"), typed);
        QCOMPARE(reply.count(), 1);
        QCOMPARE(reply.first().at(1).toInt(), cause);
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
        QSignalSpy reply(f.login.get(), &LoginViewController::userLoginReply);
        f.login->loginUser(QStringLiteral("jdoe"), QStringLiteral("pw"));
        QCOMPARE(reply.first().at(1).toInt(), 3);
        QVERIFY(!f.login->isLoggedIn());
    }

    void unknownCachedRoleHasNoRights()
    {
        storeCacheEntry(QStringLiteral("old"), PasswordVerifier::create(QStringLiteral("pw")), QStringLiteral("RETIRED_ROLE"));
        Fixture f;
        f.login->onAuthorizationMatrix(matrixWith(3, {16}));
        f.login->loginUser(QStringLiteral("old"), QStringLiteral("pw"));
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
        AuthorizationMatrix matrix;
        qint64 mask = 0;
        for (int function : functions)
            mask |= qint64(1) << function;
        matrix.setMask(UserRoleEnum::SERVICE_DEALER, mask);
        f.login->onAuthorizationMatrix(matrix);
        f.login->loginUser(QStringLiteral("anna"), QStringLiteral("pw"));
        QCOMPARE(f.login->getStartModule(), expected);
    }

    void missingMatrixGrantsEverything()
    {
        QFile::remove(DataPaths::authorizationMatrixPath());
        storeCacheEntry(QStringLiteral("nurse"), PasswordVerifier::create(QStringLiteral("pw")), QStringLiteral("MEDIC_NURSE"));
        Fixture f;
        QVERIFY(KelvaraTest::logContains(QStringLiteral(
            "LoginViewController::LoginViewController: AuthorizationMatrix could not be loaded - enabling all functions")));
        f.login->loginUser(QStringLiteral("nurse"), QStringLiteral("pw"));
        QVERIFY(f.login->isAllowedModuleDoku());
        QVERIFY(f.login->isAllowedContactAllServiceCenters());
    }

    void matrixIsSavedAndReloaded()
    {
        {
            Fixture f;
            f.login->onAuthorizationMatrix(matrixWith(UserRoleEnum::EMERGENCY_CONTACT, {8, 32, 33}));
        }
        storeCacheEntry(QStringLiteral("sos"), PasswordVerifier::create(QStringLiteral("pw")), QStringLiteral("EMERGENCY_CONTACT"));
        Fixture f;
        f.login->loginUser(QStringLiteral("sos"), QStringLiteral("pw"));
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
        f.login->loginUser(QStringLiteral("JDoe"), QStringLiteral("pw"));
        QCOMPARE(f.login->getLastUserName(), QString());
        f.login->logoutUser();
        f.login->setRememberLastUserName(true);
        QVERIFY(f.login->rememberLastUserName());
        f.login->loginUser(QStringLiteral("JDoe"), QStringLiteral("pw"));
        QCOMPARE(f.login->getLastUserName(), QStringLiteral("JDoe"));
    }

    void logoutWritesTheActivityLog()
    {
        storeCacheEntry(QStringLiteral("jdoe"), PasswordVerifier::create(QStringLiteral("pw")), QStringLiteral("ADMIN"));
        Fixture f;
        QSignalSpy loggedOut(f.login.get(), &LoginViewController::userHasLoggedOutSignal);
        f.login->loginUser(QStringLiteral("jdoe"), QStringLiteral("pw"));
        f.login->logoutUser();
        QCOMPARE(loggedOut.count(), 1);
        QVERIFY(!f.login->isLoggedIn());
        QCOMPARE(f.login->loginLastName(), QString());
        QVERIFY(!DataPaths::latestFile(DataPaths::userPath(QStringLiteral("jdoe"), QStringLiteral("kelvara_logFiles")),
                                       {QStringLiteral("kelvara_jdoe_ADMIN_*.xml")}).isEmpty());
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
