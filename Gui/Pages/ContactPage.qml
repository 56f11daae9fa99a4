import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// The Contact module: the service-centre directory with the chosen centre's
// details, and the way to a support message with the generator's data.
ModulePage {
    id: contactPage

    readonly property bool mayWrite: typeof LoginViewController === "undefined"
                                     || LoginViewController.isAllowedContactMessage
    readonly property int outboxCount: typeof Outbox === "undefined" ? 0 : Outbox.outboxCount

    function selectedRowId() {
        const row = ContactViewController.selectedServiceCenterIndex
        return row < 0 ? "" : serviceCenterList.model.data(serviceCenterList.model.index(row, 0), 257)
    }

    function startMail() {
        if (!CommunicationController.isQelo3Connected) {
            requestDialog("Qelo3ConnectionDialog", "")
            return
        }
        ContactViewController.getQelo3Data()
        requestDialog("ContactProgressDialog", "")
    }

    objectName: "ContactPage"
    title: qsTr("Contact") + TranslationService.updateString
    subtitle: qsTr("Service-Center und Support-Nachrichten") + TranslationService.updateString
    iconSource: "qrc:/Resources/Images/module_contact.png"

    Item {
        id: directory

        anchors.fill: parent
        anchors.margins: Style.margin * 1.5
        visible: !ContactViewController.showMailPage

        Rectangle {
            id: listPane

            width: Math.min(380, parent.width * 0.4)
            anchors.top: parent.top
            anchors.bottom: parent.bottom
            radius: Style.radius
            color: Style.surface
            border.color: Style.border

            StandardText {
                id: listTitle

                x: Style.margin
                y: Style.margin
                text: qsTr("Service-Center") + TranslationService.updateString
                font.weight: FontStyle.weightBold
            }

            InteractiveText {
                objectName: "sortLink"
                anchors.right: parent.right
                anchors.rightMargin: Style.margin
                anchors.verticalCenter: listTitle.verticalCenter
                text: qsTr("Sortieren") + TranslationService.updateString
                onClicked: contactPage.requestDialog("ContactSortDialog", "")
            }

            ListView {
                id: serviceCenterList

                objectName: "ServiceCenterList"
                anchors.top: listTitle.bottom
                anchors.topMargin: Style.spacing
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                anchors.margins: 1
                clip: true
                focus: true
                activeFocusOnTab: true
                keyNavigationEnabled: true
                model: ServiceCenterListModel
                currentIndex: ContactViewController.selectedServiceCenterIndex
                onCurrentIndexChanged: {
                    if (currentIndex >= 0 && currentIndex !== ContactViewController.selectedServiceCenterIndex)
                        ContactViewController.setSelectedServiceCenterIndex(currentIndex)
                }
                Accessible.role: Accessible.List
                Accessible.name: listTitle.text

                delegate: Rectangle {
                    id: row

                    readonly property bool current: ListView.isCurrentItem

                    width: serviceCenterList.width
                    height: 44
                    color: current ? Style.primaryLight : (rowMouse.containsMouse ? Style.hover : "transparent")

                    Rectangle {
                        visible: row.current
                        width: 4
                        height: parent.height
                        color: serviceCenterList.activeFocus ? Style.focus : Style.primary
                    }

                    StandardText {
                        anchors.left: parent.left
                        anchors.leftMargin: Style.margin
                        anchors.right: defaultMark.left
                        anchors.verticalCenter: parent.verticalCenter
                        text: listTextRole
                        elide: Text.ElideRight
                        wrapMode: Text.NoWrap
                        font.weight: row.current ? FontStyle.weightBold : Font.Normal
                    }

                    Text {
                        id: defaultMark

                        anchors.right: parent.right
                        anchors.rightMargin: Style.margin
                        anchors.verticalCenter: parent.verticalCenter
                        visible: listIsSelectedRole
                        text: "\u2605"
                        font.pixelSize: FontStyle.large
                        color: Style.warning
                        Accessible.name: qsTr("Standard-Center") + TranslationService.updateString
                    }

                    MouseArea {
                        id: rowMouse

                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: {
                            serviceCenterList.forceActiveFocus()
                            ContactViewController.setSelectedServiceCenterIndex(index)
                        }
                    }
                }

                StandardText {
                    anchors.centerIn: parent
                    width: parent.width - 2 * Style.margin
                    visible: serviceCenterList.count === 0
                    horizontalAlignment: Text.AlignHCenter
                    color: Style.textMuted
                    text: qsTr("Für Ihr Benutzerkonto ist kein Service-Center hinterlegt.") + TranslationService.updateString
                }
            }
        }

        Rectangle {
            id: detailPane

            objectName: "ServiceCenterDetails"
            anchors.left: listPane.right
            anchors.leftMargin: Style.margin
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.bottom: parent.bottom
            radius: Style.radius
            color: Style.surface
            border.color: Style.border

            Column {
                anchors.fill: parent
                anchors.margins: Style.margin * 1.5
                spacing: Style.spacing
                visible: ContactViewController.isServiceCenterSelected

                StandardText {
                    width: parent.width
                    text: ContactViewController.organization
                    font.pixelSize: FontStyle.large
                    font.weight: FontStyle.weightBold
                }

                StandardText {
                    width: parent.width
                    text: [ContactViewController.address1, ContactViewController.address2,
                           ContactViewController.zip + " " + ContactViewController.city,
                           ContactViewController.country].filter(function(part) { return part.trim() !== "" }).join("\n")
                }

                Grid {
                    columns: 2
                    columnSpacing: Style.margin
                    rowSpacing: 6

                    StandardText { text: qsTr("Telefon:") + TranslationService.updateString; color: Style.textMuted }
                    StandardText { text: ContactViewController.phone }
                    StandardText { text: qsTr("Fax:") + TranslationService.updateString; color: Style.textMuted }
                    StandardText { text: ContactViewController.fax }
                    StandardText { text: qsTr("Web:") + TranslationService.updateString; color: Style.textMuted }
                    InteractiveText {
                        objectName: "webLink"
                        text: ContactViewController.web
                        onClicked: ContactViewController.openHtmlLink()
                    }
                    StandardText { text: qsTr("E-Mail:") + TranslationService.updateString; color: Style.textMuted }
                    InteractiveText {
                        objectName: "mailLink"
                        text: ContactViewController.email
                        onClicked: ContactViewController.openMailAdress()
                    }
                    StandardText { text: qsTr("Sprachen:") + TranslationService.updateString; color: Style.textMuted }
                    StandardText { text: ContactViewController.languages }
                    StandardText { text: qsTr("Erreichbarkeit:") + TranslationService.updateString; color: Style.textMuted }
                    StandardText {
                        text: [ContactViewController.reachability1Days + "  " + ContactViewController.reachability1Hours,
                               ContactViewController.reachability2Days + "  " + ContactViewController.reachability2Hours]
                              .filter(function(line) { return line.trim() !== "" }).join("\n")
                    }
                }

                Item { width: 1; height: Style.margin }

                Flow {
                    width: parent.width
                    spacing: Style.spacing

                    StandardButton {
                        objectName: "defaultButton"
                        text: qsTr("Als Standard-Center festlegen") + TranslationService.updateString
                        enabled: ContactViewController.selectedServiceCenterIndex
                                 !== ContactViewController.getIndexForDefaultServiceCenter()
                        onClicked: ContactViewController.setDefaultServiceCenter(contactPage.selectedRowId())
                    }

                    StandardButton {
                        objectName: "writeMailButton"
                        primary: true
                        visible: contactPage.mayWrite
                        text: qsTr("Support-Nachricht schreiben") + TranslationService.updateString
                        onClicked: contactPage.startMail()
                    }
                }
            }

            StandardText {
                anchors.centerIn: parent
                visible: !ContactViewController.isServiceCenterSelected
                color: Style.textMuted
                text: qsTr("Wählen Sie ein Service-Center aus der Liste.") + TranslationService.updateString
            }

            InteractiveText {
                objectName: "outboxLink"
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                anchors.margins: Style.margin
                visible: contactPage.outboxCount > 0
                text: (contactPage.outboxCount === 1 ? qsTr("Eine Nachricht im Postausgang")
                                                     : qsTr("%1 Nachrichten im Postausgang").arg(contactPage.outboxCount))
                      + TranslationService.updateString
                onClicked: contactPage.requestDialog("BubbleDialogOutbox", [x, y])
            }
        }
    }

    // The message form is built the first time it is needed.
    Loader {
        id: mailPageLoader

        anchors.fill: parent
        active: ContactViewController.showMailPage
        source: "ContactPage/ContactMailPage.qml"
    }

    Connections {
        target: mailPageLoader.item
        ignoreUnknownSignals: true

        function onRequestDialog(name, parameters) {
            contactPage.requestDialog(name, parameters)
        }
    }
}
