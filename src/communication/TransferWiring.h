#pragma once

#include "FileDownload.h"
#include "Logger.h"
#include "ProtocolTypes.h"

#include <QtCore/QObject>

/// Connects a download to the connection that runs it. Both connections
/// re-emit the same download signals and own the same prevent-lock slots.
template<typename Connection>
void wireDownload(FileDownload *download, Connection *connection)
{
    QObject::connect(download, &FileDownload::isActiveChanged, connection, &Connection::fileDownloadIsActiveChanged);
    QObject::connect(download, &FileDownload::progressChanged, connection, &Connection::fileDownloadProgressChanged);
    QObject::connect(download, &FileDownload::fileTypeChanged, connection, &Connection::fileDownloadTypeChanged);
    QObject::connect(download, &FileDownload::canceled, connection, &Connection::fileDownloadCanceled);
    QObject::connect(download, &FileDownload::errorOccured, connection, &Connection::fileDownloadErrorOccured);
    QObject::connect(download, &FileDownload::successfullyFinished, connection,
                     &Connection::fileDownloadSuccessfullyFinished);
    QObject::connect(download, &FileDownload::requestStartPreventLock, connection,
                     &Connection::onRequestStartPreventLock);
    QObject::connect(download, &FileDownload::requestEndPreventLock, connection, &Connection::onRequestEndPreventLock);
    QObject::connect(download, &FileDownload::fileReceived, connection, &Connection::fileReceived);
    QObject::connect(download, &QThread::finished, connection, &Connection::deleteFileDownload);
}

/// A connection hears every frame of its transport. A chunk stream that no
/// running download asked for is not acknowledged and not written anywhere;
/// it is only noted, held to one line per window since a peer can repeat it
/// at will. With `chunkedType` set, only files of that type come in chunks
/// (a server's template category shares the chunk selector).
inline void refuseUnrequestedChunk(const QString &where, const QByteArray &frame, bool downloadActive,
                                   qint32 chunkedType = FileType::None)
{
    if (downloadActive || MessageBase(frame).commandType() != CommandType::FileTransfer)
        return;
    const FileTransfer message(frame);
    if (!FileDownload::isChunkOfStream(message) || (chunkedType != FileType::None && message.fileType() != chunkedType))
        return;
    Logger::warnLimited(where + QStringLiteral(" unrequested chunk"),
        QStringLiteral("%1: Refused a chunk of \"%2\" (FileType %3, Progress %4) that no download asked for")
            .arg(where, message.filename())
            .arg(message.fileType())
            .arg(message.progress()));
}
