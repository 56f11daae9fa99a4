#include "MessageBase.h"

#include "ProtocolReader.h"
#include "ProtocolTypes.h"

#include <QtCore/QDataStream>
#include <QtCore/QtEndian>
#include <QtCore/QIODevice>

MessageBase::MessageBase()
    : m_protocolVersion(Protocol::kProtocolVersion)
    , m_commandType(0)
{
}

MessageBase::MessageBase(const QByteArray &bytes)
    : MessageBase()
{
    MessageBase::deserialize(bytes);
}

MessageBase::MessageBase(qint32 commandType, qint32 messageId, bool isAck)
    : m_protocolVersion(Protocol::kProtocolVersion)
    , m_commandType(commandType)
    , m_messageId(messageId)
    , m_isAck(isAck)
{
}

MessageBase::~MessageBase() = default;

MessageBase MessageBase::heartbeat(bool isAck)
{
    return MessageBase(CommandType::Heartbeat, 0, isAck);
}

qint32 MessageBase::peekCommandType(const QByteArray &frame)
{
    if (frame.size() < Protocol::kHeaderSize)
        return 0;
    return qFromBigEndian<qint32>(frame.constData() + sizeof(qint32));
}

void MessageBase::prepareStream(QDataStream &stream)
{
    stream.setVersion(Protocol::kStreamVersion);
    stream.setByteOrder(QDataStream::BigEndian);
}

void MessageBase::writeBool(QDataStream &stream, bool value)
{
    // A bool on its own would be one byte; the protocol has a 32-bit word.
    stream << qint32(value ? 1 : 0);
}

void MessageBase::writeHeader(QDataStream &stream) const
{
    stream << m_protocolVersion << m_commandType << m_messageId;
    writeBool(stream, m_isAck);
}

void MessageBase::readHeader(ProtocolReader &reader)
{
    m_protocolVersion = reader.readInt32();
    m_commandType = reader.readInt32();
    m_messageId = reader.readInt32();
    m_isAck = reader.readBool();
}

QByteArray MessageBase::serialize() const
{
    QByteArray bytes;
    bytes.reserve(Protocol::kHeaderSize);
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    prepareStream(stream);
    writeHeader(stream);
    return bytes;
}

void MessageBase::deserialize(const QByteArray &bytes)
{
    ProtocolReader reader(bytes);
    readHeader(reader);
}

QString MessageBase::headerString() const
{
    return QStringLiteral("ProtocolVersion=%1, CommandType=%2, MessageId=%3, IsAck=%4")
        .arg(m_protocolVersion)
        .arg(m_commandType)
        .arg(m_messageId)
        .arg(m_isAck ? 1 : 0);
}

QString MessageBase::toString() const
{
    return headerString();
}
