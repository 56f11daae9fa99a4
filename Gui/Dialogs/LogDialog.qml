import QtQuick 2.15
import QtQuick.Controls.Basic 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// The application log, for service staff who know how to open it.
DialogBase {
    id: logDialog

    property var lines: LoginViewController.getLogfile()

    objectName: "LogDialog"
    title: qsTr("Protokoll") + TranslationService.updateString
    cardWidth: 960
    acceptText: qsTr("Schließen") + TranslationService.updateString
    cancelVisible: false

    Row {
        width: parent.width
        spacing: Style.margin

        StandardButton {
            objectName: "clearButton"
            text: qsTr("Protokoll leeren") + TranslationService.updateString
            onClicked: {
                LoginViewController.clearLogfile()
                logDialog.lines = LoginViewController.getLogfile()
            }
        }

        StandardText {
            objectName: "lineCount"
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("%n Zeile(n)", "", logDialog.lines.length) + TranslationService.updateString
            color: Style.textMuted
            font.pixelSize: FontStyle.small
        }
    }

    Rectangle {
        width: parent.width
        height: Math.max(200, logDialog.height - 260)
        color: Style.surfaceAlt
        radius: Style.radius

        ListView {
            id: logView

            objectName: "logView"
            anchors.fill: parent
            anchors.margins: Style.spacing
            clip: true
            model: logDialog.lines
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}
            Component.onCompleted: positionViewAtEnd()

            delegate: Text {
                required property string modelData

                width: logView.width - 12
                text: modelData
                font.family: "DejaVu Sans Mono"
                font.pixelSize: FontStyle.small
                color: Style.text
                wrapMode: Text.WrapAnywhere
                textFormat: Text.PlainText
            }
        }
    }
}
