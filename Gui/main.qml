import QtQuick 2.15
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
    // The dialog host's state; empty until the first dialog has been opened.
    readonly property string dialog: dialogHost.item ? dialogHost.item.dialog : ""
    readonly property var loadParameters: dialogHost.item ? dialogHost.item.loadParameters : undefined
    readonly property string source: dialogHost.item ? dialogHost.item.source : ""
    readonly property Loader dialogLoader: dialogHost.item ? dialogHost.item.loader : null
    readonly property alias bottomBar: menuBar
    readonly property int allowedModuleCount: (LoginViewController.isAllowedModuleCopy ? 1 : 0)
                                              + (LoginViewController.isAllowedModuleUpdate ? 1 : 0)
                                              + (LoginViewController.isAllowedModuleContact ? 1 : 0)
                                              + (LoginViewController.isAllowedModuleChrono ? 1 : 0)

    // The module pages, one row each: the scene the page loader shows for a
    // value of MainViewController.currentPage, and the label and image of the
    // menu bar. A page is created only while it is shown.
    readonly property var pages: [
        { page: MainViewControllerEnums.PAGE_LOGIN, name: "LogInPage", label: "", icon: "" },
        { page: MainViewControllerEnums.PAGE_CHRONO, name: "ChronoPage", label: QT_TR_NOOP("Chrono"),
          icon: "module_chrono.png" },
        { page: MainViewControllerEnums.PAGE_CONTACT, name: "ContactPage", label: QT_TR_NOOP("Contact"),
          icon: "module_contact.png" },
        { page: MainViewControllerEnums.PAGE_COPY, name: "CopyPage", label: QT_TR_NOOP("Copy"),
          icon: "module_copy.png" },
        { page: MainViewControllerEnums.PAGE_UPDATE, name: "UpdatePage", label: QT_TR_NOOP("Update"),
          icon: "module_update.png" }
    ]
    readonly property var currentPageEntry: pages.find(entry => entry.page === currentPage)

    // True while the Copy page holds an edited user set the user may save.
    function copyChangesPending() {
        return currentPage === MainViewControllerEnums.PAGE_COPY
                && typeof CopyViewController !== "undefined"
                && LoginViewController.isAllowedCopyEdit
                && CopyViewController.isUserSetModified(SharedObjects.selectedUserSetId)
    }

    function showDialog(name, parameters) {
        if (!dialogHost.item)
            dialogHost.setSource("DialogHost.qml", { "window": mainWindow })
        dialogHost.item.showDialog(name, parameters)
    }

    function closeDialog(accepted, dialogResult) {
        if (dialogHost.item)
            dialogHost.item.closeDialog(accepted, dialogResult)
    }

    function unloadDialog() {
        if (dialogHost.item)
            dialogHost.item.unloadDialog()
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
        SharedObjects.currentPage = currentPageEntry ? currentPageEntry.name : ""
        if (loginPage)
            SharedObjects.stopTimer()
    }
    Component.onCompleted: SharedObjects.currentPage = currentPageEntry ? currentPageEntry.name : ""

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
        source: mainWindow.currentPageEntry ? "Pages/" + mainWindow.currentPageEntry.name + ".qml" : ""
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
        moduleLabel: (mainWindow.currentPageEntry ? qsTr(mainWindow.currentPageEntry.label) : "")
                     + TranslationService.updateString
        moduleIcon: mainWindow.currentPageEntry && mainWindow.currentPageEntry.icon
                    ? "qrc:/Resources/Images/" + mainWindow.currentPageEntry.icon : ""
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
        id: dialogHost

        anchors.fill: parent
        z: 10
        // Empty until the first dialog: showDialog() makes the host, which
        // stays from then on.
    }
}
