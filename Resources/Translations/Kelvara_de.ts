<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="de_DE">
<context>
    <name>AddInstrumentDialog</name>
    <message>
        <source>Bipolar</source>
        <translation>Bipolar</translation>
    </message>
    <message>
        <source>Hinzufügen</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Instrument hinzufügen</source>
        <translation>Instrument hinzufügen</translation>
    </message>
    <message>
        <source>Mit Subinstrument</source>
        <translation>Mit Subinstrument</translation>
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
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Subprogramm hinzufügen</source>
        <translation>Subprogramm hinzufügen</translation>
    </message>
    <message>
        <source>Subprogramm umbenennen</source>
        <translation>Subprogramm umbenennen</translation>
    </message>
    <message>
        <source>Subprogrammname:</source>
        <translation>Subprogrammname:</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Umbenennen</translation>
    </message>
</context>
<context>
    <name>AddSubInstrumentDialog</name>
    <message>
        <source>Hinzufügen</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Subinstrument hinzufügen</source>
        <translation>Subinstrument hinzufügen</translation>
    </message>
    <message>
        <source>Zu: %1</source>
        <translation>Zu: %1</translation>
    </message>
</context>
<context>
    <name>AliasQuestionDialog</name>
    <message>
        <source>Den Typ nur im Subprogramm „%1“ in „%2“ ändern?</source>
        <translation>Den Typ nur im Subprogramm „%1“ in „%2“ ändern?</translation>
    </message>
    <message>
        <source>Instrumenttyp ändern</source>
        <translation>Instrumenttyp ändern</translation>
    </message>
    <message>
        <source>Ja, nur in diesem Subprogramm</source>
        <translation>Ja, nur in diesem Subprogramm</translation>
    </message>
    <message>
        <source>Nein, in allen Subprogrammen</source>
        <translation>Nein, in allen Subprogrammen</translation>
    </message>
</context>
<context>
    <name>AllUserSetsListModel</name>
    <message>
        <source>STANDARD VORLAGEN</source>
        <translation>STANDARD VORLAGEN</translation>
    </message>
    <message>
        <source>EIGENE VORLAGEN</source>
        <translation>EIGENE VORLAGEN</translation>
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
    <message>
        <source>Letzte Synchronisation:</source>
        <translation>Letzte Synchronisation:</translation>
    </message>
    <message>
        <source>Keine</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Ausstehende Uploads:</source>
        <translation>Ausstehende Uploads:</translation>
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
    <message>
        <source>Typ:</source>
        <translation>Typ:</translation>
    </message>
</context>
<context>
    <name>CancelEditDialog</name>
    <message>
        <source>Änderungen verwerfen</source>
        <translation>Änderungen verwerfen</translation>
    </message>
    <message>
        <source>Verwerfen</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Weiter bearbeiten</source>
        <translation>Weiter bearbeiten</translation>
    </message>
    <message>
        <source>Änderungen wirklich verwerfen?</source>
        <translation>Änderungen wirklich verwerfen?</translation>
    </message>
</context>
<context>
    <name>ChooseTypeDialog</name>
    <message>
        <source>Instrumenttyp wählen</source>
        <translation>Instrumenttyp wählen</translation>
    </message>
</context>
<context>
    <name>ChronoDownloadDialog</name>
    <message>
        <source>Warten auf Gerätedaten</source>
        <translation>Warten auf Gerätedaten</translation>
    </message>
    <message>
        <source>Die Chrono-Dateien werden vom QELO 3 übertragen.</source>
        <translation>Die Chrono-Dateien werden vom QELO 3 übertragen.</translation>
    </message>
    <message>
        <source>Gerätedaten (.fix)</source>
        <translation>Gerätedaten (.fix)</translation>
    </message>
    <message>
        <source>Ereignisprotokoll (.flex)</source>
        <translation>Ereignisprotokoll (.flex)</translation>
    </message>
</context>
<context>
    <name>ChronoFlexList</name>
    <message>
        <source>Ereignistypen (%1 von %2)</source>
        <translation>Ereignistypen (%1 von %2)</translation>
    </message>
    <message>
        <source>Alle</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Keine</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>z. B. 2023-10</source>
        <translation>z. B. 2023-10</translation>
    </message>
    <message>
        <source>Beschreibung</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Text in der Beschreibung</source>
        <translation>Text in der Beschreibung</translation>
    </message>
    <message>
        <source>Ereignis</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <source>Uhrzeit</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Keine Ereignisdatei gewählt.</source>
        <translation>Keine Ereignisdatei gewählt.</translation>
    </message>
    <message>
        <source>Keine Ereignisse für diese Filter.</source>
        <translation>Keine Ereignisse für diese Filter.</translation>
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
        <translation>Ereignisprotokolle des Generators</translation>
    </message>
    <message>
        <source>Chrono-Datei importieren</source>
        <translation>Chrono-Datei importieren</translation>
    </message>
    <message>
        <source>Zielordner für den Export</source>
        <translation>Zielordner für den Export</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Archiv erstellt: %1</source>
        <translation>Archiv erstellt: %1</translation>
    </message>
    <message>
        <source>Das Archiv wurde abgelehnt: es ist beschädigt oder überschreitet die zulässige Größe.</source>
        <translation>Das Archiv wurde abgelehnt: es ist beschädigt oder überschreitet die zulässige Größe.</translation>
    </message>
    <message>
        <source>Das Archiv konnte nicht erstellt werden.</source>
        <translation>Das Archiv konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>Die Gerätedaten konnten nicht empfangen werden.</source>
        <translation>Die Gerätedaten konnten nicht empfangen werden.</translation>
    </message>
    <message>
        <source>Die Datei konnte nicht abgelegt werden.</source>
        <translation>Die Datei konnte nicht abgelegt werden.</translation>
    </message>
    <message>
        <source>Von QELO 3 laden</source>
        <translation>Von QELO 3 laden</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Ordner exportieren</source>
        <translation>Ordner exportieren</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Fehlerstatistik</source>
        <translation>Fehlerstatistik</translation>
    </message>
    <message>
        <source>Keine Chrono-Dateien vorhanden. Laden Sie sie vom QELO 3 oder importieren Sie sie.</source>
        <translation>Keine Chrono-Dateien vorhanden. Laden Sie sie vom QELO 3 oder importieren Sie sie.</translation>
    </message>
    <message>
        <source>Gerätedaten</source>
        <translation>Gerätedaten</translation>
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
    <message>
        <source>Modul Contact</source>
        <translation>Modul Contact</translation>
    </message>
    <message>
        <source>Dieses Modul ist in dieser Version noch nicht verfügbar.</source>
        <translation>Dieses Modul ist in dieser Version noch nicht verfügbar.</translation>
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
    <message>
        <source>Fehler</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Es ist ein Fehler bei der Datenübertragung aufgetreten.</source>
        <translation>Es ist ein Fehler bei der Datenübertragung aufgetreten.</translation>
    </message>
    <message>
        <source>Das Anwenderset konnte nicht gespeichert werden.</source>
        <translation>Das Anwenderset konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>CopyViewController</name>
    <message>
        <source>Autostart erlaubt</source>
        <translation>Autostart erlaubt</translation>
    </message>
    <message>
        <source>Zweipedal teilbar</source>
        <translation>Zweipedal teilbar</translation>
    </message>
    <message>
        <source>Stufe 1</source>
        <translation>Stufe 1</translation>
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
    <name>DialogHost</name>
    <message>
        <source>Es besteht keine Verbindung. Bitte prüfen Sie die Verbindung und versuchen Sie es erneut.</source>
        <translation>Es besteht keine Verbindung. Bitte prüfen Sie die Verbindung und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Es läuft bereits eine Übertragung. Bitte warten Sie, bis sie beendet ist.</source>
        <translation>Es läuft bereits eine Übertragung. Bitte warten Sie, bis sie beendet ist.</translation>
    </message>
    <message>
        <source>Das Update-Paket wurde nicht gefunden.</source>
        <translation>Das Update-Paket wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Übertragung nicht möglich</source>
        <translation>Übertragung nicht möglich</translation>
    </message>
    <message>
        <source>Das Update-Paket</source>
        <translation>Das Update-Paket</translation>
    </message>
    <message>
        <source>Herunterladen fehlgeschlagen</source>
        <translation>Herunterladen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Das Update-Paket wurde nicht heruntergeladen.</source>
        <translation>Das Update-Paket wurde nicht heruntergeladen.</translation>
    </message>
</context>
<context>
    <name>EditAddProgramDialog</name>
    <message>
        <source>Programm hinzufügen</source>
        <translation>Programm hinzufügen</translation>
    </message>
    <message>
        <source>Hinzufügen</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Programmname:</source>
        <translation>Programmname:</translation>
    </message>
    <message>
        <source>Neues Programm</source>
        <translation>Neues Programm</translation>
    </message>
</context>
<context>
    <name>EditAddProgramGroupDialog</name>
    <message>
        <source>Programmgruppe hinzufügen</source>
        <translation>Programmgruppe hinzufügen</translation>
    </message>
    <message>
        <source>Hinzufügen</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Fachbereich</source>
        <translation>Fachbereich</translation>
    </message>
    <message>
        <source>Name der Programmgruppe:</source>
        <translation>Name der Programmgruppe:</translation>
    </message>
    <message>
        <source>Neue Programmgruppe</source>
        <translation>Neue Programmgruppe</translation>
    </message>
    <message>
        <source>Piktogramm</source>
        <translation>Piktogramm</translation>
    </message>
</context>
<context>
    <name>EditChangeIconDialog</name>
    <message>
        <source>Piktogramm wählen</source>
        <translation>Piktogramm wählen</translation>
    </message>
</context>
<context>
    <name>EditInstrumentDialog</name>
    <message>
        <source>In allen Subprogrammen umbenennen</source>
        <translation>In allen Subprogrammen umbenennen</translation>
    </message>
    <message>
        <source>Instrument bearbeiten</source>
        <translation>Instrument bearbeiten</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Typ ändern</source>
        <translation>Typ ändern</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>EditListRow</name>
    <message>
        <source>Piktogramm ändern</source>
        <translation>Piktogramm ändern</translation>
    </message>
    <message>
        <source>Nach oben</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Nach unten</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Behalten</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>Zum Löschen markieren</source>
        <translation>Zum Löschen markieren</translation>
    </message>
</context>
<context>
    <name>EditPage</name>
    <message>
        <source>Einstellungen</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Ungespeicherte Änderungen</source>
        <translation>Ungespeicherte Änderungen</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Speichern</translation>
    </message>
</context>
<context>
    <name>EditProgramGroupNameDialog</name>
    <message>
        <source>Programmgruppe umbenennen</source>
        <translation>Programmgruppe umbenennen</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Neuer Name:</source>
        <translation>Neuer Name:</translation>
    </message>
</context>
<context>
    <name>EditProgramPackagePage</name>
    <message>
        <source>Programmgruppen</source>
        <translation>Programmgruppen</translation>
    </message>
    <message>
        <source>Programmgruppe hinzufügen</source>
        <translation>Programmgruppe hinzufügen</translation>
    </message>
    <message>
        <source>Programme: %1</source>
        <translation>Programme: %1</translation>
    </message>
    <message>
        <source>Programme</source>
        <translation>Programme</translation>
    </message>
    <message>
        <source>Programm hinzufügen</source>
        <translation>Programm hinzufügen</translation>
    </message>
    <message>
        <source>Programm bearbeiten</source>
        <translation>Programm bearbeiten</translation>
    </message>
</context>
<context>
    <name>ErrorStatisticDialog</name>
    <message>
        <source>Fehlerstatistik</source>
        <translation>Fehlerstatistik</translation>
    </message>
    <message>
        <source>Anzahl</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Fehlerbeschreibung</source>
        <translation>Fehlerbeschreibung</translation>
    </message>
    <message>
        <source>Keine Fehlermeldungen im gewählten Ereignisprotokoll.</source>
        <translation>Keine Fehlermeldungen im gewählten Ereignisprotokoll.</translation>
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
    <name>FileDownloadDialog</name>
    <message>
        <source>Herunterladen</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Das Update-Paket wird vom Server geladen.</source>
        <translation>Das Update-Paket wird vom Server geladen.</translation>
    </message>
    <message>
        <source>%1 % geladen</source>
        <translation>%1 % geladen</translation>
    </message>
</context>
<context>
    <name>FileUploadDialog</name>
    <message>
        <source>Hochladen</source>
        <translation>Hochladen</translation>
    </message>
    <message>
        <source>%1 wird auf das QELO 3 übertragen.</source>
        <translation>%1 wird auf das QELO 3 übertragen.</translation>
    </message>
    <message>
        <source>%1 % übertragen, verbleibende Zeit: %2</source>
        <translation>%1 % übertragen, verbleibende Zeit: %2</translation>
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
    <name>InstrumentActivationDialog</name>
    <message>
        <source>Aktivierung</source>
        <translation>Aktivierung</translation>
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
        <translation>Fingerschalter</translation>
    </message>
    <message>
        <source>Fußschalter, ein Pedal</source>
        <translation>Fußschalter, ein Pedal</translation>
    </message>
    <message>
        <source>Fußschalter, zwei Pedale</source>
        <translation>Fußschalter, zwei Pedale</translation>
    </message>
    <message>
        <source>Für dieses Instrument ist keine Aktivierung wählbar.</source>
        <translation>Für dieses Instrument ist keine Aktivierung wählbar.</translation>
    </message>
    <message>
        <source>Zwei Pedale, nur COAG</source>
        <translation>Zwei Pedale, nur COAG</translation>
    </message>
    <message>
        <source>Zwei Pedale, nur CUT</source>
        <translation>Zwei Pedale, nur CUT</translation>
    </message>
</context>
<context>
    <name>InstrumentCells</name>
    <message>
        <source>Aktivierung</source>
        <translation>Aktivierung</translation>
    </message>
    <message>
        <source>Behalten</source>
        <translation>Behalten</translation>
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
        <translation>EVX-Wert</translation>
    </message>
    <message>
        <source>Effekt</source>
        <translation>Effekt</translation>
    </message>
    <message>
        <source>Effekt %1</source>
        <translation>Effekt %1</translation>
    </message>
    <message>
        <source>IRX</source>
        <translation>IRX</translation>
    </message>
    <message>
        <source>IRX-Wert</source>
        <translation>IRX-Wert</translation>
    </message>
    <message>
        <source>Koagulationsmodus: %1</source>
        <translation>Koagulationsmodus: %1</translation>
    </message>
    <message>
        <source>Nach oben</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Nach unten</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Schneidmodus: %1</source>
        <translation>Schneidmodus: %1</translation>
    </message>
    <message>
        <source>Subinstrument hinzufügen</source>
        <translation>Subinstrument hinzufügen</translation>
    </message>
    <message>
        <source>Zum Löschen markieren</source>
        <translation>Zum Löschen markieren</translation>
    </message>
    <message>
        <source>gemeinsam</source>
        <translation>gemeinsam</translation>
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
    <name>LevelTab</name>
    <message>
        <source>Behalten</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>Nach links</source>
        <translation>Nach links</translation>
    </message>
    <message>
        <source>Nach rechts</source>
        <translation>Nach rechts</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Zum Löschen markieren</source>
        <translation>Zum Löschen markieren</translation>
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
    <name>ProgrammPage</name>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Dieses Subprogramm hat noch keine Instrumente.</source>
        <translation>Dieses Subprogramm hat noch keine Instrumente.</translation>
    </message>
    <message>
        <source>Instrument hinzufügen</source>
        <translation>Instrument hinzufügen</translation>
    </message>
    <message>
        <source>Programm ändern</source>
        <translation>Programm ändern</translation>
    </message>
    <message>
        <source>Subprogramm hinzufügen</source>
        <translation>Subprogramm hinzufügen</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Zurück zum Anwenderset</source>
        <translation>Zurück zum Anwenderset</translation>
    </message>
</context>
<context>
    <name>ProtectedNameField</name>
    <message>
        <source>Fester Namensteil: %1</source>
        <translation>Fester Namensteil: %1</translation>
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
    <name>Qelo3DownloadDialog</name>
    <message>
        <source>Von QELO 3 herunterladen</source>
        <translation>Von QELO 3 herunterladen</translation>
    </message>
    <message>
        <source>Herunterladen</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Die Chrono-Dateien (Gerätedaten und Ereignisprotokoll) vom verbundenen QELO 3 herunterladen?</source>
        <translation>Die Chrono-Dateien (Gerätedaten und Ereignisprotokoll) vom verbundenen QELO 3 herunterladen?</translation>
    </message>
    <message>
        <source>Das Anwenderset vom verbundenen QELO 3 herunterladen?</source>
        <translation>Das Anwenderset vom verbundenen QELO 3 herunterladen?</translation>
    </message>
</context>
<context>
    <name>Qelo3UpdatePageDialog</name>
    <message>
        <source>Auf QELO 3 Hochladen</source>
        <translation>Auf QELO 3 Hochladen</translation>
    </message>
    <message>
        <source>Hochladen</source>
        <translation>Hochladen</translation>
    </message>
    <message>
        <source>Ausgewähltes Update auf verbundenes QELO 3 hochladen?</source>
        <translation>Ausgewähltes Update auf verbundenes QELO 3 hochladen?</translation>
    </message>
</context>
<context>
    <name>Qelo3UserSetUploadDialog</name>
    <message>
        <source>Auf QELO 3 hochladen</source>
        <translation>Auf QELO 3 hochladen</translation>
    </message>
    <message>
        <source>Hochladen</source>
        <translation>Hochladen</translation>
    </message>
    <message>
        <source>Ausgewähltes Anwenderset auf verbundenes QELO 3 hochladen?</source>
        <translation>Ausgewähltes Anwenderset auf verbundenes QELO 3 hochladen?</translation>
    </message>
</context>
<context>
    <name>Qelo3VersionMismatchDialog</name>
    <message>
        <source>Versionen passen nicht zusammen</source>
        <translation>Versionen passen nicht zusammen</translation>
    </message>
    <message>
        <source>Trotzdem hochladen</source>
        <translation>Trotzdem hochladen</translation>
    </message>
    <message>
        <source>Kelvara Version %1 (optimiert für QELO 3 V 1.4.x)</source>
        <translation>Kelvara Version %1 (optimiert für QELO 3 V 1.4.x)</translation>
    </message>
    <message>
        <source>Anwenderset für QELO 3 V %1</source>
        <translation>Anwenderset für QELO 3 V %1</translation>
    </message>
    <message>
        <source>Zielgerät QELO 3 V %1</source>
        <translation>Zielgerät QELO 3 V %1</translation>
    </message>
    <message>
        <source>Das Anwenderset kann auf diesem Gerät anders wirken als erwartet.</source>
        <translation>Das Anwenderset kann auf diesem Gerät anders wirken als erwartet.</translation>
    </message>
</context>
<context>
    <name>RateDialog</name>
    <message>
        <source>EVX-Wert: %1</source>
        <translation>EVX-Wert: %1</translation>
    </message>
    <message>
        <source>IRX-Wert: %1</source>
        <translation>IRX-Wert: %1</translation>
    </message>
</context>
<context>
    <name>RenameInstrumentDialog</name>
    <message>
        <source>Instrument umbenennen</source>
        <translation>Instrument umbenennen</translation>
    </message>
    <message>
        <source>Neuer Name:</source>
        <translation>Neuer Name:</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Umbenennen</translation>
    </message>
</context>
<context>
    <name>RenameProgramDialog</name>
    <message>
        <source>Neuer Name:</source>
        <translation>Neuer Name:</translation>
    </message>
    <message>
        <source>Programm umbenennen</source>
        <translation>Programm umbenennen</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Umbenennen</translation>
    </message>
</context>
<context>
    <name>SaveCopyChangesDialog</name>
    <message>
        <source>Änderungen speichern</source>
        <translation>Änderungen speichern</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Nicht speichern</source>
        <translation>Nicht speichern</translation>
    </message>
    <message>
        <source>Möchten Sie die vorgenommenen Änderungen speichern?</source>
        <translation>Möchten Sie die vorgenommenen Änderungen speichern?</translation>
    </message>
</context>
<context>
    <name>SaveUserSetDialog</name>
    <message>
        <source>Anwenderset speichern</source>
        <translation>Anwenderset speichern</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Geändertes Anwenderset speichern unter:</source>
        <translation>Geändertes Anwenderset speichern unter:</translation>
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
    <name>SyncErrorDialog</name>
    <message>
        <source>Instrumentenkatalog</source>
        <translation>Instrumentenkatalog</translation>
    </message>
    <message>
        <source>Service-Center Liste</source>
        <translation>Service-Center Liste</translation>
    </message>
    <message>
        <source>QELO 3 Downloads</source>
        <translation>QELO 3 Downloads</translation>
    </message>
    <message>
        <source>Logdateien</source>
        <translation>Logdateien</translation>
    </message>
    <message>
        <source>Software-Updates</source>
        <translation>Software-Updates</translation>
    </message>
    <message>
        <source>Standard Anwendersets</source>
        <translation>Standard Anwendersets</translation>
    </message>
    <message>
        <source>QELO 3 Downloads auf Server</source>
        <translation>QELO 3 Downloads auf Server</translation>
    </message>
    <message>
        <source>Synchronisation abgebrochen</source>
        <translation>Synchronisation abgebrochen</translation>
    </message>
    <message>
        <source>Synchronisation fehlgeschlagen</source>
        <translation>Synchronisation fehlgeschlagen</translation>
    </message>
    <message>
        <source>Der Synchronisationsvorgang wurde vor Abschluss abgebrochen. Es sind nicht alle aktuelle Dateien des Servers sichtbar.</source>
        <translation>Der Synchronisationsvorgang wurde vor Abschluss abgebrochen. Es sind nicht alle aktuelle Dateien des Servers sichtbar.</translation>
    </message>
    <message>
        <source>Zeitüberschreitung für Synchronisationsvorgang in der Kategorie </source>
        <translation>Zeitüberschreitung für Synchronisationsvorgang in der Kategorie </translation>
    </message>
    <message>
        <source>Die letzte angeforderte Datei war:</source>
        <translation>Die letzte angeforderte Datei war:</translation>
    </message>
    <message>
        <source>Keine</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Initialisierung</source>
        <translation>Initialisierung</translation>
    </message>
</context>
<context>
    <name>SynchronizePage</name>
    <message>
        <source>Synchronisation mit dem Server …</source>
        <translation>Synchronisation mit dem Server …</translation>
    </message>
    <message>
        <source>Dateien werden auf den Server geladen …</source>
        <translation>Dateien werden auf den Server geladen …</translation>
    </message>
    <message>
        <source>Die Daten des Servers werden verarbeitet …</source>
        <translation>Die Daten des Servers werden verarbeitet …</translation>
    </message>
    <message>
        <source>Synchronisation abgeschlossen</source>
        <translation>Synchronisation abgeschlossen</translation>
    </message>
    <message>
        <source>Dateien werden vom Server geladen …</source>
        <translation>Dateien werden vom Server geladen …</translation>
    </message>
    <message>
        <source>Software-Updates</source>
        <translation>Software-Updates</translation>
    </message>
    <message>
        <source>Standard Anwendersets</source>
        <translation>Standard Anwendersets</translation>
    </message>
    <message>
        <source>Anwendersets vom Server</source>
        <translation>Anwendersets vom Server</translation>
    </message>
    <message>
        <source>Anwendersets zum Server</source>
        <translation>Anwendersets zum Server</translation>
    </message>
    <message>
        <source>Logdateien zum Server</source>
        <translation>Logdateien zum Server</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>UpdateHistoryDialog</name>
    <message>
        <source>Installation bestätigen</source>
        <translation>Installation bestätigen</translation>
    </message>
    <message>
        <source>Wurde das Update auf dem QELO 3 erfolgreich installiert?</source>
        <translation>Wurde das Update auf dem QELO 3 erfolgreich installiert?</translation>
    </message>
</context>
<context>
    <name>UpdateHistoryPage</name>
    <message>
        <source>Datum</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Gerät</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Seriennummer</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Alte Version</source>
        <translation>Alte Version</translation>
    </message>
    <message>
        <source>Neue Version</source>
        <translation>Neue Version</translation>
    </message>
    <message>
        <source>Übertragung</source>
        <translation>Übertragung</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Sortieren nach:</source>
        <translation>Sortieren nach:</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Noch keine Updates aufgezeichnet</source>
        <translation>Noch keine Updates aufgezeichnet</translation>
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
    <message>
        <source>Es besteht keine Verbindung. Bitte prüfen Sie die Verbindung und versuchen Sie es erneut.</source>
        <translation>Es besteht keine Verbindung. Bitte prüfen Sie die Verbindung und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Es läuft bereits eine Übertragung. Bitte warten Sie, bis sie beendet ist.</source>
        <translation>Es läuft bereits eine Übertragung. Bitte warten Sie, bis sie beendet ist.</translation>
    </message>
    <message>
        <source>Das Update-Paket wurde nicht gefunden.</source>
        <translation>Das Update-Paket wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Übertragung nicht möglich</source>
        <translation>Übertragung nicht möglich</translation>
    </message>
    <message>
        <source>Update-Paket importieren</source>
        <translation>Update-Paket importieren</translation>
    </message>
    <message>
        <source>Import fehlgeschlagen</source>
        <translation>Import fehlgeschlagen</translation>
    </message>
    <message>
        <source>Zu der Beschreibung wurde kein passendes Update-Paket (.esc) gefunden, oder es konnte nicht kopiert werden.</source>
        <translation>Zu der Beschreibung wurde kein passendes Update-Paket (.esc) gefunden, oder es konnte nicht kopiert werden.</translation>
    </message>
    <message>
        <source>Update-Verlauf</source>
        <translation>Update-Verlauf</translation>
    </message>
    <message>
        <source>heruntergeladen</source>
        <translation>heruntergeladen</translation>
    </message>
    <message>
        <source>Keine Updates vorhanden</source>
        <translation>Keine Updates vorhanden</translation>
    </message>
    <message>
        <source>Auf dem Server</source>
        <translation>Auf dem Server</translation>
    </message>
    <message>
        <source>Auf diesem PC</source>
        <translation>Auf diesem PC</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>Hinweis</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Änderungen</source>
        <translation>Änderungen</translation>
    </message>
    <message>
        <source>Wählen Sie ein Update aus, um seine Details zu sehen.</source>
        <translation>Wählen Sie ein Update aus, um seine Details zu sehen.</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Herunterladen</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Auf QELO 3 hochladen</source>
        <translation>Auf QELO 3 hochladen</translation>
    </message>
</context>
<context>
    <name>UpdateQelo3UploadDialog</name>
    <message>
        <source>Auf QELO 3 Hochladen</source>
        <translation>Auf QELO 3 Hochladen</translation>
    </message>
    <message>
        <source>Ja</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Nein</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Das Update-Paket wurde auf das QELO 3 übertragen. Wurde das Update erfolgreich installiert?</source>
        <translation>Das Update-Paket wurde auf das QELO 3 übertragen. Wurde das Update erfolgreich installiert?</translation>
    </message>
    <message>
        <source>Die Übertragung des Update-Pakets ist fehlgeschlagen. Der Versuch wird im Update-Verlauf vermerkt.</source>
        <translation>Die Übertragung des Update-Pakets ist fehlgeschlagen. Der Versuch wird im Update-Verlauf vermerkt.</translation>
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
        <translation>Zielordner für den Export wählen</translation>
    </message>
    <message>
        <source>Anwenderset importieren</source>
        <translation>Anwenderset importieren</translation>
    </message>
    <message>
        <source>Lokal</source>
        <translation>Lokal</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Anwendersets filtern</source>
        <translation>Anwendersets filtern</translation>
    </message>
    <message>
        <source>Keine Anwendersets</source>
        <translation>Keine Anwendersets</translation>
    </message>
    <message>
        <source>Öffnen</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Auswahl beenden</source>
        <translation>Auswahl beenden</translation>
    </message>
    <message>
        <source>Mehrfachauswahl</source>
        <translation>Mehrfachauswahl</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Von QELO 3 laden</source>
        <translation>Von QELO 3 laden</translation>
    </message>
    <message>
        <source>In lokale Liste übernehmen</source>
        <translation>In lokale Liste übernehmen</translation>
    </message>
</context>
<context>
    <name>UserSetOverviewPage</name>
    <message>
        <source>Instrumente</source>
        <translation>Instrumente</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Programmgruppen</source>
        <translation>Programmgruppen</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Bearbeiten</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Auf QELO 3 hochladen</source>
        <translation>Auf QELO 3 hochladen</translation>
    </message>
    <message>
        <source>Auf Server hochladen</source>
        <translation>Auf Server hochladen</translation>
    </message>
    <message>
        <source>In lokale Liste übernehmen</source>
        <translation>In lokale Liste übernehmen</translation>
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
<context>
    <name>ValuePicker</name>
    <message>
        <source>AUS</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>EIN</source>
        <translation>EIN</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Übernehmen</translation>
    </message>
</context>
</TS>
