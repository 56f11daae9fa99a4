import QtQuick 2.15
import "../CustomComponents"

// The Chrono module; its lists and actions are added with the module itself.
ModulePage {
    id: chronoPage

    objectName: "ChronoPage"
    title: qsTr("Chrono") + TranslationService.updateString
    iconSource: "qrc:/Resources/Images/module_chrono.png"

    PageInfo {
        anchors.centerIn: parent
        iconSource: "qrc:/Resources/Images/module_chrono.png"
        headline: qsTr("Modul Chrono") + TranslationService.updateString
        message: qsTr("Dieses Modul ist in dieser Version noch nicht verfügbar.") + TranslationService.updateString
    }
}
