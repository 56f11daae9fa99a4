import QtQuick 2.15
import "../CustomComponents"

// Confirms fetching data from the connected generator: its user set
// (`type` "UserSet") or its chrono files (`type` "Chrono").
DialogBase {
    id: qelo3DownloadDialog

    property string type: ""

    objectName: "Qelo3DownloadDialog"
    title: qsTr("Von QELO 3 herunterladen") + TranslationService.updateString
    acceptText: qsTr("Herunterladen") + TranslationService.updateString
    dialogResult: type

    StandardText {
        objectName: "message"
        width: parent.width
        text: (qelo3DownloadDialog.type === "Chrono"
               ? qsTr("Die Chrono-Dateien (Gerätedaten und Ereignisprotokoll) vom verbundenen QELO 3 herunterladen?")
               : qsTr("Das Anwenderset vom verbundenen QELO 3 herunterladen?"))
              + TranslationService.updateString
    }
}
