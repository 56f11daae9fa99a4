import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// The generator link at a glance, with the identity of the device.
DialogBase {
    id: generatorBubble

    readonly property bool connected: NetworkService.isQelo3Connected

    // The identity as the link reports it now; empty while no generator is there.
    function identity(getter) {
        return connected ? MenubarViewController[getter]() : ""
    }

    objectName: "BubbleDialogQelo3Connection"
    placement: "bottomLeft"
    cardWidth: 360
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
        StandardText { objectName: "name"; text: generatorBubble.identity("getQelo3Name") }
        StandardText { text: qsTr("Typ:") + TranslationService.updateString; color: Style.textMuted }
        StandardText { objectName: "type"; text: generatorBubble.identity("getQelo3Type") }
        StandardText { text: qsTr("S/N: ") + TranslationService.updateString; color: Style.textMuted }
        StandardText { objectName: "serialNumber"; text: generatorBubble.identity("getQelo3SerialNumber") }
        StandardText { text: qsTr("Software:") + TranslationService.updateString; color: Style.textMuted }
        StandardText { objectName: "softwareVersion"; text: generatorBubble.identity("getQelo3SoftwareVersion") }
    }
}
