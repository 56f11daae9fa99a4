import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// Editing one user set: its program groups and programs, and its two setup
// switches. Cancel and save go through the Copy page, which asks first.
Item {
    id: editPage

    readonly property string userSetId: SharedObjects.selectedUserSetId
    // Counts the edits, so that what depends on the set's modified state is
    // asked again after each one.
    property int revision: 0
    readonly property bool modified: revision >= 0 && CopyViewController.isUserSetModified(userSetId)
    readonly property Item packagePage: packageLoader.item

    signal cancelRequested
    signal saveRequested
    signal dialogRequested(string name, var parameters)
    signal programEditRequested(string groupId, string programId)

    objectName: "EditPage"
    focus: true

    Keys.onEscapePressed: function(event) { editPage.cancelRequested(); event.accepted = true }

    PageRectangle {
        id: setupCard

        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.margins: Style.margin
        height: 56

        Row {
            anchors.left: parent.left
            anchors.leftMargin: Style.margin
            anchors.verticalCenter: parent.verticalCenter
            spacing: Style.margin * 2

            SectionTitle {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Einstellungen") + TranslationService.updateString
            }

            Repeater {
                model: SetupModel

                delegate: CustomSwitch {
                    required property var listIdRole
                    required property var listTextRole
                    required property var listIsSelectedRole

                    objectName: "editSetup_" + listIdRole
                    anchors.verticalCenter: parent.verticalCenter
                    text: listTextRole
                    checked: listIsSelectedRole === true
                    onToggled: function(checked) {
                        // The switches are built anew by the call, this one included.
                        const page = editPage
                        CopyViewController.setSetupParameter(page.userSetId, listIdRole, checked)
                        page.revision += 1
                    }
                }
            }
        }
    }

    Loader {
        id: packageLoader

        anchors.top: setupCard.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: actions.top
        anchors.margins: Style.margin
        source: "EditPage/EditProgramPackagePage.qml"
    }

    Connections {
        target: packageLoader.item

        function onEdited() {
            editPage.revision += 1
        }

        function onDialogRequested(name, parameters) {
            editPage.dialogRequested(name, parameters)
        }

        function onProgramEditRequested(groupId, programId) {
            editPage.programEditRequested(groupId, programId)
        }
    }

    Row {
        id: actions

        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: Style.margin
        spacing: Style.spacing

        StandardText {
            objectName: "modifiedHint"
            anchors.verticalCenter: parent.verticalCenter
            visible: editPage.modified
            text: qsTr("Ungespeicherte Änderungen") + TranslationService.updateString
            color: Style.warning
        }

        StandardButton {
            objectName: "cancelEditButton"
            text: qsTr("Abbrechen") + TranslationService.updateString
            onClicked: editPage.cancelRequested()
        }

        StandardButton {
            objectName: "saveEditButton"
            text: qsTr("Speichern") + TranslationService.updateString
            primary: true
            onClicked: editPage.saveRequested()
        }
    }
}
