import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0
import "../../CustomComponents"

// The update history: every upload to a generator with its versions and
// outcome, sortable four ways. A click on an update status asks for the
// installation result.
Rectangle {
    id: updateHistoryPage

    // Which sort the list shows; the newest entries come first in each.
    property string sortedBy: "date"
    readonly property var columns: [
        { "title": QT_TR_NOOP("Datum"), "width": 0.18 },
        { "title": QT_TR_NOOP("Gerät"), "width": 0.14 },
        { "title": QT_TR_NOOP("Seriennummer"), "width": 0.16 },
        { "title": QT_TR_NOOP("Alte Version"), "width": 0.14 },
        { "title": QT_TR_NOOP("Neue Version"), "width": 0.14 },
        { "title": QT_TR_NOOP("Übertragung"), "width": 0.12 },
        { "title": QT_TR_NOOP("Update"), "width": 0.12 }
    ]

    signal requestDialog(string name, var parameters)
    signal closed

    function sort(key) {
        sortedBy = key
        if (key === "device")
            UpdateHistoryViewController.sortByDevice()
        else if (key === "version")
            UpdateHistoryViewController.sortByVersion()
        else if (key === "transfer")
            UpdateHistoryViewController.sortByTransfer()
        else
            UpdateHistoryViewController.sortByDatum()
    }

    objectName: "UpdateHistoryPage"
    color: Style.background
    Component.onCompleted: sort(sortedBy)

    Row {
        id: sortButtons

        x: Style.margin
        y: Style.margin
        spacing: Style.spacing

        StandardText {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Sortieren nach:") + TranslationService.updateString
        }

        Repeater {
            model: [
                { "key": "date", "text": QT_TR_NOOP("Datum") },
                { "key": "device", "text": QT_TR_NOOP("Gerät") },
                { "key": "version", "text": QT_TR_NOOP("Version") },
                { "key": "transfer", "text": QT_TR_NOOP("Übertragung") }
            ]

            StandardButton {
                required property var modelData

                objectName: "sort_" + modelData.key
                primary: updateHistoryPage.sortedBy === modelData.key
                text: qsTr(modelData.text) + TranslationService.updateString
                onClicked: updateHistoryPage.sort(modelData.key)
            }
        }
    }

    StandardButton {
        objectName: "backButton"
        anchors.right: parent.right
        anchors.rightMargin: Style.margin
        y: Style.margin
        text: qsTr("Zurück") + TranslationService.updateString
        onClicked: updateHistoryPage.closed()
    }

    PageRectangle {
        anchors.fill: parent
        anchors.margins: Style.margin
        anchors.topMargin: Style.margin * 2 + Style.buttonHeight

        Row {
            id: headings

            x: Style.margin
            y: Style.margin
            width: parent.width - 2 * Style.margin

            Repeater {
                model: updateHistoryPage.columns

                StandardText {
                    required property var modelData

                    width: headings.width * modelData.width
                    font.weight: FontStyle.weightBold
                    text: qsTr(modelData.title) + TranslationService.updateString
                }
            }
        }

        ListView {
            id: historyView

            objectName: "updateHistoryView"
            anchors.fill: parent
            anchors.margins: Style.margin
            anchors.topMargin: Style.margin * 3
            clip: true
            model: UpdateHistoryList

            delegate: Rectangle {
                id: entry

                required property int index
                required property string updateHistoryIdRole
                required property string updateHistoryDateRole
                required property string updateHistoryTypRole
                required property string updateHistorySerialNumberRole
                required property string updateHistoryOldVersionRole
                required property string updateHistoryNewVersionRole
                required property bool updateHistoryTransferStatusRole
                required property bool updateHistoryUpdateStatusRole
                readonly property var cells: [updateHistoryDateRole, updateHistoryTypRole,
                    updateHistorySerialNumberRole, updateHistoryOldVersionRole, updateHistoryNewVersionRole]

                width: ListView.view.width
                height: 36
                color: index % 2 ? Style.surfaceAlt : Style.surface

                Row {
                    anchors.fill: parent

                    Repeater {
                        model: entry.cells

                        StandardText {
                            required property int index
                            required property string modelData

                            width: entry.width * updateHistoryPage.columns[index].width
                            anchors.verticalCenter: parent.verticalCenter
                            elide: Text.ElideRight
                            wrapMode: Text.NoWrap
                            text: modelData
                        }
                    }

                    StandardText {
                        width: entry.width * 0.12
                        anchors.verticalCenter: parent.verticalCenter
                        color: entry.updateHistoryTransferStatusRole ? Style.accent : Style.error
                        text: entry.updateHistoryTransferStatusRole ? "\u2713" : "\u2715"
                    }

                    StandardText {
                        objectName: "updateStatus_" + entry.updateHistoryIdRole
                        width: entry.width * 0.12
                        anchors.verticalCenter: parent.verticalCenter
                        color: entry.updateHistoryUpdateStatusRole ? Style.accent : Style.error
                        text: entry.updateHistoryUpdateStatusRole ? "\u2713" : "\u2715"

                        MouseArea {
                            anchors.fill: parent
                            cursorShape: Qt.PointingHandCursor
                            onEntered: SharedObjects.resetTimer()
                            onClicked: updateHistoryPage.requestDialog("UpdateHistoryDialog",
                                                                       entry.updateHistoryIdRole)
                        }
                    }
                }
            }
        }

        StandardText {
            anchors.centerIn: parent
            visible: historyView.count === 0
            color: Style.textMuted
            text: qsTr("Noch keine Updates aufgezeichnet") + TranslationService.updateString
        }
    }
}
