import QtQuick 2.15
import "../CustomComponents"

// A support message could not be written or was not accepted by the server.
DialogBase {
    objectName: "ContactErrorSendMailDialog"
    title: qsTr("Nachrichtenversand fehlgeschlagen") + TranslationService.updateString
    cancelVisible: false

    StandardText {
        width: parent.width
        text: qsTr("Die Nachricht konnte nicht gesendet werden. Wurde sie bereits gespeichert, bleibt sie im Postausgang und kann später erneut gesendet werden.")
              + TranslationService.updateString
    }
}
