#pragma once

#include "FileDownload.h"
#include "WebSocketClient.h"

#include <QtCore/QObject>
#include <QtCore/QTimer>

/// Connects a transfer to its transport and its time-out timer, then moves it
/// into its own thread, where every one of these slots then runs queued.
template<typename Transfer>
void attachTransfer(Transfer *transfer, WebSocketClient *client, QTimer *timeoutTimer)
{
    if (client) {
        QObject::connect(client, &QObject::destroyed, transfer, &Transfer::onClientDestroyed);
        QObject::connect(client, &WebSocketClient::isProtocolConnectedChanged, transfer,
                         &Transfer::onClientConnectionChanged);
        QObject::connect(client, &WebSocketClient::binaryMessageReceived, transfer, &Transfer::onMessageReceived);
        QObject::connect(transfer, &Transfer::sendMessage, client, &WebSocketClient::sendMessage);
    }
    QObject::connect(transfer, &Transfer::requestTimerStop, timeoutTimer, &QTimer::stop);
    QObject::connect(timeoutTimer, &QTimer::timeout, transfer, &Transfer::onTimeoutTimerTimeout);
    transfer->moveToThread(transfer);
}

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
