import QtQuick 2.15
import Style 1.0

// The bar along the bottom of the window: link states on the left, the module
// menu in the middle, user, language and information on the right. It only
// reports clicks; the window decides what opens.
Rectangle {
    id: menuBar

    property bool loginPage: true
    property bool serverConnected: false
    property bool generatorConnected: false
    property string moduleLabel: ""
    property string moduleIcon: ""
    property bool moduleMenuEnabled: false
    property string userName: ""
    property string serverToolTip: ""
    property string generatorToolTip: ""
    property string moduleToolTip: ""
    property string userToolTip: ""
    property string languageToolTip: ""
    property string infoToolTip: ""

    readonly property alias serverButton: serverButton
    readonly property alias generatorButton: generatorButton
    readonly property alias moduleButton: moduleButton
    readonly property alias userButton: userButton
    readonly property alias languageButton: languageButton
    readonly property alias infoButton: infoButton

    signal serverClicked
    signal generatorClicked
    signal moduleClicked
    signal userClicked
    signal languageClicked
    signal infoClicked

    height: Style.menuBarHeight
    color: Style.menuBar

    HorizontalLine {
        anchors.top: parent.top
        width: parent.width
        color: Style.menuBarBorder
    }

    Row {
        anchors.left: parent.left
        anchors.leftMargin: Style.spacing
        anchors.verticalCenter: parent.verticalCenter
        spacing: Style.spacing

        MenuBarButton {
            id: serverButton

            objectName: "serverStatus"
            visible: !menuBar.loginPage
            source: menuBar.serverConnected ? "qrc:/Resources/Images/halvo_connected.png"
                                            : "qrc:/Resources/Images/halvo_disconnected.png"
            toolTip: menuBar.serverToolTip
            onClicked: menuBar.serverClicked()
        }

        MenuBarButton {
            id: generatorButton

            objectName: "generatorStatus"
            visible: !menuBar.loginPage
            source: menuBar.generatorConnected ? "qrc:/Resources/Images/qelo3_connected.png"
                                               : "qrc:/Resources/Images/qelo3_disconnected.png"
            toolTip: menuBar.generatorToolTip
            onClicked: menuBar.generatorClicked()
        }
    }

    MenuBarButton {
        id: moduleButton

        objectName: "moduleMenu"
        anchors.centerIn: parent
        visible: !menuBar.loginPage
        interactive: menuBar.moduleMenuEnabled
        source: menuBar.moduleIcon !== "" ? menuBar.moduleIcon : "qrc:/Resources/Images/module_menu.png"
        label: menuBar.moduleLabel
        toolTip: menuBar.moduleToolTip
        onClicked: menuBar.moduleClicked()
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: Style.spacing
        anchors.verticalCenter: parent.verticalCenter
        spacing: Style.spacing

        MenuBarButton {
            id: userButton

            objectName: "userMenu"
            visible: !menuBar.loginPage
            source: "qrc:/Resources/Images/user.png"
            label: menuBar.userName
            toolTip: menuBar.userToolTip
            onClicked: menuBar.userClicked()
        }

        MenuBarButton {
            id: languageButton

            objectName: "languageMenu"
            visible: menuBar.loginPage
            source: "qrc:/Resources/Images/language.png"
            toolTip: menuBar.languageToolTip
            onClicked: menuBar.languageClicked()
        }

        MenuBarButton {
            id: infoButton

            objectName: "infoMenu"
            source: "qrc:/Resources/Images/info.png"
            toolTip: menuBar.infoToolTip
            onClicked: menuBar.infoClicked()
        }
    }
}
