#pragma once

#include "SupportMail.h"

#include <QtCore/QObject>
#include <QtCore/QSet>
#include <QtCore/QTimer>

#include <string>

class FileTransfer;
class HalvoServer;
class Outbox;
class RoutingTable;

/// Composes support messages, keeps them in the outbox until the server has
/// acknowledged them, and sends the outbox on request. One message is in
/// flight at a time; an answer counts only for that message.
class MailService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isAvailable READ isAvailable NOTIFY isAvailableChanged)
    Q_PROPERTY(bool isBusy READ isBusy NOTIFY isBusyChanged)
public:
    enum State { Idle = 0, SendingNew = 1, Outboxing = 2 };
    Q_ENUM(State)
    static constexpr int kAnswerTimeoutMs = 10000;
    /// The attachments of one message together may not be larger.
    static constexpr qint64 kMailSizeLimit = 20000000;

    explicit MailService(HalvoServer *server, QObject *parent = nullptr);
    ~MailService() override;

    /// Another outbox for tests; the process-wide one by default.
    void setOutbox(Outbox *outbox);
    void setAnswerTimeout(int milliseconds) { m_timer.setInterval(milliseconds); }
    void registerRoutes(RoutingTable &serverRoutes);

    bool isAvailable() const;
    bool isBusy() const { return m_state != Idle; }
    State state() const { return m_state; }
    QString inFlightName() const { return m_inFlightName; }

    /// Writes a contact message to the outbox and, unless `outboxOnly`, sends
    /// it. False, with nothing stored, when busy, when an address or the
    /// serial number is not usable, or when the attachments are too large.
    bool writeContactMessage(bool outboxOnly, const QString &serialNumber, const QString &sender,
        const QString &hospital, const QString &senderName, const QString &senderPhone, const QString &subject,
        const QString &description, const QString &userSetPath, const QString &chronoFlexPath,
        const QString &chronoFixPath);
    /// ".eml" name of a message from this generator at that time.
    static QString emlFileName(const QString &serialNumber, const QDateTime &time);
    static qint64 totalFileSize(const QStringList &paths);

    Q_INVOKABLE void sendEMail(const QString &receiver);
    Q_INVOKABLE void sendOutbox();

signals:
    void mailAttachementReceived(QString filename);
    void isAvailableChanged();
    void isBusyChanged(bool isOutbox, bool isError);

public slots:
    void onMailAttachementReceived(std::string url);
    void onDecryptionDone(bool success, QString emlFilename, QByteArray decrypted);
    /// The server's answer to a contact message (type 16).
    void onContactMessageAnswer(const FileTransfer &answer);

private slots:
    void onEncryptionDone(bool success, QByteArray id);
    void onTimeout();

private:
    void setState(State state);
    void finish(bool isOutbox, bool isError);
    void takeNext();
    bool send(const QString &fileName, const QByteArray &mime);

    HalvoServer *m_server;
    Outbox *m_outbox;
    State m_state = Idle;
    QTimer m_timer;
    SupportMail m_mail;
    QByteArray m_mime;
    QString m_pendingName;
    QByteArray m_inFlightId;
    QString m_inFlightName;
    QSet<QByteArray> m_skipped;
    bool m_runHadError = false;
};
