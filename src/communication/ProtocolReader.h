#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QDataStream>
#include <QtCore/QString>

/// Reads protocol fields from one received frame. Once a field runs past the
/// end (or a length word is impossible) every later field reads as 0 or
/// empty, which is what the peers expect of a short frame. Length words are
/// checked against the bytes that are left, so a hostile frame cannot make
/// the reader allocate more than the frame itself holds.
class ProtocolReader
{
public:
    explicit ProtocolReader(const QByteArray &frame);

    qint32 readInt32();
    qint64 readInt64();
    /// Any non-zero word is true.
    bool readBool();
    QString readString();
    QByteArray readBytes();
    void skip(qint64 bytes);

    bool isOk() const { return m_stream.status() == QDataStream::Ok; }
    qint64 remaining() const;

private:
    /// Reads a length word; false (and the stream marked) when it cannot be honoured.
    bool readLength(quint32 *length, quint32 unitSize);

    QDataStream m_stream;
};
