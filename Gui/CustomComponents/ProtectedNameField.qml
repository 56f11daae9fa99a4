import QtQuick 2.15
import Style 1.0
import FontStyle 1.0

// A name of a fixed (protected) part and an editable rest, joined by "®":
// the fixed part is shown in front of the field and cannot be changed.
Column {
    id: protectedNameField

    // The full name to start from.
    property string fullName: ""
    property alias label: input.label
    property alias fieldName: input.fieldName
    property alias field: input.field
    property alias tabTarget: input.tabTarget
    readonly property string protectedPart: parts.length === 2 ? parts[0] : ""
    readonly property string editablePart: input.text.replace(/\u00AE/g, "").trim()
    // The full name as it is written back.
    readonly property string name: protectedPart !== "" ? protectedPart + "\u00AE" + editablePart : editablePart
    readonly property var parts: fullName.split("\u00AE")

    signal accepted

    spacing: 4
    onFullNameChanged: input.text = parts.length === 2 ? parts[1] : (parts.length === 1 ? fullName : "")

    InputField {
        id: input

        width: protectedNameField.width
        onAccepted: protectedNameField.accepted()
    }

    Text {
        objectName: "protectedPart"
        width: protectedNameField.width
        visible: protectedNameField.protectedPart !== ""
        text: qsTr("Fester Namensteil: %1").arg(protectedNameField.protectedPart) + TranslationService.updateString
        font.family: FontStyle.family
        font.pixelSize: FontStyle.small
        color: Style.textMuted
        elide: Text.ElideRight
    }
}
