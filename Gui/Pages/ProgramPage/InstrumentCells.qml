import QtQuick 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0
import "../../CustomComponents"

// The cells of one instrument or sub-instrument: image, name and type, the
// cut and the coag side (mode and effect, each opens its editor), EVX and
// IRX, the activation, and the row's actions.
Rectangle {
    id: cells

    // The model's row (the role values by name) and its row number.
    property var entry: null
    property int row: -1
    // The same before the row is set: every role reads as undefined.
    readonly property var e: entry ? entry : ({})
    readonly property var instrumentIdRole: entry ? entry.instrumentIdRole : ""
    readonly property var instrumentNameRole: entry ? entry.instrumentNameRole : ""
    readonly property var instrumentTypeRole: entry ? entry.instrumentTypeRole : ""
    readonly property var instrumentTypeDisplayRole: entry ? entry.instrumentTypeDisplayRole : ""
    readonly property var instrumentImageSourceRole: entry ? entry.instrumentImageSourceRole : ""
    readonly property var coagM6CountRole: entry ? entry.coagM6CountRole : 0
    readonly property string instrumentId: instrumentIdRole
    readonly property string displayName: instrumentNameRole ? instrumentNameRole : ""
    readonly property string cutMode: entry && entry.instrumentCutModeRole ? entry.instrumentCutModeRole : ""
    readonly property string coagMode: entry && entry.instrumentCoagModeRole ? entry.instrumentCoagModeRole : ""
    readonly property string cutModeText: entry && entry.instrumentCutModeTextRole ? entry.instrumentCutModeTextRole : ""
    readonly property string coagModeText: entry && entry.instrumentCoagModeTextRole ? entry.instrumentCoagModeTextRole : ""
    readonly property bool marked: entry !== null && entry.instrumentMarkedForDeleteRole === true
    property bool isSub: false
    // Two or more instruments of the level in the shared two-instrument mode.
    readonly property bool sharesCoag: coagMode === "COAG_M6" && coagM6CountRole > 1
    property string levelName: ""
    property bool first: false
    property bool last: false

    signal moveClicked(int step)
    signal dialogRequested(string name, var parameters)

    function openActivation() {
        dialogRequested("InstrumentActivationDialog", [instrumentId, row])
    }

    function chooseMode(cut) {
        const modes = cut ? ProgramViewController.getCutModes(instrumentId) : ProgramViewController.getCoagModes(instrumentId)
        dialogRequested("ModeDialog", [cut ? "cut" : "coag", modes, instrumentId,
                                       (cut ? qsTr("Schneidmodus: %1") : qsTr("Koagulationsmodus: %1")).arg(displayName),
                                       row])
    }

    function chooseRate(kind) {
        dialogRequested("RateDialog", [kind, instrumentId, displayName])
    }

    // The type and the delete mark are arguments only so that the binding
    // asks the controller again when either changes.
    function subInstrumentAddable(id, type, typeDisplay, isMarked) {
        return id !== "" && !isMarked && ProgramViewController.subInstrumentAddButtonEnabled(id)
    }

    function editEffect(cut) {
        ProgramViewController.editBegin(instrumentId, cut ? cutMode : coagMode, row)
        dialogRequested("ValuePicker", [displayName, cut ? cutModeText : coagModeText])
    }

    function editName() {
        if (isSub)
            dialogRequested("RenameInstrumentDialog", [instrumentId, displayName, instrumentTypeRole])
        else
            dialogRequested("EditInstrumentDialog", [instrumentId, displayName, instrumentTypeRole,
                                                     instrumentTypeDisplayRole, instrumentImageSourceRole, levelName])
    }

    // A mode or an effect of one side: a caption and a button with its text.
    component CellButton: Rectangle {
        id: cellButton

        property string text: ""
        property string toolTip: ""

        signal clicked

        width: 150
        height: 26
        radius: Style.radius
        color: cellMouse.containsMouse && enabled ? Style.primaryLight : Style.surfaceAlt
        border.width: activeFocus ? 2 : 0
        border.color: Style.focus
        opacity: enabled ? 1 : 0.5
        activeFocusOnTab: enabled
        Accessible.role: Accessible.Button
        Accessible.name: toolTip + " " + text
        Accessible.onPressAction: clicked()

        Keys.onReturnPressed: function(event) { cellButton.clicked(); event.accepted = true }
        Keys.onEnterPressed: function(event) { cellButton.clicked(); event.accepted = true }
        Keys.onSpacePressed: function(event) { cellButton.clicked(); event.accepted = true }

        Text {
            anchors.fill: parent
            anchors.leftMargin: 6
            anchors.rightMargin: 6
            verticalAlignment: Text.AlignVCenter
            text: cellButton.text
            elide: Text.ElideRight
            font.family: FontStyle.family
            font.pixelSize: FontStyle.small
            color: Style.text
        }

        MouseArea {
            id: cellMouse

            anchors.fill: parent
            hoverEnabled: true
            enabled: cellButton.enabled
            cursorShape: Qt.PointingHandCursor
            onEntered: SharedObjects.resetTimer()
            onClicked: cellButton.clicked()
        }
    }

    component SideCell: Column {
        id: sideCell

        property bool cut: true
        property string caption: ""
        property string modeText: ""
        property string effectText: ""
        property bool off: true

        spacing: 2

        Text {
            text: sideCell.caption
            font.family: FontStyle.family
            font.pixelSize: FontStyle.small
            font.weight: FontStyle.weightBold
            color: Style.textMuted
        }

        CellButton {
            objectName: sideCell.cut ? "cutModeButton" : "coagModeButton"
            text: sideCell.modeText
            toolTip: sideCell.caption
            enabled: !cells.marked
            onClicked: cells.chooseMode(sideCell.cut)
        }

        CellButton {
            objectName: sideCell.cut ? "cutEffectButton" : "coagEffectButton"
            text: sideCell.off ? "\u2013" : qsTr("Effekt %1").arg(sideCell.effectText) + TranslationService.updateString
            toolTip: qsTr("Effekt") + TranslationService.updateString
            enabled: !cells.marked && !sideCell.off
            onClicked: cells.editEffect(sideCell.cut)
        }
    }

    height: 76
    visible: entry !== null
    color: rowMouse.containsMouse ? Style.hover : Style.surface
    Accessible.role: Accessible.ListItem
    Accessible.name: displayName

    MouseArea {
        id: rowMouse

        anchors.fill: parent
        hoverEnabled: true
        onEntered: SharedObjects.resetTimer()
    }

    Row {
        anchors.left: parent.left
        anchors.leftMargin: Style.spacing + (cells.isSub ? 28 : 0)
        anchors.verticalCenter: parent.verticalCenter
        spacing: Style.margin
        opacity: cells.marked ? 0.45 : 1

        Image {
            objectName: "instrumentImage"
            anchors.verticalCenter: parent.verticalCenter
            width: 52
            height: 52
            sourceSize.width: 104
            sourceSize.height: 104
            source: cells.instrumentImageSourceRole ? cells.instrumentImageSourceRole : ""
            asynchronous: true
        }

        Column {
            anchors.verticalCenter: parent.verticalCenter
            width: 200 - (cells.isSub ? 28 : 0)
            spacing: 2

            InteractiveText {
                objectName: "instrumentName"
                width: parent.width
                text: (cells.isSub ? "\u21B3 " : "")
                      + ProgramViewController.limitTextSize(cells.displayName, 26)
                font.weight: FontStyle.weightBold
                font.strikeout: cells.marked
                elide: Text.ElideRight
                enabled: !cells.marked
                onClicked: cells.editName()
            }

            StandardText {
                width: parent.width
                text: cells.instrumentTypeDisplayRole ? cells.instrumentTypeDisplayRole : ""
                elide: Text.ElideRight
                wrapMode: Text.NoWrap
                font.pixelSize: FontStyle.small
                color: Style.textMuted
            }
        }

        SideCell {
            anchors.verticalCenter: parent.verticalCenter
            cut: true
            caption: qsTr("CUT") + TranslationService.updateString
            modeText: cells.cutModeText
            effectText: cells.e.instrumentCutEffectRole ? cells.e.instrumentCutEffectRole : ""
            off: cells.cutMode === "" || cells.cutMode === "CUT_AUS" || effectText === ""
        }

        SideCell {
            anchors.verticalCenter: parent.verticalCenter
            cut: false
            caption: qsTr("COAG") + (cells.sharesCoag ? " \u00B7 " + qsTr("gemeinsam") : "")
                     + TranslationService.updateString
            modeText: cells.coagModeText
            effectText: cells.e.instrumentCoagEffectRole ? cells.e.instrumentCoagEffectRole : ""
            off: cells.coagMode === "" || cells.coagMode === "COAG_AUS" || effectText === ""
        }

        Column {
            anchors.verticalCenter: parent.verticalCenter
            spacing: 4

            Row {
                spacing: 6

                CustomSwitch {
                    id: evxSwitch

                    objectName: "evxSwitch"
                    anchors.verticalCenter: parent.verticalCenter
                    // The value buttons line up below each other.
                    width: Math.max(evxSwitch.implicitWidth, irxSwitch.implicitWidth)
                    text: qsTr("EVX") + TranslationService.updateString
                    checked: cells.e.instrumentEvxEnableRole === true
                    enabled: cells.e.instrumentCanHaveEvxRole === true && !cells.marked
                    onToggled: function(checked) {
                        ProgramViewController.setEvxEnabled(cells.instrumentId, checked, cells.row)
                    }
                }

                CellButton {
                    objectName: "evxValueButton"
                    anchors.verticalCenter: parent.verticalCenter
                    width: 48
                    visible: cells.e.instrumentCanHaveEvxRole === true
                    text: cells.e.instrumentEvxValueRole !== undefined ? cells.e.instrumentEvxValueRole : ""
                    toolTip: qsTr("EVX-Wert") + TranslationService.updateString
                    enabled: !cells.marked
                    onClicked: cells.chooseRate("EVX")
                }
            }

            Row {
                spacing: 6

                CustomSwitch {
                    id: irxSwitch

                    objectName: "irxSwitch"
                    anchors.verticalCenter: parent.verticalCenter
                    width: evxSwitch.width
                    text: qsTr("IRX") + TranslationService.updateString
                    checked: cells.e.instrumentIrxEnableRole === true
                    enabled: !cells.marked
                    onToggled: function(checked) {
                        ProgramViewController.setIrxEnabled(cells.instrumentId, checked, cells.row)
                    }
                }

                CellButton {
                    objectName: "irxValueButton"
                    anchors.verticalCenter: parent.verticalCenter
                    width: 48
                    text: cells.e.instrumentIrxValueRole !== undefined ? cells.e.instrumentIrxValueRole : ""
                    toolTip: qsTr("IRX-Wert") + TranslationService.updateString
                    enabled: !cells.marked
                    onClicked: cells.chooseRate("IRX")
                }
            }
        }

        Rectangle {
            objectName: "activationButton"
            anchors.verticalCenter: parent.verticalCenter
            width: activationImages.width + 8
            height: 40
            radius: Style.radius
            color: activationMouse.containsMouse && enabled ? Style.primaryLight : "transparent"
            border.width: activeFocus ? 2 : 1
            border.color: activeFocus ? Style.focus : Style.border
            enabled: !cells.marked
            activeFocusOnTab: enabled
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Aktivierung") + TranslationService.updateString

            Keys.onReturnPressed: function(event) { cells.openActivation(); event.accepted = true }
            Keys.onSpacePressed: function(event) { cells.openActivation(); event.accepted = true }

            Row {
                id: activationImages

                anchors.centerIn: parent
                spacing: 2

                Repeater {
                    model: [cells.e.instrumentActivationImage1Role, cells.e.instrumentActivationImage2Role,
                            cells.e.instrumentActivationImage3Role].filter(image => image !== undefined && image !== "")

                    delegate: Image {
                        required property var modelData

                        width: 32
                        height: 32
                        sourceSize.width: 64
                        sourceSize.height: 64
                        source: modelData
                        asynchronous: true
                    }
                }
            }

            MouseArea {
                id: activationMouse

                anchors.fill: parent
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                onEntered: SharedObjects.resetTimer()
                onClicked: cells.openActivation()
            }
        }
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: Style.spacing
        anchors.verticalCenter: parent.verticalCenter
        spacing: 0

        RowButton {
            objectName: "moveUpButton"
            visible: !cells.isSub
            glyph: "\u25B2"
            toolTip: qsTr("Nach oben") + TranslationService.updateString
            enabled: !cells.first && !cells.marked
            onClicked: cells.moveClicked(-1)
        }

        RowButton {
            objectName: "moveDownButton"
            visible: !cells.isSub
            glyph: "\u25BC"
            toolTip: qsTr("Nach unten") + TranslationService.updateString
            enabled: !cells.last && !cells.marked
            onClicked: cells.moveClicked(1)
        }

        RowButton {
            objectName: "addSubInstrumentButton"
            glyph: "+"
            toolTip: qsTr("Subinstrument hinzufügen") + TranslationService.updateString
            visible: !cells.isSub
            enabled: cells.subInstrumentAddable(cells.instrumentId, cells.instrumentTypeRole,
                                                cells.instrumentTypeDisplayRole, cells.marked)
            onClicked: cells.dialogRequested("AddSubInstrumentDialog",
                                                     [cells.instrumentId, cells.row])
        }

        RowButton {
            objectName: "deleteInstrumentButton"
            glyph: cells.marked ? "\u21BA" : "\u2715"
            toolTip: (cells.marked ? qsTr("Behalten") : qsTr("Zum Löschen markieren"))
                     + TranslationService.updateString
            onClicked: ProgramViewController.markForDeleteInstrument(cells.instrumentId, !cells.marked,
                                                                     cells.row)
        }
    }

    Rectangle {
        anchors.bottom: parent.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        height: 1
        color: Style.border
    }
}
