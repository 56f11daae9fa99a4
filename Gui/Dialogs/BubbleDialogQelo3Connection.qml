import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// The generator link at a glance, with the identity of the device.
DialogBase {
    id: generatorBubble

    readonly property bool connected: NetworkService.isQelo3Connected

    objectName: "BubbleDialogQelo3Connection"
    placement: "bottomLeft"
    cardWidth: 340
    title: qsTr("QELO 3") + TranslationService.updateString
    cancelVisible: false
    acceptText: qsTr("Schließen") + TranslationService.updateString

    Row {
        spacing: Style.spacing

        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: 10
            height: 10
            radius: 5
            color: generatorBubble.connected ? Style.accent : Style.error
        }

        StandardText {
            objectName: "state"
            text: (generatorBubble.connected ? qsTr("Verbunden") : qsTr("Nicht verbunden")) + TranslationService.updateString
        }
    }

    Grid {
        visible: generatorBubble.connected
        columns: 2
        columnSpacing: Style.margin
        rowSpacing: 4

        StandardText { text: qsTr("Name:") + TranslationService.updateString; color: Style.textMuted }
        StandardText { objectName: "name"; text: NetworkService.qelo3Name }
        StandardText { text: qsTr("S/N: ") + TranslationService.updateString; color: Style.textMuted }
        StandardText { objectName: "serialNumber"; text: NetworkService.qelo3SerialNumber }
        StandardText { text: qsTr("Software:") + TranslationService.updateString; color: Style.textMuted }
        StandardText { objectName: "softwareVersion"; text: NetworkService.qelo3Version }
    }
}
