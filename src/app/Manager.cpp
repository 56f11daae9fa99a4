#include "Manager.h"

#include "AuthorizationMatrix.h"
#include "DataPaths.h"
#include "FileSystem.h"
#include "HalvoServer.h"
#include "InstrumentConfiguration.h"
#include "Logger.h"
#include "MainViewController.h"
#include "ProtocolTypes.h"
#include "Qelo3DeviceInformation.h"
#include "Qelo3Server.h"
#include "QmlRegistration.h"
#include "Settings.h"
#include "UpdateInfoReply.h"
#include "UserLoginReply.h"
#include "WebSocketClient.h"

#include <QtQml/QQmlContext>

Manager::Manager(QObject *parent)
    : QObject(parent)
    , m_rootContext(m_engine.rootContext())
    , m_communication(&m_nativeFunctions)
    , m_settingsService(&m_translationService)
    , m_networkService(&m_communication)
    , m_loginViewController(&m_communication, &m_settingsService, &m_loggingService, &m_translationService)
    , m_mainViewController(new MainViewController(m_rootContext, this))
{
    qRegisterMetaType<UserCredentials>("UserCredentials");
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
    publishContextProperties();
}

void Manager::publishContextProperties()
{
    m_rootContext->setContextProperty(QStringLiteral("CommunicationController"), &m_communication);
    m_rootContext->setContextProperty(QStringLiteral("LoginViewController"), &m_loginViewController);
    m_rootContext->setContextProperty(QStringLiteral("NetworkService"), &m_networkService);
    m_rootContext->setContextProperty(QStringLiteral("SettingsService"), &m_settingsService);
    m_rootContext->setContextProperty(QStringLiteral("TranslationService"), &m_translationService);
    m_rootContext->setContextProperty(QStringLiteral("HtmlService"), &m_htmlService);
    m_rootContext->setContextProperty(QStringLiteral("ProtectedNameService"), &m_protectedNameService);
    m_rootContext->setContextProperty(QStringLiteral("VersionInfo"), &m_versionInfo);
}

bool Manager::loadUi()
{
    QmlRegistration::registerTypes();
    m_engine.load(QUrl(QStringLiteral("qrc:/Gui/main.qml")));
    if (m_engine.rootObjects().isEmpty()) {
        Logger::error(QStringLiteral("Manager::loadUi: the root scene did not load"));
        return false;
    }
    m_communication.setQelo3ServerAutoConnect(
        Settings::getBoolValue(QStringLiteral("Preferences/Qelo3ServerAutoConnect"), true));
    m_communication.setHalvoServerAutoConnect(
        Settings::getBoolValue(QStringLiteral("Preferences/HalvoServerAutoConnect"), true));
    return true;
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
    // The file handler sees a completed download first, then onFileReceived.
    m_connections << connect(generator, &Qelo3Server::fileReceived, this,
                             [this](const FileTransfer &transfer) { processQelo3FileTransferMessage(transfer); });
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
}

void Manager::onQelo3ServerBinaryMessageReceived(QByteArray byteArray)
{
    const MessageBase header(byteArray);
    switch (header.commandType()) {
    case CommandType::FileTransfer:
        processQelo3FileTransferMessage(FileTransfer(byteArray));
        break;
    case CommandType::Qelo3DeviceInformation: {
        const Qelo3DeviceInformation info(byteArray);
        Qelo3Server *generator = m_communication.qelo3Server();
        generator->setDeviceData(info.name(), info.type(), info.serialNumber(), info.softwareVersion(), QString());
        emit generator->deviceDataChanged();
        m_loginViewController.onQelo3DeviceInfo(info.name(), info.type(), info.serialNumber(), info.softwareVersion(),
                                                QString());
        break;
    }
    default:
        Logger::warn(QStringLiteral("Manager::onQelo3ServerBinaryMessageReceived: Invalid CommandType received from QELO3! message.CommandType=%1")
                         .arg(header.commandType()));
        break;
    }
}

void Manager::onHalvoServerBinaryMessageReceived(QByteArray byteArray)
{
    const MessageBase header(byteArray);
    switch (header.commandType()) {
    case CommandType::GetRequest:
    case CommandType::UserLoginRequest:
    case CommandType::UserLoginLogInfo:
    case CommandType::Qelo3DeviceInformation:
    case CommandType::UserLogoutRequest:
        break;
    case CommandType::FileTransfer:
        processHalvoServerFileTransferMessage(FileTransfer(byteArray));
        break;
    case CommandType::UserLoginReply:
        m_loginViewController.onUserLoginReply(UserLoginReply(byteArray));
        break;
    case CommandType::AuthorizationMatrix:
        m_loginViewController.onAuthorizationMatrix(AuthorizationMatrix(byteArray));
        m_communication.halvoServer()->requestUpdateInfo();
        break;
    case CommandType::UpdateInfoReply: {
        const UpdateInfoReply reply(byteArray);
        if (reply.updateTyp() != 2)
            m_loginViewController.onUpdateInfo(reply);
        break;
    }
    default:
        Logger::warn(QStringLiteral("Manager::onHalvoServerBinaryMessageReceived: Unknown command received!"));
        break;
    }
}

void Manager::processHalvoServerFileTransferMessage(const FileTransfer &fileTransfer)
{
    switch (fileTransfer.fileType()) {
    case FileType::UserSet:
        if (fileTransfer.isAck())
            break;
        m_loggingService.download(QStringLiteral("USERSET"), QStringLiteral("HALVO_SERVER"), fileTransfer.filename());
        Logger::info(QStringLiteral("Manager::processHalvoServerFileTransferMessage: user set %1 has no consumer yet")
                         .arg(fileTransfer.filename()));
        break;
    case FileType::FileList:
    case FileType::FirmwareList:
    case FileType::FirmwareDescription:
    case FileType::ServiceCenters:
    case FileType::InstrumentCatalog:
    case FileType::ApplicationLog:
    case FileType::ContactMessage:
        Logger::info(QStringLiteral("Manager::processHalvoServerFileTransferMessage: FileType=%1 has no consumer yet, dropped")
                         .arg(fileTransfer.fileType()));
        break;
    case FileType::FirmwareContainer:
    case FileType::ChronoFixed:
    case FileType::ChronoFlexZip:
    case FileType::ChronoFlex:
    case 12:
        break;
    default:
        Logger::warn(QStringLiteral("Manager::processHalvoServerFileTransferMessage: Invalid FileType received! FileType=%1")
                         .arg(fileTransfer.fileType()));
        break;
    }
}

void Manager::processQelo3FileTransferMessage(const FileTransfer &fileTransfer)
{
    const bool chunkedPeer = m_communication.qelo3Server()->peerProtocolVersion() >= 5;
    switch (fileTransfer.fileType()) {
    case FileType::UserSet:
        if (fileTransfer.isAck() || chunkedPeer)
            break;
        m_loggingService.download(QStringLiteral("USERSET"), QStringLiteral("QELO3"), fileTransfer.filename());
        Logger::info(QStringLiteral("Manager::processQelo3FileTransferMessage: user set %1 has no consumer yet")
                         .arg(fileTransfer.filename()));
        break;
    case FileType::FileList:
    case FileType::GeneratorFileList: {
        const QStringList entries = QString::fromUtf8(fileTransfer.data()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        for (const QString &entry : entries) {
            const QString name = DataPaths::safeFileName(entry);
            if (name.isEmpty()) {
                Logger::warn(QStringLiteral("Manager::processQelo3FileTransferMessage: unusable list entry %1").arg(entry));
                continue;
            }
            m_communication.qelo3Server()->queueDownload(name);
        }
        break;
    }
    case FileType::ChronoFixed:
    case FileType::ChronoFlexZip:
    case FileType::ChronoFlex:
        if (chunkedPeer)
            break;
        Logger::info(QStringLiteral("Manager::processQelo3FileTransferMessage: chrono file %1 has no consumer yet")
                         .arg(fileTransfer.filename()));
        break;
    case FileType::FirmwareContainer:
    case 10:
        break;
    default:
        Logger::warn(QStringLiteral("Invalid file type being received from QELO3"));
        break;
    }
}

void Manager::onFileReceived(FileTransfer fileTransfer)
{
    Logger::error(QStringLiteral("Manager::onFileReceived"));
    const QString path = fileTransfer.directory() + QLatin1Char('/') + fileTransfer.filename();
    switch (fileTransfer.fileType()) {
    case FileType::UserSet:
        fileTransfer.setData(FileSystem::getFileContents(path));
        m_loggingService.download(QStringLiteral("USERSET"), QStringLiteral("QELO3"), fileTransfer.filename());
        Logger::info(QStringLiteral("Manager::onFileReceived: user set %1 has no consumer yet").arg(fileTransfer.filename()));
        break;
    case FileType::ChronoFixed:
    case FileType::ChronoFlexZip:
        Logger::info(QStringLiteral("Manager::onFileReceived: chrono file %1 has no consumer yet").arg(fileTransfer.filename()));
        break;
    default:
        break;
    }
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
    m_mainViewController->setCurrentPageAsInt(pageForStartModule(m_loginViewController.getStartModule()));
    DataPaths::removeAllFiles(DataPaths::userPath(m_userName, QStringLiteral("kelvara_configFiles/chrono/temp_QELO3")));
}

void Manager::onUserHasLoggedOut()
{
    m_settingsService.clearUser();
    m_nativeFunctions.reserved1();
    m_mainViewController->setCurrentPage(MainViewController::PAGE_LOGIN);
    Qelo3Server *generator = m_communication.qelo3Server();
    generator->fileDownloadDoCancel();
    generator->fileUploadDoCancel();
    m_translationService.loadLanguage(m_translationService.languageCode());
}
