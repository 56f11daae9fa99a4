import QtQuick 2.15
import Style 1.0
import "../CustomComponents"

// Progress of a firmware download from the server. Cancel stops the
// download; the dialog ends by itself with true once the update is stored
// locally, with false when the download failed or was cancelled.
DialogBase {
    id: fileDownloadDialog

    readonly property real progress: UpdateViewController.fileDownloadProgress

    objectName: "FileDownloadDialog"
    title: qsTr("Herunterladen") + TranslationService.updateString
    acceptVisible: false
    closeWhenBackgroundClicked: false

    StandardText {
        width: parent.width
        text: qsTr("Das Update-Paket wird vom Server geladen.") + TranslationService.updateString
    }

    Rectangle {
        width: parent.width
        height: 12
        radius: 6
        color: Style.surfaceAlt
        border.width: 1
        border.color: Style.border

        Rectangle {
            objectName: "progressBar"
            width: parent.width * Math.max(0, Math.min(100, fileDownloadDialog.progress)) / 100
            height: parent.height
            radius: parent.radius
            color: Style.primary
        }
    }

    StandardText {
        width: parent.width
        color: Style.textMuted
        text: qsTr("%1 % geladen").arg(Math.floor(fileDownloadDialog.progress)) + TranslationService.updateString
    }

    Connections {
        target: UpdateViewController

        function onFirmwareDownloadFinished(updateFileId, stored) {
            fileDownloadDialog.finished(true, stored)
        }
    }
}
