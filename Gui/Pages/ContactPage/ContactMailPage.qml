import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../../CustomComponents"

// The support message: who writes, about what, and the generator's data that
// goes with it. Sent through the server, or kept in the outbox for later.
Rectangle {
    id: mailPage

    readonly property bool busy: MailService.isBusy
    readonly property bool tooBig: ContactViewController.isMailTooBig()
    readonly property bool complete: subjectField.text.trim() !== "" && descriptionEdit.text.trim() !== ""
    readonly property bool modified: hospitalField.text !== "" || nameField.text !== "" || phoneField.text !== ""
                                     || subjectField.text !== "" || descriptionEdit.text !== ""
    property bool sentOnline: false

    signal requestDialog(string name, var parameters)

    function write(online) {
        sentOnline = online
        const args = [hospitalField.text, nameField.text, phoneField.text, subjectField.text, descriptionEdit.text]
        const written = online ? ContactViewController.sendSupportEmail(args[0], args[1], args[2], args[3], args[4])
                               : ContactViewController.writeToOutbox(args[0], args[1], args[2], args[3], args[4])
        if (!written)
            requestDialog("ContactErrorSendMailDialog", "")
    }

    objectName: "ContactMailPage"
    color: Style.background
    Component.onCompleted: hospitalField.field.forceActiveFocus()

    Connections {
        target: MailService

        function onIsBusyChanged(isOutbox, isError) {
            if (MailService.isBusy)
                return
            if (isError && mailPage.sentOnline && isOutbox && !MailService.isAvailable)
                mailPage.requestDialog("ContactServerConnectionDialog", "")
            else if (isError)
                mailPage.requestDialog("ContactErrorSendMailDialog", "")
            else
                mailPage.requestDialog("InformationDialog",
                                       [qsTr("Support-Nachricht"),
                                        isOutbox ? qsTr("Die Nachricht liegt im Postausgang.")
                                                 : qsTr("Die Nachricht wurde gesendet.")])
            if (!isError || isOutbox)
                ContactViewController.setShowMailPage(false)
        }
    }

    Rectangle {
        anchors.fill: parent
        anchors.margins: Style.margin * 1.5
        radius: Style.radius
        color: Style.surface
        border.color: Style.border

        Column {
            id: form

            anchors.fill: parent
            anchors.margins: Style.margin * 1.5
            spacing: Style.spacing

            StandardText {
                width: parent.width
                text: qsTr("Nachricht an %1").arg(ContactViewController.organization) + TranslationService.updateString
                font.pixelSize: FontStyle.large
                font.weight: FontStyle.weightBold
            }

            StandardText {
                width: parent.width
                color: mailPage.tooBig ? Style.error : Style.textMuted
                text: (mailPage.tooBig
                       ? qsTr("Die Gerätedaten sind zu groß für eine Nachricht. Exportieren Sie sie und senden Sie sie auf anderem Weg.")
                       : qsTr("Anwenderset und Ereignisprotokolle des QELO 3 werden angehängt.")) + TranslationService.updateString
            }

            Row {
                width: parent.width
                spacing: Style.margin

                InputField {
                    id: hospitalField

                    width: (parent.width - 2 * Style.margin) / 3
                    fieldName: "hospital"
                    label: qsTr("Klinik") + TranslationService.updateString
                    tabTarget: nameField.field
                }

                InputField {
                    id: nameField

                    width: hospitalField.width
                    fieldName: "senderName"
                    label: qsTr("Name") + TranslationService.updateString
                    tabTarget: phoneField.field
                    backtabTarget: hospitalField.field
                }

                InputField {
                    id: phoneField

                    width: hospitalField.width
                    fieldName: "senderPhone"
                    label: qsTr("Telefon") + TranslationService.updateString
                    tabTarget: subjectField.field
                    backtabTarget: nameField.field
                }
            }

            InputField {
                id: subjectField

                width: parent.width
                fieldName: "subject"
                label: qsTr("Betreff") + TranslationService.updateString
                tabTarget: descriptionEdit
                backtabTarget: phoneField.field
            }

            StandardText {
                text: qsTr("Beschreibung des Problems") + TranslationService.updateString
                font.pixelSize: FontStyle.small
                color: Style.textMuted
            }

            Rectangle {
                width: parent.width
                height: Math.max(120, form.height - y - buttons.height - Style.margin)
                radius: Style.radius
                color: Style.surface
                border.width: descriptionEdit.activeFocus ? 2 : 1
                border.color: descriptionEdit.activeFocus ? Style.focus : Style.border

                Flickable {
                    id: descriptionFlick

                    anchors.fill: parent
                    anchors.margins: 12
                    contentHeight: descriptionEdit.paintedHeight
                    clip: true

                    TextEdit {
                        id: descriptionEdit

                        objectName: "problemDescription"
                        width: descriptionFlick.width
                        wrapMode: TextEdit.Wrap
                        font.family: FontStyle.family
                        font.pixelSize: FontStyle.normal
                        color: Style.text
                        selectByMouse: true
                        activeFocusOnTab: true
                        Accessible.role: Accessible.EditableText
                        Accessible.name: qsTr("Beschreibung des Problems")
                        KeyNavigation.priority: KeyNavigation.BeforeItem
                        KeyNavigation.tab: sendButton
                        KeyNavigation.backtab: subjectField.field
                    }
                }
            }

            Row {
                id: buttons

                x: parent.width - width
                spacing: Style.spacing

                StandardButton {
                    objectName: "backButton"
                    text: qsTr("Zurück") + TranslationService.updateString
                    enabled: !mailPage.busy
                    onClicked: ContactViewController.setShowMailPage(false)
                }

                StandardButton {
                    objectName: "exportButton"
                    text: qsTr("Exportieren") + TranslationService.updateString
                    enabled: !mailPage.busy
                    onClicked: ContactViewController.exportData()
                }

                StandardButton {
                    objectName: "outboxButton"
                    text: qsTr("In den Postausgang") + TranslationService.updateString
                    enabled: !mailPage.busy && mailPage.complete && !mailPage.tooBig
                    onClicked: mailPage.write(false)
                }

                StandardButton {
                    id: sendButton

                    objectName: "sendButton"
                    primary: true
                    text: (mailPage.busy ? qsTr("Wird gesendet …") : qsTr("Senden")) + TranslationService.updateString
                    enabled: !mailPage.busy && mailPage.complete && !mailPage.tooBig
                    onClicked: mailPage.write(true)
                }
            }
        }
    }
}
