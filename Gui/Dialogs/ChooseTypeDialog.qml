import QtQuick 2.15
import "../CustomComponents"

// Another type for an instrument, of its own polarity; instruments of the
// protected (IOSK) kind are not offered. The answer is the chosen type,
// its name and image: the dialog host then asks for which levels.
DialogBase {
    id: chooseTypeDialog

    property string type: ""
    property string instrumentId: ""
    property string subProgramName: ""

    // Called by the dialog host once the parameters are in.
    function done() {
        types.model = ProgramViewController.getNonIOSKInstrumentsModel(ProgramViewController.isMonopolarId(instrumentId))
        types.selectedId = type
        types.forceActiveFocus()
    }

    objectName: "ChooseTypeDialog"
    title: qsTr("Instrumenttyp wählen") + TranslationService.updateString
    acceptEnabled: types.selectedId !== "" && types.selectedId !== type
    dialogResult: ({ "type": types.selectedId, "name": types.selectedText, "image": types.selectedImage })

    ChoiceList {
        id: types

        objectName: "typeList"
        width: parent.width
        KeyNavigation.tab: chooseTypeDialog.cancelButton
    }
}
