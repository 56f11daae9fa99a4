import QtQuick 2.15
import QtQuick.Controls.Basic 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0
import "../../CustomComponents"

// The user sets of the local store or of the server, grouped under their
// headers, with the filter, the multiple selection and the list's actions.
Item {
    id: listPage

    readonly property bool serverView: CopyViewController.serverViewSelected
    readonly property bool multiSelection: AllUserSets.isMultipleSelectionActive
    readonly property bool setSelected: SharedObjects.selectedUserSetId !== ""
    readonly property alias list: userSetList

    signal openRequested
    signal dialogRequested(string name, var parameters)

    function showView(server) {
        if (server === serverView)
            return
        CopyViewController.activateMultiSelection(false)
        CopyViewController.setServerViewSelected(server)
        SharedObjects.selectedUserSetId = ""
    }

    function select(userSetId) {
        SharedObjects.selectedUserSetId = userSetId
        CopyViewController.selectUserSetById(userSetId)
    }

    function exportMarked() {
        const directory = FileSelectorService.getExistingDirectory(qsTr("Zielordner für den Export wählen"))
        if (directory !== "")
            CopyViewController.exportSelectedUserSets(directory)
    }

    function importFile() {
        const file = FileSelectorService.getExistingFile(qsTr("Anwenderset importieren"))
        if (file !== "")
            CopyViewController.importUserSet(file)
    }

    function deleteMarked() {
        CopyViewController.deleteSelectedUserSets()
        CopyViewController.activateMultiSelection(false)
        SharedObjects.selectedUserSetId = ""
    }

    Column {
        id: controls

        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.margins: Style.margin
        spacing: Style.margin

        Row {
            spacing: Style.spacing

            StandardButton {
                id: localTab

                objectName: "localViewButton"
                text: qsTr("Lokal") + TranslationService.updateString
                primary: !listPage.serverView
                KeyNavigation.tab: serverTab
                onClicked: listPage.showView(false)
            }

            StandardButton {
                id: serverTab

                objectName: "serverViewButton"
                text: qsTr("Server") + TranslationService.updateString
                primary: listPage.serverView
                KeyNavigation.tab: filterField.field
                onClicked: listPage.showView(true)
            }

            Item {
                width: Style.margin
                height: 1
            }

            InputField {
                id: filterField

                fieldName: "filterField"
                width: 320
                anchors.bottom: parent.bottom
                placeholderText: qsTr("Anwendersets filtern") + TranslationService.updateString
                text: AllUserSets.filter
                tabTarget: userSetList
                backtabTarget: serverTab
                onTextEdited: AllUserSets.setFilter(text)
            }
        }
    }

    PageRectangle {
        anchors.top: controls.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: actions.top
        anchors.margins: Style.margin

        ListView {
            id: userSetList

            objectName: "userSetList"
            anchors.fill: parent
            anchors.margins: 1
            clip: true
            model: AllUserSetsFilter
            activeFocusOnTab: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}
            KeyNavigation.tab: firstAction

            Keys.onReturnPressed: function(event) { listPage.openRequested(); event.accepted = true }
            Keys.onEnterPressed: function(event) { listPage.openRequested(); event.accepted = true }

            delegate: UserSetDelegate {
                width: userSetList.width
                onHeaderClicked: function(headerId) { AllUserSets.toggleHeader(headerId) }
                onUserSetClicked: function(userSetId) {
                    if (listPage.multiSelection)
                        CopyViewController.toggleUserSetMarked(userSetId)
                    else
                        listPage.select(userSetId)
                }
                onUserSetDoubleClicked: function(userSetId) {
                    if (listPage.multiSelection)
                        return
                    listPage.select(userSetId)
                    listPage.openRequested()
                }
            }

            Text {
                anchors.centerIn: parent
                visible: userSetList.count === 0
                text: qsTr("Keine Anwendersets") + TranslationService.updateString
                font.family: FontStyle.family
                font.pixelSize: FontStyle.normal
                color: Style.textMuted
            }
        }
    }

    Flow {
        id: actions

        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: Style.margin
        spacing: Style.spacing

        StandardButton {
            id: firstAction

            objectName: "openButton"
            text: qsTr("Öffnen") + TranslationService.updateString
            primary: true
            visible: !listPage.multiSelection
            enabled: listPage.setSelected
            onClicked: listPage.openRequested()
        }

        StandardButton {
            objectName: "multiSelectionButton"
            text: (listPage.multiSelection ? qsTr("Auswahl beenden") : qsTr("Mehrfachauswahl"))
                  + TranslationService.updateString
            visible: !listPage.serverView
            onClicked: CopyViewController.activateMultiSelection(!listPage.multiSelection)
        }

        StandardButton {
            objectName: "deleteButton"
            text: qsTr("Löschen") + TranslationService.updateString
            visible: listPage.multiSelection
            enabled: LoginViewController.isAllowedCopyEdit
            onClicked: listPage.deleteMarked()
        }

        StandardButton {
            objectName: "exportButton"
            text: qsTr("Exportieren") + TranslationService.updateString
            visible: listPage.multiSelection
            enabled: LoginViewController.isAllowedCopyImportExport
            onClicked: listPage.exportMarked()
        }

        StandardButton {
            objectName: "importButton"
            text: qsTr("Importieren") + TranslationService.updateString
            visible: !listPage.serverView && !listPage.multiSelection
            enabled: LoginViewController.isAllowedCopyImportExport
            onClicked: listPage.importFile()
        }

        StandardButton {
            objectName: "qelo3DownloadButton"
            text: qsTr("Von QELO 3 laden") + TranslationService.updateString
            visible: !listPage.serverView && !listPage.multiSelection
            enabled: LoginViewController.isAllowedCopyDeviceFiletransfer && NetworkService.isQelo3Connected
            onClicked: listPage.dialogRequested("Qelo3DownloadDialog", ["UserSet"])
        }

        StandardButton {
            objectName: "serverDownloadButton"
            text: qsTr("In lokale Liste übernehmen") + TranslationService.updateString
            visible: listPage.serverView
            enabled: listPage.setSelected && CopyViewController.serverUserSetSelected
                     && LoginViewController.isAllowedCopyServerFiletransfer
            onClicked: CopyViewController.halvoServerDownloadUserSet(SharedObjects.selectedUserSetId)
        }
    }
}
