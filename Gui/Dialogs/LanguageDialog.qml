import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// Chooses the language of the user interface. The switch takes effect at
// once, so the dialog itself shows the new texts before it closes.
DialogBase {
    id: languageDialog

    objectName: "LanguageDialog"
    title: qsTr("Sprache") + TranslationService.updateString
    acceptVisible: false
    cancelText: qsTr("Schließen") + TranslationService.updateString
    cardWidth: 360

    Repeater {
        model: TranslationService.languages

        delegate: Rectangle {
            id: languageRow

            required property string modelData
            readonly property bool current: modelData === TranslationService.currentLanguage

            objectName: "language_" + modelData
            width: parent ? parent.width : 0
            height: 44
            radius: Style.radius
            color: current ? Style.primaryLight : (rowMouse.containsMouse || activeFocus ? Style.hover : "transparent")
            border.width: activeFocus ? 2 : 0
            border.color: Style.focus
            activeFocusOnTab: true
            Accessible.role: Accessible.RadioButton
            Accessible.name: modelData
            Accessible.checked: current

            function choose() {
                SettingsService.setLanguage(modelData)
            }

            Keys.onReturnPressed: function(event) { choose(); event.accepted = true }
            Keys.onSpacePressed: function(event) { choose(); event.accepted = true }

            Text {
                anchors.left: parent.left
                anchors.leftMargin: Style.margin
                anchors.verticalCenter: parent.verticalCenter
                text: languageRow.modelData
                font.family: FontStyle.family
                font.pixelSize: FontStyle.medium
                font.weight: languageRow.current ? FontStyle.weightBold : FontStyle.weightNormal
                color: Style.text
            }

            Text {
                anchors.right: parent.right
                anchors.rightMargin: Style.margin
                anchors.verticalCenter: parent.verticalCenter
                visible: languageRow.current
                text: "\u2713"
                font.pixelSize: FontStyle.large
                color: Style.primary
            }

            MouseArea {
                id: rowMouse

                anchors.fill: parent
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                onClicked: languageRow.choose()
            }
        }
    }
}
