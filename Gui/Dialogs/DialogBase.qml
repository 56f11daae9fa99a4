import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// The frame of every dialog: a scrim over the window and a card with title,
// content and the accept and cancel buttons. Enter accepts, Escape cancels.
// A dialog never closes itself: it reports `finished` and the window's
// dialog host unloads it and runs the follow-up action.
FocusScope {
    id: dialogBase

    property string title: ""
    property string acceptText: qsTr("OK") + TranslationService.updateString
    property string cancelText: qsTr("Abbrechen") + TranslationService.updateString
    property bool acceptVisible: true
    property bool cancelVisible: true
    property bool acceptEnabled: true
    // Escape and a click beside the card cancel; dialogs that must be
    // answered switch this off.
    property bool cancelAllowed: true
    property bool closeWhenBackgroundClicked: true
    // Escape cancels; a dialog whose cancel loses data answers it only by
    // its button.
    property bool escapeCancels: true
    property var dialogResult: undefined
    property int cardWidth: Style.dialogWidth
    // "center", or "bottomLeft" / "bottomRight" for the bubbles that point
    // at the menu bar.
    property string placement: "center"
    readonly property bool bubble: placement !== "center"
    readonly property alias card: card
    readonly property alias acceptButton: acceptButton
    readonly property alias cancelButton: cancelButton
    default property alias content: contentColumn.data

    signal finished(bool accepted, var result)
    signal requestDialog(string name, var parameters)
    signal requestCloseWindow

    function accept(result) {
        if (!acceptEnabled)
            return
        finished(true, result === undefined ? dialogResult : result)
    }

    function cancel() {
        if (cancelAllowed)
            finished(false, undefined)
    }

    focus: true
    Component.onCompleted: forceActiveFocus()

    Keys.onEscapePressed: function(event) { event.accepted = true; if (escapeCancels) cancel() }
    Keys.onReturnPressed: function(event) { event.accepted = true; accept() }
    Keys.onEnterPressed: function(event) { event.accepted = true; accept() }

    Rectangle {
        id: scrim

        anchors.fill: parent
        color: dialogBase.bubble ? "transparent" : Style.scrim

        MouseArea {
            anchors.fill: parent
            onClicked: if (dialogBase.closeWhenBackgroundClicked) dialogBase.cancel()
        }
    }

    // A soft shadow lifts the card off the page.
    Rectangle {
        x: card.x + 1
        y: card.y + 4
        width: card.width
        height: card.height
        radius: card.radius
        color: "#26172B3A"
    }

    Rectangle {
        id: card

        width: Math.min(dialogBase.cardWidth, dialogBase.width - 2 * Style.margin)
        height: Math.min(layout.implicitHeight + 2 * Style.margin * 1.5, dialogBase.height - 2 * Style.margin)
        x: dialogBase.placement === "bottomLeft" ? Style.spacing
         : dialogBase.placement === "bottomRight" ? dialogBase.width - width - Style.spacing
         : (dialogBase.width - width) / 2
        y: dialogBase.bubble ? dialogBase.height - Style.menuBarHeight - height - Style.spacing
                             : (dialogBase.height - height) / 2
        radius: Style.radius * 1.5
        color: Style.surface
        border.width: 1
        border.color: Style.border
        clip: true

        // Clicks on the card must not reach the scrim.
        MouseArea {
            anchors.fill: parent
        }

        Column {
            id: layout

            anchors.fill: parent
            anchors.margins: Style.margin * 1.5
            spacing: Style.margin

            Text {
                id: titleText

                width: parent.width
                visible: text !== ""
                text: dialogBase.title
                font.family: FontStyle.family
                font.pixelSize: FontStyle.large
                font.weight: FontStyle.weightBold
                color: Style.text
                wrapMode: Text.WordWrap
            }

            Column {
                id: contentColumn

                width: parent.width
                spacing: Style.spacing
            }

            Row {
                id: buttons

                x: parent.width - width
                spacing: Style.spacing
                visible: cancelButton.visible || acceptButton.visible

                StandardButton {
                    id: cancelButton

                    objectName: "cancelButton"
                    visible: dialogBase.cancelVisible
                    text: dialogBase.cancelText
                    onClicked: dialogBase.cancel()
                }

                StandardButton {
                    id: acceptButton

                    objectName: "acceptButton"
                    visible: dialogBase.acceptVisible
                    enabled: dialogBase.acceptEnabled
                    primary: true
                    text: dialogBase.acceptText
                    onClicked: dialogBase.accept()
                }
            }
        }
    }
}
