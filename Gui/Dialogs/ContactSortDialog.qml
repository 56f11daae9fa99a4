import QtQuick 2.15
import Style 1.0
import "../CustomComponents"

// How the service-centre list is ordered; the answer is the sort key.
DialogBase {
    id: contactSortDialog

    objectName: "ContactSortDialog"
    title: qsTr("Sortieren nach") + TranslationService.updateString
    dialogResult: ContactViewController.sort === "" ? "Country" : ContactViewController.sort

    Repeater {
        model: [
            { key: "Country", label: QT_TR_NOOP("Land") },
            { key: "City", label: QT_TR_NOOP("Stadt") },
            { key: "Default", label: QT_TR_NOOP("Standard-Center") }
        ]

        CheckOption {
            objectName: "sort" + modelData.key
            text: qsTr(modelData.label) + TranslationService.updateString
            checked: contactSortDialog.dialogResult === modelData.key
            onToggled: {
                contactSortDialog.dialogResult = modelData.key
                checked = Qt.binding(function() { return contactSortDialog.dialogResult === modelData.key })
            }
        }
    }
}
