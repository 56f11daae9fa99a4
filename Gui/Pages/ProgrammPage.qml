import QtQuick 2.15
import QtQuick.Controls.Basic 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"
import "ProgramPage"
import "ProgramPage/ProgramModels.js" as ProgramModels

// Editing one program of the open user set: its sub-programs (levels) as
// tabs, the instruments of the chosen one with their modes, effects,
// switches and activation. Every change goes straight into the set; saving
// or discarding the set stays with the edit page.
Item {
    id: programPage

    property int selectedLevelRow: 0
    // Read from the level list again after each of its changes.
    readonly property var levelIds: (revision, ProgramModels.levelIds(ProgramLevelList))
    readonly property var levelNames: (revision, ProgramModels.column(ProgramLevelList, 258))
    readonly property string selectedLevelId: levelIds[selectedLevelRow] !== undefined ? levelIds[selectedLevelRow] : ""
    readonly property string selectedLevelName: levelNames[selectedLevelRow] !== undefined
                                                ? levelNames[selectedLevelRow] : ""
    // Counts the changes of the level list: the per-level instrument lists
    // are asked for again after each one.
    property int revision: 0
    readonly property var instruments: selectedLevelId === "" ? null
        : (revision, ProgramViewController.getInstrumentListForLevel(selectedLevelId))
    readonly property alias levels: levelTabs
    readonly property alias instrumentRows: instrumentRepeater

    signal backRequested
    signal cancelRequested
    signal dialogRequested(string name, var parameters)

    function levelId(row) {
        return levelIds[row] !== undefined ? levelIds[row] : ""
    }

    function refreshLevels() {
        revision += 1
        selectedLevelRow = Math.max(0, Math.min(selectedLevelRow, levelIds.length - 1))
    }

    function moveLevel(row, step) {
        const target = row + step
        if (target < 0 || target >= levelTabs.count)
            return
        ProgramViewController.swapProgramLevels(ProgramViewController.getUserProgramId(), levelId(row), levelId(target))
        refreshLevels()
        selectedLevelRow = target
    }

    function toggleLevelDeletion(row) {
        const item = levelTabs.itemAt(row)
        ProgramViewController.markForDeleteProgramLevel(item.levelId, !item.marked, row)
        refreshLevels()
    }

    function instrumentId(row) {
        const item = instrumentRepeater.itemAt(row)
        return item ? item.instrumentId : ""
    }

    // Down past the last instrument is not offered; up swaps with the one above.
    function moveInstrument(row, step) {
        const target = row + step
        if (target < 0 || target >= instrumentRepeater.count)
            return
        ProgramViewController.swapInstruments(selectedLevelId, instrumentId(row), instrumentId(target))
    }

    objectName: "ProgrammPage"
    focus: true

    Keys.onEscapePressed: function(event) { programPage.cancelRequested(); event.accepted = true }

    Connections {
        target: ProgramLevelList

        function onRowsInserted() { programPage.refreshLevels() }
        function onRowsRemoved() { programPage.refreshLevels() }
        function onRowsMoved() { programPage.refreshLevels() }
        function onModelReset() { programPage.refreshLevels() }
        function onDataChanged() { programPage.refreshLevels() }
    }

    Connections {
        target: ProgramViewController
        ignoreUnknownSignals: true

        function onProgramClosed() {
            programPage.backRequested()
        }
    }

    PageRectangle {
        id: headerCard

        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.margins: Style.margin
        height: 72

        Image {
            id: groupImage

            anchors.left: parent.left
            anchors.leftMargin: Style.margin
            anchors.verticalCenter: parent.verticalCenter
            width: 44
            height: 44
            sourceSize.width: 88
            sourceSize.height: 88
            source: ProgramViewController.getProgramGroupBitmap()
            asynchronous: true
        }

        Column {
            anchors.left: groupImage.right
            anchors.leftMargin: Style.margin
            anchors.right: headerButtons.left
            anchors.verticalCenter: parent.verticalCenter
            spacing: 2

            SectionTitle {
                width: parent.width
                elide: Text.ElideRight
                text: qsTr("Programm ändern") + " \u00B7 " + ProgramViewController.getProgramGroupName()
                      + TranslationService.updateString
            }

            Text {
                objectName: "programName"
                width: parent.width
                elide: Text.ElideRight
                text: ProgramViewController.limitTextSize(ProgramViewController.programName, 60)
                font.family: FontStyle.family
                font.pixelSize: FontStyle.large
                font.weight: FontStyle.weightBold
                color: Style.text
            }
        }

        Row {
            id: headerButtons

            anchors.right: parent.right
            anchors.rightMargin: Style.margin
            anchors.verticalCenter: parent.verticalCenter
            spacing: Style.spacing

            StandardButton {
                objectName: "renameProgramButton"
                text: qsTr("Umbenennen") + TranslationService.updateString
                onClicked: programPage.dialogRequested("RenameProgramDialog", ProgramViewController.programName)
            }

            StandardButton {
                objectName: "addLevelButton"
                text: qsTr("Subprogramm hinzufügen") + TranslationService.updateString
                enabled: ProgramViewController.isAddProgramLevelEnabled
                onClicked: programPage.dialogRequested("AddLevelDialog", [])
            }
        }
    }

    Flickable {
        id: tabsFlickable

        anchors.top: headerCard.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.topMargin: Style.margin
        anchors.leftMargin: Style.margin
        anchors.rightMargin: Style.margin
        height: 48
        contentWidth: tabRow.width
        clip: true
        boundsBehavior: Flickable.StopAtBounds

        Row {
            id: tabRow

            spacing: 4

            Repeater {
                id: levelTabs

                objectName: "levelTabs"
                model: ProgramLevelList

                delegate: LevelTab {
                    required property int index
                    required property var listIdRole
                    required property var listTextRole
                    required property var listMarkedForDeleteRole

                    objectName: "levelTab_" + index
                    levelId: listIdRole
                    levelName: listTextRole
                    marked: listMarkedForDeleteRole === true
                    selected: index === programPage.selectedLevelRow
                    first: index === 0
                    last: index === levelTabs.count - 1
                    onChosen: programPage.selectedLevelRow = index
                    onRenameClicked: programPage.dialogRequested("AddLevelDialog", [levelId, levelName, index])
                    onMoveClicked: function(step) { programPage.moveLevel(index, step) }
                    onDeleteClicked: programPage.toggleLevelDeletion(index)
                }
            }
        }
    }

    PageRectangle {
        id: instrumentsCard

        anchors.top: tabsFlickable.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: actions.top
        anchors.leftMargin: Style.margin
        anchors.rightMargin: Style.margin
        anchors.bottomMargin: Style.margin

        Flickable {
            id: instrumentsFlickable

            anchors.top: parent.top
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: addInstrumentButton.top
            anchors.margins: Style.spacing
            contentHeight: instrumentColumn.height
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}

            Column {
                id: instrumentColumn

                width: instrumentsFlickable.width

                Repeater {
                    id: instrumentRepeater

                    objectName: "instrumentRows"
                    model: programPage.instruments

                    delegate: InstrumentRow {
                        objectName: "instrument_" + index
                        width: instrumentColumn.width
                        entry: model
                        row: index
                        first: index === 0
                        last: index === instrumentRepeater.count - 1
                        levelName: programPage.selectedLevelName
                        onMoveClicked: function(step) { programPage.moveInstrument(index, step) }
                        onDialogRequested: function(name, parameters) { programPage.dialogRequested(name, parameters) }
                    }
                }
            }
        }

        StandardText {
            anchors.centerIn: instrumentsFlickable
            visible: instrumentRepeater.count === 0
            text: qsTr("Dieses Subprogramm hat noch keine Instrumente.") + TranslationService.updateString
            color: Style.textMuted
        }

        StandardButton {
            id: addInstrumentButton

            objectName: "addInstrumentButton"
            anchors.left: parent.left
            anchors.bottom: parent.bottom
            anchors.margins: Style.margin
            text: qsTr("Instrument hinzufügen") + TranslationService.updateString
            enabled: ProgramViewController.isAddInstrumentEnabled && programPage.selectedLevelId !== ""
            onClicked: programPage.dialogRequested("AddInstrumentDialog",
                                                   [instrumentRepeater.count, programPage.selectedLevelRow])
        }
    }

    Row {
        id: actions

        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: Style.margin
        spacing: Style.spacing

        StandardButton {
            objectName: "cancelProgramButton"
            text: qsTr("Abbrechen") + TranslationService.updateString
            onClicked: programPage.cancelRequested()
        }

        StandardButton {
            objectName: "backToEditButton"
            text: qsTr("Zurück zum Anwenderset") + TranslationService.updateString
            primary: true
            onClicked: programPage.backRequested()
        }
    }
}
