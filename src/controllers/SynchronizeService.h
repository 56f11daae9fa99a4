#pragma once

#include "UserSet.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QStringList>
#include <QtCore/QTimer>

class FileTransfer;
class HalvoServer;
class RoutingTable;

/// One synchronisation run after login: the server's firmware, template and
/// downloads lists, one request at a time, polled by a wait timer. A request
/// unanswered for kAnswerTimeoutMs ends the run with syncTimeout().
class SynchronizeService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isActive READ isActive NOTIFY isActiveChanged)
    Q_PROPERTY(int status READ status NOTIFY statusChanged)
    Q_PROPERTY(int position READ position NOTIFY positionChanged)

public:
    enum EState { STATE_DOWNLOADING = 0, STATE_UPLOADING = 1, STATE_PROCESSING = 2, STATE_SYNC_DONE = 3 };
    Q_ENUM(EState)

    static constexpr int kWaitIntervalMs = 200;
    static constexpr int kAnswerTimeoutMs = 10000;

    explicit SynchronizeService(HalvoServer *server, QObject *parent = nullptr);

    void registerRoutes(RoutingTable &serverRoutes);

    bool isActive() const { return m_isActive; }
    int status() const { return m_status; }
    int position() const { return m_position; }
    QString lastFile() const { return m_lastFile; }
    /// The file names of the server's lists of the last run.
    QStringList firmwareNames() const { return namesOf(m_firmware); }
    QStringList templateNames() const { return namesOf(m_templates); }
    QStringList downloadNames() const { return namesOf(m_downloads); }
    /// Tests shorten the answer time-out.
    void setAnswerTimeout(int milliseconds) { m_answerTimeoutMs = milliseconds; }

public slots:
    void synchronize();
    void listReceived(const FileTransfer &message);
    void userHasLoggedIn(const QString &userName) { m_userName = userName; }
    void cancel();
    void onWaitTimerTimeout();

signals:
    void isActiveChanged();
    void statusChanged();
    void positionChanged();
    void syncCompleted();
    void syncTimeout(uint cause, uint category, QString lastFile);

private:
    static QStringList namesOf(const QList<UserSetFileRecord> &records);
    static QList<UserSetFileRecord> parseList(const QByteArray &payload);
    void reset();
    void request(qint32 type, qint32 selector, const QString &label);
    void setActive(bool active);
    void setStatus(EState status, int position);
    void complete();

    HalvoServer *m_server;
    QString m_userName;
    bool m_isActive = false;
    EState m_status = STATE_DOWNLOADING;
    int m_position = 0;
    bool m_firmwareListReceived = false;
    bool m_templateListReceived = false;
    bool m_downloadsListReceived = false;
    uint m_category = 0;
    QString m_lastFile;
    int m_answerTimeoutMs = kAnswerTimeoutMs;
    // Monotonic, so that a clock step neither fires nor hides a time-out.
    QElapsedTimer m_sinceLastAnswer;
    QList<UserSetFileRecord> m_firmware;
    QList<UserSetFileRecord> m_templates;
    QList<UserSetFileRecord> m_downloads;
    QTimer m_waitTimer;
};
