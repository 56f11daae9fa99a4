#include "ContactViewController.h"
#include "FileTransfer.h"
#include "GuiFixture.h"
#include "ProtocolTypes.h"
#include "KelvaraTest.h"
#include "TranslationService.h"
#include "SettingsService.h"
#include "InstrumentConfiguration.h"
#include "ProgramGroup.h"
#include "UserProgram.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>


// Page numbers of MainViewController::Page.
enum { PageLogin = 0, PageChrono = 1, PageContact = 2, PageCopy = 3, PageUpdate = 4 };

class tst_MainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GuiFixture> m_gui;
    // Messages that the framework itself prints in one test; never our scenes'.
    QRegularExpression m_expectedWarning;

    // Helper processes of the embedded browser started by this test process.
    static int browserProcesses()
    {
        int count = 0;
        const QString self = QString::number(QCoreApplication::applicationPid());
        const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &entry : entries) {
            QFile stat(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            const QString line = QString::fromLatin1(stat.readAll());
            // "pid (comm) state ppid ..."
            const int close = line.lastIndexOf(QLatin1Char(')'));
            const QStringList rest = line.mid(close + 2).split(QLatin1Char(' '));
            if (rest.size() > 1 && rest.at(1) == self && line.contains(QLatin1String("QtWebEngine")))
                ++count;
        }
        return count;
    }

    bool textShown(const QString &text) const
    {
        const QList<QQuickItem *> items = m_gui->allItems();
        for (QQuickItem *item : items) {
            if (item->isVisible() && item->property("text").toString() == text)
                return true;
        }
        return false;
    }

    void typeText(const QString &text)
    {
        for (const QChar character : text)
            QTest::keyClick(m_gui->window(), character.toLatin1());
    }

    QStringList moduleTiles() const
    {
        QStringList names;
        const QList<QQuickItem *> items = m_gui->allItems();
        for (QQuickItem *item : items) {
            if (item->objectName().startsWith(QLatin1String("module_")))
                names << item->objectName().mid(7);
        }
        names.sort();
        return names;
    }

private slots:
    void initTestCase() { GuiFixture::prepareTestCase(); }

    void init()
    {
        m_gui = GuiFixture::start();
    }

    void cleanup()
    {
        QStringList warnings = GuiFixture::finish(m_gui);
        warnings.removeIf([this](const QString &warning) { return m_expectedWarning.match(warning).hasMatch(); });
        m_expectedWarning = QRegularExpression();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    }

    void rootSceneAndPagesLoadWithoutWarnings_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("objectName");
        QTest::newRow("login page") << int(PageLogin) << "LogInPage";
        QTest::newRow("copy page") << int(PageCopy) << "CopyPage";
        QTest::newRow("update page") << int(PageUpdate) << "UpdatePage";
        QTest::newRow("chrono page") << int(PageChrono) << "ChronoPage";
        QTest::newRow("contact page") << int(PageContact) << "ContactPage";
    }

    void rootSceneAndPagesLoadWithoutWarnings()
    {
        QFETCH(int, page);
        QFETCH(QString, objectName);
        QVERIFY(m_gui->loadMainWindow());
        if (page != PageLogin)
            m_gui->logIn();
        m_gui->setPage(page);
        QVERIFY(m_gui->page());
        QCOMPARE(m_gui->page()->objectName(), objectName);
        QCOMPARE(m_gui->findItem(QStringLiteral("moduleMenu"))->isVisible(), page != PageLogin);
        QCOMPARE(m_gui->findItem(QStringLiteral("languageMenu"))->isVisible(), page == PageLogin);
        QVERIFY(m_gui->findItem(QStringLiteral("infoMenu"))->isVisible());
        QVERIFY(m_gui->warnings().isEmpty());
    }

    void dialogsLoadWithoutWarnings_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QVariant>("parameters");
        QTest::addColumn<bool>("loggedIn");
        QTest::newRow("login error") << "LoginErrorDialog" << QVariant(3) << false;
        QTest::newRow("new login procedure") << "NewLoginProcedureDialog" << QVariant(QString()) << false;
        QTest::newRow("language") << "LanguageDialog" << QVariant(QString()) << false;
        QTest::newRow("info") << "InfoDialog" << QVariant(QString()) << false;
        QTest::newRow("external link") << "ExternalLinkDialog" << QVariant(QStringLiteral("https://portal.example/a"))
                                       << false;
        QTest::newRow("user") << "UserDialog" << QVariant(QString()) << true;
        QTest::newRow("module") << "ModuleDialog" << QVariant(QString()) << true;
        QTest::newRow("log") << "LogDialog" << QVariant(QString()) << false;
        QTest::newRow("information") << "InformationDialog"
                                     << QVariant(QStringList{QStringLiteral("Kopf"), QStringLiteral("Text")}) << true;
        QTest::newRow("server bubble") << "BubbleDialogHalvoServerConnection" << QVariant(QString()) << true;
        QTest::newRow("generator bubble") << "BubbleDialogQelo3Connection" << QVariant(QString()) << true;
        QTest::newRow("no generator") << "Qelo3ConnectionDialog" << QVariant(QString()) << true;
        QTest::newRow("no server") << "ServerConnectionDialog" << QVariant(QString()) << true;
        QTest::newRow("synchronisation timed out") << "SyncErrorDialog" << QVariant(QVariantList{0, 2, QStringLiteral("")})
                                                   << true;
        QTest::newRow("synchronisation cancelled") << "SyncErrorDialog" << QVariant(QVariantList{1, 0, QStringLiteral("")})
                                                   << true;
        QTest::newRow("update info timeout") << "GetUpdateInfoTimeoutDialog" << QVariant(QString()) << false;
        QTest::newRow("download chrono files") << "Qelo3DownloadDialog" << QVariant(QStringList{QStringLiteral("Chrono")})
                                               << true;
        QTest::newRow("waiting for chrono files") << "ChronoDownloadDialog" << QVariant() << true;
        QTest::newRow("error statistic") << "ErrorStatisticDialog" << QVariant() << true;
        QTest::newRow("update upload question") << "Qelo3UpdatePageDialog" << QVariant(QString()) << true;
        QTest::newRow("update upload progress") << "FileUploadDialog"
            << QVariant(QStringList{QStringLiteral("Das Update-Paket"), QStringLiteral("UpdateViewController")}) << true;
        QTest::newRow("update download progress") << "FileDownloadDialog" << QVariant(QString()) << true;
        QTest::newRow("update result") << "UpdateQelo3UploadDialog" << QVariant(QVariantList{QStringLiteral("x.esb"), true})
                                       << true;
        QTest::newRow("update history result") << "UpdateHistoryDialog" << QVariant(QStringLiteral("1")) << true;
        QTest::newRow("contact progress") << "ContactProgressDialog" << QVariant(QString()) << true;
        QTest::newRow("contact send error") << "ContactErrorSendMailDialog" << QVariant(QString()) << true;
        QTest::newRow("contact no server") << "ContactServerConnectionDialog" << QVariant(QString()) << true;
        QTest::newRow("contact sort") << "ContactSortDialog" << QVariant(QString()) << true;
        QTest::newRow("outbox bubble") << "BubbleDialogOutbox" << QVariant(QVariantList{10, 20}) << true;
    }

    void contactDialogsAnswer_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("answer"); // 0 sort by city, 1 cancel, 2 the data arrive
        QTest::newRow("sort by city") << "ContactSortDialog" << 0;
        QTest::newRow("progress cancelled") << "ContactProgressDialog" << 1;
        QTest::newRow("progress ends with the data") << "ContactProgressDialog" << 2;
    }

    void contactDialogsAnswer()
    {
        QFETCH(QString, dialog);
        QFETCH(int, answer);
        QVERIFY(m_gui->loadMainWindow());
        m_gui->loadContactDemo();
        m_gui->logIn();
        ContactViewController *contact = m_gui->contactViewController();
        contact->getQelo3Data();
        m_gui->showDialog(dialog);
        if (answer == 0) {
            QVERIFY(m_gui->click(QStringLiteral("sortCity")));
            QTest::keyClick(m_gui->window(), Qt::Key_Return);
            QCOMPARE(contact->sort(), QStringLiteral("City"));
        } else if (answer == 1) {
            QTest::keyClick(m_gui->window(), Qt::Key_Escape);
            QVERIFY(!contact->dataRequested());
        } else {
            for (int type : {int(FileType::UserSet), int(FileType::ChronoFixed), int(FileType::ChronoFlex)}) {
                const FileTransfer file(1, false, type, QString(), QStringLiteral("f%1.dat").arg(type), 0, "x", 0);
                QVERIFY(type == FileType::UserSet ? contact->onUserSetReceived(file, QStringLiteral("guidemo"))
                                                  : contact->onChronoFileReceived(file, QStringLiteral("guidemo")));
            }
            QTRY_VERIFY_WITH_TIMEOUT(contact->showMailPage(), KelvaraTest::timeout(2000));
        }
        QVERIFY(!m_gui->dialog());
        QVERIFY(m_gui->warnings().isEmpty());
    }

    void dialogsLoadWithoutWarnings()
    {
        QFETCH(QString, dialog);
        QFETCH(QVariant, parameters);
        QFETCH(bool, loggedIn);
        QVERIFY(m_gui->loadMainWindow());
        if (loggedIn)
            m_gui->logIn();
        m_gui->showDialog(dialog, parameters);
        QVERIFY(m_gui->dialog());
        QCOMPARE(m_gui->dialog()->objectName(), dialog);
        QCOMPARE(m_gui->dialogName(), dialog);
        QVERIFY(GuiFixture::messagesContain(QStringLiteral("Load Dialog: ") + dialog));
        QVERIFY(m_gui->warnings().isEmpty());
    }

    // Start-up stays light: the browser's helper process starts with the first
    // help page, not with the window.
    void htmlDialogStartsTheBrowserOnlyWhenOpened()
    {
        // Qt 6.4's browser module registers its value types with these lines,
        // and a headless machine has no GPU for it.
        m_expectedWarning = QRegularExpression(QStringLiteral(
            "^(QWebEngine\\w+ is neither a QObject, nor default- and copy-constructible\\. You should not use it as a "
            "QML type\\.|No suitable graphics backend found)$"));
        QVERIFY(m_gui->loadMainWindow());
        m_gui->logIn();
        QCOMPARE(browserProcesses(), 0);
        m_gui->showDialog(QStringLiteral("HtmlDialog"), QStringLiteral("Help"));
        QVERIFY(m_gui->dialog());
        QCOMPARE(m_gui->dialog()->objectName(), QStringLiteral("HtmlDialog"));
        QVERIFY(m_gui->dialog()->property("pageUrl").toString().endsWith(QLatin1String("/Help/Windows/Deutsch/Copy.html")));
        QTRY_VERIFY_WITH_TIMEOUT(browserProcesses() > 0, KelvaraTest::timeout(20000));
        m_gui->settingsService()->setLanguage(QStringLiteral("English"));
        QVERIFY(m_gui->dialog()->property("pageUrl").toString().endsWith(QLatin1String("/Help/Windows/English/Copy.html")));
        QTest::keyClick(m_gui->window(), Qt::Key_Escape);
        QVERIFY(!m_gui->dialog());
    }

    void parametersReachTheDialog()
    {
        QVERIFY(m_gui->loadMainWindow());
        m_gui->showDialog(QStringLiteral("InformationDialog"),
                          QStringList{QStringLiteral("Kopfzeile"), QStringLiteral("Nachricht")});
        QCOMPARE(m_gui->dialog()->property("header").toString(), QStringLiteral("Kopfzeile"));
        QCOMPARE(m_gui->dialog()->property("message").toString(), QStringLiteral("Nachricht"));
        m_gui->showDialog(QStringLiteral("ExternalLinkDialog"), QStringLiteral("https://portal.example/x"));
        QCOMPARE(m_gui->dialog()->property("navigateToUrl").toString(), QStringLiteral("https://portal.example/x"));
    }

    void loginErrorTexts_data()
    {
        QTest::addColumn<int>("cause");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");
        QTest::newRow("1 no user name") << 1 << "Kein Benutzername angegeben." << "No user name entered.";
        QTest::newRow("2 no password") << 2 << "Kein Passwort angegeben." << "No password entered.";
        QTest::newRow("3 offline unknown")
            << 3 << "Keine Serververbindung. Benutzername oder Passwort sind inkorrekt oder lokal nicht bekannt."
            << "No server connection. The user name or password is incorrect or not known on this computer.";
        QTest::newRow("4 offline expired")
            << 4
            << "Keine Serververbindung. Ihr Benutzerkonto ist lokal nicht mehr gültig. Bitte melden Sie sich mit einer "
               "Serververbindung an."
            << "No server connection. Your user account is no longer valid on this computer. Please log in with a "
               "server connection.";
        QTest::newRow("5 refused") << 5 << "Benutzername oder Passwort inkorrekt."
                                   << "The user name or password is incorrect.";
        QTest::newRow("6 no answer") << 6 << "Keine Antwort vom Server." << "No answer from the server.";
        QTest::newRow("7 no role") << 7 << "Ihrem Benutzerkonto ist keine Rolle oder Gruppe zugewiesen."
                                   << "No role or group is assigned to your user account.";
    }

    void loginErrorTexts()
    {
        QFETCH(int, cause);
        QFETCH(QString, german);
        QFETCH(QString, english);
        QVERIFY(m_gui->loadMainWindow());
        // The failure arrives from the controller, as it does after a login attempt.
        m_gui->loginViewController()->setProperty("nextCause", cause);
        QMetaObject::invokeMethod(m_gui->loginViewController(), "loginUser", Q_ARG(QVariant, QStringLiteral("x")),
                                  Q_ARG(QVariant, QStringLiteral("y")));
        QCOMPARE(m_gui->dialogName(), QStringLiteral("LoginErrorDialog"));
        QCOMPARE(m_gui->dialog()->property("title").toString(), QStringLiteral("Anmeldung fehlgeschlagen"));
        QCOMPARE(m_gui->findItem(QStringLiteral("message"))->property("text").toString(), german);
        m_gui->settingsService()->setLanguage(QStringLiteral("English"));
        QCOMPARE(m_gui->dialog()->property("title").toString(), QStringLiteral("Login failed"));
        QCOMPARE(m_gui->findItem(QStringLiteral("message"))->property("text").toString(), english);
        QCOMPARE(m_gui->page()->objectName(), QStringLiteral("LogInPage"));
    }

    void languageSwitchChangesVisibleTextsAtOnce_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");
        QTest::newRow("login page heading") << int(PageLogin) << QString() << "Anmeldung" << "Login";
        QTest::newRow("login page remember option") << int(PageLogin) << QString() << "Benutzer merken?"
                                                    << "Remember user?";
        QTest::newRow("module page list heading") << int(PageUpdate) << QString() << "Auf dem Server"
                                                          << "On the server";
        QTest::newRow("info dialog while open") << int(PageLogin) << "InfoDialog" << "Datenschutzerklärung"
                                                << "Privacy policy";
        QTest::newRow("user dialog while open") << int(PageCopy) << "UserDialog" << "Abmelden" << "Log out";
        QTest::newRow("module dialog while open") << int(PageCopy) << "ModuleDialog" << "Modul wählen"
                                                  << "Choose module";
        QTest::newRow("copy page list action") << int(PageCopy) << QString() << "Mehrfachauswahl"
                                               << "Multiple selection";
        QTest::newRow("save question while open") << int(PageCopy) << "SaveCopyChangesDialog" << "Nicht speichern"
                                                  << "Don't save";
    }

    void languageSwitchChangesVisibleTextsAtOnce()
    {
        QFETCH(int, page);
        QFETCH(QString, dialog);
        QFETCH(QString, german);
        QFETCH(QString, english);
        QVERIFY(m_gui->loadMainWindow());
        if (page != PageLogin) {
            m_gui->logIn();
            m_gui->setPage(page);
        }
        if (!dialog.isEmpty())
            m_gui->showDialog(dialog);
        QVERIFY2(textShown(german), qPrintable(german));
        QVERIFY(!textShown(english));
        // No event loop turn in between: the bindings follow the switch at once.
        m_gui->settingsService()->setLanguage(QStringLiteral("English"));
        QVERIFY2(textShown(english), qPrintable(english));
        QVERIFY(!textShown(german));
        m_gui->settingsService()->setLanguage(QStringLiteral("Deutsch"));
        QVERIFY(textShown(german));
    }

    // Fault: texts made in C++ kept their source language; the translation
    // sources were collected from the scenes only.
    void applicationTextsFollowTheLanguage()
    {
        const InstrumentConfiguration *catalogue = InstrumentConfiguration::instance();
        const auto texts = [catalogue] {
            return QStringList{catalogue->getModeDisplayName(QStringLiteral("CUT_AUS")),
                               catalogue->getModeDisplayName(QStringLiteral("COAG_AUS")), ProgramGroup::defaultName(),
                               UserProgram::defaultName(), UserProgram::defaultSubProgramName()};
        };
        QCOMPARE(texts(), QStringList({"CUT aus", "COAG aus", "Neue Programmgruppe", "Neues Programm",
                                       "Neues Subprogramm"}));
        m_gui->settingsService()->setLanguage(QStringLiteral("English"));
        QCOMPARE(texts(), QStringList({"CUT off", "COAG off", "New program group", "New program", "New subprogram"}));
    }

    void languageDialogSwitchesLanguage()
    {
        QVERIFY(m_gui->loadMainWindow());
        QVERIFY(m_gui->click(QStringLiteral("languageMenu")));
        QCOMPARE(m_gui->dialogName(), QStringLiteral("LanguageDialog"));
        QVERIFY(m_gui->click(QStringLiteral("language_English")));
        QCOMPARE(m_gui->translationService()->languageName(), QStringLiteral("English"));
        QVERIFY(textShown(QStringLiteral("Login")));
        QVERIFY(m_gui->click(QStringLiteral("language_Deutsch")));
        QCOMPARE(m_gui->translationService()->languageName(), QStringLiteral("Deutsch"));
    }

    void windowSizeFollowsTheScreen_data()
    {
        QTest::addColumn<int>("availableWidth");
        QTest::addColumn<int>("availableHeight");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("small screen 1000x800") << 1000 << 800 << 900 << 700;
        QTest::newRow("large screen") << 1920 << 1080 << 1100 << 900;
        QTest::newRow("exactly the preferred size") << 1100 << 900 << 1100 << 900;
        QTest::newRow("one pixel below") << 1099 << 899 << 999 << 799;
        QTest::newRow("narrow but tall") << 1024 << 1200 << 924 << 900;
    }

    void windowSizeFollowsTheScreen()
    {
        QFETCH(int, availableWidth);
        QFETCH(int, availableHeight);
        QFETCH(int, width);
        QFETCH(int, height);
        m_gui->mainViewController()->setProperty("availableScreenWidth", availableWidth);
        m_gui->mainViewController()->setProperty("availableScreenHeight", availableHeight);
        m_gui->engine().load(QUrl(QStringLiteral("qrc:/Gui/main.qml")));
        QVERIFY(m_gui->window());
        QCOMPARE(m_gui->window()->width(), width);
        QCOMPARE(m_gui->window()->height(), height);
        QCOMPARE(m_gui->window()->title(), QStringLiteral("Kelvara"));
    }

    void moduleDialogOffersOnlyPermittedModules_data()
    {
        QTest::addColumn<QStringList>("granted");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<bool>("menuReacts");
        QTest::newRow("copy only") << QStringList{"Copy"} << QStringList{"Copy"} << false;
        QTest::newRow("copy and update") << QStringList{"Copy", "Update"} << QStringList{"Copy", "Update"} << true;
        QTest::newRow("contact only") << QStringList{"Contact"} << QStringList{"Contact"} << false;
        QTest::newRow("copy and chrono") << QStringList{"Copy", "Chrono"} << QStringList{"Chrono", "Copy"} << true;
        QTest::newRow("all four") << QStringList{"Copy", "Update", "Contact", "Chrono"}
                                  << QStringList{"Chrono", "Contact", "Copy", "Update"} << true;
    }

    void moduleDialogOffersOnlyPermittedModules()
    {
        QFETCH(QStringList, granted);
        QFETCH(QStringList, offered);
        QFETCH(bool, menuReacts);
        QVERIFY(m_gui->loadMainWindow());
        m_gui->logIn(granted);
        m_gui->setPage(granted.first() == QLatin1String("Copy") ? PageCopy : PageContact);
        QVERIFY(m_gui->click(QStringLiteral("moduleMenu")));
        QCOMPARE(m_gui->dialogName(), menuReacts ? QStringLiteral("ModuleDialog") : QString());
        m_gui->showDialog(QStringLiteral("ModuleDialog"));
        QCOMPARE(moduleTiles(), offered);
    }

    void moduleDialogSwitchesOrCancels_data()
    {
        QTest::addColumn<QString>("tile");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("logLine");
        QTest::newRow("other module switches") << "module_Update" << int(PageUpdate) << "Accepted: true";
        QTest::newRow("current module cancels") << "module_Copy" << int(PageCopy) << "Accepted: false";
    }

    void moduleDialogSwitchesOrCancels()
    {
        QFETCH(QString, tile);
        QFETCH(int, page);
        QFETCH(QString, logLine);
        QVERIFY(m_gui->loadMainWindow());
        m_gui->logIn();
        QCOMPARE(m_gui->mainViewController()->property("currentPage").toInt(), int(PageCopy));
        QVERIFY(m_gui->click(QStringLiteral("moduleMenu")));
        QVERIFY(m_gui->click(tile));
        QVERIFY(!m_gui->dialog());
        QCOMPARE(m_gui->mainViewController()->property("currentPage").toInt(), page);
        QVERIFY(GuiFixture::messagesContain(logLine));
    }

    void inactivityTimerLogsOut_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("openDialog");
        QTest::newRow("copy page") << int(PageCopy) << QString();
        QTest::newRow("update page with a dialog open") << int(PageUpdate) << "UserDialog";
        QTest::newRow("copy page with a dialog open") << int(PageCopy) << "InfoDialog";
    }

    void inactivityTimerLogsOut()
    {
        QFETCH(int, page);
        QFETCH(QString, openDialog);
        m_gui->loginViewController()->setProperty("inactiveLogoutTime", KelvaraTest::timeout(150));
        QVERIFY(m_gui->loadMainWindow());
        m_gui->logIn();
        m_gui->setPage(page);
        if (!openDialog.isEmpty())
            m_gui->showDialog(openDialog);
        QCOMPARE(m_gui->loginViewController()->property("logoutCount").toInt(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_gui->loginViewController()->property("logoutCount").toInt(), 1,
                                  KelvaraTest::timeout(5000));
        QCOMPARE(m_gui->mainViewController()->property("currentPage").toInt(), int(PageLogin));
        QVERIFY(!m_gui->dialog());
        QVERIFY(m_gui->findItem(QStringLiteral("languageMenu"))->isVisible());
    }

    void inactivityTimerIsNotArmedBeforeLogin()
    {
        m_gui->loginViewController()->setProperty("inactiveLogoutTime", 1);
        QVERIFY(m_gui->loadMainWindow());
        // Activity on the login page (pointer over a link) must not start it.
        QQuickItem *link = m_gui->findItem(QStringLiteral("contactLink"));
        QVERIFY(link);
        QTest::mouseMove(m_gui->window(), link->mapToScene(QPointF(4, 4)).toPoint());
        const int sharedObjects = qmlTypeId("SharedObjects", 1, 0, "SharedObjects");
        QObject *timer = m_gui->engine().singletonInstance<QObject *>(sharedObjects)
                             ->property("inactiveLogoutTimer").value<QObject *>();
        QVERIFY(timer);
        QCOMPARE(timer->property("running").toBool(), false);
        QCOMPARE(m_gui->loginViewController()->property("logoutCount").toInt(), 0);
    }

    void hiddenLogViewer_data()
    {
        QTest::addColumn<bool>("loggedIn");
        QTest::addColumn<int>("infoClicks");
        QTest::addColumn<bool>("waitForReset");
        QTest::addColumn<QString>("then");
        QTest::addColumn<QString>("opened");
        QTest::newRow("two info clicks then user image") << true << 2 << false << "userMenu" << "LogDialog";
        QTest::newRow("three info clicks then user image") << true << 3 << false << "userMenu" << "UserDialog";
        QTest::newRow("one info click then user image") << true << 1 << false << "userMenu" << "UserDialog";
        QTest::newRow("two info clicks then language image") << false << 2 << false << "languageMenu" << "LogDialog";
        QTest::newRow("no info click then language image") << false << 0 << false << "languageMenu"
                                                           << "LanguageDialog";
        QTest::newRow("counter reset after 800 ms") << false << 2 << true << "languageMenu" << "LanguageDialog";
    }

    void hiddenLogViewer()
    {
        QFETCH(bool, loggedIn);
        QFETCH(int, infoClicks);
        QFETCH(bool, waitForReset);
        QFETCH(QString, then);
        QFETCH(QString, opened);
        QVERIFY(m_gui->loadMainWindow());
        if (loggedIn)
            m_gui->logIn();
        for (int i = 0; i < infoClicks; ++i)
            QVERIFY(m_gui->click(QStringLiteral("infoMenu")));
        if (infoClicks > 0)
            QCOMPARE(m_gui->dialogName(), QStringLiteral("InfoDialog"));
        if (waitForReset)
            QTRY_COMPARE_WITH_TIMEOUT(m_gui->window()->property("infoClickCount").toInt(), 0,
                                      KelvaraTest::timeout(3000));
        QVERIFY(m_gui->click(then));
        QCOMPARE(m_gui->dialogName(), opened);
    }

    void logViewerThroughTheLoginForm_data()
    {
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<int>("loginCalls");
        QTest::newRow("ViewLogs with empty password") << "ViewLogs" << "" << "LogDialog" << 0;
        QTest::newRow("ViewLogs with a password logs in") << "ViewLogs" << "x" << "" << 1;
        QTest::newRow("other user with empty password asks the controller") << "viewlogs" << "" << "LoginErrorDialog"
                                                                           << 1;
    }

    void logViewerThroughTheLoginForm()
    {
        QFETCH(QString, userName);
        QFETCH(QString, password);
        QFETCH(QString, opened);
        QFETCH(int, loginCalls);
        QVERIFY(m_gui->loadMainWindow());
        m_gui->loginViewController()->setProperty("nextCause", password.isEmpty() ? 2 : 0);
        typeText(userName);
        QTest::keyClick(m_gui->window(), Qt::Key_Tab);
        typeText(password);
        QTest::keyClick(m_gui->window(), Qt::Key_Return);
        QCOMPARE(m_gui->loginViewController()->property("loginCount").toInt(), loginCalls);
        QCOMPARE(m_gui->dialogName(), opened);
        if (opened == QLatin1String("LogDialog")) {
            QCOMPARE(m_gui->findItem(QStringLiteral("logView"))->property("count").toInt(), 2);
            QVERIFY(m_gui->click(QStringLiteral("clearButton")));
            QCOMPARE(m_gui->loginViewController()->property("clearLogfileCount").toInt(), 1);
            QCOMPARE(m_gui->findItem(QStringLiteral("logView"))->property("count").toInt(), 0);
        }
    }

    void loginPageKeyboard()
    {
        QVERIFY(m_gui->loadMainWindow());
        QCOMPARE(m_gui->loginViewController()->property("checkHalvoServerCount").toInt(), 1);
        QQuickItem *userName = m_gui->findItem(QStringLiteral("userNameField"));
        QQuickItem *password = m_gui->findItem(QStringLiteral("passwordField"));
        QVERIFY(userName && password);
        QVERIFY(userName->hasActiveFocus());
        typeText(QStringLiteral("anna"));
        QTest::keyClick(m_gui->window(), Qt::Key_Tab);
        QVERIFY(password->hasActiveFocus());
        typeText(QStringLiteral("geheim"));
        QCOMPARE(password->property("displayText").toString().contains(QLatin1String("geheim")), false);
        QTest::keyClick(m_gui->window(), Qt::Key_Enter);
        QCOMPARE(m_gui->loginViewController()->property("lastUserName").toString(), QStringLiteral("anna"));
        QCOMPARE(m_gui->loginViewController()->property("lastPassword").toString(), QStringLiteral("geheim"));
        // Logged in: the module page and the status images of the menu bar.
        QCOMPARE(m_gui->page()->objectName(), QStringLiteral("CopyPage"));
        QVERIFY(m_gui->findItem(QStringLiteral("serverStatus"))->isVisible());
        QVERIFY(m_gui->findItem(QStringLiteral("generatorStatus"))->isVisible());
        QCOMPARE(m_gui->findItem(QStringLiteral("userMenu"))->property("label").toString(), QStringLiteral("Berger"));
    }

    void dialogKeys_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QVariant>("parameters");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("logLine");
        QTest::newRow("enter accepts the login error") << "LoginErrorDialog" << QVariant(5) << int(Qt::Key_Return)
                                                       << "Accepted: true";
        QTest::newRow("escape cancels the login error") << "LoginErrorDialog" << QVariant(5) << int(Qt::Key_Escape)
                                                        << "Accepted: false";
        QTest::newRow("escape cancels the info dialog") << "InfoDialog" << QVariant() << int(Qt::Key_Escape)
                                                        << "Unhandeled dialog source: Dialogs/InfoDialog.qml";
        QTest::newRow("enter accepts the information") << "InformationDialog" << QVariant(QStringList{"a", "b"})
                                                       << int(Qt::Key_Enter)
                                                       << "Unhandeld dialog source: Dialogs/InformationDialog.qml";
        QTest::newRow("escape cancels the language dialog") << "LanguageDialog" << QVariant() << int(Qt::Key_Escape)
                                                            << "Accepted: false";
        QTest::newRow("escape cancels the external link") << "ExternalLinkDialog" << QVariant("https://a.example")
                                                          << int(Qt::Key_Escape) << "Accepted: false";
    }

    void dialogKeys()
    {
        QFETCH(QString, dialog);
        QFETCH(QVariant, parameters);
        QFETCH(int, key);
        QFETCH(QString, logLine);
        QVERIFY(m_gui->loadMainWindow());
        m_gui->showDialog(dialog, parameters);
        QVERIFY(m_gui->dialog());
        QTest::keyClick(m_gui->window(), Qt::Key(key));
        QVERIFY(!m_gui->dialog());
        QCOMPARE(m_gui->dialogName(), QString());
        QVERIFY2(GuiFixture::messagesContain(logLine), qPrintable(GuiFixture::messages().join('\n')));
    }

    // A blocked login must not be waved away: neither key closes the dialog.
    void blockedLoginDialogIgnoresEnterAndEscape()
    {
        m_gui->loginViewController()->setProperty("loginBlocked", true);
        m_gui->loginViewController()->setProperty(
            "updateInfo", QStringList{"Neue Version", "Bitte aktualisieren.", "", "", "Download",
                                      "https://portal.example/download", "New version", "Please update.", "", "",
                                      "Download", "https://portal.example/download"});
        QVERIFY(m_gui->loadMainWindow());
        QMetaObject::invokeMethod(m_gui->loginViewController(), "updateInfoReceived");
        QCOMPARE(m_gui->dialogName(), QStringLiteral("NewLoginProcedureDialog"));
        QCOMPARE(m_gui->dialog()->property("title").toString(), QStringLiteral("Neue Version"));
        QTest::keyClick(m_gui->window(), Qt::Key_Escape);
        QTest::keyClick(m_gui->window(), Qt::Key_Return);
        QCOMPARE(m_gui->dialogName(), QStringLiteral("NewLoginProcedureDialog"));
        QVERIFY(!m_gui->findItem(QStringLiteral("loginButton"))->isEnabled());
        // The link goes through the confirmation; declining returns to the notice.
        QVERIFY(m_gui->click(QStringLiteral("updateLink")));
        QCOMPARE(m_gui->dialogName(), QStringLiteral("ExternalLinkDialog"));
        QTest::keyClick(m_gui->window(), Qt::Key_Escape);
        QCOMPARE(m_gui->dialogName(), QStringLiteral("NewLoginProcedureDialog"));
    }

    void userDialogLogsOut()
    {
        QVERIFY(m_gui->loadMainWindow());
        m_gui->logIn();
        QVERIFY(m_gui->click(QStringLiteral("userMenu")));
        QCOMPARE(m_gui->dialogName(), QStringLiteral("UserDialog"));
        QCOMPARE(m_gui->dialog()->property("title").toString(), QStringLiteral("Anna Berger"));
        QVERIFY(m_gui->click(QStringLiteral("startModule_UpdatePage")));
        QCOMPARE(m_gui->settingsService()->startModule(), QStringLiteral("UpdatePage"));
        QVERIFY(m_gui->click(QStringLiteral("acceptButton")));
        QCOMPARE(m_gui->loginViewController()->property("logoutCount").toInt(), 1);
        QCOMPARE(m_gui->page()->objectName(), QStringLiteral("LogInPage"));
    }

    void statusImagesFollowTheLinks_data()
    {
        QTest::addColumn<bool>("server");
        QTest::addColumn<bool>("generator");
        QTest::newRow("both connected") << true << true;
        QTest::newRow("server only") << true << false;
        QTest::newRow("generator only") << false << true;
        QTest::newRow("none") << false << false;
    }

    void statusImagesFollowTheLinks()
    {
        QFETCH(bool, server);
        QFETCH(bool, generator);
        QVERIFY(m_gui->loadMainWindow());
        m_gui->logIn();
        m_gui->networkService()->setProperty("isHalvoServerConnected", server);
        m_gui->networkService()->setProperty("isQelo3Connected", generator);
        QCOMPARE(m_gui->findItem(QStringLiteral("serverStatus"))->property("source").toUrl().fileName(),
                 server ? QStringLiteral("halvo_connected.png") : QStringLiteral("halvo_disconnected.png"));
        QCOMPARE(m_gui->findItem(QStringLiteral("generatorStatus"))->property("source").toUrl().fileName(),
                 generator ? QStringLiteral("qelo3_connected.png") : QStringLiteral("qelo3_disconnected.png"));
        QVERIFY(m_gui->click(QStringLiteral("generatorStatus")));
        QCOMPARE(m_gui->dialogName(), QStringLiteral("BubbleDialogQelo3Connection"));
        QCOMPARE(m_gui->findItem(QStringLiteral("serialNumber"))->isVisible(), generator);
    }
};

KELVARA_TEST_MAIN(tst_MainWindow)

#include "tst_mainwindow.moc"
