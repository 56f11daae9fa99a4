#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QDateTime>
#include <QtCore/QString>
#include <QtCore/QStringList>

/// A support message and its MIME form (multipart/mixed, Base64 parts in
/// 72-character lines, CR LF line ends, the subject in RFC 2047 words).
class SupportMail
{
public:
    static constexpr int kLineLength = 72;
    static constexpr int kFirstSubjectChunk = (60 - 9) / 4 * 3;
    static constexpr int kNextSubjectChunk = 59 / 4 * 3;

    void clear();
    /// False, and nothing stored, unless `address` is one plain address.
    bool setSender(const QString &address);
    /// False for an invalid address; a known one is not added twice.
    bool addRecipient(const QString &address);
    /// False, and nothing stored, for a subject with a line break.
    bool setSubject(const QString &subject);
    void setBody(const QString &body) { m_body = body; }
    void addAttachment(const QString &path) { m_attachments.append(path); }

    QString sender() const { return m_sender; }
    QString subject() const { return m_subject; }
    QString body() const { return m_body; }
    QStringList recipients() const { return m_recipients; }
    QStringList attachments() const { return m_attachments; }

    /// The whole address, case-insensitively: local part, "@", domain with a
    /// top-level part of two letters or more; nothing before or after.
    static bool isValidAddress(const QString &address);

    /// The message; empty without sender or recipient. Attachments that cannot
    /// be read are left out.
    QByteArray toMime() const;
    /// The same with a fixed date and boundary, for checks and tools.
    QByteArray toMime(const QDateTime &date, const QString &boundary) const;

    /// The "Subject:" header with its folded encoded words, CR LF included.
    /// Words end on character boundaries, so each decodes on its own.
    static QByteArray subjectHeader(const QString &subject);
    /// Appends `data` Base64-encoded in lines of kLineLength, each ended by CR LF.
    static void appendBase64Lines(QByteArray &out, const QByteArray &data);
    /// The Content-Disposition value for a file name: quoted, or RFC 2231
    /// encoded when it is not plain ASCII.
    static QByteArray dispositionFor(const QString &fileName);

private:
    QString m_sender;
    QString m_subject;
    QString m_body;
    QStringList m_recipients;
    QStringList m_attachments;
};
