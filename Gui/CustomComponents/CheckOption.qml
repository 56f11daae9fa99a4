import QtQuick 2.15
import Style 1.0
import FontStyle 1.0

// A check box with its label.
Item {
    id: checkOption

    property string text: ""
    property bool checked: false

    signal toggled

    function toggle() {
        checked = !checked
        toggled()
    }

    implicitWidth: row.implicitWidth
    implicitHeight: Math.max(24, row.implicitHeight)
    activeFocusOnTab: true
    Accessible.role: Accessible.CheckBox
    Accessible.name: text
    Accessible.checkable: true
    Accessible.checked: checked
    Accessible.onToggleAction: toggle()
    Accessible.onPressAction: toggle()

    Keys.onSpacePressed: function(event) { checkOption.toggle(); event.accepted = true }

    Row {
        id: row

        anchors.verticalCenter: parent.verticalCenter
        spacing: Style.spacing

        Rectangle {
            width: 20
            height: 20
            radius: 4
            color: checkOption.checked ? Style.primary : Style.surface
            border.width: checkOption.activeFocus ? 2 : 1
            border.color: checkOption.activeFocus ? Style.focus : (checkOption.checked ? Style.primary : Style.border)

            Text {
                anchors.centerIn: parent
                visible: checkOption.checked
                text: "\u2713"
                color: Style.textOnPrimary
                font.pixelSize: 14
                font.bold: true
            }
        }

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: checkOption.text
            font.family: FontStyle.family
            font.pixelSize: FontStyle.normal
            color: Style.text
        }
    }

    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: checkOption.toggle()
    }
}
