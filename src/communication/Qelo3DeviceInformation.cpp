#include "Qelo3DeviceInformation.h"

#include "ProtocolReader.h"
#include "ProtocolTypes.h"

#include <QtCore/QDataStream>
#include <QtCore/QIODevice>

Qelo3DeviceInformation::Qelo3DeviceInformation()
    : MessageBase(CommandType::Qelo3DeviceInformation, 0, false)
{
}

Qelo3DeviceInformation::Qelo3DeviceInformation(const QByteArray &bytes)
    : Qelo3DeviceInformation()
{
    Qelo3DeviceInformation::deserialize(bytes);
}

Qelo3DeviceInformation::Qelo3DeviceInformation(qint32 messageId, bool isAck, const QString &type,
                                               const QString &serialNumber, const QString &name,
                                               const QString &softwareVersion)
    : MessageBase(CommandType::Qelo3DeviceInformation, messageId, isAck)
    , m_type(type)
    , m_serialNumber(serialNumber)
    , m_name(name)
    , m_softwareVersion(softwareVersion)
{
}

QByteArray Qelo3DeviceInformation::serialize() const
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    prepareStream(stream);
    writeHeader(stream);
    stream << m_type << m_serialNumber << m_name << m_softwareVersion;
    return bytes;
}

void Qelo3DeviceInformation::deserialize(const QByteArray &bytes)
{
    ProtocolReader reader(bytes);
    readHeader(reader);
    m_type = reader.readString();
    m_serialNumber = reader.readString();
    m_name = reader.readString();
    m_softwareVersion = reader.readString();
}

QString Qelo3DeviceInformation::toString() const
{
    return QStringLiteral("Qelo3DeviceInformation: Type=%1, SerialNumber=%2, Name=%3, SoftwareVersion=%4")
        .arg(m_type, m_serialNumber, m_name, m_softwareVersion);
}
