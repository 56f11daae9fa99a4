import QtQuick 2.15
import QtWebEngine
import Style 1.0
import MainViewControllerEnums 1.0
import "../CustomComponents"

// A help or legal page in the embedded browser. This is the only scene that
// uses the browser, and the dialog host loads it on demand, so the browser's
// helper process starts only when a page is opened.
DialogBase {
    id: htmlDialog

    // "Help", "GTC", "Privacy", "Imprint", "Registration" or "Licenses".
    property string pageType: "Help"
    // Only these two languages have pages of their own.
    readonly property string pageLanguage: TranslationService.currentLanguage === "Deutsch" ? "Deutsch" : "English"
    readonly property string helpModule: {
        switch (MainViewController.currentPage) {
        case MainViewControllerEnums.PAGE_COPY: return "Copy"
        case MainViewControllerEnums.PAGE_UPDATE: return "Update"
        case MainViewControllerEnums.PAGE_CHRONO: return "Chrono"
        case MainViewControllerEnums.PAGE_CONTACT: return "Contact"
        }
        return "Login"
    }
    readonly property string pageUrl: {
        switch (pageType) {
        case "GTC": return HtmlService.getUrlForGTC(pageLanguage)
        case "Privacy": return HtmlService.getUrlForPrivacy(pageLanguage)
        case "Imprint": return HtmlService.getUrlForImprint(pageLanguage)
        case "Registration": return HtmlService.getUrlForRegistration(pageLanguage)
        case "Licenses": return HtmlService.getUrlForGTC(pageLanguage).replace("GTC.html", "Licenses.html")
        }
        return HtmlService.getUrlForHelp(Qt.platform.os, pageLanguage, helpModule)
    }

    objectName: "HtmlDialog"
    cardWidth: 900
    cancelVisible: false
    acceptText: qsTr("Schließen") + TranslationService.updateString

    StandardButton {
        objectName: "backButton"
        text: qsTr("Zurück") + TranslationService.updateString
        enabled: webView.canGoBack
        onClicked: webView.goBack()
    }

    WebEngineView {
        id: webView

        width: parent.width
        height: Math.max(200, htmlDialog.height - 200)
        url: htmlDialog.pageUrl

        // Pages of the application stay here; everything else is the web and
        // goes to the system browser after the user agreed.
        onNavigationRequested: function(request) {
            const target = request.url.toString()
            if (target === htmlDialog.pageUrl || target.startsWith("file:") || target.startsWith("data:"))
                return
            request.action = WebEngineNavigationRequest.IgnoreRequest
            htmlDialog.requestDialog("ExternalLinkDialog", target)
        }
    }
}
