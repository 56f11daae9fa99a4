import QtQuick 2.15
import "../CustomComponents"

// A new program at the end of a group; an empty name takes the default one.
DialogBase {
    id: editAddProgramDialog

    property string selectedUserSetId: ""
    property string listId: ""
    property int row: -1

    objectName: "EditAddProgramDialog"
    title: qsTr("Programm hinzufügen") + TranslationService.updateString
    acceptText: qsTr("Hinzufügen") + TranslationService.updateString
    acceptEnabled: listId !== ""

    Component.onCompleted: nameField.field.forceActiveFocus()

    onFinished: function(accepted, result) {
        if (accepted)
            CopyViewController.createNewProgram(selectedUserSetId, listId, nameField.text.trim(), row)
    }

    InputField {
        id: nameField

        fieldName: "programNameField"
        width: parent.width
        label: qsTr("Programmname:") + TranslationService.updateString
        placeholderText: qsTr("Neues Programm") + TranslationService.updateString
        tabTarget: editAddProgramDialog.cancelButton
        onAccepted: editAddProgramDialog.accept()
    }
}
