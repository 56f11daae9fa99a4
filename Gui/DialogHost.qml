import QtQuick 2.15
import SharedObjects 1.0
import MainViewControllerEnums 1.0

// The dialog host: opens each dialog by name from Dialogs/, hands it the
// parameters it was opened with, and runs the action for its answer. The root
// window creates the host with the first dialog, so neither the host nor any
// dialog costs anything at start-up.
Item {
    id: dialogHost

    // The root window: page, close guard and the Copy module's pending changes.
    property var window: null
    // Name of the open dialog, its parameters, its scene.
    property string dialog: ""
    property var loadParameters: undefined
    property string source: ""
    readonly property alias loader: dialogLoader

    // Properties each dialog receives from the parameters it was opened with,
    // in order. A string instead of a list takes the whole parameter.
    readonly property var parameterNames: ({
        "AddInstrumentDialog": ["row", "programLevelIndex"],
        "AddLevelDialog": ["programLevelId", "name", "row"],
        "AddSubInstrumentDialog": ["instrumentId", "row"],
        "AliasQuestionDialog": ["aliasType", "aliasTypeName", "imageSource", "instrumentId", "subProgramName"],
        "BubbleDialogOutbox": ["realX", "realY"],
        "ChooseTypeDialog": ["type", "instrumentId", "subProgramName"],
        "EditAddProgramDialog": ["selectedUserSetId", "listId", "row"],
        "EditChangeIconDialog": ["programGroupId", "row"],
        "EditInstrumentDialog": ["instrumentId", "name", "type", "typeDisplay", "imageSource", "subProgramName",
                                 "changeAllSubprograms"],
        "EditProgramGroupNameDialog": ["listIdRoleText"],
        "FileUploadDialog": ["subject", "controller"],
        "ExternalLinkDialog": "navigateToUrl",
        "HtmlDialog": "pageType",
        "InstrumentActivationDialog": ["instrumentId", "row"],
        "LoginErrorDialog": "cause",
        "ModeDialog": ["caller", "modeModel", "callerInstrumentId", "title", "row"],
        "ValuePicker": ["instrumentName", "modeName"],
        "InformationDialog": ["header", "message"],
        "RateDialog": ["kind", "instrumentId", "instrumentName"],
        "RenameInstrumentDialog": ["instrumentId", "name", "type"],
        "RenameProgramDialog": "name",
        "SaveCopyChangesDialog": ["closeWhenBackgroundClicked"],
        "SaveUserSetDialog": [undefined, "navigateToPage"],
        "SyncErrorDialog": ["cause", "category", "lastFile"],
        "UpdateHistoryDialog": "updateRequestId",
        "UpdateQelo3UploadDialog": ["updateId", "transferSucceeded"],
        "Qelo3DownloadDialog": ["type"],
        "Qelo3UserSetUploadDialog": "userSetId",
        "Qelo3VersionMismatchDialog": "userSetId"
    })

    function showDialog(name, parameters) {
        console.log("Load Dialog: " + name)
        console.log("Parameters: " + parameters)
        dialog = name
        loadParameters = parameters
        source = "Dialogs/" + name + ".qml"
        // A dialog of the same name is loaded anew, with its new parameters.
        dialogLoader.source = ""
        dialogLoader.source = source
        SharedObjects.dialogOpen = dialogLoader.status === Loader.Ready
    }

    function applyDialogParameters(item) {
        const names = parameterNames[dialog]
        const parameters = loadParameters
        if (names === undefined) {
            if (dialog === "ChronoDownloadDialog" || dialog === "FileDownloadDialog")
                item.closeWhenBackgroundClicked = false
            return
        }
        if (typeof names === "string") {
            if (names in item)
                item[names] = parameters
        } else if (parameters !== undefined && parameters !== null) {
            for (let i = 0; i < names.length && i < parameters.length; ++i) {
                if (names[i] !== undefined && names[i] in item)
                    item[names[i]] = parameters[i]
            }
        }
        if ((dialog === "ChooseTypeDialog" || dialog === "RateDialog") && typeof item.done === "function")
            item.done()
        if (dialog === "EditInstrumentDialog" && parameters !== undefined && parameters.length > 6
                && typeof item.getName === "function")
            item.getName()
    }

    function closeDialog(accepted, dialogResult) {
        console.log("Close URL: " + source)
        console.log("Accepted: " + accepted)
        console.log("Dialog Result: " + dialogResult)
        Qt.inputMethod.hide()
        const closedSource = source
        const closedDialog = dialog
        const parameters = loadParameters
        unloadDialog()
        if (accepted)
            dialogAccepted(closedDialog, closedSource, parameters, dialogResult)
        else
            dialogCancelled(closedDialog, closedSource, parameters)
    }

    function unloadDialog() {
        dialogLoader.source = ""
        dialog = ""
        source = ""
        loadParameters = undefined
        SharedObjects.dialogOpen = false
    }

    function closeWindow() {
        window.closeWindow = true
        window.close()
    }

    // Why an update transfer did not start (UpdateViewController.Refusal).
    function updateRefusalText(refusal) {
        switch (refusal) {
        case 2:
            return qsTr("Es besteht keine Verbindung. Bitte prüfen Sie die Verbindung und versuchen Sie es erneut.")
        case 3:
            return qsTr("Es läuft bereits eine Übertragung. Bitte warten Sie, bis sie beendet ist.")
        default:
            return qsTr("Das Update-Paket wurde nicht gefunden.")
        }
    }

    function showUpdateRefusal() {
        showDialog("InformationDialog", [qsTr("Übertragung nicht möglich"),
                                         updateRefusalText(UpdateViewController.lastRefusal)])
    }

    // The result of an upload goes into the history, which the page then shows.
    function recordUpload(parameters, installed) {
        UpdateHistoryViewController.createUpdateLogEntry(parameters[0], installed, parameters[1])
        if (window.pageLoader.item && "showHistory" in window.pageLoader.item)
            window.pageLoader.item.showHistory = true
    }

    // The Copy page is built anew after an edit was saved or discarded: the
    // detour over a value that is no page makes the switch a change.
    function reloadPage(page) {
        MainViewController.setCurrentPageAsInt(66)
        MainViewController.setCurrentPage(page)
    }

    function logOutOfCopy() {
        if (typeof ProgramViewController !== "undefined")
            ProgramViewController.userHasLoggedOut()
        CopyViewController.userHasLoggedOut()
        LoginViewController.logoutUser()
    }

    // The page a save or discard question was asked for: the second parameter.
    function targetPage(parameters) {
        return parameters !== undefined && parameters !== null && parameters.length > 1 ? parameters[1] : undefined
    }

    function dialogAccepted(name, closedSource, parameters, result) {
        const onCopyPage = window.currentPage === MainViewControllerEnums.PAGE_COPY
                && typeof CopyViewController !== "undefined"
        switch (name) {
        case "BubbleDialogOutbox":
            MailService.sendOutbox()
            return
        case "ContactProgressDialog":
            ContactViewController.setShowMailPage(true)
            return
        case "ContactSortDialog":
            ContactViewController.setSort(result)
            return
        case "ExternalLinkDialog":
            if (LoginViewController.isLoginBlocked())
                closeWindow()
            return
        case "ErrorStatisticDialog":
            return
        case "Qelo3DownloadDialog":
            if (result === "Chrono") {
                ChronoViewController.getQelo3ChronoListOrFiles()
                if (ChronoViewController.chronoFixAwaited || ChronoViewController.chronoFlexAwaited)
                    showDialog("ChronoDownloadDialog", undefined)
            } else if (result === "UserSet" && typeof CopyViewController !== "undefined") {
                CopyViewController.qelo3DownloadUserSet()
            }
            return
        case "ChronoDownloadDialog":
            return
        case "ModuleDialog":
            if (onCopyPage) {
                if (window.copyChangesPending()) {
                    showDialog("SaveCopyChangesDialog", [false, result])
                    return
                }
                CopyViewController.activateMultiSelection(false)
                CopyViewController.exitCopyModule()
            }
            MainViewController.setCurrentPage(result)
            return
        case "Qelo3UpdatePageDialog":
            if (UpdateViewController.uploadToQelo3(SharedObjects.selectedUpdateId))
                showDialog("FileUploadDialog", [qsTr("Das Update-Paket"), "UpdateViewController"])
            else
                showUpdateRefusal()
            return
        case "FileUploadDialog":
            if (parameters !== undefined && parameters[1] === "UpdateViewController")
                showDialog("UpdateQelo3UploadDialog", [SharedObjects.selectedUpdateId, result])
            return
        case "FileDownloadDialog":
            if (!result)
                showDialog("InformationDialog", [qsTr("Herunterladen fehlgeschlagen"),
                                                 qsTr("Das Update-Paket wurde nicht heruntergeladen.")])
            return
        case "UpdateQelo3UploadDialog":
            recordUpload(parameters, result === true)
            return
        case "UpdateHistoryDialog":
            UpdateHistoryViewController.setUpdateStatusRole(parameters, result)
            return
        case "CancelEditDialog": {
            const caller = Array.isArray(parameters) ? parameters[0] : parameters
            if (caller === "ContactMailPage") {
                if (Array.isArray(parameters) && parameters.length > 1) {
                    if (parameters[1] !== undefined)
                        MainViewController.setCurrentPage(parameters[1])
                } else {
                    ContactViewController.showMailPage = false
                }
            } else if (caller === "EditProgramPackagePage") {
                CopyViewController.exitEditMode(true)
                reloadPage(MainViewControllerEnums.PAGE_COPY)
            } else if (caller === "ProgrammPage") {
                CopyViewController.resetStackView()
                CopyViewController.addEditViewToStackView()
                CopyViewController.exitEditMode(true)
                reloadPage(MainViewControllerEnums.PAGE_COPY)
            }
            return
        }
        case "SaveCopyChangesDialog":
            showDialog("SaveUserSetDialog", parameters)
            return
        // The program editor's dialogs make their change themselves.
        case "AddInstrumentDialog":
        case "AddLevelDialog":
        case "AddSubInstrumentDialog":
        case "AliasQuestionDialog":
        case "EditInstrumentDialog":
        case "InstrumentActivationDialog":
        case "ModeDialog":
        case "RateDialog":
        case "RenameInstrumentDialog":
        case "RenameProgramDialog":
        case "ValuePicker":
            return
        // A type change in a program of several levels asks for which of them.
        case "ChooseTypeDialog":
            if (ProgramViewController.getNumberOfProgramlevels() > 1)
                showDialog("AliasQuestionDialog", [result.type, result.name, result.image, parameters[1], parameters[2]])
            else
                ProgramViewController.setInstrumentType(parameters[1], result.type, false)
            return
        case "SaveUserSetDialog": {
            const page = targetPage(parameters)
            CopyViewController.exitEditMode(false)
            CopyViewController.saveUserSet(SharedObjects.selectedUserSetId, result)
            if (page === MainViewControllerEnums.PAGE_LOGIN) {
                LoginViewController.logoutUser()
            } else if (page === MainViewControllerEnums.CLOSE_APP) {
                closeWindow()
            } else if (page === MainViewControllerEnums.PAGE_COPY) {
                CopyViewController.resetStackView()
                CopyViewController.exitEditMode(false)
                reloadPage(page)
            } else if (page !== undefined) {
                reloadPage(page)
            }
            return
        }
        case "UserDialog":
            if (onCopyPage) {
                if (window.copyChangesPending()) {
                    showDialog("SaveCopyChangesDialog", [false, MainViewControllerEnums.PAGE_LOGIN])
                    return
                }
                CopyViewController.userHasLoggedOut()
            }
            LoginViewController.logoutUser()
            return
        }
        console.log("Unhandeld dialog source: " + closedSource)
    }

    function dialogCancelled(name, closedSource, parameters) {
        switch (name) {
        case "SaveCopyChangesDialog": {
            // The user chose not to save: the edits are dropped on the way out.
            const page = targetPage(parameters)
            if (page === MainViewControllerEnums.PAGE_LOGIN) {
                logOutOfCopy()
            } else if (page === MainViewControllerEnums.CLOSE_APP) {
                closeWindow()
            } else if (page === MainViewControllerEnums.PAGE_COPY) {
                // Already the page: only a reload closes the edit page.
                CopyViewController.exitEditMode(true)
                reloadPage(page)
            } else if (page !== undefined) {
                CopyViewController.exitEditMode(true)
                CopyViewController.restoreUserSet(SharedObjects.selectedUserSetId)
                MainViewController.setCurrentPage(page)
            }
            return
        }
        case "SaveUserSetDialog": {
            const page = targetPage(parameters)
            if (page === MainViewControllerEnums.PAGE_LOGIN) {
                window.closeWindow = false
                LoginViewController.logoutUser()
            } else if (page !== MainViewControllerEnums.CLOSE_APP && page !== undefined
                       && page !== window.currentPage) {
                CopyViewController.resetStackView()
                CopyViewController.exitEditMode(true)
                CopyViewController.restoreUserSet(SharedObjects.selectedUserSetId)
                MainViewController.setCurrentPage(page)
            }
            return
        }
        case "ChronoDownloadDialog":
            ChronoViewController.cancelDataRequest()
            return
        case "ErrorStatisticDialog":
        case "Qelo3DownloadDialog":
        case "AddInstrumentDialog":
        case "AddLevelDialog":
        case "AddSubInstrumentDialog":
        case "AliasQuestionDialog":
        case "ChooseTypeDialog":
        case "EditInstrumentDialog":
        case "InstrumentActivationDialog":
        case "ModeDialog":
        case "RateDialog":
        case "RenameInstrumentDialog":
        case "RenameProgramDialog":
        case "ValuePicker":
            return
        case "FileUploadDialog":
            if (parameters !== undefined && parameters[1] === "CopyViewController")
                CopyViewController.fileUploadDoCancel()
            else
                UpdateViewController.fileUploadDoCancel()
            return
        case "FileDownloadDialog":
            UpdateViewController.fileDownloadDoCancel()
            return
        case "UpdateQelo3UploadDialog":
            recordUpload(parameters, false)
            return
        case "ContactProgressDialog":
            ContactViewController.cancelDataRequest()
            return
        case "ExternalLinkDialog":
            if (LoginViewController.isLoginBlocked())
                showDialog("NewLoginProcedureDialog", "")
            return
        }
        console.log("Unhandeled dialog source: " + closedSource)
    }

    Loader {
        id: dialogLoader

        anchors.fill: parent
        onLoaded: dialogHost.applyDialogParameters(item)
    }

    Connections {
        target: dialogLoader.item
        ignoreUnknownSignals: true

        function onFinished(accepted, result) {
            dialogHost.closeDialog(accepted, result)
        }

        function onRequestDialog(name, parameters) {
            dialogHost.showDialog(name, parameters)
        }

        function onRequestCloseWindow() {
            dialogHost.closeWindow()
        }
    }
}
