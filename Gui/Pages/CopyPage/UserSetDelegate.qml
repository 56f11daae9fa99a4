import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0

// One row of the user-set list: a section header that folds its sets away,
// or a user set with its status icon (or check box) and its details.
Rectangle {
    id: userSetDelegate

    // Typed loosely: the model answers a header's empty fields with no value.
    required property var userSetIdRole
    required property var userSetNameRole
    required property var userSetVersionRole
    required property var qeloSoftwareVersionRole
    required property var qeloSerialNumberRole
    required property var iconSourceRole
    required property var isHeaderRole
    required property var isSelectedRole

    readonly property string userSetId: asText(userSetIdRole)
    readonly property string name: asText(userSetNameRole)
    readonly property string version: asText(userSetVersionRole)
    readonly property string softwareVersion: asText(qeloSoftwareVersionRole)
    readonly property string serialNumber: asText(qeloSerialNumberRole)
    readonly property string iconSource: asText(iconSourceRole)
    readonly property bool header: isHeaderRole === true
    readonly property bool selected: isSelectedRole === true && !header

    signal headerClicked(string headerId)
    signal userSetClicked(string userSetId)
    signal userSetDoubleClicked(string userSetId)

    function asText(value) {
        return value === undefined || value === null ? "" : String(value)
    }

    objectName: (header ? "header_" : "userSet_") + userSetId
    height: header ? 40 : 56
    color: header ? Style.surfaceAlt : (selected ? Style.primaryLight : (mouseArea.containsMouse ? Style.hover : Style.surface))
    Accessible.role: header ? Accessible.Button : Accessible.ListItem
    Accessible.name: name
    Accessible.selected: selected

    Rectangle {
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        width: 4
        visible: userSetDelegate.selected
        color: Style.primary
    }

    Image {
        id: icon

        anchors.left: parent.left
        anchors.leftMargin: Style.margin
        anchors.verticalCenter: parent.verticalCenter
        width: userSetDelegate.header ? 20 : 24
        height: width
        sourceSize.width: 48
        sourceSize.height: 48
        source: userSetDelegate.iconSource
        asynchronous: true
    }

    Column {
        anchors.left: icon.right
        anchors.leftMargin: Style.spacing * 1.5
        anchors.right: details.left
        anchors.rightMargin: Style.spacing
        anchors.verticalCenter: parent.verticalCenter
        spacing: 2

        Text {
            width: parent.width
            text: userSetDelegate.name
            elide: Text.ElideRight
            font.family: FontStyle.family
            font.pixelSize: userSetDelegate.header ? FontStyle.small : FontStyle.normal
            font.weight: userSetDelegate.header || userSetDelegate.selected ? FontStyle.weightBold : FontStyle.weightNormal
            font.letterSpacing: userSetDelegate.header ? 0.8 : 0
            color: userSetDelegate.header ? Style.textMuted : Style.text
        }

        Text {
            width: parent.width
            visible: !userSetDelegate.header && text !== ""
            text: userSetDelegate.serialNumber !== ""
                  ? qsTr("S/N: ") + userSetDelegate.serialNumber + TranslationService.updateString : ""
            elide: Text.ElideRight
            font.family: FontStyle.family
            font.pixelSize: FontStyle.small
            color: Style.textMuted
        }
    }

    Column {
        id: details

        anchors.right: parent.right
        anchors.rightMargin: Style.margin
        anchors.verticalCenter: parent.verticalCenter
        visible: !userSetDelegate.header
        spacing: 2

        Text {
            anchors.right: parent.right
            // File names carry the version as "V140" already.
            text: userSetDelegate.version === "" || userSetDelegate.version.startsWith("V")
                  ? userSetDelegate.version
                  : qsTr("Version %1").arg(userSetDelegate.version) + TranslationService.updateString
            font.family: FontStyle.family
            font.pixelSize: FontStyle.small
            color: Style.textMuted
        }

        Text {
            anchors.right: parent.right
            text: userSetDelegate.softwareVersion !== ""
                  ? qsTr("QELO 3 V %1").arg(userSetDelegate.softwareVersion) + TranslationService.updateString : ""
            font.family: FontStyle.family
            font.pixelSize: FontStyle.small
            color: Style.textMuted
        }
    }

    Rectangle {
        anchors.bottom: parent.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        height: 1
        color: Style.border
    }

    MouseArea {
        id: mouseArea

        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onEntered: SharedObjects.resetTimer()
        onClicked: {
            if (userSetDelegate.header)
                userSetDelegate.headerClicked(userSetDelegate.userSetId)
            else
                userSetDelegate.userSetClicked(userSetDelegate.userSetId)
        }
        onDoubleClicked: {
            if (!userSetDelegate.header)
                userSetDelegate.userSetDoubleClicked(userSetDelegate.userSetId)
        }
    }
}
