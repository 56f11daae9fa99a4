#include "FileTransfer.h"

#include "ProtocolReader.h"
#include "ProtocolTypes.h"

#include <QtCore/QDataStream>
#include <QtCore/QIODevice>

FileTransfer::FileTransfer()
    : MessageBase(CommandType::FileTransfer, 0, false)
{
}

FileTransfer::FileTransfer(const QByteArray &bytes)
    : FileTransfer()
{
    FileTransfer::deserialize(bytes);
}

FileTransfer::FileTransfer(qint32 messageId, bool isAck, qint32 fileType, const QString &directory,
                           const QString &filename, qint32 selector, const QByteArray &data, qint32 progress)
    : MessageBase(CommandType::FileTransfer, messageId, isAck)
    , m_fileType(fileType)
    , m_directory(directory)
    , m_filename(filename)
    , m_selector(selector)
    , m_data(data)
    , m_progress(progress)
{
}

QByteArray FileTransfer::serialize() const
{
    QByteArray bytes;
    // One allocation even for a 110000-byte chunk.
    bytes.reserve(Protocol::kHeaderSize + 20 + (m_directory.size() + m_filename.size()) * 2 + m_data.size());
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    prepareStream(stream);
    writeHeader(stream);
    stream << m_fileType << m_directory << m_filename << m_selector << m_data << m_progress;
    return bytes;
}

void FileTransfer::deserialize(const QByteArray &bytes)
{
    ProtocolReader reader(bytes);
    readHeader(reader);
    m_fileType = reader.readInt32();
    m_directory = reader.readString();
    m_filename = reader.readString();
    m_selector = reader.readInt32();
    m_data = reader.readBytes();
    m_progress = reader.readInt32();
}

QString FileTransfer::toString() const
{
    return QStringLiteral("FileTransfer: FileType=%1, Directory=%2, Filename=%3, Selector=%4, Size=%5, Progress=%6")
        .arg(QString::number(m_fileType), m_directory, m_filename, QString::number(quint32(m_selector)),
             QString::number(m_data.size()), QString::number(quint32(m_progress)));
}

FileTransfer FileTransfer::acknowledgement() const
{
    FileTransfer ack(*this);
    ack.setIsAck(true);
    ack.setData(QByteArray());
    return ack;
}
