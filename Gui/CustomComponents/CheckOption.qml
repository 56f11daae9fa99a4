import QtQuick 2.15
import QtQuick.Controls.Basic 2.15
import Style 1.0
import FontStyle 1.0

// A check box with its label.
CheckBox {
    id: checkOption

    font.family: FontStyle.family
    font.pixelSize: FontStyle.normal
    spacing: Style.spacing
    padding: 0

    indicator: Rectangle {
        implicitWidth: 20
        implicitHeight: 20
        x: checkOption.leftPadding
        y: (checkOption.height - height) / 2
        radius: 4
        color: checkOption.checked ? Style.primary : Style.surface
        border.width: checkOption.visualFocus ? 2 : 1
        border.color: checkOption.visualFocus ? Style.focus : (checkOption.checked ? Style.primary : Style.border)

        Text {
            anchors.centerIn: parent
            visible: checkOption.checked
            text: "\u2713"
            color: Style.textOnPrimary
            font.pixelSize: 14
            font.bold: true
        }
    }

    contentItem: Text {
        leftPadding: checkOption.indicator.width + checkOption.spacing
        text: checkOption.text
        font: checkOption.font
        color: Style.text
        verticalAlignment: Text.AlignVCenter
    }
}
