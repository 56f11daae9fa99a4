import QtQuick 2.15
import "../CustomComponents"

// The server is out of reach; the message waits in the outbox.
DialogBase {
    objectName: "ContactServerConnectionDialog"
    title: qsTr("Keine Serververbindung") + TranslationService.updateString
    cancelVisible: false

    StandardText {
        width: parent.width
        text: qsTr("Die Nachricht liegt im Postausgang. Wenn der Computer mit dem WLAN des QELO 3 verbunden ist, trennen Sie diese Verbindung, stellen Sie eine Verbindung zum Internet her und senden Sie den Postausgang.")
              + TranslationService.updateString
    }
}
