import QtQuick 2.15
import "../CustomComponents"

// Why a login failed, by the cause the login controller reported.
DialogBase {
    id: loginErrorDialog

    property int cause: 0

    function causeText(cause) {
        switch (cause) {
        case 1: return qsTr("Kein Benutzername angegeben.")
        case 2: return qsTr("Kein Passwort angegeben.")
        case 3: return qsTr("Keine Serververbindung. Benutzername oder Passwort sind inkorrekt oder lokal nicht bekannt.")
        case 4: return qsTr("Keine Serververbindung. Ihr Benutzerkonto ist lokal nicht mehr gültig. Bitte melden Sie sich mit einer Serververbindung an.")
        case 5: return qsTr("Benutzername oder Passwort inkorrekt.")
        case 6: return qsTr("Keine Antwort vom Server.")
        case 7: return qsTr("Ihrem Benutzerkonto ist keine Rolle oder Gruppe zugewiesen.")
        }
        return qsTr("Unbekannter Fehler (%1).").arg(cause)
    }

    objectName: "LoginErrorDialog"
    title: qsTr("Anmeldung fehlgeschlagen") + TranslationService.updateString
    cancelVisible: false

    StandardText {
        objectName: "message"
        width: parent.width
        text: loginErrorDialog.causeText(loginErrorDialog.cause) + TranslationService.updateString
    }
}
