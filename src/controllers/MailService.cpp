#include "MailService.h"

#include "DataPaths.h"
#include "FileTransfer.h"
#include "HalvoServer.h"
#include "Logger.h"
#include "Outbox.h"
#include "ProtocolTypes.h"
#include "RoutingTable.h"
#include "Settings.h"

#include <QtCore/QFileInfo>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>

MailService::MailService(HalvoServer *server, QObject *parent)
    : QObject(parent)
    , m_server(server)
    , m_outbox(nullptr)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kAnswerTimeoutMs);
    connect(&m_timer, &QTimer::timeout, this, &MailService::onTimeout);
    if (m_server)
        connect(m_server, &HalvoServer::isConnectedChanged, this, &MailService::isAvailableChanged);
    setOutbox(Outbox::instance());
}

MailService::~MailService() = default;

void MailService::setOutbox(Outbox *outbox)
{
    if (m_outbox)
        disconnect(m_outbox, nullptr, this, nullptr);
    m_outbox = outbox;
    connect(m_outbox, &Outbox::decryptionDone, this, &MailService::onDecryptionDone);
    connect(m_outbox, &Outbox::encryptionDone, this, &MailService::onEncryptionDone);
}

void MailService::registerRoutes(RoutingTable &serverRoutes)
{
    serverRoutes.onFile(FileType::ContactMessage, [this](const FileTransfer &answer) {
        onContactMessageAnswer(answer);
        return true;
    });
}

bool MailService::isAvailable() const
{
    return m_server && m_server->isConnected();
}

void MailService::setState(State state)
{
    m_state = state;
}

QString MailService::emlFileName(const QString &serialNumber, const QDateTime &time)
{
    return QStringLiteral("QELO3_%1_%2.eml").arg(serialNumber, time.toString(QStringLiteral("yyyyMMdd_hhmmss")));
}

qint64 MailService::totalFileSize(const QStringList &paths)
{
    qint64 total = 0;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isFile())
            total += info.size();
    }
    return total;
}

bool MailService::writeContactMessage(bool outboxOnly, const QString &serialNumber, const QString &sender,
    const QString &hospital, const QString &senderName, const QString &senderPhone, const QString &subject,
    const QString &description, const QString &userSetPath, const QString &chronoFlexPath, const QString &chronoFixPath)
{
    if (m_state != Idle) {
        Logger::warn(QStringLiteral("MailService::writeContactMessage: a message is being handled"));
        return false;
    }
    const QStringList attachments { userSetPath, chronoFlexPath, chronoFixPath };
    if (totalFileSize(attachments) > kMailSizeLimit) {
        Logger::error(
            QStringLiteral("MailService::writeContactMessage: the attachments exceed %1 bytes").arg(kMailSizeLimit));
        return false;
    }
    // The serial number becomes part of a file name and of the outbox record.
    const QString fileName = emlFileName(serialNumber, QDateTime::currentDateTime());
    if (DataPaths::safeFileName(fileName).isEmpty() || fileName.contains(QLatin1Char(';'))) {
        Logger::error(
            QStringLiteral("MailService::writeContactMessage: unusable serial number \"%1\"").arg(serialNumber));
        return false;
    }
    const QString recipient = Settings::getValue(
        QStringLiteral("Preferences/ContactMailAddress"), QStringLiteral("service@halvo-medical.example"));
    m_mail.clear();
    const bool addressed = m_mail.setSender(sender) && m_mail.addRecipient(recipient);
    const bool titled = m_mail.setSubject(subject);
    for (const QString &path : attachments)
        m_mail.addAttachment(path);
    m_mail.setBody(QStringLiteral("Hospital: %1\n").arg(hospital) + QStringLiteral("Name: %1\n").arg(senderName)
        + QStringLiteral("Phone: %1\n\n").arg(senderPhone)
        + QStringLiteral("Description of the problem:\n%1").arg(description));
    m_mime = addressed && titled ? m_mail.toMime() : QByteArray();
    if (m_mime.isEmpty()) {
        Logger::error(QStringLiteral("MailService::writeContactMessage: the message could not be composed"));
        return false;
    }
    m_pendingName = fileName;
    setState(outboxOnly ? Outboxing : SendingNew);
    emit isBusyChanged(outboxOnly, false);
    if (!m_outbox->add(fileName, m_mime)) {
        finish(true, true);
        return false;
    }
    return true;
}

void MailService::onEncryptionDone(bool success, QByteArray id)
{
    // Store jobs of others (a tool, a test) are none of this service's business.
    if (m_pendingName.isEmpty())
        return;
    const QString fileName = m_pendingName;
    m_pendingName.clear();
    if (!success || m_state != SendingNew) {
        finish(true, !success);
        return;
    }
    m_inFlightId = id;
    if (!send(fileName, m_mime))
        finish(true, true);
    m_mime.clear();
}

bool MailService::send(const QString &fileName, const QByteArray &mime)
{
    // Without a link nothing goes out; the message waits in the outbox.
    if (!isAvailable())
        return false;
    m_inFlightName = fileName;
    m_timer.start();
    m_server->putContactMessage(mime, fileName);
    return true;
}

void MailService::sendOutbox()
{
    if (m_state != Idle || m_outbox->count() == 0)
        return;
    setState(Outboxing);
    m_skipped.clear();
    m_runHadError = false;
    emit isBusyChanged(true, false);
    takeNext();
}

void MailService::takeNext()
{
    QByteArray id;
    if (!m_outbox->next(id, m_skipped)) {
        finish(true, m_runHadError);
        return;
    }
    m_inFlightId = id;
    m_inFlightName.clear();
    m_timer.start();
    if (!m_outbox->decrypt(id))
        finish(true, true);
}

void MailService::onDecryptionDone(bool success, QString emlFilename, QByteArray decrypted)
{
    if (m_state != Outboxing || m_inFlightId.isEmpty() || !m_inFlightName.isEmpty())
        return;
    if (!success) {
        // The broken file is set aside by the outbox; the others still go.
        m_runHadError = true;
        m_skipped.insert(m_inFlightId);
        takeNext();
        return;
    }
    if (!send(emlFilename, decrypted))
        finish(true, true);
}

void MailService::onContactMessageAnswer(const FileTransfer &answer)
{
    if (m_state == Idle || m_inFlightName.isEmpty() || answer.filename() != m_inFlightName) {
        Logger::warn(QStringLiteral("MailService::onContactMessageAnswer: answer for \"%1\" ignored; in flight: \"%2\"")
                         .arg(answer.filename(), m_inFlightName));
        return;
    }
    m_timer.stop();
    if (!answer.isAck()) {
        finish(m_state == Outboxing, true);
        return;
    }
    m_outbox->remove(m_inFlightId);
    m_inFlightId.clear();
    m_inFlightName.clear();
    if (m_state != Outboxing) {
        finish(false, false);
        return;
    }
    takeNext();
}

void MailService::onTimeout()
{
    if (m_state == Idle)
        return;
    Logger::warn(QStringLiteral("MailService::onTimeout: no answer for \"%1\"").arg(m_inFlightName));
    finish(m_state == Outboxing, true);
}

void MailService::finish(bool isOutbox, bool isError)
{
    m_timer.stop();
    m_inFlightId.clear();
    m_inFlightName.clear();
    m_pendingName.clear();
    setState(Idle);
    emit isBusyChanged(isOutbox, isError);
}

void MailService::sendEMail(const QString &receiver)
{
    if (!SupportMail::isValidAddress(receiver)) {
        Logger::warn(QStringLiteral("MailService::sendEMail: not an address: \"%1\"").arg(receiver));
        return;
    }
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:%1?subject=Contact&body=").arg(receiver)));
}

void MailService::onMailAttachementReceived(std::string url)
{
    emit mailAttachementReceived(QString::fromStdString(url));
}
