#pragma once

#include "MessageBase.h"

/// Tells the server that the user has logged out (command 10, header only).
class UserLogoutRequest : public MessageBase
{
public:
    UserLogoutRequest();
    explicit UserLogoutRequest(const QByteArray &bytes);
    UserLogoutRequest(qint32 messageId, bool isAck);

    QString toString() const override;
};
