#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>

class QDataStream;
class ProtocolReader;

/// The 16-byte header every message starts with. A bare MessageBase is the
/// heartbeat, and a MessageBase built from a frame is how a receiver peeks at
/// the command type before choosing the class that decodes the rest.
class MessageBase
{
public:
    MessageBase();
    explicit MessageBase(const QByteArray &bytes);
    MessageBase(qint32 commandType, qint32 messageId, bool isAck);
    virtual ~MessageBase();

    MessageBase(const MessageBase &) = default;
    MessageBase &operator=(const MessageBase &) = default;

    virtual QByteArray serialize() const;
    virtual void deserialize(const QByteArray &bytes);
    virtual QString toString() const;

    qint32 protocolVersion() const { return m_protocolVersion; }
    void setProtocolVersion(qint32 version) { m_protocolVersion = version; }
    qint32 commandType() const { return m_commandType; }
    qint32 messageId() const { return m_messageId; }
    void setMessageId(qint32 id) { m_messageId = id; }
    bool isAck() const { return m_isAck; }
    void setIsAck(bool isAck) { m_isAck = isAck; }

    /// A heartbeat request (or, with isAck, its answer): command 11, id 0.
    static MessageBase heartbeat(bool isAck = false);
    /// The command type of a frame without decoding it; 0 for a frame
    /// shorter than a header.
    static qint32 peekCommandType(const QByteArray &frame);

protected:
    /// A stream over `bytes` set up for writing protocol fields.
    static void prepareStream(QDataStream &stream);
    static void writeBool(QDataStream &stream, bool value);
    void writeHeader(QDataStream &stream) const;
    void readHeader(ProtocolReader &reader);
    QString headerString() const;

private:
    qint32 m_protocolVersion;
    qint32 m_commandType;
    qint32 m_messageId = 0;
    bool m_isAck = false;
};
