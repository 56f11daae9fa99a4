import QtQuick 2.15
import QtQuick.Controls.Basic 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// The parameters of the mode being edited (the page began the edit): each
// within the limits the model gives. OK writes them into the set, cancel
// leaves the set as it was.
DialogBase {
    id: valuePicker

    property string instrumentName: ""
    property string modeName: ""
    readonly property var modeModel: ProgramViewController.getModeModel()
    // The model's "valueRole".
    readonly property int valueRoleNumber: 263
    readonly property alias rows: rows

    function format(value, decimals) {
        return decimals > 0 ? Number(value).toFixed(decimals) : String(Math.round(value))
    }

    function store(row, value) {
        modeModel.setData(modeModel.index(row, 0), value, valueRoleNumber)
    }

    objectName: "ValuePicker"
    title: instrumentName + " \u00B7 " + modeName
    acceptText: qsTr("Übernehmen") + TranslationService.updateString
    cardWidth: 520

    Component.onCompleted: if (rows.count > 0) rows.itemAt(0).control.forceActiveFocus()

    onFinished: function(accepted, result) {
        if (accepted)
            ProgramViewController.editSave()
        else
            ProgramViewController.editCancel()
    }

    Repeater {
        id: rows

        model: valuePicker.modeModel

        delegate: Column {
            id: parameter

            required property int index
            required property var titleRole
            required property var minValueRole
            required property var maxValueRole
            required property var stepSizeRole
            required property var decimalsRole
            required property var valueRole
            required property var isSwitchRole
            property real value: Number(valueRole)
            readonly property Item control: isSwitchRole === true ? switchControl : slider

            function set(newValue) {
                const step = Number(stepSizeRole) > 0 ? Number(stepSizeRole) : 1
                const bounded = Math.max(Number(minValueRole), Math.min(Number(maxValueRole), newValue))
                value = Number((Math.round((bounded - Number(minValueRole)) / step) * step
                                + Number(minValueRole)).toFixed(Number(decimalsRole)))
                valuePicker.store(index, value)
            }

            objectName: "parameter_" + index
            width: parent.width
            spacing: 2

            Row {
                width: parent.width
                spacing: Style.spacing

                StandardText {
                    width: parent.width - valueText.width - Style.spacing
                    text: parameter.titleRole
                    font.weight: FontStyle.weightBold
                }

                StandardText {
                    id: valueText

                    objectName: "valueText"
                    visible: parameter.isSwitchRole !== true
                    text: valuePicker.format(parameter.value, Number(parameter.decimalsRole))
                }
            }

            CustomSwitch {
                id: switchControl

                objectName: "valueSwitch"
                visible: parameter.isSwitchRole === true
                text: (parameter.value >= 1 ? qsTr("EIN") : qsTr("AUS")) + TranslationService.updateString
                checked: parameter.value >= 1
                onToggled: function(checked) { parameter.set(checked ? 1 : 0) }
            }

            Row {
                visible: parameter.isSwitchRole !== true
                width: parent.width
                spacing: Style.spacing

                StandardButton {
                    objectName: "decreaseButton"
                    implicitWidth: 40
                    text: "\u2212"
                    activeFocusOnTab: false
                    enabled: parameter.value > Number(parameter.minValueRole)
                    onClicked: parameter.set(parameter.value - Number(parameter.stepSizeRole))
                }

                Slider {
                    id: slider

                    objectName: "valueSlider"
                    width: parent.width - 2 * 40 - 2 * Style.spacing
                    anchors.verticalCenter: parent.verticalCenter
                    from: Number(parameter.minValueRole)
                    to: Number(parameter.maxValueRole)
                    stepSize: Number(parameter.stepSizeRole)
                    value: parameter.value
                    activeFocusOnTab: true
                    onMoved: parameter.set(value)
                }

                StandardButton {
                    objectName: "increaseButton"
                    implicitWidth: 40
                    text: "+"
                    activeFocusOnTab: false
                    enabled: parameter.value < Number(parameter.maxValueRole)
                    onClicked: parameter.set(parameter.value + Number(parameter.stepSizeRole))
                }
            }
        }
    }
}
