#include "UserLoginRequest.h"

#include "ProtocolReader.h"
#include "ProtocolTypes.h"

#include <QtCore/QDataStream>
#include <QtCore/QIODevice>

UserLoginRequest::UserLoginRequest()
    : MessageBase(CommandType::UserLoginRequest, 0, false)
{
}

UserLoginRequest::UserLoginRequest(const QByteArray &bytes)
    : UserLoginRequest()
{
    UserLoginRequest::deserialize(bytes);
}

UserLoginRequest::UserLoginRequest(qint32 messageId, bool isAck, const QString &userName, const QString &password)
    : MessageBase(CommandType::UserLoginRequest, messageId, isAck)
    , m_userName(userName)
    , m_password(password)
{
}

QByteArray UserLoginRequest::serialize() const
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    prepareStream(stream);
    writeHeader(stream);
    stream << m_userName << m_password;
    return bytes;
}

void UserLoginRequest::deserialize(const QByteArray &bytes)
{
    ProtocolReader reader(bytes);
    readHeader(reader);
    m_userName = reader.readString();
    m_password = reader.readString();
}

QString UserLoginRequest::toString() const
{
    return QStringLiteral("UserLoginRequest: UserName=%1, Password=<hidden>").arg(m_userName);
}
