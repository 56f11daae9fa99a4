import QtQuick 2.15
import "../CustomComponents"

// Offers to save an edited user set before the module, the user or the
// application goes. Not saving discards the edits, so neither Escape nor a
// click beside the card may stand for it.
DialogBase {
    id: saveCopyChangesDialog

    objectName: "SaveCopyChangesDialog"
    title: qsTr("Änderungen speichern") + TranslationService.updateString
    acceptText: qsTr("Speichern") + TranslationService.updateString
    cancelText: qsTr("Nicht speichern") + TranslationService.updateString
    closeWhenBackgroundClicked: false
    escapeCancels: false

    StandardText {
        objectName: "message"
        width: parent.width
        text: qsTr("Möchten Sie die vorgenommenen Änderungen speichern?") + TranslationService.updateString
    }
}
