import QtQuick 2.15
import QtQuick.Window 2.15
import Style 1.0
import FontStyle 1.0
import SharedObjects 1.0
import MainViewControllerEnums 1.0
import "CustomComponents"

// The root window: the module page, the menu bar along the bottom, the
// synchronisation overlay and the dialog host through which every dialog is
// opened and closed.
Window {
    id: mainWindow

    // Set by the dialogs that end the application; the close guard lets the
    // window go once it is true.
    property bool closeWindow: false
    // The dialog host: name of the open dialog, its parameters, its scene.
    property string dialog: ""
    property var loadParameters: undefined
    property string source: ""
    // Clicks on the information image within the last 800 ms (log viewer).
    property int infoClickCount: 0

    // Keeps the language's display name in the translation sources; the
    // language service reads it from each translation file.
    readonly property string languageName: qsTr("LanguageName", "Visible name of language in selection dialog")
        + TranslationService.updateString
    readonly property int currentPage: MainViewController.currentPage
    readonly property bool loginPage: currentPage === MainViewControllerEnums.PAGE_LOGIN
    readonly property bool synchronizing: typeof SynchronizeService !== "undefined" && SynchronizeService.isActive
    readonly property alias pageLoader: pageLoader
    readonly property alias dialogLoader: dialogLoader
    readonly property alias bottomBar: menuBar
    readonly property int allowedModuleCount: (LoginViewController.isAllowedModuleCopy ? 1 : 0)
                                              + (LoginViewController.isAllowedModuleUpdate ? 1 : 0)
                                              + (LoginViewController.isAllowedModuleContact ? 1 : 0)
                                              + (LoginViewController.isAllowedModuleChrono ? 1 : 0)

    // Properties each dialog receives from the parameters it was opened with,
    // in order. A string instead of a list takes the whole parameter.
    readonly property var dialogParameterNames: ({
        "AddInstrumentDialog": ["row", "programLevelIndex"],
        "AddSubInstrumentDialog": ["instrumentId", "row"],
        "AliasQuestionDialog": ["aliasType", "aliasTypeName", "imageSource", "instrumentId", "subProgramName"],
        "BubbleDialogOutbox": ["realX", "realY"],
        "ChooseTypeDialog": ["type", "instrumentId", "subProgramName"],
        "EditAddProgramDialog": ["selectedUserSetId", "listId", "row"],
        "EditChangeIconDialog": ["programGroupId", "row"],
        "EditInstrumentDialog": ["instrumentId", "name", "type", "typeDisplay", "imageSource", "subProgramName",
                                 "changeAllSubprograms"],
        "EditProgramGroupNameDialog": ["listIdRoleText"],
        "ExternalLinkDialog": "navigateToUrl",
        "HtmlDialog": "pageType",
        "InstrumentActivationDialog": ["instrumentId", "row"],
        "LoginErrorDialog": "cause",
        "ModeDialog": ["caller", "modeModel", "callerInstrumentId", "title", "row"],
        "ValuePicker": ["instrumentName", "modeName"],
        "InformationDialog": ["header", "message"],
        "RenameInstrumentDialog": ["id", "name", "type"],
        "RenameProgramDialog": "name",
        "SaveCopyChangesDialog": ["closeWhenBackgroundClicked"],
        "SaveUserSetDialog": [undefined, "navigateToPage"],
        "SyncErrorDialog": ["cause", "category", "lastFile"],
        "Qelo3DownloadDialog": ["message"],
        "Qelo3UserSetUploadDialog": "userSetId",
        "Qelo3VersionMismatchDialog": "userSetId"
    })

    function pageSource(page) {
        switch (page) {
        case MainViewControllerEnums.PAGE_LOGIN: return "qrc:/Gui/Pages/LogInPage.qml"
        case MainViewControllerEnums.PAGE_CHRONO: return "qrc:/Gui/Pages/ChronoPage.qml"
        case MainViewControllerEnums.PAGE_CONTACT: return "qrc:/Gui/Pages/ContactPage.qml"
        case MainViewControllerEnums.PAGE_COPY: return "qrc:/Gui/Pages/CopyPage.qml"
        case MainViewControllerEnums.PAGE_UPDATE: return "qrc:/Gui/Pages/UpdatePage.qml"
        }
        return ""
    }

    function pageName(page) {
        switch (page) {
        case MainViewControllerEnums.PAGE_LOGIN: return "LogInPage"
        case MainViewControllerEnums.PAGE_CHRONO: return "ChronoPage"
        case MainViewControllerEnums.PAGE_CONTACT: return "ContactPage"
        case MainViewControllerEnums.PAGE_COPY: return "CopyPage"
        case MainViewControllerEnums.PAGE_UPDATE: return "UpdatePage"
        }
        return ""
    }

    function moduleLabel(page) {
        switch (page) {
        case MainViewControllerEnums.PAGE_CHRONO: return qsTr("Chrono")
        case MainViewControllerEnums.PAGE_CONTACT: return qsTr("Contact")
        case MainViewControllerEnums.PAGE_COPY: return qsTr("Copy")
        case MainViewControllerEnums.PAGE_UPDATE: return qsTr("Update")
        }
        return ""
    }

    function moduleIcon(page) {
        switch (page) {
        case MainViewControllerEnums.PAGE_CHRONO: return "qrc:/Resources/Images/module_chrono.png"
        case MainViewControllerEnums.PAGE_CONTACT: return "qrc:/Resources/Images/module_contact.png"
        case MainViewControllerEnums.PAGE_COPY: return "qrc:/Resources/Images/module_copy.png"
        case MainViewControllerEnums.PAGE_UPDATE: return "qrc:/Resources/Images/module_update.png"
        }
        return ""
    }

    // True while the Copy page holds an edited user set the user may save.
    function copyChangesPending() {
        return currentPage === MainViewControllerEnums.PAGE_COPY
                && typeof CopyViewController !== "undefined"
                && LoginViewController.isAllowedCopyEdit
                && CopyViewController.isUserSetModified(SharedObjects.selectedUserSetId)
    }

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
        const names = dialogParameterNames[dialog]
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
        if (dialog === "ChooseTypeDialog" && typeof item.done === "function")
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

    function dialogAccepted(name, closedSource, parameters, result) {
        switch (name) {
        case "ExternalLinkDialog":
            if (LoginViewController.isLoginBlocked()) {
                closeWindow = true
                mainWindow.close()
            }
            return
        case "ModuleDialog":
            if (currentPage === MainViewControllerEnums.PAGE_COPY && typeof CopyViewController !== "undefined") {
                if (copyChangesPending()) {
                    showDialog("SaveCopyChangesDialog", [false, result])
                    return
                }
                CopyViewController.activateMultiSelection(false)
                CopyViewController.exitCopyModule()
            }
            MainViewController.setCurrentPage(result)
            return
        case "UserDialog":
            if (currentPage === MainViewControllerEnums.PAGE_COPY && typeof CopyViewController !== "undefined") {
                if (copyChangesPending()) {
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
        case "ExternalLinkDialog":
            if (LoginViewController.isLoginBlocked())
                showDialog("NewLoginProcedureDialog", "")
            return
        }
        console.log("Unhandeled dialog source: " + closedSource)
    }

    function inactivityExpired() {
        if (copyChangesPending()) {
            showDialog("SaveCopyChangesDialog", [false, MainViewControllerEnums.PAGE_LOGIN])
            return
        }
        if (dialog !== "") {
            if (currentPage === MainViewControllerEnums.PAGE_COPY)
                closeDialog(false, undefined)
            else
                unloadDialog() // a dialog about the user who is leaving must not stay open
        }
        LoginViewController.logoutUser()
    }

    // The hidden log viewer: two clicks on the information image, then the
    // user or the language image.
    function openOrLog(name) {
        if (infoClickCount === 2) {
            infoClickCount = 0
            showDialog("LogDialog", "")
        } else {
            showDialog(name, "")
        }
    }

    objectName: "mainWindow"
    title: qsTr("Kelvara") + MainViewController.versionInfo + TranslationService.updateString
    width: MainViewController.availableScreenWidth < Style.preferredWidth
           ? MainViewController.availableScreenWidth - Style.screenMargin : Style.preferredWidth
    height: MainViewController.availableScreenHeight < Style.preferredHeight
            ? MainViewController.availableScreenHeight - Style.screenMargin : Style.preferredHeight
    visible: true
    color: Style.background

    onCurrentPageChanged: {
        SharedObjects.currentPage = pageName(currentPage)
        if (loginPage)
            SharedObjects.stopTimer()
    }
    Component.onCompleted: SharedObjects.currentPage = pageName(currentPage)

    onClosing: function(close) {
        if (!closeWindow && copyChangesPending()) {
            close.accepted = false
            showDialog("SaveCopyChangesDialog", [false, MainViewControllerEnums.CLOSE_APP])
            return
        }
        close.accepted = true
    }

    Connections {
        target: LoginViewController

        function onUserLoginReply(isAuthenticated, cause) {
            if (isAuthenticated)
                SharedObjects.startTimer()
        }
    }

    Connections {
        target: SharedObjects.inactiveLogoutTimer

        function onTriggered() {
            mainWindow.inactivityExpired()
        }
    }

    Connections {
        target: typeof SynchronizeService !== "undefined" ? SynchronizeService : null
        ignoreUnknownSignals: true

        function onSyncTimeout(cause, category, lastFile) {
            mainWindow.showDialog("SyncErrorDialog", [cause, category, lastFile])
        }
    }

    Timer {
        id: infoClickTimer

        interval: 800
        repeat: true
        running: mainWindow.infoClickCount !== 0
        onTriggered: mainWindow.infoClickCount = 0
    }

    Loader {
        id: pageLoader

        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: menuBar.top
        source: mainWindow.pageSource(mainWindow.currentPage)
    }

    Connections {
        target: pageLoader.item
        ignoreUnknownSignals: true

        function onRequestDialog(name, parameters) {
            mainWindow.showDialog(name, parameters)
        }
    }

    MenuBar {
        id: menuBar

        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        // Above the dialog layer: the bar stays usable while a dialog is open,
        // and the bubbles open right above their images.
        z: 20
        visible: !mainWindow.synchronizing
        loginPage: mainWindow.loginPage
        serverConnected: NetworkService.isHalvoServerConnected
        generatorConnected: NetworkService.isQelo3Connected
        moduleLabel: mainWindow.moduleLabel(mainWindow.currentPage) + TranslationService.updateString
        moduleIcon: mainWindow.moduleIcon(mainWindow.currentPage)
        moduleMenuEnabled: mainWindow.allowedModuleCount > 1
        userName: LoginViewController.loginLastName
        serverToolTip: qsTr("Serververbindung") + TranslationService.updateString
        generatorToolTip: qsTr("QELO 3 Verbindung") + TranslationService.updateString
        moduleToolTip: qsTr("Modul wählen") + TranslationService.updateString
        userToolTip: qsTr("Benutzer") + TranslationService.updateString
        languageToolTip: qsTr("Sprache") + TranslationService.updateString
        infoToolTip: qsTr("Information") + TranslationService.updateString

        onServerClicked: mainWindow.showDialog("BubbleDialogHalvoServerConnection", "")
        onGeneratorClicked: mainWindow.showDialog("BubbleDialogQelo3Connection", "")
        onModuleClicked: mainWindow.showDialog("ModuleDialog", "")
        onUserClicked: mainWindow.openOrLog("UserDialog")
        onLanguageClicked: mainWindow.openOrLog("LanguageDialog")
        onInfoClicked: {
            mainWindow.infoClickCount += 1
            mainWindow.showDialog("InfoDialog", "")
        }
    }

    Loader {
        id: synchronizeLoader

        anchors.fill: parent
        z: 30
        active: mainWindow.synchronizing
        source: "qrc:/Gui/Pages/SynchronizePage.qml"
    }

    Loader {
        id: dialogLoader

        anchors.fill: parent
        z: 10
        onLoaded: mainWindow.applyDialogParameters(item)
    }

    Connections {
        target: dialogLoader.item
        ignoreUnknownSignals: true

        function onFinished(accepted, result) {
            mainWindow.closeDialog(accepted, result)
        }

        function onRequestDialog(name, parameters) {
            mainWindow.showDialog(name, parameters)
        }

        function onRequestCloseWindow() {
            mainWindow.closeWindow = true
            mainWindow.close()
        }
    }
}
