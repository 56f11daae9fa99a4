import QtQuick 2.15
import "../CustomComponents"
import "../Pages/ProgramPage/ProgramModels.js" as ProgramModels

// A sub-instrument for an instrument, from the types its type may carry.
DialogBase {
    id: addSubInstrumentDialog

    property string instrumentId: ""
    property int row: -1
    readonly property var parentInstrument: instrumentId === "" ? null
        : ProgramModels.findInstrument(ProgramViewController, ProgramLevelList, instrumentId)
    readonly property string newName: nameField.text.trim()

    objectName: "AddSubInstrumentDialog"
    title: qsTr("Subinstrument hinzufügen") + TranslationService.updateString
    acceptText: qsTr("Hinzufügen") + TranslationService.updateString
    acceptEnabled: instrumentId !== "" && types.selectedId !== "" && newName !== ""

    Component.onCompleted: types.forceActiveFocus()

    onFinished: function(accepted, result) {
        if (accepted)
            ProgramViewController.addSubInstrumentToInstrument(types.selectedId, newName, instrumentId, row)
    }

    StandardText {
        width: parent.width
        visible: addSubInstrumentDialog.parentInstrument !== null
        text: qsTr("Zu: %1").arg(addSubInstrumentDialog.parentInstrument ? addSubInstrumentDialog.parentInstrument.name : "")
              + TranslationService.updateString
    }

    ChoiceList {
        id: types

        objectName: "subCatalogueList"
        width: parent.width
        model: addSubInstrumentDialog.parentInstrument
               ? ProgramViewController.getSubInstrumentCatalog(addSubInstrumentDialog.parentInstrument.type) : null
        KeyNavigation.tab: nameField.field
        onSelectedTextChanged: nameField.text = selectedText
    }

    InputField {
        id: nameField

        fieldName: "subInstrumentNameField"
        width: parent.width
        label: qsTr("Name:") + TranslationService.updateString
        tabTarget: addSubInstrumentDialog.cancelButton
        onAccepted: addSubInstrumentDialog.accept()
    }
}
