import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0

// A text the user clicks, styled as a link. Reaching it with the pointer or
// the keyboard counts as activity for the inactivity logout.
Text {
    id: interactiveText

    signal clicked

    font.family: FontStyle.family
    font.pixelSize: FontStyle.normal
    font.underline: mouseArea.containsMouse || activeFocus
    color: enabled ? (mouseArea.pressed ? Style.primaryDark : Style.primary) : Style.textDisabled
    activeFocusOnTab: true
    textFormat: Text.PlainText
    Accessible.role: Accessible.Link
    Accessible.name: text
    Accessible.onPressAction: clicked()

    Keys.onReturnPressed: function(event) { clicked(); event.accepted = true }
    Keys.onEnterPressed: function(event) { clicked(); event.accepted = true }
    Keys.onSpacePressed: function(event) { clicked(); event.accepted = true }

    MouseArea {
        id: mouseArea

        anchors.fill: parent
        anchors.margins: -4
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        enabled: interactiveText.enabled
        onEntered: SharedObjects.resetTimer()
        onClicked: interactiveText.clicked()
    }
}
