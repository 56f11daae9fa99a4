import QtQuick 2.15
import "../CustomComponents"

// A new sub-program (level) of the program, or a new name for one.
DialogBase {
    id: addLevelDialog

    // Empty for a new level; else the level to rename and its row.
    property string programLevelId: ""
    property string name: ""
    property int row: -1
    readonly property bool renaming: programLevelId !== ""
    readonly property string newName: nameField.text.trim()

    objectName: "AddLevelDialog"
    title: (renaming ? qsTr("Subprogramm umbenennen") : qsTr("Subprogramm hinzufügen")) + TranslationService.updateString
    acceptText: (renaming ? qsTr("Umbenennen") : qsTr("Hinzufügen")) + TranslationService.updateString
    acceptEnabled: newName !== "" && (renaming || ProgramViewController.isAddProgramLevelEnabled)

    onNameChanged: {
        nameField.text = name
        nameField.field.selectAll()
    }
    Component.onCompleted: nameField.field.forceActiveFocus()

    onFinished: function(accepted, result) {
        if (!accepted)
            return
        if (renaming)
            ProgramViewController.renameProgramLevel(programLevelId, newName, row)
        else
            ProgramViewController.addProgramLevel(newName)
    }

    InputField {
        id: nameField

        fieldName: "levelNameField"
        width: parent.width
        label: qsTr("Subprogrammname:") + TranslationService.updateString
        tabTarget: addLevelDialog.cancelButton
        onAccepted: addLevelDialog.accept()
    }
}
