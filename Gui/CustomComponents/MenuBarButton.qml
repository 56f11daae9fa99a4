import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0

// An icon of the menu bar, optionally with a text beside it.
Rectangle {
    id: menuBarButton

    property alias source: icon.source
    property alias label: labelText.text
    property bool interactive: true
    property string toolTip: ""

    signal clicked

    implicitWidth: row.implicitWidth + 2 * Style.spacing
    implicitHeight: Style.menuBarHeight - 8
    radius: Style.radius
    color: mouseArea.pressed && interactive ? Style.primaryLight
         : (mouseArea.containsMouse && interactive ? Style.hover : "transparent")
    border.width: activeFocus ? 2 : 0
    border.color: Style.focus
    activeFocusOnTab: interactive
    Accessible.role: Accessible.Button
    Accessible.name: toolTip !== "" ? toolTip : labelText.text
    Accessible.onPressAction: if (interactive) clicked()

    Keys.onReturnPressed: function(event) { if (interactive) clicked(); event.accepted = true }
    Keys.onEnterPressed: function(event) { if (interactive) clicked(); event.accepted = true }
    Keys.onSpacePressed: function(event) { if (interactive) clicked(); event.accepted = true }

    Row {
        id: row

        anchors.centerIn: parent
        spacing: Style.spacing
        layoutDirection: Qt.RightToLeft

        Image {
            id: icon

            anchors.verticalCenter: parent.verticalCenter
            width: Style.menuIconSize
            height: Style.menuIconSize
            sourceSize.width: 2 * Style.menuIconSize
            sourceSize.height: 2 * Style.menuIconSize
            // Decoded off the GUI thread, so the first frame does not wait for it.
            asynchronous: true
        }

        Text {
            id: labelText

            anchors.verticalCenter: parent.verticalCenter
            visible: text !== ""
            font.family: FontStyle.family
            font.pixelSize: FontStyle.normal
            font.weight: FontStyle.weightBold
            color: Style.text
        }
    }

    MouseArea {
        id: mouseArea

        anchors.fill: parent
        hoverEnabled: true
        cursorShape: menuBarButton.interactive ? Qt.PointingHandCursor : Qt.ArrowCursor
        onEntered: SharedObjects.resetTimer()
        onClicked: if (menuBarButton.interactive) menuBarButton.clicked()
    }
}
