import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// Version, help and the legal pages.
DialogBase {
    id: infoDialog

    objectName: "InfoDialog"
    title: qsTr("Information") + TranslationService.updateString
    acceptVisible: false
    cancelText: qsTr("Schließen") + TranslationService.updateString
    cardWidth: 420

    Row {
        spacing: Style.margin

        Image {
            width: 48
            height: 48
            sourceSize.width: 96
            sourceSize.height: 96
            source: "qrc:/Resources/Images/kelvara_mark.png"
        }

        Column {
            anchors.verticalCenter: parent.verticalCenter
            spacing: 2

            Text {
                text: qsTr("Kelvara") + TranslationService.updateString
                font.family: FontStyle.family
                font.pixelSize: FontStyle.large
                font.weight: FontStyle.weightBold
                color: Style.text
            }

            Text {
                objectName: "version"
                text: qsTr("Version %1 (%2)").arg(VersionInfo.productVersion).arg(VersionInfo.releaseDate) + TranslationService.updateString
                font.family: FontStyle.family
                font.pixelSize: FontStyle.small
                color: Style.textMuted
            }

            Text {
                text: qsTr("Optimiert für QELO 3 ab Version %1").arg(VersionInfo.minQELO3Version) + TranslationService.updateString
                font.family: FontStyle.family
                font.pixelSize: FontStyle.small
                color: Style.textMuted
            }
        }
    }

    HorizontalLine {
        width: parent.width
    }

    InteractiveText {
        objectName: "helpLink"
        text: qsTr("Hilfe") + TranslationService.updateString
        onClicked: infoDialog.requestDialog("HtmlDialog", "Help")
    }

    InteractiveText {
        objectName: "gtcLink"
        text: qsTr("Nutzungsbedingungen") + TranslationService.updateString
        onClicked: infoDialog.requestDialog("HtmlDialog", "GTC")
    }

    InteractiveText {
        objectName: "privacyLink"
        text: qsTr("Datenschutzerklärung") + TranslationService.updateString
        onClicked: infoDialog.requestDialog("HtmlDialog", "Privacy")
    }

    InteractiveText {
        objectName: "imprintLink"
        text: qsTr("Impressum") + TranslationService.updateString
        onClicked: infoDialog.requestDialog("HtmlDialog", "Imprint")
    }

    InteractiveText {
        objectName: "licensesLink"
        text: qsTr("Lizenzen und Open-Source-Hinweise") + TranslationService.updateString
        onClicked: infoDialog.requestDialog("HtmlDialog", "Licenses")
    }
}
