<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AbstractSplit</name>
    <message>
        <source>Unsplit: no extract path!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsplit: failed to create extract path!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsplit: failed to open source file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsplit: failed to create file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsplit: joining stopped</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AppConfiguration</name>
    <message>
        <source>Failed to create directory %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to create configuration file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to open configuration file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to write configuration file %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GenericSplit</name>
    <message>
        <source>Unsplit: failed to read source file - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsplit: failed to write file %1</source>
        <translation type="unfinished"></translation>
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
</context>
<context>
    <name>NzbParser</name>
    <message>
        <source>NZB contains error(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File does not exist</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ThreadUnsplit</name>
    <message>
        <source>Unsplit: no split file found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>XtremSplit</name>
    <message>
        <source>Unsplit: no volume in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsplit: unusable file name in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsplit: failed to parse source file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsplit: failed to parse source file HEADER %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsplit: error while parsing file - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsplit: failed to write file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsplit: unexpected end of file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsplit: Error while opening file: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
