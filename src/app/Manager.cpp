#include "Manager.h"

#include "DataPaths.h"
#include "FileSystem.h"
#include "HalvoServer.h"
#include "InstrumentConfiguration.h"
#include "Logger.h"
#include "MainViewController.h"
#include "Outbox.h"
#include "Qelo3Server.h"
#include "QmlRegistration.h"
#include "Settings.h"
#include "WebSocketClient.h"

#include <QtCore/QTimer>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlContext>
#include <QtQuick/QQuickWindow>

Manager::Manager(QObject *parent)
    : QObject(parent)
    , m_rootContext(m_engine.rootContext())
    , m_communication(&m_nativeFunctions)
    , m_mailService(m_communication.halvoServer())
    , m_settingsService(&m_translationService)
    , m_networkService(&m_communication)
    , m_contactViewController(m_rootContext, &m_communication, &m_mailService, &m_settingsService,
                              &m_translationService, &m_nativeFunctions)
    , m_loginViewController(&m_communication, &m_settingsService, &m_loggingService, &m_translationService)
    , m_synchronizeService(m_communication.halvoServer(), &m_settingsService, &m_loggingService, &m_nativeFunctions)
    , m_copyViewController(&m_userSetStorage, &m_communication, &m_loggingService)
    , m_chronoViewController(&m_communication)
    , m_updateViewController(m_rootContext, &m_communication, &m_translationService)
    , m_updateHistoryViewController(m_rootContext, &m_communication, &m_translationService)
    , m_menubarViewController(&m_synchronizeService, &m_copyViewController, m_communication.qelo3Server())
    , m_programViewController(m_rootContext, &m_userSetStorage, &m_translationService)
    , m_mainViewController(new MainViewController(m_rootContext, this))
{
    qRegisterMetaType<UserCredentials>("UserCredentials");
    registerRoutes();
}

Manager::~Manager()
{
    // Nothing may be routed into members that are already half destroyed.
    for (const QMetaObject::Connection &connection : qAsConst(m_connections))
        disconnect(connection);
    // The scenes go first: their bindings must not see the services they
    // bind to disappear one by one.
    const QList<QObject *> roots = m_engine.rootObjects();
    for (QObject *root : roots)
        delete root;
    // A scene still compiling belongs to the engine, which goes before this
    // object's children would.
    delete m_rootPreload;
}

void Manager::initialize()
{
    m_nativeFunctions.initializeStep1();
    m_nativeFunctions.initializeStep2();
    // The mode and activation tables exist from here on; the definitions are
    // read from the user's catalogue file once somebody logs in.
    InstrumentConfiguration::instance();

    connectQelo3ServerIndications();
    connectHalvoServerIndications();

    m_translationService.loadSystemLanguage();

    m_connections << connect(&m_settingsService, &SettingsService::languageChanged, this, &Manager::onLanguageChanged);
    m_connections << connect(&m_loginViewController, &LoginViewController::userHasLoggedInSignal, this,
                             &Manager::onUserHasLoggedIn);
    m_connections << connect(&m_loginViewController, &LoginViewController::userHasLoggedOutSignal, this,
                             &Manager::onUserHasLoggedOut);
    m_connections << connect(&m_synchronizeService, &SynchronizeService::syncCompleted, this,
                             &Manager::onSyncComplete);
    m_connections << connect(&m_mailService, &MailService::mailAttachementReceived, this,
                             &Manager::onMailAttachementReceived);
    publishContextProperties();
}

void Manager::publishContextProperties()
{
    m_rootContext->setContextProperty(QStringLiteral("CommunicationController"), &m_communication);
    m_rootContext->setContextProperty(QStringLiteral("CopyViewController"), &m_copyViewController);
    m_rootContext->setContextProperty(QStringLiteral("ContactViewController"), &m_contactViewController);
    m_rootContext->setContextProperty(QStringLiteral("LoginViewController"), &m_loginViewController);
    m_rootContext->setContextProperty(QStringLiteral("ChronoViewController"), &m_chronoViewController);
    m_rootContext->setContextProperty(QStringLiteral("UpdateViewController"), &m_updateViewController);
    m_rootContext->setContextProperty(QStringLiteral("UpdateHistoryViewController"), &m_updateHistoryViewController);
    m_rootContext->setContextProperty(QStringLiteral("FileSelectorService"), &m_fileSelectorService);
    m_rootContext->setContextProperty(QStringLiteral("MailService"), &m_mailService);
    m_rootContext->setContextProperty(QStringLiteral("NetworkService"), &m_networkService);
    m_rootContext->setContextProperty(QStringLiteral("SettingsService"), &m_settingsService);
    m_rootContext->setContextProperty(QStringLiteral("TranslationService"), &m_translationService);
    m_rootContext->setContextProperty(QStringLiteral("HtmlService"), &m_htmlService);
    m_rootContext->setContextProperty(QStringLiteral("SynchronizeService"), &m_synchronizeService);
    m_rootContext->setContextProperty(QStringLiteral("MenubarViewController"), &m_menubarViewController);
    m_rootContext->setContextProperty(QStringLiteral("ProgramViewController"), &m_programViewController);
    m_programViewController.publish(m_rootContext);
    m_rootContext->setContextProperty(QStringLiteral("ProtectedNameService"), &m_protectedNameService);
    m_rootContext->setContextProperty(QStringLiteral("VersionInfo"), &m_versionInfo);
    m_copyViewController.publish(m_rootContext);
    m_rootContext->setContextProperty(QStringLiteral("Outbox"), Outbox::instance());
}

void Manager::preloadUi()
{
    // The engine's loader thread resolves the root scene's imports and reads
    // its compiled units while the main thread goes on with the start-up;
    // loadUi() then finds the scene ready, or waits for the rest of it.
    QmlRegistration::registerTypes();
    if (!m_rootPreload)
        m_rootPreload = new QQmlComponent(&m_engine, QUrl(kRootScene), QQmlComponent::Asynchronous, this);
}

bool Manager::loadUi()
{
    QmlRegistration::registerTypes();
    m_engine.load(QUrl(kRootScene));
    delete m_rootPreload;
    m_rootPreload = nullptr;
    if (m_engine.rootObjects().isEmpty()) {
        Logger::error(QStringLiteral("Manager::loadUi: the root scene did not load"));
        return false;
    }
    // The first connect attempts set up TLS and two sockets; they wait for the
    // window's first frame (or a moment, when nothing is drawn) so that the
    // user sees the window without that delay.
    auto *window = qobject_cast<QQuickWindow *>(m_engine.rootObjects().constFirst());
    if (window)
        connect(window, &QQuickWindow::frameSwapped, this, &Manager::startConnections, Qt::QueuedConnection);
    QTimer::singleShot(kFirstConnectDelayMs, this, &Manager::startConnections);
    return true;
}

void Manager::startConnections()
{
    if (m_connectionsStarted)
        return;
    m_connectionsStarted = true;
    if (auto *window = qobject_cast<QQuickWindow *>(m_engine.rootObjects().value(0)))
        disconnect(window, &QQuickWindow::frameSwapped, this, &Manager::startConnections);
    m_communication.setQelo3ServerAutoConnect(
        Settings::getBoolValue(QStringLiteral("Preferences/Qelo3ServerAutoConnect"), true));
    m_communication.setHalvoServerAutoConnect(
        Settings::getBoolValue(QStringLiteral("Preferences/HalvoServerAutoConnect"), true));
}

void Manager::registerRoutes()
{
    // The Manager's own entries: a FileTransfer frame goes on by its file type.
    m_qelo3Routes.onCommand<FileTransfer>(CommandType::FileTransfer,
                                          [this](const FileTransfer &file) { processQelo3FileTransferMessage(file); });
    m_halvoRoutes.onCommand<FileTransfer>(CommandType::FileTransfer, [this](const FileTransfer &file) {
        processHalvoServerFileTransferMessage(file);
    });
    // Every consumer adds its own, in an order that matters where one of them
    // may take a file for itself.
    m_communication.qelo3Server()->registerRoutes(m_qelo3Routes);
    HalvoServer::registerRoutes(m_halvoRoutes);
    m_loginViewController.registerRoutes(m_qelo3Routes, m_halvoRoutes);
    // The synchronisation only observes the server's files, so it goes before
    // the consumers that take them.
    m_synchronizeService.registerRoutes(m_halvoRoutes);
    // Contact before Copy: it takes a generator user set only while it awaits one.
    m_contactViewController.registerRoutes(
        m_qelo3Routes, m_halvoRoutes, [this] { return m_userName; },
        [this] { return m_loginViewController.isAllowedContactAllServiceCenters(); });
    m_mailService.registerRoutes(m_halvoRoutes);
    m_copyViewController.registerRoutes(m_qelo3Routes, m_halvoRoutes);
    m_chronoViewController.registerRoutes(m_qelo3Routes);
    m_updateViewController.registerRoutes(m_halvoRoutes);
}

void Manager::connectQelo3ServerIndications()
{
    Logger::trace(QStringLiteral("Manager::connectQelo3ServerIndications"));
    Qelo3Server *generator = m_communication.qelo3Server();
    WebSocketClient *client = generator->client();
    m_connections << connect(client, &WebSocketClient::isProtocolConnectedChanged, this,
                             &Manager::onQelo3ServerConnectionChanged);
    m_connections << connect(client, &WebSocketClient::binaryMessageReceived, this,
                             &Manager::onQelo3ServerBinaryMessageReceived);
    m_connections << connect(client, &WebSocketClient::sslErrors, this, &Manager::onQelo3ServerSslErrors);
    // A completed download is always a chunked file, which the single-message
    // file handler would only drop again: it goes to onFileReceived alone.
    m_connections << connect(generator, &Qelo3Server::fileReceived, this, &Manager::onFileReceived);
}

void Manager::connectHalvoServerIndications()
{
    Logger::trace(QStringLiteral("Manager::connectHalvoServerIndications"));
    WebSocketClient *client = m_communication.halvoServer()->client();
    m_connections << connect(client, &WebSocketClient::isProtocolConnectedChanged, this,
                             &Manager::onHalvoServerConnectionChanged);
    m_connections << connect(client, &WebSocketClient::binaryMessageReceived, this,
                             &Manager::onHalvoServerBinaryMessageReceived);
    m_connections << connect(client, &WebSocketClient::sslErrors, this, &Manager::onHalvoServerSslErrors);
    // The server's chunked downloads (firmware containers) go through its table.
    m_connections << connect(m_communication.halvoServer(), &HalvoServer::fileReceived, this,
                             [this](const FileTransfer &file) { m_halvoRoutes.routeDownload(file); });
}

void Manager::onQelo3ServerBinaryMessageReceived(QByteArray byteArray)
{
    if (m_qelo3Routes.routeFrame(byteArray) == RoutingTable::Outcome::Invalid) {
        Logger::warnLimited(QStringLiteral("Manager::onQelo3ServerBinaryMessageReceived"),
                            QStringLiteral("Manager::onQelo3ServerBinaryMessageReceived: Invalid CommandType received from QELO3! message.CommandType=%1")
                                .arg(MessageBase::peekCommandType(byteArray)));
    }
}

void Manager::onHalvoServerBinaryMessageReceived(QByteArray byteArray)
{
    if (m_halvoRoutes.routeFrame(byteArray) == RoutingTable::Outcome::Invalid) {
        Logger::warnLimited(QStringLiteral("Manager::onHalvoServerBinaryMessageReceived"),
                            QStringLiteral("Manager::onHalvoServerBinaryMessageReceived: Unknown command received!"));
    }
}

void Manager::recordUserSetDownload(const QString &system, const FileTransfer &fileTransfer)
{
    if (fileTransfer.fileType() == FileType::UserSet)
        m_loggingService.download(QStringLiteral("USERSET"), system, fileTransfer.filename());
}

void Manager::processHalvoServerFileTransferMessage(const FileTransfer &fileTransfer)
{
    if (!fileTransfer.isAck())
        recordUserSetDownload(QStringLiteral("HALVO_SERVER"), fileTransfer);
    if (m_halvoRoutes.routeFile(fileTransfer) == RoutingTable::Outcome::Invalid) {
        Logger::warnLimited(QStringLiteral("Manager::processHalvoServerFileTransferMessage"),
                            QStringLiteral("Manager::processHalvoServerFileTransferMessage: Invalid FileType received! FileType=%1")
                                .arg(fileTransfer.fileType()));
    }
}

void Manager::processQelo3FileTransferMessage(const FileTransfer &fileTransfer)
{
    // A generator of protocol 5 or newer sends user sets and event logs in
    // chunks, which reach onFileReceived; their frames pass here too.
    const qint32 type = fileTransfer.fileType();
    const bool chunkedKind = type == FileType::UserSet || type == FileType::ChronoFixed
                             || type == FileType::ChronoFlexZip || type == FileType::ChronoFlex;
    if (chunkedKind && (fileTransfer.isAck() || m_communication.qelo3Server()->peerProtocolVersion() >= 5))
        return;
    recordUserSetDownload(QStringLiteral("QELO3"), fileTransfer);
    if (m_qelo3Routes.routeFile(fileTransfer) == RoutingTable::Outcome::Invalid)
        Logger::warnLimited(QStringLiteral("Manager::processQelo3FileTransferMessage"),
                            QStringLiteral("Invalid file type being received from QELO3"));
}

void Manager::onFileReceived(FileTransfer fileTransfer)
{
    Logger::error(QStringLiteral("Manager::onFileReceived"));
    recordUserSetDownload(QStringLiteral("QELO3"), fileTransfer);
    // User sets are handed on with their content; nobody to hand them to, no read.
    if (fileTransfer.fileType() == FileType::UserSet && m_qelo3Routes.hasDownloadConsumer(FileType::UserSet)) {
        fileTransfer.setData(
            FileSystem::getFileContents(fileTransfer.directory() + QLatin1Char('/') + fileTransfer.filename()));
    }
    m_qelo3Routes.routeDownload(fileTransfer);
}

void Manager::onQelo3ServerConnectionChanged()
{
    Qelo3Server *generator = m_communication.qelo3Server();
    if (generator->client()->isProtocolConnected()) {
        generator->requestDeviceInformation();
        m_loginViewController.onQelo3Connected();
    } else {
        m_loginViewController.onQelo3Disconnected();
    }
}

void Manager::onHalvoServerConnectionChanged()
{
    HalvoServer *server = m_communication.halvoServer();
    if (server->client()->isProtocolConnected()) {
        server->requestOnConnect();
        m_loginViewController.onHalvoServerConnected();
    } else {
        m_loginViewController.onHalvoServerDisconnected();
        m_copyViewController.onHalvoServerDisconnected();
    }
}

void Manager::logSslErrors(const QString &function, const QList<QSslError> &errors)
{
    Logger::trace(function);
    for (const QSslError &error : errors) {
        Logger::error(function + QStringLiteral(": =%1").arg(error.errorString()));
        m_loggingService.error(error.errorString());
    }
}

void Manager::onHalvoServerSslErrors(QList<QSslError> errors)
{
    logSslErrors(QStringLiteral("Manager::onHalvoServerSslErrors"), errors);
}

void Manager::onQelo3ServerSslErrors(QList<QSslError> errors)
{
    logSslErrors(QStringLiteral("Manager::onQelo3ServerSslErrors"), errors);
}

void Manager::onLanguageChanged(QString newLanguage)
{
    Logger::trace(QStringLiteral("Manager::onLanguageChanged: %1").arg(newLanguage));
    InstrumentConfiguration::instance()->setUserInterfaceLanguage(newLanguage);
    m_copyViewController.onLanguageChanged();
    m_programViewController.onLanguageChanged(newLanguage);
    m_contactViewController.languageChanged();
}

void Manager::onSyncComplete()
{
    // A run that ends after the logout has nobody to load for.
    if (!m_loggedIn)
        return;
    m_copyViewController.onSyncComplete(m_userName, m_synchronizeService.downloadNames(),
                                        m_synchronizeService.templateNames());
    m_updateViewController.reload();
    m_contactViewController.loadServiceCenters(m_userName, m_loginViewController.isAllowedContactAllServiceCenters());
    m_updateHistoryViewController.loadUpdateHistory(m_userName);
}

void Manager::onMailAttachementReceived(QString filename)
{
    Logger::info(QStringLiteral("Manager::onMailAttachementReceived: filename=%1").arg(filename));
    if (filename.endsWith(QLatin1String(".xml")))
        m_copyViewController.importMailAttachment(filename);
    else
        m_chronoViewController.importChronoFile(filename);
}

int Manager::pageForStartModule(const QString &startModule)
{
    if (startModule == QLatin1String("UpdatePage"))
        return MainViewController::PAGE_UPDATE;
    if (startModule == QLatin1String("ChronoPage"))
        return MainViewController::PAGE_CHRONO;
    if (startModule == QLatin1String("ContactPage"))
        return MainViewController::PAGE_CONTACT;
    return MainViewController::PAGE_COPY;
}

void Manager::onUserHasLoggedIn(UserCredentials credentials)
{
    DataPaths::removeAllFiles(DataPaths::tempDir());
    m_userName = credentials.directoryName;
    DataPaths::prepareUserTree(m_userName);
    m_userSetStorage.setUserName(m_userName);
    m_userSetStorage.installBuiltinTemplates();
    InstrumentConfiguration::instance()->initializeInstrumentCatalog(DataPaths::latestInstrumentCatalogue(m_userName));
    m_settingsService.setUser(m_userName);
    m_settingsService.setInstitution1(credentials.institution1);
    m_settingsService.setInstitution2(credentials.institution2);
    m_updateViewController.onUserLoggedIn(m_userName);
    m_updateHistoryViewController.loadUpdateHistory(m_userName);
    Outbox::instance()->setUserName(m_userName);
    m_contactViewController.loadServiceCenters(m_userName, m_loginViewController.isAllowedContactAllServiceCenters());
    m_mainViewController->setCurrentPageAsInt(pageForStartModule(m_loginViewController.getStartModule()));
    DataPaths::removeAllFiles(DataPaths::userPath(m_userName, QStringLiteral("kelvara_configFiles/chrono/temp_QELO3")));
    m_loggedIn = true;
    m_synchronizeService.userHasLoggedIn(m_userName);
    m_synchronizeService.synchronize();
    m_chronoViewController.setDataRoot(m_userName);
}

void Manager::onUserHasLoggedOut()
{
    m_loggedIn = false;
    m_settingsService.clearUser();
    m_contactViewController.resetUserState();
    Outbox::instance()->setUserName(QString());
    m_copyViewController.userHasLoggedOut();
    m_chronoViewController.userHasLoggedOut();
    m_nativeFunctions.reserved1();
    m_programViewController.userHasLoggedOut();
    m_updateHistoryViewController.reset();
    m_updateViewController.reset();
    m_mainViewController->setCurrentPage(MainViewController::PAGE_LOGIN);
    Qelo3Server *generator = m_communication.qelo3Server();
    generator->fileDownloadDoCancel();
    generator->fileUploadDoCancel();
    m_translationService.loadLanguage(m_translationService.languageCode());
}
