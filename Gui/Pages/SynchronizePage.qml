import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// Covers the window while the server synchronisation runs after a login: the
// step under way, what each category has done of its total, and a way out
// while the server delivers the user sets it listed.
Rectangle {
    id: synchronizePage

    // The last step is 8: the run is complete.
    readonly property int lastStep: 8

    function stepText(status) {
        if (status === 1)
            return qsTr("Dateien werden auf den Server geladen …")
        if (status === 2)
            return qsTr("Die Daten des Servers werden verarbeitet …")
        if (status === 3)
            return qsTr("Synchronisation abgeschlossen")
        return qsTr("Dateien werden vom Server geladen …")
    }

    objectName: "SynchronizePage"
    color: Style.background

    MouseArea {
        anchors.fill: parent
        // The pages below wait until the run is over.
        hoverEnabled: true
        acceptedButtons: Qt.AllButtons
        onWheel: function(wheel) { wheel.accepted = true }
    }

    Rectangle {
        anchors.centerIn: parent
        width: Math.min(parent.width - 2 * Style.margin, 560)
        height: content.implicitHeight + 2 * Style.margin * 2
        radius: Style.radius
        color: Style.surface
        border.color: Style.border

        Column {
            id: content

            anchors.fill: parent
            anchors.margins: Style.margin * 2
            spacing: Style.margin

            Row {
                spacing: Style.margin

                BusyIndicator {
                    anchors.verticalCenter: parent.verticalCenter
                    running: SynchronizeService.status !== 3
                }

                Column {
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 4

                    StandardText {
                        objectName: "title"
                        font.pixelSize: FontStyle.title
                        text: qsTr("Synchronisation mit dem Server …") + TranslationService.updateString
                    }

                    StandardText {
                        objectName: "step"
                        color: Style.textMuted
                        text: synchronizePage.stepText(SynchronizeService.status) + TranslationService.updateString
                    }
                }
            }

            // Overall progress by the step the run has reached.
            Rectangle {
                objectName: "progress"
                width: parent.width
                height: 8
                radius: 4
                color: Style.surfaceAlt

                Rectangle {
                    width: parent.width * Math.min(SynchronizeService.position, synchronizePage.lastStep)
                           / synchronizePage.lastStep
                    height: parent.height
                    radius: parent.radius
                    color: Style.primary
                }
            }

            Grid {
                columns: 2
                columnSpacing: Style.margin * 2
                rowSpacing: Style.spacing

                StandardText { text: qsTr("Software-Updates") + TranslationService.updateString }
                StandardText {
                    objectName: "firmwareCount"
                    text: SynchronizeService.cFirmware + " / " + SynchronizeService.firmwareTotalCount
                }
                StandardText { text: qsTr("Standard Anwendersets") + TranslationService.updateString }
                StandardText {
                    objectName: "templateCount"
                    text: SynchronizeService.cUserSetTemplates + " / " + SynchronizeService.userSetTemplatesTotalCount
                }
                StandardText { text: qsTr("Anwendersets vom Server") + TranslationService.updateString }
                StandardText {
                    objectName: "downloadCount"
                    text: SynchronizeService.cUserSetDownload + " / " + SynchronizeService.userSetDownloadTotalCount
                }
                StandardText { text: qsTr("Anwendersets zum Server") + TranslationService.updateString }
                StandardText {
                    objectName: "uploadCount"
                    text: SynchronizeService.cUserSetUpload + " / " + SynchronizeService.userSetUploadTotalCount
                }
                StandardText { text: qsTr("Logdateien zum Server") + TranslationService.updateString }
                StandardText {
                    objectName: "logCount"
                    text: SynchronizeService.cAppLogUpload + " / " + SynchronizeService.appLogUploadTotalCount
                }
            }

            StandardButton {
                objectName: "cancelSyncButton"
                anchors.right: parent.right
                visible: SynchronizeService.canCancel
                text: qsTr("Abbrechen") + TranslationService.updateString
                onClicked: SynchronizeService.cancel()
            }
        }
    }
}
