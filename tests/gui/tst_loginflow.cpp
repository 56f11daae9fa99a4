#include "DataPaths.h"
#include "GuiFixture.h"
#include "KelvaraApplication.h"
#include "KelvaraTest.h"
#include "LoginViewController.h"
#include "MainViewController.h"
#include "Manager.h"
#include "PasswordVerifier.h"
#include "Qelo3Simulator.h"
#include "ServerSimulator.h"
#include "Settings.h"
#include "SettingsService.h"
#include "UserCredentials.h"
#include "UserRoles.h"

#include <QtCore/QRegularExpression>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>

// The scenes on the real controllers: the Manager publishes them and loads the
// root scene as the application does. The offline cases point both
// connections at a port where nothing listens; the journey of a new user runs
// against the simulated server and generator.
class tst_LoginFlow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Manager> m_manager;

    QQuickWindow *window() const
    {
        const QList<QObject *> roots = m_manager->engine().rootObjects();
        return roots.isEmpty() ? nullptr : qobject_cast<QQuickWindow *>(roots.first());
    }

    QQuickItem *item(const QString &name) const
    {
        QList<QQuickItem *> pending{window()->contentItem()};
        while (!pending.isEmpty()) {
            QQuickItem *candidate = pending.takeFirst();
            if (candidate->objectName() == name && candidate->isVisible())
                return candidate;
            pending << candidate->childItems();
        }
        return nullptr;
    }

    QObject *loaded(const char *loader) const
    {
        QObject *object = window()->property(loader).value<QObject *>();
        return object ? object->property("item").value<QObject *>() : nullptr;
    }

    void clickItem(const QString &name)
    {
        QQuickItem *target = item(name);
        QVERIFY2(target, qPrintable(name));
        QTest::mouseClick(window(), Qt::LeftButton, Qt::NoModifier,
                          target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint());
    }

    void startManager()
    {
        m_manager = std::make_unique<Manager>();
        m_manager->initialize();
        QVERIFY(m_manager->loadUi());
        window()->show();
        window()->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(window()));
    }

    static void pointConnectionsAt(const QString &generatorPort, const QString &serverPort)
    {
        Settings::setValue(QStringLiteral("Preferences/Qelo3ServerHost"), QStringLiteral("127.0.0.1"));
        Settings::setValue(QStringLiteral("Preferences/HalvoServerHost"), QStringLiteral("127.0.0.1"));
        Settings::setValue(QStringLiteral("Preferences/Qelo3ServerPort"), generatorPort);
        Settings::setValue(QStringLiteral("Preferences/HalvoServerPort"), serverPort);
    }

    void type(const QString &text)
    {
        for (const QChar character : text)
            QTest::keyClick(window(), character.toLatin1());
    }

    static void cacheUser(const QString &userName, const QString &password, int role)
    {
        UserCredentials credentials;
        credentials.userName = userName;
        credentials.directoryName = UserCredentials::directoryNameOf(userName);
        credentials.passwordHash = PasswordVerifier::create(password);
        credentials.role = role;
        credentials.firstName = QStringLiteral("Dana");
        credentials.lastName = QStringLiteral("Demo");
        credentials.company = QStringLiteral("Klinikum Beispielstadt");
        Settings::setValue(QStringLiteral("Credentials/") + userName.toLower(),
                           LoginViewController::cacheEntry(credentials));
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        Settings::create(DataPaths::kelvaraRoot());
        PasswordVerifier::setDefaultIterations(1000);
        cacheUser(QStringLiteral("demo"), QStringLiteral("Demo#2023"), UserRoleEnum::SERVICE_PREMIUM_DEALER);
        cacheUser(QStringLiteral("nurse"), QStringLiteral("Nurse#2023"), UserRoleEnum::MEDIC_NURSE);
        cacheUser(QStringLiteral("oncall"), QStringLiteral("Oncall#2023"), UserRoleEnum::EMERGENCY_CONTACT);
        // The shipped role table, as the application copies it at its first start.
        KelvaraApplication::prepareApplicationDirectory();
        GuiFixture::installMessageRecorder();
    }

    void init()
    {
        GuiFixture::clearMessages();
        // Each row starts with an empty form and without peers.
        Settings::setValue(QStringLiteral("Preferences/RememberLastUserNameEnabled"), QStringLiteral("false"));
        pointConnectionsAt(QStringLiteral("1"), QStringLiteral("1"));
        startManager();
        m_manager->settingsService().setLanguage(QStringLiteral("Deutsch"));
    }

    void cleanup()
    {
        m_manager.reset();
        const QStringList warnings = GuiFixture::warnings();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    }

    void offlineLogin_data()
    {
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("error");
        QTest::newRow("cached user lands on the start module") << "demo" << "Demo#2023" << "CopyPage" << QString();
        QTest::newRow("user name in capitals") << "DEMO" << "Demo#2023" << "CopyPage" << QString();
        QTest::newRow("wrong password")
            << "demo" << "demo#2023" << "LogInPage"
            << "Keine Serververbindung. Benutzername oder Passwort sind inkorrekt oder lokal nicht bekannt.";
        QTest::newRow("unknown user")
            << "nobody" << "x" << "LogInPage"
            << "Keine Serververbindung. Benutzername oder Passwort sind inkorrekt oder lokal nicht bekannt.";
        QTest::newRow("empty password") << "demo" << "" << "LogInPage" << "Kein Passwort angegeben.";
        QTest::newRow("empty user name") << "" << "x" << "LogInPage" << "Kein Benutzername angegeben.";
    }

    void offlineLogin()
    {
        QFETCH(QString, userName);
        QFETCH(QString, password);
        QFETCH(QString, page);
        QFETCH(QString, error);
        QSignalSpy replies(&m_manager->loginViewController(), &LoginViewController::userLoginReply);
        QVERIFY(item(QStringLiteral("userNameField"))->hasActiveFocus());
        type(userName);
        QTest::keyClick(window(), Qt::Key_Tab);
        type(password);
        QTest::keyClick(window(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(replies.size(), 1, KelvaraTest::timeout(5000));
        QCOMPARE(loaded("pageLoader")->objectName(), page);
        QObject *dialog = loaded("dialogLoader");
        if (error.isEmpty()) {
            QVERIFY(!dialog);
            QCOMPARE(item(QStringLiteral("userMenu"))->property("label").toString(), QStringLiteral("Demo"));
            QVERIFY(item(QStringLiteral("serverStatus")));
            QCOMPARE(item(QStringLiteral("serverStatus"))->property("source").toUrl().fileName(),
                     QStringLiteral("halvo_disconnected.png"));
        } else {
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), QStringLiteral("LoginErrorDialog"));
            QCOMPARE(item(QStringLiteral("message"))->property("text").toString(), error);
        }
    }

    void rememberedUserNameIsOffered()
    {
        m_manager.reset();
        Settings::setValue(QStringLiteral("Preferences/RememberLastUserNameEnabled"), QStringLiteral("true"));
        Settings::setValue(QStringLiteral("Preferences/LastUserName"), QStringLiteral("demo"));
        startManager();
        QCOMPARE(item(QStringLiteral("userNameField"))->property("text").toString(), QStringLiteral("demo"));
        QVERIFY(item(QStringLiteral("rememberUserName"))->property("checked").toBool());
        QTest::keyClick(window(), Qt::Key_Tab);
        type(QStringLiteral("Demo#2023"));
        QTest::keyClick(window(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(loaded("pageLoader")->objectName(), QStringLiteral("CopyPage"), KelvaraTest::timeout(5000));
    }

    void moduleMenuFollowsTheRole_data()
    {
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("reacts");
        QTest::newRow("premium service dealer has several modules") << "demo" << "Demo#2023" << true;
        // The shipped matrix gives nurses Copy and Contact.
        QTest::newRow("nurse has two modules") << "nurse" << "Nurse#2023" << true;
        QTest::newRow("emergency contact has one module") << "oncall" << "Oncall#2023" << false;
    }

    void moduleMenuFollowsTheRole()
    {
        QFETCH(QString, userName);
        QFETCH(QString, password);
        QFETCH(bool, reacts);
        m_manager->loginViewController().loginUser(userName, password);
        QTRY_VERIFY_WITH_TIMEOUT(m_manager->loginViewController().isLoggedIn(), KelvaraTest::timeout(5000));
        QVERIFY(item(QStringLiteral("moduleMenu")));
        QCOMPARE(item(QStringLiteral("moduleMenu"))->property("interactive").toBool(), reacts);
    }

    void userDialogLogsOutThroughTheController()
    {
        m_manager->loginViewController().loginUser(QStringLiteral("demo"), QStringLiteral("Demo#2023"));
        QTRY_COMPARE_WITH_TIMEOUT(m_manager->mainViewController()->currentPage(), int(MainViewController::PAGE_COPY),
                                  KelvaraTest::timeout(5000));
        QSignalSpy loggedOut(&m_manager->loginViewController(), &LoginViewController::userHasLoggedOutSignal);
        QTest::mouseClick(window(), Qt::LeftButton, Qt::NoModifier,
                          item(QStringLiteral("userMenu"))->mapToScene(QPointF(20, 20)).toPoint());
        QCOMPARE(loaded("dialogLoader")->objectName(), QStringLiteral("UserDialog"));
        QTest::keyClick(window(), Qt::Key_Return);
        QCOMPARE(loggedOut.size(), 1);
        QCOMPARE(m_manager->mainViewController()->currentPage(), int(MainViewController::PAGE_LOGIN));
        QCOMPARE(loaded("pageLoader")->objectName(), QStringLiteral("LogInPage"));
    }

    // What a new user does first: watch both peers connect, switch the
    // language, log in by typing and Enter, open the help, log out.
    void newUserJourneyAgainstTheSimulatedPeers()
    {
        m_manager.reset();
        ServerSimulator server;
        server.setDataDirectory(QStringLiteral(KELVARA_DEMO_DATA_DIR "/server"));
        QVERIFY(server.start());
        Qelo3Simulator generator;
        generator.setDataDirectory(QStringLiteral(KELVARA_DEMO_DATA_DIR "/generator"));
        generator.setRecordFrames(false);
        QVERIFY(generator.start());
        pointConnectionsAt(QString::number(generator.port()), QString::number(server.port()));
        startManager();

        QTRY_VERIFY_WITH_TIMEOUT(m_manager->communication().isHalvoServerConnected()
                                     && m_manager->communication().isQelo3Connected(),
                                 KelvaraTest::timeout(5000));

        clickItem(QStringLiteral("languageMenu"));
        QCOMPARE(loaded("dialogLoader")->objectName(), QStringLiteral("LanguageDialog"));
        clickItem(QStringLiteral("language_English"));
        QCOMPARE(m_manager->translationService().languageName(), QStringLiteral("English"));
        QTest::keyClick(window(), Qt::Key_Escape);
        QVERIFY(!loaded("dialogLoader"));

        QSignalSpy replies(&m_manager->loginViewController(), &LoginViewController::userLoginReply);
        QSignalSpy synchronized(&m_manager->synchronizeService(), &SynchronizeService::syncCompleted);
        clickItem(QStringLiteral("userNameField"));
        type(QStringLiteral("admin"));
        QTest::keyClick(window(), Qt::Key_Tab);
        type(QStringLiteral("Admin#2023"));
        QTest::keyClick(window(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(replies.size(), 1, KelvaraTest::timeout(10000));
        QVERIFY(replies.first().at(0).toBool());
        QCOMPARE(server.acceptedLogins(), QStringList{QStringLiteral("admin")});
        QTRY_COMPARE_WITH_TIMEOUT(loaded("pageLoader")->objectName(), QStringLiteral("CopyPage"), KelvaraTest::timeout(5000));
        // The synchronisation overlay covers the menu bar until the lists are in.
        QTRY_VERIFY_WITH_TIMEOUT(!synchronized.isEmpty() && !m_manager->synchronizeService().isActive(),
                                 KelvaraTest::timeout(10000));
        QCOMPARE(item(QStringLiteral("userMenu"))->property("label").toString(), QStringLiteral("Adler"));
        QCOMPARE(item(QStringLiteral("serverStatus"))->property("source").toUrl().fileName(), QStringLiteral("halvo_connected.png"));
        QCOMPARE(item(QStringLiteral("generatorStatus"))->property("source").toUrl().fileName(), QStringLiteral("qelo3_connected.png"));

        clickItem(QStringLiteral("infoMenu"));
        QCOMPARE(loaded("dialogLoader")->objectName(), QStringLiteral("InfoDialog"));
        clickItem(QStringLiteral("helpLink"));
        QTRY_COMPARE_WITH_TIMEOUT(loaded("dialogLoader")->objectName(), QStringLiteral("HtmlDialog"), KelvaraTest::timeout(5000));
        QVERIFY(loaded("dialogLoader")->property("pageUrl").toString().endsWith(QLatin1String("/English/Copy.html")));
        QTest::keyClick(window(), Qt::Key_Escape);
        QVERIFY(!loaded("dialogLoader"));
        // Qt 6.4's web engine announces its value types and, headless, the
        // missing GPU; nothing else may have been warned about.
        const QRegularExpression engineNotice(QStringLiteral(
            "^(QWebEngine\\w+ is neither a QObject, nor default- and copy-constructible\\. You should not use it as a "
            "QML type\\.|No suitable graphics backend found)$"));
        for (const QString &warning : GuiFixture::warnings())
            QVERIFY2(engineNotice.match(warning).hasMatch(), qPrintable(warning));
        GuiFixture::clearMessages();

        clickItem(QStringLiteral("userMenu"));
        QCOMPARE(loaded("dialogLoader")->objectName(), QStringLiteral("UserDialog"));
        QTest::keyClick(window(), Qt::Key_Return);
        QCOMPARE(loaded("pageLoader")->objectName(), QStringLiteral("LogInPage"));
        QTRY_COMPARE_WITH_TIMEOUT(server.logoutCount(), 1, KelvaraTest::timeout(5000));
        m_manager.reset();
    }
};

KELVARA_TEST_MAIN(tst_LoginFlow)

#include "tst_loginflow.moc"
