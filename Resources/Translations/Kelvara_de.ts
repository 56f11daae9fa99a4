<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="de_DE">
<context>
    <name>BubbleDialogHalvoServerConnection</name>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Synchronisieren</source>
        <translation>Synchronisieren</translation>
    </message>
    <message>
        <source>Verbunden</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Nicht verbunden</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Ohne Serververbindung melden Sie sich mit Ihren zuletzt bestätigten Zugangsdaten an; Synchronisation und Versand sind dann nicht möglich.</source>
        <translation>Ohne Serververbindung melden Sie sich mit Ihren zuletzt bestätigten Zugangsdaten an; Synchronisation und Versand sind dann nicht möglich.</translation>
    </message>
</context>
<context>
    <name>BubbleDialogOutbox</name>
    <message>
        <source>Postausgang</source>
        <translation>Postausgang</translation>
    </message>
    <message>
        <source>Jetzt senden</source>
        <translation>Jetzt senden</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Eine Nachricht im Postausgang</source>
        <translation>Eine Nachricht im Postausgang</translation>
    </message>
    <message>
        <source>%1 Nachrichten im Postausgang</source>
        <translation>%1 Nachrichten im Postausgang</translation>
    </message>
    <message>
        <source>Keine Serververbindung.</source>
        <translation>Keine Serververbindung.</translation>
    </message>
</context>
<context>
    <name>BubbleDialogQelo3Connection</name>
    <message>
        <source>QELO 3</source>
        <translation>QELO 3</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Verbunden</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Nicht verbunden</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>S/N: </source>
        <translation>S/N: </translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Software:</translation>
    </message>
</context>
<context>
    <name>ChronoPage</name>
    <message>
        <source>Chrono</source>
        <translation>Chrono</translation>
    </message>
    <message>
        <source>Modul Chrono</source>
        <translation>Modul Chrono</translation>
    </message>
    <message>
        <source>Dieses Modul ist in dieser Version noch nicht verfügbar.</source>
        <translation>Dieses Modul ist in dieser Version noch nicht verfügbar.</translation>
    </message>
</context>
<context>
    <name>ContactErrorSendMailDialog</name>
    <message>
        <source>Nachrichtenversand fehlgeschlagen</source>
        <translation>Nachrichtenversand fehlgeschlagen</translation>
    </message>
    <message>
        <source>Die Nachricht konnte nicht gesendet werden. Wurde sie bereits gespeichert, bleibt sie im Postausgang und kann später erneut gesendet werden.</source>
        <translation>Die Nachricht konnte nicht gesendet werden. Wurde sie bereits gespeichert, bleibt sie im Postausgang und kann später erneut gesendet werden.</translation>
    </message>
</context>
<context>
    <name>ContactMailPage</name>
    <message>
        <source>Support-Nachricht</source>
        <translation>Support-Nachricht</translation>
    </message>
    <message>
        <source>Die Nachricht liegt im Postausgang.</source>
        <translation>Die Nachricht liegt im Postausgang.</translation>
    </message>
    <message>
        <source>Die Nachricht wurde gesendet.</source>
        <translation>Die Nachricht wurde gesendet.</translation>
    </message>
    <message>
        <source>Nachricht an %1</source>
        <translation>Nachricht an %1</translation>
    </message>
    <message>
        <source>Die Gerätedaten sind zu groß für eine Nachricht. Exportieren Sie sie und senden Sie sie auf anderem Weg.</source>
        <translation>Die Gerätedaten sind zu groß für eine Nachricht. Exportieren Sie sie und senden Sie sie auf anderem Weg.</translation>
    </message>
    <message>
        <source>Anwenderset und Ereignisprotokolle des QELO 3 werden angehängt.</source>
        <translation>Anwenderset und Ereignisprotokolle des QELO 3 werden angehängt.</translation>
    </message>
    <message>
        <source>Klinik</source>
        <translation>Klinik</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Telefon</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <source>Betreff</source>
        <translation>Betreff</translation>
    </message>
    <message>
        <source>Beschreibung des Problems</source>
        <translation>Beschreibung des Problems</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>In den Postausgang</source>
        <translation>In den Postausgang</translation>
    </message>
    <message>
        <source>Wird gesendet …</source>
        <translation>Wird gesendet …</translation>
    </message>
    <message>
        <source>Senden</source>
        <translation>Senden</translation>
    </message>
</context>
<context>
    <name>ContactPage</name>
    <message>
        <source>Contact</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>Service-Center und Support-Nachrichten</source>
        <translation>Service-Center und Support-Nachrichten</translation>
    </message>
    <message>
        <source>Service-Center</source>
        <translation>Service-Center</translation>
    </message>
    <message>
        <source>Sortieren</source>
        <translation>Sortieren</translation>
    </message>
    <message>
        <source>Standard-Center</source>
        <translation>Standard-Center</translation>
    </message>
    <message>
        <source>Für Ihr Benutzerkonto ist kein Service-Center hinterlegt.</source>
        <translation>Für Ihr Benutzerkonto ist kein Service-Center hinterlegt.</translation>
    </message>
    <message>
        <source>Telefon:</source>
        <translation>Telefon:</translation>
    </message>
    <message>
        <source>Fax:</source>
        <translation>Fax:</translation>
    </message>
    <message>
        <source>Web:</source>
        <translation>Web:</translation>
    </message>
    <message>
        <source>E-Mail:</source>
        <translation>E-Mail:</translation>
    </message>
    <message>
        <source>Sprachen:</source>
        <translation>Sprachen:</translation>
    </message>
    <message>
        <source>Erreichbarkeit:</source>
        <translation>Erreichbarkeit:</translation>
    </message>
    <message>
        <source>Als Standard-Center festlegen</source>
        <translation>Als Standard-Center festlegen</translation>
    </message>
    <message>
        <source>Support-Nachricht schreiben</source>
        <translation>Support-Nachricht schreiben</translation>
    </message>
    <message>
        <source>Wählen Sie ein Service-Center aus der Liste.</source>
        <translation>Wählen Sie ein Service-Center aus der Liste.</translation>
    </message>
    <message>
        <source>Eine Nachricht im Postausgang</source>
        <translation>Eine Nachricht im Postausgang</translation>
    </message>
    <message>
        <source>%1 Nachrichten im Postausgang</source>
        <translation>%1 Nachrichten im Postausgang</translation>
    </message>
</context>
<context>
    <name>ContactProgressDialog</name>
    <message>
        <source>Warten auf Gerätedaten</source>
        <translation>Warten auf Gerätedaten</translation>
    </message>
    <message>
        <source>Anwenderset und Ereignisprotokolle werden vom QELO 3 geladen (%1 von 3).</source>
        <translation>Anwenderset und Ereignisprotokolle werden vom QELO 3 geladen (%1 von 3).</translation>
    </message>
</context>
<context>
    <name>ContactServerConnectionDialog</name>
    <message>
        <source>Keine Serververbindung</source>
        <translation>Keine Serververbindung</translation>
    </message>
    <message>
        <source>Die Nachricht liegt im Postausgang. Wenn der Computer mit dem WLAN des QELO 3 verbunden ist, trennen Sie diese Verbindung, stellen Sie eine Verbindung zum Internet her und senden Sie den Postausgang.</source>
        <translation>Die Nachricht liegt im Postausgang. Wenn der Computer mit dem WLAN des QELO 3 verbunden ist, trennen Sie diese Verbindung, stellen Sie eine Verbindung zum Internet her und senden Sie den Postausgang.</translation>
    </message>
</context>
<context>
    <name>ContactSortDialog</name>
    <message>
        <source>Sortieren nach</source>
        <translation>Sortieren nach</translation>
    </message>
    <message>
        <source>Land</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>Stadt</source>
        <translation>Stadt</translation>
    </message>
    <message>
        <source>Standard-Center</source>
        <translation>Standard-Center</translation>
    </message>
</context>
<context>
    <name>ContactViewController</name>
    <message>
        <source>Select export folder</source>
        <translation>Select export folder</translation>
    </message>
</context>
<context>
    <name>CopyPage</name>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Modul Copy</source>
        <translation>Modul Copy</translation>
    </message>
    <message>
        <source>Dieses Modul ist in dieser Version noch nicht verfügbar.</source>
        <translation>Dieses Modul ist in dieser Version noch nicht verfügbar.</translation>
    </message>
</context>
<context>
    <name>DialogBase</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ExternalLinkDialog</name>
    <message>
        <source>App verlassen?</source>
        <translation>App verlassen?</translation>
    </message>
    <message>
        <source>Öffnen</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Der folgende Link wird im Browser geöffnet:</source>
        <translation>Der folgende Link wird im Browser geöffnet:</translation>
    </message>
</context>
<context>
    <name>GetUpdateInfoTimeoutDialog</name>
    <message>
        <source>Server Zeitüberschreitung</source>
        <translation>Server Zeitüberschreitung</translation>
    </message>
    <message>
        <source>Der Server hat nicht rechtzeitig geantwortet. Bitte prüfen Sie die Internetverbindung und versuchen Sie es erneut.</source>
        <translation>Der Server hat nicht rechtzeitig geantwortet. Bitte prüfen Sie die Internetverbindung und versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>HtmlDialog</name>
    <message>
        <source>Schließen</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>InfoDialog</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Kelvara</source>
        <translation>Kelvara</translation>
    </message>
    <message>
        <source>Version %1 (%2)</source>
        <translation>Version %1 (%2)</translation>
    </message>
    <message>
        <source>Optimiert für QELO 3 ab Version %1</source>
        <translation>Optimiert für QELO 3 ab Version %1</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Nutzungsbedingungen</source>
        <translation>Nutzungsbedingungen</translation>
    </message>
    <message>
        <source>Datenschutzerklärung</source>
        <translation>Datenschutzerklärung</translation>
    </message>
    <message>
        <source>Impressum</source>
        <translation>Impressum</translation>
    </message>
    <message>
        <source>Lizenzen und Open-Source-Hinweise</source>
        <translation>Lizenzen und Open-Source-Hinweise</translation>
    </message>
</context>
<context>
    <name>InstrumentConfiguration</name>
    <message>
        <source>CUT off</source>
        <translation>CUT aus</translation>
    </message>
    <message>
        <source>COAG off</source>
        <translation>COAG aus</translation>
    </message>
</context>
<context>
    <name>LanguageDialog</name>
    <message>
        <source>Sprache</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>LogDialog</name>
    <message>
        <source>Protokoll</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Protokoll leeren</source>
        <translation>Protokoll leeren</translation>
    </message>
    <message numerus="yes">
        <source>%n Zeile(n)</source>
        <translation>
            <numerusform>%n Zeile</numerusform>
            <numerusform>%n Zeilen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LogInPage</name>
    <message>
        <source>Kelvara</source>
        <translation>Kelvara</translation>
    </message>
    <message>
        <source>Servicesoftware für QELO 3</source>
        <translation>Servicesoftware für QELO 3</translation>
    </message>
    <message>
        <source>Anmeldung</source>
        <translation>Anmeldung</translation>
    </message>
    <message>
        <source>Benutzername</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Passwort</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Benutzer merken?</source>
        <translation>Benutzer merken?</translation>
    </message>
    <message>
        <source>Anmeldung läuft …</source>
        <translation>Anmeldung läuft …</translation>
    </message>
    <message>
        <source>Anmelden</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>Anmeldung abgelehnt: Die Verbindung zum Server ist nicht verschlüsselt, das Passwort würde lesbar übertragen. Verwenden Sie eine verschlüsselte Verbindung.</source>
        <translation>Anmeldung abgelehnt: Die Verbindung zum Server ist nicht verschlüsselt, das Passwort würde lesbar übertragen. Verwenden Sie eine verschlüsselte Verbindung.</translation>
    </message>
    <message>
        <source>Server verbunden</source>
        <translation>Server verbunden</translation>
    </message>
    <message>
        <source>Server nicht erreichbar – Anmeldung mit lokal gespeicherten Zugangsdaten</source>
        <translation>Server nicht erreichbar – Anmeldung mit lokal gespeicherten Zugangsdaten</translation>
    </message>
    <message>
        <source>Passwort vergessen?</source>
        <translation>Passwort vergessen?</translation>
    </message>
    <message>
        <source>Registrieren</source>
        <translation>Registrieren</translation>
    </message>
    <message>
        <source>Kontakt</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <source>Version %1 (%2)</source>
        <translation>Version %1 (%2)</translation>
    </message>
</context>
<context>
    <name>LoginErrorDialog</name>
    <message>
        <source>Kein Benutzername angegeben.</source>
        <translation>Kein Benutzername angegeben.</translation>
    </message>
    <message>
        <source>Kein Passwort angegeben.</source>
        <translation>Kein Passwort angegeben.</translation>
    </message>
    <message>
        <source>Keine Serververbindung. Benutzername oder Passwort sind inkorrekt oder lokal nicht bekannt.</source>
        <translation>Keine Serververbindung. Benutzername oder Passwort sind inkorrekt oder lokal nicht bekannt.</translation>
    </message>
    <message>
        <source>Keine Serververbindung. Ihr Benutzerkonto ist lokal nicht mehr gültig. Bitte melden Sie sich mit einer Serververbindung an.</source>
        <translation>Keine Serververbindung. Ihr Benutzerkonto ist lokal nicht mehr gültig. Bitte melden Sie sich mit einer Serververbindung an.</translation>
    </message>
    <message>
        <source>Benutzername oder Passwort inkorrekt.</source>
        <translation>Benutzername oder Passwort inkorrekt.</translation>
    </message>
    <message>
        <source>Keine Antwort vom Server.</source>
        <translation>Keine Antwort vom Server.</translation>
    </message>
    <message>
        <source>Ihrem Benutzerkonto ist keine Rolle oder Gruppe zugewiesen.</source>
        <translation>Ihrem Benutzerkonto ist keine Rolle oder Gruppe zugewiesen.</translation>
    </message>
    <message>
        <source>Unbekannter Fehler (%1).</source>
        <translation>Unbekannter Fehler (%1).</translation>
    </message>
    <message>
        <source>Anmeldung fehlgeschlagen</source>
        <translation>Anmeldung fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>ModuleDialog</name>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>Chrono</source>
        <translation>Chrono</translation>
    </message>
    <message>
        <source>Modul wählen</source>
        <translation>Modul wählen</translation>
    </message>
</context>
<context>
    <name>NewLoginProcedureDialog</name>
    <message>
        <source>Neue Version verfügbar</source>
        <translation>Neue Version verfügbar</translation>
    </message>
    <message>
        <source>Anwendung schließen</source>
        <translation>Anwendung schließen</translation>
    </message>
    <message>
        <source>Weiter</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Diese Version kann nicht mehr verwendet werden. Bitte installieren Sie das Update.</source>
        <translation>Diese Version kann nicht mehr verwendet werden. Bitte installieren Sie das Update.</translation>
    </message>
</context>
<context>
    <name>ProgramGroup</name>
    <message>
        <source>Neue Programmgruppe</source>
        <translation>Neue Programmgruppe</translation>
    </message>
</context>
<context>
    <name>Qelo3ConnectionDialog</name>
    <message>
        <source>Keine QELO 3 Verbindung</source>
        <translation>Keine QELO 3 Verbindung</translation>
    </message>
    <message>
        <source>Verbinden Sie den Computer über das Netzwerk oder das WLAN des Geräts mit dem QELO 3. Die Verbindung wird automatisch hergestellt.</source>
        <translation>Verbinden Sie den Computer über das Netzwerk oder das WLAN des Geräts mit dem QELO 3. Die Verbindung wird automatisch hergestellt.</translation>
    </message>
</context>
<context>
    <name>ServerConnectionDialog</name>
    <message>
        <source>Keine Serververbindung</source>
        <translation>Keine Serververbindung</translation>
    </message>
    <message>
        <source>Der Server ist nicht erreichbar. Wenn der Computer mit dem WLAN des QELO 3 verbunden ist, trennen Sie diese Verbindung und stellen Sie eine Verbindung zum Internet her.</source>
        <translation>Der Server ist nicht erreichbar. Wenn der Computer mit dem WLAN des QELO 3 verbunden ist, trennen Sie diese Verbindung und stellen Sie eine Verbindung zum Internet her.</translation>
    </message>
</context>
<context>
    <name>UpdatePage</name>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Modul Update</source>
        <translation>Modul Update</translation>
    </message>
    <message>
        <source>Dieses Modul ist in dieser Version noch nicht verfügbar.</source>
        <translation>Dieses Modul ist in dieser Version noch nicht verfügbar.</translation>
    </message>
</context>
<context>
    <name>UserDialog</name>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>Chrono</source>
        <translation>Chrono</translation>
    </message>
    <message>
        <source>Abmelden</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Benutzerdaten ändern</source>
        <translation>Benutzerdaten ändern</translation>
    </message>
    <message>
        <source>Startmodul</source>
        <translation>Startmodul</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>Sprache</translation>
    </message>
</context>
<context>
    <name>UserProgram</name>
    <message>
        <source>Neues Programm</source>
        <translation>Neues Programm</translation>
    </message>
    <message>
        <source>Neues Subprogramm</source>
        <translation>Neues Subprogramm</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>LanguageName</source>
        <comment>Visible name of language in selection dialog</comment>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Chrono</source>
        <translation>Chrono</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Kelvara</source>
        <translation>Kelvara</translation>
    </message>
    <message>
        <source>Serververbindung</source>
        <translation>Serververbindung</translation>
    </message>
    <message>
        <source>QELO 3 Verbindung</source>
        <translation>QELO 3 Verbindung</translation>
    </message>
    <message>
        <source>Modul wählen</source>
        <translation>Modul wählen</translation>
    </message>
    <message>
        <source>Benutzer</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
</TS>
