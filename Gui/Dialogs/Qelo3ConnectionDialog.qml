import QtQuick 2.15
import "../CustomComponents"

// An action needs the generator, and no generator is connected.
DialogBase {
    id: qelo3ConnectionDialog

    objectName: "Qelo3ConnectionDialog"
    title: qsTr("Keine QELO 3 Verbindung") + TranslationService.updateString
    cancelVisible: false

    StandardText {
        width: parent.width
        text: qsTr("Verbinden Sie den Computer über das Netzwerk oder das WLAN des Geräts mit dem QELO 3. Die Verbindung wird automatisch hergestellt.") + TranslationService.updateString
    }
}
