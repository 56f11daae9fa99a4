import QtQuick 2.15
import "../CustomComponents"

// An action needs the server, and the server cannot be reached.
DialogBase {
    id: serverConnectionDialog

    objectName: "ServerConnectionDialog"
    title: qsTr("Keine Serververbindung") + TranslationService.updateString
    cancelVisible: false

    StandardText {
        width: parent.width
        text: qsTr("Der Server ist nicht erreichbar. Wenn der Computer mit dem WLAN des QELO 3 verbunden ist, trennen Sie diese Verbindung und stellen Sie eine Verbindung zum Internet her.") + TranslationService.updateString
    }
}
