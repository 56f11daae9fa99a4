import QtQuick 2.15
import "../CustomComponents"

// The EVX or the IRX value of an instrument. Choosing a value leaves the
// switch beside it as it is.
DialogBase {
    id: rateDialog

    // "EVX" or "IRX".
    property string kind: ""
    property string instrumentId: ""
    property string instrumentName: ""
    readonly property bool evx: kind === "EVX"

    // Called by the dialog host once the parameters are in: the menu is the
    // controller's, refilled for this instrument.
    function done() {
        rates.model = evx ? ProgramViewController.getEvxValues(instrumentId)
                          : ProgramViewController.getIrxValues(instrumentId)
        if (evx)
            rates.selectIndex(ProgramViewController.getEvxMenuSelectedIndex(instrumentId))
        rates.forceActiveFocus()
    }

    objectName: "RateDialog"
    title: (evx ? qsTr("EVX-Wert: %1") : qsTr("IRX-Wert: %1")).arg(instrumentName) + TranslationService.updateString
    acceptEnabled: instrumentId !== "" && rates.selectedId !== ""
    dialogResult: rates.selectedId

    onFinished: function(accepted, result) {
        if (!accepted)
            return
        if (evx)
            ProgramViewController.setEvxValue(instrumentId, result)
        else
            ProgramViewController.setIrxValue(instrumentId, result)
    }

    ChoiceList {
        id: rates

        objectName: "rateList"
        width: parent.width
        KeyNavigation.tab: rateDialog.cancelButton
    }
}
