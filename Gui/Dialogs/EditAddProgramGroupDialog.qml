import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// A new program group from the catalogue of disciplines: choosing one names
// the group after it and picks its pictogram; both can still be changed.
DialogBase {
    id: editAddProgramGroupDialog

    property string catalogueId: ""

    function choose(identifier, text, image) {
        catalogueId = identifier
        // The free-text entry names nothing: the controller gives the default name.
        nameField.text = identifier === "NEUTRAL" ? "" : text
        const pictogram = pictograms.idOfImage(image)
        if (pictogram !== "")
            pictograms.selectedId = pictogram
    }

    objectName: "EditAddProgramGroupDialog"
    title: qsTr("Programmgruppe hinzufügen") + TranslationService.updateString
    acceptText: qsTr("Hinzufügen") + TranslationService.updateString
    acceptEnabled: pictograms.selectedId !== ""
    cardWidth: 680

    onFinished: function(accepted, result) {
        if (accepted)
            CopyViewController.createNewProgramGroup(SharedObjects.selectedUserSetId, nameField.text.trim(),
                                                     pictograms.selectedId)
    }

    StandardText {
        text: qsTr("Fachbereich") + TranslationService.updateString
        font.weight: FontStyle.weightBold
    }

    Grid {
        id: catalogue

        objectName: "catalogueList"
        width: parent.width
        columns: 2
        columnSpacing: Style.spacing
        rowSpacing: 2

        Repeater {
            model: CopyViewController.getProgramGroupCatalogCatalog()

            delegate: Rectangle {
                id: entry

                required property var listIdRole
                required property var listTextRole
                required property var listImageSourceRole
                readonly property bool chosen: listIdRole === editAddProgramGroupDialog.catalogueId

                objectName: "catalogue_" + listIdRole
                width: (catalogue.width - catalogue.columnSpacing) / 2
                height: 36
                radius: Style.radius
                color: chosen ? Style.primaryLight : (entryMouse.containsMouse ? Style.hover : Style.surface)
                border.width: chosen ? 1 : 0
                border.color: Style.primary

                Row {
                    anchors.left: parent.left
                    anchors.leftMargin: Style.spacing
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: Style.spacing

                    Image {
                        width: 26
                        height: 26
                        sourceSize.width: 52
                        sourceSize.height: 52
                        source: entry.listImageSourceRole ? entry.listImageSourceRole : ""
                        asynchronous: true
                    }

                    StandardText {
                        anchors.verticalCenter: parent.verticalCenter
                        width: entry.width - 26 - 3 * Style.spacing
                        text: entry.listTextRole
                        elide: Text.ElideRight
                        wrapMode: Text.NoWrap
                        font.weight: entry.chosen ? FontStyle.weightBold : FontStyle.weightNormal
                    }
                }

                MouseArea {
                    id: entryMouse

                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onEntered: SharedObjects.resetTimer()
                    onClicked: editAddProgramGroupDialog.choose(entry.listIdRole, entry.listTextRole,
                                                                entry.listImageSourceRole)
                }
            }
        }
    }

    InputField {
        id: nameField

        fieldName: "groupNameField"
        width: parent.width
        label: qsTr("Name der Programmgruppe:") + TranslationService.updateString
        placeholderText: qsTr("Neue Programmgruppe") + TranslationService.updateString
        onAccepted: editAddProgramGroupDialog.accept()
    }

    StandardText {
        text: qsTr("Piktogramm") + TranslationService.updateString
        font.weight: FontStyle.weightBold
    }

    PictogramGrid {
        id: pictograms

        objectName: "pictogramGrid"
        width: parent.width
    }
}
