import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// An instrument's name (its protected part fixed), in this sub-program or
// in all of them, and the way to change its type.
DialogBase {
    id: editInstrumentDialog

    property string instrumentId: ""
    property string name: ""
    property string type: ""
    property string typeDisplay: ""
    property string imageSource: ""
    property string subProgramName: ""
    property bool changeAllSubprograms: false
    readonly property bool severalLevels: ProgramViewController.getNumberOfProgramlevels() > 1

    // The name as the rename dialogs show it, with the other levels in view.
    function getName() {
        nameField.fullName = ProgramViewController.getInstrumentNameCheckingSubprograms(instrumentId, type)
    }

    objectName: "EditInstrumentDialog"
    title: qsTr("Instrument bearbeiten") + TranslationService.updateString
    acceptText: qsTr("Übernehmen") + TranslationService.updateString
    acceptEnabled: instrumentId !== "" && nameField.editablePart !== ""

    onInstrumentIdChanged: nameField.fullName = ProgramViewController.getInstrumentName(instrumentId)
    Component.onCompleted: nameField.field.forceActiveFocus()

    onFinished: function(accepted, result) {
        if (accepted)
            ProgramViewController.renameInstrument(instrumentId, nameField.name, changeAllSubprograms)
    }

    Row {
        width: parent.width
        spacing: Style.margin

        Image {
            width: 56
            height: 56
            sourceSize.width: 112
            sourceSize.height: 112
            source: editInstrumentDialog.imageSource
            asynchronous: true
        }

        Column {
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - 56 - Style.margin
            spacing: 4

            StandardText {
                width: parent.width
                text: editInstrumentDialog.typeDisplay
                font.weight: FontStyle.weightBold
            }

            InteractiveText {
                id: typeLink

                objectName: "changeTypeLink"
                text: qsTr("Typ ändern") + TranslationService.updateString
                KeyNavigation.tab: scopeOption.visible ? scopeOption : editInstrumentDialog.cancelButton
                onClicked: editInstrumentDialog.requestDialog("ChooseTypeDialog",
                    [editInstrumentDialog.type, editInstrumentDialog.instrumentId, editInstrumentDialog.subProgramName])
            }
        }
    }

    ProtectedNameField {
        id: nameField

        fieldName: "instrumentNameField"
        width: parent.width
        label: qsTr("Name:") + TranslationService.updateString
        tabTarget: typeLink
        onAccepted: editInstrumentDialog.accept()
    }

    CheckOption {
        id: scopeOption

        objectName: "allLevelsOption"
        visible: editInstrumentDialog.severalLevels
        text: qsTr("In allen Subprogrammen umbenennen") + TranslationService.updateString
        checked: editInstrumentDialog.changeAllSubprograms
        KeyNavigation.tab: editInstrumentDialog.cancelButton
        onToggled: editInstrumentDialog.changeAllSubprograms = checked
    }
}
