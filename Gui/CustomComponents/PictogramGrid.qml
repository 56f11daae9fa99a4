import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0

// The program-group pictograms to choose from, one tile each.
Flow {
    id: pictogramGrid

    // The chosen pictogram's identifier.
    property string selectedId: ""
    readonly property alias count: tiles.count

    // The identifier of the pictogram drawn by `image`, or "" when none is.
    function idOfImage(image) {
        for (let i = 0; i < tiles.count; ++i) {
            if (tiles.itemAt(i).image === image)
                return tiles.itemAt(i).pictogramId
        }
        return ""
    }

    spacing: Style.spacing

    Repeater {
        id: tiles

        model: CopyViewController.getPiktograms()

        delegate: Rectangle {
            id: tile

            required property var listIdRole
            required property var listImageSourceRole
            readonly property string pictogramId: listIdRole
            readonly property string image: listImageSourceRole ? listImageSourceRole : ""
            readonly property bool chosen: pictogramId === pictogramGrid.selectedId

            objectName: "pictogram_" + pictogramId
            width: 64
            height: 64
            radius: Style.radius
            color: chosen ? Style.primaryLight : (tileMouse.containsMouse ? Style.hover : Style.surface)
            border.width: chosen || activeFocus ? 2 : 1
            border.color: activeFocus ? Style.focus : (chosen ? Style.primary : Style.border)
            activeFocusOnTab: true
            Accessible.role: Accessible.RadioButton
            Accessible.name: pictogramId
            Accessible.checked: chosen

            Keys.onSpacePressed: function(event) { pictogramGrid.selectedId = tile.pictogramId; event.accepted = true }

            Image {
                anchors.centerIn: parent
                width: 44
                height: 44
                sourceSize.width: 88
                sourceSize.height: 88
                source: tile.image
                asynchronous: true
            }

            MouseArea {
                id: tileMouse

                anchors.fill: parent
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                onEntered: SharedObjects.resetTimer()
                onClicked: pictogramGrid.selectedId = tile.pictogramId
            }
        }
    }
}
