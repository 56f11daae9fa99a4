import QtQuick 2.15
import "../CustomComponents"

// The Update module; its lists and actions are added with the module itself.
ModulePage {
    id: updatePage

    objectName: "UpdatePage"
    title: qsTr("Update") + TranslationService.updateString
    iconSource: "qrc:/Resources/Images/module_update.png"

    PageInfo {
        anchors.centerIn: parent
        iconSource: "qrc:/Resources/Images/module_update.png"
        headline: qsTr("Modul Update") + TranslationService.updateString
        message: qsTr("Dieses Modul ist in dieser Version noch nicht verfügbar.") + TranslationService.updateString
    }
}
