import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// The Update module: firmware updates on the server and on this PC, the
// details of the selected one, and its download, import, upload and delete.
// Transfers need the user's rights: the server's for a download, the
// generator's for an import or an upload.
ModulePage {
    id: updatePage

    // Set when an upload's result has been recorded: the history comes up.
    property bool showHistory: false
    // Whether the selection is one of the server's list.
    property bool serverSelected: true
    readonly property string selectedId: SharedObjects.selectedUpdateId
    readonly property bool mayDownload: LoginViewController.isAllowedUpdateServerFiletransferWithStk === true
    readonly property bool mayUpload: LoginViewController.isAllowedUpdateDeviceFiletransferWithStk === true
    property int checkedCount: 0
    // Re-read the details when the lists or the language change.
    property int detailsRevision: 0

    function select(id, text, fromServer) {
        serverSelected = fromServer
        SharedObjects.selectedUpdateId = id
        SharedObjects.selectedUpdateName = text
        detailsRevision += 1
    }

    function detail(getter) {
        detailsRevision
        TranslationService.updateString
        if (selectedId === "")
            return ""
        return UpdateViewController[getter](selectedId, serverSelected)
    }

    // Only a local update has its container here to upload.
    function isLocal(id) {
        detailsRevision
        return id !== "" && UpdateViewController.isDownloaded(id)
    }

    function countChecked() {
        let count = 0
        for (let row = 0; row < LocalUpdateOverviewList.rowCount(); ++row) {
            if (LocalUpdateOverviewList.data(LocalUpdateOverviewList.index(row, 0), 263))
                count += 1
        }
        checkedCount = count
    }

    function refusalText(refusal) {
        if (refusal === 2)
            return qsTr("Es besteht keine Verbindung. Bitte prüfen Sie die Verbindung und versuchen Sie es erneut.")
        if (refusal === 3)
            return qsTr("Es läuft bereits eine Übertragung. Bitte warten Sie, bis sie beendet ist.")
        return qsTr("Das Update-Paket wurde nicht gefunden.")
    }

    function download() {
        if (UpdateViewController.downloadFromServer(selectedId))
            requestDialog("FileDownloadDialog", "")
        else
            requestDialog("InformationDialog", [qsTr("Übertragung nicht möglich"),
                                                refusalText(UpdateViewController.lastRefusal)])
    }

    function importUpdate() {
        const file = FileSelectorService.getEsbFile(qsTr("Update-Paket importieren"))
        if (file !== "" && !UpdateViewController.importQelo3FirmwareUpdate(file))
            requestDialog("InformationDialog", [qsTr("Import fehlgeschlagen"),
                                                qsTr("Zu der Beschreibung wurde kein passendes Update-Paket (.esc) gefunden, oder es konnte nicht kopiert werden.")])
    }

    objectName: "UpdatePage"
    title: qsTr("Update") + TranslationService.updateString
    subtitle: showHistory ? qsTr("Update-Verlauf") + TranslationService.updateString : ""
    iconSource: "qrc:/Resources/Images/module_update.png"

    Connections {
        target: UpdateViewController

        function onOverviewsChanged() {
            updatePage.countChecked()
            updatePage.detailsRevision += 1
        }
    }

    Component.onCompleted: countChecked()

    component UpdateList: PageRectangle {
        id: updateList

        property alias heading: headingText.text
        property alias model: listView.model
        property bool server: false
        property string currentId: ""
        property bool currentIsServer: false

        signal picked(string id, string text)

        StandardText {
            id: headingText

            x: Style.margin
            y: Style.margin
            font.pixelSize: FontStyle.medium
            font.weight: FontStyle.weightBold
        }

        ListView {
            id: listView

            objectName: updateList.objectName + "View"
            anchors.fill: parent
            anchors.topMargin: Style.margin * 3
            anchors.margins: Style.margin
            clip: true
            spacing: 2

            delegate: Rectangle {
                id: row

                required property string listIdRole
                required property string listTextRole
                required property bool listIsSelectedRole
                required property bool listIsDownloadedRole
                readonly property bool current: updateList.currentId === listIdRole
                                                && updateList.currentIsServer === updateList.server

                width: ListView.view.width
                height: 40
                radius: Style.radius
                color: current ? Style.primaryLight : (rowMouse.containsMouse ? Style.hover : "transparent")

                MouseArea {
                    id: rowMouse

                    anchors.fill: parent
                    hoverEnabled: true
                    onEntered: SharedObjects.resetTimer()
                    onClicked: updateList.picked(row.listIdRole, row.listTextRole)
                }

                CheckOption {
                    id: check

                    x: Style.spacing
                    anchors.verticalCenter: parent.verticalCenter
                    visible: !updateList.server
                    checked: row.listIsSelectedRole
                    onToggled: UpdateViewController.setSelected(row.listIdRole, checked ? "true" : "false")
                }

                StandardText {
                    anchors.left: updateList.server ? parent.left : check.right
                    anchors.leftMargin: Style.spacing
                    anchors.right: badge.left
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    wrapMode: Text.NoWrap
                    text: row.listTextRole
                }

                StandardText {
                    id: badge

                    anchors.right: parent.right
                    anchors.rightMargin: Style.spacing
                    anchors.verticalCenter: parent.verticalCenter
                    visible: updateList.server && row.listIsDownloadedRole
                    color: Style.accent
                    font.pixelSize: FontStyle.small
                    text: visible ? qsTr("heruntergeladen") + TranslationService.updateString : ""
                }
            }
        }

        StandardText {
            anchors.centerIn: parent
            visible: listView.count === 0
            color: Style.textMuted
            text: qsTr("Keine Updates vorhanden") + TranslationService.updateString
        }
    }

    Item {
        id: browser

        anchors.fill: parent
        anchors.margins: Style.margin
        visible: !updatePage.showHistory

        Column {
            id: lists

            width: Math.round(parent.width * 0.42)
            height: parent.height - buttons.height - Style.margin
            spacing: Style.margin

            UpdateList {
                objectName: "serverUpdateList"
                width: parent.width
                height: (parent.height - Style.margin) / 2
                heading: qsTr("Auf dem Server") + TranslationService.updateString
                model: ServerUpdateOverviewList
                server: true
                currentId: updatePage.selectedId
                currentIsServer: updatePage.serverSelected
                onPicked: function(id, text) { updatePage.select(id, text, true) }
            }

            UpdateList {
                objectName: "localUpdateList"
                width: parent.width
                height: (parent.height - Style.margin) / 2
                heading: qsTr("Auf diesem PC") + TranslationService.updateString
                model: LocalUpdateOverviewList
                currentId: updatePage.selectedId
                currentIsServer: updatePage.serverSelected
                onPicked: function(id, text) { updatePage.select(id, text, false) }
            }
        }

        PageRectangle {
            id: details

            objectName: "updateDetails"
            anchors.left: lists.right
            anchors.leftMargin: Style.margin
            anchors.right: parent.right
            height: lists.height

            Column {
                anchors.fill: parent
                anchors.margins: Style.margin * 1.5
                spacing: Style.spacing
                visible: updatePage.selectedId !== ""

                StandardText {
                    width: parent.width
                    font.pixelSize: FontStyle.large
                    font.weight: FontStyle.weightBold
                    text: SharedObjects.selectedUpdateName
                }

                StandardText {
                    objectName: "detailVersion"
                    width: parent.width
                    text: qsTr("Version: %1").arg(updatePage.detail("getDetailVersion")) + TranslationService.updateString
                }

                StandardText {
                    width: parent.width
                    topPadding: Style.spacing
                    font.weight: FontStyle.weightBold
                    text: qsTr("Hinweis") + TranslationService.updateString
                }

                StandardText {
                    objectName: "detailHint"
                    width: parent.width
                    text: updatePage.detail("getDetailHint")
                }

                StandardText {
                    width: parent.width
                    topPadding: Style.spacing
                    font.weight: FontStyle.weightBold
                    text: qsTr("Änderungen") + TranslationService.updateString
                }

                Repeater {
                    model: ["getDetailChange1", "getDetailChange2", "getDetailChange3"]

                    StandardText {
                        required property string modelData

                        width: parent.width
                        visible: text !== "\u2022 "
                        text: "\u2022 " + updatePage.detail(modelData)
                    }
                }
            }

            StandardText {
                anchors.centerIn: parent
                visible: updatePage.selectedId === ""
                color: Style.textMuted
                text: qsTr("Wählen Sie ein Update aus, um seine Details zu sehen.") + TranslationService.updateString
            }
        }

        Row {
            id: buttons

            anchors.bottom: parent.bottom
            anchors.right: parent.right
            spacing: Style.spacing

            StandardButton {
                objectName: "historyButton"
                text: qsTr("Update-Verlauf") + TranslationService.updateString
                onClicked: updatePage.showHistory = true
            }

            StandardButton {
                objectName: "deleteButton"
                enabled: updatePage.checkedCount > 0
                text: qsTr("Löschen") + TranslationService.updateString
                onClicked: UpdateViewController.deleteSelectedUpdates()
            }

            StandardButton {
                objectName: "importButton"
                enabled: updatePage.mayUpload
                text: qsTr("Importieren") + TranslationService.updateString
                onClicked: updatePage.importUpdate()
            }

            StandardButton {
                objectName: "downloadButton"
                enabled: updatePage.mayDownload && updatePage.serverSelected && updatePage.selectedId !== ""
                         && NetworkService.isHalvoServerConnected && !UpdateViewController.fileDownloadIsActive
                text: qsTr("Herunterladen") + TranslationService.updateString
                onClicked: updatePage.download()
            }

            StandardButton {
                objectName: "uploadButton"
                primary: true
                enabled: updatePage.mayUpload && updatePage.selectedId !== "" && NetworkService.isQelo3Connected
                         && !UpdateViewController.fileUploadIsActive
                         && updatePage.isLocal(updatePage.selectedId)
                text: qsTr("Auf QELO 3 hochladen") + TranslationService.updateString
                onClicked: updatePage.requestDialog("Qelo3UpdatePageDialog", "")
            }
        }
    }

    Loader {
        id: historyLoader

        objectName: "updateHistoryLoader"
        anchors.fill: parent
        active: updatePage.showHistory
        visible: updatePage.showHistory
        source: "UpdatePage/UpdateHistoryPage.qml"
    }

    Connections {
        target: historyLoader.item
        ignoreUnknownSignals: true

        function onRequestDialog(name, parameters) {
            updatePage.requestDialog(name, parameters)
        }

        function onClosed() {
            updatePage.showHistory = false
        }
    }
}
