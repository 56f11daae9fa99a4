#include "SupportMail.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>
#include <QtCore/QUuid>

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

// Length of the longest prefix of `bytes` from `from` of at most `limit`
// bytes that ends on a UTF-8 character boundary (never 0 while bytes remain).
int chunkLength(const QByteArray &bytes, int from, int limit)
{
    int length = qMin(limit, int(bytes.size()) - from);
    if (from + length >= bytes.size())
        return length;
    // Back off while the next byte continues a sequence (10xxxxxx).
    int cut = length;
    while (cut > 0 && (quint8(bytes.at(from + cut)) & 0xC0) == 0x80)
        --cut;
    return cut > 0 ? cut : length;
}

} // namespace

void SupportMail::clear()
{
    m_sender.clear();
    m_subject.clear();
    m_body.clear();
    m_recipients.clear();
    m_attachments.clear();
}

bool SupportMail::isValidAddress(const QString &address)
{
    // anchoredPattern: a plain "$" would also accept a trailing line feed.
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("[A-Z0-9._%+-]+@[A-Z0-9.-]+\\.[A-Z]{2,}")),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(address).hasMatch();
}

bool SupportMail::setSender(const QString &address)
{
    if (!isValidAddress(address))
        return false;
    m_sender = address;
    return true;
}

bool SupportMail::addRecipient(const QString &address)
{
    if (!isValidAddress(address))
        return false;
    if (!m_recipients.contains(address))
        m_recipients.append(address);
    return true;
}

bool SupportMail::setSubject(const QString &subject)
{
    if (hasLineBreak(subject))
        return false;
    m_subject = subject;
    return true;
}

QByteArray SupportMail::subjectHeader(const QString &subject)
{
    const QByteArray bytes = subject.toUtf8();
    QByteArray header = QByteArrayLiteral("Subject: ");
    int from = 0;
    bool first = true;
    do {
        const int length = chunkLength(bytes, from, first ? kFirstSubjectChunk : kNextSubjectChunk);
        if (!first)
            header += ' ';
        header += "=?utf-8?B?" + bytes.mid(from, length).toBase64() + "?=" + kCrLf;
        from += length;
        first = false;
    } while (from < bytes.size());
    return header;
}

void SupportMail::appendBase64Lines(QByteArray &out, const QByteArray &data)
{
    const QByteArray encoded = data.toBase64();
    const qsizetype lines = (encoded.size() + kLineLength - 1) / kLineLength;
    if (out.capacity() < out.size() + encoded.size() + lines * 2)
        out.reserve(out.size() + encoded.size() + lines * 2);
    for (qsizetype at = 0; at < encoded.size(); at += kLineLength) {
        out.append(encoded.constData() + at, qMin<qsizetype>(kLineLength, encoded.size() - at));
        out.append("\r\n", 2);
    }
}

QByteArray SupportMail::dispositionFor(const QString &fileName)
{
    bool plain = true;
    for (const QChar c : fileName) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E) {
            plain = false;
            break;
        }
    }
    if (plain) {
        QString quoted = fileName;
        quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
        return "attachment; filename=\"" + quoted.toLatin1() + '"';
    }
    // RFC 2231: attribute characters stay, everything else is %XX of UTF-8.
    return "attachment; filename*=utf-8''" + fileName.toUtf8().toPercentEncoding("!#$&+-.^_`|~");
}

QByteArray SupportMail::toMime() const
{
    return toMime(
        QDateTime::currentDateTime(), QStringLiteral("boundary") + QUuid::createUuid().toString(QUuid::WithoutBraces));
}

QByteArray SupportMail::toMime(const QDateTime &date, const QString &boundaryText) const
{
    if (m_recipients.isEmpty() || m_sender.isEmpty())
        return QByteArray();
    for (const QString &value : m_recipients + QStringList { m_sender, m_subject }) {
        if (hasLineBreak(value))
            return QByteArray();
    }
    const QByteArray boundary = boundaryText.toLatin1();
    const QByteArray separator = "--" + boundary + kCrLf;
    // One allocation for the whole message: Base64 is 4/3 of the input plus
    // CR LF per 72 characters, and a few hundred bytes of headers per part.
    qint64 expected = 4096 + m_body.size() * 3;
    for (const QString &path : m_attachments)
        expected += QFileInfo(path).size() * 4 / 3 * 74 / 72 + 512;
    QByteArray mime;
    mime.reserve(qsizetype(expected));
    mime += "MIME-Version: 1.0" + kCrLf;
    mime += "From: " + m_sender.toUtf8() + kCrLf;
    mime += "To: " + m_recipients.join(QLatin1Char(',')).toUtf8() + kCrLf;
    mime += "Date: " + date.toString(Qt::RFC2822Date).toLatin1() + kCrLf;
    mime += subjectHeader(m_subject);
    mime += "Content-Type: multipart/mixed; boundary=" + boundary + kCrLf + kCrLf;

    mime += separator;
    mime += "Content-Type: text/plain; charset=utf-8" + kCrLf;
    mime += "Content-Transfer-Encoding: base64" + kCrLf + kCrLf;
    appendBase64Lines(mime, m_body.toUtf8());

    for (const QString &path : m_attachments) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString fileName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        if (hasLineBreak(fileName))
            continue;
        mime += separator;
        mime += "Content-Type: application/octet-stream" + kCrLf;
        mime += "Content-Transfer-Encoding: base64" + kCrLf;
        mime += "Content-Disposition: " + dispositionFor(fileName) + kCrLf + kCrLf;
        appendBase64Lines(mime, file.readAll());
    }
    mime += "--" + boundary + "--" + kCrLf;
    return mime;
}
