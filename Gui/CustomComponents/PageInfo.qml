import QtQuick 2.15
import Style 1.0
import FontStyle 1.0

// A centred notice with a picture, a headline and an explanation.
Column {
    id: pageInfo

    property alias iconSource: icon.source
    property alias headline: headlineText.text
    property alias message: messageText.text

    spacing: Style.margin
    width: 420

    Image {
        id: icon

        anchors.horizontalCenter: parent.horizontalCenter
        width: 72
        height: 72
        sourceSize.width: 144
        sourceSize.height: 144
        // Decoded off the GUI thread, so the first frame does not wait for it.
        asynchronous: true
        opacity: 0.8
        visible: source != ""
    }

    Text {
        id: headlineText

        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        font.family: FontStyle.family
        font.pixelSize: FontStyle.large
        font.weight: FontStyle.weightBold
        color: Style.text
        wrapMode: Text.WordWrap
    }

    Text {
        id: messageText

        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        font.family: FontStyle.family
        font.pixelSize: FontStyle.normal
        color: Style.textMuted
        wrapMode: Text.WordWrap
    }
}
