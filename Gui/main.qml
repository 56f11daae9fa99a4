import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import Style 1.0
import FontStyle 1.0

ApplicationWindow {
    id: mainWindow

    title: "Kelvara" + MainViewController.versionInfo
    width: Math.min(1280, MainViewController.availableScreenWidth > 0 ? MainViewController.availableScreenWidth : 1280)
    height: Math.min(800, MainViewController.availableScreenHeight > 0 ? MainViewController.availableScreenHeight : 800)
    visible: true
    color: Style.background

    Column {
        anchors.centerIn: parent
        spacing: Style.spacing * 2

        Label {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "Kelvara"
            font.family: FontStyle.family
            font.pixelSize: FontStyle.title * 2
            color: Style.primary
        }
        Label {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Version %1 (%2)").arg(VersionInfo.productVersion).arg(VersionInfo.releaseDate)
            font.family: FontStyle.family
            font.pixelSize: FontStyle.normal
            color: Style.textMuted
        }
    }
}
