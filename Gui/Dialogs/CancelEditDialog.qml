import QtQuick 2.15
import "../CustomComponents"

// Asks before the edits of a page are thrown away; the dialog host leaves
// the page that opened it.
DialogBase {
    id: cancelEditDialog

    objectName: "CancelEditDialog"
    title: qsTr("Änderungen verwerfen") + TranslationService.updateString
    acceptText: qsTr("Verwerfen") + TranslationService.updateString
    cancelText: qsTr("Weiter bearbeiten") + TranslationService.updateString

    StandardText {
        objectName: "message"
        width: parent.width
        text: qsTr("Änderungen wirklich verwerfen?") + TranslationService.updateString
    }
}
