import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0

// A small square action of a row: a glyph, its name for screen readers, and
// Enter or Space for keyboard use.
Rectangle {
    id: rowButton

    property string glyph: ""
    property string toolTip: ""

    signal clicked

    width: 30
    height: 30
    radius: Style.radius
    color: buttonMouse.containsMouse && enabled ? Style.primaryLight : "transparent"
    border.width: activeFocus ? 2 : 0
    border.color: Style.focus
    opacity: enabled ? 1 : 0.35
    activeFocusOnTab: enabled && visible
    Accessible.role: Accessible.Button
    Accessible.name: toolTip
    Accessible.onPressAction: clicked()

    Keys.onReturnPressed: function(event) { rowButton.clicked(); event.accepted = true }
    Keys.onEnterPressed: function(event) { rowButton.clicked(); event.accepted = true }
    Keys.onSpacePressed: function(event) { rowButton.clicked(); event.accepted = true }

    Text {
        anchors.centerIn: parent
        text: rowButton.glyph
        font.family: FontStyle.family
        font.pixelSize: FontStyle.medium
        color: Style.primary
    }

    MouseArea {
        id: buttonMouse

        anchors.fill: parent
        hoverEnabled: true
        enabled: rowButton.enabled
        cursorShape: Qt.PointingHandCursor
        onEntered: SharedObjects.resetTimer()
        onClicked: rowButton.clicked()
    }
}
