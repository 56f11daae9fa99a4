#include "ProtocolReader.h"

#include "ProtocolTypes.h"

#include <QtCore/QIODevice>

namespace {
constexpr quint32 kNullLength = 0xFFFFFFFFu;
}

ProtocolReader::ProtocolReader(const QByteArray &frame)
    : m_stream(frame)
{
    m_stream.setVersion(Protocol::kStreamVersion);
    m_stream.setByteOrder(QDataStream::BigEndian);
}

qint64 ProtocolReader::remaining() const
{
    return m_stream.device() ? m_stream.device()->bytesAvailable() : 0;
}

qint32 ProtocolReader::readInt32()
{
    qint32 value = 0;
    if (isOk())
        m_stream >> value;
    return isOk() ? value : 0;
}

qint64 ProtocolReader::readInt64()
{
    qint64 value = 0;
    if (isOk())
        m_stream >> value;
    return isOk() ? value : 0;
}

bool ProtocolReader::readBool()
{
    return readInt32() != 0;
}

bool ProtocolReader::readLength(quint32 *length, quint32 unitSize)
{
    if (!isOk())
        return false;
    m_stream >> *length;
    if (!isOk())
        return false;
    if (*length == kNullLength)
        return true;
    if (*length % unitSize != 0) {
        m_stream.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    if (qint64(*length) > remaining()) {
        // Qt would allocate in steps before noticing the short frame; refuse up front.
        m_stream.setStatus(QDataStream::ReadPastEnd);
        return false;
    }
    return true;
}

QString ProtocolReader::readString()
{
    quint32 length = 0;
    if (!readLength(&length, 2))
        return QString();
    if (length == kNullLength)
        return QString();
    // The length word has been checked; let QDataStream decode the whole field.
    QIODevice *device = m_stream.device();
    device->seek(device->pos() - 4);
    QString value;
    m_stream >> value;
    return isOk() ? value : QString();
}

QByteArray ProtocolReader::readBytes()
{
    quint32 length = 0;
    if (!readLength(&length, 1))
        return QByteArray();
    if (length == kNullLength)
        return QByteArray();
    QIODevice *device = m_stream.device();
    device->seek(device->pos() - 4);
    QByteArray value;
    m_stream >> value;
    return isOk() ? value : QByteArray();
}

void ProtocolReader::skip(qint64 bytes)
{
    if (!isOk() || bytes <= 0)
        return;
    if (bytes > remaining()) {
        m_stream.setStatus(QDataStream::ReadPastEnd);
        return;
    }
    m_stream.skipRawData(int(bytes));
}
