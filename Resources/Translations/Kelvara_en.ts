<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="de_DE">
<context>
    <name>AddInstrumentDialog</name>
    <message>
        <source>Bipolar</source>
        <translation>Bipolar</translation>
    </message>
    <message>
        <source>Hinzufügen</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Instrument hinzufügen</source>
        <translation>Add instrument</translation>
    </message>
    <message>
        <source>Mit Subinstrument</source>
        <translation>With sub-instrument</translation>
    </message>
    <message>
        <source>Monopolar</source>
        <translation>Monopolar</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
</context>
<context>
    <name>AddLevelDialog</name>
    <message>
        <source>Hinzufügen</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Subprogramm hinzufügen</source>
        <translation>Add sub-program</translation>
    </message>
    <message>
        <source>Subprogramm umbenennen</source>
        <translation>Rename sub-program</translation>
    </message>
    <message>
        <source>Subprogrammname:</source>
        <translation>Sub-program name:</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Rename</translation>
    </message>
</context>
<context>
    <name>AddSubInstrumentDialog</name>
    <message>
        <source>Hinzufügen</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Subinstrument hinzufügen</source>
        <translation>Add sub-instrument</translation>
    </message>
    <message>
        <source>Zu: %1</source>
        <translation>To: %1</translation>
    </message>
</context>
<context>
    <name>AliasQuestionDialog</name>
    <message>
        <source>Den Typ nur im Subprogramm „%1“ in „%2“ ändern?</source>
        <translation>Change the type to “%2” in the sub-program “%1” only?</translation>
    </message>
    <message>
        <source>Instrumenttyp ändern</source>
        <translation>Change instrument type</translation>
    </message>
    <message>
        <source>Ja, nur in diesem Subprogramm</source>
        <translation>Yes, in this sub-program only</translation>
    </message>
    <message>
        <source>Nein, in allen Subprogrammen</source>
        <translation>No, in all sub-programs</translation>
    </message>
</context>
<context>
    <name>AllUserSetsListModel</name>
    <message>
        <source>STANDARD VORLAGEN</source>
        <translation>STANDARD TEMPLATES</translation>
    </message>
    <message>
        <source>EIGENE VORLAGEN</source>
        <translation>OWN TEMPLATES</translation>
    </message>
    <message>
        <source>QELO 3 DOWNLOADS</source>
        <translation>QELO 3 DOWNLOADS</translation>
    </message>
</context>
<context>
    <name>BubbleDialogHalvoServerConnection</name>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Synchronisieren</source>
        <translation>Synchronise</translation>
    </message>
    <message>
        <source>Verbunden</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Nicht verbunden</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>Ohne Serververbindung melden Sie sich mit Ihren zuletzt bestätigten Zugangsdaten an; Synchronisation und Versand sind dann nicht möglich.</source>
        <translation>Without a server connection you log in with your last confirmed credentials; synchronisation and sending are not possible then.</translation>
    </message>
    <message>
        <source>Letzte Synchronisation:</source>
        <translation>Last synchronisation:</translation>
    </message>
    <message>
        <source>Keine</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Ausstehende Uploads:</source>
        <translation>Pending uploads:</translation>
    </message>
</context>
<context>
    <name>BubbleDialogOutbox</name>
    <message>
        <source>Postausgang</source>
        <translation>Outbox</translation>
    </message>
    <message>
        <source>Jetzt senden</source>
        <translation>Send now</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Eine Nachricht im Postausgang</source>
        <translation>One message in the outbox</translation>
    </message>
    <message>
        <source>%1 Nachrichten im Postausgang</source>
        <translation>%1 messages in the outbox</translation>
    </message>
    <message>
        <source>Keine Serververbindung.</source>
        <translation>No server connection.</translation>
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
        <translation>Close</translation>
    </message>
    <message>
        <source>Verbunden</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Nicht verbunden</source>
        <translation>Not connected</translation>
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
    <message>
        <source>Typ:</source>
        <translation>Type:</translation>
    </message>
</context>
<context>
    <name>CancelEditDialog</name>
    <message>
        <source>Änderungen verwerfen</source>
        <translation>Discard changes</translation>
    </message>
    <message>
        <source>Verwerfen</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Weiter bearbeiten</source>
        <translation>Keep editing</translation>
    </message>
    <message>
        <source>Änderungen wirklich verwerfen?</source>
        <translation>Really discard the changes?</translation>
    </message>
</context>
<context>
    <name>ChooseTypeDialog</name>
    <message>
        <source>Instrumenttyp wählen</source>
        <translation>Choose instrument type</translation>
    </message>
</context>
<context>
    <name>ChronoDownloadDialog</name>
    <message>
        <source>Warten auf Gerätedaten</source>
        <translation>Waiting for device data</translation>
    </message>
    <message>
        <source>Die Chrono-Dateien werden vom QELO 3 übertragen.</source>
        <translation>The chrono files are being transferred from the QELO 3.</translation>
    </message>
    <message>
        <source>Gerätedaten (.fix)</source>
        <translation>Device data (.fix)</translation>
    </message>
    <message>
        <source>Ereignisprotokoll (.flex)</source>
        <translation>Event log (.flex)</translation>
    </message>
</context>
<context>
    <name>ChronoFlexList</name>
    <message>
        <source>Ereignistypen (%1 von %2)</source>
        <translation>Event types (%1 of %2)</translation>
    </message>
    <message>
        <source>Alle</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Keine</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>z. B. 2023-10</source>
        <translation>e.g. 2023-10</translation>
    </message>
    <message>
        <source>Beschreibung</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Text in der Beschreibung</source>
        <translation>Text in the description</translation>
    </message>
    <message>
        <source>Ereignis</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>Uhrzeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Keine Ereignisdatei gewählt.</source>
        <translation>No event log selected.</translation>
    </message>
    <message>
        <source>Keine Ereignisse für diese Filter.</source>
        <translation>No events match these filters.</translation>
    </message>
</context>
<context>
    <name>ChronoPage</name>
    <message>
        <source>Chrono</source>
        <translation>Chrono</translation>
    </message>
    <message>
        <source>Ereignisprotokolle des Generators</source>
        <translation>The generator's event logs</translation>
    </message>
    <message>
        <source>Chrono-Datei importieren</source>
        <translation>Import chrono file</translation>
    </message>
    <message>
        <source>Zielordner für den Export</source>
        <translation>Destination folder for the export</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Archiv erstellt: %1</source>
        <translation>Archive created: %1</translation>
    </message>
    <message>
        <source>Das Archiv wurde abgelehnt: es ist beschädigt oder überschreitet die zulässige Größe.</source>
        <translation>The archive was refused: it is damaged or exceeds the permitted size.</translation>
    </message>
    <message>
        <source>Das Archiv konnte nicht erstellt werden.</source>
        <translation>The archive could not be created.</translation>
    </message>
    <message>
        <source>Die Gerätedaten konnten nicht empfangen werden.</source>
        <translation>The device data could not be received.</translation>
    </message>
    <message>
        <source>Die Datei konnte nicht abgelegt werden.</source>
        <translation>The file could not be stored.</translation>
    </message>
    <message>
        <source>Von QELO 3 laden</source>
        <translation>Load from QELO 3</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Ordner exportieren</source>
        <translation>Export folder</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Fehlerstatistik</source>
        <translation>Error statistics</translation>
    </message>
    <message>
        <source>Keine Chrono-Dateien vorhanden. Laden Sie sie vom QELO 3 oder importieren Sie sie.</source>
        <translation>No chrono files yet. Load them from the QELO 3 or import them.</translation>
    </message>
    <message>
        <source>Gerätedaten</source>
        <translation>Device data</translation>
    </message>
    <message>
        <source>Modul Chrono</source>
        <translation>Chrono module</translation>
    </message>
    <message>
        <source>Dieses Modul ist in dieser Version noch nicht verfügbar.</source>
        <translation>This module is not yet available in this version.</translation>
    </message>
</context>
<context>
    <name>ContactErrorSendMailDialog</name>
    <message>
        <source>Nachrichtenversand fehlgeschlagen</source>
        <translation>Sending the message failed</translation>
    </message>
    <message>
        <source>Die Nachricht konnte nicht gesendet werden. Wurde sie bereits gespeichert, bleibt sie im Postausgang und kann später erneut gesendet werden.</source>
        <translation>The message could not be sent. If it was already saved, it stays in the outbox and can be sent again later.</translation>
    </message>
</context>
<context>
    <name>ContactMailPage</name>
    <message>
        <source>Support-Nachricht</source>
        <translation>Support message</translation>
    </message>
    <message>
        <source>Die Nachricht liegt im Postausgang.</source>
        <translation>The message is in the outbox.</translation>
    </message>
    <message>
        <source>Die Nachricht wurde gesendet.</source>
        <translation>The message has been sent.</translation>
    </message>
    <message>
        <source>Nachricht an %1</source>
        <translation>Message to %1</translation>
    </message>
    <message>
        <source>Die Gerätedaten sind zu groß für eine Nachricht. Exportieren Sie sie und senden Sie sie auf anderem Weg.</source>
        <translation>The device data are too large for a message. Export them and send them another way.</translation>
    </message>
    <message>
        <source>Anwenderset und Ereignisprotokolle des QELO 3 werden angehängt.</source>
        <translation>The QELO 3 user set and event logs are attached.</translation>
    </message>
    <message>
        <source>Klinik</source>
        <translation>Hospital</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Telefon</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>Betreff</source>
        <translation>Subject</translation>
    </message>
    <message>
        <source>Beschreibung des Problems</source>
        <translation>Description of the problem</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>In den Postausgang</source>
        <translation>To the outbox</translation>
    </message>
    <message>
        <source>Wird gesendet …</source>
        <translation>Sending …</translation>
    </message>
    <message>
        <source>Senden</source>
        <translation>Send</translation>
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
        <translation>Service centres and support messages</translation>
    </message>
    <message>
        <source>Service-Center</source>
        <translation>Service centres</translation>
    </message>
    <message>
        <source>Sortieren</source>
        <translation>Sort</translation>
    </message>
    <message>
        <source>Standard-Center</source>
        <translation>Default centre</translation>
    </message>
    <message>
        <source>Für Ihr Benutzerkonto ist kein Service-Center hinterlegt.</source>
        <translation>No service centre is assigned to your account.</translation>
    </message>
    <message>
        <source>Telefon:</source>
        <translation>Phone:</translation>
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
        <translation>E-mail:</translation>
    </message>
    <message>
        <source>Sprachen:</source>
        <translation>Languages:</translation>
    </message>
    <message>
        <source>Erreichbarkeit:</source>
        <translation>Office hours:</translation>
    </message>
    <message>
        <source>Als Standard-Center festlegen</source>
        <translation>Set as default centre</translation>
    </message>
    <message>
        <source>Support-Nachricht schreiben</source>
        <translation>Write a support message</translation>
    </message>
    <message>
        <source>Wählen Sie ein Service-Center aus der Liste.</source>
        <translation>Choose a service centre from the list.</translation>
    </message>
    <message>
        <source>Eine Nachricht im Postausgang</source>
        <translation>One message in the outbox</translation>
    </message>
    <message>
        <source>%1 Nachrichten im Postausgang</source>
        <translation>%1 messages in the outbox</translation>
    </message>
    <message>
        <source>Modul Contact</source>
        <translation>Contact module</translation>
    </message>
    <message>
        <source>Dieses Modul ist in dieser Version noch nicht verfügbar.</source>
        <translation>This module is not yet available in this version.</translation>
    </message>
</context>
<context>
    <name>ContactProgressDialog</name>
    <message>
        <source>Warten auf Gerätedaten</source>
        <translation>Waiting for device data</translation>
    </message>
    <message>
        <source>Anwenderset und Ereignisprotokolle werden vom QELO 3 geladen (%1 von 3).</source>
        <translation>Loading the user set and event logs from the QELO 3 (%1 of 3).</translation>
    </message>
</context>
<context>
    <name>ContactServerConnectionDialog</name>
    <message>
        <source>Keine Serververbindung</source>
        <translation>No server connection</translation>
    </message>
    <message>
        <source>Die Nachricht liegt im Postausgang. Wenn der Computer mit dem WLAN des QELO 3 verbunden ist, trennen Sie diese Verbindung, stellen Sie eine Verbindung zum Internet her und senden Sie den Postausgang.</source>
        <translation>The message is in the outbox. If the computer is connected to the QELO 3 WLAN, disconnect from it, connect to the internet and send the outbox.</translation>
    </message>
</context>
<context>
    <name>ContactSortDialog</name>
    <message>
        <source>Sortieren nach</source>
        <translation>Sort by</translation>
    </message>
    <message>
        <source>Land</source>
        <translation>Country</translation>
    </message>
    <message>
        <source>Stadt</source>
        <translation>City</translation>
    </message>
    <message>
        <source>Standard-Center</source>
        <translation>Default centre</translation>
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
        <translation>Copy module</translation>
    </message>
    <message>
        <source>Dieses Modul ist in dieser Version noch nicht verfügbar.</source>
        <translation>This module is not yet available in this version.</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Es ist ein Fehler bei der Datenübertragung aufgetreten.</source>
        <translation>An error occurred during the data transfer.</translation>
    </message>
    <message>
        <source>Das Anwenderset konnte nicht gespeichert werden.</source>
        <translation>The user set could not be saved.</translation>
    </message>
</context>
<context>
    <name>CopyViewController</name>
    <message>
        <source>Autostart erlaubt</source>
        <translation>Autostart allowed</translation>
    </message>
    <message>
        <source>Zweipedal teilbar</source>
        <translation>Two-pedal split allowed</translation>
    </message>
    <message>
        <source>Stufe 1</source>
        <translation>Level 1</translation>
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
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>DialogHost</name>
    <message>
        <source>Es besteht keine Verbindung. Bitte prüfen Sie die Verbindung und versuchen Sie es erneut.</source>
        <translation>There is no connection. Please check the connection and try again.</translation>
    </message>
    <message>
        <source>Es läuft bereits eine Übertragung. Bitte warten Sie, bis sie beendet ist.</source>
        <translation>A transfer is already running. Please wait until it has finished.</translation>
    </message>
    <message>
        <source>Das Update-Paket wurde nicht gefunden.</source>
        <translation>The update package was not found.</translation>
    </message>
    <message>
        <source>Übertragung nicht möglich</source>
        <translation>Transfer not possible</translation>
    </message>
    <message>
        <source>Das Update-Paket</source>
        <translation>The update package</translation>
    </message>
    <message>
        <source>Herunterladen fehlgeschlagen</source>
        <translation>Download failed</translation>
    </message>
    <message>
        <source>Das Update-Paket wurde nicht heruntergeladen.</source>
        <translation>The update package was not downloaded.</translation>
    </message>
</context>
<context>
    <name>EditAddProgramDialog</name>
    <message>
        <source>Programm hinzufügen</source>
        <translation>Add program</translation>
    </message>
    <message>
        <source>Hinzufügen</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Programmname:</source>
        <translation>Program name:</translation>
    </message>
    <message>
        <source>Neues Programm</source>
        <translation>New program</translation>
    </message>
</context>
<context>
    <name>EditAddProgramGroupDialog</name>
    <message>
        <source>Programmgruppe hinzufügen</source>
        <translation>Add program group</translation>
    </message>
    <message>
        <source>Hinzufügen</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Fachbereich</source>
        <translation>Discipline</translation>
    </message>
    <message>
        <source>Name der Programmgruppe:</source>
        <translation>Program group name:</translation>
    </message>
    <message>
        <source>Neue Programmgruppe</source>
        <translation>New program group</translation>
    </message>
    <message>
        <source>Piktogramm</source>
        <translation>Pictogram</translation>
    </message>
</context>
<context>
    <name>EditChangeIconDialog</name>
    <message>
        <source>Piktogramm wählen</source>
        <translation>Choose pictogram</translation>
    </message>
</context>
<context>
    <name>EditInstrumentDialog</name>
    <message>
        <source>In allen Subprogrammen umbenennen</source>
        <translation>Rename in all sub-programs</translation>
    </message>
    <message>
        <source>Instrument bearbeiten</source>
        <translation>Edit instrument</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Typ ändern</source>
        <translation>Change type</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
</context>
<context>
    <name>EditListRow</name>
    <message>
        <source>Piktogramm ändern</source>
        <translation>Change pictogram</translation>
    </message>
    <message>
        <source>Nach oben</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>Nach unten</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Behalten</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>Zum Löschen markieren</source>
        <translation>Mark for deletion</translation>
    </message>
</context>
<context>
    <name>EditPage</name>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Ungespeicherte Änderungen</source>
        <translation>Unsaved changes</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
</context>
<context>
    <name>EditProgramGroupNameDialog</name>
    <message>
        <source>Programmgruppe umbenennen</source>
        <translation>Rename program group</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Neuer Name:</source>
        <translation>New name:</translation>
    </message>
</context>
<context>
    <name>EditProgramPackagePage</name>
    <message>
        <source>Programmgruppen</source>
        <translation>Program groups</translation>
    </message>
    <message>
        <source>Programmgruppe hinzufügen</source>
        <translation>Add program group</translation>
    </message>
    <message>
        <source>Programme: %1</source>
        <translation>Programs: %1</translation>
    </message>
    <message>
        <source>Programme</source>
        <translation>Programs</translation>
    </message>
    <message>
        <source>Programm hinzufügen</source>
        <translation>Add program</translation>
    </message>
    <message>
        <source>Programm bearbeiten</source>
        <translation>Edit program</translation>
    </message>
</context>
<context>
    <name>ErrorStatisticDialog</name>
    <message>
        <source>Fehlerstatistik</source>
        <translation>Error statistics</translation>
    </message>
    <message>
        <source>Anzahl</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Fehlerbeschreibung</source>
        <translation>Error description</translation>
    </message>
    <message>
        <source>Keine Fehlermeldungen im gewählten Ereignisprotokoll.</source>
        <translation>No error messages in the selected event log.</translation>
    </message>
</context>
<context>
    <name>ExternalLinkDialog</name>
    <message>
        <source>App verlassen?</source>
        <translation>Leave the app?</translation>
    </message>
    <message>
        <source>Öffnen</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Der folgende Link wird im Browser geöffnet:</source>
        <translation>The following link opens in your browser:</translation>
    </message>
</context>
<context>
    <name>FileDownloadDialog</name>
    <message>
        <source>Herunterladen</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Das Update-Paket wird vom Server geladen.</source>
        <translation>The update package is being downloaded from the server.</translation>
    </message>
    <message>
        <source>%1 % geladen</source>
        <translation>%1 % loaded</translation>
    </message>
</context>
<context>
    <name>FileUploadDialog</name>
    <message>
        <source>Hochladen</source>
        <translation>Upload</translation>
    </message>
    <message>
        <source>%1 wird auf das QELO 3 übertragen.</source>
        <translation>%1 is being transferred to the QELO 3.</translation>
    </message>
    <message>
        <source>%1 % übertragen, verbleibende Zeit: %2</source>
        <translation>%1 % transferred, remaining time: %2</translation>
    </message>
</context>
<context>
    <name>GetUpdateInfoTimeoutDialog</name>
    <message>
        <source>Server Zeitüberschreitung</source>
        <translation>Server timeout</translation>
    </message>
    <message>
        <source>Der Server hat nicht rechtzeitig geantwortet. Bitte prüfen Sie die Internetverbindung und versuchen Sie es erneut.</source>
        <translation>The server did not answer in time. Please check the internet connection and try again.</translation>
    </message>
</context>
<context>
    <name>HtmlDialog</name>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Back</translation>
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
        <translation>Close</translation>
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
        <translation>Optimised for QELO 3 version %1 and later</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Nutzungsbedingungen</source>
        <translation>Terms of use</translation>
    </message>
    <message>
        <source>Datenschutzerklärung</source>
        <translation>Privacy policy</translation>
    </message>
    <message>
        <source>Impressum</source>
        <translation>Imprint</translation>
    </message>
    <message>
        <source>Lizenzen und Open-Source-Hinweise</source>
        <translation>Licences and open-source notices</translation>
    </message>
</context>
<context>
    <name>InstrumentActivationDialog</name>
    <message>
        <source>Aktivierung</source>
        <translation>Activation</translation>
    </message>
    <message>
        <source>Autostart</source>
        <translation>Autostart</translation>
    </message>
    <message>
        <source>Autostop</source>
        <translation>Autostop</translation>
    </message>
    <message>
        <source>Fingerschalter</source>
        <translation>Finger switch</translation>
    </message>
    <message>
        <source>Fußschalter, ein Pedal</source>
        <translation>Foot switch, one pedal</translation>
    </message>
    <message>
        <source>Fußschalter, zwei Pedale</source>
        <translation>Foot switch, two pedals</translation>
    </message>
    <message>
        <source>Für dieses Instrument ist keine Aktivierung wählbar.</source>
        <translation>No activation can be chosen for this instrument.</translation>
    </message>
    <message>
        <source>Zwei Pedale, nur COAG</source>
        <translation>Two pedals, COAG only</translation>
    </message>
    <message>
        <source>Zwei Pedale, nur CUT</source>
        <translation>Two pedals, CUT only</translation>
    </message>
</context>
<context>
    <name>InstrumentCells</name>
    <message>
        <source>Aktivierung</source>
        <translation>Activation</translation>
    </message>
    <message>
        <source>Behalten</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>COAG</source>
        <translation>COAG</translation>
    </message>
    <message>
        <source>CUT</source>
        <translation>CUT</translation>
    </message>
    <message>
        <source>EVX</source>
        <translation>EVX</translation>
    </message>
    <message>
        <source>EVX-Wert</source>
        <translation>EVX value</translation>
    </message>
    <message>
        <source>Effekt</source>
        <translation>Effect</translation>
    </message>
    <message>
        <source>Effekt %1</source>
        <translation>Effect %1</translation>
    </message>
    <message>
        <source>IRX</source>
        <translation>IRX</translation>
    </message>
    <message>
        <source>IRX-Wert</source>
        <translation>IRX value</translation>
    </message>
    <message>
        <source>Koagulationsmodus: %1</source>
        <translation>Coagulation mode: %1</translation>
    </message>
    <message>
        <source>Nach oben</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>Nach unten</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>Schneidmodus: %1</source>
        <translation>Cutting mode: %1</translation>
    </message>
    <message>
        <source>Subinstrument hinzufügen</source>
        <translation>Add sub-instrument</translation>
    </message>
    <message>
        <source>Zum Löschen markieren</source>
        <translation>Mark for deletion</translation>
    </message>
    <message>
        <source>gemeinsam</source>
        <translation>shared</translation>
    </message>
</context>
<context>
    <name>InstrumentConfiguration</name>
    <message>
        <source>CUT off</source>
        <translation>CUT off</translation>
    </message>
    <message>
        <source>COAG off</source>
        <translation>COAG off</translation>
    </message>
</context>
<context>
    <name>LanguageDialog</name>
    <message>
        <source>Sprache</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>LevelTab</name>
    <message>
        <source>Behalten</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>Nach links</source>
        <translation>Move left</translation>
    </message>
    <message>
        <source>Nach rechts</source>
        <translation>Move right</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Zum Löschen markieren</source>
        <translation>Mark for deletion</translation>
    </message>
</context>
<context>
    <name>LogDialog</name>
    <message>
        <source>Protokoll</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Protokoll leeren</source>
        <translation>Clear log</translation>
    </message>
    <message numerus="yes">
        <source>%n Zeile(n)</source>
        <translation>
            <numerusform>%n line</numerusform>
            <numerusform>%n lines</numerusform>
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
        <translation>Service software for QELO 3</translation>
    </message>
    <message>
        <source>Anmeldung</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>Benutzername</source>
        <translation>User name</translation>
    </message>
    <message>
        <source>Passwort</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Benutzer merken?</source>
        <translation>Remember user?</translation>
    </message>
    <message>
        <source>Anmeldung läuft …</source>
        <translation>Logging in …</translation>
    </message>
    <message>
        <source>Anmelden</source>
        <translation>Log in</translation>
    </message>
    <message>
        <source>Anmeldung abgelehnt: Die Verbindung zum Server ist nicht verschlüsselt, das Passwort würde lesbar übertragen. Verwenden Sie eine verschlüsselte Verbindung.</source>
        <translation>Login refused: the connection to the server is not encrypted, so the password would travel readable. Use an encrypted connection.</translation>
    </message>
    <message>
        <source>Server verbunden</source>
        <translation>Server connected</translation>
    </message>
    <message>
        <source>Server nicht erreichbar – Anmeldung mit lokal gespeicherten Zugangsdaten</source>
        <translation>Server not reachable – login with locally stored credentials</translation>
    </message>
    <message>
        <source>Passwort vergessen?</source>
        <translation>Forgot password?</translation>
    </message>
    <message>
        <source>Registrieren</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>Kontakt</source>
        <translation>Contact us</translation>
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
        <translation>No user name entered.</translation>
    </message>
    <message>
        <source>Kein Passwort angegeben.</source>
        <translation>No password entered.</translation>
    </message>
    <message>
        <source>Keine Serververbindung. Benutzername oder Passwort sind inkorrekt oder lokal nicht bekannt.</source>
        <translation>No server connection. The user name or password is incorrect or not known on this computer.</translation>
    </message>
    <message>
        <source>Keine Serververbindung. Ihr Benutzerkonto ist lokal nicht mehr gültig. Bitte melden Sie sich mit einer Serververbindung an.</source>
        <translation>No server connection. Your user account is no longer valid on this computer. Please log in with a server connection.</translation>
    </message>
    <message>
        <source>Benutzername oder Passwort inkorrekt.</source>
        <translation>The user name or password is incorrect.</translation>
    </message>
    <message>
        <source>Keine Antwort vom Server.</source>
        <translation>No answer from the server.</translation>
    </message>
    <message>
        <source>Ihrem Benutzerkonto ist keine Rolle oder Gruppe zugewiesen.</source>
        <translation>No role or group is assigned to your user account.</translation>
    </message>
    <message>
        <source>Unbekannter Fehler (%1).</source>
        <translation>Unknown error (%1).</translation>
    </message>
    <message>
        <source>Anmeldung fehlgeschlagen</source>
        <translation>Login failed</translation>
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
        <translation>Choose module</translation>
    </message>
</context>
<context>
    <name>NewLoginProcedureDialog</name>
    <message>
        <source>Neue Version verfügbar</source>
        <translation>New version available</translation>
    </message>
    <message>
        <source>Anwendung schließen</source>
        <translation>Close application</translation>
    </message>
    <message>
        <source>Weiter</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>Diese Version kann nicht mehr verwendet werden. Bitte installieren Sie das Update.</source>
        <translation>This version can no longer be used. Please install the update.</translation>
    </message>
</context>
<context>
    <name>ProgramGroup</name>
    <message>
        <source>Neue Programmgruppe</source>
        <translation>New program group</translation>
    </message>
</context>
<context>
    <name>ProgrammPage</name>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Dieses Subprogramm hat noch keine Instrumente.</source>
        <translation>This sub-program has no instruments yet.</translation>
    </message>
    <message>
        <source>Instrument hinzufügen</source>
        <translation>Add instrument</translation>
    </message>
    <message>
        <source>Programm ändern</source>
        <translation>Change program</translation>
    </message>
    <message>
        <source>Subprogramm hinzufügen</source>
        <translation>Add sub-program</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Zurück zum Anwenderset</source>
        <translation>Back to the user set</translation>
    </message>
</context>
<context>
    <name>ProtectedNameField</name>
    <message>
        <source>Fester Namensteil: %1</source>
        <translation>Fixed part of the name: %1</translation>
    </message>
</context>
<context>
    <name>Qelo3ConnectionDialog</name>
    <message>
        <source>Keine QELO 3 Verbindung</source>
        <translation>No QELO 3 connection</translation>
    </message>
    <message>
        <source>Verbinden Sie den Computer über das Netzwerk oder das WLAN des Geräts mit dem QELO 3. Die Verbindung wird automatisch hergestellt.</source>
        <translation>Connect the computer to the QELO 3 through the network or the device's WLAN. The connection is made automatically.</translation>
    </message>
</context>
<context>
    <name>Qelo3DownloadDialog</name>
    <message>
        <source>Von QELO 3 herunterladen</source>
        <translation>Download from QELO 3</translation>
    </message>
    <message>
        <source>Herunterladen</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Die Chrono-Dateien (Gerätedaten und Ereignisprotokoll) vom verbundenen QELO 3 herunterladen?</source>
        <translation>Download the chrono files (device data and event log) from the connected QELO 3?</translation>
    </message>
    <message>
        <source>Das Anwenderset vom verbundenen QELO 3 herunterladen?</source>
        <translation>Download the user set from the connected QELO 3?</translation>
    </message>
</context>
<context>
    <name>Qelo3UpdatePageDialog</name>
    <message>
        <source>Auf QELO 3 Hochladen</source>
        <translation>Upload to QELO 3</translation>
    </message>
    <message>
        <source>Hochladen</source>
        <translation>Upload</translation>
    </message>
    <message>
        <source>Ausgewähltes Update auf verbundenes QELO 3 hochladen?</source>
        <translation>Upload the selected update to the connected QELO 3?</translation>
    </message>
</context>
<context>
    <name>Qelo3UserSetUploadDialog</name>
    <message>
        <source>Auf QELO 3 hochladen</source>
        <translation>Upload to QELO 3</translation>
    </message>
    <message>
        <source>Hochladen</source>
        <translation>Upload</translation>
    </message>
    <message>
        <source>Ausgewähltes Anwenderset auf verbundenes QELO 3 hochladen?</source>
        <translation>Upload the selected user set to the connected QELO 3?</translation>
    </message>
</context>
<context>
    <name>Qelo3VersionMismatchDialog</name>
    <message>
        <source>Versionen passen nicht zusammen</source>
        <translation>Versions do not match</translation>
    </message>
    <message>
        <source>Trotzdem hochladen</source>
        <translation>Upload anyway</translation>
    </message>
    <message>
        <source>Kelvara Version %1 (optimiert für QELO 3 V 1.4.x)</source>
        <translation>Kelvara version %1 (optimised for QELO 3 V 1.4.x)</translation>
    </message>
    <message>
        <source>Anwenderset für QELO 3 V %1</source>
        <translation>User set for QELO 3 V %1</translation>
    </message>
    <message>
        <source>Zielgerät QELO 3 V %1</source>
        <translation>Target device QELO 3 V %1</translation>
    </message>
    <message>
        <source>Das Anwenderset kann auf diesem Gerät anders wirken als erwartet.</source>
        <translation>On this device the user set may behave differently than expected.</translation>
    </message>
</context>
<context>
    <name>RateDialog</name>
    <message>
        <source>EVX-Wert: %1</source>
        <translation>EVX value: %1</translation>
    </message>
    <message>
        <source>IRX-Wert: %1</source>
        <translation>IRX value: %1</translation>
    </message>
</context>
<context>
    <name>RenameInstrumentDialog</name>
    <message>
        <source>Instrument umbenennen</source>
        <translation>Rename instrument</translation>
    </message>
    <message>
        <source>Neuer Name:</source>
        <translation>New name:</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Rename</translation>
    </message>
</context>
<context>
    <name>RenameProgramDialog</name>
    <message>
        <source>Neuer Name:</source>
        <translation>New name:</translation>
    </message>
    <message>
        <source>Programm umbenennen</source>
        <translation>Rename program</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Rename</translation>
    </message>
</context>
<context>
    <name>SaveCopyChangesDialog</name>
    <message>
        <source>Änderungen speichern</source>
        <translation>Save changes</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Nicht speichern</source>
        <translation>Don't save</translation>
    </message>
    <message>
        <source>Möchten Sie die vorgenommenen Änderungen speichern?</source>
        <translation>Do you want to save the changes you made?</translation>
    </message>
</context>
<context>
    <name>SaveUserSetDialog</name>
    <message>
        <source>Anwenderset speichern</source>
        <translation>Save user set</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Geändertes Anwenderset speichern unter:</source>
        <translation>Save the modified user set as:</translation>
    </message>
</context>
<context>
    <name>ServerConnectionDialog</name>
    <message>
        <source>Keine Serververbindung</source>
        <translation>No server connection</translation>
    </message>
    <message>
        <source>Der Server ist nicht erreichbar. Wenn der Computer mit dem WLAN des QELO 3 verbunden ist, trennen Sie diese Verbindung und stellen Sie eine Verbindung zum Internet her.</source>
        <translation>The server cannot be reached. If the computer is connected to the WLAN of the QELO 3, disconnect from it and connect to the internet.</translation>
    </message>
</context>
<context>
    <name>SyncErrorDialog</name>
    <message>
        <source>Instrumentenkatalog</source>
        <translation>Instrument catalogue</translation>
    </message>
    <message>
        <source>Service-Center Liste</source>
        <translation>Service centre list</translation>
    </message>
    <message>
        <source>QELO 3 Downloads</source>
        <translation>QELO 3 downloads</translation>
    </message>
    <message>
        <source>Logdateien</source>
        <translation>Log files</translation>
    </message>
    <message>
        <source>Software-Updates</source>
        <translation>Software updates</translation>
    </message>
    <message>
        <source>Standard Anwendersets</source>
        <translation>Standard user sets</translation>
    </message>
    <message>
        <source>QELO 3 Downloads auf Server</source>
        <translation>QELO 3 downloads on the server</translation>
    </message>
    <message>
        <source>Synchronisation abgebrochen</source>
        <translation>Synchronisation cancelled</translation>
    </message>
    <message>
        <source>Synchronisation fehlgeschlagen</source>
        <translation>Synchronisation failed</translation>
    </message>
    <message>
        <source>Der Synchronisationsvorgang wurde vor Abschluss abgebrochen. Es sind nicht alle aktuelle Dateien des Servers sichtbar.</source>
        <translation>The synchronisation was cancelled before it finished. Not all current files of the server are shown.</translation>
    </message>
    <message>
        <source>Zeitüberschreitung für Synchronisationsvorgang in der Kategorie </source>
        <translation>The synchronisation timed out in the category </translation>
    </message>
    <message>
        <source>Die letzte angeforderte Datei war:</source>
        <translation>The last file requested was:</translation>
    </message>
    <message>
        <source>Keine</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Initialisierung</source>
        <translation>Initialisation</translation>
    </message>
</context>
<context>
    <name>SynchronizePage</name>
    <message>
        <source>Synchronisation mit dem Server …</source>
        <translation>Synchronising with the server …</translation>
    </message>
    <message>
        <source>Dateien werden auf den Server geladen …</source>
        <translation>Uploading files to the server …</translation>
    </message>
    <message>
        <source>Die Daten des Servers werden verarbeitet …</source>
        <translation>Processing the server data …</translation>
    </message>
    <message>
        <source>Synchronisation abgeschlossen</source>
        <translation>Synchronisation complete</translation>
    </message>
    <message>
        <source>Dateien werden vom Server geladen …</source>
        <translation>Downloading files from the server …</translation>
    </message>
    <message>
        <source>Software-Updates</source>
        <translation>Software updates</translation>
    </message>
    <message>
        <source>Standard Anwendersets</source>
        <translation>Standard user sets</translation>
    </message>
    <message>
        <source>Anwendersets vom Server</source>
        <translation>User sets from the server</translation>
    </message>
    <message>
        <source>Anwendersets zum Server</source>
        <translation>User sets to the server</translation>
    </message>
    <message>
        <source>Logdateien zum Server</source>
        <translation>Log files to the server</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>UpdateHistoryDialog</name>
    <message>
        <source>Installation bestätigen</source>
        <translation>Confirm installation</translation>
    </message>
    <message>
        <source>Wurde das Update auf dem QELO 3 erfolgreich installiert?</source>
        <translation>Was the update installed successfully on the QELO 3?</translation>
    </message>
</context>
<context>
    <name>UpdateHistoryPage</name>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Gerät</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Seriennummer</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Alte Version</source>
        <translation>Old version</translation>
    </message>
    <message>
        <source>Neue Version</source>
        <translation>New version</translation>
    </message>
    <message>
        <source>Übertragung</source>
        <translation>Transfer</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Sortieren nach:</source>
        <translation>Sort by:</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Noch keine Updates aufgezeichnet</source>
        <translation>No updates recorded yet</translation>
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
        <translation>Update module</translation>
    </message>
    <message>
        <source>Dieses Modul ist in dieser Version noch nicht verfügbar.</source>
        <translation>This module is not yet available in this version.</translation>
    </message>
    <message>
        <source>Es besteht keine Verbindung. Bitte prüfen Sie die Verbindung und versuchen Sie es erneut.</source>
        <translation>There is no connection. Please check the connection and try again.</translation>
    </message>
    <message>
        <source>Es läuft bereits eine Übertragung. Bitte warten Sie, bis sie beendet ist.</source>
        <translation>A transfer is already running. Please wait until it has finished.</translation>
    </message>
    <message>
        <source>Das Update-Paket wurde nicht gefunden.</source>
        <translation>The update package was not found.</translation>
    </message>
    <message>
        <source>Übertragung nicht möglich</source>
        <translation>Transfer not possible</translation>
    </message>
    <message>
        <source>Update-Paket importieren</source>
        <translation>Import update package</translation>
    </message>
    <message>
        <source>Import fehlgeschlagen</source>
        <translation>Import failed</translation>
    </message>
    <message>
        <source>Zu der Beschreibung wurde kein passendes Update-Paket (.esc) gefunden, oder es konnte nicht kopiert werden.</source>
        <translation>No matching update package (.esc) was found for the description, or it could not be copied.</translation>
    </message>
    <message>
        <source>Update-Verlauf</source>
        <translation>Update history</translation>
    </message>
    <message>
        <source>heruntergeladen</source>
        <translation>downloaded</translation>
    </message>
    <message>
        <source>Keine Updates vorhanden</source>
        <translation>No updates available</translation>
    </message>
    <message>
        <source>Auf dem Server</source>
        <translation>On the server</translation>
    </message>
    <message>
        <source>Auf diesem PC</source>
        <translation>On this PC</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>Hinweis</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Änderungen</source>
        <translation>Changes</translation>
    </message>
    <message>
        <source>Wählen Sie ein Update aus, um seine Details zu sehen.</source>
        <translation>Select an update to see its details.</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Herunterladen</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Auf QELO 3 hochladen</source>
        <translation>Upload to QELO 3</translation>
    </message>
</context>
<context>
    <name>UpdateQelo3UploadDialog</name>
    <message>
        <source>Auf QELO 3 Hochladen</source>
        <translation>Upload to QELO 3</translation>
    </message>
    <message>
        <source>Ja</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Nein</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Das Update-Paket wurde auf das QELO 3 übertragen. Wurde das Update erfolgreich installiert?</source>
        <translation>The update package has been transferred to the QELO 3. Was the update installed successfully?</translation>
    </message>
    <message>
        <source>Die Übertragung des Update-Pakets ist fehlgeschlagen. Der Versuch wird im Update-Verlauf vermerkt.</source>
        <translation>The transfer of the update package failed. The attempt is recorded in the update history.</translation>
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
        <translation>Log out</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Benutzerdaten ändern</source>
        <translation>Change user data</translation>
    </message>
    <message>
        <source>Startmodul</source>
        <translation>Start module</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>Language</translation>
    </message>
</context>
<context>
    <name>UserProgram</name>
    <message>
        <source>Neues Programm</source>
        <translation>New program</translation>
    </message>
    <message>
        <source>Neues Subprogramm</source>
        <translation>New subprogram</translation>
    </message>
</context>
<context>
    <name>UserSetDelegate</name>
    <message>
        <source>S/N: </source>
        <translation>S/N: </translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>QELO 3 V %1</source>
        <translation>QELO 3 V %1</translation>
    </message>
</context>
<context>
    <name>UserSetListPage</name>
    <message>
        <source>Zielordner für den Export wählen</source>
        <translation>Choose the export folder</translation>
    </message>
    <message>
        <source>Anwenderset importieren</source>
        <translation>Import user set</translation>
    </message>
    <message>
        <source>Lokal</source>
        <translation>Local</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Anwendersets filtern</source>
        <translation>Filter user sets</translation>
    </message>
    <message>
        <source>Keine Anwendersets</source>
        <translation>No user sets</translation>
    </message>
    <message>
        <source>Öffnen</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Auswahl beenden</source>
        <translation>End selection</translation>
    </message>
    <message>
        <source>Mehrfachauswahl</source>
        <translation>Multiple selection</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Von QELO 3 laden</source>
        <translation>Load from QELO 3</translation>
    </message>
    <message>
        <source>In lokale Liste übernehmen</source>
        <translation>Copy to local list</translation>
    </message>
</context>
<context>
    <name>UserSetOverviewPage</name>
    <message>
        <source>Instrumente</source>
        <translation>Instruments</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Programmgruppen</source>
        <translation>Program groups</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Bearbeiten</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Auf QELO 3 hochladen</source>
        <translation>Upload to QELO 3</translation>
    </message>
    <message>
        <source>Auf Server hochladen</source>
        <translation>Upload to server</translation>
    </message>
    <message>
        <source>In lokale Liste übernehmen</source>
        <translation>Copy to local list</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>LanguageName</source>
        <comment>Visible name of language in selection dialog</comment>
        <translation>English</translation>
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
        <translation>Server connection</translation>
    </message>
    <message>
        <source>QELO 3 Verbindung</source>
        <translation>QELO 3 connection</translation>
    </message>
    <message>
        <source>Modul wählen</source>
        <translation>Choose module</translation>
    </message>
    <message>
        <source>Benutzer</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>ValuePicker</name>
    <message>
        <source>AUS</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>EIN</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
</context>
</TS>
