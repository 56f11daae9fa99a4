import QtQuick 2.15
import SharedObjects 1.0
import "../CustomComponents"

// A new name for a program group; the controller keeps names unique.
DialogBase {
    id: editProgramGroupNameDialog

    // The id of the group to rename.
    property string listIdRoleText: ""
    readonly property string newName: nameField.text.trim()

    objectName: "EditProgramGroupNameDialog"
    title: qsTr("Programmgruppe umbenennen") + TranslationService.updateString
    acceptText: qsTr("Umbenennen") + TranslationService.updateString
    acceptEnabled: listIdRoleText !== "" && newName !== ""

    onListIdRoleTextChanged: {
        for (let row = 0; row < names.count; ++row) {
            if (names.itemAt(row).groupId === listIdRoleText) {
                nameField.text = names.itemAt(row).groupName
                nameField.field.selectAll()
            }
        }
    }
    Component.onCompleted: nameField.field.forceActiveFocus()

    onFinished: function(accepted, result) {
        if (accepted)
            CopyViewController.renameProgramGroup(SharedObjects.selectedUserSetId, listIdRoleText, newName)
    }

    // The current names, to start from the one being changed.
    Repeater {
        id: names

        model: ProgramPackagesModelEditPage

        delegate: Item {
            required property var listIdRole
            required property var listTextRole
            readonly property string groupId: listIdRole
            readonly property string groupName: listTextRole

            visible: false
        }
    }

    InputField {
        id: nameField

        fieldName: "groupNameField"
        width: parent.width
        label: qsTr("Neuer Name:") + TranslationService.updateString
        tabTarget: editProgramGroupNameDialog.cancelButton
        onAccepted: editProgramGroupNameDialog.accept()
    }
}
