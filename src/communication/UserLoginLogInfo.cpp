#include "UserLoginLogInfo.h"

#include "ProtocolReader.h"
#include "ProtocolTypes.h"

#include <QtCore/QDataStream>
#include <QtCore/QIODevice>

UserLoginLogInfo::UserLoginLogInfo()
    : MessageBase(CommandType::UserLoginLogInfo, 0, false)
{
}

UserLoginLogInfo::UserLoginLogInfo(const QByteArray &bytes)
    : UserLoginLogInfo()
{
    UserLoginLogInfo::deserialize(bytes);
}

UserLoginLogInfo::UserLoginLogInfo(qint32 messageId, bool isAck, const QString &userName, qint32 role)
    : MessageBase(CommandType::UserLoginLogInfo, messageId, isAck)
    , m_userName(userName)
    , m_role(role)
{
}

QByteArray UserLoginLogInfo::serialize() const
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    prepareStream(stream);
    writeHeader(stream);
    stream << m_userName << m_role;
    return bytes;
}

void UserLoginLogInfo::deserialize(const QByteArray &bytes)
{
    ProtocolReader reader(bytes);
    readHeader(reader);
    m_userName = reader.readString();
    m_role = reader.readInt32();
}

QString UserLoginLogInfo::toString() const
{
    return QStringLiteral("UserLoginLogInfo: UserName=%1, Role=%2").arg(m_userName, QString::number(m_role));
}
