import QtQuick 2.15
import "../CustomComponents"

// A new name for a sub-instrument, in its own level; a protected part stays.
DialogBase {
    id: renameInstrumentDialog

    property string instrumentId: ""
    property string name: ""
    property string type: ""

    objectName: "RenameInstrumentDialog"
    title: qsTr("Instrument umbenennen") + TranslationService.updateString
    acceptText: qsTr("Umbenennen") + TranslationService.updateString
    acceptEnabled: instrumentId !== "" && nameField.editablePart !== ""

    onInstrumentIdChanged: nameField.fullName = ProgramViewController.getInstrumentName(instrumentId)
    Component.onCompleted: nameField.field.forceActiveFocus()

    onFinished: function(accepted, result) {
        if (accepted)
            ProgramViewController.renameInstrument(instrumentId, nameField.name, false)
    }

    ProtectedNameField {
        id: nameField

        fieldName: "instrumentNameField"
        width: parent.width
        label: qsTr("Neuer Name:") + TranslationService.updateString
        tabTarget: renameInstrumentDialog.cancelButton
        onAccepted: renameInstrumentDialog.accept()
    }
}
