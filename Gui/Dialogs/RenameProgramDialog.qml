import QtQuick 2.15
import "../CustomComponents"

// A new name for the program; a protected part stays as it is.
DialogBase {
    id: renameProgramDialog

    // The program's full name.
    property string name: ""

    objectName: "RenameProgramDialog"
    title: qsTr("Programm umbenennen") + TranslationService.updateString
    acceptText: qsTr("Umbenennen") + TranslationService.updateString
    acceptEnabled: nameField.editablePart !== ""

    Component.onCompleted: nameField.field.forceActiveFocus()

    onFinished: function(accepted, result) {
        if (accepted && nameField.name !== name)
            ProgramViewController.renameProgram(nameField.name)
    }

    ProtectedNameField {
        id: nameField

        fieldName: "programNameField"
        width: parent.width
        fullName: renameProgramDialog.name
        label: qsTr("Neuer Name:") + TranslationService.updateString
        tabTarget: renameProgramDialog.cancelButton
        onAccepted: renameProgramDialog.accept()
    }
}
