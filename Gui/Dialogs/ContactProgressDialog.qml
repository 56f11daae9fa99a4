import QtQuick 2.15
import Style 1.0
import "../CustomComponents"

// Waits for the generator's user set and event logs; accepts by itself once
// all three have arrived. Cancelling drops the request.
DialogBase {
    id: contactProgressDialog

    readonly property int received: (ContactViewController.userSetAwaited ? 0 : 1)
                                    + (ContactViewController.chronoFlexAwaited ? 0 : 1)
                                    + (ContactViewController.chronoFixAwaited ? 0 : 1)

    objectName: "ContactProgressDialog"
    title: qsTr("Warten auf Gerätedaten") + TranslationService.updateString
    acceptVisible: false
    closeWhenBackgroundClicked: false

    onReceivedChanged: if (received === 3) accept()

    StandardText {
        width: parent.width
        text: qsTr("Anwenderset und Ereignisprotokolle werden vom QELO 3 geladen (%1 von 3).").arg(contactProgressDialog.received)
              + TranslationService.updateString
    }

    Rectangle {
        width: parent.width
        height: 6
        radius: 3
        color: Style.surfaceAlt

        Rectangle {
            width: parent.width * contactProgressDialog.received / 3
            height: parent.height
            radius: 3
            color: Style.primary

            Behavior on width { NumberAnimation { duration: 200 } }
        }
    }
}
