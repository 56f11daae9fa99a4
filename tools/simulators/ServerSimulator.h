#pragma once

#include "SimulatorPeer.h"

#include <QtCore/QMap>
#include <QtCore/QSet>

/// The simulated back-end server. Its data directory holds "users.ini" (one
/// group per account: Password, Role as a role name, FirstName, LastName,
/// Company, Institution1, Institution2, Locked), the lists in "lists/"
/// (firmware.txt, templates.txt, downloads.txt: the exact payloads; made from
/// the folders when missing), user sets in "usersets/downloads" and
/// "usersets/templates", firmware pairs in "firmware/", the instrument
/// catalogue in "catalogue/", the service-centre directory in
/// "servicecenters/". What it receives is kept below "received/".
class ServerSimulator : public SimulatorPeer
{
    Q_OBJECT

public:
    static constexpr quint16 kDefaultPort = 8081;

    enum class UpdateInfo { None, Information, Blocking };

    struct Account
    {
        QString userName;
        QString password;
        int role = 0;
        QString firstName;
        QString lastName;
        QString company;
        QString institution1;
        QString institution2;
        bool locked = false;
    };

    explicit ServerSimulator(QObject *parent = nullptr);

    /// Also loads the accounts of "users.ini" when the directory has one.
    void setDataDirectory(const QString &directory) override;
    void addAccount(const Account &account);
    QList<Account> accounts() const { return m_accounts.values(); }

    // Faults and options.
    void setRefuseLogins(bool refuse) { m_refuseLogins = refuse; }
    void setIgnoreLogins(bool ignore) { m_ignoreLogins = ignore; }
    void setRejectContactMessages(bool reject) { m_rejectContactMessages = reject; }
    /// Stores files of this type but never answers them (0: answer all).
    void setNoAckFileType(qint32 fileType);
    /// Adds a type to those stored but never answered.
    void addNoAckFileType(qint32 fileType) { m_noAckFileTypes.insert(fileType); }
    /// A request never answered: a GetRequest type, and its Selector unless kAnySelector.
    struct DroppedRequest
    {
        qint32 type = 0;
        qint32 selector = kAnySelector;
        bool operator==(const DroppedRequest &other) const { return type == other.type && selector == other.selector; }
    };
    static constexpr qint32 kAnySelector = -1;
    void addDroppedRequest(const DroppedRequest &request) { m_droppedRequests.append(request); }
    void clearDroppedRequests() { m_droppedRequests.clear(); }
    /// "TYPE" or "TYPE:SELECTOR", both whole numbers from 0; false for anything else.
    static bool parseDroppedRequest(const QString &text, DroppedRequest *request);
    /// The file types --no-ack accepts: user sets, application logs, contact messages.
    static bool isAcknowledgedFileType(qint32 fileType);
    /// After the first downloads list of a synchronisation (which starts with
    /// the firmware list) the listed user sets follow unasked. On by default.
    void setPushDownloads(bool push) { m_pushDownloads = push; }
    /// Contact messages larger than this are refused (0: no limit).
    void setContactLimit(qint64 bytes) { m_contactLimit = bytes; }
    void setUpdateInfo(UpdateInfo mode) { m_updateInfo = mode; }
    /// Fault: the next `count` user-set answers are broken files; kNeverAnswer never answers.
    void setUserSetFault(int count) { m_userSetFaults = count; }
    static constexpr int kNeverAnswer = -1;
    /// Lists `count` synthetic downloads besides the real ones; their files
    /// are made from the first template when asked for.
    void setManyUserSets(int count) { m_manyUserSets = count; }
    /// "N" or "never"; false for anything else.
    static bool parseUserSetFault(const QString &text, int *count);
    /// "none", "info" or "blocking"; false for anything else.
    static bool parseUpdateInfo(const QString &text, UpdateInfo *mode);
    /// UpdateTyp on the wire: 2 no information, 1 an update that blocks the login, 0 news only.
    static qint32 updateTyp(UpdateInfo mode);

    /// Names of the users whose login was accepted, in order.
    QStringList acceptedLogins() const { return m_acceptedLogins; }
    int logoutCount() const { return m_logoutCount; }
    /// Where a received single-message file of this type is kept.
    QString receivedPath(qint32 fileType, const QString &directory, const QString &fileName) const;

protected:
    void handleMessage(Connection *connection, const QByteArray &frame) override;
    void handleUpload(Connection *connection, const Connection::Incoming &upload) override;

private:
    void answerLogin(Connection *connection, const QByteArray &frame);
    void answerRequest(Connection *connection, const QByteArray &frame);
    void answerFile(Connection *connection, const FileTransfer &message);
    void sendUpdateInfo(Connection *connection);
    QByteArray syntheticUserSet(const QString &fileName, bool *ok) const;
    /// The payload sent.
    QByteArray sendList(Connection *connection, qint32 fileType, qint32 selector, const QString &listName,
                        const QString &folder, const QStringList &filters);
    void sendUserSet(Connection *connection, qint32 category, const QString &path, bool withFaults = true);
    void pushDownloads(Connection *connection, const QByteArray &list);
    bool isDropped(qint32 type, qint32 selector) const;
    void sendNewestFile(Connection *connection, qint32 fileType, const QString &folder, const QStringList &filters);
    void sendFile(Connection *connection, qint32 fileType, qint32 selector, const QString &path);

    QMap<QString, Account> m_accounts;
    bool m_refuseLogins = false;
    bool m_ignoreLogins = false;
    bool m_rejectContactMessages = false;
    QSet<qint32> m_noAckFileTypes;
    QList<DroppedRequest> m_droppedRequests;
    bool m_pushDownloads = true;
    // Connections whose synchronisation has not had its first downloads list yet.
    QSet<const Connection *> m_awaitingDownloadsList;
    qint64 m_contactLimit = 0;
    UpdateInfo m_updateInfo = UpdateInfo::None;
    QStringList m_acceptedLogins;
    int m_logoutCount = 0;
    int m_userSetFaults = 0;
    int m_manyUserSets = 0;
};
