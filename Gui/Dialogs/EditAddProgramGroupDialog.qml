import QtQuick 2.15
import QtQuick.Controls.Basic 2.15
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
    cardWidth: 600

    onFinished: function(accepted, result) {
        if (accepted)
            CopyViewController.createNewProgramGroup(SharedObjects.selectedUserSetId, nameField.text.trim(),
                                                     pictograms.selectedId)
    }

    StandardText {
        text: qsTr("Fachbereich") + TranslationService.updateString
        font.weight: FontStyle.weightBold
    }

    Rectangle {
        width: parent.width
        height: 220
        radius: Style.radius
        border.width: 1
        border.color: Style.border
        color: Style.surface

        ListView {
            id: catalogue

            objectName: "catalogueList"
            anchors.fill: parent
            anchors.margins: 1
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}
            model: CopyViewController.getProgramGroupCatalogCatalog()

            delegate: Rectangle {
                id: entry

                required property var listIdRole
                required property var listTextRole
                required property var listImageSourceRole
                readonly property bool chosen: listIdRole === editAddProgramGroupDialog.catalogueId

                objectName: "catalogue_" + listIdRole
                width: catalogue.width
                height: 40
                color: chosen ? Style.primaryLight : (entryMouse.containsMouse ? Style.hover : Style.surface)

                Row {
                    anchors.left: parent.left
                    anchors.leftMargin: Style.spacing
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: Style.spacing

                    Image {
                        width: 28
                        height: 28
                        sourceSize.width: 56
                        sourceSize.height: 56
                        source: entry.listImageSourceRole ? entry.listImageSourceRole : ""
                        asynchronous: true
                    }

                    StandardText {
                        anchors.verticalCenter: parent.verticalCenter
                        text: entry.listTextRole
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
