import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../../CustomComponents"

// The events of the selected log, with the filters by event type, date and
// description. Rows have one fixed height and are reused, so a log of
// millions of events scrolls smoothly.
Rectangle {
    id: flexList

    readonly property var fileService: ChronoViewController.fileService
    readonly property var keywords: ["NOTE_MSG", "HF_STA", "APC_STA", "EVX_STA", "HF_STO", "ERR_MSG", "NEW_SOC",
        "UI_WLAN", "UI_APCFLOW", "UI_EVXFLOW", "P_ON", "P_OFF", "L_RESET", "UI_CUTMODE", "UI_CUTEFFEKT",
        "UI_COAGMODE", "UI_COAGEFFEKT", "UI_AKTI", "UI_INFO", "UI_EXCEPTION", "UI_PEDAL", "UI_NOTE",
        "UI_CUTM4DAUER", "UI_CUTM4INTERVAL", "NM_TELE1", "NM_TELE2"]
    property var selectedKeywords: ({})
    property int selectedCount: keywords.length
    readonly property int typeWidth: 118
    readonly property int dateWidth: 78
    readonly property int timeWidth: 88

    function colorFor(keyword) {
        if (keyword === "ERR_MSG")
            return Style.error
        if (keyword === "NOTE_MSG" || keyword === "UI_EXCEPTION")
            return Style.warning
        if (keyword === "HF_STA" || keyword === "HF_STO" || keyword === "APC_STA" || keyword === "EVX_STA")
            return Style.primary
        if (keyword === "P_ON" || keyword === "P_OFF" || keyword === "L_RESET")
            return Style.accent
        if (keyword === "UNDEFINED" || keyword === "")
            return Style.textDisabled
        return Style.focus
    }

    function applyEventFilter() {
        const chosen = keywords.filter(k => selectedKeywords[k] !== false)
        selectedCount = chosen.length
        fileService.setFlexEventFilter(chosen.length === 0 ? "UNDEFINED" : chosen.join("|"))
    }

    function toggleKeyword(keyword) {
        const copy = Object.assign({}, selectedKeywords)
        copy[keyword] = selectedKeywords[keyword] === false
        selectedKeywords = copy
        applyEventFilter()
    }

    function selectAll(on) {
        const copy = {}
        for (const k of keywords)
            copy[k] = on
        selectedKeywords = copy
        applyEventFilter()
    }

    // The page reads the filters when it opens: they survive a page change.
    Component.onCompleted: {
        const filter = fileService.flexDataEventFilter
        if (filter !== "" && filter !== keywords.join("|")) {
            const chosen = filter.split("|")
            const copy = {}
            for (const k of keywords)
                copy[k] = chosen.indexOf(k) >= 0
            selectedKeywords = copy
            selectedCount = keywords.filter(k => copy[k]).length
        }
        dateField.text = fileService.flexDataDateFilter
        descriptionField.text = fileService.flexDataDescriptionFilter
    }

    radius: Style.radius
    color: Style.surface
    border.color: Style.border

    Column {
        id: filters

        x: Style.spacing
        y: Style.spacing
        width: parent.width - 2 * Style.spacing
        spacing: Style.spacing

        Row {
            spacing: Style.margin

            StandardText {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Ereignistypen (%1 von %2)").arg(flexList.selectedCount).arg(flexList.keywords.length)
                      + TranslationService.updateString
                font.weight: FontStyle.weightBold
            }

            InteractiveText {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Alle") + TranslationService.updateString
                onClicked: flexList.selectAll(true)
            }

            InteractiveText {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Keine") + TranslationService.updateString
                onClicked: flexList.selectAll(false)
            }

            StandardText {
                id: progressText

                objectName: "progressText"
                anchors.verticalCenter: parent.verticalCenter
                visible: flexList.fileService.progress !== 100
                text: "Progress: " + flexList.fileService.progress + "%"
                color: Style.textMuted
            }
        }

        Flow {
            width: parent.width
            spacing: 4

            Repeater {
                model: flexList.keywords

                delegate: Rectangle {
                    id: chip

                    required property string modelData
                    readonly property bool on: flexList.selectedKeywords[modelData] !== false

                    width: chipText.implicitWidth + 12
                    height: 22
                    radius: 11
                    activeFocusOnTab: true
                    color: on ? Qt.lighter(flexList.colorFor(modelData), 1.9) : Style.surface
                    border.width: activeFocus ? 2 : 1
                    border.color: activeFocus ? Style.focus : (on ? flexList.colorFor(modelData) : Style.border)
                    Accessible.role: Accessible.CheckBox
                    Accessible.name: modelData
                    Accessible.checked: on
                    Keys.onSpacePressed: flexList.toggleKeyword(modelData)

                    Text {
                        id: chipText

                        anchors.centerIn: parent
                        text: chip.modelData
                        font.family: FontStyle.family
                        font.pixelSize: 11
                        color: chip.on ? Style.text : Style.textDisabled
                    }

                    MouseArea {
                        anchors.fill: parent
                        cursorShape: Qt.PointingHandCursor
                        onClicked: flexList.toggleKeyword(chip.modelData)
                    }
                }
            }
        }

        Row {
            width: parent.width
            spacing: Style.spacing

            InputField {
                id: dateField

                width: 150
                fieldName: "dateFilter"
                label: qsTr("Datum") + TranslationService.updateString
                placeholderText: qsTr("z. B. 2023-10") + TranslationService.updateString
                onTextChanged: filterTimer.restart()
            }

            InputField {
                id: descriptionField

                width: parent.width - dateField.width - Style.spacing
                fieldName: "descriptionFilter"
                label: qsTr("Beschreibung") + TranslationService.updateString
                placeholderText: qsTr("Text in der Beschreibung") + TranslationService.updateString
                onTextChanged: filterTimer.restart()
            }
        }
    }

    // Typing is not interrupted by a parse per key stroke.
    Timer {
        id: filterTimer

        interval: 300
        onTriggered: {
            flexList.fileService.setFlexDateFilter(dateField.text)
            flexList.fileService.setFlexDescriptionFilter(descriptionField.text)
        }
    }

    Rectangle {
        id: header

        anchors.top: filters.bottom
        anchors.topMargin: Style.spacing
        x: 1
        width: parent.width - 2
        height: 28
        color: Style.surfaceAlt

        Row {
            x: Style.spacing + 6
            anchors.verticalCenter: parent.verticalCenter
            spacing: Style.spacing

            Repeater {
                model: [[qsTr("Ereignis"), flexList.typeWidth], [qsTr("Datum"), flexList.dateWidth],
                    [qsTr("Uhrzeit"), flexList.timeWidth], [qsTr("Beschreibung"), 200]]

                delegate: Text {
                    required property var modelData

                    width: modelData[1]
                    text: modelData[0] + TranslationService.updateString
                    font.family: FontStyle.family
                    font.pixelSize: FontStyle.small
                    font.weight: FontStyle.weightBold
                    color: Style.textMuted
                }
            }
        }
    }

    ListView {
        id: eventList

        objectName: "eventList"
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 1
        clip: true
        reuseItems: true
        cacheBuffer: 400
        activeFocusOnTab: true
        keyNavigationEnabled: true
        highlightMoveDuration: 0
        boundsBehavior: Flickable.StopAtBounds
        model: flexList.fileService.flexData
        Keys.onPressed: function(event) {
            const page = Math.max(1, Math.floor(height / 24) - 1)
            if (event.key === Qt.Key_PageDown) {
                currentIndex = Math.min(count - 1, currentIndex + page)
                event.accepted = true
            } else if (event.key === Qt.Key_PageUp) {
                currentIndex = Math.max(0, currentIndex - page)
                event.accepted = true
            } else if (event.key === Qt.Key_Home) {
                currentIndex = 0
                event.accepted = true
            } else if (event.key === Qt.Key_End) {
                currentIndex = count - 1
                event.accepted = true
            }
        }

        delegate: Rectangle {
            id: eventRow

            required property int index
            required property string eventType
            required property string date
            required property string time
            required property string detailString

            width: eventList.width
            height: 24
            color: eventList.activeFocus && ListView.isCurrentItem ? Style.primaryLight
                 : (index % 2 ? Style.surface : Style.background)

            Rectangle {
                width: 4
                height: parent.height
                color: flexList.colorFor(eventRow.eventType)
            }

            Row {
                x: Style.spacing + 6
                anchors.verticalCenter: parent.verticalCenter
                spacing: Style.spacing

                Text {
                    width: flexList.typeWidth
                    text: eventRow.eventType
                    font.family: FontStyle.family
                    font.pixelSize: FontStyle.small
                    font.weight: FontStyle.weightBold
                    color: flexList.colorFor(eventRow.eventType)
                    elide: Text.ElideRight
                }

                Text {
                    width: flexList.dateWidth
                    text: eventRow.date
                    font.family: FontStyle.family
                    font.pixelSize: FontStyle.small
                    color: Style.text
                }

                Text {
                    width: flexList.timeWidth
                    text: eventRow.time
                    font.family: FontStyle.family
                    font.pixelSize: FontStyle.small
                    color: Style.text
                }

                Text {
                    width: eventRow.width - flexList.typeWidth - flexList.dateWidth - flexList.timeWidth - 4 * Style.spacing - 10
                    text: eventRow.detailString
                    font.family: FontStyle.family
                    font.pixelSize: FontStyle.small
                    color: Style.text
                    elide: Text.ElideRight
                    textFormat: Text.PlainText
                }
            }
        }

        StandardText {
            anchors.centerIn: parent
            visible: eventList.count === 0 && flexList.fileService.progress === 100
            color: Style.textMuted
            text: (flexList.fileService.selectedFlexFile === "" ? qsTr("Keine Ereignisdatei gewählt.")
                                                                   : qsTr("Keine Ereignisse für diese Filter."))
                  + TranslationService.updateString
        }
    }
}
