import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// The server link at a glance, and a manual synchronisation.
DialogBase {
    id: serverBubble

    readonly property bool connected: NetworkService.isHalvoServerConnected
    // The synchronisation arrives with its own module; until then the button
    // stays disabled.
    readonly property bool canSync: typeof MenubarViewController !== "undefined" && connected

    objectName: "BubbleDialogHalvoServerConnection"
    placement: "bottomLeft"
    cardWidth: 340
    title: qsTr("Server") + TranslationService.updateString
    cancelVisible: false
    acceptText: qsTr("Synchronisieren") + TranslationService.updateString
    acceptEnabled: canSync
    onFinished: function(accepted, result) {
        if (accepted && canSync)
            MenubarViewController.sync()
    }

    Row {
        spacing: Style.spacing

        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: 10
            height: 10
            radius: 5
            color: serverBubble.connected ? Style.accent : Style.error
        }

        StandardText {
            objectName: "state"
            text: (serverBubble.connected ? qsTr("Verbunden") : qsTr("Nicht verbunden")) + TranslationService.updateString
        }
    }

    StandardText {
        width: parent.width
        visible: !serverBubble.connected
        color: Style.textMuted
        font.pixelSize: FontStyle.small
        text: qsTr("Ohne Serververbindung melden Sie sich mit Ihren zuletzt bestätigten Zugangsdaten an; Synchronisation und Versand sind dann nicht möglich.") + TranslationService.updateString
    }
}
