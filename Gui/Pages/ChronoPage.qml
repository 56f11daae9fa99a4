import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// The Chrono module: the stored chrono files folder by folder, the fixed data
// of the selected ".fix" file and the filtered events of the selected ".flex"
// log. Fetching from the generator, import, export as zip and delete.
ModulePage {
    id: chronoPage

    // The file chosen in the folder list; its folder is what is exported.
    property string selectedPath: ""
    property string selectedFolder: ""
    readonly property var fileService: ChronoViewController.fileService

    objectName: "ChronoPage"
    title: qsTr("Chrono") + TranslationService.updateString
    subtitle: qsTr("Ereignisprotokolle des Generators") + TranslationService.updateString
    iconSource: "qrc:/Resources/Images/module_chrono.png"

    function folderPathOf(path) {
        return path.substring(0, path.lastIndexOf("/"))
    }

    function select(entry) {
        selectedPath = entry.absoluteFilePath
        selectedFolder = folderPathOf(entry.absoluteFilePath)
        if (entry.fileSuffix === "fix")
            fileService.setSelectedFixFile(entry.absoluteFilePath)
        else
            fileService.setSelectedFlexFile(entry.absoluteFilePath)
    }

    function importFiles() {
        const path = FileSelectorService.getChronoFiles(qsTr("Chrono-Datei importieren"))
        if (path !== "")
            ChronoViewController.importChronoFile(path)
    }

    function exportFolder() {
        if (selectedFolder === "")
            return
        const destination = FileSelectorService.getDirectory(qsTr("Zielordner für den Export"))
        if (destination === "")
            return
        const archive = ChronoViewController.compressDirectory(selectedFolder, destination)
        if (archive !== "")
            requestDialog("InformationDialog", [qsTr("Export"), qsTr("Archiv erstellt: %1").arg(archive)])
    }

    function deleteSelected() {
        if (selectedPath === "")
            return
        ChronoViewController.deleteFile(selectedPath)
        selectedPath = ""
        selectedFolder = ""
    }

    Keys.onDeletePressed: deleteSelected()

    Connections {
        target: ChronoViewController

        function onChronoError(code, reason) {
            chronoPage.requestDialog("InformationDialog", [qsTr("Chrono"), code === 2
                ? qsTr("Das Archiv wurde abgelehnt: es ist beschädigt oder überschreitet die zulässige Größe.")
                : code === 3 ? qsTr("Das Archiv konnte nicht erstellt werden.")
                : code === 5 ? qsTr("Die Gerätedaten konnten nicht empfangen werden.")
                : qsTr("Die Datei konnte nicht abgelegt werden.")])
        }
    }

    Row {
        id: toolbar

        x: Style.margin
        y: Style.margin
        spacing: Style.spacing

        StandardButton {
            objectName: "fetchButton"
            primary: true
            text: qsTr("Von QELO 3 laden") + TranslationService.updateString
            onClicked: chronoPage.requestDialog("Qelo3DownloadDialog", ["Chrono"])
        }

        StandardButton {
            objectName: "importButton"
            text: qsTr("Importieren") + TranslationService.updateString
            onClicked: chronoPage.importFiles()
        }

        StandardButton {
            objectName: "exportButton"
            enabled: chronoPage.selectedFolder !== ""
            text: qsTr("Ordner exportieren") + TranslationService.updateString
            onClicked: chronoPage.exportFolder()
        }

        StandardButton {
            objectName: "deleteButton"
            enabled: chronoPage.selectedPath !== ""
            text: qsTr("Löschen") + TranslationService.updateString
            onClicked: chronoPage.deleteSelected()
        }

        StandardButton {
            objectName: "statisticButton"
            text: qsTr("Fehlerstatistik") + TranslationService.updateString
            onClicked: chronoPage.requestDialog("ErrorStatisticDialog", undefined)
        }
    }

    Rectangle {
        id: folderPane

        anchors.top: toolbar.bottom
        anchors.topMargin: Style.margin
        anchors.left: parent.left
        anchors.leftMargin: Style.margin
        anchors.bottom: parent.bottom
        anchors.bottomMargin: Style.margin
        width: 230
        radius: Style.radius
        color: Style.surface
        border.color: Style.border

        ListView {
            id: folderList

            objectName: "folderList"
            anchors.fill: parent
            anchors.margins: 1
            clip: true
            activeFocusOnTab: true
            keyNavigationEnabled: true
            model: ChronoViewController.folderModel
            section.property: "name"
            section.delegate: Rectangle {
                width: folderList.width
                height: 32
                color: Style.surfaceAlt

                StandardText {
                    anchors.verticalCenter: parent.verticalCenter
                    x: Style.spacing
                    text: "\u25BE " + section
                    font.weight: FontStyle.weightBold
                }
            }
            delegate: Rectangle {
                id: fileRow

                required property int index
                required property var entry

                width: folderList.width
                height: 30
                color: entry && entry.absoluteFilePath === chronoPage.selectedPath ? Style.primaryLight
                     : (mouse.containsMouse ? Style.hover : "transparent")
                border.width: folderList.activeFocus && folderList.currentIndex === index ? 1 : 0
                border.color: Style.focus

                StandardText {
                    anchors.verticalCenter: parent.verticalCenter
                    x: Style.margin + Style.spacing
                    width: parent.width - x - Style.spacing
                    elide: Text.ElideMiddle
                    wrapMode: Text.NoWrap
                    text: fileRow.entry ? fileRow.entry.fileName + "." + fileRow.entry.fileSuffix : ""
                }

                MouseArea {
                    id: mouse

                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        folderList.currentIndex = fileRow.index
                        chronoPage.select(fileRow.entry)
                    }
                }
            }
            Keys.onReturnPressed: if (currentItem) chronoPage.select(currentItem.entry)
            Keys.onSpacePressed: if (currentItem) chronoPage.select(currentItem.entry)
            Keys.onDeletePressed: chronoPage.deleteSelected()

            StandardText {
                anchors.centerIn: parent
                width: parent.width - 2 * Style.margin
                horizontalAlignment: Text.AlignHCenter
                visible: folderList.count === 0
                color: Style.textMuted
                text: qsTr("Keine Chrono-Dateien vorhanden. Laden Sie sie vom QELO 3 oder importieren Sie sie.")
                      + TranslationService.updateString
            }
        }
    }

    Rectangle {
        id: fixPane

        anchors.top: folderPane.top
        anchors.left: folderPane.right
        anchors.leftMargin: Style.margin
        anchors.bottom: parent.bottom
        anchors.bottomMargin: Style.margin
        width: 250
        radius: Style.radius
        color: Style.surface
        border.color: Style.border

        StandardText {
            id: fixTitle

            x: Style.spacing
            y: Style.spacing
            text: qsTr("Gerätedaten") + TranslationService.updateString
            font.weight: FontStyle.weightBold
        }

        ListView {
            id: fixList

            objectName: "fixList"
            anchors.top: fixTitle.bottom
            anchors.topMargin: Style.spacing
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            anchors.margins: Style.spacing
            clip: true
            model: chronoPage.fileService.fixData ? chronoPage.fileService.fixData.fixDataStringList : []
            delegate: Text {
                required property string modelData

                width: fixList.width
                height: modelData === "" ? 10 : implicitHeight + 4
                text: modelData
                font.family: "DejaVu Sans Mono"
                font.pixelSize: FontStyle.small
                color: Style.text
                elide: Text.ElideRight
            }

            Connections {
                target: chronoPage.fileService

                function onFixDataChanged() {
                    fixList.model = chronoPage.fileService.fixData.fixDataStringList
                }
            }
        }
    }

    Loader {
        id: flexLoader

        anchors.top: folderPane.top
        anchors.left: fixPane.right
        anchors.leftMargin: Style.margin
        anchors.right: parent.right
        anchors.rightMargin: Style.margin
        anchors.bottom: parent.bottom
        anchors.bottomMargin: Style.margin
        source: "ChronoPage/ChronoFlexList.qml"
    }
}
