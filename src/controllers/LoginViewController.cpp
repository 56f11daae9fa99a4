#include "LoginViewController.h"

#include "CommunicationController.h"
#include "DataPaths.h"
#include "FileSystem.h"
#include "HalvoServer.h"
#include "Logger.h"
#include "LoggingService.h"
#include "EncryptedSettingsFormat.h"
#include "PasswordVerifier.h"
#include "ProtocolTypes.h"
#include "Qelo3DeviceInformation.h"
#include "Qelo3Server.h"
#include "RoutingTable.h"
#include "Settings.h"
#include "SettingsService.h"
#include "UpdateInfoReply.h"
#include "UserLoginReply.h"
#include "WebSocketClient.h"

#include <QtCore/QCoreApplication>
#include <QtConcurrent/QtConcurrentRun>
#include <QtCore/QFile>
#include <QtCore/QSettings>

#include <algorithm>

namespace {

const QString kTimeStampFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
constexpr int kDefaultInactiveLogoutMs = 3600000;
constexpr int kUpdateInfoCount = 12;
// The settings file stores the length of its map in 16 bits; a little room is
// left for the difference between the keys seen here and those written.
constexpr qsizetype kMaxCacheBytes = 65535 - 512;

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
    connect(&m_verifyJob, &QFutureWatcher<bool>::finished, this, [this] { finishLocalLogin(m_verifyJob.result()); });
    connect(&m_verifierJob, &QFutureWatcher<QString>::finished, this,
            [this] { finishServerLogin(m_verifierJob.result()); });
    for (int i = 0; i < kUpdateInfoCount; ++i)
        m_updateInfo.append(QString());
    // Neither all rights nor none: without a stored matrix the shipped one holds.
    if (!loadMatrix(DataPaths::authorizationMatrixPath())) {
        Logger::warn(QStringLiteral("LoginViewController::LoginViewController: AuthorizationMatrix could not be loaded - using the built-in matrix"));
        if (!loadMatrix(QStringLiteral(":/Resources/Config/AuthorizationMatrix")))
            Logger::error(QStringLiteral("LoginViewController::LoginViewController: built-in AuthorizationMatrix missing"));
    }
}

LoginViewController::~LoginViewController()
{
    wipeTypedPassword();
}

bool LoginViewController::loadMatrix(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < Protocol::kHeaderSize)
        return false;
    const AuthorizationMatrix matrix(bytes);
    if (matrix.commandType() != CommandType::AuthorizationMatrix || matrix.numberOfRoles() <= 0)
        return false;
    m_matrix = matrix;
    return true;
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

void LoginViewController::setBusy(bool busy)
{
    if (m_busy == busy)
        return;
    m_busy = busy;
    emit busyChanged();
}

void LoginViewController::setTypedPassword(const QString &password)
{
    wipeTypedPassword();
    // A copy of its own, so that overwriting it never waits for another owner.
    m_typedPassword = QString(password.constData(), password.size());
}

void LoginViewController::wipeTypedPassword()
{
    // Overwritten in place while this object holds the only reference; a
    // password job still running keeps its own until it ends.
    if (!m_typedPassword.isDetached())
        m_typedPassword = QString();
    std::fill(m_typedPassword.begin(), m_typedPassword.end(), QChar(0));
    m_typedPassword.clear();
}

void LoginViewController::loginUser(const QString &username, const QString &password)
{
    m_loginTimedOut = false;
    if (m_verifyJob.isRunning() || m_verifierJob.isRunning()) {
        Logger::warn(QStringLiteral("LoginViewController::loginUser: a login is still being checked"));
        return;
    }
    if (username.isEmpty()) {
        emit userLoginReply(false, EmptyUserName);
        return;
    }
    if (password.isEmpty()) {
        emit userLoginReply(false, EmptyPassword);
        return;
    }
    if (!UserCredentials::isAcceptableUserName(username)) {
        Logger::warn(QStringLiteral("LoginViewController::loginUser: user name refused"));
        emit userLoginReply(false, EmptyUserName);
        return;
    }
    Qelo3Server *generator = m_communication->qelo3Server();
    if (generator->isConnected())
        generator->requestDeviceInformation();
    m_typedUserName = username;
    setTypedPassword(password);

    HalvoServer *server = m_communication->halvoServer();
    if (server->isConnected()) {
        if (!server->sendUserLoginRequest(username, m_typedPassword)) {
            failed(UnencryptedLoginRefused);
            return;
        }
        m_pendingLogin = PendingLogin::Typed;
        m_loginTimer.start();
        setBusy(true);
        return;
    }
    startLocalLogin(username);
}

void LoginViewController::failed(int cause)
{
    wipeTypedPassword();
    setBusy(false);
    emitReply(false, cause, QString());
    emitRightsChanged();
}

void LoginViewController::onLoginTimeout()
{
    m_loginTimer.stop();
    m_loginTimedOut = true;
    m_pendingLogin = PendingLogin::None;
    wipeTypedPassword();
    setBusy(false);
    emit userLoginReply(false, ServerLoginTimeout);
}

void LoginViewController::onUserLoginReply(const UserLoginReply &reply)
{
    // Only an answer to a request of ours counts: a peer that pushes a reply
    // on its own must not log anybody in.
    if (m_pendingLogin == PendingLogin::None || m_loginTimedOut) {
        Logger::warn(QStringLiteral("LoginViewController::onUserLoginReply: reply without a pending login ignored"));
        return;
    }
    const bool silent = m_pendingLogin == PendingLogin::Silent;
    m_pendingLogin = PendingLogin::None;
    m_loginTimer.stop();
    if (silent && reply.userName().toLower() != m_credentials.userName.toLower()) {
        Logger::warn(QStringLiteral("LoginViewController::onUserLoginReply: re-login answered for another user, ignored"));
        return;
    }
    int cause = LoginSuccess;
    if (!reply.result()) {
        cause = ServerLoginRefused;
    } else if (reply.role() == UserRoleEnum::NO_ROLE) {
        cause = ServerLoginNoRole;
    } else if (!UserCredentials::isAcceptableUserName(reply.userName())) {
        Logger::warn(QStringLiteral("LoginViewController::onUserLoginReply: user name of the reply refused"));
        cause = EmptyUserName;
    }
    if (cause != LoginSuccess) {
        if (!silent)
            failed(cause);
        return;
    }
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
    credentials.valid = true;
    m_candidate = credentials;
    m_candidateSilent = silent;
    m_candidateSession = m_session;
    // Every server login refreshes the verifier, so entries of the old
    // unsalted form disappear as their users log in online.
    m_verifierJob.setFuture(QtConcurrent::run([password = m_typedPassword] { return PasswordVerifier::create(password); }));
}

void LoginViewController::finishServerLogin(const QString &verifier)
{
    if (m_candidateSession != m_session)
        return;
    UserCredentials credentials = m_candidate;
    m_candidate.clear();
    credentials.passwordHash = verifier;
    storeCacheEntry(credentials);
    if (m_candidateSilent)
        return;
    setBusy(false);
    if (m_loggedIn)
        return;
    m_credentials = credentials;
    loggedIn();
    emitReply(true, LoginSuccess, credentials.userName);
    emitRightsChanged();
}

void LoginViewController::storeCacheEntry(const UserCredentials &credentials)
{
    const QString key = cacheKey(credentials.userName);
    const QString entry = cacheEntry(credentials);
    // The same file the settings write the entry to; both objects share what
    // QSettings caches of it, so the entries dropped here are gone for both.
    QSettings cache(DataPaths::appDir() + QStringLiteral("/Credentials.ini"), EncryptedSettingsFormat::format());
    QMap<QString, QVariant> map;
    const QStringList keys = cache.allKeys();
    for (const QString &existing : keys)
        map.insert(existing, cache.value(existing));
    map.insert(key, entry);
    const QStringList evicted = UserCredentials::keysToEvict(map, kMaxCacheBytes, key);
    if (!evicted.isEmpty()) {
        for (const QString &old : evicted)
            cache.remove(old);
        cache.sync();
        Logger::warn(QStringLiteral("LoginViewController::storeCacheEntry: credentials cache full, %1 entries with the oldest server login dropped")
                         .arg(evicted.size()));
    }
    Settings::setValue(key, entry);
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

void LoginViewController::startLocalLogin(const QString &username)
{
    UserCredentials record;
    // The directory name ends up in paths; an entry must not point elsewhere.
    if (!readLocalUserCredentials(username, record) || DataPaths::safeFileName(record.directoryName) != record.directoryName
        || !UserCredentials::isAcceptableUserName(record.directoryName)) {
        failed(LocalLoginRefused);
        return;
    }
    m_candidate = record;
    m_candidateSession = m_session;
    setBusy(true);
    m_verifyJob.setFuture(QtConcurrent::run(
        [password = m_typedPassword, stored = record.passwordHash] { return PasswordVerifier::verify(password, stored); }));
}

void LoginViewController::finishLocalLogin(bool passwordMatches)
{
    if (m_candidateSession != m_session)
        return;
    const UserCredentials record = m_candidate;
    m_candidate.clear();
    if (!passwordMatches) {
        failed(LocalLoginRefused);
        return;
    }
    const int validityDays = Settings::getIntValue(QStringLiteral("Preferences/LocalCredentialsValidityPeriod"), 0);
    if (validityDays > 0 && (!record.timeStamp.isValid() || record.timeStamp.addDays(validityDays) < QDateTime::currentDateTime())) {
        failed(LocalLoginExpired);
        return;
    }
    m_credentials = record;
    loggedIn();
    setBusy(false);
    emitReply(true, LoginSuccess, record.userName);
    emitRightsChanged();
}

void LoginViewController::loggedIn()
{
    const QString startModule = getStartModule();
    const QString language = m_settings ? m_settings->getLanguage() : QStringLiteral("English");
    if (m_activityLog)
        m_activityLog->login(m_credentials.userName, UserRoleEnum::name(m_credentials.role), language, startModule,
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
    // Whatever is still on its way belongs to the session that ends here.
    ++m_session;
    m_pendingLogin = PendingLogin::None;
    m_loginTimer.stop();
    if (m_activityLog)
        m_activityLog->logout(m_credentials.userName, UserRoleEnum::name(m_credentials.role), m_credentials.directoryName);
    m_loggedIn = false;
    emit userHasLoggedOutSignal();
    m_credentials.clear();
    wipeTypedPassword();
    setBusy(false);
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
    // Update information can block the login; only an answer to our question counts.
    if (!m_communication->halvoServer()->takeUpdateInfoAnswer()) {
        Logger::warn(QStringLiteral("LoginViewController::onUpdateInfo: update information nobody asked for ignored"));
        return;
    }
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
    if (m_loggedIn && !m_typedPassword.isEmpty()
        && m_communication->halvoServer()->sendUserLoginRequest(m_typedUserName, m_typedPassword))
        m_pendingLogin = PendingLogin::Silent;
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
    // Type 2 is information for other applications of the maker; it still
    // answers our question.
    serverRoutes.onCommand<UpdateInfoReply>(CommandType::UpdateInfoReply, [this](const UpdateInfoReply &reply) {
        if (reply.updateTyp() != 2)
            onUpdateInfo(reply);
        else
            m_communication->halvoServer()->takeUpdateInfoAnswer();
    });
}
