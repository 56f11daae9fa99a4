import QtQuick 2.15
import Style 1.0
import FontStyle 1.0

// The title band at the top of a page.
Rectangle {
    id: pageHeader

    property alias title: titleText.text
    property alias subtitle: subtitleText.text
    property alias iconSource: icon.source

    height: Style.pageHeaderHeight
    color: Style.surface

    Row {
        anchors.left: parent.left
        anchors.leftMargin: Style.margin * 1.5
        anchors.verticalCenter: parent.verticalCenter
        spacing: Style.margin

        Image {
            id: icon

            anchors.verticalCenter: parent.verticalCenter
            width: 36
            height: 36
            sourceSize.width: 72
            sourceSize.height: 72
            // Decoded off the GUI thread, so the first frame does not wait for it.
            asynchronous: true
            visible: source != ""
        }

        Column {
            anchors.verticalCenter: parent.verticalCenter
            spacing: 2

            Text {
                id: titleText

                font.family: FontStyle.family
                font.pixelSize: FontStyle.title
                font.weight: FontStyle.weightBold
                color: Style.text
            }

            Text {
                id: subtitleText

                visible: text !== ""
                font.family: FontStyle.family
                font.pixelSize: FontStyle.small
                color: Style.textMuted
            }
        }
    }

    HorizontalLine {
        anchors.bottom: parent.bottom
        width: parent.width
    }
}
