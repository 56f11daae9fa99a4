import QtQuick 2.15
import Style 1.0
import "../CustomComponents"

// Shown while the generator's chrono files are awaited; it reports itself
// finished once both have arrived or the request ended, and cancelling
// withdraws the request.
DialogBase {
    id: chronoDownloadDialog

    readonly property bool waiting: ChronoViewController.chronoFixAwaited || ChronoViewController.chronoFlexAwaited

    objectName: "ChronoDownloadDialog"
    title: qsTr("Warten auf Gerätedaten") + TranslationService.updateString
    acceptVisible: false
    closeWhenBackgroundClicked: false
    onWaitingChanged: if (!waiting) finished(true, undefined)
    Component.onCompleted: if (!waiting) Qt.callLater(() => finished(true, undefined))

    StandardText {
        width: parent.width
        text: qsTr("Die Chrono-Dateien werden vom QELO 3 übertragen.") + TranslationService.updateString
    }

    Column {
        width: parent.width
        spacing: 4

        StandardText {
            objectName: "fixState"
            text: (ChronoViewController.chronoFixAwaited ? "\u25CB " : "\u2713 ") + qsTr("Gerätedaten (.fix)")
                  + TranslationService.updateString
            color: ChronoViewController.chronoFixAwaited ? Style.textMuted : Style.accent
        }

        StandardText {
            objectName: "flexState"
            text: (ChronoViewController.chronoFlexAwaited ? "\u25CB " : "\u2713 ") + qsTr("Ereignisprotokoll (.flex)")
                  + TranslationService.updateString
            color: ChronoViewController.chronoFlexAwaited ? Style.textMuted : Style.accent
        }
    }
}
