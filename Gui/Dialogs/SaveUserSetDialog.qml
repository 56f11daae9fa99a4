import QtQuick 2.15
import SharedObjects 1.0
import "../CustomComponents"

// The file name under which an edited user set is saved as an own template;
// the dialog host saves it and goes on to the page the user was heading for.
DialogBase {
    id: saveUserSetDialog

    property var navigateToPage: undefined
    readonly property string fileName: nameField.text.trim()

    objectName: "SaveUserSetDialog"
    title: qsTr("Anwenderset speichern") + TranslationService.updateString
    acceptText: qsTr("Speichern") + TranslationService.updateString
    acceptEnabled: fileName !== ""
    dialogResult: fileName

    Component.onCompleted: {
        nameField.text = CopyViewController.getUserSetBasename(SharedObjects.selectedUserSetId)
        nameField.field.selectAll()
        nameField.field.forceActiveFocus()
    }

    InputField {
        id: nameField

        fieldName: "fileNameField"
        width: parent.width
        label: qsTr("Geändertes Anwenderset speichern unter:") + TranslationService.updateString
        tabTarget: saveUserSetDialog.cancelButton
        onAccepted: saveUserSetDialog.accept()
    }
}
