import QtQuick 2.15
import SharedObjects 1.0
import MainViewControllerEnums 1.0
import Style 1.0
import "../CustomComponents"

// The Copy module: a stack of the user-set list, the overview of one set and
// the edit page. Saving or discarding an edit reloads the whole page, so the
// stack starts afresh at the list, showing the set that was open.
ModulePage {
    id: copyPage

    // 1 the list, 2 the set overview, 3 the edit page, 4 the program editor.
    property int depth: 1
    property bool busy: false
    readonly property bool editing: depth >= 3
    readonly property Item listPage: listLoader.item
    readonly property Item overviewPage: overviewLoader.item
    readonly property Item editPage: editLoader.item
    readonly property Item programPage: programLoader.item

    function openSelectedUserSet() {
        if (SharedObjects.selectedUserSetId === "")
            return
        CopyViewController.openSelectedUserSet()
        SharedObjects.callingPage = "UserSetListPage"
        depth = 2
    }

    function closeUserSet() {
        SharedObjects.callingPage = ""
        depth = 1
    }

    function startEdit() {
        CopyViewController.editStart()
        SharedObjects.callingPage = "UserSetOverviewPage"
        depth = 3
    }

    // Leaving an untouched set needs no question; a modified one is
    // discarded only after the user confirmed it.
    function cancelEdit() {
        if (CopyViewController.isUserSetModified(SharedObjects.selectedUserSetId)) {
            requestDialog("CancelEditDialog", "EditProgramPackagePage")
            return
        }
        CopyViewController.exitEditMode(false)
        depth = 2
    }

    // The program editor works on the open set; the edit page stays as it
    // was behind it.
    function editProgram(groupId, programId) {
        ProgramViewController.processProgramSelection(SharedObjects.selectedUserSetId, groupId, programId)
        SharedObjects.callingPage = "EditProgramPackagePage"
        depth = 4
    }

    function closeProgram() {
        SharedObjects.callingPage = "UserSetOverviewPage"
        depth = 3
        if (editPage && editPage.packagePage)
            editPage.packagePage.changed()
    }

    // Cancelling in the editor throws away the edits of the whole set, after
    // the user confirmed it; an untouched set simply goes back.
    function cancelProgram() {
        if (CopyViewController.isUserSetModified(SharedObjects.selectedUserSetId))
            requestDialog("CancelEditDialog", "ProgrammPage")
        else
            closeProgram()
    }

    function saveEdit() {
        requestDialog("SaveUserSetDialog", [false, MainViewControllerEnums.PAGE_COPY])
    }

    function showTransferError() {
        requestDialog("InformationDialog", [qsTr("Fehler"),
                                            qsTr("Es ist ein Fehler bei der Datenübertragung aufgetreten.")])
    }

    objectName: "CopyPage"
    title: qsTr("Copy") + TranslationService.updateString
    subtitle: depth > 1 && SharedObjects.selectedUserSetId !== ""
              ? CopyViewController.getUserSetDisplayName(SharedObjects.selectedUserSetId) + TranslationService.updateString
              : ""
    iconSource: "qrc:/Resources/Images/module_copy.png"

    // Leaving the module (or the user) forgets the set; only the reload
    // after an edit, which passes through a value that is no page, keeps it.
    Component.onDestruction: {
        if (MainViewController.currentPage === MainViewControllerEnums.PAGE_COPY
                || MainViewController.currentPage === 66)
            return
        SharedObjects.selectedUserSetId = ""
        SharedObjects.callingPage = ""
        CopyViewController.activateMultiSelection(false)
        CopyViewController.exitCopyModule()
    }

    // After a reload the set that was open before is selected again.
    Component.onCompleted: {
        if (SharedObjects.selectedUserSetId !== "")
            CopyViewController.selectUserSetById(SharedObjects.selectedUserSetId)
        if (SharedObjects.callingPage !== "" && SharedObjects.selectedUserSetId !== "") {
            CopyViewController.openSelectedUserSet()
            depth = 2
        }
    }

    Connections {
        target: CopyViewController
        ignoreUnknownSignals: true

        function onDeviceBusyChanged(isBusy) {
            copyPage.busy = isBusy
        }

        function onDownloadTimedOut() {
            copyPage.busy = false
            copyPage.showTransferError()
        }

        function onTransferFailed() {
            copyPage.busy = false
            copyPage.showTransferError()
        }

        function onSaveFailed() {
            copyPage.requestDialog("InformationDialog", [qsTr("Fehler"),
                                                         qsTr("Das Anwenderset konnte nicht gespeichert werden.")])
        }

        // The controller selects sets itself too (after a download, an
        // import or a save under another name).
        function onSelectionChanged() {
            if (CopyViewController.selectedUserSetId !== "" || copyPage.depth === 1)
                SharedObjects.selectedUserSetId = CopyViewController.selectedUserSetId
        }
    }

    Loader {
        id: listLoader

        anchors.fill: parent
        visible: copyPage.depth === 1
        source: "CopyPage/UserSetListPage.qml"
    }

    Connections {
        target: listLoader.item

        function onOpenRequested() {
            copyPage.openSelectedUserSet()
        }

        function onDialogRequested(name, parameters) {
            copyPage.requestDialog(name, parameters)
        }
    }

    Loader {
        id: overviewLoader

        anchors.fill: parent
        visible: copyPage.depth === 2
        // Unloaded while editing: it would fetch the programs of every group
        // again and again, and the controller counts the last one as chosen.
        active: copyPage.depth === 2
        source: "CopyPage/UserSetOverviewPage.qml"
    }

    Connections {
        target: overviewLoader.item

        function onBackRequested() {
            copyPage.closeUserSet()
        }

        function onEditRequested() {
            copyPage.startEdit()
        }

        function onDialogRequested(name, parameters) {
            copyPage.requestDialog(name, parameters)
        }
    }

    Loader {
        id: editLoader

        anchors.fill: parent
        visible: copyPage.depth === 3
        active: copyPage.depth >= 3
        source: "EditPage.qml"
    }

    Connections {
        target: editLoader.item

        function onCancelRequested() {
            copyPage.cancelEdit()
        }

        function onSaveRequested() {
            copyPage.saveEdit()
        }

        function onDialogRequested(name, parameters) {
            copyPage.requestDialog(name, parameters)
        }

        function onProgramEditRequested(groupId, programId) {
            copyPage.editProgram(groupId, programId)
        }
    }

    Loader {
        id: programLoader

        anchors.fill: parent
        active: copyPage.depth === 4
        source: "ProgrammPage.qml"
        onLoaded: item.forceActiveFocus()
    }

    Connections {
        target: programLoader.item

        function onBackRequested() {
            copyPage.closeProgram()
        }

        function onCancelRequested() {
            copyPage.cancelProgram()
        }

        function onDialogRequested(name, parameters) {
            copyPage.requestDialog(name, parameters)
        }
    }

    // Covers the page while the controller waits for a peer; the menu bar
    // stays usable.
    Rectangle {
        objectName: "copyBusyOverlay"
        anchors.fill: parent
        visible: copyPage.busy
        color: "#99FFFFFF"

        MouseArea {
            anchors.fill: parent
        }

        BusyIndicator {
            anchors.centerIn: parent
            running: copyPage.busy
        }
    }
}
