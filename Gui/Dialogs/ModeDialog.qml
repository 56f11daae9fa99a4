import QtQuick 2.15
import "../CustomComponents"

// The cut or coag mode of an instrument, from the modes its type allows.
DialogBase {
    id: modeDialog

    // "cut" or "coag".
    property string caller: ""
    property var modeModel: null
    property string callerInstrumentId: ""
    property int row: -1

    objectName: "ModeDialog"
    acceptEnabled: callerInstrumentId !== "" && modes.selectedId !== ""
    dialogResult: modes.selectedId

    Component.onCompleted: modes.forceActiveFocus()

    onFinished: function(accepted, result) {
        if (!accepted)
            return
        if (caller === "cut")
            ProgramViewController.setCurrentCutMode(callerInstrumentId, result, row)
        else
            ProgramViewController.setCurrentCoagMode(callerInstrumentId, result, row)
    }

    ChoiceList {
        id: modes

        objectName: "modeList"
        width: parent.width
        visibleRows: 8
        model: modeDialog.modeModel
        KeyNavigation.tab: modeDialog.cancelButton
    }
}
