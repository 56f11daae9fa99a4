import QtQuick 2.15
import QtQuick.Controls.Basic 2.15
import Style 1.0
import FontStyle 1.0

// A labelled single-line text field.
Column {
    id: inputField

    property alias label: labelText.text
    property alias text: field.text
    property alias placeholderText: field.placeholderText
    property alias echoMode: field.echoMode
    property alias field: field
    property alias fieldName: field.objectName
    property Item tabTarget: null
    property Item backtabTarget: null

    signal accepted

    spacing: 4

    Text {
        id: labelText

        font.family: FontStyle.family
        font.pixelSize: FontStyle.small
        color: Style.textMuted
    }

    TextField {
        id: field

        width: inputField.width
        implicitHeight: Style.inputHeight
        font.family: FontStyle.family
        font.pixelSize: FontStyle.normal
        color: Style.text
        placeholderTextColor: Style.textDisabled
        selectByMouse: true
        leftPadding: 12
        rightPadding: 12
        Accessible.name: labelText.text
        KeyNavigation.tab: inputField.tabTarget
        KeyNavigation.backtab: inputField.backtabTarget
        onAccepted: inputField.accepted()

        background: Rectangle {
            radius: Style.radius
            color: Style.surface
            border.width: field.activeFocus ? 2 : 1
            border.color: field.activeFocus ? Style.focus : Style.border
        }
    }
}
