#pragma once

#include "MessageBase.h"

/// Tells the generator who has logged in (command 7).
class UserLoginLogInfo : public MessageBase
{
public:
    UserLoginLogInfo();
    explicit UserLoginLogInfo(const QByteArray &bytes);
    UserLoginLogInfo(qint32 messageId, bool isAck, const QString &userName, qint32 role);

    QByteArray serialize() const override;
    void deserialize(const QByteArray &bytes) override;
    QString toString() const override;

    QString userName() const { return m_userName; }
    qint32 role() const { return m_role; }

private:
    QString m_userName;
    qint32 m_role = 0;
};
