import QtQuick 2.15
import "../CustomComponents"

// Why the synchronisation after a login ended early: cancelled, or which
// step the server left unanswered.
DialogBase {
    id: syncErrorDialog

    property int cause: 0
    property int category: 0
    property string lastFile: ""

    readonly property var categoryNames: ({
        1: qsTr("Instrumentenkatalog"),
        2: qsTr("Service-Center Liste"),
        3: qsTr("QELO 3 Downloads"),
        4: qsTr("Logdateien"),
        5: qsTr("Software-Updates"),
        6: qsTr("Standard Anwendersets"),
        7: qsTr("QELO 3 Downloads auf Server")
    })

    objectName: "SyncErrorDialog"
    title: (cause === 1 ? qsTr("Synchronisation abgebrochen") : qsTr("Synchronisation fehlgeschlagen"))
           + TranslationService.updateString
    cancelVisible: false

    StandardText {
        objectName: "message"
        width: parent.width
        text: (syncErrorDialog.cause === 1
               ? qsTr("Der Synchronisationsvorgang wurde vor Abschluss abgebrochen. Es sind nicht alle aktuelle Dateien des Servers sichtbar.")
               : qsTr("Zeitüberschreitung für Synchronisationsvorgang in der Kategorie ") + "\""
                 + (syncErrorDialog.categoryNames[syncErrorDialog.category] || qsTr("Initialisierung")) + "\".\n"
                 + qsTr("Die letzte angeforderte Datei war:") + " \""
                 + (syncErrorDialog.lastFile === "" ? qsTr("Keine") : syncErrorDialog.lastFile) + "\"")
              + TranslationService.updateString
    }
}
