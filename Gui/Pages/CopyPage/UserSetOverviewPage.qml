import QtQuick 2.15
import QtQuick.Controls.Basic 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0
import "../../CustomComponents"

// One user set at a glance: its instruments, its two setup switches and its
// program groups with their programs, and what can be done with it.
Item {
    id: overviewPage

    readonly property string userSetId: SharedObjects.selectedUserSetId
    readonly property bool serverSet: CopyViewController.serverUserSetSelected
    readonly property bool localSet: CopyViewController.localUserSetSelected

    signal backRequested
    signal editRequested
    signal dialogRequested(string name, var parameters)

    // The generator runs the set only within one major.minor family; a
    // different patch level is no reason to warn.
    function family(version) {
        return String(version).split(".").slice(0, 2).join(".")
    }

    function versionMismatch() {
        const setVersion = CopyViewController.getSoftwareRevById(userSetId)
        const generatorVersion = NetworkService.qelo3Version
        return setVersion !== "" && generatorVersion !== "" && family(setVersion) !== family(generatorVersion)
    }

    function uploadToGenerator() {
        dialogRequested(versionMismatch() ? "Qelo3VersionMismatchDialog" : "Qelo3UserSetUploadDialog", userSetId)
    }

    Flickable {
        id: flickable

        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: actions.top
        anchors.margins: Style.margin
        contentHeight: content.height
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}

        Row {
            id: content

            width: flickable.width
            spacing: Style.margin

            Column {
                id: sideColumn

                width: 300
                spacing: Style.margin

                PageRectangle {
                    width: parent.width
                    height: instrumentsColumn.height + 2 * Style.margin

                    Column {
                        id: instrumentsColumn

                        x: Style.margin
                        y: Style.margin
                        width: parent.width - 2 * Style.margin
                        spacing: Style.spacing

                        SectionTitle {
                            text: qsTr("Instrumente") + TranslationService.updateString
                        }

                        Repeater {
                            objectName: "instrumentsRepeater"
                            model: InstrumentsModel

                            delegate: StandardText {
                                required property var listTextRole

                                width: instrumentsColumn.width
                                text: "\u2022  " + listTextRole
                                elide: Text.ElideRight
                                wrapMode: Text.NoWrap
                            }
                        }
                    }
                }

                PageRectangle {
                    width: parent.width
                    height: setupColumn.height + 2 * Style.margin

                    Column {
                        id: setupColumn

                        x: Style.margin
                        y: Style.margin
                        width: parent.width - 2 * Style.margin
                        spacing: Style.spacing

                        SectionTitle {
                            text: qsTr("Einstellungen") + TranslationService.updateString
                        }

                        Repeater {
                            model: SetupModel

                            delegate: CustomSwitch {
                                required property var listIdRole
                                required property var listTextRole
                                required property var listIsSelectedRole

                                objectName: "setup_" + listIdRole
                                text: listTextRole
                                checked: listIsSelectedRole === true
                                interactive: false
                            }
                        }
                    }
                }
            }

            PageRectangle {
                width: content.width - sideColumn.width - content.spacing
                height: Math.max(sideColumn.height, groupsColumn.height + 2 * Style.margin)

                Column {
                    id: groupsColumn

                    x: Style.margin
                    y: Style.margin
                    width: parent.width - 2 * Style.margin
                    spacing: Style.spacing

                    SectionTitle {
                        text: qsTr("Programmgruppen") + TranslationService.updateString
                    }

                    Repeater {
                        objectName: "programGroupsRepeater"
                        model: ProgramPackagesModel

                        delegate: Column {
                            id: groupDelegate

                            required property var listIdRole
                            required property var listTextRole
                            required property var listImageSourceRole

                            objectName: "group_" + listIdRole
                            width: groupsColumn.width
                            spacing: 4

                            Row {
                                spacing: Style.spacing

                                Image {
                                    width: 28
                                    height: 28
                                    sourceSize.width: 56
                                    sourceSize.height: 56
                                    source: groupDelegate.listImageSourceRole ? groupDelegate.listImageSourceRole : ""
                                    asynchronous: true
                                }

                                StandardText {
                                    anchors.verticalCenter: parent.verticalCenter
                                    text: groupDelegate.listTextRole
                                    font.weight: FontStyle.weightBold
                                }
                            }

                            Flow {
                                x: 36
                                width: parent.width - x
                                spacing: Style.spacing

                                Repeater {
                                    model: CopyViewController.getProgramsForPackage(overviewPage.userSetId,
                                                                                   groupDelegate.listIdRole)

                                    delegate: Rectangle {
                                        required property var listTextRole

                                        width: programText.implicitWidth + 2 * Style.spacing
                                        height: 26
                                        radius: 13
                                        color: Style.surfaceAlt
                                        border.width: 1
                                        border.color: Style.border

                                        Text {
                                            id: programText

                                            anchors.centerIn: parent
                                            text: parent.listTextRole
                                            font.family: FontStyle.family
                                            font.pixelSize: FontStyle.small
                                            color: Style.text
                                        }
                                    }
                                }
                            }

                            Item {
                                width: 1
                                height: Style.spacing
                            }
                        }
                    }
                }
            }
        }
    }

    Flow {
        id: actions

        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: Style.margin
        spacing: Style.spacing

        StandardButton {
            id: backButton

            objectName: "backButton"
            text: qsTr("Zurück") + TranslationService.updateString
            focus: true
            onClicked: overviewPage.backRequested()
        }

        StandardButton {
            objectName: "editButton"
            text: qsTr("Bearbeiten") + TranslationService.updateString
            primary: true
            visible: !overviewPage.serverSet
            enabled: overviewPage.localSet && LoginViewController.isAllowedCopyEdit
            onClicked: overviewPage.editRequested()
        }

        StandardButton {
            objectName: "qelo3UploadButton"
            text: qsTr("Auf QELO 3 hochladen") + TranslationService.updateString
            visible: !overviewPage.serverSet
            enabled: overviewPage.localSet && LoginViewController.isAllowedCopyDeviceFiletransfer
                     && NetworkService.isQelo3Connected
            onClicked: overviewPage.uploadToGenerator()
        }

        StandardButton {
            objectName: "serverUploadButton"
            text: qsTr("Auf Server hochladen") + TranslationService.updateString
            visible: !overviewPage.serverSet
            enabled: overviewPage.localSet && LoginViewController.isAllowedCopyServerFiletransfer
                     && NetworkService.isHalvoServerConnected
            onClicked: CopyViewController.halvoServerUploadUserSet(overviewPage.userSetId)
        }

        StandardButton {
            objectName: "serverDownloadButton"
            text: qsTr("In lokale Liste übernehmen") + TranslationService.updateString
            visible: overviewPage.serverSet
            enabled: LoginViewController.isAllowedCopyServerFiletransfer
            onClicked: {
                CopyViewController.halvoServerDownloadUserSet(overviewPage.userSetId)
                overviewPage.backRequested()
            }
        }
    }
}
