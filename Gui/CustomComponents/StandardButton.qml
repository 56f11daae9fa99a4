import QtQuick 2.15
import QtQuick.Controls.Basic 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0

// The push button: filled in the primary colour for the main action of a
// scene, outlined for the others.
Button {
    id: button

    property bool primary: false

    implicitHeight: Style.buttonHeight
    implicitWidth: Math.max(120, contentItem.implicitWidth + 2 * Style.margin)
    font.family: FontStyle.family
    font.pixelSize: FontStyle.normal
    font.weight: FontStyle.weightBold
    hoverEnabled: true
    onHoveredChanged: if (hovered) SharedObjects.resetTimer()

    Keys.onReturnPressed: function(event) { button.clicked(); event.accepted = true }
    Keys.onEnterPressed: function(event) { button.clicked(); event.accepted = true }

    contentItem: Text {
        text: button.text
        font: button.font
        color: !button.enabled ? Style.textDisabled : (button.primary ? Style.textOnPrimary : Style.primary)
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        radius: Style.radius
        color: {
            if (!button.enabled)
                return Style.surfaceAlt
            if (button.primary)
                return button.down ? Style.primaryDark : (button.hovered ? Qt.darker(Style.primary, 1.08) : Style.primary)
            return button.down ? Style.primaryLight : (button.hovered ? Style.hover : Style.surface)
        }
        border.width: button.visualFocus ? 2 : 1
        border.color: button.visualFocus ? Style.focus : (button.primary ? "transparent" : Style.border)
    }
}
