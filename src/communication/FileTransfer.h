#pragma once

#include "MessageBase.h"

#include <QtCore/QMetaType>

/// A file, a chunk of one, a list, or the acknowledgement of any of these
/// (command 2). Also the value that completed downloads are handed on as,
/// so it is copyable and default-constructible.
class FileTransfer : public MessageBase
{
public:
    FileTransfer();
    explicit FileTransfer(const QByteArray &bytes);
    FileTransfer(qint32 messageId, bool isAck, qint32 fileType, const QString &directory, const QString &filename,
                 qint32 selector, const QByteArray &data, qint32 progress);

    QByteArray serialize() const override;
    void deserialize(const QByteArray &bytes) override;
    QString toString() const override;

    qint32 fileType() const { return m_fileType; }
    void setFileType(qint32 type) { m_fileType = type; }
    QString directory() const { return m_directory; }
    void setDirectory(const QString &directory) { m_directory = directory; }
    QString filename() const { return m_filename; }
    void setFilename(const QString &filename) { m_filename = filename; }
    qint32 selector() const { return m_selector; }
    void setSelector(qint32 selector) { m_selector = selector; }
    const QByteArray &data() const { return m_data; }
    void setData(const QByteArray &data) { m_data = data; }
    qint32 progress() const { return m_progress; }
    void setProgress(qint32 progress) { m_progress = progress; }

    /// The echo a receiver sends back: same fields, IsAck set, null data.
    FileTransfer acknowledgement() const;

private:
    qint32 m_fileType = 0;
    QString m_directory = QStringLiteral("");
    QString m_filename = QStringLiteral("");
    qint32 m_selector = 0;
    QByteArray m_data;
    qint32 m_progress = 0;
};

Q_DECLARE_METATYPE(FileTransfer)
