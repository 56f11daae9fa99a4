#include "GetRequest.h"

#include "ProtocolReader.h"
#include "ProtocolTypes.h"

#include <QtCore/QDataStream>
#include <QtCore/QIODevice>

GetRequest::GetRequest()
    : MessageBase(CommandType::GetRequest, 0, false)
{
}

GetRequest::GetRequest(const QByteArray &bytes)
    : GetRequest()
{
    GetRequest::deserialize(bytes);
}

GetRequest::GetRequest(qint32 messageId, bool isAck, qint32 getRequestType, qint32 selector,
                       const QString &additionalInfo)
    : MessageBase(CommandType::GetRequest, messageId, isAck)
    , m_getRequestType(getRequestType)
    , m_selector(selector)
    , m_additionalInfo(additionalInfo)
{
}

QByteArray GetRequest::serialize() const
{
    QByteArray bytes;
    bytes.reserve(Protocol::kHeaderSize + 12 + m_additionalInfo.size() * 2);
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    prepareStream(stream);
    writeHeader(stream);
    stream << m_getRequestType << m_selector << m_additionalInfo;
    return bytes;
}

void GetRequest::deserialize(const QByteArray &bytes)
{
    ProtocolReader reader(bytes);
    readHeader(reader);
    m_getRequestType = reader.readInt32();
    m_selector = reader.readInt32();
    m_additionalInfo = reader.readString();
}

QString GetRequest::toString() const
{
    return QStringLiteral("GetRequest: GetRequestType=%1, Selector=%2, AdditionalInfo=%3")
        .arg(QString::number(m_getRequestType), QString::number(m_selector), m_additionalInfo);
}
