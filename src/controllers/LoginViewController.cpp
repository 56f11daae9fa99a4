#include "LoginViewController.h"

#include "CommunicationController.h"
#include "DataPaths.h"
#include "FileSystem.h"
#include "HalvoServer.h"
#include "Logger.h"
#include "LoggingService.h"
#include "PasswordVerifier.h"
#include "Qelo3DeviceInformation.h"
#include "Qelo3Server.h"
#include "RoutingTable.h"
#include "Settings.h"
#include "SettingsService.h"
#include "UpdateInfoReply.h"
#include "UserLoginReply.h"
#include "WebSocketClient.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFile>

namespace {

const QString kTimeStampFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
constexpr int kDefaultInactiveLogoutMs = 3600000;
constexpr int kUpdateInfoCount = 12;

QString cacheKey(const QString &userName)
{
    return QStringLiteral("Credentials/") + userName.toLower();
}

} // namespace

LoginViewController::LoginViewController(CommunicationController *communication, SettingsService *settings,
                                         LoggingService *activityLog, TranslationService *translation, QObject *parent)
    : QObject(parent)
    , m_communication(communication)
    , m_settings(settings)
    , m_activityLog(activityLog)
    , m_translation(translation)
{
    m_loginTimer.setSingleShot(true);
    m_loginTimer.setInterval(kLoginTimeoutMs);
    connect(&m_loginTimer, &QTimer::timeout, this, &LoginViewController::onLoginTimeout);
    for (int i = 0; i < kUpdateInfoCount; ++i)
        m_updateInfo.append(QString());
    if (!m_matrix.load(DataPaths::authorizationMatrixPath())) {
        m_matrix.grantAll();
        Logger::warn(QStringLiteral("LoginViewController::LoginViewController: AuthorizationMatrix could not be loaded - enabling all functions"));
    }
}

bool LoginViewController::isAllowed(int function) const
{
    return m_matrix.hasPermission(m_credentials.role, function);
}

QString LoginViewController::cacheEntry(const UserCredentials &credentials)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
        .arg(credentials.directoryName, credentials.passwordHash, UserRoleEnum::name(credentials.role),
             credentials.firstName, credentials.lastName, credentials.company,
             credentials.timeStamp.toString(kTimeStampFormat));
}

void LoginViewController::loginUser(const QString &username, const QString &password)
{
    if (username.isEmpty()) {
        emit userLoginReply(false, EmptyUserName);
        return;
    }
    if (password.isEmpty()) {
        emit userLoginReply(false, EmptyPassword);
        return;
    }
    Qelo3Server *generator = m_communication->qelo3Server();
    if (generator->isConnected())
        generator->requestDeviceInformation();
    m_typedUserName = username;
    m_typedPassword = password;

    HalvoServer *server = m_communication->halvoServer();
    if (server->isConnected()) {
        m_loginTimedOut = false;
        m_loginTimer.start();
        server->sendUserLoginRequest(username, password);
        return;
    }
    const int cause = localLogin(username, password);
    emitReply(cause == LoginSuccess, cause, username);
    emitRightsChanged();
}

void LoginViewController::onLoginTimeout()
{
    m_loginTimer.stop();
    m_loginTimedOut = true;
    emit userLoginReply(false, ServerLoginTimeout);
}

void LoginViewController::onUserLoginReply(const UserLoginReply &reply)
{
    if (m_loginTimedOut)
        return;
    m_loginTimer.stop();
    int cause = LoginSuccess;
    if (!reply.result()) {
        cause = ServerLoginRefused;
    } else if (reply.role() == UserRoleEnum::NO_ROLE) {
        cause = ServerLoginNoRole;
    } else {
        UserCredentials credentials;
        credentials.userName = reply.userName();
        credentials.directoryName = UserCredentials::directoryNameOf(reply.userName());
        credentials.role = reply.role();
        credentials.firstName = reply.firstName();
        credentials.lastName = reply.lastName();
        credentials.company = reply.company();
        credentials.institution1 = reply.institution1();
        credentials.institution2 = reply.institution2();
        credentials.timeStamp = QDateTime::currentDateTime();
        // Every server login refreshes the verifier, so entries of the old
        // unsalted form disappear as their users log in online.
        credentials.passwordHash = PasswordVerifier::create(m_typedPassword);
        credentials.valid = true;
        Settings::setValue(cacheKey(credentials.userName), cacheEntry(credentials));
        if (!m_loggedIn)
            m_credentials = credentials;
    }
    if (m_loggedIn)
        return;
    if (cause == LoginSuccess)
        loggedIn();
    emitReply(cause == LoginSuccess, cause, reply.userName());
    emitRightsChanged();
}

bool LoginViewController::readLocalUserCredentials(const QString &username, UserCredentials &record) const
{
    const QString entry = Settings::getValue(cacheKey(username), QString());
    // A user who never logged in online simply has no entry; that is no format error.
    if (entry.isEmpty())
        return false;
    const QStringList parts = entry.split(QLatin1Char('|'), Qt::KeepEmptyParts);
    if (parts.size() != 7) {
        Logger::error(QStringLiteral("LoginViewController::readLocalUserCredentials: Invalid format for local credentials."));
        return false;
    }
    record.clear();
    record.userName = username;
    record.directoryName = parts.at(0);
    record.passwordHash = parts.at(1);
    record.role = UserRoleEnum::fromName(parts.at(2));
    record.firstName = parts.at(3);
    record.lastName = parts.at(4);
    record.company = parts.at(5);
    record.timeStamp = QDateTime::fromString(parts.at(6), kTimeStampFormat);
    record.valid = true;
    return true;
}

int LoginViewController::localLogin(const QString &username, const QString &password)
{
    UserCredentials record;
    if (!readLocalUserCredentials(username, record) || !PasswordVerifier::verify(password, record.passwordHash))
        return LocalLoginRefused;
    // The directory name ends up in paths; an entry must not point elsewhere.
    if (DataPaths::safeFileName(record.directoryName) != record.directoryName)
        return LocalLoginRefused;
    const int validityDays = Settings::getIntValue(QStringLiteral("Preferences/LocalCredentialsValidityPeriod"), 0);
    if (validityDays > 0 && (!record.timeStamp.isValid() || record.timeStamp.addDays(validityDays) < QDateTime::currentDateTime()))
        return LocalLoginExpired;
    m_credentials = record;
    loggedIn();
    return LoginSuccess;
}

void LoginViewController::loggedIn()
{
    const QString startModule = getStartModule();
    const QString language = m_settings ? m_settings->getLanguage() : QStringLiteral("English");
    if (m_activityLog)
        m_activityLog->login(m_credentials.userName, m_credentials.role, language, startModule,
                             QCoreApplication::applicationVersion());
    Qelo3Server *generator = m_communication->qelo3Server();
    if (generator->isConnected())
        generator->sendUserLoginLogInfo(m_credentials.userName, m_credentials.role);
    m_loggedIn = true;
    emit userHasLoggedInSignal(m_credentials);
    emit loginUserChanged();
}

void LoginViewController::emitReply(bool isAuthenticated, int cause, const QString &userName)
{
    if (isAuthenticated && rememberLastUserName())
        Settings::setValue(QStringLiteral("Preferences/LastUserName"), userName);
    emit userLoginReply(isAuthenticated, cause);
}

void LoginViewController::emitRightsChanged()
{
    emit isQelo3DownloadAllowedChanged();
    emit isQelo3UploadAllowedChanged();
    emit isHalvoServerViewAllowedChanged();
    emit isSaveUserSetAllowedChanged();
    emit isMultipleUserSetSelectionAllowedChanged();
    emit isUserSetImportAllowedChanged();
    emit isContactMailPageAllowedChanged();
}

void LoginViewController::logoutUser()
{
    HalvoServer *server = m_communication->halvoServer();
    if (server->isConnected())
        server->sendUserLogoutRequest();
    if (m_activityLog)
        m_activityLog->logout(m_credentials.userName, m_credentials.role);
    m_loggedIn = false;
    emit userHasLoggedOutSignal();
    m_credentials.clear();
    m_typedPassword.clear();
    emit loginUserChanged();
}

int LoginViewController::getInactiveLogoutTime() const
{
    const int value = Settings::getIntValue(QStringLiteral("Preferences/InactiveLogoutTime"), kDefaultInactiveLogoutMs);
    return value < 1 ? kDefaultInactiveLogoutMs : value;
}

void LoginViewController::checkHalvoServer()
{
    HalvoServer *server = m_communication->halvoServer();
    if (server->isConnected())
        server->requestUpdateInfo();
}

bool LoginViewController::rememberLastUserName() const
{
    return Settings::getBoolValue(QStringLiteral("Preferences/RememberLastUserNameEnabled"), false);
}

void LoginViewController::setRememberLastUserName(bool enabled)
{
    Settings::setValue(QStringLiteral("Preferences/RememberLastUserNameEnabled"),
                       enabled ? QStringLiteral("true") : QStringLiteral("false"));
    emit rememberLastUserNameChanged();
}

QString LoginViewController::getLastUserName() const
{
    if (!rememberLastUserName())
        return QString();
    return Settings::getValue(QStringLiteral("Preferences/LastUserName"), QString());
}

void LoginViewController::setLastUserName(const QString &userName)
{
    Settings::setValue(QStringLiteral("Preferences/LastUserName"), userName);
}

QString LoginViewController::getUpdateInfo(int index) const
{
    return index >= 0 && index < m_updateInfo.size() ? m_updateInfo.at(index) : QString();
}

QString LoginViewController::startModuleFor(const QString &wanted) const
{
    static const QList<QPair<QString, int>> kModules = {
        {QStringLiteral("CopyPage"), UserFunctionEnum::MODULE_AVAILABILITY_COPY},
        {QStringLiteral("UpdatePage"), UserFunctionEnum::MODULE_AVAILABILITY_UPDATE},
        {QStringLiteral("ContactPage"), UserFunctionEnum::MODULE_AVAILABILITY_CONTACT},
        {QStringLiteral("ChronoPage"), UserFunctionEnum::MODULE_AVAILABILITY_CHRONO},
    };
    for (const auto &module : kModules) {
        if (module.first == wanted && isAllowed(module.second))
            return wanted;
    }
    for (const auto &module : kModules) {
        if (isAllowed(module.second))
            return module.first;
    }
    return QStringLiteral("LogInPage");
}

QString LoginViewController::getStartModule() const
{
    return startModuleFor(m_settings ? m_settings->startModule() : QStringLiteral("CopyPage"));
}

QStringList LoginViewController::getLogfile() const
{
    QFile file(DataPaths::applicationLogPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void LoginViewController::clearLogfile()
{
    QFile file(DataPaths::applicationLogPath());
    if (file.exists())
        file.resize(0);
}

void LoginViewController::onAuthorizationMatrix(const AuthorizationMatrix &matrix)
{
    m_matrix = matrix;
    if (!m_matrix.save(DataPaths::authorizationMatrixPath()))
        Logger::error(QStringLiteral("LoginViewController::onAuthorizationMatrix: could not save %1")
                          .arg(DataPaths::authorizationMatrixPath()));
    emitRightsChanged();
    emit loginUserChanged();
}

void LoginViewController::onUpdateInfo(const UpdateInfoReply &reply)
{
    m_loginBlocked = reply.updateTyp() == 1;
    m_updateInfo = {reply.headlineDE(),  reply.textDE(),        reply.linkTextiOSDE(),
                    reply.linkiOSDE(),   reply.linkTextWindowsDE(), reply.linkWindowsDE(),
                    reply.headlineEN(),  reply.textEN(),        reply.linkTextiOSEN(),
                    reply.linkiOSEN(),   reply.linkTextWindowsEN(), reply.linkWindowsEN()};
    emit updateInfoReceived();
}

void LoginViewController::onHalvoServerConnected()
{
    WebSocketClient *client = m_communication->halvoServer()->client();
    if (m_activityLog)
        m_activityLog->connectHalvoServer(client->hostName(), client->port(), client->isEncrypted());
    if (m_loggedIn && !m_typedPassword.isEmpty())
        m_communication->halvoServer()->sendUserLoginRequest(m_typedUserName, m_typedPassword);
}

void LoginViewController::onHalvoServerDisconnected()
{
    WebSocketClient *client = m_communication->halvoServer()->client();
    if (m_activityLog)
        m_activityLog->disconnectHalvoServer(client->hostName(), client->port(), client->isEncrypted());
}

void LoginViewController::onQelo3Connected()
{
    WebSocketClient *client = m_communication->qelo3Server()->client();
    if (m_activityLog)
        m_activityLog->connectQelo3(client->hostName(), client->port(), client->isEncrypted());
    if (m_loggedIn)
        m_communication->qelo3Server()->sendUserLoginLogInfo(m_credentials.userName, m_credentials.role);
}

void LoginViewController::onQelo3Disconnected()
{
    WebSocketClient *client = m_communication->qelo3Server()->client();
    if (m_activityLog)
        m_activityLog->disconnectQelo3(client->hostName(), client->port(), client->isEncrypted());
}

void LoginViewController::onQelo3DeviceInfo(const QString &name, const QString &type, const QString &serialNumber,
                                            const QString &softwareVersion, const QString &)
{
    if (m_activityLog)
        m_activityLog->qelo3DeviceInfo(serialNumber, name, softwareVersion, type);
}

void LoginViewController::registerRoutes(RoutingTable &generatorRoutes, RoutingTable &serverRoutes)
{
    generatorRoutes.onCommand<Qelo3DeviceInformation>(
        CommandType::Qelo3DeviceInformation, [this](const Qelo3DeviceInformation &info) {
            onQelo3DeviceInfo(info.name(), info.type(), info.serialNumber(), info.softwareVersion(), QString());
        });
    serverRoutes.onCommand<UserLoginReply>(CommandType::UserLoginReply,
                                           [this](const UserLoginReply &reply) { onUserLoginReply(reply); });
    serverRoutes.onCommand<AuthorizationMatrix>(CommandType::AuthorizationMatrix,
                                                [this](const AuthorizationMatrix &matrix) {
                                                    onAuthorizationMatrix(matrix);
                                                    m_communication->halvoServer()->requestUpdateInfo();
                                                });
    // Type 2 is information for other applications of the maker.
    serverRoutes.onCommand<UpdateInfoReply>(CommandType::UpdateInfoReply, [this](const UpdateInfoReply &reply) {
        if (reply.updateTyp() != 2)
            onUpdateInfo(reply);
    });
}
