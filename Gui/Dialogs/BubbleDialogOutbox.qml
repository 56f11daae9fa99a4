import QtQuick 2.15
import "../CustomComponents"

// Messages waiting for the server, and the way to send them now.
DialogBase {
    id: outboxBubble

    property real realX: 0
    property real realY: 0
    readonly property int count: Outbox.outboxCount

    objectName: "BubbleDialogOutbox"
    placement: "bottomRight"
    cardWidth: 360
    title: qsTr("Postausgang") + TranslationService.updateString
    acceptText: qsTr("Jetzt senden") + TranslationService.updateString
    cancelText: qsTr("Schließen") + TranslationService.updateString
    acceptEnabled: count > 0 && MailService.isAvailable && !MailService.isBusy

    StandardText {
        objectName: "outboxCount"
        width: parent.width
        text: (outboxBubble.count === 1 ? qsTr("Eine Nachricht im Postausgang")
                                        : qsTr("%1 Nachrichten im Postausgang").arg(outboxBubble.count))
              + TranslationService.updateString
    }

    StandardText {
        width: parent.width
        visible: !MailService.isAvailable
        text: qsTr("Keine Serververbindung.") + TranslationService.updateString
    }
}
