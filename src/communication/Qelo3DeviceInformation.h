#pragma once

#include "MessageBase.h"

/// The generator's identity (command 9).
class Qelo3DeviceInformation : public MessageBase
{
public:
    Qelo3DeviceInformation();
    explicit Qelo3DeviceInformation(const QByteArray &bytes);
    Qelo3DeviceInformation(qint32 messageId, bool isAck, const QString &type, const QString &serialNumber,
                           const QString &name, const QString &softwareVersion);

    QByteArray serialize() const override;
    void deserialize(const QByteArray &bytes) override;
    QString toString() const override;

    QString type() const { return m_type; }
    QString serialNumber() const { return m_serialNumber; }
    QString name() const { return m_name; }
    QString softwareVersion() const { return m_softwareVersion; }

private:
    QString m_type;
    QString m_serialNumber;
    QString m_name;
    QString m_softwareVersion;
};
