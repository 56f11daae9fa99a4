import QtQuick 2.15
import Style 1.0
import FontStyle 1.0

// Body text in the application's type and colour.
Text {
    id: standardText

    font.family: FontStyle.family
    font.pixelSize: FontStyle.normal
    color: Style.text
    wrapMode: Text.WordWrap
    textFormat: Text.PlainText
}
