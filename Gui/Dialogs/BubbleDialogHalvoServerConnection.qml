import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// The server link at a glance: when the data were last brought into step,
// what still waits for the server, and a manual synchronisation.
DialogBase {
    id: serverBubble

    readonly property bool connected: NetworkService.isHalvoServerConnected
    readonly property bool canSync: connected && !SynchronizeService.isActive
    // Read when the bubble opens; a run started from here closes it.
    readonly property string lastSync: MenubarViewController.getHalvoServerLastSynchronization()
    readonly property string pendingUploads: MenubarViewController.getHalvoServerPendingQelo3Uploads()

    objectName: "BubbleDialogHalvoServerConnection"
    placement: "bottomLeft"
    cardWidth: 360
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

    Grid {
        columns: 2
        columnSpacing: Style.margin
        rowSpacing: 4

        StandardText { text: qsTr("Letzte Synchronisation:") + TranslationService.updateString; color: Style.textMuted }
        StandardText {
            objectName: "lastSync"
            text: serverBubble.lastSync !== "" ? serverBubble.lastSync : qsTr("Keine") + TranslationService.updateString
        }
        StandardText { text: qsTr("Ausstehende Uploads:") + TranslationService.updateString; color: Style.textMuted }
        StandardText { objectName: "pendingUploads"; text: serverBubble.pendingUploads }
    }

    StandardText {
        width: parent.width
        visible: !serverBubble.connected
        color: Style.textMuted
        font.pixelSize: FontStyle.small
        text: qsTr("Ohne Serververbindung melden Sie sich mit Ihren zuletzt bestätigten Zugangsdaten an; Synchronisation und Versand sind dann nicht möglich.") + TranslationService.updateString
    }
}
