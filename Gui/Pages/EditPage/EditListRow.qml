import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0

// A group or a program on the edit page, with its actions on the right. A
// row marked for deletion is struck through and offers to keep it again.
Rectangle {
    id: editListRow

    property string text: ""
    property string imageSource: ""
    property bool marked: false
    property bool selected: false
    property bool first: false
    property bool last: false
    property bool renamable: true

    signal chosen
    signal imageClicked
    signal renameClicked
    signal copyClicked
    signal moveClicked(int step)
    signal deleteClicked

    component RowButton: Rectangle {
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
        activeFocusOnTab: enabled
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

    height: 48
    color: selected ? Style.primaryLight : (rowMouse.containsMouse ? Style.hover : Style.surface)
    Accessible.role: Accessible.ListItem
    Accessible.name: text
    Accessible.selected: selected

    MouseArea {
        id: rowMouse

        anchors.fill: parent
        hoverEnabled: true
        onEntered: SharedObjects.resetTimer()
        onClicked: editListRow.chosen()
    }

    Rectangle {
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        width: 4
        visible: editListRow.selected
        color: Style.primary
    }

    Row {
        id: label

        anchors.left: parent.left
        anchors.leftMargin: Style.margin
        anchors.right: buttons.left
        anchors.rightMargin: Style.spacing
        anchors.verticalCenter: parent.verticalCenter
        spacing: Style.spacing

        Rectangle {
            objectName: "pictogramButton"
            width: 32
            height: 32
            radius: Style.radius
            visible: editListRow.imageSource !== ""
            color: pictogramMouse.containsMouse ? Style.primaryLight : "transparent"
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Piktogramm ändern") + TranslationService.updateString

            Image {
                anchors.centerIn: parent
                width: 28
                height: 28
                sourceSize.width: 56
                sourceSize.height: 56
                source: editListRow.imageSource
                asynchronous: true
                opacity: editListRow.marked ? 0.4 : 1
            }

            MouseArea {
                id: pictogramMouse

                anchors.fill: parent
                hoverEnabled: true
                enabled: !editListRow.marked
                cursorShape: Qt.PointingHandCursor
                onClicked: editListRow.imageClicked()
            }
        }

        Text {
            anchors.verticalCenter: parent.verticalCenter
            width: label.width - (editListRow.imageSource !== "" ? 40 : 0)
            text: editListRow.text
            elide: Text.ElideRight
            font.family: FontStyle.family
            font.pixelSize: FontStyle.normal
            font.strikeout: editListRow.marked
            font.weight: editListRow.selected ? FontStyle.weightBold : FontStyle.weightNormal
            color: editListRow.marked ? Style.textDisabled : Style.text
        }
    }

    Row {
        id: buttons

        anchors.right: parent.right
        anchors.rightMargin: Style.spacing
        anchors.verticalCenter: parent.verticalCenter
        spacing: 2

        RowButton {
            objectName: "moveUpButton"
            glyph: "\u25B2"
            toolTip: qsTr("Nach oben") + TranslationService.updateString
            enabled: !editListRow.first && !editListRow.marked
            onClicked: editListRow.moveClicked(-1)
        }

        RowButton {
            objectName: "moveDownButton"
            glyph: "\u25BC"
            toolTip: qsTr("Nach unten") + TranslationService.updateString
            enabled: !editListRow.last && !editListRow.marked
            onClicked: editListRow.moveClicked(1)
        }

        RowButton {
            objectName: "renameButton"
            visible: editListRow.renamable
            glyph: "\u270E"
            toolTip: qsTr("Umbenennen") + TranslationService.updateString
            enabled: !editListRow.marked
            onClicked: editListRow.renameClicked()
        }

        RowButton {
            objectName: "copyButton"
            glyph: "\u2750"
            toolTip: qsTr("Kopieren") + TranslationService.updateString
            enabled: !editListRow.marked
            onClicked: editListRow.copyClicked()
        }

        RowButton {
            objectName: "deleteButton"
            glyph: editListRow.marked ? "\u21BA" : "\u2715"
            toolTip: (editListRow.marked ? qsTr("Behalten") : qsTr("Zum Löschen markieren"))
                     + TranslationService.updateString
            onClicked: editListRow.deleteClicked()
        }
    }

    Rectangle {
        anchors.bottom: parent.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        height: 1
        color: Style.border
    }
}
