import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0

// The push button: filled in the primary colour for the main action of a
// scene, outlined for the others. Plain QtQuick, so that the login page
// loads no controls library at start-up.
Rectangle {
    id: button

    property string text: ""
    property bool primary: false
    readonly property bool hovered: mouseArea.containsMouse
    readonly property bool down: mouseArea.pressed

    signal clicked

    implicitHeight: Style.buttonHeight
    implicitWidth: Math.max(120, label.implicitWidth + 2 * Style.margin)
    radius: Style.radius
    activeFocusOnTab: true
    color: {
        if (!enabled)
            return Style.surfaceAlt
        if (primary)
            return down ? Style.primaryDark : (hovered ? Qt.darker(Style.primary, 1.08) : Style.primary)
        return down ? Style.primaryLight : (hovered ? Style.hover : Style.surface)
    }
    border.width: activeFocus ? 2 : 1
    border.color: activeFocus ? Style.focus : (primary && enabled ? Style.primary : Style.border)
    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.onPressAction: clicked()

    Keys.onReturnPressed: function(event) { button.clicked(); event.accepted = true }
    Keys.onEnterPressed: function(event) { button.clicked(); event.accepted = true }
    Keys.onSpacePressed: function(event) { button.clicked(); event.accepted = true }

    Text {
        id: label

        anchors.fill: parent
        anchors.leftMargin: Style.spacing
        anchors.rightMargin: Style.spacing
        text: button.text
        font.family: FontStyle.family
        font.pixelSize: FontStyle.normal
        font.weight: FontStyle.weightBold
        color: !button.enabled ? Style.textDisabled : (button.primary ? Style.textOnPrimary : Style.primary)
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    MouseArea {
        id: mouseArea

        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onEntered: SharedObjects.resetTimer()
        onClicked: button.clicked()
    }
}
