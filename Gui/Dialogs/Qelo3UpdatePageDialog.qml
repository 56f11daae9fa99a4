import QtQuick 2.15
import SharedObjects 1.0
import FontStyle 1.0
import "../CustomComponents"

// Confirms the upload of the selected update to the connected generator.
DialogBase {
    id: qelo3UpdatePageDialog

    objectName: "Qelo3UpdatePageDialog"
    title: qsTr("Auf QELO 3 Hochladen") + TranslationService.updateString
    acceptText: qsTr("Hochladen") + TranslationService.updateString

    StandardText {
        width: parent.width
        text: qsTr("Ausgewähltes Update auf verbundenes QELO 3 hochladen?") + TranslationService.updateString
    }

    StandardText {
        width: parent.width
        font.weight: FontStyle.weightBold
        text: SharedObjects.selectedUpdateName
    }
}
