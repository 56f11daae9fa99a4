import QtQuick 2.15
import "../CustomComponents"

// After an upload to the generator: asks whether the update was installed
// and records the answer in the update history (the dialog host does, with
// the answer as the update status).
DialogBase {
    id: updateQelo3UploadDialog

    property string updateId: ""
    property bool transferSucceeded: false

    objectName: "UpdateQelo3UploadDialog"
    title: qsTr("Auf QELO 3 Hochladen") + TranslationService.updateString
    acceptText: (transferSucceeded ? qsTr("Ja") : qsTr("OK")) + TranslationService.updateString
    cancelText: qsTr("Nein") + TranslationService.updateString
    cancelVisible: transferSucceeded
    closeWhenBackgroundClicked: false
    dialogResult: transferSucceeded

    StandardText {
        objectName: "message"
        width: parent.width
        text: (updateQelo3UploadDialog.transferSucceeded
               ? qsTr("Das Update-Paket wurde auf das QELO 3 übertragen. Wurde das Update erfolgreich installiert?")
               : qsTr("Die Übertragung des Update-Pakets ist fehlgeschlagen. Der Versuch wird im Update-Verlauf vermerkt."))
              + TranslationService.updateString
    }
}
