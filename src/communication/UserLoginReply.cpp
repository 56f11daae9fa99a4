#include "UserLoginReply.h"

#include "ProtocolReader.h"
#include "ProtocolTypes.h"

#include <QtCore/QDataStream>
#include <QtCore/QIODevice>

UserLoginReply::UserLoginReply()
    : MessageBase(CommandType::UserLoginReply, 0, false)
{
}

UserLoginReply::UserLoginReply(const QByteArray &bytes)
    : UserLoginReply()
{
    UserLoginReply::deserialize(bytes);
}

UserLoginReply::UserLoginReply(qint32 messageId, bool isAck, const QString &userName, qint32 role,
                               const QString &firstName, const QString &lastName, const QString &company, bool result,
                               const QString &institution1, const QString &institution2)
    : MessageBase(CommandType::UserLoginReply, messageId, isAck)
    , m_userName(userName)
    , m_role(role)
    , m_firstName(firstName)
    , m_lastName(lastName)
    , m_company(company)
    , m_result(result)
    , m_institution1(institution1)
    , m_institution2(institution2)
{
}

QByteArray UserLoginReply::serialize() const
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    prepareStream(stream);
    writeHeader(stream);
    stream << m_userName << m_role << m_firstName << m_lastName << m_company;
    writeBool(stream, m_result);
    stream << m_institution1 << m_institution2;
    return bytes;
}

void UserLoginReply::deserialize(const QByteArray &bytes)
{
    ProtocolReader reader(bytes);
    readHeader(reader);
    m_userName = reader.readString();
    m_role = reader.readInt32();
    m_firstName = reader.readString();
    m_lastName = reader.readString();
    m_company = reader.readString();
    m_result = reader.readBool();
    m_institution1 = reader.readString();
    m_institution2 = reader.readString();
}

QString UserLoginReply::toString() const
{
    return QStringLiteral("UserLoginReply: UserName=%1, Role=%2, FirstName=%3, LastName=%4, Company=%5, Result=%6, "
                          "Institution1=%7, Institution2=%8")
        .arg(m_userName, QString::number(m_role), m_firstName, m_lastName, m_company, QString::number(m_result ? 1 : 0),
             m_institution1, m_institution2);
}
