import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import SharedObjects 1.0
import "../CustomComponents"

// User name and password, checked by the server or, offline, against the
// cache of earlier server logins.
Rectangle {
    id: logInPage

    property bool loginBlocked: LoginViewController.isLoginBlocked()
    // The controller is busy while the server answers or a password is checked.
    readonly property bool waiting: LoginViewController.busy
    property bool unencryptedRefused: false
    readonly property alias userNameField: userNameInput.field
    readonly property alias passwordField: passwordInput.field

    signal requestDialog(string name, var parameters)

    function logIn() {
        if (loginBlocked || waiting)
            return
        const userName = userNameInput.text.trim()
        // The log viewer's back door for service staff.
        if (userName === "ViewLogs" && passwordInput.text === "") {
            requestDialog("LogDialog", "")
            return
        }
        unencryptedRefused = false
        LoginViewController.loginUser(userName, passwordInput.text)
    }

    objectName: "LogInPage"
    color: Style.background

    Component.onCompleted: {
        userNameInput.text = LoginViewController.getLastUserName()
        userNameInput.field.forceActiveFocus()
        LoginViewController.checkHalvoServer()
    }

    Connections {
        target: LoginViewController

        function onUserLoginReply(isAuthenticated, cause) {
            passwordInput.text = ""
            // Said on the page itself: the fix is in the configuration, not in what was typed.
            logInPage.unencryptedRefused = !isAuthenticated && cause === 8
            if (!isAuthenticated && !logInPage.unencryptedRefused) {
                logInPage.requestDialog("LoginErrorDialog", cause)
                passwordInput.field.forceActiveFocus()
            }
        }

        function onUpdateInfoReceived() {
            logInPage.loginBlocked = LoginViewController.isLoginBlocked()
            logInPage.requestDialog("NewLoginProcedureDialog", "")
        }
    }

    PageRectangle {
        id: card

        anchors.centerIn: parent
        width: Math.min(440, parent.width - 2 * Style.margin)
        height: form.implicitHeight + 4 * Style.margin

        Column {
            id: form

            anchors.fill: parent
            anchors.margins: 2 * Style.margin
            spacing: Style.margin

            Row {
                spacing: Style.margin

                Image {
                    width: 56
                    height: 56
                    sourceSize.width: 112
                    sourceSize.height: 112
                    // Decoded off the GUI thread, so the first frame does not wait for it.
                    asynchronous: true
                    source: "qrc:/Resources/Images/kelvara_mark.png"
                }

                Column {
                    anchors.verticalCenter: parent.verticalCenter

                    Text {
                        text: qsTr("Kelvara") + TranslationService.updateString
                        font.family: FontStyle.family
                        font.pixelSize: FontStyle.title
                        font.weight: FontStyle.weightBold
                        color: Style.text
                    }

                    Text {
                        text: qsTr("Servicesoftware für QELO 3") + TranslationService.updateString
                        font.family: FontStyle.family
                        font.pixelSize: FontStyle.small
                        color: Style.textMuted
                    }
                }
            }

            Text {
                objectName: "heading"
                text: qsTr("Anmeldung") + TranslationService.updateString
                font.family: FontStyle.family
                font.pixelSize: FontStyle.large
                font.weight: FontStyle.weightBold
                color: Style.text
            }

            InputField {
                id: userNameInput

                objectName: "userName"
                width: parent.width
                label: qsTr("Benutzername") + TranslationService.updateString
                fieldName: "userNameField"
                tabTarget: passwordInput.field
                onAccepted: logInPage.logIn()
            }

            InputField {
                id: passwordInput

                objectName: "password"
                width: parent.width
                label: qsTr("Passwort") + TranslationService.updateString
                echoMode: TextInput.Password
                fieldName: "passwordField"
                tabTarget: rememberOption
                backtabTarget: userNameInput.field
                onAccepted: logInPage.logIn()
            }

            CheckOption {
                id: rememberOption

                objectName: "rememberUserName"
                text: qsTr("Benutzer merken?") + TranslationService.updateString
                checked: LoginViewController.rememberLastUserName
                onToggled: LoginViewController.rememberLastUserName = checked
                KeyNavigation.tab: loginButton
            }

            StandardButton {
                id: loginButton

                objectName: "loginButton"
                width: parent.width
                primary: true
                enabled: !logInPage.loginBlocked && !logInPage.waiting
                text: (logInPage.waiting ? qsTr("Anmeldung läuft …") : qsTr("Anmelden")) + TranslationService.updateString
                onClicked: logInPage.logIn()
            }

            StandardText {
                objectName: "unencryptedNotice"
                visible: logInPage.unencryptedRefused
                width: parent.width
                wrapMode: Text.WordWrap
                font.pixelSize: FontStyle.small
                color: Style.warning
                text: qsTr("Anmeldung abgelehnt: Die Verbindung zum Server ist nicht verschlüsselt, das Passwort würde lesbar übertragen. Verwenden Sie eine verschlüsselte Verbindung.")
                      + TranslationService.updateString
            }

            Row {
                spacing: Style.spacing

                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 8
                    height: 8
                    radius: 4
                    color: NetworkService.isHalvoServerConnected ? Style.accent : Style.warning
                }

                StandardText {
                    objectName: "serverHint"
                    font.pixelSize: FontStyle.small
                    color: Style.textMuted
                    text: (NetworkService.isHalvoServerConnected
                           ? qsTr("Server verbunden")
                           : qsTr("Server nicht erreichbar – Anmeldung mit lokal gespeicherten Zugangsdaten"))
                          + TranslationService.updateString
                }
            }

            HorizontalLine {
                width: parent.width
            }

            Flow {
                width: parent.width
                spacing: Style.margin

                InteractiveText {
                    objectName: "passwordForgottenLink"
                    text: qsTr("Passwort vergessen?") + TranslationService.updateString
                    font.pixelSize: FontStyle.small
                    onClicked: logInPage.requestDialog("ExternalLinkDialog", SettingsService.getExternalUrl("PasswordForgotten"))
                }

                InteractiveText {
                    objectName: "registrationLink"
                    text: qsTr("Registrieren") + TranslationService.updateString
                    font.pixelSize: FontStyle.small
                    onClicked: logInPage.requestDialog("ExternalLinkDialog", SettingsService.getExternalUrl("Registration"))
                }

                InteractiveText {
                    objectName: "contactLink"
                    text: qsTr("Kontakt") + TranslationService.updateString
                    font.pixelSize: FontStyle.small
                    onClicked: {
                        if (typeof MailService !== "undefined")
                            MailService.sendEMail(SharedObjects.supportMailAddress)
                        else
                            logInPage.requestDialog("ExternalLinkDialog", "mailto:" + SharedObjects.supportMailAddress)
                    }
                }
            }
        }
    }

    Text {
        anchors.bottom: parent.bottom
        anchors.bottomMargin: Style.margin
        anchors.horizontalCenter: parent.horizontalCenter
        text: qsTr("Version %1 (%2)").arg(VersionInfo.productVersion).arg(VersionInfo.releaseDate) + TranslationService.updateString
        font.family: FontStyle.family
        font.pixelSize: FontStyle.small
        color: Style.textDisabled
    }
}
