import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// The logged-in user: name and company, start module, language and logout.
// Accepting means logging out.
DialogBase {
    id: userDialog

    readonly property var startModules: {
        const again = TranslationService.updateString
        const all = [
            { module: "CopyPage", label: qsTr("Copy") + again, allowed: LoginViewController.isAllowedModuleCopy },
            { module: "UpdatePage", label: qsTr("Update") + again, allowed: LoginViewController.isAllowedModuleUpdate },
            { module: "ContactPage", label: qsTr("Contact") + again, allowed: LoginViewController.isAllowedModuleContact },
            { module: "ChronoPage", label: qsTr("Chrono") + again, allowed: LoginViewController.isAllowedModuleChrono }
        ]
        return all.filter(function(entry) { return entry.allowed })
    }

    objectName: "UserDialog"
    title: (LoginViewController.loginFirstName + " " + LoginViewController.loginLastName).trim()
    acceptText: qsTr("Abmelden") + TranslationService.updateString
    cancelText: qsTr("Schließen") + TranslationService.updateString
    placement: "bottomRight"
    cardWidth: 400

    StandardText {
        objectName: "company"
        width: parent.width
        visible: text !== ""
        text: LoginViewController.loginCompany
        color: Style.textMuted
    }

    InteractiveText {
        objectName: "changeUserDataLink"
        text: qsTr("Benutzerdaten ändern") + TranslationService.updateString
        onClicked: userDialog.requestDialog("ExternalLinkDialog", SettingsService.getExternalUrl("ChangeUsername"))
    }

    HorizontalLine {
        width: parent.width
    }

    StandardText {
        text: qsTr("Startmodul") + TranslationService.updateString
        font.weight: FontStyle.weightBold
    }

    Flow {
        width: parent.width
        spacing: Style.spacing

        Repeater {
            model: userDialog.startModules

            delegate: StandardButton {
                required property var modelData

                objectName: "startModule_" + modelData.module
                text: modelData.label
                primary: SettingsService.startModule === modelData.module
                implicitWidth: 80
                onClicked: SettingsService.setStartModule(modelData.module)
            }
        }
    }

    StandardText {
        text: qsTr("Sprache") + TranslationService.updateString
        font.weight: FontStyle.weightBold
    }

    Flow {
        width: parent.width
        spacing: Style.spacing

        Repeater {
            model: TranslationService.languages

            delegate: StandardButton {
                required property string modelData

                objectName: "language_" + modelData
                text: modelData
                primary: TranslationService.currentLanguage === modelData
                implicitWidth: 100
                onClicked: SettingsService.setLanguage(modelData)
            }
        }
    }
}
