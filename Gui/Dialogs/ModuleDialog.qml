import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import MainViewControllerEnums 1.0
import "../CustomComponents"

// The modules the user may use. Choosing the current one cancels; any other
// accepts with its page.
DialogBase {
    id: moduleDialog

    readonly property var modules: {
        // Read so that the labels follow a language switch.
        const again = TranslationService.updateString
        const all = [
            { name: "Copy", label: qsTr("Copy") + again, page: MainViewControllerEnums.PAGE_COPY,
              icon: "module_copy", allowed: LoginViewController.isAllowedModuleCopy },
            { name: "Update", label: qsTr("Update") + again, page: MainViewControllerEnums.PAGE_UPDATE,
              icon: "module_update", allowed: LoginViewController.isAllowedModuleUpdate },
            { name: "Contact", label: qsTr("Contact") + again, page: MainViewControllerEnums.PAGE_CONTACT,
              icon: "module_contact", allowed: LoginViewController.isAllowedModuleContact },
            { name: "Chrono", label: qsTr("Chrono") + again, page: MainViewControllerEnums.PAGE_CHRONO,
              icon: "module_chrono", allowed: LoginViewController.isAllowedModuleChrono }
        ]
        return all.filter(function(module) { return module.allowed })
    }

    function choose(page) {
        if (page === MainViewController.currentPage)
            cancel()
        else
            accept(page)
    }

    objectName: "ModuleDialog"
    title: qsTr("Modul wählen") + TranslationService.updateString
    acceptVisible: false
    cardWidth: 520

    Grid {
        id: grid

        columns: 2
        spacing: Style.spacing
        width: parent.width

        Repeater {
            model: moduleDialog.modules

            delegate: Rectangle {
                id: tile

                required property var modelData
                readonly property bool current: modelData.page === MainViewController.currentPage

                objectName: "module_" + modelData.name
                width: (grid.width - grid.spacing) / 2
                height: 112
                radius: Style.radius
                color: current ? Style.primaryLight : (tileMouse.containsMouse || activeFocus ? Style.hover : Style.surface)
                border.width: activeFocus ? 2 : 1
                border.color: activeFocus ? Style.focus : Style.border
                activeFocusOnTab: true
                Accessible.role: Accessible.Button
                Accessible.name: modelData.label

                Keys.onReturnPressed: function(event) { moduleDialog.choose(modelData.page); event.accepted = true }
                Keys.onSpacePressed: function(event) { moduleDialog.choose(modelData.page); event.accepted = true }

                Column {
                    anchors.centerIn: parent
                    spacing: Style.spacing

                    Image {
                        anchors.horizontalCenter: parent.horizontalCenter
                        width: 48
                        height: 48
                        sourceSize.width: 96
                        sourceSize.height: 96
                        source: "qrc:/Resources/Images/" + tile.modelData.icon + ".png"
                    }

                    Text {
                        anchors.horizontalCenter: parent.horizontalCenter
                        text: tile.modelData.label
                        font.family: FontStyle.family
                        font.pixelSize: FontStyle.medium
                        font.weight: FontStyle.weightBold
                        color: Style.text
                    }
                }

                MouseArea {
                    id: tileMouse

                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: moduleDialog.choose(tile.modelData.page)
                }
            }
        }
    }
}
