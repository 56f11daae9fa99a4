#pragma once

#include "MessageBase.h"

/// Asks a peer for a list, a file or information (command 1).
class GetRequest : public MessageBase
{
public:
    GetRequest();
    explicit GetRequest(const QByteArray &bytes);
    /// Without additional information an empty (not a null) string is written.
    GetRequest(qint32 messageId, bool isAck, qint32 getRequestType, qint32 selector = 0,
               const QString &additionalInfo = QStringLiteral(""));

    QByteArray serialize() const override;
    void deserialize(const QByteArray &bytes) override;
    QString toString() const override;

    qint32 getRequestType() const { return m_getRequestType; }
    qint32 selector() const { return m_selector; }
    QString additionalInfo() const { return m_additionalInfo; }

private:
    qint32 m_getRequestType = 0;
    qint32 m_selector = 0;
    QString m_additionalInfo = QStringLiteral("");
};
