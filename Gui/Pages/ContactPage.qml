import QtQuick 2.15
import "../CustomComponents"

// The Contact module; its lists and actions are added with the module itself.
ModulePage {
    id: contactPage

    objectName: "ContactPage"
    title: qsTr("Contact") + TranslationService.updateString
    iconSource: "qrc:/Resources/Images/module_contact.png"

    PageInfo {
        anchors.centerIn: parent
        iconSource: "qrc:/Resources/Images/module_contact.png"
        headline: qsTr("Modul Contact") + TranslationService.updateString
        message: qsTr("Dieses Modul ist in dieser Version noch nicht verfügbar.") + TranslationService.updateString
    }
}
