import QtQuick 2.15
import Style 1.0
import FontStyle 1.0

// A labelled single-line text field.
Column {
    id: inputField

    property alias label: labelText.text
    property alias text: field.text
    property alias placeholderText: placeholder.text
    property alias echoMode: field.echoMode
    property alias field: field
    property alias fieldName: field.objectName
    property Item tabTarget: null
    property Item backtabTarget: null

    signal accepted
    signal textEdited

    spacing: 4

    Text {
        id: labelText

        font.family: FontStyle.family
        font.pixelSize: FontStyle.small
        color: Style.textMuted
    }

    Rectangle {
        width: inputField.width
        height: Style.inputHeight
        radius: Style.radius
        color: Style.surface
        border.width: field.activeFocus ? 2 : 1
        border.color: field.activeFocus ? Style.focus : Style.border

        TextInput {
            id: field

            anchors.fill: parent
            anchors.leftMargin: 12
            anchors.rightMargin: 12
            verticalAlignment: TextInput.AlignVCenter
            font.family: FontStyle.family
            font.pixelSize: FontStyle.normal
            color: Style.text
            selectionColor: Style.primaryLight
            selectedTextColor: Style.text
            selectByMouse: true
            clip: true
            activeFocusOnTab: true
            Accessible.role: Accessible.EditableText
            Accessible.name: labelText.text
            Accessible.passwordEdit: echoMode === TextInput.Password
            KeyNavigation.tab: inputField.tabTarget
            KeyNavigation.backtab: inputField.backtabTarget
            onAccepted: inputField.accepted()
            onTextEdited: inputField.textEdited()
        }

        Text {
            id: placeholder

            anchors.fill: field
            verticalAlignment: Text.AlignVCenter
            visible: field.text === "" && !field.activeFocus
            font: field.font
            color: Style.textDisabled
        }
    }
}
