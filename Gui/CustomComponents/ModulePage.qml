import QtQuick 2.15
import Style 1.0

// The frame of a module page: header band and a body below it.
Rectangle {
    id: modulePage

    property alias title: header.title
    property alias subtitle: header.subtitle
    property alias iconSource: header.iconSource
    default property alias content: body.data

    signal requestDialog(string name, var parameters)

    color: Style.background

    PageHeader {
        id: header

        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
    }

    Item {
        id: body

        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
    }
}
