import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0

// One sub-program (level) of the program as a tab, with its actions while
// it is the chosen one. A level marked for deletion is struck through until
// the set is saved, and offers to keep it again.
Rectangle {
    id: levelTab

    property string levelId: ""
    property string levelName: ""
    property bool marked: false
    property bool selected: false
    property bool first: false
    property bool last: false

    signal chosen
    signal renameClicked
    signal moveClicked(int step)
    signal deleteClicked

    width: Math.max(140, label.implicitWidth + (selected ? buttons.width : 0) + 3 * Style.spacing)
    height: 48
    radius: Style.radius
    color: selected ? Style.surface : (tabMouse.containsMouse ? Style.hover : Style.surfaceAlt)
    border.width: activeFocus ? 2 : 1
    border.color: activeFocus ? Style.focus : Style.border
    activeFocusOnTab: true
    Accessible.role: Accessible.PageTab
    Accessible.name: levelName
    Accessible.selected: selected

    Keys.onSpacePressed: function(event) { levelTab.chosen(); event.accepted = true }
    Keys.onReturnPressed: function(event) { levelTab.chosen(); event.accepted = true }

    MouseArea {
        id: tabMouse

        anchors.fill: parent
        hoverEnabled: true
        onEntered: SharedObjects.resetTimer()
        onClicked: levelTab.chosen()
    }

    Rectangle {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        height: 3
        visible: levelTab.selected
        color: Style.primary
    }

    Text {
        id: label

        anchors.left: parent.left
        anchors.leftMargin: Style.spacing * 1.5
        anchors.verticalCenter: parent.verticalCenter
        text: ProgramViewController.limitTextSize(levelTab.levelName, 24)
        font.family: FontStyle.family
        font.pixelSize: FontStyle.normal
        font.strikeout: levelTab.marked
        font.weight: levelTab.selected ? FontStyle.weightBold : FontStyle.weightNormal
        color: levelTab.marked ? Style.textDisabled : Style.text
    }

    Row {
        id: buttons

        anchors.right: parent.right
        anchors.rightMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        visible: levelTab.selected
        spacing: 0

        RowButton {
            objectName: "moveLevelLeftButton"
            glyph: "\u25C0"
            toolTip: qsTr("Nach links") + TranslationService.updateString
            enabled: !levelTab.first && !levelTab.marked
            onClicked: levelTab.moveClicked(-1)
        }

        RowButton {
            objectName: "moveLevelRightButton"
            glyph: "\u25B6"
            toolTip: qsTr("Nach rechts") + TranslationService.updateString
            enabled: !levelTab.last && !levelTab.marked
            onClicked: levelTab.moveClicked(1)
        }

        RowButton {
            objectName: "renameLevelButton"
            glyph: "\u270E"
            toolTip: qsTr("Umbenennen") + TranslationService.updateString
            enabled: !levelTab.marked
            onClicked: levelTab.renameClicked()
        }

        RowButton {
            objectName: "deleteLevelButton"
            glyph: levelTab.marked ? "\u21BA" : "\u2715"
            toolTip: (levelTab.marked ? qsTr("Behalten") : qsTr("Zum Löschen markieren"))
                     + TranslationService.updateString
            onClicked: levelTab.deleteClicked()
        }
    }
}
