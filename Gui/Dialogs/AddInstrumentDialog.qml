import QtQuick 2.15
import Style 1.0
import "../CustomComponents"
import "../Pages/ProgramPage/ProgramModels.js" as ProgramModels

// A new instrument from the monopolar or the bipolar catalogue, added at the
// same place in every level, and a sub-instrument with it where its type
// has one.
DialogBase {
    id: addInstrumentDialog

    property int row: -1
    property int programLevelIndex: 0
    property bool monopolar: true
    readonly property bool offersSub: types.selectedId !== "" && ProgramViewController.hasSubInstrument(types.selectedId)
    readonly property string newName: nameField.text.trim()

    function add() {
        const levelId = ProgramModels.levelIds(ProgramLevelList)[programLevelIndex]
        const before = ProgramModels.topLevelIds(ProgramViewController, levelId)
        ProgramViewController.addInstrument(types.selectedId, newName, row, programLevelIndex)
        if (!offersSub || !subOption.checked || subTypes.selectedId === "")
            return
        const added = ProgramModels.topLevelIds(ProgramViewController, levelId).filter(id => before.indexOf(id) < 0)
        if (added.length === 1)
            ProgramViewController.addSubInstrumentToInstrument(subTypes.selectedId, subTypes.selectedText, added[0], row)
    }

    objectName: "AddInstrumentDialog"
    title: qsTr("Instrument hinzufügen") + TranslationService.updateString
    acceptText: qsTr("Hinzufügen") + TranslationService.updateString
    acceptEnabled: types.selectedId !== "" && newName !== "" && ProgramViewController.isAddInstrumentEnabled
    cardWidth: 560

    Component.onCompleted: types.forceActiveFocus()

    onFinished: function(accepted, result) {
        if (accepted)
            add()
    }

    Row {
        spacing: Style.spacing

        StandardButton {
            id: monoButton

            objectName: "monopolarButton"
            text: qsTr("Monopolar") + TranslationService.updateString
            primary: addInstrumentDialog.monopolar
            onClicked: addInstrumentDialog.monopolar = true
        }

        StandardButton {
            objectName: "bipolarButton"
            text: qsTr("Bipolar") + TranslationService.updateString
            primary: !addInstrumentDialog.monopolar
            onClicked: addInstrumentDialog.monopolar = false
        }
    }

    ChoiceList {
        id: types

        objectName: "catalogueList"
        width: parent.width
        visibleRows: 5
        model: addInstrumentDialog.monopolar ? ProgramViewController.getMonoInstrumentsCatalog()
                                             : ProgramViewController.getBipoInstrumentCatalog()
        onSelectedTextChanged: nameField.text = selectedText
    }

    InputField {
        id: nameField

        fieldName: "instrumentNameField"
        width: parent.width
        label: qsTr("Name:") + TranslationService.updateString
        tabTarget: subOption.visible ? subOption : addInstrumentDialog.cancelButton
        onAccepted: addInstrumentDialog.accept()
    }

    CheckOption {
        id: subOption

        objectName: "withSubInstrumentOption"
        visible: addInstrumentDialog.offersSub
        text: qsTr("Mit Subinstrument") + TranslationService.updateString
    }

    ChoiceList {
        id: subTypes

        objectName: "subCatalogueList"
        width: parent.width
        visibleRows: 3
        visible: addInstrumentDialog.offersSub && subOption.checked
        model: addInstrumentDialog.offersSub ? ProgramViewController.getSubInstrumentCatalog(types.selectedId) : null
    }
}
