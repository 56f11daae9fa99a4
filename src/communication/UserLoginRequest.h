#pragma once

#include "MessageBase.h"

/// Credentials sent to the server (command 5).
class UserLoginRequest : public MessageBase
{
public:
    UserLoginRequest();
    explicit UserLoginRequest(const QByteArray &bytes);
    UserLoginRequest(qint32 messageId, bool isAck, const QString &userName, const QString &password);

    QByteArray serialize() const override;
    void deserialize(const QByteArray &bytes) override;
    /// Never shows the password: the application log can be read from the login page.
    QString toString() const override;

    QString userName() const { return m_userName; }
    QString password() const { return m_password; }

private:
    QString m_userName;
    QString m_password;
};
