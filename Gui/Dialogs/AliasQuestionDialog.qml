import QtQuick 2.15
import Style 1.0
import "../CustomComponents"

// Whether a type change holds for this sub-program only or for all of them.
// Enter keeps it to this one; the answer is true for all.
DialogBase {
    id: aliasQuestionDialog

    property string aliasType: ""
    property string aliasTypeName: ""
    property string imageSource: ""
    property string instrumentId: ""
    property string subProgramName: ""

    objectName: "AliasQuestionDialog"
    title: qsTr("Instrumenttyp ändern") + TranslationService.updateString
    acceptText: qsTr("Ja, nur in diesem Subprogramm") + TranslationService.updateString
    dialogResult: false
    cardWidth: 560

    onFinished: function(accepted, result) {
        if (accepted)
            ProgramViewController.setInstrumentType(instrumentId, aliasType, result === true)
    }

    Row {
        width: parent.width
        spacing: Style.margin

        Image {
            width: 48
            height: 48
            sourceSize.width: 96
            sourceSize.height: 96
            source: aliasQuestionDialog.imageSource
            asynchronous: true
        }

        StandardText {
            objectName: "message"
            width: parent.width - 48 - Style.margin
            text: qsTr("Den Typ nur im Subprogramm „%1“ in „%2“ ändern?")
                  .arg(aliasQuestionDialog.subProgramName).arg(aliasQuestionDialog.aliasTypeName)
                  + TranslationService.updateString
        }
    }

    StandardButton {
        objectName: "allLevelsButton"
        anchors.right: parent.right
        text: qsTr("Nein, in allen Subprogrammen") + TranslationService.updateString
        onClicked: aliasQuestionDialog.accept(true)
    }
}
