import QtQuick 2.15
import "../CustomComponents"

// A header and a message handed over by the caller.
DialogBase {
    id: informationDialog

    property string header: ""
    property string message: ""

    objectName: "InformationDialog"
    title: header
    cancelVisible: false

    StandardText {
        objectName: "message"
        width: parent.width
        text: informationDialog.message
    }
}
