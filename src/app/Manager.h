#pragma once

#include "ChronoViewController.h"
#include "CommunicationController.h"
#include "CopyViewController.h"
#include "ContactViewController.h"
#include "FileSelectorService.h"
#include "FileTransfer.h"
#include "HtmlService.h"
#include "LoggingService.h"
#include "LoginViewController.h"
#include "MailService.h"
#include "MenubarViewController.h"
#include "NativeFunctionsWrapperWindows.h"
#include "NetworkService.h"
#include "ProgramViewController.h"
#include "ProtectedNameService.h"
#include "RoutingTable.h"
#include "SettingsService.h"
#include "SynchronizeService.h"
#include "TranslationService.h"
#include "UpdateHistoryViewController.h"
#include "UpdateViewController.h"
#include "UserCredentials.h"
#include "UserSetStorage.h"
#include "VersionInfo.h"

#include <QtCore/QObject>
#include <QtNetwork/QSslError>
#include <QtQml/QQmlApplicationEngine>

class MainViewController;
class QQmlComponent;
class QQmlContext;

/// The composition root: owns the QML engine, every service and controller,
/// publishes them to the scenes and routes the peers' messages to their
/// consumers.
class Manager : public QObject
{
    Q_OBJECT
public:
    static constexpr int kFirstConnectDelayMs = 300;
    static constexpr const char *kRootScene = "qrc:/Gui/main.qml";
    explicit Manager(QObject *parent = nullptr);
    ~Manager() override;

    void initialize();
    /// Starts compiling the root scene in the background; optional, for a
    /// faster loadUi().
    void preloadUi();
    /// Registers the QML types, loads the root scene and gives both
    /// connections their first attempt; false when the scene did not load.
    bool loadUi();
    /// The page shown for a start module name ("UpdatePage" and so on).
    static int pageForStartModule(const QString &startModule);

    QQmlApplicationEngine &engine() { return m_engine; }
    MainViewController *mainViewController() const { return m_mainViewController; }
    LoggingService &loggingService() { return m_loggingService; }
    CommunicationController &communication() { return m_communication; }
    LoginViewController &loginViewController() { return m_loginViewController; }
    CopyViewController &copyViewController() { return m_copyViewController; }
    SynchronizeService &synchronizeService() { return m_synchronizeService; }
    ChronoViewController &chronoViewController() { return m_chronoViewController; }
    SettingsService &settingsService() { return m_settingsService; }
    TranslationService &translationService() { return m_translationService; }
    INativeFunctionsWrapper *nativeFunctions() { return &m_nativeFunctions; }
    QString userName() const { return m_userName; }
    UserSetStorage &userSetStorage() { return m_userSetStorage; }
    RoutingTable &qelo3Routes() { return m_qelo3Routes; }
    RoutingTable &halvoRoutes() { return m_halvoRoutes; }
    UpdateViewController &updateViewController() { return m_updateViewController; }
    UpdateHistoryViewController &updateHistoryViewController() { return m_updateHistoryViewController; }
    MailService &mailService() { return m_mailService; }
    ContactViewController &contactViewController() { return m_contactViewController; }
    ProgramViewController &programViewController() { return m_programViewController; }

public slots:
    void onLanguageChanged(QString newLanguage);
    void onUserHasLoggedIn(UserCredentials credentials);
    void onUserHasLoggedOut();
    void onSyncComplete();
    void onHalvoServerConnectionChanged();
    void onHalvoServerBinaryMessageReceived(QByteArray byteArray);
    void onHalvoServerSslErrors(QList<QSslError> errors);
    void onQelo3ServerConnectionChanged();
    void onQelo3ServerBinaryMessageReceived(QByteArray byteArray);
    void onQelo3ServerSslErrors(QList<QSslError> errors);
    void onFileReceived(FileTransfer fileTransfer);
    void onMailAttachementReceived(QString filename);

private:
    void registerRoutes();
    void startConnections();
    void connectQelo3ServerIndications();
    void connectHalvoServerIndications();
    void processQelo3FileTransferMessage(const FileTransfer &fileTransfer);
    void processHalvoServerFileTransferMessage(const FileTransfer &fileTransfer);
    void recordUserSetDownload(const QString &system, const FileTransfer &fileTransfer);
    void logSslErrors(const QString &function, const QList<QSslError> &errors);
    void publishContextProperties();

    // Declared first, so destroyed after every consumer they hold handlers of.
    RoutingTable m_qelo3Routes{QStringLiteral("QELO3")};
    RoutingTable m_halvoRoutes{QStringLiteral("HALVO_SERVER")};
    QQmlApplicationEngine m_engine;
    QQmlContext *m_rootContext;
    NativeFunctionsWrapperWindows m_nativeFunctions;
    VersionInfo m_versionInfo;
    QString m_userName;
    UserSetStorage m_userSetStorage;
    CommunicationController m_communication;
    LoggingService m_loggingService;
    TranslationService m_translationService;
    MailService m_mailService;
    SettingsService m_settingsService;
    NetworkService m_networkService;
    HtmlService m_htmlService;
    FileSelectorService m_fileSelectorService;
    ProtectedNameService m_protectedNameService;
    ContactViewController m_contactViewController;
    LoginViewController m_loginViewController;
    SynchronizeService m_synchronizeService;
    CopyViewController m_copyViewController;
    ChronoViewController m_chronoViewController;
    UpdateViewController m_updateViewController;
    UpdateHistoryViewController m_updateHistoryViewController;
    MenubarViewController m_menubarViewController;
    ProgramViewController m_programViewController;
    MainViewController *m_mainViewController;
    QList<QMetaObject::Connection> m_connections;
    bool m_connectionsStarted = false;
    bool m_loggedIn = false;
    QQmlComponent *m_rootPreload = nullptr;
};
