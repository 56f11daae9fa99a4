#pragma once

#include "FileDownload.h"

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
