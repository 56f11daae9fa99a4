import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// How an instrument is activated: one of the switch and pedal kinds, plus
// automatic stop where the mode has it. The choice is written only on OK.
DialogBase {
    id: activationDialog

    property string instrumentId: ""
    property int row: -1
    property var items: instrumentId === "" ? null : ProgramViewController.getActivationMenuItems(instrumentId)
    // The chosen state per activation id, starting from the instrument's.
    property var chosen: ({})
    property var initial: ({})
    // Bits that combine with the others: the finger switch follows from the
    // instrument, automatic stop goes with any.
    readonly property var independent: ["ACTIVATION_HAND", "ACTIVATION_AUTOSTOP"]

    function label(id) {
        switch (id) {
        case "ACTIVATION_HAND": return qsTr("Fingerschalter")
        case "ACTIVATION_1FUSS": return qsTr("Fußschalter, ein Pedal")
        case "ACTIVATION_2FUSS": return qsTr("Fußschalter, zwei Pedale")
        case "ACTIVATION_2FUSS_CUT": return qsTr("Zwei Pedale, nur CUT")
        case "ACTIVATION_2FUSS_COAG": return qsTr("Zwei Pedale, nur COAG")
        case "ACTIVATION_AUTOSTART": return qsTr("Autostart")
        case "ACTIVATION_AUTOSTOP": return qsTr("Autostop")
        }
        return id
    }

    function toggle(id) {
        const next = Object.assign({}, chosen)
        next[id] = !chosen[id]
        if (next[id] && independent.indexOf(id) < 0) {
            for (const other in next) {
                if (other !== id && independent.indexOf(other) < 0)
                    next[other] = false
            }
        }
        chosen = next
    }

    // Switched off first, so that the one switched on is not cleared again.
    function apply() {
        for (const pass of [false, true]) {
            for (const id in chosen) {
                if (chosen[id] === pass && initial[id] !== pass)
                    ProgramViewController.setActivationModeSelected(instrumentId, id, pass, row)
            }
        }
    }

    objectName: "InstrumentActivationDialog"
    title: qsTr("Aktivierung") + TranslationService.updateString

    onFinished: function(accepted, result) {
        if (accepted)
            apply()
    }

    Repeater {
        id: rows

        model: activationDialog.items
        onCountChanged: {
            const state = {}
            for (let i = 0; i < count; ++i)
                state[itemAt(i).activationId] = itemAt(i).initiallySelected
            activationDialog.initial = state
            activationDialog.chosen = Object.assign({}, state)
            if (count > 0)
                itemAt(0).option.forceActiveFocus()
        }

        delegate: Row {
            required property var listIdRole
            required property var listImageSourceRole
            required property var listIsSelectedRole
            readonly property string activationId: listIdRole
            readonly property bool initiallySelected: listIsSelectedRole === true
            readonly property alias option: option

            spacing: Style.spacing

            Image {
                anchors.verticalCenter: parent.verticalCenter
                width: 32
                height: 32
                sourceSize.width: 64
                sourceSize.height: 64
                source: listImageSourceRole ? listImageSourceRole : ""
                asynchronous: true
            }

            CheckOption {
                id: option

                objectName: "activation_" + listIdRole
                anchors.verticalCenter: parent.verticalCenter
                text: activationDialog.label(listIdRole) + TranslationService.updateString
                checked: activationDialog.chosen[listIdRole] === true
                onToggled: {
                    activationDialog.toggle(listIdRole)
                    checked = Qt.binding(() => activationDialog.chosen[listIdRole] === true)
                }
            }
        }
    }

    StandardText {
        width: parent.width
        visible: rows.count === 0
        text: qsTr("Für dieses Instrument ist keine Aktivierung wählbar.") + TranslationService.updateString
        color: Style.textMuted
    }
}
