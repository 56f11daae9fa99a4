import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// The error messages of the selected event log, most frequent first.
DialogBase {
    id: errorStatisticDialog

    readonly property var errorList: ChronoViewController.fileService.errorList

    objectName: "ErrorStatisticDialog"
    title: qsTr("Fehlerstatistik") + TranslationService.updateString
    cancelVisible: false
    cardWidth: 640

    Row {
        width: parent.width
        spacing: Style.margin

        StandardText {
            width: 80
            text: qsTr("Anzahl") + TranslationService.updateString
            font.weight: FontStyle.weightBold
            horizontalAlignment: Text.AlignRight
        }

        StandardText {
            text: qsTr("Fehlerbeschreibung") + TranslationService.updateString
            font.weight: FontStyle.weightBold
        }
    }

    HorizontalLine {
        width: parent.width
    }

    ListView {
        id: errorView

        objectName: "errorView"
        width: parent.width
        height: Math.min(contentHeight, 360)
        clip: true
        activeFocusOnTab: true
        model: errorStatisticDialog.errorList
        delegate: Row {
            required property string modelData

            width: errorView.width
            spacing: Style.margin

            StandardText {
                width: 80
                horizontalAlignment: Text.AlignRight
                text: modelData.split("\t")[0]
            }

            StandardText {
                width: parent.width - 80 - Style.margin
                text: modelData.substring(modelData.indexOf("\t") + 1)
            }
        }
    }

    StandardText {
        visible: errorStatisticDialog.errorList.length === 0
        color: Style.textMuted
        text: qsTr("Keine Fehlermeldungen im gewählten Ereignisprotokoll.") + TranslationService.updateString
    }
}
