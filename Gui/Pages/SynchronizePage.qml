import QtQuick 2.15
import QtQuick.Controls 2.15
import Style 1.0
import FontStyle 1.0

// Covers the window while the server synchronisation runs after a login.
Rectangle {
    id: synchronizePage

    objectName: "SynchronizePage"
    color: "#e6ffffff"

    MouseArea {
        anchors.fill: parent
        // The pages below wait until the lists are in.
        hoverEnabled: true
    }

    Column {
        anchors.centerIn: parent
        spacing: Style.margin

        BusyIndicator {
            anchors.horizontalCenter: parent.horizontalCenter
            running: true
        }

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            font.family: FontStyle.family
            font.pixelSize: FontStyle.medium
            text: qsTr("Synchronisation mit dem Server …") + TranslationService.updateString
        }
    }
}
