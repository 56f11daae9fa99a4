import QtQuick 2.15
import Style 1.0
import "../CustomComponents"

// Asks before a link leaves the application for the system browser.
DialogBase {
    id: externalLinkDialog

    property string navigateToUrl: ""

    objectName: "ExternalLinkDialog"
    title: qsTr("App verlassen?") + TranslationService.updateString
    acceptText: qsTr("Öffnen") + TranslationService.updateString
    acceptEnabled: navigateToUrl !== ""

    // The browser opens here so that the host's follow-up (closing a blocked
    // application) runs after the link is on its way.
    onFinished: function(accepted, result) {
        if (accepted)
            Qt.openUrlExternally(navigateToUrl)
    }

    StandardText {
        width: parent.width
        text: qsTr("Der folgende Link wird im Browser geöffnet:") + TranslationService.updateString
    }

    StandardText {
        objectName: "url"
        width: parent.width
        text: externalLinkDialog.navigateToUrl
        color: Style.primary
        wrapMode: Text.WrapAnywhere
    }
}
