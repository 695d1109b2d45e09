<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AbstractSplit</name>
    <message>
        <source>Unsplit: no extract path!</source>
        <translation>Zusammenfügen: kein Zielpfad!</translation>
    </message>
    <message>
        <source>Unsplit: failed to create extract path!</source>
        <translation>Zusammenfügen: Der Zielpfad konnte nicht erstellt werden!</translation>
    </message>
    <message>
        <source>Unsplit: failed to open source file %1</source>
        <translation>Zusammenfügen: Die Quelldatei %1 konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Unsplit: failed to create file %1</source>
        <translation>Zusammenfügen: Die Datei %1 konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>Unsplit: joining stopped</source>
        <translation>Zusammenfügen: abgebrochen</translation>
    </message>
    <message>
        <source>Unsplit: file %1 already exists</source>
        <translation>Zusammenfügen: Die Datei %1 existiert bereits</translation>
    </message>
    <message>
        <source>Unsplit: failed to read source file - %1</source>
        <translation>Zusammenfügen: Die Quelldatei konnte nicht gelesen werden - %1</translation>
    </message>
    <message>
        <source>Unsplit: failed to write file %1</source>
        <translation type="vanished">Zusammenfügen: Die Datei %1 konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Unsplit: no volume in %1</source>
        <translation>Zusammenfügen: keine Teildatei in %1</translation>
    </message>
    <message>
        <source>Unsplit: unusable file name in %1</source>
        <translation>Zusammenfügen: unbrauchbarer Dateiname in %1</translation>
    </message>
    <message>
        <source>Unsplit: failed to parse source file %1</source>
        <translation>Zusammenfügen: Die Quelldatei %1 konnte nicht ausgewertet werden</translation>
    </message>
    <message>
        <source>Unsplit: failed to parse source file HEADER %1</source>
        <translation>Zusammenfügen: Der Header der Quelldatei %1 konnte nicht ausgewertet werden</translation>
    </message>
    <message>
        <source>Unsplit: error while parsing file - %1</source>
        <translation>Zusammenfügen: Fehler beim Auswerten der Datei - %1</translation>
    </message>
    <message>
        <source>Unsplit: unexpected end of file %1</source>
        <translation>Zusammenfügen: unerwartetes Ende der Datei %1</translation>
    </message>
    <message>
        <source>Unsplit: Error while opening file: %1</source>
        <translation>Zusammenfügen: Fehler beim Öffnen der Datei: %1</translation>
    </message>
    <message>
        <source>Unsplit: failed to write file %1: %2</source>
        <translation>Zusammenfügen: Die Datei %1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>the file on disk is short</source>
        <translation>die Datei auf der Festplatte ist zu kurz</translation>
    </message>
    <message>
        <source>Unsplit: volume %1 is missing</source>
        <translation>Zusammenfügen: Teil %1 fehlt</translation>
    </message>
</context>
<context>
    <name>AppConfiguration</name>
    <message>
        <source>Failed to create directory %1</source>
        <translation>Der Ordner %1 konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>Failed to create configuration file %1</source>
        <translation>Die Konfigurationsdatei %1 konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>Failed to open configuration file %1</source>
        <translation>Die Konfigurationsdatei %1 konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Failed to write configuration file %1</source>
        <translation>Die Konfigurationsdatei %1 konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>The queue record of NZB %1 was damaged: it has been restored from its backup</source>
        <translation>Der Warteschlangen-Eintrag des NZB %1 war beschädigt: Er wurde aus seiner Sicherungskopie wiederhergestellt</translation>
    </message>
    <message>
        <source>The queue record of NZB %1 and its backup are damaged: the NZB could not be restored, its files are kept with the suffix %2 in %3</source>
        <translation>Der Warteschlangen-Eintrag des NZB %1 und seine Sicherungskopie sind beschädigt: Das NZB konnte nicht wiederhergestellt werden, seine Dateien werden mit der Endung %2 in %3 aufbewahrt</translation>
    </message>
    <message>
        <source>The server record %1 could not be read: the file is kept in %2</source>
        <translation>Der Server-Eintrag %1 konnte nicht gelesen werden: Die Datei wird in %2 aufbewahrt</translation>
    </message>
</context>
<context>
    <name>BinSearch</name>
    <message>
        <source>Wrong path %1: cannot download NZB file</source>
        <translation>Falscher Pfad %1: Die NZB-Datei kann nicht heruntergeladen werden</translation>
    </message>
    <message>
        <source>Cannot create folder %1</source>
        <translation>Der Ordner %1 kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>The server does not respond.</source>
        <translation>Der Server antwortet nicht.</translation>
    </message>
    <message>
        <source>Network reply error: %1</source>
        <translation>Fehler in der Netzwerkantwort: %1</translation>
    </message>
    <message>
        <source>Request suceeded but no NZB returned</source>
        <translation>Die Anfrage war erfolgreich, hat aber keine NZB geliefert</translation>
    </message>
    <message>
        <source>Cannot write NZB file %1: %2</source>
        <translation>Die NZB-Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The server returned an empty page.</source>
        <translation>Der Server hat eine leere Seite geliefert.</translation>
    </message>
    <message>
        <source>Tag format exception in the answer</source>
        <translation>Unerwartetes Tag-Format in der Antwort</translation>
    </message>
    <message>
        <source>The answer of the server is larger than %1 MiB: it was stopped.</source>
        <translation>Die Antwort des Servers ist größer als %1 MiB: Sie wurde abgebrochen.</translation>
    </message>
</context>
<context>
    <name>BrowserTabWidget</name>
    <message>
        <source>Create a new tab</source>
        <translation>Neuen Tab erstellen</translation>
    </message>
    <message>
        <source>New tab</source>
        <translation>Neuer Tab</translation>
    </message>
</context>
<context>
    <name>ConfigurationSave</name>
    <message>
        <source>The configuration could not be saved: %1
The changes apply until Tessaquill+ is closed.</source>
        <translation>Die Konfiguration konnte nicht gespeichert werden: %1
Die Änderungen gelten, bis Tessaquill+ beendet wird.</translation>
    </message>
</context>
<context>
    <name>DialogAbout</name>
    <message>
        <source>About Tessaquill+</source>
        <translation>Über Tessaquill+</translation>
    </message>
    <message>
        <source>Tessaquill+</source>
        <translation>Tessaquill+</translation>
    </message>
    <message>
        <source>Version ...</source>
        <translation>Version ...</translation>
    </message>
    <message>
        <source>System Info</source>
        <translation>Systeminformationen</translation>
    </message>
    <message>
        <source>Copyright © the Tessaquill+ developers. This program comes with no warranty.</source>
        <translation>Copyright © die Entwickler von Tessaquill+. Dieses Programm wird ohne jegliche Gewährleistung bereitgestellt.</translation>
    </message>
    <message>
        <source>Questions and bug reports are welcome on the project&apos;s issue tracker.</source>
        <translation>Fragen und Fehlerberichte sind im Issue-Tracker des Projekts willkommen.</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source> - </source>
        <translation> - </translation>
    </message>
    <message>
        <source> bits</source>
        <translation> Bit</translation>
    </message>
    <message>
        <source> (Big Endian)</source>
        <translation> (Big Endian)</translation>
    </message>
    <message>
        <source> (Little Endian)</source>
        <translation> (Little Endian)</translation>
    </message>
</context>
<context>
    <name>DialogDestinationFolders</name>
    <message>
        <source>Destination folders</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>Add a new Destination</source>
        <translation>Neues Ziel hinzufügen</translation>
    </message>
    <message>
        <source>Remove selected Destination</source>
        <translation>Ausgewähltes Ziel entfernen</translation>
    </message>
    <message>
        <source>Edit the selected Destination</source>
        <translation>Ausgewähltes Ziel bearbeiten</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Please select a Destination item to delete.</source>
        <translation>Bitte wählen Sie das zu löschende Ziel aus.</translation>
    </message>
    <message>
        <source>Please select a Destination item to modify.</source>
        <translation>Bitte wählen Sie das zu bearbeitende Ziel aus.</translation>
    </message>
</context>
<context>
    <name>DialogDestinationFoldersAddModify</name>
    <message>
        <source>Destination item</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>Label: </source>
        <translation>Bezeichnung: </translation>
    </message>
    <message>
        <source>Path: </source>
        <translation>Pfad: </translation>
    </message>
    <message>
        <source>Browse path...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Please enter a Label.</source>
        <translation>Bitte geben Sie eine Bezeichnung ein.</translation>
    </message>
    <message>
        <source>Please enter a Path associated with the label.</source>
        <translation>Bitte geben Sie den Pfad zu dieser Bezeichnung ein.</translation>
    </message>
    <message>
        <source>Another Destination already has the label &quot;%1&quot;. Please enter another Label.</source>
        <translation>Ein anderes Ziel hat bereits die Bezeichnung „%1“. Bitte geben Sie eine andere Bezeichnung ein.</translation>
    </message>
    <message>
        <source>Choose directory</source>
        <translation>Ordner wählen</translation>
    </message>
    <message>
        <source>Please enter the full path of the folder associated with the label.</source>
        <translation>Bitte geben Sie den vollständigen Pfad des Ordners zu dieser Bezeichnung ein.</translation>
    </message>
    <message>
        <source>The folder cannot be used: %1.</source>
        <translation>Der Ordner kann nicht verwendet werden: %1.</translation>
    </message>
</context>
<context>
    <name>DialogDownloadNzb</name>
    <message>
        <source>Download NZB</source>
        <translation>NZB herunterladen</translation>
    </message>
    <message>
        <source>Save NZB to disk</source>
        <translation>NZB auf dem Datenträger speichern</translation>
    </message>
    <message>
        <source>Save file to:</source>
        <translation>Datei speichern in:</translation>
    </message>
    <message>
        <source>Choose the folder where NZB will be saved</source>
        <translation>Ordner wählen, in dem die NZB gespeichert wird</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Files list</source>
        <translation>Dateiliste</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Select / Unselect all files</source>
        <translation>Alle Dateien auswählen / abwählen</translation>
    </message>
    <message>
        <source>Choose from a list of your Destinations</source>
        <translation>Aus der Liste Ihrer Ziele wählen</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>Open the Destination folders configuration</source>
        <translation>Einstellungen der Zielordner öffnen</translation>
    </message>
    <message>
        <source>Configure Destination folders</source>
        <translation>Zielordner einrichten</translation>
    </message>
    <message>
        <source>NZB Destination folder:</source>
        <translation>Zielordner der NZB:</translation>
    </message>
    <message>
        <source>Choose donwload folder...</source>
        <translation>Download-Ordner wählen...</translation>
    </message>
    <message>
        <source>bytes</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>Kb</source>
        <translation>KB</translation>
    </message>
    <message>
        <source>Mb</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>Gb</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>Default Destination</source>
        <translation>Standardziel</translation>
    </message>
    <message>
        <source>Save NZB File</source>
        <translation>NZB-Datei speichern</translation>
    </message>
    <message>
        <source>Nzb files (*.nzb)</source>
        <translation>NZB-Dateien (*.nzb)</translation>
    </message>
    <message>
        <source>Choose Destination directory</source>
        <translation>Zielordner wählen</translation>
    </message>
    <message>
        <source>Please enter the path where the file will be saved</source>
        <translation>Bitte geben Sie den Pfad ein, unter dem die Datei gespeichert wird</translation>
    </message>
    <message>
        <source>Please check at least one file in the files list</source>
        <translation>Bitte markieren Sie mindestens eine Datei in der Dateiliste</translation>
    </message>
    <message>
        <source>Please enter the full path of the folder where the NZB will be downloaded</source>
        <translation>Bitte geben Sie den vollständigen Pfad des Ordners ein, in den die NZB heruntergeladen wird</translation>
    </message>
    <message>
        <source>The folder where the NZB will be downloaded cannot be used: %1.</source>
        <translation>Der Ordner, in den die NZB heruntergeladen wird, kann nicht verwendet werden: %1.</translation>
    </message>
    <message>
        <source>%1 is a folder. Please enter the path of the file the NZB will be saved to.</source>
        <translation>%1 ist ein Ordner. Bitte geben Sie den Pfad der Datei ein, in der die NZB gespeichert werden soll.</translation>
    </message>
    <message>
        <source>%1 is not a regular file (a named pipe, a device or a socket). Please enter the path of the file the NZB will be saved to.</source>
        <translation>%1 ist keine gewöhnliche Datei (eine benannte Pipe, ein Gerät oder ein Socket). Bitte geben Sie den Pfad der Datei ein, in der die NZB gespeichert werden soll.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existiert bereits.
Möchten Sie die Datei ersetzen?</translation>
    </message>
</context>
<context>
    <name>DialogHistoryNzb</name>
    <message>
        <source>NZB history</source>
        <translation>NZB-Verlauf</translation>
    </message>
    <message>
        <source>From :</source>
        <translation>Von :</translation>
    </message>
    <message>
        <source>Popup &quot;From&quot; calendar</source>
        <translation>Kalender „Von“ öffnen</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>To :</source>
        <translation>Bis :</translation>
    </message>
    <message>
        <source>Popup &quot;To&quot; calendar</source>
        <translation>Kalender „Bis“ öffnen</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>Name :</translation>
    </message>
    <message>
        <source>Filter by name</source>
        <translation>Nach Namen filtern</translation>
    </message>
    <message>
        <source>Refresh NZB list</source>
        <translation>NZB-Liste aktualisieren</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Date added</source>
        <translation>Hinzugefügt am</translation>
    </message>
    <message>
        <source>Download name</source>
        <translation>Name des Downloads</translation>
    </message>
    <message>
        <source>Delete selected NZB</source>
        <translation>Ausgewählte NZB löschen</translation>
    </message>
    <message>
        <source>Delete all history</source>
        <translation>Gesamten Verlauf löschen</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Size (KiB)</source>
        <translation>Größe (KiB)</translation>
    </message>
    <message>
        <source>Informations</source>
        <translation>Informationen</translation>
    </message>
    <message>
        <source>Size : 0 KiB</source>
        <translation>Größe : 0 KiB</translation>
    </message>
    <message>
        <source>Selected files : 0</source>
        <translation>Ausgewählte Dateien : 0</translation>
    </message>
    <message>
        <source>Select all files</source>
        <translation>Alle Dateien auswählen</translation>
    </message>
    <message>
        <source>Export selected files to NZB</source>
        <translation>Ausgewählte Dateien als NZB exportieren</translation>
    </message>
    <message>
        <source>Export to NZB</source>
        <translation>Als NZB exportieren</translation>
    </message>
    <message>
        <source>Download selected files</source>
        <translation>Ausgewählte Dateien herunterladen</translation>
    </message>
    <message>
        <source>Download selection</source>
        <translation>Auswahl herunterladen</translation>
    </message>
    <message>
        <source>KiB</source>
        <translation>KiB</translation>
    </message>
    <message>
        <source>MiB</source>
        <translation>MiB</translation>
    </message>
    <message>
        <source>GiB</source>
        <translation>GiB</translation>
    </message>
    <message>
        <source>TiB</source>
        <translation>TiB</translation>
    </message>
    <message>
        <source>Tessaquill+</source>
        <translation>Tessaquill+</translation>
    </message>
    <message>
        <source>Automatic save of your NZB history is not activated. Do you wish to activate it right now ?</source>
        <translation>Das automatische Speichern Ihres NZB-Verlaufs ist nicht aktiviert. Möchten Sie es jetzt aktivieren?</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>dd/MM/yyyy hh:mm:ss</source>
        <translation>dd.MM.yyyy hh:mm:ss</translation>
    </message>
    <message>
        <source>Error : %1</source>
        <translation>Fehler: %1</translation>
    </message>
    <message>
        <source>Selected files : </source>
        <translation>Ausgewählte Dateien : </translation>
    </message>
    <message>
        <source>Size : </source>
        <translation>Größe : </translation>
    </message>
    <message>
        <source>Failed to write NZB file %1</source>
        <translation>Die NZB-Datei %1 konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Save NZB File</source>
        <translation>NZB-Datei speichern</translation>
    </message>
    <message>
        <source>Nzb files (*.nzb)</source>
        <translation>NZB-Dateien (*.nzb)</translation>
    </message>
    <message>
        <source>The NZB you wish to download does not contain any file to download</source>
        <translation>Die NZB, die Sie herunterladen möchten, enthält keine Datei zum Herunterladen</translation>
    </message>
    <message>
        <source>Do you really want to delete the selected NZB?</source>
        <translation>Möchten Sie die ausgewählte NZB wirklich löschen?</translation>
    </message>
    <message>
        <source>Do you really want to delete all your NZB history?</source>
        <translation>Möchten Sie Ihren gesamten NZB-Verlauf wirklich löschen?</translation>
    </message>
</context>
<context>
    <name>DialogImportExportServers</name>
    <message>
        <source>Import / Export Servers</source>
        <translation>Server importieren / exportieren</translation>
    </message>
    <message>
        <source>Select Servers to import / export</source>
        <translation>Zu importierende / exportierende Server auswählen</translation>
    </message>
    <message>
        <source>Server informations</source>
        <translation>Serverinformationen</translation>
    </message>
    <message>
        <source>Server address :</source>
        <translation>Serveradresse :</translation>
    </message>
    <message>
        <source>Port :</source>
        <translation>Port :</translation>
    </message>
    <message>
        <source>Number of connections :</source>
        <translation>Anzahl der Verbindungen :</translation>
    </message>
    <message>
        <source>Account name (Login) :</source>
        <translation>Kontoname (Login) :</translation>
    </message>
    <message>
        <source>Import Servers</source>
        <translation>Server importieren</translation>
    </message>
    <message>
        <source>Select Servers to import</source>
        <translation>Zu importierende Server auswählen</translation>
    </message>
    <message>
        <source>Export Servers</source>
        <translation>Server exportieren</translation>
    </message>
    <message>
        <source>Select Servers to export</source>
        <translation>Zu exportierende Server auswählen</translation>
    </message>
    <message>
        <source>It is not a servers file: %1 (line %2, column %3).</source>
        <translation>Es ist keine Serverdatei: %1 (Zeile %2, Spalte %3).</translation>
    </message>
    <message>
        <source>It is a folder, not a servers file.</source>
        <translation>Es ist ein Ordner, keine Serverdatei.</translation>
    </message>
    <message>
        <source>The file cannot be read: %1.</source>
        <translation>Die Datei kann nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <source>The file holds no server: it is not a servers file, or an empty one.</source>
        <translation>Die Datei enthält keinen Server: Sie ist keine Serverdatei oder eine leere.</translation>
    </message>
    <message>
        <source>The passwords of its servers could not be converted; the log names the servers.</source>
        <translation>Die Passwörter seiner Server konnten nicht umgewandelt werden; das Protokoll nennt die Server.</translation>
    </message>
    <message>
        <source>The file holds more than %1 servers; the program imports at most %1 from one file.</source>
        <translation>Die Datei enthält mehr als %1 Server; das Programm importiert höchstens %1 aus einer Datei.</translation>
    </message>
    <message>
        <source>The file is larger than %1 MiB, more than any servers file takes.</source>
        <translation>Die Datei ist größer als %1 MiB, mehr als eine Serverdatei je braucht.</translation>
    </message>
</context>
<context>
    <name>DialogLogs</name>
    <message>
        <source>Logs</source>
        <translation>Protokolle</translation>
    </message>
    <message>
        <source>Current log file:</source>
        <translation>Protokolldatei:</translation>
    </message>
    <message>
        <source>Delete current log file</source>
        <translation>Diese Protokolldatei löschen</translation>
    </message>
    <message>
        <source>Delete all logs files but the most recent one</source>
        <translation>Alle Protokolldateien außer der neuesten löschen</translation>
    </message>
    <message>
        <source>Date / Time</source>
        <translation>Datum / Uhrzeit</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>Process new data</source>
        <translation>Neue Einträge laden</translation>
    </message>
    <message>
        <source>Refresh every:</source>
        <translation>Aktualisieren alle:</translation>
    </message>
    <message>
        <source>second(s)</source>
        <translation>Sekunde(n)</translation>
    </message>
    <message>
        <source>DD-MM-YYYY hh:mm:ss</source>
        <translation>DD.MM.YYYY hh:mm:ss</translation>
    </message>
    <message>
        <source>No log found in %1</source>
        <translation>Kein Protokoll in %1 gefunden</translation>
    </message>
    <message>
        <source>Log file not found: %1</source>
        <translation>Protokolldatei nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Cannot delete current log file</source>
        <translation>Die gerade verwendete Protokolldatei kann nicht gelöscht werden</translation>
    </message>
    <message>
        <source>Delete current log file.</source>
        <translation>Diese Protokolldatei löschen.</translation>
    </message>
    <message>
        <source>Do you really want to delete the current log file?</source>
        <translation>Möchten Sie diese Protokolldatei wirklich löschen?</translation>
    </message>
    <message>
        <source>Delete logs files.</source>
        <translation>Protokolldateien löschen.</translation>
    </message>
    <message>
        <source>Do you really want to delete all logs files (Except the last one)?</source>
        <translation>Möchten Sie wirklich alle Protokolldateien (außer der letzten) löschen?</translation>
    </message>
    <message>
        <source>Logs are not enabled.
If you want to activate this functionnality you have to enable it via the configuration of the application.</source>
        <translation>Die Protokollierung ist nicht aktiviert.
Um diese Funktion zu nutzen, aktivieren Sie sie in den Einstellungen der Anwendung.</translation>
    </message>
</context>
<context>
    <name>DialogManualRepairExtract</name>
    <message>
        <source>Manual repair / extraction / unsplit</source>
        <translation>Manuelle Reparatur / Entpacken / Zusammenfügen</translation>
    </message>
    <message>
        <source>PAR2 repairing</source>
        <translation>PAR2-Reparatur</translation>
    </message>
    <message>
        <source>Directory to repair :</source>
        <translation>Zu reparierender Ordner :</translation>
    </message>
    <message>
        <source>Browse Par2 directory</source>
        <translation>PAR2-Ordner wählen</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Start repairing</source>
        <translation>Reparatur starten</translation>
    </message>
    <message>
        <source>Progress :</source>
        <translation>Fortschritt :</translation>
    </message>
    <message>
        <source>Extraction</source>
        <translation>Entpacken</translation>
    </message>
    <message>
        <source>Archive to extract :</source>
        <translation>Zu entpackendes Archiv :</translation>
    </message>
    <message>
        <source>Browse Rar directory</source>
        <translation>RAR-Ordner wählen</translation>
    </message>
    <message>
        <source>Start Unrar</source>
        <translation>Entpacken starten</translation>
    </message>
    <message>
        <source>Destination folder :</source>
        <translation>Zielordner :</translation>
    </message>
    <message>
        <source>Browse Rar destination directory</source>
        <translation>Zielordner für das Entpacken wählen</translation>
    </message>
    <message>
        <source>Password (optional) :</source>
        <translation>Passwort (optional) :</translation>
    </message>
    <message>
        <source>Unsplit</source>
        <translation>Zusammenfügen</translation>
    </message>
    <message>
        <source>Archive to unsplit :</source>
        <translation>Zusammenzufügendes Archiv :</translation>
    </message>
    <message>
        <source>Browse Split directory</source>
        <translation>Ordner der geteilten Dateien wählen</translation>
    </message>
    <message>
        <source>Start Unsplit</source>
        <translation>Zusammenfügen starten</translation>
    </message>
    <message>
        <source>Browse Split destination directory</source>
        <translation>Zielordner für das Zusammenfügen wählen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Stop PAR2</source>
        <translation>Reparatur stoppen</translation>
    </message>
    <message>
        <source>Stop Unrar</source>
        <translation>Entpacken stoppen</translation>
    </message>
    <message>
        <source>Stop Unsplit</source>
        <translation>Zusammenfügen stoppen</translation>
    </message>
    <message>
        <source>Choose PAR2 directory</source>
        <translation>PAR2-Ordner wählen</translation>
    </message>
    <message>
        <source>Choose Unrar directory</source>
        <translation>Ordner zum Entpacken wählen</translation>
    </message>
    <message>
        <source>Choose Unrar Destination directory</source>
        <translation>Zielordner für das Entpacken wählen</translation>
    </message>
    <message>
        <source>Choose Unsplit directory</source>
        <translation>Ordner zum Zusammenfügen wählen</translation>
    </message>
    <message>
        <source>Choose Unsplit destination</source>
        <translation>Ziel für das Zusammenfügen wählen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Directory %1 does not exist.</source>
        <translation>Der Ordner %1 existiert nicht.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>No PAR2 file found in %1.</source>
        <translation>Keine PAR2-Datei in %1 gefunden.</translation>
    </message>
    <message>
        <source>Destination directory %1 does not exist.</source>
        <translation>Der Zielordner %1 existiert nicht.</translation>
    </message>
    <message>
        <source>PAR2 successful !</source>
        <translation>PAR2-Reparatur erfolgreich!</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>PAR2 : need %1 more block(s) to repair.</source>
        <translation>PAR2: Für die Reparatur fehlende Blöcke: %1.</translation>
    </message>
    <message>
        <source>PAR2 error code %1.</source>
        <translation>PAR2-Fehlercode %1.</translation>
    </message>
    <message>
        <source>Unrar successful !</source>
        <translation>Entpacken erfolgreich!</translation>
    </message>
    <message>
        <source>No rar file found in directory : %1</source>
        <translation>Keine RAR-Datei im Ordner gefunden: %1</translation>
    </message>
    <message>
        <source>Failed to create destination directory : %1</source>
        <translation>Der Zielordner konnte nicht erstellt werden: %1</translation>
    </message>
    <message>
        <source>Unrar error: exit code: %1, exit status: %2</source>
        <translation>Fehler beim Entpacken: Exit-Code %1, Beendigungsstatus %2</translation>
    </message>
    <message>
        <source>Unsplit successful !</source>
        <translation>Zusammenfügen erfolgreich!</translation>
    </message>
    <message>
        <source>Unsplit - no splitted file found</source>
        <translation>Zusammenfügen - keine geteilte Datei gefunden</translation>
    </message>
    <message>
        <source>Unsplit error : %1</source>
        <translation>Fehler beim Zusammenfügen: %1</translation>
    </message>
    <message>
        <source>Unrar in progress...</source>
        <translation>Entpacken läuft...</translation>
    </message>
    <message>
        <source>Unrar progress: %1</source>
        <translation>Fortschritt beim Entpacken: %1</translation>
    </message>
    <message>
        <source>Unsplit in progress: %1%</source>
        <translation>Zusammenfügen läuft: %1 %</translation>
    </message>
    <message>
        <source>%1: successful</source>
        <translation>%1: erfolgreich</translation>
    </message>
    <message>
        <source>%1: need %2 more block(s) to repair</source>
        <translation>%1: %2 weitere(r) Block/Blöcke zur Reparatur nötig</translation>
    </message>
    <message>
        <source>%1: PAR2 error code %2</source>
        <translation>%1: PAR2-Fehlercode %2</translation>
    </message>
    <message>
        <source>%1 PAR2 sets:
%2</source>
        <translation>%1 PAR2-Sätze:
%2</translation>
    </message>
</context>
<context>
    <name>DialogServerManagement</name>
    <message>
        <source>Server Configuration</source>
        <translation>Serverkonfiguration</translation>
    </message>
    <message>
        <source>Server general settings</source>
        <translation>Allgemeine Servereinstellungen</translation>
    </message>
    <message>
        <source>Server address:</source>
        <translation>Serveradresse:</translation>
    </message>
    <message>
        <source>Server name or IP</source>
        <translation>Servername oder IP-Adresse</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Server port</source>
        <translation>Server-Port</translation>
    </message>
    <message>
        <source>Number of connections:</source>
        <translation>Anzahl der Verbindungen:</translation>
    </message>
    <message>
        <source>Number of connections</source>
        <translation>Anzahl der Verbindungen</translation>
    </message>
    <message>
        <source>Choose a nickname for the server:</source>
        <translation>Wählen Sie einen Kurznamen für den Server:</translation>
    </message>
    <message>
        <source>Nickname of the server</source>
        <translation>Kurzname des Servers</translation>
    </message>
    <message>
        <source>Counter:</source>
        <translation>Zähler:</translation>
    </message>
    <message>
        <source>0 KiB</source>
        <translation>0 KiB</translation>
    </message>
    <message>
        <source>Date Counter</source>
        <translation>Zählerdatum</translation>
    </message>
    <message>
        <source>Reset counter</source>
        <translation>Zähler zurücksetzen</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>Authentifizierung</translation>
    </message>
    <message>
        <source>Authentication on the server</source>
        <translation>Anmeldung am Server</translation>
    </message>
    <message>
        <source>The server requires authentication</source>
        <translation>Der Server erfordert eine Anmeldung</translation>
    </message>
    <message>
        <source>Account name (Login):</source>
        <translation>Kontoname (Login):</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>SSL</source>
        <translation>SSL</translation>
    </message>
    <message>
        <source>Secured connection (SSL)</source>
        <translation>Gesicherte Verbindung (SSL)</translation>
    </message>
    <message>
        <source>Test the connection</source>
        <translation>Verbindung testen</translation>
    </message>
    <message>
        <source>Click on this button to test the connection</source>
        <translation>Klicken Sie auf diese Schaltfläche, um die Verbindung zu testen</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>KiB</source>
        <translation>KiB</translation>
    </message>
    <message>
        <source>MiB</source>
        <translation>MiB</translation>
    </message>
    <message>
        <source>GiB</source>
        <translation>GiB</translation>
    </message>
    <message>
        <source>TiB</source>
        <translation>TiB</translation>
    </message>
    <message>
        <source>Tessaquill+</source>
        <translation>Tessaquill+</translation>
    </message>
    <message>
        <source>Server name is required</source>
        <translation>Der Servername ist erforderlich</translation>
    </message>
    <message>
        <source>Server nickname is required</source>
        <translation>Der Kurzname des Servers ist erforderlich</translation>
    </message>
    <message>
        <source>Invalid Port value</source>
        <translation>Ungültiger Port</translation>
    </message>
    <message>
        <source>Login is required</source>
        <translation>Der Benutzername ist erforderlich</translation>
    </message>
    <message>
        <source>Password is required</source>
        <translation>Das Passwort ist erforderlich</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Your password contains extra spaces. Do you want to remove them?</source>
        <translation>Ihr Passwort enthält überzählige Leerzeichen. Möchten Sie sie entfernen?</translation>
    </message>
    <message>
        <source>Do you really want to reset your counter ?</source>
        <translation>Möchten Sie Ihren Zähler wirklich zurücksetzen?</translation>
    </message>
    <message>
        <source>0 byte</source>
        <translation>0 Byte</translation>
    </message>
    <message>
        <source>Stop the current connection test</source>
        <translation>Laufenden Verbindungstest abbrechen</translation>
    </message>
    <message>
        <source>Testing the connection...</source>
        <translation>Verbindung wird getestet...</translation>
    </message>
    <message>
        <source>You are successfully connected to the server!</source>
        <translation>Die Verbindung zum Server war erfolgreich!</translation>
    </message>
    <message>
        <source>An error occured while connecting to the server: %1</source>
        <translation>Beim Verbinden mit dem Server ist ein Fehler aufgetreten: %1</translation>
    </message>
    <message>
        <source>The address, nickname, login and password are too long together to be saved</source>
        <translation>Adresse, Kurzname, Benutzername und Passwort sind zusammen zu lang, um gespeichert zu werden</translation>
    </message>
</context>
<context>
    <name>DialogSettings</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>General settings</source>
        <translation>Allgemeine Einstellungen</translation>
    </message>
    <message>
        <source>Program folders</source>
        <translation>Programmordner</translation>
    </message>
    <message>
        <source>Cache:</source>
        <translation>Cache:</translation>
    </message>
    <message>
        <source>Select cache folder</source>
        <translation>Cache-Ordner wählen</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Download:</source>
        <translation>Download:</translation>
    </message>
    <message>
        <source>Select download folder</source>
        <translation>Download-Ordner wählen</translation>
    </message>
    <message>
        <source>Destination:</source>
        <translation>Ziel:</translation>
    </message>
    <message>
        <source>Select destination folder</source>
        <translation>Zielordner wählen</translation>
    </message>
    <message>
        <source>Restore default Cache, Download and Destination folders</source>
        <translation>Standardordner für Cache, Download und Ziel wiederherstellen</translation>
    </message>
    <message>
        <source>Restore default folders</source>
        <translation>Standardordner wiederherstellen</translation>
    </message>
    <message>
        <source>Open the Destination folders configuration</source>
        <translation>Einstellungen der Zielordner öffnen</translation>
    </message>
    <message>
        <source>Configure Destination folders</source>
        <translation>Zielordner einrichten</translation>
    </message>
    <message>
        <source>Create a sub-folder for each download in Destination</source>
        <translation>Für jeden Download einen Unterordner im Ziel anlegen</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Download options</source>
        <translation>Download-Optionen</translation>
    </message>
    <message>
        <source>Automatic Unrar at the end of the download</source>
        <translation>Nach dem Download automatisch entpacken</translation>
    </message>
    <message>
        <source>Automatic Unrar</source>
        <translation>Automatisch entpacken</translation>
    </message>
    <message>
        <source>Automatic Unsplit at the end of the download</source>
        <translation>Nach dem Download automatisch zusammenfügen</translation>
    </message>
    <message>
        <source>Automatic Unsplit</source>
        <translation>Automatisch zusammenfügen</translation>
    </message>
    <message>
        <source>Enable NZB download history</source>
        <translation>NZB-Download-Verlauf aktivieren</translation>
    </message>
    <message>
        <source>Automatically add NZB in the Download list</source>
        <translation>NZB automatisch zur Download-Liste hinzufügen</translation>
    </message>
    <message>
        <source>Auto download NZB when added to Tessaquill+</source>
        <translation>NZB automatisch herunterladen, wenn sie zu Tessaquill+ hinzugefügt werden</translation>
    </message>
    <message>
        <source>Enable Tessaquill+ &quot;Smart Download&quot;</source>
        <translation>Den „intelligenten Download“ von Tessaquill+ aktivieren</translation>
    </message>
    <message>
        <source>Enable &quot;Smart Download&quot; (PAR2 files are downloaded if needed)</source>
        <translation>„Intelligenten Download“ aktivieren (PAR2-Dateien werden nur bei Bedarf heruntergeladen)</translation>
    </message>
    <message>
        <source>Always keep PAR2 files at the end of the download</source>
        <translation>PAR2-Dateien nach dem Download immer behalten</translation>
    </message>
    <message>
        <source>Always keep PAR2 files</source>
        <translation>PAR2-Dateien immer behalten</translation>
    </message>
    <message>
        <source>Filter removal</source>
        <translation>Dateien per Filter entfernen</translation>
    </message>
    <message>
        <source>Files extension to remove:</source>
        <translation>Zu entfernende Dateiendungen:</translation>
    </message>
    <message>
        <source>Speed limit</source>
        <translation>Geschwindigkeitsbegrenzung</translation>
    </message>
    <message>
        <source>Automatic detection of the maximum speed for the bandwidth limit</source>
        <translation>Höchstgeschwindigkeit für die Bandbreitengrenze automatisch ermitteln</translation>
    </message>
    <message>
        <source>Manually set the limit</source>
        <translation>Grenze von Hand festlegen</translation>
    </message>
    <message>
        <source>KiB/s</source>
        <translation>KiB/s</translation>
    </message>
    <message>
        <source>Connection timeout :</source>
        <translation>Verbindungs-Timeout :</translation>
    </message>
    <message>
        <source>seconds (From 2 to 30 seconds)</source>
        <translation>Sekunden (2 bis 30 Sekunden)</translation>
    </message>
    <message>
        <source>Logs</source>
        <translation>Protokolle</translation>
    </message>
    <message>
        <source>Log disabled</source>
        <translation>Protokoll deaktiviert</translation>
    </message>
    <message>
        <source>Log with INFO level</source>
        <translation>Protokoll mit Stufe INFO</translation>
    </message>
    <message>
        <source>Log with WARNING level</source>
        <translation>Protokoll mit Stufe WARNING</translation>
    </message>
    <message>
        <source>Log with ERROR level</source>
        <translation>Protokoll mit Stufe ERROR</translation>
    </message>
    <message>
        <source>Logs are disabled</source>
        <translation>Die Protokollierung ist deaktiviert</translation>
    </message>
    <message>
        <source>Delete log files:</source>
        <translation>Protokolldateien löschen:</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>Every week</source>
        <translation>Jede Woche</translation>
    </message>
    <message>
        <source>Every month</source>
        <translation>Jeden Monat</translation>
    </message>
    <message>
        <source>Proxy configuration</source>
        <translation>Proxy-Einstellungen</translation>
    </message>
    <message>
        <source>No proxy</source>
        <translation>Kein Proxy</translation>
    </message>
    <message>
        <source>Proxy enabled</source>
        <translation>Proxy aktiviert</translation>
    </message>
    <message>
        <source>Please wait while detecting proxies...</source>
        <translation>Bitte warten, Proxys werden gesucht...</translation>
    </message>
    <message>
        <source>Host name</source>
        <translation>Hostname</translation>
    </message>
    <message>
        <source>Refresh list of proxies</source>
        <translation>Proxy-Liste aktualisieren</translation>
    </message>
    <message>
        <source>Login:</source>
        <translation>Benutzername:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Import / Export</source>
        <translation>Import / Export</translation>
    </message>
    <message>
        <source>Servers Import / Export</source>
        <translation>Server importieren / exportieren</translation>
    </message>
    <message>
        <source>Export Servers</source>
        <translation>Server exportieren</translation>
    </message>
    <message>
        <source>Import Servers</source>
        <translation>Server importieren</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Select language</source>
        <translation>Sprache wählen</translation>
    </message>
    <message>
        <source>Select language:</source>
        <translation>Sprache wählen:</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Französisch</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spanisch</translation>
    </message>
    <message>
        <source>Choose cache directory</source>
        <translation>Cache-Ordner wählen</translation>
    </message>
    <message>
        <source>Choose download directory</source>
        <translation>Download-Ordner wählen</translation>
    </message>
    <message>
        <source>Choose destination directory</source>
        <translation>Zielordner wählen</translation>
    </message>
    <message>
        <source>Logs are enabled with INFOS, WARNINGS and ERRORS</source>
        <translation>Protokolliert werden Informationen, Warnungen und Fehler</translation>
    </message>
    <message>
        <source>Logs are enabled with WARNINGS and ERRORS</source>
        <translation>Protokolliert werden Warnungen und Fehler</translation>
    </message>
    <message>
        <source>Logs are enabled with ERRORS</source>
        <translation>Protokolliert werden Fehler</translation>
    </message>
    <message>
        <source>Please enter the full path of the Cache folder.</source>
        <translation>Bitte geben Sie den vollständigen Pfad des Cache-Ordners ein.</translation>
    </message>
    <message>
        <source>Please enter the full path of the Download folder.</source>
        <translation>Bitte geben Sie den vollständigen Pfad des Download-Ordners ein.</translation>
    </message>
    <message>
        <source>Please enter the full path of the Destination folder.</source>
        <translation>Bitte geben Sie den vollständigen Pfad des Zielordners ein.</translation>
    </message>
    <message>
        <source>Cache, Download and Destination folders must be defined in different paths.</source>
        <translation>Cache-, Download- und Zielordner müssen in unterschiedlichen Pfaden liegen.</translation>
    </message>
    <message>
        <source>Please check your files filter removal pattern. It must match the following format: *.nzb;*.par2;*.001</source>
        <translation>Bitte prüfen Sie das Filtermuster der zu entfernenden Dateien. Es muss folgendem Format entsprechen: *.nzb;*.par2;*.001</translation>
    </message>
    <message>
        <source>The maximum speed limit is invald. It must be between 50 KiB/s and 99999 KiB/s</source>
        <translation>Die Geschwindigkeitsgrenze ist ungültig. Sie muss zwischen 50 KiB/s und 99999 KiB/s liegen</translation>
    </message>
    <message>
        <source>The socket timeout must be between 2 and 30 seconds</source>
        <translation>Das Verbindungs-Timeout muss zwischen 2 und 30 Sekunden liegen</translation>
    </message>
    <message>
        <source>You will have to restart the application in order to apply the new selected language.</source>
        <translation>Die neue Sprache wird erst nach einem Neustart der Anwendung wirksam.</translation>
    </message>
    <message>
        <source>No proxy found !</source>
        <translation>Kein Proxy gefunden!</translation>
    </message>
    <message>
        <source>&lt;/b&gt;, port:</source>
        <translation>&lt;/b&gt;, Port:</translation>
    </message>
    <message>
        <source>Tunneling Capability&lt;br/&gt;</source>
        <translation>Tunneling&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Listening Capability&lt;br/&gt;</source>
        <translation>Eingehende Verbindungen (Listening)&lt;br/&gt;</translation>
    </message>
    <message>
        <source>UDP Tunneling Capability&lt;br/&gt;</source>
        <translation>UDP-Tunneling&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Caching Capability&lt;br/&gt;</source>
        <translation>Zwischenspeicherung (Caching)&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Host Name Lookup Capability&lt;br/&gt;</source>
        <translation>Auflösung von Hostnamen&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Open a Tessaquill+ Servers file</source>
        <translation>Tessaquill+-Serverdatei öffnen</translation>
    </message>
    <message>
        <source>Tessaquill+ Servers (*.tvp)</source>
        <translation>Tessaquill+-Server (*.tvp)</translation>
    </message>
    <message>
        <source>;;Tessaquill 0.8.x Servers (*.tvs)</source>
        <translation>;;Tessaquill-0.8.x-Server (*.tvs)</translation>
    </message>
    <message>
        <source>An error occured while importing the Tessaquill 0.8.x Servers file</source>
        <translation>Beim Importieren der Tessaquill-0.8.x-Serverdatei ist ein Fehler aufgetreten</translation>
    </message>
    <message>
        <source>An error occured while importing the Tessaquill+ Servers file</source>
        <translation>Beim Importieren der Tessaquill+-Serverdatei ist ein Fehler aufgetreten</translation>
    </message>
    <message>
        <source>You must select at least one server to import.</source>
        <translation>Sie müssen mindestens einen Server zum Importieren auswählen.</translation>
    </message>
    <message>
        <source>The servers could not be added.</source>
        <translation>Die Server konnten nicht hinzugefügt werden.</translation>
    </message>
    <message>
        <source>Servers successfully imported.</source>
        <translation>Server erfolgreich importiert.</translation>
    </message>
    <message>
        <source>Choose a Tessaquill+ file to export Servers</source>
        <translation>Tessaquill+-Datei für den Export der Server wählen</translation>
    </message>
    <message>
        <source>You must select at least one server to export.</source>
        <translation>Sie müssen mindestens einen Server zum Exportieren auswählen.</translation>
    </message>
    <message>
        <source>Servers successfully exported to %1</source>
        <translation>Server erfolgreich nach %1 exportiert</translation>
    </message>
    <message>
        <source>Failed to create file %1</source>
        <translation>Die Datei %1 konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>Failed to write file %1</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>server %1 of the file</source>
        <translation>Server %1 der Datei</translation>
    </message>
    <message>
        <source>%1 %2 is not between %3 and %4</source>
        <translation>%1 %2 liegt nicht zwischen %3 und %4</translation>
    </message>
    <message>
        <source>%1 longer than %2 characters</source>
        <translation>%1 länger als %2 Zeichen</translation>
    </message>
    <message>
        <source>no server address</source>
        <translation>keine Serveradresse</translation>
    </message>
    <message>
        <source>server address</source>
        <translation>Serveradresse</translation>
    </message>
    <message>
        <source>no nickname</source>
        <translation>kein Kurzname</translation>
    </message>
    <message>
        <source>nickname</source>
        <translation>Kurzname</translation>
    </message>
    <message>
        <source>port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>number of connections</source>
        <translation>Anzahl der Verbindungen</translation>
    </message>
    <message>
        <source>login</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>settings too long to be stored</source>
        <translation>Einstellungen zu lang zum Speichern</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>These servers are not imported:
%1</source>
        <translation>Diese Server werden nicht importiert:
%1</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>und %n weiterer</numerusform>
            <numerusform>und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>The Cache folder cannot be used: %1.</source>
        <translation>Der Cache-Ordner kann nicht verwendet werden: %1.</translation>
    </message>
    <message>
        <source>The Download folder cannot be used: %1.</source>
        <translation>Der Download-Ordner kann nicht verwendet werden: %1.</translation>
    </message>
    <message>
        <source>The Destination folder cannot be used: %1.</source>
        <translation>Der Zielordner kann nicht verwendet werden: %1.</translation>
    </message>
</context>
<context>
    <name>DialogShutdown</name>
    <message>
        <source>Shutdown management</source>
        <translation>Herunterfahren verwalten</translation>
    </message>
    <message>
        <source>No shutdown</source>
        <translation>Nicht herunterfahren</translation>
    </message>
    <message>
        <source>Close application at the end of the downloads</source>
        <translation>Anwendung nach Abschluss der Downloads schließen</translation>
    </message>
    <message>
        <source>Shutdown computer at the end of the downloads</source>
        <translation>Computer nach Abschluss der Downloads herunterfahren</translation>
    </message>
    <message>
        <source>Standby computer at the end of the downloads</source>
        <translation>Computer nach Abschluss der Downloads in den Standby versetzen</translation>
    </message>
    <message>
        <source>Hibernate computer at the end of the downloads</source>
        <translation>Computer nach Abschluss der Downloads in den Ruhezustand versetzen</translation>
    </message>
    <message>
        <source>Save shutdown configuration</source>
        <translation>Einstellung zum Herunterfahren speichern</translation>
    </message>
</context>
<context>
    <name>DialogWebAuthentication</name>
    <message>
        <source>Authentication required</source>
        <translation>Anmeldung erforderlich</translation>
    </message>
    <message>
        <source>Intro label</source>
        <translation>Einleitungstext</translation>
    </message>
    <message>
        <source>Login: </source>
        <translation>Benutzername: </translation>
    </message>
    <message>
        <source>Password: </source>
        <translation>Passwort: </translation>
    </message>
</context>
<context>
    <name>DialogWebFavourite</name>
    <message>
        <source>Add Favourite</source>
        <translation>Favorit hinzufügen</translation>
    </message>
    <message>
        <source>Title: </source>
        <translation>Titel: </translation>
    </message>
    <message>
        <source>URL: </source>
        <translation>URL: </translation>
    </message>
</context>
<context>
    <name>DialogWebOptions</name>
    <message>
        <source>Browser options</source>
        <translation>Browser-Optionen</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>Delete selected favourites</source>
        <translation>Ausgewählte Favoriten löschen</translation>
    </message>
    <message>
        <source>List of favourites</source>
        <translation>Liste der Favoriten</translation>
    </message>
    <message>
        <source>Home page</source>
        <translation>Startseite</translation>
    </message>
    <message>
        <source>Open the following page:</source>
        <translation>Folgende Seite öffnen:</translation>
    </message>
    <message>
        <source>Load the home page at startup</source>
        <translation>Startseite beim Programmstart laden</translation>
    </message>
    <message>
        <source>Web settings</source>
        <translation>Web-Einstellungen</translation>
    </message>
    <message>
        <source>Plugins enabled</source>
        <translation>Plugins aktiviert</translation>
    </message>
    <message>
        <source>Java enabled</source>
        <translation>Java aktiviert</translation>
    </message>
    <message>
        <source>Javascript enabled</source>
        <translation>JavaScript aktiviert</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Favourite&apos;s name &quot;%1&quot; must be unique</source>
        <translation>Der Favoritenname „%1“ muss eindeutig sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; favourite&apos;s URL mustn&apos;t be empty</source>
        <translation>Die URL des Favoriten „%1“ darf nicht leer sein</translation>
    </message>
</context>
<context>
    <name>DialogWizard</name>
    <message>
        <source>Tessaquill+ - Configuration Wizard</source>
        <translation>Tessaquill+ - Einrichtungsassistent</translation>
    </message>
    <message>
        <source>Welcome to the server Wizard Configuration!</source>
        <translation>Willkommen beim Einrichtungsassistenten für den Server!</translation>
    </message>
    <message>
        <source>Type the address of your internet news (NNTP) server.</source>
        <translation>Geben Sie die Adresse Ihres News-Servers (NNTP) ein.</translation>
    </message>
    <message>
        <source>News (NNTP) server address:</source>
        <translation>Adresse des News-Servers (NNTP):</translation>
    </message>
    <message>
        <source>News (NNTP) server requires a user name and password</source>
        <translation>Der News-Server (NNTP) erfordert Benutzername und Passwort</translation>
    </message>
    <message>
        <source>News (NNTP) server uses SSL encryption</source>
        <translation>Der News-Server (NNTP) verwendet SSL-Verschlüsselung</translation>
    </message>
    <message>
        <source>Number of connections:</source>
        <translation>Anzahl der Verbindungen:</translation>
    </message>
    <message>
        <source>User name and password</source>
        <translation>Benutzername und Passwort</translation>
    </message>
    <message>
        <source>Enter the user name and password provided by your news (NNTP) provider.</source>
        <translation>Geben Sie den Benutzernamen und das Passwort ein, die Sie von Ihrem News-Anbieter (NNTP) erhalten haben.</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>Benutzername:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Congratulations!</source>
        <translation>Herzlichen Glückwunsch!</translation>
    </message>
    <message>
        <source>You have successfully configured your news (NNTP) server. It will be added to the servers list when you click on Finished.</source>
        <translation>Ihr News-Server (NNTP) ist eingerichtet. Er wird zur Serverliste hinzugefügt, wenn Sie auf Fertig stellen klicken.</translation>
    </message>
    <message>
        <source>You can access to its configuration by double-clicking the server name.</source>
        <translation>Seine Einstellungen öffnen Sie mit einem Doppelklick auf den Servernamen.</translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; Zurück</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Weiter &gt;</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Fertig stellen</translation>
    </message>
    <message>
        <source>Please enter the name of your news (NNTP) server.</source>
        <translation>Bitte geben Sie den Namen Ihres News-Servers (NNTP) ein.</translation>
    </message>
    <message>
        <source>Please enter the user name.</source>
        <translation>Bitte geben Sie den Benutzernamen ein.</translation>
    </message>
    <message>
        <source>Please enter the password.</source>
        <translation>Bitte geben Sie das Passwort ein.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Your password contains extra spaces. Do you want to remove them?</source>
        <translation>Ihr Passwort enthält überzählige Leerzeichen. Möchten Sie sie entfernen?</translation>
    </message>
    <message>
        <source>The text after the server&apos;s address is not a port number from 1 to 65535: &quot;%1&quot;
Type the address alone: the usual port is then used, and it can be changed in the server editor (double-click the server in the servers list).</source>
        <translation>Der Text nach der Adresse des Servers ist keine Portnummer von 1 bis 65535: &quot;%1&quot;
Geben Sie nur die Adresse ein: Dann wird der übliche Port verwendet, und er kann im Servereditor geändert werden (Doppelklick auf den Server in der Serverliste).</translation>
    </message>
</context>
<context>
    <name>DownloadNzbManager</name>
    <message>
        <source>Unknown NZB Subject</source>
        <translation>Unbekannter NZB-Betreff</translation>
    </message>
    <message>
        <source>Error: no NZB file object</source>
        <translation>Fehler: kein NZB-Dateiobjekt</translation>
    </message>
    <message>
        <source>Error: NZB file already queued</source>
        <translation>Fehler: Die NZB-Datei ist bereits in der Warteschlange</translation>
    </message>
    <message>
        <source>the disk is full or the folder cannot be written</source>
        <translation>der Datenträger ist voll oder der Ordner ist nicht beschreibbar</translation>
    </message>
    <message>
        <source>Downloads paused: cannot write the temporary file %1 (%2). Free some disk space or check the Cache folder, then resume the downloads.</source>
        <translation type="vanished">Downloads angehalten: Die temporäre Datei %1 kann nicht geschrieben werden (%2). Geben Sie Speicherplatz frei oder prüfen Sie den Cache-Ordner und setzen Sie dann die Downloads fort.</translation>
    </message>
    <message>
        <source>No par2 file found!</source>
        <translation>Keine PAR2-Datei gefunden!</translation>
    </message>
    <message>
        <source>Par2: success - %1</source>
        <translation>PAR2: erfolgreich - %1</translation>
    </message>
    <message>
        <source>Par2: need more par2 volumes to repair - %1</source>
        <translation>PAR2: Für die Reparatur werden weitere PAR2-Volumes benötigt - %1</translation>
    </message>
    <message>
        <source>Par2: repair is not possible - %1</source>
        <translation>PAR2: Die Reparatur ist nicht möglich - %1</translation>
    </message>
    <message>
        <source>Failed to create extract directory</source>
        <translation>Der Ordner zum Entpacken konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>Unrar error: exit code: %1, exit status: %2</source>
        <translation>Fehler beim Entpacken: Exit-Code %1, Beendigungsstatus %2</translation>
    </message>
    <message>
        <source>Data files are damaged and there is enough recovery data available to repair them</source>
        <translation>Die Datendateien sind beschädigt, und es sind genug Wiederherstellungsdaten vorhanden, um sie zu reparieren</translation>
    </message>
    <message>
        <source>There was something wrong with the command line arguments</source>
        <translation>Mit den Befehlszeilenargumenten stimmte etwas nicht</translation>
    </message>
    <message>
        <source>The PAR2 files did not contain sufficient information about the data files to be able to verify them</source>
        <translation>Die PAR2-Dateien enthielten nicht genug Angaben über die Datendateien, um sie prüfen zu können</translation>
    </message>
    <message>
        <source>Repair completed but the data files still appear to be damaged</source>
        <translation>Reparatur abgeschlossen, aber die Datendateien scheinen weiterhin beschädigt zu sein</translation>
    </message>
    <message>
        <source>An error occured when accessing files</source>
        <translation>Beim Zugriff auf die Dateien ist ein Fehler aufgetreten</translation>
    </message>
    <message>
        <source>An internal error occurred</source>
        <translation>Ein interner Fehler ist aufgetreten</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Arbeitsspeicher</translation>
    </message>
    <message>
        <source>Failed to start PAR2: you may have insufficient permissions to invoke the program</source>
        <translation>PAR2 konnte nicht gestartet werden: Möglicherweise fehlen Ihnen die Rechte, das Programm auszuführen</translation>
    </message>
    <message>
        <source>Downloads paused: cannot write the decoded file %1 (%2). Free some disk space or check the Download folder, then resume the downloads.</source>
        <translation type="vanished">Downloads angehalten: Die dekodierte Datei %1 kann nicht geschrieben werden (%2). Geben Sie Speicherplatz frei oder prüfen Sie den Download-Ordner und setzen Sie dann die Downloads fort.</translation>
    </message>
    <message>
        <source>the repair is not possible, the volumes and PAR2 files are kept for a manual repair</source>
        <translation>die Reparatur ist nicht möglich, die Teile und PAR2-Dateien werden für eine manuelle Reparatur aufbewahrt</translation>
    </message>
    <message>
        <source>the PAR2 verification failed, the volumes and PAR2 files are kept for a manual repair</source>
        <translation>die PAR2-Prüfung ist fehlgeschlagen, die Teile und PAR2-Dateien werden für eine manuelle Reparatur aufbewahrt</translation>
    </message>
    <message>
        <source>%1 file(s) damaged, and no PAR2 file to repair them</source>
        <translation>%1 Datei(en) beschädigt, und keine PAR2-Datei, um sie zu reparieren</translation>
    </message>
    <message>
        <source>%1 file(s) incomplete, %2 article(s) missing, and no PAR2 file to repair them</source>
        <translation>%1 Datei(en) unvollständig, %2 Artikel fehlen, und keine PAR2-Datei, um sie zu reparieren</translation>
    </message>
    <message>
        <source>, the split files are kept unjoined</source>
        <translation>, die geteilten Dateien werden unverbunden aufbewahrt</translation>
    </message>
    <message>
        <source>Segment %1 cannot be downloaded: its message id is blank or holds a line break</source>
        <translation>Segment %1 kann nicht heruntergeladen werden: Seine Message-ID ist leer oder enthält einen Zeilenumbruch</translation>
    </message>
    <message>
        <source>Segment %1 cannot be placed in its file: its number is not a whole number</source>
        <translation>Segment %1 kann nicht in seine Datei eingeordnet werden: Seine Nummer ist keine ganze Zahl</translation>
    </message>
    <message>
        <source>Cannot write the decoded file %1 (%2). Free some disk space or check the Download folder, then resume the downloads.</source>
        <translation>Die dekodierte Datei %1 kann nicht geschrieben werden (%2). Geben Sie Speicherplatz frei oder prüfen Sie den Download-Ordner und setzen Sie dann die Downloads fort.</translation>
    </message>
    <message>
        <source>Cannot write the temporary file %1 (%2). Free some disk space or check the Cache folder, then resume the downloads.</source>
        <translation>Die temporäre Datei %1 kann nicht geschrieben werden (%2). Geben Sie Speicherplatz frei oder prüfen Sie den Cache-Ordner und setzen Sie dann die Downloads fort.</translation>
    </message>
</context>
<context>
    <name>FolderCheck</name>
    <message>
        <source>%1 is not a full path</source>
        <translation>%1 ist kein vollständiger Pfad</translation>
    </message>
    <message>
        <source>%1 is a file, not a folder</source>
        <translation>%1 ist eine Datei, kein Ordner</translation>
    </message>
    <message>
        <source>%1 is a file: no folder can be made in it</source>
        <translation>%1 ist eine Datei: Darin kann kein Ordner angelegt werden</translation>
    </message>
    <message>
        <source>%1 cannot be written (%2)</source>
        <translation>%1 kann nicht beschrieben werden (%2)</translation>
    </message>
    <message>
        <source>the path is longer than the system allows (%1 characters)</source>
        <translation>Der Pfad ist länger, als das System erlaubt (%1 Zeichen)</translation>
    </message>
    <message>
        <source>the name %1 is longer than the system allows</source>
        <translation>Der Name %1 ist länger, als das System erlaubt</translation>
    </message>
</context>
<context>
    <name>FrameSearchResults</name>
    <message>
        <source>Search title</source>
        <translation>Titel der Suche</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Betreff</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Age</source>
        <translation>Alter</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Gruppen</translation>
    </message>
    <message>
        <source>Poster</source>
        <translation>Verfasser</translation>
    </message>
    <message>
        <source>Select / Unselect all</source>
        <translation>Alle auswählen / abwählen</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Nb results</source>
        <translation>Anzahl der Ergebnisse</translation>
    </message>
    <message>
        <source>No result found for &quot;%1&quot;</source>
        <translation>Keine Ergebnisse für „%1“</translation>
    </message>
    <message>
        <source> result(s)</source>
        <translation> Ergebnis(se)</translation>
    </message>
    <message>
        <source> - More results available</source>
        <translation> - Weitere Ergebnisse verfügbar</translation>
    </message>
    <message>
        <source>A request of this page is still running.</source>
        <translation>Eine Anfrage dieser Seite läuft noch.</translation>
    </message>
    <message>
        <source>No selected result.</source>
        <translation>Kein Ergebnis ausgewählt.</translation>
    </message>
</context>
<context>
    <name>FrameWebBrowser</name>
    <message>
        <source>Frame</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <source>about:blank</source>
        <translation>about:blank</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Tessaquill+</source>
        <translation>Tessaquill+</translation>
    </message>
    <message>
        <source>Servers &amp;&amp; Downloads</source>
        <translation>Server &amp;&amp; Downloads</translation>
    </message>
    <message>
        <source>List of servers</source>
        <translation>Liste der Server</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Arial&apos;; font-size:10pt; font-weight:600; font-style:italic;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt; color:#ff0000;&quot;&gt;Click on Start button to begin&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Arial&apos;; font-size:10pt; font-weight:600; font-style:italic;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt; color:#ff0000;&quot;&gt;Zum Beginnen auf Start klicken&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Add a new server</source>
        <translation>Neuen Server hinzufügen</translation>
    </message>
    <message>
        <source>Modify selected server</source>
        <translation>Ausgewählten Server bearbeiten</translation>
    </message>
    <message>
        <source>Remove selected server</source>
        <translation>Ausgewählten Server entfernen</translation>
    </message>
    <message>
        <source>No bandwidth limiting</source>
        <translation>Keine Bandbreitenbegrenzung</translation>
    </message>
    <message>
        <source>Manually set the bandwidth limit :</source>
        <translation>Bandbreitengrenze von Hand festlegen :</translation>
    </message>
    <message>
        <source>00000; </source>
        <translation>00000; </translation>
    </message>
    <message>
        <source>KiB/s</source>
        <translation>KiB/s</translation>
    </message>
    <message>
        <source>Current speed</source>
        <translation>Aktuelle Geschwindigkeit</translation>
    </message>
    <message>
        <source>Average speed</source>
        <translation>Durchschnittliche Geschwindigkeit</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Heruntergeladen</translation>
    </message>
    <message>
        <source>To download</source>
        <translation>Noch herunterzuladen</translation>
    </message>
    <message>
        <source>Remaining time</source>
        <translation>Verbleibende Zeit</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Bezeichnungen</translation>
    </message>
    <message>
        <source>Infos</source>
        <translation>Infos</translation>
    </message>
    <message>
        <source>Download controls</source>
        <translation>Download-Steuerung</translation>
    </message>
    <message>
        <source>Pause connections</source>
        <translation>Verbindungen anhalten</translation>
    </message>
    <message>
        <source>Pause...</source>
        <translation>Pause...</translation>
    </message>
    <message>
        <source>Clear NZB completed</source>
        <translation>Fertige NZB entfernen</translation>
    </message>
    <message>
        <source>Delete selected NZB</source>
        <translation>Ausgewählte NZB löschen</translation>
    </message>
    <message>
        <source>Move NZB up</source>
        <translation>NZB nach oben</translation>
    </message>
    <message>
        <source>Move NZB down</source>
        <translation>NZB nach unten</translation>
    </message>
    <message>
        <source>Open download / destination folder</source>
        <translation>Download- / Zielordner öffnen</translation>
    </message>
    <message>
        <source>Files controls</source>
        <translation>Datei-Steuerung</translation>
    </message>
    <message>
        <source>Pause selected files</source>
        <translation>Ausgewählte Dateien anhalten</translation>
    </message>
    <message>
        <source>Unpause selected files</source>
        <translation>Ausgewählte Dateien fortsetzen</translation>
    </message>
    <message>
        <source>Redownload selected files</source>
        <translation>Ausgewählte Dateien erneut herunterladen</translation>
    </message>
    <message>
        <source>Delete selected file(s)</source>
        <translation>Ausgewählte Datei(en) löschen</translation>
    </message>
    <message>
        <source>Move file(s) up</source>
        <translation>Datei(en) nach oben</translation>
    </message>
    <message>
        <source>Move file(s) down</source>
        <translation>Datei(en) nach unten</translation>
    </message>
    <message>
        <source>Decoding priority</source>
        <translation>Dekodierpriorität</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>Search for NZB - Powered by BinSearch</source>
        <translation>NZB-Suche - bereitgestellt von BinSearch</translation>
    </message>
    <message>
        <source>Search !</source>
        <translation>Suchen !</translation>
    </message>
    <message>
        <source>Clear search words</source>
        <translation>Suchbegriffe löschen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Gruppen</translation>
    </message>
    <message>
        <source>Search in the most popular groups</source>
        <translation>In den beliebtesten Gruppen suchen</translation>
    </message>
    <message>
        <source>Search in the other groups</source>
        <translation>In den anderen Gruppen suchen</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Results per page :</source>
        <translation>Ergebnisse pro Seite :</translation>
    </message>
    <message>
        <source>Maximum age (Days) :</source>
        <translation>Höchstalter (Tage) :</translation>
    </message>
    <message>
        <source>Experimental options</source>
        <translation>Experimentelle Optionen</translation>
    </message>
    <message>
        <source>Only show collections (Hide individual files)</source>
        <translation>Nur Sammlungen zeigen (einzelne Dateien ausblenden)</translation>
    </message>
    <message>
        <source>Only show posts that have a .nfo</source>
        <translation>Nur Beiträge mit einer .nfo zeigen</translation>
    </message>
    <message>
        <source>Size must be between</source>
        <translation>Größe zwischen</translation>
    </message>
    <message>
        <source>000000000; </source>
        <translation>000000000; </translation>
    </message>
    <message>
        <source>MiB and</source>
        <translation>MiB und</translation>
    </message>
    <message>
        <source>MiB</source>
        <translation>MiB</translation>
    </message>
    <message>
        <source>Close all opened search tabs</source>
        <translation>Alle offenen Such-Tabs schließen</translation>
    </message>
    <message>
        <source>Close all tabs</source>
        <translation>Alle Tabs schließen</translation>
    </message>
    <message>
        <source>Download selected results</source>
        <translation>Ausgewählte Ergebnisse herunterladen</translation>
    </message>
    <message>
        <source>Download in Destination folder...</source>
        <translation>In den Zielordner herunterladen...</translation>
    </message>
    <message>
        <source>Web browser</source>
        <translation>Webbrowser</translation>
    </message>
    <message>
        <source>Click to go back</source>
        <translation>Klicken, um zurückzugehen</translation>
    </message>
    <message>
        <source>Click to go forward</source>
        <translation>Klicken, um vorwärtszugehen</translation>
    </message>
    <message>
        <source>Click to refresh the page</source>
        <translation>Klicken, um die Seite neu zu laden</translation>
    </message>
    <message>
        <source>Go to Home Page</source>
        <translation>Zur Startseite</translation>
    </message>
    <message>
        <source>Configuration and Favourites</source>
        <translation>Einstellungen und Favoriten</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Arial&apos;; font-size:10pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;Click to load the Web page&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Arial&apos;; font-size:10pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;Klicken, um die Webseite zu laden&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Google Search</source>
        <translation>Google-Suche</translation>
    </message>
    <message>
        <source>NZB search engines</source>
        <translation>NZB-Suchmaschinen</translation>
    </message>
    <message>
        <source>BinSearch</source>
        <translation>BinSearch</translation>
    </message>
    <message>
        <source>NzbIndex</source>
        <translation>NzbIndex</translation>
    </message>
    <message>
        <source>MysterBin</source>
        <translation>MysterBin</translation>
    </message>
    <message>
        <source>nzbking.com</source>
        <translation>nzbking.com</translation>
    </message>
    <message>
        <source>YabSearch</source>
        <translation>YabSearch</translation>
    </message>
    <message>
        <source>Go to the selected NZB engine</source>
        <translation>Zur ausgewählten NZB-Suchmaschine</translation>
    </message>
    <message>
        <source>Downloading... </source>
        <translation>Wird heruntergeladen... </translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>50%</source>
        <translation>50%</translation>
    </message>
    <message>
        <source>75%</source>
        <translation>75%</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>125%</source>
        <translation>125%</translation>
    </message>
    <message>
        <source>150%</source>
        <translation>150%</translation>
    </message>
    <message>
        <source>200%</source>
        <translation>200%</translation>
    </message>
    <message>
        <source>400%</source>
        <translation>400%</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Extras</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Free disk space information</source>
        <translation>Freier Speicherplatz der Laufwerke</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>Load NZB file</source>
        <translation>NZB-Datei laden</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Protokolle anzeigen</translation>
    </message>
    <message>
        <source>Ctrl+L</source>
        <translation>Ctrl+L</translation>
    </message>
    <message>
        <source>About Tessaquill+...</source>
        <translation>Über Tessaquill+...</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>Shutdown...</source>
        <translation>Herunterfahren...</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aktualisierung</translation>
    </message>
    <message>
        <source>A new version is available!</source>
        <translation>Eine neue Version ist verfügbar!</translation>
    </message>
    <message>
        <source>Ctrl+U</source>
        <translation>Ctrl+U</translation>
    </message>
    <message>
        <source>Configuration Wizard</source>
        <translation>Einrichtungsassistent</translation>
    </message>
    <message>
        <source>Ctrl+W</source>
        <translation>Ctrl+W</translation>
    </message>
    <message>
        <source>Destinations</source>
        <translation>Ziele</translation>
    </message>
    <message>
        <source>Open Destination folders</source>
        <translation>Zielordner öffnen</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Minimize application</source>
        <translation>Anwendung minimieren</translation>
    </message>
    <message>
        <source>Manual repair / extraction / unsplit</source>
        <translation>Manuelle Reparatur / Entpacken / Zusammenfügen</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Exit Tessaquill+</source>
        <translation>Tessaquill+ beenden</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>NZB history</source>
        <translation>NZB-Verlauf</translation>
    </message>
    <message>
        <source>KiB</source>
        <translation>KiB</translation>
    </message>
    <message>
        <source>GiB</source>
        <translation>GiB</translation>
    </message>
    <message>
        <source>TiB</source>
        <translation>TiB</translation>
    </message>
    <message>
        <source>MiB/s</source>
        <translation>MiB/s</translation>
    </message>
    <message>
        <source>GiB/s</source>
        <translation>GiB/s</translation>
    </message>
    <message>
        <source>-- All results --</source>
        <translation>-- Alle Ergebnisse --</translation>
    </message>
    <message>
        <source>Please enter a search request.</source>
        <translation>Bitte geben Sie einen Suchbegriff ein.</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>Download error : %1</source>
        <translation>Download-Fehler: %1</translation>
    </message>
    <message>
        <source>Tessaquill+ </source>
        <translation>Tessaquill+ </translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message>
        <source> Idle</source>
        <translation> Untätig</translation>
    </message>
    <message>
        <source> Paused</source>
        <translation> Angehalten</translation>
    </message>
    <message>
        <source> - Delay before thread starts: </source>
        <translation> - Wartezeit bis zum Start der Verbindung: </translation>
    </message>
    <message>
        <source> Downloading </source>
        <translation> Lade herunter: </translation>
    </message>
    <message>
        <source> Connecting to server</source>
        <translation> Verbindung zum Server wird hergestellt</translation>
    </message>
    <message>
        <source> Disconnecting from server</source>
        <translation> Verbindung zum Server wird getrennt</translation>
    </message>
    <message>
        <source> Downloading Groups</source>
        <translation> Gruppen werden heruntergeladen</translation>
    </message>
    <message>
        <source> Select group %1</source>
        <translation> Gruppe %1 wird ausgewählt</translation>
    </message>
    <message>
        <source> Stat %1</source>
        <translation> Stat %1</translation>
    </message>
    <message>
        <source> Help</source>
        <translation> Hilfe</translation>
    </message>
    <message>
        <source> Capabilities</source>
        <translation> Fähigkeiten</translation>
    </message>
    <message>
        <source> Date</source>
        <translation> Datum</translation>
    </message>
    <message>
        <source>Thread %1: %2</source>
        <translation type="vanished">Verbindung %1: %2</translation>
    </message>
    <message>
        <source> Segment is missing on server: %1</source>
        <translation> Segment fehlt auf dem Server: %1</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Betreff</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>File date</source>
        <translation>Dateidatum</translation>
    </message>
    <message>
        <source>Destination directory</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Meldungen</translation>
    </message>
    <message>
        <source>Redownload file(s)</source>
        <translation>Datei(en) erneut herunterladen</translation>
    </message>
    <message>
        <source>Delete selected files</source>
        <translation>Ausgewählte Dateien löschen</translation>
    </message>
    <message>
        <source>Uncompress</source>
        <translation>Entpacken</translation>
    </message>
    <message>
        <source>Do not uncompress</source>
        <translation>Nicht entpacken</translation>
    </message>
    <message>
        <source>Password of the archive</source>
        <translation>Passwort des Archivs</translation>
    </message>
    <message>
        <source>Modify Destination directory</source>
        <translation>Zielordner ändern</translation>
    </message>
    <message>
        <source>Modify NZB title</source>
        <translation>NZB-Titel ändern</translation>
    </message>
    <message>
        <source>Keep PAR2 file(s)</source>
        <translation>PAR2-Datei(en) behalten</translation>
    </message>
    <message>
        <source>Segment %1 (Number %2 of NZB %3): %4</source>
        <translation>Segment %1 (Nummer %2 der NZB %3): %4</translation>
    </message>
    <message>
        <source>Segment %1 is missing</source>
        <translation>Segment %1 fehlt</translation>
    </message>
    <message>
        <source>Segment %1 (Number %2 of NZB %3) is missing</source>
        <translation>Segment %1 (Nummer %2 der NZB %3) fehlt</translation>
    </message>
    <message>
        <source>%1: segment %2 is missing</source>
        <translation>%1: Segment %2 fehlt</translation>
    </message>
    <message>
        <source>Failed to create file for segment %1 (Number %2 of NZB %3)</source>
        <translation>Die Datei für Segment %1 (Nummer %2 der NZB %3) konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>File %1 of NZB %2 decoded</source>
        <translation>Datei %1 der NZB %2 dekodiert</translation>
    </message>
    <message>
        <source>NZB %1 requires a password in order to extract the archive !</source>
        <translation>NZB %1 benötigt ein Passwort, um das Archiv zu entpacken!</translation>
    </message>
    <message>
        <source>File %1 of NZB %2: %3</source>
        <translation>Datei %1 der NZB %2: %3</translation>
    </message>
    <message>
        <source>File %1 of NZB %2 resumed</source>
        <translation>Datei %1 der NZB %2 fortgesetzt</translation>
    </message>
    <message>
        <source>Do not keep PAR2 file(s)</source>
        <translation>PAR2-Datei(en) nicht behalten</translation>
    </message>
    <message>
        <source>Please select either NZB(s) or file(s) to delete</source>
        <translation>Bitte wählen Sie NZB oder Dateien zum Löschen aus</translation>
    </message>
    <message>
        <source>Do you want to remove the selected file(s)?</source>
        <translation>Möchten Sie die ausgewählte(n) Datei(en) entfernen?</translation>
    </message>
    <message>
        <source>File %1 removed from download list</source>
        <translation>Datei %1 aus der Download-Liste entfernt</translation>
    </message>
    <message>
        <source>Do you want to remove the selected NZB(s)?</source>
        <translation>Möchten Sie die ausgewählte(n) NZB entfernen?</translation>
    </message>
    <message>
        <source>NZB %1 removed from download list</source>
        <translation>NZB %1 aus der Download-Liste entfernt</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Tessaquill+ has been minimized in the task bar</source>
        <translation>Tessaquill+ wurde in die Taskleiste minimiert</translation>
    </message>
    <message>
        <source>The configuration could not be loaded: %1

The program runs with the default settings.</source>
        <translation>Die Konfiguration konnte nicht geladen werden: %1

Das Programm läuft mit den Standardeinstellungen.</translation>
    </message>
    <message>
        <source>Do you really want to exit Tessaquill+ ?</source>
        <translation>Möchten Sie Tessaquill+ wirklich beenden?</translation>
    </message>
    <message>
        <source>PAR2 parity test...</source>
        <translation>PAR2-Paritätsprüfung...</translation>
    </message>
    <message>
        <source>PAR2 parity test of %1...</source>
        <translation>PAR2-Paritätsprüfung von %1...</translation>
    </message>
    <message>
        <source>PAR2 parity test: %1</source>
        <translation>PAR2-Paritätsprüfung: %1</translation>
    </message>
    <message>
        <source>%1, %2 block(s) needed</source>
        <translation>%1, benötigte Blöcke: %2</translation>
    </message>
    <message>
        <source>PAR2 finished for %1: %2, %3 block(s) needed</source>
        <translation>PAR2 für %1 beendet: %2, benötigte Blöcke: %3</translation>
    </message>
    <message>
        <source>Unrar in progress...</source>
        <translation>Entpacken läuft...</translation>
    </message>
    <message>
        <source>Unrar in progress for %1...</source>
        <translation>Entpacken von %1 läuft...</translation>
    </message>
    <message>
        <source>Unrar progress: %1</source>
        <translation>Fortschritt beim Entpacken: %1</translation>
    </message>
    <message>
        <source>Unrar error: %1</source>
        <translation>Fehler beim Entpacken: %1</translation>
    </message>
    <message>
        <source>Unrar error for %1: %2</source>
        <translation>Fehler beim Entpacken von %1: %2</translation>
    </message>
    <message>
        <source>Unrar: no file found</source>
        <translation>Entpacken: keine Datei gefunden</translation>
    </message>
    <message>
        <source>Unrar: no file found for %1</source>
        <translation>Entpacken: keine Datei für %1 gefunden</translation>
    </message>
    <message>
        <source>Unrar finished successfully</source>
        <translation>Entpacken erfolgreich beendet</translation>
    </message>
    <message>
        <source>Unrar finished successfully for %1</source>
        <translation>Entpacken von %1 erfolgreich beendet</translation>
    </message>
    <message>
        <source>Unrar finished with error(s)</source>
        <translation>Entpacken mit Fehler(n) beendet</translation>
    </message>
    <message>
        <source>Unrar finished with error(s) for %1</source>
        <translation>Entpacken von %1 mit Fehler(n) beendet</translation>
    </message>
    <message>
        <source>Unsplit in progress...</source>
        <translation>Zusammenfügen läuft...</translation>
    </message>
    <message>
        <source>Unsplit in progress for %1...</source>
        <translation>Zusammenfügen von %1 läuft...</translation>
    </message>
    <message>
        <source>Unsplit in progress: %1%</source>
        <translation>Zusammenfügen läuft: %1 %</translation>
    </message>
    <message>
        <source>Unsplit finished successfully</source>
        <translation>Zusammenfügen erfolgreich beendet</translation>
    </message>
    <message>
        <source>Unsplit finished successfully for %1...</source>
        <translation>Zusammenfügen von %1 erfolgreich beendet...</translation>
    </message>
    <message>
        <source>Unsplit finished with error(s): %1</source>
        <translation>Zusammenfügen mit Fehler(n) beendet: %1</translation>
    </message>
    <message>
        <source>Unsplit finished with error(s) for %1: %2</source>
        <translation>Zusammenfügen von %1 mit Fehler(n) beendet: %2</translation>
    </message>
    <message>
        <source>Cleaning </source>
        <translation>Aufräumen: </translation>
    </message>
    <message>
        <source>NZB %1: a file of that name was already in the destination, kept as %2</source>
        <translation>NZB %1: Eine Datei dieses Namens lag bereits im Ziel, sie wurde als %2 behalten</translation>
    </message>
    <message>
        <source>%1: the destination folder %2 could not be created, the files stay in %3</source>
        <translation>%1: Der Zielordner %2 konnte nicht erstellt werden, die Dateien bleiben in %3</translation>
    </message>
    <message>
        <source>%1: %2 file(s) could not be moved to the destination, they stay in %3</source>
        <translation type="vanished">%1: %2 Datei(en) konnten nicht ins Ziel verschoben werden, sie bleiben in %3</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>NZB %1 has been downloaded with error(s)</source>
        <translation>NZB %1 wurde mit Fehler(n) heruntergeladen</translation>
    </message>
    <message>
        <source> has been downloaded with error(s)</source>
        <translation> wurde mit Fehler(n) heruntergeladen</translation>
    </message>
    <message>
        <source>NZB %1 has been successfully downloaded</source>
        <translation>NZB %1 wurde erfolgreich heruntergeladen</translation>
    </message>
    <message>
        <source> has been successfully downloaded</source>
        <translation> wurde erfolgreich heruntergeladen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Pause for 5 minutes</source>
        <translation>Pause für 5 Minuten</translation>
    </message>
    <message>
        <source>Pause for 15 minutes</source>
        <translation>Pause für 15 Minuten</translation>
    </message>
    <message>
        <source>Pause for 30 minutes</source>
        <translation>Pause für 30 Minuten</translation>
    </message>
    <message>
        <source>Pause for 1 hour</source>
        <translation>Pause für 1 Stunde</translation>
    </message>
    <message>
        <source>Pause for 2 hours</source>
        <translation>Pause für 2 Stunden</translation>
    </message>
    <message>
        <source>Pause for 3 hours</source>
        <translation>Pause für 3 Stunden</translation>
    </message>
    <message>
        <source>Pause for 4 hours</source>
        <translation>Pause für 4 Stunden</translation>
    </message>
    <message>
        <source>Pause for 5 hours</source>
        <translation>Pause für 5 Stunden</translation>
    </message>
    <message>
        <source>Pause for 6 hours</source>
        <translation>Pause für 6 Stunden</translation>
    </message>
    <message>
        <source>Start connections</source>
        <translation>Verbindungen starten</translation>
    </message>
    <message>
        <source>The downloads have been paused: %1</source>
        <translation>Die Downloads wurden angehalten: %1</translation>
    </message>
    <message>
        <source>Limit bandwidth: </source>
        <translation>Bandbreitengrenze: </translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Error while importing NZB file: %1</source>
        <translation>Fehler beim Importieren der NZB-Datei: %1</translation>
    </message>
    <message>
        <source>Adding new NZB: %1...</source>
        <translation>Neue NZB wird hinzugefügt: %1...</translation>
    </message>
    <message>
        <source>Error while saving NZB history file: %1</source>
        <translation>Fehler beim Speichern der NZB-Verlaufsdatei: %1</translation>
    </message>
    <message>
        <source>NZB %1 added to download list</source>
        <translation>NZB %1 zur Download-Liste hinzugefügt</translation>
    </message>
    <message>
        <source>NZB %1 saved to disk: %2</source>
        <translation>NZB %1 auf dem Datenträger gespeichert: %2</translation>
    </message>
    <message>
        <source>NZB %1 could not be saved to disk: %2</source>
        <translation type="vanished">NZB %1 konnte nicht auf dem Datenträger gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Cannot load %1: bad suffix</source>
        <translation>%1 kann nicht geladen werden: falsche Dateiendung</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Nickname</source>
        <translation>Kurzname</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Zähler</translation>
    </message>
    <message>
        <source>Start / Stop</source>
        <translation>Starten / Stoppen</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Configuration of a new server</source>
        <translation>Konfiguration eines neuen Servers</translation>
    </message>
    <message>
        <source>Please select a server to update in the list</source>
        <translation>Bitte wählen Sie in der Liste den Server aus, der bearbeitet werden soll</translation>
    </message>
    <message>
        <source>Please stop the selected server before updating configuration</source>
        <translation>Bitte stoppen Sie den ausgewählten Server, bevor Sie seine Konfiguration ändern</translation>
    </message>
    <message>
        <source>Server Configuration</source>
        <translation>Serverkonfiguration</translation>
    </message>
    <message>
        <source>Please select a server to delete in the list</source>
        <translation>Bitte wählen Sie in der Liste den Server aus, der gelöscht werden soll</translation>
    </message>
    <message>
        <source>Please stop the selected server before deleting it</source>
        <translation>Bitte stoppen Sie den ausgewählten Server, bevor Sie ihn löschen</translation>
    </message>
    <message>
        <source>Remove the server &apos;%1&apos;?</source>
        <translation>Den Server „%1“ entfernen?</translation>
    </message>
    <message>
        <source> &lt; 1 minute</source>
        <translation> &lt; 1 Minute</translation>
    </message>
    <message>
        <source>%)</source>
        <translation>%)</translation>
    </message>
    <message>
        <source>Avg Speed: </source>
        <translation>Mittl. Geschwindigkeit: </translation>
    </message>
    <message>
        <source>Time: </source>
        <translation>Zeit: </translation>
    </message>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>Mi&amp;nimieren</translation>
    </message>
    <message>
        <source>Ma&amp;ximize</source>
        <translation>Ma&amp;ximieren</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Download läuft</translation>
    </message>
    <message>
        <source>The connection was closed.</source>
        <translation>Die Verbindung wurde geschlossen.</translation>
    </message>
    <message>
        <source>Download failed</source>
        <translation>Download fehlgeschlagen</translation>
    </message>
    <message>
        <source>Save file...</source>
        <translation>Datei speichern...</translation>
    </message>
    <message>
        <source>The file could not be saved to %1.</source>
        <translation type="vanished">Die Datei konnte nicht unter %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>This is not a valid URL</source>
        <translation>Dies ist keine gültige URL</translation>
    </message>
    <message>
        <source>Loading page...</source>
        <translation>Seite wird geladen...</translation>
    </message>
    <message>
        <source>Add to Favourite</source>
        <translation>Zu den Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>Browser options</source>
        <translation>Browser-Optionen</translation>
    </message>
    <message>
        <source>New favourite</source>
        <translation>Neuer Favorit</translation>
    </message>
    <message>
        <source>Title must not be empty</source>
        <translation>Der Titel darf nicht leer sein</translation>
    </message>
    <message>
        <source>URL must not be empty</source>
        <translation>Die URL darf nicht leer sein</translation>
    </message>
    <message>
        <source>NZB download list reordered by user</source>
        <translation>NZB-Downloadliste vom Benutzer neu geordnet</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Password of the archive :</source>
        <translation>Passwort des Archivs:</translation>
    </message>
    <message>
        <source>Choose Destination directory</source>
        <translation>Zielordner wählen</translation>
    </message>
    <message>
        <source>NZB title</source>
        <translation>NZB-Titel</translation>
    </message>
    <message>
        <source>New NZB title :</source>
        <translation>Neuer NZB-Titel:</translation>
    </message>
    <message>
        <source>Default Destination</source>
        <translation>Standardziel</translation>
    </message>
    <message>
        <source>Every download is finished: closing the program</source>
        <translation>Alle Downloads sind fertig: das Programm wird beendet</translation>
    </message>
    <message>
        <source>the power tool %1 is missing from the program&apos;s folder</source>
        <translation>das Energiewerkzeug %1 fehlt im Programmordner</translation>
    </message>
    <message>
        <source>Every download is finished: starting %1 %2</source>
        <translation>Alle Downloads sind fertig: %1 %2 wird gestartet</translation>
    </message>
    <message>
        <source>the power tool could not be started: %1</source>
        <translation>das Energiewerkzeug konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>the power tool stopped unexpectedly</source>
        <translation>das Energiewerkzeug wurde unerwartet beendet</translation>
    </message>
    <message>
        <source>the power tool ended with code %1</source>
        <translation>das Energiewerkzeug endete mit Code %1</translation>
    </message>
    <message>
        <source>The action at the end of the downloads failed: %1</source>
        <translation>Die Aktion am Ende der Downloads ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>&lt;b&gt;&lt;font color=&apos;%1&apos;&gt;%2&lt;/font&gt;&lt;/b&gt;</source>
        <translation>&lt;b&gt;&lt;font color=&apos;%1&apos;&gt;%2&lt;/font&gt;&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Open one or several NZB</source>
        <translation>Eine oder mehrere NZB öffnen</translation>
    </message>
    <message>
        <source>Nzb files (*.nzb *.NZB);;Any files (*)</source>
        <translation type="vanished">NZB-Dateien (*.nzb *.NZB);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>A new version is available (%1)</source>
        <translation>Eine neue Version ist verfügbar (%1)</translation>
    </message>
    <message>
        <source>A new version is available (%1)!

Do you want to visit the Web Site in order to download it?</source>
        <translation>Eine neue Version ist verfügbar (%1)!

Möchten Sie die Website besuchen, um sie herunterzuladen?</translation>
    </message>
    <message>
        <source>NZB %1 is being moved to its destination folder: it cannot be changed until that is done.</source>
        <translation>NZB %1 wird gerade in seinen Zielordner verschoben: Es kann erst danach geändert werden.</translation>
    </message>
    <message>
        <source>Exiting: waiting for the files of a finished NZB to be moved to their destination...</source>
        <translation>Beenden: Warten, bis die Dateien eines fertigen NZB an ihr Ziel verschoben sind...</translation>
    </message>
    <message>
        <source>Exiting: waiting for the files of %1 to be moved to %2...</source>
        <translation>Beenden: Warten, bis die Dateien von %1 nach %2 verschoben sind...</translation>
    </message>
    <message>
        <source>These NZBs of the saved queue could not be restored: their record and its backup are damaged.
%1
The damaged files are kept in %2 with the suffix %3.</source>
        <translation>Diese NZBs der gespeicherten Warteschlange konnten nicht wiederhergestellt werden: Ihr Eintrag und dessen Sicherungskopie sind beschädigt.
%1
Die beschädigten Dateien werden in %2 mit der Endung %3 aufbewahrt.</translation>
    </message>
    <message>
        <source>These server records could not be read, so their servers are missing:
%1
The files are kept in %2.</source>
        <translation>Diese Server-Einträge konnten nicht gelesen werden, ihre Server fehlen daher:
%1
Die Dateien werden in %2 aufbewahrt.</translation>
    </message>
    <message>
        <source>The servers could not be saved: %1</source>
        <translation>Die Server konnten nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>The servers could not be saved: the changes will be lost when the program ends.

%1</source>
        <translation>Die Server konnten nicht gespeichert werden: Die Änderungen gehen beim Beenden des Programms verloren.

%1</translation>
    </message>
    <message>
        <source>Nzb files (*.[nN][zZ][bB]);;Any files (*)</source>
        <translation>NZB-Dateien (*.[nN][zZ][bB]);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The file is larger than %1 MiB, more than an NZB file may hold.</source>
        <translation>Die Datei ist größer als %1 MiB, mehr als eine NZB-Datei enthalten darf.</translation>
    </message>
    <message>
        <source> %1 (failed %2 times in a row, next attempt at %3)</source>
        <translation> %1 (%2-mal in Folge fehlgeschlagen, nächster Versuch um %3)</translation>
    </message>
    <message>
        <source> %1 (next attempt at %2)</source>
        <translation> %1 (nächster Versuch um %2)</translation>
    </message>
    <message>
        <source>Thread %1 (server %2): %3</source>
        <translation>Verbindung %1 (Server %2): %3</translation>
    </message>
    <message>
        <source>NZB %1: %2 could not be moved to %3: %4</source>
        <translation>NZB %1: %2 konnte nicht nach %3 verschoben werden: %4</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>%1: %2 file(s) could not be moved to %3 (%4), they stay in %5</source>
        <translation>%1: %2 Datei(en) konnten nicht nach %3 verschoben werden (%4), sie bleiben in %5</translation>
    </message>
    <message>
        <source>Unsplit: no split file found</source>
        <translation>Zusammenfügen: keine geteilte Datei gefunden</translation>
    </message>
    <message>
        <source>Unsplit: no split file found for %1</source>
        <translation>Zusammenfügen: keine geteilte Datei für %1 gefunden</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Datei: %1</translation>
    </message>
    <message>
        <source>a folder, not an NZB file</source>
        <translation>ein Ordner, keine NZB-Datei</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>keine solche Datei</translation>
    </message>
    <message>
        <source>a packed NZB file: unpack it, then add the .nzb file</source>
        <translation>eine gepackte NZB-Datei: Entpacken Sie sie und fügen Sie dann die .nzb-Datei hinzu</translation>
    </message>
    <message>
        <source>not an NZB file (its name does not end in .nzb)</source>
        <translation>keine NZB-Datei (ihr Name endet nicht auf .nzb)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>These files were not added to the queue:</source>
        <translation>Diese Dateien wurden nicht zur Warteschlange hinzugefügt:</translation>
    </message>
    <message>
        <source>The download queue could not be saved in %1: %2

An NZB whose record is not saved is missing at the next start. Free some disk space or make the folder writable: the queue is saved again at its next change and at exit.</source>
        <translation>Die Download-Warteschlange konnte nicht in %1 gespeichert werden: %2

Ein NZB, dessen Eintrag nicht gespeichert ist, fehlt beim nächsten Start. Geben Sie Speicherplatz frei oder machen Sie den Ordner beschreibbar: Die Warteschlange wird bei ihrer nächsten Änderung und beim Beenden erneut gespeichert.</translation>
    </message>
    <message>
        <source>The download queue could not be saved in %1: %2

The NZBs whose record could not be written will be missing at the next start.</source>
        <translation>Die Download-Warteschlange konnte nicht in %1 gespeichert werden: %2

Die NZBs, deren Eintrag nicht geschrieben werden konnte, fehlen beim nächsten Start.</translation>
    </message>
    <message>
        <source>NZB %1 was handed over while the program was ending: it is saved in the download queue and downloaded from the next start on</source>
        <translation>NZB %1 wurde übergeben, während das Programm beendet wurde: sie ist in der Download-Warteschlange gespeichert und wird ab dem nächsten Start heruntergeladen</translation>
    </message>
    <message>
        <source>The connection was closed after %1 of %2 bytes.</source>
        <translation>Die Verbindung wurde nach %1 von %2 Bytes geschlossen.</translation>
    </message>
    <message>
        <source>The connection was closed before the end of the NZB file.</source>
        <translation>Die Verbindung wurde vor dem Ende der NZB-Datei geschlossen.</translation>
    </message>
    <message>
        <source>NZB %1 goes on in the download folder %2</source>
        <translation>NZB %1 wird im Download-Ordner %2 fortgesetzt</translation>
    </message>
    <message>
        <source>Waiting: the download folder %1 cannot be used: %2. Choose another Download folder in the settings, or make this one usable: the download then goes on by itself.</source>
        <translation>Wartet: Der Download-Ordner %1 kann nicht verwendet werden: %2. Wählen Sie in den Einstellungen einen anderen Download-Ordner oder machen Sie diesen verwendbar: Der Download geht dann von selbst weiter.</translation>
    </message>
    <message>
        <source>Waiting: the download folder %1 cannot be used: %2. Make it usable again: the download then goes on by itself.</source>
        <translation>Wartet: Der Download-Ordner %1 kann nicht verwendet werden: %2. Machen Sie ihn wieder verwendbar: Der Download geht dann von selbst weiter.</translation>
    </message>
    <message>
        <source>NZB %1: %2</source>
        <translation>NZB %1: %2</translation>
    </message>
    <message>
        <source>NZB %1 is complete: its files are being verified, repaired and extracted into its destination folder, or are already there. Its destination and title cannot be changed any more.</source>
        <translation>NZB %1 ist vollständig: Ihre Dateien werden geprüft, repariert und in ihren Zielordner entpackt oder liegen bereits dort. Zielordner und Titel können nicht mehr geändert werden.</translation>
    </message>
    <message>
        <source>The files of NZB %1 cannot be downloaded again: the NZB is complete, and its files are being verified, extracted and moved or are already in its destination folder. Add the NZB again to download it anew.</source>
        <translation>Die Dateien der NZB %1 können nicht erneut heruntergeladen werden: Die NZB ist vollständig, und ihre Dateien werden geprüft, entpackt und verschoben oder liegen bereits in ihrem Zielordner. Fügen Sie die NZB erneut hinzu, um sie neu herunterzuladen.</translation>
    </message>
    <message>
        <source>Files being decoded cannot be removed until that is done: %1</source>
        <translation>Dateien, die gerade dekodiert werden, können erst danach entfernt werden: %1</translation>
    </message>
    <message>
        <source>the download folder %1 is gone</source>
        <translation>der Download-Ordner %1 ist nicht mehr vorhanden</translation>
    </message>
    <message>
        <source>%1 decoded file(s) gone from the download folder before the end: %2</source>
        <translation>%1 dekodierte Datei(en) vor dem Ende aus dem Download-Ordner verschwunden: %2</translation>
    </message>
    <message>
        <source>NZB %1 could not be saved to disk: %2
%3</source>
        <translation>NZB %1 konnte nicht auf dem Datenträger gespeichert werden: %2
%3</translation>
    </message>
    <message>
        <source>Cannot create folder %1: %2</source>
        <translation>Ordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>The file could not be saved to %1: %2</source>
        <translation>Die Datei konnte nicht unter %1 gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>NetworkAccessManager</name>
    <message>
        <source>Proxy &quot;%1&quot; not found. Please check your configuration.</source>
        <translation>Proxy „%1“ nicht gefunden. Bitte prüfen Sie Ihre Einstellungen.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Enter username and password for &quot;%1&quot; at %2&lt;/qt&gt;</source>
        <translation>&lt;qt&gt;Benutzername und Passwort für „%1“ auf %2 eingeben&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>NntpConnection</name>
    <message>
        <source>no answer within %1 s</source>
        <translation>keine Antwort innerhalb von %1 s</translation>
    </message>
    <message>
        <source>Error: the TLS handshake with the server failed (%1): is it a TLS port (SSL)?</source>
        <translation>Fehler: Der TLS-Handshake mit dem Server ist fehlgeschlagen (%1): Ist es ein TLS-Port (SSL)?</translation>
    </message>
    <message>
        <source>Error: the server closed the connection before its greeting</source>
        <translation>Fehler: Der Server hat die Verbindung vor seiner Begrüßung geschlossen</translation>
    </message>
    <message>
        <source>Error: no greeting from the server within %1 s</source>
        <translation>Fehler: keine Begrüßung vom Server innerhalb von %1 s</translation>
    </message>
    <message>
        <source>Error: no greeting from the server within %1 s: is it a TLS port (SSL)?</source>
        <translation>Fehler: keine Begrüßung vom Server innerhalb von %1 s: Ist es ein TLS-Port (SSL)?</translation>
    </message>
    <message>
        <source>Error: the server requires a login (%1): check the login and password of this server</source>
        <translation>Fehler: Der Server verlangt eine Anmeldung (%1): Prüfen Sie Benutzername und Passwort dieses Servers</translation>
    </message>
    <message>
        <source>Error: the server closed the connection</source>
        <translation>Fehler: Der Server hat die Verbindung geschlossen</translation>
    </message>
    <message>
        <source>Error: AUTHINFO USER 381, no password asked: check the login and password of this server</source>
        <translation>Fehler: Auf AUTHINFO USER kam kein 381, kein Passwort verlangt: Prüfen Sie Benutzername und Passwort dieses Servers</translation>
    </message>
    <message>
        <source>Error: Authentication failed/rejected (481): check the login and password of this server</source>
        <translation>Fehler: Anmeldung abgelehnt (481): Prüfen Sie Benutzername und Passwort dieses Servers</translation>
    </message>
    <message>
        <source>Error: Authentication failed - commands issued out of sequence (482): check the login and password of this server</source>
        <translation>Fehler: Anmeldung fehlgeschlagen, Befehle in falscher Reihenfolge (482): Prüfen Sie Benutzername und Passwort dieses Servers</translation>
    </message>
    <message>
        <source>Error: Command unavailable (502): check the login and password of this server</source>
        <translation>Fehler: Befehl nicht verfügbar (502): Prüfen Sie Benutzername und Passwort dieses Servers</translation>
    </message>
</context>
<context>
    <name>NzbBackgroundReader</name>
    <message>
        <source>The program is closing</source>
        <translation>Das Programm wird beendet</translation>
    </message>
</context>
<context>
    <name>NzbConfiguration</name>
    <message>
        <source>The queue record of NZB %1 could not be written in %2</source>
        <translation type="vanished">Der Warteschlangen-Eintrag des NZB %1 konnte nicht in %2 geschrieben werden</translation>
    </message>
    <message>
        <source>The queue records could not be written in %1</source>
        <translation type="vanished">Die Warteschlangen-Einträge konnten nicht in %1 geschrieben werden</translation>
    </message>
    <message>
        <source>The queue record of NZB %1 could not be written in %2: %3</source>
        <translation>Der Warteschlangen-Eintrag des NZB %1 konnte nicht in %2 geschrieben werden: %3</translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation>der Ordner kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>The queue records could not be written in %1: %2</source>
        <translation>Die Warteschlangen-Einträge konnten nicht in %1 geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>NzbParser</name>
    <message>
        <source>NZB contains error(s)</source>
        <translation>Die NZB enthält Fehler</translation>
    </message>
    <message>
        <source>File does not exist</source>
        <translation>Die Datei existiert nicht</translation>
    </message>
    <message>
        <source>NZB contains a text longer than %1 bytes</source>
        <translation>Das NZB enthält einen Text, der länger als %1 Bytes ist</translation>
    </message>
    <message>
        <source>Not a regular file (a folder, a device or a pipe)</source>
        <translation>Keine gewöhnliche Datei (ein Ordner, ein Gerät oder eine Pipe)</translation>
    </message>
    <message>
        <source>File larger than %1 MiB</source>
        <translation>Datei größer als %1 MiB</translation>
    </message>
</context>
<context>
    <name>PopupCalendar</name>
    <message>
        <source>Previous month</source>
        <translation>Vorheriger Monat</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Nächster Monat</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>Mi.</translation>
    </message>
</context>
<context>
    <name>ServersConfiguration</name>
    <message>
        <source>Failed to create directory %1</source>
        <translation>Der Ordner %1 konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>The settings of server %1 are too long to be stored</source>
        <translation>Die Einstellungen des Servers %1 sind zu lang, um gespeichert zu werden</translation>
    </message>
    <message>
        <source>Failed to write file %1</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>SessionSuspendInhibitor</name>
    <message>
        <source>No connection to the session bus</source>
        <translation>Keine Verbindung zum Sitzungsbus</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>Cannot create the lock file %1</source>
        <translation>Die Sperrdatei %1 kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>The message is too long</source>
        <translation>Die Nachricht ist zu lang</translation>
    </message>
    <message>
        <source>Cannot reach the running program: %1</source>
        <translation>Das laufende Programm ist nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>Cannot send to the running program: %1</source>
        <translation>Senden an das laufende Programm nicht möglich: %1</translation>
    </message>
    <message>
        <source>The running program did not acknowledge the message</source>
        <translation>Das laufende Programm hat den Empfang der Nachricht nicht bestätigt</translation>
    </message>
    <message>
        <source>The running program refused the message</source>
        <translation type="vanished">Das laufende Programm hat die Nachricht abgelehnt</translation>
    </message>
    <message>
        <source>There is no folder of this user&apos;s own for the lock file</source>
        <translation>Es gibt keinen eigenen Ordner dieses Benutzers für die Sperrdatei</translation>
    </message>
    <message>
        <source>Another program holds the lock file %1 and does not answer</source>
        <translation>Ein anderes Programm hält die Sperrdatei %1 und antwortet nicht</translation>
    </message>
    <message>
        <source>The running program did not end</source>
        <translation>Das laufende Programm wurde nicht beendet</translation>
    </message>
    <message>
        <source>The running program is ending and did not take the message</source>
        <translation>Das laufende Programm wird beendet und hat die Nachricht nicht angenommen</translation>
    </message>
    <message>
        <source>The running program gave an answer that is not one of ours</source>
        <translation>Das laufende Programm gab eine Antwort, die nicht zu unseren gehört</translation>
    </message>
</context>
<context>
    <name>SleepInhibitor</name>
    <message>
        <source>No connection to the login manager&apos;s bus</source>
        <translation>Keine Verbindung zum Bus der Sitzungsverwaltung</translation>
    </message>
    <message>
        <source>The bus cannot pass file descriptors</source>
        <translation>Der Bus kann keine Dateideskriptoren übertragen</translation>
    </message>
</context>
<context>
    <name>ThreadClean</name>
    <message>
        <source>the destination folder could not be created</source>
        <translation>der Zielordner konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>every name it could take in the destination is taken</source>
        <translation>jeder Name, den sie im Ziel tragen könnte, ist vergeben</translation>
    </message>
</context>
<context>
    <name>ThreadFileDecoder</name>
    <message>
        <source>Segment %1 has a CRC error</source>
        <translation>Segment %1 hat einen CRC-Fehler</translation>
    </message>
    <message>
        <source>Segment %1 has nothing to decode</source>
        <translation>Segment %1 enthält nichts zum Dekodieren</translation>
    </message>
    <message>
        <source>Segment %1 was not found</source>
        <translation>Segment %1 wurde nicht gefunden</translation>
    </message>
    <message>
        <source>Segment %1: failed to create output file for assembly</source>
        <translation>Segment %1: Die Ausgabedatei zum Zusammensetzen konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>Segment %1: an unknown error has occured</source>
        <translation>Segment %1: Ein unbekannter Fehler ist aufgetreten</translation>
    </message>
    <message>
        <source>the file cannot be created</source>
        <translation>die Datei kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation>der Ordner kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>the copy cannot be written</source>
        <translation>die Kopie kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Segment %1: the decoded file could not be written</source>
        <translation>Segment %1: Die dekodierte Datei konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Segment %1 is damaged: it does not hold what its yEnc header announces</source>
        <translation>Segment %1 ist beschädigt: Es enthält nicht, was sein yEnc-Kopf ankündigt</translation>
    </message>
    <message>
        <source>%1 is incomplete: no article holds %2 of its %3 bytes</source>
        <translation>%1 ist unvollständig: Kein Artikel enthält %2 seiner %3 Bytes</translation>
    </message>
    <message>
        <source>every name it could take is taken</source>
        <translation>jeder Name, den sie tragen könnte, ist bereits vergeben</translation>
    </message>
    <message>
        <source>Segment %1 is damaged: its uuencoded or base64 data is cut short</source>
        <translation>Segment %1 ist beschädigt: seine uuencode- oder Base64-Daten sind abgeschnitten</translation>
    </message>
</context>
<context>
    <name>ThreadNntp</name>
    <message>
        <source>%1 (failed %2 times in a row; trying again every %3 s)</source>
        <translation>%1 (%2-mal in Folge fehlgeschlagen; neuer Versuch alle %3 s)</translation>
    </message>
</context>
<context>
    <name>ThreadUnsplit</name>
    <message>
        <source>Unsplit: no split file found</source>
        <translation>Zusammenfügen: keine geteilte Datei gefunden</translation>
    </message>
    <message>
        <source>Unsplit: files of the download are incomplete, the split files are kept unjoined</source>
        <translation>Zusammenfügen: Dateien des Downloads sind unvollständig, die geteilten Dateien werden unverbunden aufbewahrt</translation>
    </message>
</context>
<context>
    <name>UtilsFilesFolders</name>
    <message>
        <source>%1 is a folder.</source>
        <translation>%1 ist ein Ordner.</translation>
    </message>
    <message>
        <source>%1 is not a regular file (a named pipe, a device or a socket); it is left as it is.</source>
        <translation>%1 ist keine gewöhnliche Datei (eine benannte Pipe, ein Gerät oder ein Socket); sie bleibt unverändert.</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>%1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 existiert nicht.</translation>
    </message>
</context>
<context>
    <name>UtilsNzbCompressUncompress</name>
    <message>
        <source>Failed to create folder %1</source>
        <translation>Der Ordner %1 konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>Failed to open NZB file %1</source>
        <translation>Die NZB-Datei %1 konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Failed to find a name for NZB history (%1)</source>
        <translation>Kein freier Name für den NZB-Verlauf gefunden (%1)</translation>
    </message>
    <message>
        <source>Failed to open NZB history file in write mode : %1</source>
        <translation>Die NZB-Verlaufsdatei konnte nicht zum Schreiben geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Failed to write NZB history file %1</source>
        <translation>Die NZB-Verlaufsdatei %1 konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>No NZB History folder found !</source>
        <translation>Kein NZB-Verlaufsordner gefunden!</translation>
    </message>
    <message>
        <source>Failed to open NZB History file %1</source>
        <translation>Die NZB-Verlaufsdatei %1 konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>NZB History file %1: data is corrupt</source>
        <translation>NZB-Verlaufsdatei %1: Die Daten sind beschädigt</translation>
    </message>
</context>
</TS>
