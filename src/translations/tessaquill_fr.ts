<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
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
        <translation>Serveurs &amp;&amp; Téléchargements</translation>
    </message>
    <message>
        <source>List of servers</source>
        <translation>Liste des serveurs</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt; color:#ff0000;&quot;&gt;Cliquez sur le bouton Démarrer pour commencer&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Add a new server</source>
        <translation>Ajouter un nouveau serveur</translation>
    </message>
    <message>
        <source>Modify selected server</source>
        <translation>Modifier le serveur sélectionné</translation>
    </message>
    <message>
        <source>Remove selected server</source>
        <translation>Supprimer le serveur sélectionné</translation>
    </message>
    <message>
        <source>No bandwidth limiting</source>
        <translation>Pas de limitation de bande passante</translation>
    </message>
    <message>
        <source>Manually set the bandwidth limit :</source>
        <translation>Limite de bande passante manuelle :</translation>
    </message>
    <message>
        <source>00000; </source>
        <translation>00000; </translation>
    </message>
    <message>
        <source>KiB/s</source>
        <translation>Kio/s</translation>
    </message>
    <message>
        <source>Current speed</source>
        <translation>Vitesse actuelle</translation>
    </message>
    <message>
        <source>Average speed</source>
        <translation>Vitesse moyenne</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Téléchargé</translation>
    </message>
    <message>
        <source>To download</source>
        <translation>Reste à télécharger</translation>
    </message>
    <message>
        <source>Remaining time</source>
        <translation>Temps restant</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Libellés</translation>
    </message>
    <message>
        <source>Infos</source>
        <translation>Infos</translation>
    </message>
    <message>
        <source>Download controls</source>
        <translation>Contrôle des téléchargements</translation>
    </message>
    <message>
        <source>Pause connections</source>
        <translation>Mettre les connexions en pause</translation>
    </message>
    <message>
        <source>Pause...</source>
        <translation>Pause...</translation>
    </message>
    <message>
        <source>Clear NZB completed</source>
        <translation>Retirer les NZB terminés</translation>
    </message>
    <message>
        <source>Delete selected NZB</source>
        <translation>Supprimer le NZB sélectionné</translation>
    </message>
    <message>
        <source>Move NZB up</source>
        <translation>Monter le NZB</translation>
    </message>
    <message>
        <source>Move NZB down</source>
        <translation>Descendre le NZB</translation>
    </message>
    <message>
        <source>Open download / destination folder</source>
        <translation>Ouvrir le dossier de téléchargement / de destination</translation>
    </message>
    <message>
        <source>Files controls</source>
        <translation>Contrôle des fichiers</translation>
    </message>
    <message>
        <source>Pause selected files</source>
        <translation>Mettre en pause les fichiers sélectionnés</translation>
    </message>
    <message>
        <source>Unpause selected files</source>
        <translation>Reprendre les fichiers sélectionnés</translation>
    </message>
    <message>
        <source>Redownload selected files</source>
        <translation>Retélécharger les fichiers sélectionnés</translation>
    </message>
    <message>
        <source>Delete selected file(s)</source>
        <translation>Supprimer le(s) fichier(s) sélectionné(s)</translation>
    </message>
    <message>
        <source>Move file(s) up</source>
        <translation>Monter le(s) fichier(s)</translation>
    </message>
    <message>
        <source>Move file(s) down</source>
        <translation>Descendre le(s) fichier(s)</translation>
    </message>
    <message>
        <source>Decoding priority</source>
        <translation>Priorité du décodage</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Haute</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Basse</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Recherche</translation>
    </message>
    <message>
        <source>Search for NZB - Powered by BinSearch</source>
        <translation>Recherche de NZB - Fournie par BinSearch</translation>
    </message>
    <message>
        <source>Search !</source>
        <translation>Rechercher !</translation>
    </message>
    <message>
        <source>Clear search words</source>
        <translation>Effacer les mots recherchés</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Groupes</translation>
    </message>
    <message>
        <source>Search in the most popular groups</source>
        <translation>Chercher dans les groupes les plus populaires</translation>
    </message>
    <message>
        <source>Search in the other groups</source>
        <translation>Chercher dans les autres groupes</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Résultats</translation>
    </message>
    <message>
        <source>Results per page :</source>
        <translation>Résultats par page :</translation>
    </message>
    <message>
        <source>Maximum age (Days) :</source>
        <translation>Âge maximal (jours) :</translation>
    </message>
    <message>
        <source>Experimental options</source>
        <translation>Options expérimentales</translation>
    </message>
    <message>
        <source>Only show collections (Hide individual files)</source>
        <translation>Collections seulement (masquer les fichiers isolés)</translation>
    </message>
    <message>
        <source>Only show posts that have a .nfo</source>
        <translation>Seulement les messages avec un .nfo</translation>
    </message>
    <message>
        <source>Size must be between</source>
        <translation>Taille comprise entre</translation>
    </message>
    <message>
        <source>000000000; </source>
        <translation>000000000; </translation>
    </message>
    <message>
        <source>MiB and</source>
        <translation>Mio et</translation>
    </message>
    <message>
        <source>MiB</source>
        <translation>Mio</translation>
    </message>
    <message>
        <source>Close all opened search tabs</source>
        <translation>Fermer tous les onglets de recherche ouverts</translation>
    </message>
    <message>
        <source>Close all tabs</source>
        <translation>Fermer tous les onglets</translation>
    </message>
    <message>
        <source>Download selected results</source>
        <translation>Télécharger les résultats sélectionnés</translation>
    </message>
    <message>
        <source>Download in Destination folder...</source>
        <translation>Télécharger dans le dossier de destination...</translation>
    </message>
    <message>
        <source>Web browser</source>
        <translation>Navigateur web</translation>
    </message>
    <message>
        <source>Click to go back</source>
        <translation>Cliquez pour revenir en arrière</translation>
    </message>
    <message>
        <source>Click to go forward</source>
        <translation>Cliquez pour aller en avant</translation>
    </message>
    <message>
        <source>Click to refresh the page</source>
        <translation>Cliquez pour actualiser la page</translation>
    </message>
    <message>
        <source>Go to Home Page</source>
        <translation>Aller à la page d&apos;accueil</translation>
    </message>
    <message>
        <source>Configuration and Favourites</source>
        <translation>Configuration et favoris</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;Cliquez pour charger la page web&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Google Search</source>
        <translation>Recherche Google</translation>
    </message>
    <message>
        <source>NZB search engines</source>
        <translation>Moteurs de recherche NZB</translation>
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
        <translation>Aller au moteur NZB sélectionné</translation>
    </message>
    <message>
        <source>Downloading... </source>
        <translation>Téléchargement... </translation>
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
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Free disk space information</source>
        <translation>Espace libre sur les disques</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>Load NZB file</source>
        <translation>Charger un fichier NZB</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Afficher les journaux</translation>
    </message>
    <message>
        <source>Ctrl+L</source>
        <translation>Ctrl+L</translation>
    </message>
    <message>
        <source>About Tessaquill+...</source>
        <translation>À propos de Tessaquill+...</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>Shutdown...</source>
        <translation>Extinction...</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Mise à jour</translation>
    </message>
    <message>
        <source>A new version is available!</source>
        <translation>Une nouvelle version est disponible !</translation>
    </message>
    <message>
        <source>Ctrl+U</source>
        <translation>Ctrl+U</translation>
    </message>
    <message>
        <source>Configuration Wizard</source>
        <translation>Assistant de configuration</translation>
    </message>
    <message>
        <source>Ctrl+W</source>
        <translation>Ctrl+W</translation>
    </message>
    <message>
        <source>Destinations</source>
        <translation>Destinations</translation>
    </message>
    <message>
        <source>Open Destination folders</source>
        <translation>Ouvrir les dossiers de destination</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Minimize application</source>
        <translation>Réduire l&apos;application</translation>
    </message>
    <message>
        <source>Manual repair / extraction / unsplit</source>
        <translation>Réparation / extraction / assemblage manuels</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Exit Tessaquill+</source>
        <translation>Quitter Tessaquill+</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>NZB history</source>
        <translation>Historique des NZB</translation>
    </message>
    <message>
        <source>KiB</source>
        <translation>Kio</translation>
    </message>
    <message>
        <source>GiB</source>
        <translation>Gio</translation>
    </message>
    <message>
        <source>TiB</source>
        <translation>Tio</translation>
    </message>
    <message>
        <source>MiB/s</source>
        <translation>Mio/s</translation>
    </message>
    <message>
        <source>GiB/s</source>
        <translation>Gio/s</translation>
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
