import QtQuick 2.15
import QtQuick.Controls.Basic 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0

// One choice out of a menu of the controller (a list of id, text, image and
// selected flag): the catalogues, the modes, the instrument types. Up and
// down move the choice, so a dialog needs no mouse.
FocusScope {
    id: choiceList

    property var model: null
    property string selectedId: ""
    readonly property string selectedText: currentRow ? currentRow.rowText : ""
    readonly property string selectedImage: currentRow ? currentRow.rowImage : ""
    readonly property int count: rows.count
    property int visibleRows: 6
    readonly property Item currentRow: rowOf(selectedId)

    function rowOf(id) {
        for (let i = 0; i < rows.count; ++i) {
            const item = rows.itemAt(i)
            if (item && item.rowId === id)
                return item
        }
        return null
    }

    function step(delta) {
        const current = currentRow ? currentRow.index : -1
        const next = Math.max(0, Math.min(rows.count - 1, current + delta))
        const item = rows.itemAt(next)
        if (item)
            selectedId = item.rowId
    }

    // A menu whose controller names the current choice by its position.
    function selectIndex(index) {
        const item = rows.itemAt(index)
        if (item)
            selectedId = item.rowId
    }

    // The row the controller marks as selected, or else the first one.
    function takeModelSelection() {
        for (let i = 0; i < rows.count; ++i) {
            if (rows.itemAt(i).rowSelected) {
                selectedId = rows.itemAt(i).rowId
                return
            }
        }
        if (selectedId === "" && rows.count > 0)
            selectedId = rows.itemAt(0).rowId
    }

    implicitHeight: Math.min(rows.count, visibleRows) * 44 + 2
    activeFocusOnTab: true
    Accessible.role: Accessible.List

    Keys.onUpPressed: function(event) { step(-1); event.accepted = true }
    Keys.onDownPressed: function(event) { step(1); event.accepted = true }

    Rectangle {
        anchors.fill: parent
        radius: Style.radius
        color: Style.surface
        border.width: choiceList.activeFocus ? 2 : 1
        border.color: choiceList.activeFocus ? Style.focus : Style.border
    }

    Flickable {
        id: flickable

        anchors.fill: parent
        anchors.margins: 1
        contentHeight: column.height
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}

        Column {
            id: column

            width: flickable.width

            Repeater {
                id: rows

                model: choiceList.model
                onCountChanged: choiceList.takeModelSelection()

                delegate: Rectangle {
                    id: choiceRow

                    required property int index
                    required property var listIdRole
                    required property var listTextRole
                    required property var listImageSourceRole
                    required property var listIsSelectedRole
                    readonly property string rowId: listIdRole
                    readonly property string rowText: listTextRole
                    readonly property string rowImage: listImageSourceRole ? listImageSourceRole : ""
                    readonly property bool rowSelected: listIsSelectedRole === true
                    readonly property bool chosen: rowId === choiceList.selectedId

                    objectName: "choice_" + rowId
                    width: column.width
                    height: 44
                    color: chosen ? Style.primaryLight : (rowMouse.containsMouse ? Style.hover : Style.surface)
                    Accessible.role: Accessible.ListItem
                    Accessible.name: rowText
                    Accessible.selected: chosen
                    onChosenChanged: if (chosen && flickable.height > 0)
                                         flickable.contentY = Math.max(0, Math.min(y, column.height - flickable.height))

                    Row {
                        anchors.left: parent.left
                        anchors.leftMargin: Style.spacing
                        anchors.verticalCenter: parent.verticalCenter
                        spacing: Style.spacing

                        Image {
                            width: 32
                            height: 32
                            visible: choiceRow.rowImage !== ""
                            sourceSize.width: 64
                            sourceSize.height: 64
                            source: choiceRow.rowImage
                            asynchronous: true
                        }

                        Text {
                            anchors.verticalCenter: parent.verticalCenter
                            text: choiceRow.rowText
                            font.family: FontStyle.family
                            font.pixelSize: FontStyle.normal
                            font.weight: choiceRow.chosen ? FontStyle.weightBold : FontStyle.weightNormal
                            color: Style.text
                        }
                    }

                    MouseArea {
                        id: rowMouse

                        anchors.fill: parent
                        hoverEnabled: true
                        cursorShape: Qt.PointingHandCursor
                        onEntered: SharedObjects.resetTimer()
                        onClicked: {
                            choiceList.selectedId = choiceRow.rowId
                            choiceList.forceActiveFocus()
                        }
                    }
                }
            }
        }
    }
}
