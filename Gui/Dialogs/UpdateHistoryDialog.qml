import QtQuick 2.15
import Style 1.0
import "../CustomComponents"

// Confirms the installation result of an upload in the update history.
DialogBase {
    id: updateHistoryDialog

    property string updateRequestId: ""

    objectName: "UpdateHistoryDialog"
    title: qsTr("Installation bestätigen") + TranslationService.updateString
    acceptVisible: false

    StandardText {
        width: parent.width
        text: qsTr("Wurde das Update auf dem QELO 3 erfolgreich installiert?") + TranslationService.updateString
    }

    Row {
        x: parent.width - width
        spacing: Style.spacing

        StandardButton {
            objectName: "failedButton"
            text: " \u2715 "
            onClicked: updateHistoryDialog.accept(false)
        }

        StandardButton {
            objectName: "installedButton"
            primary: true
            text: " \u2713 "
            onClicked: updateHistoryDialog.accept(true)
        }
    }
}
