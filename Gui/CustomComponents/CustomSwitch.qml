import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0

// An on/off switch with its label. `interactive` false shows the state only.
Item {
    id: customSwitch

    property string text: ""
    property bool checked: false
    property bool interactive: true

    signal toggled(bool checked)

    function toggle() {
        if (!interactive || !enabled)
            return
        toggled(!checked)
    }

    implicitWidth: row.implicitWidth
    implicitHeight: Math.max(28, row.implicitHeight)
    activeFocusOnTab: interactive
    Accessible.role: Accessible.CheckBox
    Accessible.name: text
    Accessible.checkable: true
    Accessible.checked: checked
    Accessible.onToggleAction: toggle()
    Accessible.onPressAction: toggle()

    Keys.onSpacePressed: function(event) { customSwitch.toggle(); event.accepted = true }

    Row {
        id: row

        anchors.verticalCenter: parent.verticalCenter
        spacing: Style.spacing

        Rectangle {
            id: track

            anchors.verticalCenter: parent.verticalCenter
            width: 40
            height: 22
            radius: height / 2
            color: customSwitch.checked ? (customSwitch.enabled ? Style.primary : Style.textDisabled) : Style.surfaceAlt
            border.width: customSwitch.activeFocus ? 2 : 1
            border.color: customSwitch.activeFocus ? Style.focus : (customSwitch.checked ? Style.primary : Style.border)

            Rectangle {
                x: customSwitch.checked ? track.width - width - 3 : 3
                anchors.verticalCenter: parent.verticalCenter
                width: 16
                height: 16
                radius: 8
                color: Style.surface
                border.width: 1
                border.color: Style.border
            }
        }

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: customSwitch.text
            font.family: FontStyle.family
            font.pixelSize: FontStyle.normal
            color: customSwitch.enabled ? Style.text : Style.textDisabled
        }
    }

    MouseArea {
        anchors.fill: parent
        enabled: customSwitch.interactive
        cursorShape: Qt.PointingHandCursor
        hoverEnabled: true
        onEntered: SharedObjects.resetTimer()
        onClicked: customSwitch.toggle()
    }
}
