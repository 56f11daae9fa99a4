import QtQuick 2.15
import Style 1.0
import "../CustomComponents"

// The update information the server sent for this version. While it blocks
// the login, the only ways on are the update link and closing the application.
DialogBase {
    id: newLoginProcedureDialog

    readonly property bool blocked: LoginViewController.isLoginBlocked()
    // German texts are elements 0 to 5, English 6 to 11.
    readonly property int offset: TranslationService.currentLanguage === "Deutsch" ? 0 : 6
    readonly property string headline: LoginViewController.getUpdateInfo(offset) + TranslationService.updateString
    readonly property string message: LoginViewController.getUpdateInfo(offset + 1) + TranslationService.updateString
    readonly property string linkCaption: LoginViewController.getUpdateInfo(offset + 4) + TranslationService.updateString
    readonly property string link: LoginViewController.getUpdateInfo(offset + 5) + TranslationService.updateString

    objectName: "NewLoginProcedureDialog"
    title: headline !== "" ? headline : qsTr("Neue Version verfügbar") + TranslationService.updateString
    cancelAllowed: !blocked
    closeWhenBackgroundClicked: !blocked
    cancelVisible: blocked
    cancelText: qsTr("Anwendung schließen") + TranslationService.updateString
    acceptVisible: !blocked
    acceptEnabled: !blocked
    acceptText: qsTr("Weiter") + TranslationService.updateString

    StandardText {
        objectName: "message"
        width: parent.width
        text: newLoginProcedureDialog.message
    }

    StandardText {
        width: parent.width
        visible: newLoginProcedureDialog.blocked
        color: Style.error
        text: qsTr("Diese Version kann nicht mehr verwendet werden. Bitte installieren Sie das Update.") + TranslationService.updateString
    }

    InteractiveText {
        objectName: "updateLink"
        visible: newLoginProcedureDialog.link !== ""
        text: newLoginProcedureDialog.linkCaption !== "" ? newLoginProcedureDialog.linkCaption : newLoginProcedureDialog.link
        onClicked: newLoginProcedureDialog.requestDialog("ExternalLinkDialog", newLoginProcedureDialog.link)
    }

    // With the login blocked, the cancel button closes the application.
    Connections {
        target: newLoginProcedureDialog.cancelButton
        function onClicked() {
            if (newLoginProcedureDialog.blocked)
                newLoginProcedureDialog.requestCloseWindow()
        }
    }
}
