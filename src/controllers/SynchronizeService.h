#pragma once

#include "UserSet.h"

#include <QtCore/QDateTime>
#include <QtCore/QElapsedTimer>
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QStringList>
#include <QtCore/QTimer>

#include <functional>

class FileTransfer;
class HalvoServer;
class INativeFunctionsWrapper;
class LoggingService;
class RoutingTable;
class SettingsService;

/// One synchronisation run after login: the server's lists, the instrument
/// catalogue, the service-centre directory, the uploads of pending user sets
/// and log files and the firmware descriptions, one request at a time,
/// polled by a wait timer. A request unanswered for kAnswerTimeoutMs ends the
/// run with syncTimeout().
class SynchronizeService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isActive READ isActive NOTIFY isActiveChanged)
    Q_PROPERTY(bool isSynching READ isSynching NOTIFY isSynchingChanged)
    Q_PROPERTY(int status READ status NOTIFY statusChanged)
    Q_PROPERTY(int position READ position NOTIFY positionChanged)
    Q_PROPERTY(bool canCancel READ canCancel NOTIFY canCancelChanged)
    Q_PROPERTY(bool instrumentCatalogReceived READ instrumentCatalogReceived NOTIFY instrumentCatalogReceivedChanged)
    Q_PROPERTY(bool serviceCenterFileReceived READ serviceCenterFileReceived NOTIFY serviceCenterFileReceivedChanged)
    Q_PROPERTY(int firmwareTotalCount READ firmwareTotalCount NOTIFY firmwareTotalCountChanged)
    Q_PROPERTY(int userSetTemplatesTotalCount READ userSetTemplatesTotalCount NOTIFY userSetTemplatesTotalCountChanged)
    Q_PROPERTY(int userSetDownloadTotalCount READ userSetDownloadTotalCount NOTIFY userSetDownloadTotalCountChanged)
    Q_PROPERTY(int userSetUploadTotalCount READ userSetUploadTotalCount NOTIFY userSetUploadTotalCountChanged)
    Q_PROPERTY(int appLogUploadTotalCount READ appLogUploadTotalCount NOTIFY appLogUploadTotalCountChanged)
    Q_PROPERTY(int cFirmware READ cFirmware NOTIFY cFirmwareChanged)
    Q_PROPERTY(int cUserSetTemplates READ cUserSetTemplates NOTIFY cUserSetTemplatesChanged)
    Q_PROPERTY(int cUserSetDownload READ cUserSetDownload NOTIFY cUserSetDownloadChanged)
    Q_PROPERTY(int cUserSetUpload READ cUserSetUpload NOTIFY cUserSetUploadChanged)
    Q_PROPERTY(int cAppLogUpload READ cAppLogUpload NOTIFY cAppLogUploadChanged)

public:
    enum EState { STATE_DOWNLOADING = 0, STATE_UPLOADING = 1, STATE_PROCESSING = 2, STATE_SYNC_DONE = 3 };
    Q_ENUM(EState)

    static constexpr int kWaitIntervalMs = 200;
    static constexpr int kTransferIntervalMs = 30;
    static constexpr int kAnswerTimeoutMs = 10000;
    /// Larger files would not fit in one frame; they are skipped, not retried for ever.
    static constexpr qint64 kMaxUploadSize = 32 * 1024 * 1024;

    /// `settings`, `activityLog` and `nativeFunctions` may be null.
    SynchronizeService(HalvoServer *server, SettingsService *settings, LoggingService *activityLog,
                       INativeFunctionsWrapper *nativeFunctions, QObject *parent = nullptr);

    /// Observes the server's files without taking them: register before their consumers.
    void registerRoutes(RoutingTable &serverRoutes);

    bool isActive() const { return m_isActive; }
    bool isSynching() const { return m_isSynching; }
    int status() const { return m_status; }
    int position() const { return m_position; }
    bool canCancel() const { return m_canCancel; }
    bool instrumentCatalogReceived() const { return m_instrumentCatalogReceived; }
    bool serviceCenterFileReceived() const { return m_serviceCenterFileReceived; }
    int firmwareTotalCount() const { return m_firmwareTotalCount; }
    int userSetTemplatesTotalCount() const { return m_userSetTemplatesTotalCount; }
    int userSetDownloadTotalCount() const { return m_userSetDownloadTotalCount; }
    int userSetUploadTotalCount() const { return m_userSetUploadTotalCount; }
    int appLogUploadTotalCount() const { return m_appLogUploadTotalCount; }
    int cFirmware() const { return m_firmwareTotalCount - int(m_firmware.size()); }
    int cUserSetTemplates() const { return int(m_templates.size()); }
    int cUserSetDownload() const { return int(m_downloads.size()); }
    int cUserSetUpload() const { return m_userSetUploadTotalCount - int(m_pendingUserSets.size()); }
    int cAppLogUpload() const { return m_appLogUploadTotalCount - int(m_pendingLogs.size()); }
    QString lastFile() const { return m_lastFile; }
    uint category() const { return m_category; }
    /// The file names of the server's lists of the last run.
    QStringList firmwareNames() const { return namesOf(m_firmware); }
    QStringList templateNames() const { return namesOf(m_templates); }
    QStringList downloadNames() const { return namesOf(m_downloads); }
    QStringList pendingUserSetUploads() const { return namesOf(m_pendingUserSets); }
    QStringList pendingLogUploads() const { return namesOf(m_pendingLogs); }
    /// Tests shorten the answer time-out.
    void setAnswerTimeout(int milliseconds) { m_answerTimeoutMs = milliseconds; }
    /// Milliseconds on a clock that never steps; measures the answer time-out.
    using MonotonicClock = std::function<qint64()>;
    /// The local date-time shown to people and stored as the last synchronisation.
    using WallClock = std::function<QDateTime()>;
    /// Tests move either clock on their own; empty functions restore the system's.
    void setClocks(MonotonicClock monotonic, WallClock wall);

    /// The user sets of `localFileNames` to upload against the server's
    /// `serverFileNames`: per part 2 the newest local one, when the server
    /// lists none with that part 2 or its last one is older. Names without a
    /// valid date-time are skipped. Ordered by part 2.
    static QStringList userSetsToUpload(const QStringList &localFileNames, const QStringList &serverFileNames);

public slots:
    void synchronize();
    void listReceived(const FileTransfer &message);
    void fileReceived(const QString &receivedName);
    void fileAckReceived(const QString &receivedName);
    void userHasLoggedIn(const QString &userName) { m_userName = userName; }
    QDateTime getLastSyncDateTime() const;
    void cancel();
    void onWaitTimerTimeout();

signals:
    void isActiveChanged();
    void isSynchingChanged();
    void statusChanged();
    void positionChanged();
    void canCancelChanged();
    void instrumentCatalogReceivedChanged();
    void serviceCenterFileReceivedChanged();
    void firmwareTotalCountChanged();
    void userSetTemplatesTotalCountChanged();
    void userSetDownloadTotalCountChanged();
    void userSetUploadTotalCountChanged();
    void appLogUploadTotalCountChanged();
    void cFirmwareChanged();
    void cUserSetTemplatesChanged();
    void cUserSetDownloadChanged();
    void cUserSetUploadChanged();
    void cAppLogUploadChanged();
    void syncCompleted();
    void syncTimeout(uint cause, uint category, QString lastFile);

private:
    static QStringList namesOf(const QList<UserSetFileRecord> &records);
    static QList<UserSetFileRecord> parseList(const QByteArray &payload);
    void reset();
    void answered(const QString &answerTo);
    /// One extra tick as soon as the event loop is free.
    void pollSoon();
    void restartAnswerClock() { m_lastAnswerMs = m_monotonic(); }
    void request(qint32 type, qint32 selector, const QString &additionalInfo, const QString &label);
    void setActive(bool active);
    void setSynching(bool synching);
    void setStatus(EState status, int position, bool canCancel);
    void emitTotals();
    void prepareTransfers();
    void markPresent(QList<UserSetFileRecord> &records, const QString &folder, bool removePresent);
    void sendNextRequest();
    /// False when the pending upload cannot be sent; it has then been dropped.
    bool readUpload(const UserSetFileRecord &record, QByteArray *data);
    void dropPendingUpload(QList<UserSetFileRecord> &pending, const QString &fileName);
    void startPreventLock();
    void endPreventLock();

    HalvoServer *m_server;
    SettingsService *m_settings;
    LoggingService *m_activityLog;
    INativeFunctionsWrapper *m_nativeFunctions;
    QString m_userName;
    bool m_isActive = false;
    bool m_isSynching = false;
    EState m_status = STATE_DOWNLOADING;
    int m_position = 0;
    bool m_canCancel = false;
    bool m_instrumentCatalogReceived = false;
    bool m_serviceCenterFileReceived = false;
    bool m_firmwareListReceived = false;
    bool m_templateListReceived = false;
    bool m_downloadsListReceived = false;
    bool m_secondDownloadsRequestSent = false;
    bool m_secondDownloadsListReceived = false;
    bool m_finalWaitDone = false;
    bool m_preventLockHeld = false;
    bool m_pollQueued = false;
    int m_firmwareTotalCount = 0;
    int m_userSetTemplatesTotalCount = 0;
    int m_userSetDownloadTotalCount = 0;
    int m_userSetUploadTotalCount = 0;
    int m_appLogUploadTotalCount = 0;
    uint m_category = 0;
    QString m_lastFile;
    int m_answerTimeoutMs = kAnswerTimeoutMs;
    // Monotonic, so that a step of the wall clock neither fires nor hides a time-out.
    QElapsedTimer m_systemMonotonic;
    MonotonicClock m_monotonic;
    WallClock m_wallClock;
    qint64 m_lastAnswerMs = 0;
    QList<UserSetFileRecord> m_firmware;
    QList<UserSetFileRecord> m_templates;
    QList<UserSetFileRecord> m_downloads;
    QList<UserSetFileRecord> m_pendingUserSets;
    QList<UserSetFileRecord> m_pendingLogs;
    QTimer m_waitTimer;
};
