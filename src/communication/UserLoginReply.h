#pragma once

#include "MessageBase.h"

/// The server's verdict on a login and the user's data (command 6).
class UserLoginReply : public MessageBase
{
public:
    UserLoginReply();
    explicit UserLoginReply(const QByteArray &bytes);
    UserLoginReply(qint32 messageId, bool isAck, const QString &userName, qint32 role, const QString &firstName,
                   const QString &lastName, const QString &company, bool result, const QString &institution1,
                   const QString &institution2);

    QByteArray serialize() const override;
    void deserialize(const QByteArray &bytes) override;
    QString toString() const override;

    QString userName() const { return m_userName; }
    /// Index into the authorization matrix.
    qint32 role() const { return m_role; }
    QString firstName() const { return m_firstName; }
    QString lastName() const { return m_lastName; }
    QString company() const { return m_company; }
    bool result() const { return m_result; }
    QString institution1() const { return m_institution1; }
    QString institution2() const { return m_institution2; }

private:
    QString m_userName;
    qint32 m_role = 0;
    QString m_firstName;
    QString m_lastName;
    QString m_company;
    bool m_result = false;
    QString m_institution1;
    QString m_institution2;
};
