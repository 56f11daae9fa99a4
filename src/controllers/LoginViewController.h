#pragma once

#include "AuthorizationMatrix.h"
#include "UserCredentials.h"
#include "UserRoles.h"

#include <QtCore/QFutureWatcher>
#include <QtCore/QObject>
#include <QtCore/QStringList>
#include <QtCore/QTimer>

class CommunicationController;
class LoggingService;
class RoutingTable;
class SettingsService;
class TranslationService;
class UpdateInfoReply;
class UserLoginReply;

/// Login against the server or, offline, against the encrypted credentials
/// cache; the rights of the logged-in role; update information that may block
/// the login; the start module.
class LoginViewController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool busy READ isBusy NOTIFY busyChanged)
    Q_PROPERTY(bool rememberLastUserName READ rememberLastUserName WRITE setRememberLastUserName NOTIFY rememberLastUserNameChanged)
    Q_PROPERTY(QString loginFirstName READ loginFirstName NOTIFY loginUserChanged)
    Q_PROPERTY(QString loginLastName READ loginLastName NOTIFY loginUserChanged)
    Q_PROPERTY(QString loginCompany READ loginCompany NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedModuleInformation READ isAllowedModuleInformation NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedModuleCopy READ isAllowedModuleCopy NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedCopyEdit READ isAllowedCopyEdit NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedCopyDeviceFiletransfer READ isAllowedCopyDeviceFiletransfer NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedCopyServerFiletransfer READ isAllowedCopyServerFiletransfer NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedCopyImportExport READ isAllowedCopyImportExport NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedModuleUpdate READ isAllowedModuleUpdate NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedUpdateDeviceFiletransferWithStk READ isAllowedUpdateDeviceFiletransferWithStk NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedUpdateServerFiletransferWithStk READ isAllowedUpdateServerFiletransferWithStk NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedModuleContact READ isAllowedModuleContact NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedContactMessage READ isAllowedContactMessage NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedContactAllServiceCenters READ isAllowedContactAllServiceCenters NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedModuleChrono READ isAllowedModuleChrono NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedChronoDeviceFiletransferErrorEvents READ isAllowedChronoDeviceFiletransferErrorEvents NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedChronoServerFiletransferErrorEvents READ isAllowedChronoServerFiletransferErrorEvents NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedModuleRemote READ isAllowedModuleRemote NOTIFY loginUserChanged)
    Q_PROPERTY(bool isAllowedModuleDoku READ isAllowedModuleDoku NOTIFY loginUserChanged)
public:
    static constexpr int kLoginTimeoutMs = 15000;

    enum LoginCause {
        LoginSuccess = 0,
        EmptyUserName = 1,
        EmptyPassword = 2,
        LocalLoginRefused = 3,
        LocalLoginExpired = 4,
        ServerLoginRefused = 5,
        ServerLoginTimeout = 6,
        ServerLoginNoRole = 7,
        /// The server link is plain and leads to another machine.
        UnencryptedLoginRefused = 8,
    };
    Q_ENUM(LoginCause)

    LoginViewController(CommunicationController *communication, SettingsService *settings, LoggingService *activityLog,
                        TranslationService *translation, QObject *parent = nullptr);
    ~LoginViewController() override;

    Q_INVOKABLE void loginUser(const QString &username, const QString &password);
    Q_INVOKABLE void logoutUser();
    Q_INVOKABLE int getInactiveLogoutTime() const;
    Q_INVOKABLE void checkHalvoServer();
    Q_INVOKABLE QString getLastUserName() const;
    Q_INVOKABLE void setLastUserName(const QString &userName);
    Q_INVOKABLE QString getUpdateInfo(int index) const;
    Q_INVOKABLE bool isLoginBlocked() const { return m_loginBlocked; }
    Q_INVOKABLE QString getStartModule() const;
    Q_INVOKABLE QStringList getLogfile() const;
    Q_INVOKABLE void clearLogfile();

    bool rememberLastUserName() const;
    /// A login attempt runs: waiting for the server or checking a password.
    bool isBusy() const { return m_busy; }
    QString loginFirstName() const { return m_credentials.firstName; }
    QString loginLastName() const { return m_credentials.lastName; }
    QString loginCompany() const { return m_credentials.company; }
    bool isAllowedModuleInformation() const { return isAllowed(UserFunctionEnum::MODULE_AVAILABILITY_INFORMATION); }
    bool isAllowedModuleCopy() const { return isAllowed(UserFunctionEnum::MODULE_AVAILABILITY_COPY); }
    bool isAllowedCopyEdit() const { return isAllowed(UserFunctionEnum::COPY_EDIT); }
    bool isAllowedCopyDeviceFiletransfer() const { return isAllowed(UserFunctionEnum::COPY_DEVICE_FILETRANSFER); }
    bool isAllowedCopyServerFiletransfer() const { return isAllowed(UserFunctionEnum::COPY_SERVER_FILETRANSFER); }
    bool isAllowedCopyImportExport() const { return isAllowed(UserFunctionEnum::COPY_IMPORT_EXPORT); }
    bool isAllowedModuleUpdate() const { return isAllowed(UserFunctionEnum::MODULE_AVAILABILITY_UPDATE); }
    bool isAllowedUpdateDeviceFiletransferWithStk() const { return isAllowed(UserFunctionEnum::UPDATE_DEVICE_FILETRANSFER_WITH_STK); }
    bool isAllowedUpdateServerFiletransferWithStk() const { return isAllowed(UserFunctionEnum::UPDATE_SERVER_FILETRANSFER_WITH_STK); }
    bool isAllowedModuleContact() const { return isAllowed(UserFunctionEnum::MODULE_AVAILABILITY_CONTACT); }
    bool isAllowedContactMessage() const { return isAllowed(UserFunctionEnum::CONTACT_MESSAGE); }
    bool isAllowedContactAllServiceCenters() const { return isAllowed(UserFunctionEnum::CONTACT_ALL_SERVICECENTERS); }
    bool isAllowedModuleChrono() const { return isAllowed(UserFunctionEnum::MODULE_AVAILABILITY_CHRONO); }
    bool isAllowedChronoDeviceFiletransferErrorEvents() const { return isAllowed(UserFunctionEnum::CHRONO_DEVICE_FILETRANSFER_ERROR_EVENTS); }
    bool isAllowedChronoServerFiletransferErrorEvents() const { return isAllowed(UserFunctionEnum::CHRONO_SERVER_FILETRANSFER_ERROR_EVENTS); }
    bool isAllowedModuleRemote() const { return isAllowed(UserFunctionEnum::MODULE_AVAILABILITY_REMOTE); }
    bool isAllowedModuleDoku() const { return isAllowed(UserFunctionEnum::MODULE_AVAILABILITY_DOKU); }

    /// The right `function` of the logged-in role; a role outside the table has none.
    bool isAllowed(int function) const;
    bool isLoggedIn() const { return m_loggedIn; }
    const UserCredentials &credentials() const { return m_credentials; }
    const AuthorizationMatrix &matrix() const { return m_matrix; }
    void setLoginTimeout(int milliseconds) { m_loginTimer.setInterval(milliseconds); }

    /// Takes the server's login replies, rights and update information, and
    /// the generator's identity for the activity log.
    void registerRoutes(RoutingTable &generatorRoutes, RoutingTable &serverRoutes);
    // Called by the routing.
    void onUserLoginReply(const UserLoginReply &reply);
    void onAuthorizationMatrix(const AuthorizationMatrix &matrix);
    void onUpdateInfo(const UpdateInfoReply &reply);
    void onQelo3Connected();
    void onQelo3Disconnected();
    void onHalvoServerConnected();
    void onHalvoServerDisconnected();
    void onQelo3DeviceInfo(const QString &name, const QString &type, const QString &serialNumber,
                           const QString &softwareVersion, const QString &spare);

    /// The cache entry text of a credentials record.
    static QString cacheEntry(const UserCredentials &credentials);

public slots:
    void setRememberLastUserName(bool enabled);

signals:
    void userLoginReply(bool isAuthenticated, int cause);
    void updateInfoReceived();
    void loginUserChanged();
    void isQelo3DownloadAllowedChanged();
    void isQelo3UploadAllowedChanged();
    void isHalvoServerViewAllowedChanged();
    void isSaveUserSetAllowedChanged();
    void isMultipleUserSetSelectionAllowedChanged();
    void isUserSetImportAllowedChanged();
    void isContactMailPageAllowedChanged();
    void userHasLoggedInSignal(UserCredentials credentials);
    void userHasLoggedOutSignal();
    void rememberLastUserNameChanged();
    void busyChanged();

private:
    enum class PendingLogin { None, Typed, Silent };

    void onLoginTimeout();
    void startLocalLogin(const QString &username);
    void finishLocalLogin(bool passwordMatches);
    void finishServerLogin(const QString &verifier);
    bool readLocalUserCredentials(const QString &username, UserCredentials &record) const;
    void storeCacheEntry(const UserCredentials &credentials);
    bool loadMatrix(const QString &path);
    void loggedIn();
    void failed(int cause);
    void emitReply(bool isAuthenticated, int cause, const QString &userName);
    void emitRightsChanged();
    void setBusy(bool busy);
    void setTypedPassword(const QString &password);
    void wipeTypedPassword();
    QString startModuleFor(const QString &wanted) const;

    CommunicationController *m_communication;
    SettingsService *m_settings;
    LoggingService *m_activityLog;
    TranslationService *m_translation;
    UserCredentials m_credentials;
    QString m_typedUserName;
    /// The only copy of the typed password, kept for the silent re-login after
    /// a reconnection; overwritten at logout and at the end.
    QString m_typedPassword;
    AuthorizationMatrix m_matrix;
    bool m_loggedIn = false;
    QTimer m_loginTimer;
    bool m_loginTimedOut = false;
    PendingLogin m_pendingLogin = PendingLogin::None;
    bool m_busy = false;
    // The password work runs on the thread pool; what it belongs to waits here.
    QFutureWatcher<bool> m_verifyJob;
    QFutureWatcher<QString> m_verifierJob;
    UserCredentials m_candidate;
    bool m_candidateSilent = false;
    /// Counts logouts, so that work started before one is dropped after it.
    quint64 m_session = 0;
    quint64 m_candidateSession = 0;
    QStringList m_updateInfo;
    bool m_loginBlocked = false;
};
