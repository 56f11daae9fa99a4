#include "UserLogoutRequest.h"

#include "ProtocolTypes.h"

UserLogoutRequest::UserLogoutRequest()
    : MessageBase(CommandType::UserLogoutRequest, 0, false)
{
}

UserLogoutRequest::UserLogoutRequest(const QByteArray &bytes)
    : UserLogoutRequest()
{
    MessageBase::deserialize(bytes);
}

UserLogoutRequest::UserLogoutRequest(qint32 messageId, bool isAck)
    : MessageBase(CommandType::UserLogoutRequest, messageId, isAck)
{
}

QString UserLogoutRequest::toString() const
{
    return QStringLiteral("UserLogoutRequest");
}
