import QtQuick 2.15
import "../CustomComponents"

// The Copy module; its lists and actions are added with the module itself.
ModulePage {
    id: copyPage

    objectName: "CopyPage"
    title: qsTr("Copy") + TranslationService.updateString
    iconSource: "qrc:/Resources/Images/module_copy.png"

    PageInfo {
        anchors.centerIn: parent
        iconSource: "qrc:/Resources/Images/module_copy.png"
        headline: qsTr("Modul Copy") + TranslationService.updateString
        message: qsTr("Dieses Modul ist in dieser Version noch nicht verfügbar.") + TranslationService.updateString
    }
}
