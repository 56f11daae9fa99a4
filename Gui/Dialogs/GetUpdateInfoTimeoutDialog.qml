import QtQuick 2.15
import "../CustomComponents"

// The server did not answer the question for update information.
DialogBase {
    id: getUpdateInfoTimeoutDialog

    objectName: "GetUpdateInfoTimeoutDialog"
    title: qsTr("Server Zeitüberschreitung") + TranslationService.updateString
    cancelVisible: false

    StandardText {
        width: parent.width
        text: qsTr("Der Server hat nicht rechtzeitig geantwortet. Bitte prüfen Sie die Internetverbindung und versuchen Sie es erneut.") + TranslationService.updateString
    }
}
