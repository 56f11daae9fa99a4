import QtQuick 2.15

// One instrument of a level with its sub-instruments indented below it.
Column {
    id: instrumentRow

    // The model's row (the role values by name) and its row number.
    property var entry: null
    property int row: -1
    property string levelName: ""
    property bool first: false
    property bool last: false
    readonly property string instrumentId: cells.instrumentId
    readonly property alias cells: cells
    readonly property var subInstruments: instrumentId === "" ? null
        : ProgramViewController.getSubInstrumentListForInstrument(instrumentId)

    signal moveClicked(int step)
    signal dialogRequested(string name, var parameters)

    InstrumentCells {
        id: cells

        width: instrumentRow.width
        entry: instrumentRow.entry
        row: instrumentRow.row
        levelName: instrumentRow.levelName
        first: instrumentRow.first
        last: instrumentRow.last
        onMoveClicked: function(step) { instrumentRow.moveClicked(step) }
        onDialogRequested: function(name, parameters) { instrumentRow.dialogRequested(name, parameters) }
    }

    Repeater {
        model: instrumentRow.subInstruments

        delegate: InstrumentCells {
            objectName: "subInstrument_" + index
            width: instrumentRow.width
            entry: model
            row: index
            isSub: true
            levelName: instrumentRow.levelName
            onDialogRequested: function(name, parameters) { instrumentRow.dialogRequested(name, parameters) }
        }
    }
}
