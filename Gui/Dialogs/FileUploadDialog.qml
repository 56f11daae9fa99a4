import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// Progress of an upload to the generator, with the remaining time and a
// cancel. `subject` names what travels ("Das Update-Paket", "Das
// Anwenderset"), `controller` the context property that runs the upload. The
// dialog ends by itself: accepted with true when the upload succeeded, with
// false when it failed or was cancelled by the other side.
DialogBase {
    id: fileUploadDialog

    property string subject: ""
    property string controller: "UpdateViewController"
    readonly property var target: {
        if (controller === "CopyViewController")
            return typeof CopyViewController !== "undefined" ? CopyViewController : null
        return typeof UpdateViewController !== "undefined" ? UpdateViewController : null
    }
    readonly property real progress: target ? target.fileUploadProgress : 0
    readonly property var estimatedTime: target ? target.fileUploadEstimatedTime : undefined

    function remainingText(time) {
        if (!time || isNaN(time.getTime()))
            return "--:--"
        return Qt.formatTime(time, time.getHours() > 0 ? "hh:mm:ss" : "mm:ss")
    }

    objectName: "FileUploadDialog"
    title: qsTr("Hochladen") + TranslationService.updateString
    acceptVisible: false
    closeWhenBackgroundClicked: false

    StandardText {
        objectName: "subject"
        width: parent.width
        text: qsTr("%1 wird auf das QELO 3 übertragen.").arg(fileUploadDialog.subject) + TranslationService.updateString
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
            width: parent.width * Math.max(0, Math.min(100, fileUploadDialog.progress)) / 100
            height: parent.height
            radius: parent.radius
            color: Style.primary
        }
    }

    StandardText {
        objectName: "remainingTime"
        width: parent.width
        color: Style.textMuted
        text: qsTr("%1 % übertragen, verbleibende Zeit: %2")
              .arg(Math.floor(fileUploadDialog.progress))
              .arg(fileUploadDialog.remainingText(fileUploadDialog.estimatedTime)) + TranslationService.updateString
    }

    Connections {
        target: fileUploadDialog.target
        ignoreUnknownSignals: true

        function onFileUploadSuccessfullyFinished(type) {
            fileUploadDialog.finished(true, true)
        }

        function onFileUploadErrorOccured(type) {
            fileUploadDialog.finished(true, false)
        }

        function onFileUploadCanceled(type) {
            fileUploadDialog.finished(true, false)
        }
    }
}
