import QtQuick 2.15
import Style 1.0
import FontStyle 1.0

// The small capitals title of a card.
Text {
    font.family: FontStyle.family
    font.pixelSize: FontStyle.small
    font.weight: FontStyle.weightBold
    font.capitalization: Font.AllUppercase
    font.letterSpacing: 0.8
    color: Style.textMuted
}
