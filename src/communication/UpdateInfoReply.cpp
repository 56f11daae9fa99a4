#include "UpdateInfoReply.h"

#include "ProtocolReader.h"
#include "ProtocolTypes.h"

#include <QtCore/QDataStream>
#include <QtCore/QIODevice>
#include <QtCore/QStringList>

namespace {
const QString kHttp = QStringLiteral("http://");
const QString kHttps = QStringLiteral("https://");
} // namespace

UpdateInfoReply::UpdateInfoReply()
    : MessageBase(CommandType::UpdateInfoReply, 0, false)
{
}

UpdateInfoReply::UpdateInfoReply(const QByteArray &bytes)
    : UpdateInfoReply()
{
    UpdateInfoReply::deserialize(bytes);
}

QString UpdateInfoReply::withScheme(const QString &link)
{
    // A secure link must stay usable; prefixing it would yield "http://https://...".
    if (link.startsWith(kHttp) || link.startsWith(kHttps))
        return link;
    return kHttp + link;
}

void UpdateInfoReply::setFields(const QStringList &s, qint32 updateTyp)
{
    QString *fields[] = {&m_spare,         &m_headlineDE, &m_textDE,        &m_linkiOSDE,     &m_linkTextiOSDE,
                         &m_linkWindowsDE, &m_linkTextWindowsDE, &m_headlineEN, &m_textEN,   &m_linkiOSEN,
                         &m_linkTextiOSEN, &m_linkWindowsEN, &m_linkTextWindowsEN};
    for (int i = 0; i < 13; ++i)
        *fields[i] = s.value(i);
    m_updateTyp = updateTyp;
}

QByteArray UpdateInfoReply::serialize() const
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    prepareStream(stream);
    writeHeader(stream);
    stream << m_spare << m_headlineDE << m_textDE << m_linkiOSDE << m_linkTextiOSDE << m_linkWindowsDE
           << m_linkTextWindowsDE << m_headlineEN << m_textEN << m_linkiOSEN << m_linkTextiOSEN << m_linkWindowsEN
           << m_linkTextWindowsEN << m_updateTyp;
    return bytes;
}

void UpdateInfoReply::deserialize(const QByteArray &bytes)
{
    ProtocolReader reader(bytes);
    readHeader(reader);
    m_spare = reader.readString();
    m_headlineDE = reader.readString();
    m_textDE = reader.readString();
    m_linkiOSDE = withScheme(reader.readString());
    m_linkTextiOSDE = reader.readString();
    m_linkWindowsDE = withScheme(reader.readString());
    m_linkTextWindowsDE = reader.readString();
    m_headlineEN = reader.readString();
    m_textEN = reader.readString();
    m_linkiOSEN = withScheme(reader.readString());
    m_linkTextiOSEN = reader.readString();
    m_linkWindowsEN = withScheme(reader.readString());
    m_linkTextWindowsEN = reader.readString();
    m_updateTyp = reader.readInt32();
}

QString UpdateInfoReply::toString() const
{
    return QStringLiteral("UpdateInfoReply: UpdateTyp=%1, HeadlineDE=%2, TextDE=%3, LinkiOSDE=%4, LinkWindowsDE=%5, "
                          "HeadlineEN=%6, TextEN=%7, LinkiOSEN=%8, LinkWindowsEN=%9")
        .arg(QString::number(m_updateTyp), m_headlineDE, m_textDE, m_linkiOSDE, m_linkWindowsDE, m_headlineEN,
             m_textEN, m_linkiOSEN, m_linkWindowsEN);
}
