<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AbstractSplit</name>
    <message>
        <source>Unsplit: no extract path!</source>
        <translation>Assemblage : aucun chemin d&apos;extraction !</translation>
    </message>
    <message>
        <source>Unsplit: failed to create extract path!</source>
        <translation>Assemblage : impossible de créer le chemin d&apos;extraction !</translation>
    </message>
    <message>
        <source>Unsplit: failed to open source file %1</source>
        <translation>Assemblage : impossible d&apos;ouvrir le fichier source %1</translation>
    </message>
    <message>
        <source>Unsplit: failed to create file %1</source>
        <translation>Assemblage : impossible de créer le fichier %1</translation>
    </message>
    <message>
        <source>Unsplit: joining stopped</source>
        <translation>Assemblage : arrêté</translation>
    </message>
    <message>
        <source>Unsplit: file %1 already exists</source>
        <translation>Assemblage : le fichier %1 existe déjà</translation>
    </message>
    <message>
        <source>Unsplit: failed to read source file - %1</source>
        <translation>Assemblage : impossible de lire le fichier source - %1</translation>
    </message>
    <message>
        <source>Unsplit: failed to write file %1</source>
        <translation type="vanished">Assemblage : impossible d&apos;écrire le fichier %1</translation>
    </message>
    <message>
        <source>Unsplit: no volume in %1</source>
        <translation>Assemblage : aucun volume dans %1</translation>
    </message>
    <message>
        <source>Unsplit: unusable file name in %1</source>
        <translation>Assemblage : nom de fichier inutilisable dans %1</translation>
    </message>
    <message>
        <source>Unsplit: failed to parse source file %1</source>
        <translation>Assemblage : impossible d&apos;analyser le fichier source %1</translation>
    </message>
    <message>
        <source>Unsplit: failed to parse source file HEADER %1</source>
        <translation>Assemblage : impossible d&apos;analyser l&apos;en-tête du fichier source %1</translation>
    </message>
    <message>
        <source>Unsplit: error while parsing file - %1</source>
        <translation>Assemblage : erreur lors de l&apos;analyse du fichier - %1</translation>
    </message>
    <message>
        <source>Unsplit: unexpected end of file %1</source>
        <translation>Assemblage : fin inattendue du fichier %1</translation>
    </message>
    <message>
        <source>Unsplit: Error while opening file: %1</source>
        <translation>Assemblage : erreur à l&apos;ouverture du fichier : %1</translation>
    </message>
    <message>
        <source>Unsplit: failed to write file %1: %2</source>
        <translation>Assemblage : impossible d&apos;écrire le fichier %1 : %2</translation>
    </message>
    <message>
        <source>the file on disk is short</source>
        <translation>le fichier sur le disque est trop court</translation>
    </message>
    <message>
        <source>Unsplit: volume %1 is missing</source>
        <translation>Assemblage : le volume %1 est manquant</translation>
    </message>
</context>
<context>
    <name>AppConfiguration</name>
    <message>
        <source>Failed to create directory %1</source>
        <translation>Impossible de créer le dossier %1</translation>
    </message>
    <message>
        <source>Failed to create configuration file %1</source>
        <translation>Impossible de créer le fichier de configuration %1</translation>
    </message>
    <message>
        <source>Failed to open configuration file %1</source>
        <translation>Impossible d&apos;ouvrir le fichier de configuration %1</translation>
    </message>
    <message>
        <source>Failed to write configuration file %1</source>
        <translation>Impossible d&apos;écrire le fichier de configuration %1</translation>
    </message>
    <message>
        <source>The queue record of NZB %1 was damaged: it has been restored from its backup</source>
        <translation>L&apos;enregistrement de file d&apos;attente du NZB %1 était endommagé : il a été restauré depuis sa copie de secours</translation>
    </message>
    <message>
        <source>The queue record of NZB %1 and its backup are damaged: the NZB could not be restored, its files are kept with the suffix %2 in %3</source>
        <translation>L&apos;enregistrement de file d&apos;attente du NZB %1 et sa copie de secours sont endommagés : le NZB n&apos;a pas pu être restauré, ses fichiers sont conservés avec le suffixe %2 dans %3</translation>
    </message>
    <message>
        <source>The server record %1 could not be read: the file is kept in %2</source>
        <translation>L&apos;enregistrement de serveur %1 n&apos;a pas pu être lu : le fichier est conservé dans %2</translation>
    </message>
</context>
<context>
    <name>BinSearch</name>
    <message>
        <source>Wrong path %1: cannot download NZB file</source>
        <translation>Chemin %1 incorrect : impossible de télécharger le fichier NZB</translation>
    </message>
    <message>
        <source>Cannot create folder %1</source>
        <translation>Impossible de créer le dossier %1</translation>
    </message>
    <message>
        <source>The server does not respond.</source>
        <translation>Le serveur ne répond pas.</translation>
    </message>
    <message>
        <source>Network reply error: %1</source>
        <translation>Erreur dans la réponse du réseau : %1</translation>
    </message>
    <message>
        <source>Request suceeded but no NZB returned</source>
        <translation>La requête a abouti mais aucun NZB n&apos;a été renvoyé</translation>
    </message>
    <message>
        <source>Cannot write NZB file %1: %2</source>
        <translation>Impossible d&apos;écrire le fichier NZB %1 : %2</translation>
    </message>
    <message>
        <source>The server returned an empty page.</source>
        <translation>Le serveur a renvoyé une page vide.</translation>
    </message>
    <message>
        <source>Tag format exception in the answer</source>
        <translation>Format de balise inattendu dans la réponse</translation>
    </message>
    <message>
        <source>The answer of the server is larger than %1 MiB: it was stopped.</source>
        <translation>La réponse du serveur dépasse %1 Mio : elle a été interrompue.</translation>
    </message>
</context>
<context>
    <name>BrowserTabWidget</name>
    <message>
        <source>Create a new tab</source>
        <translation>Créer un nouvel onglet</translation>
    </message>
    <message>
        <source>New tab</source>
        <translation>Nouvel onglet</translation>
    </message>
</context>
<context>
    <name>ConfigurationSave</name>
    <message>
        <source>The configuration could not be saved: %1
The changes apply until Tessaquill+ is closed.</source>
        <translation>La configuration n&apos;a pas pu être enregistrée : %1
Les modifications restent valables jusqu&apos;à la fermeture de Tessaquill+.</translation>
    </message>
</context>
<context>
    <name>DialogAbout</name>
    <message>
        <source>About Tessaquill+</source>
        <translation>À propos de Tessaquill+</translation>
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
        <translation>Informations système</translation>
    </message>
    <message>
        <source>Copyright © the Tessaquill+ developers. This program comes with no warranty.</source>
        <translation>Copyright © les développeurs de Tessaquill+. Ce programme est fourni sans aucune garantie.</translation>
    </message>
    <message>
        <source>Questions and bug reports are welcome on the project&apos;s issue tracker.</source>
        <translation>Les questions et les rapports de bogue sont les bienvenus sur le suivi des tickets du projet.</translation>
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
        <translation> bits</translation>
    </message>
    <message>
        <source> (Big Endian)</source>
        <translation> (big-endian)</translation>
    </message>
    <message>
        <source> (Little Endian)</source>
        <translation> (little-endian)</translation>
    </message>
</context>
<context>
    <name>DialogDestinationFolders</name>
    <message>
        <source>Destination folders</source>
        <translation>Dossiers de destination</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Libellé</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Chemin</translation>
    </message>
    <message>
        <source>Add a new Destination</source>
        <translation>Ajouter une destination</translation>
    </message>
    <message>
        <source>Remove selected Destination</source>
        <translation>Supprimer la destination sélectionnée</translation>
    </message>
    <message>
        <source>Edit the selected Destination</source>
        <translation>Modifier la destination sélectionnée</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Please select a Destination item to delete.</source>
        <translation>Veuillez sélectionner la destination à supprimer.</translation>
    </message>
    <message>
        <source>Please select a Destination item to modify.</source>
        <translation>Veuillez sélectionner la destination à modifier.</translation>
    </message>
</context>
<context>
    <name>DialogDestinationFoldersAddModify</name>
    <message>
        <source>Destination item</source>
        <translation>Destination</translation>
    </message>
    <message>
        <source>Label: </source>
        <translation>Libellé : </translation>
    </message>
    <message>
        <source>Path: </source>
        <translation>Chemin : </translation>
    </message>
    <message>
        <source>Browse path...</source>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Please enter a Label.</source>
        <translation>Veuillez saisir un libellé.</translation>
    </message>
    <message>
        <source>Please enter a Path associated with the label.</source>
        <translation>Veuillez saisir le chemin associé au libellé.</translation>
    </message>
    <message>
        <source>Another Destination already has the label &quot;%1&quot;. Please enter another Label.</source>
        <translation>Une autre destination porte déjà le libellé « %1 ». Veuillez saisir un autre libellé.</translation>
    </message>
    <message>
        <source>Choose directory</source>
        <translation>Choisir un dossier</translation>
    </message>
    <message>
        <source>Please enter the full path of the folder associated with the label.</source>
        <translation>Veuillez saisir le chemin complet du dossier associé au libellé.</translation>
    </message>
    <message>
        <source>The folder cannot be used: %1.</source>
        <translation>Le dossier ne peut pas être utilisé : %1.</translation>
    </message>
</context>
<context>
    <name>DialogDownloadNzb</name>
    <message>
        <source>Download NZB</source>
        <translation>Télécharger le NZB</translation>
    </message>
    <message>
        <source>Save NZB to disk</source>
        <translation>Enregistrer le NZB sur le disque</translation>
    </message>
    <message>
        <source>Save file to:</source>
        <translation>Enregistrer le fichier dans :</translation>
    </message>
    <message>
        <source>Choose the folder where NZB will be saved</source>
        <translation>Choisir le dossier où enregistrer le NZB</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Files list</source>
        <translation>Liste des fichiers</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Nom du fichier</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Select / Unselect all files</source>
        <translation>Sélectionner / désélectionner tous les fichiers</translation>
    </message>
    <message>
        <source>Choose from a list of your Destinations</source>
        <translation>Choisir parmi vos destinations</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Libellé</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Chemin</translation>
    </message>
    <message>
        <source>Open the Destination folders configuration</source>
        <translation>Ouvrir la configuration des dossiers de destination</translation>
    </message>
    <message>
        <source>Configure Destination folders</source>
        <translation>Configurer les dossiers de destination</translation>
    </message>
    <message>
        <source>NZB Destination folder:</source>
        <translation>Dossier de destination du NZB :</translation>
    </message>
    <message>
        <source>Choose donwload folder...</source>
        <translation>Choisir le dossier de téléchargement...</translation>
    </message>
    <message>
        <source>bytes</source>
        <translation>octets</translation>
    </message>
    <message>
        <source>Kb</source>
        <translation>Ko</translation>
    </message>
    <message>
        <source>Mb</source>
        <translation>Mo</translation>
    </message>
    <message>
        <source>Gb</source>
        <translation>Go</translation>
    </message>
    <message>
        <source>Default Destination</source>
        <translation>Destination par défaut</translation>
    </message>
    <message>
        <source>Save NZB File</source>
        <translation>Enregistrer le fichier NZB</translation>
    </message>
    <message>
        <source>Nzb files (*.nzb)</source>
        <translation>Fichiers NZB (*.nzb)</translation>
    </message>
    <message>
        <source>Choose Destination directory</source>
        <translation>Choisir le dossier de destination</translation>
    </message>
    <message>
        <source>Please enter the path where the file will be saved</source>
        <translation>Veuillez indiquer le chemin où enregistrer le fichier</translation>
    </message>
    <message>
        <source>Please check at least one file in the files list</source>
        <translation>Veuillez cocher au moins un fichier dans la liste des fichiers</translation>
    </message>
    <message>
        <source>Please enter the full path of the folder where the NZB will be downloaded</source>
        <translation>Veuillez indiquer le chemin complet du dossier où le NZB sera téléchargé</translation>
    </message>
    <message>
        <source>The folder where the NZB will be downloaded cannot be used: %1.</source>
        <translation>Le dossier où le NZB sera téléchargé ne peut pas être utilisé : %1.</translation>
    </message>
    <message>
        <source>%1 is a folder. Please enter the path of the file the NZB will be saved to.</source>
        <translation>%1 est un dossier. Veuillez saisir le chemin du fichier dans lequel le NZB sera enregistré.</translation>
    </message>
    <message>
        <source>%1 is not a regular file (a named pipe, a device or a socket). Please enter the path of the file the NZB will be saved to.</source>
        <translation>%1 n&apos;est pas un fichier ordinaire (un tube nommé, un périphérique ou une socket). Veuillez saisir le chemin du fichier dans lequel le NZB sera enregistré.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existe déjà.
Voulez-vous le remplacer ?</translation>
    </message>
</context>
<context>
    <name>DialogHistoryNzb</name>
    <message>
        <source>NZB history</source>
        <translation>Historique des NZB</translation>
    </message>
    <message>
        <source>From :</source>
        <translation>Du :</translation>
    </message>
    <message>
        <source>Popup &quot;From&quot; calendar</source>
        <translation>Ouvrir le calendrier « Du »</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>To :</source>
        <translation>Au :</translation>
    </message>
    <message>
        <source>Popup &quot;To&quot; calendar</source>
        <translation>Ouvrir le calendrier « Au »</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Filter by name</source>
        <translation>Filtrer par nom</translation>
    </message>
    <message>
        <source>Refresh NZB list</source>
        <translation>Actualiser la liste des NZB</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>Date added</source>
        <translation>Date d&apos;ajout</translation>
    </message>
    <message>
        <source>Download name</source>
        <translation>Nom du téléchargement</translation>
    </message>
    <message>
        <source>Delete selected NZB</source>
        <translation>Supprimer le NZB sélectionné</translation>
    </message>
    <message>
        <source>Delete all history</source>
        <translation>Effacer tout l&apos;historique</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Nom du fichier</translation>
    </message>
    <message>
        <source>Size (KiB)</source>
        <translation>Taille (Kio)</translation>
    </message>
    <message>
        <source>Informations</source>
        <translation>Informations</translation>
    </message>
    <message>
        <source>Size : 0 KiB</source>
        <translation>Taille : 0 Kio</translation>
    </message>
    <message>
        <source>Selected files : 0</source>
        <translation>Fichiers sélectionnés : 0</translation>
    </message>
    <message>
        <source>Select all files</source>
        <translation>Sélectionner tous les fichiers</translation>
    </message>
    <message>
        <source>Export selected files to NZB</source>
        <translation>Exporter les fichiers sélectionnés dans un NZB</translation>
    </message>
    <message>
        <source>Export to NZB</source>
        <translation>Exporter en NZB</translation>
    </message>
    <message>
        <source>Download selected files</source>
        <translation>Télécharger les fichiers sélectionnés</translation>
    </message>
    <message>
        <source>Download selection</source>
        <translation>Télécharger la sélection</translation>
    </message>
    <message>
        <source>KiB</source>
        <translation>Kio</translation>
    </message>
    <message>
        <source>MiB</source>
        <translation>Mio</translation>
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
        <source>Tessaquill+</source>
        <translation>Tessaquill+</translation>
    </message>
    <message>
        <source>Automatic save of your NZB history is not activated. Do you wish to activate it right now ?</source>
        <translation>L&apos;enregistrement automatique de votre historique des NZB n&apos;est pas activé. Voulez-vous l&apos;activer maintenant ?</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>dd/MM/yyyy hh:mm:ss</source>
        <translation>dd/MM/yyyy hh:mm:ss</translation>
    </message>
    <message>
        <source>Error : %1</source>
        <translation>Erreur : %1</translation>
    </message>
    <message>
        <source>Selected files : </source>
        <translation>Fichiers sélectionnés : </translation>
    </message>
    <message>
        <source>Size : </source>
        <translation>Taille : </translation>
    </message>
    <message>
        <source>Failed to write NZB file %1</source>
        <translation>Impossible d&apos;écrire le fichier NZB %1</translation>
    </message>
    <message>
        <source>Save NZB File</source>
        <translation>Enregistrer le fichier NZB</translation>
    </message>
    <message>
        <source>Nzb files (*.nzb)</source>
        <translation>Fichiers NZB (*.nzb)</translation>
    </message>
    <message>
        <source>The NZB you wish to download does not contain any file to download</source>
        <translation>Le NZB que vous voulez télécharger ne contient aucun fichier à télécharger</translation>
    </message>
    <message>
        <source>Do you really want to delete the selected NZB?</source>
        <translation>Voulez-vous vraiment supprimer le NZB sélectionné ?</translation>
    </message>
    <message>
        <source>Do you really want to delete all your NZB history?</source>
        <translation>Voulez-vous vraiment effacer tout votre historique des NZB ?</translation>
    </message>
</context>
<context>
    <name>DialogImportExportServers</name>
    <message>
        <source>Import / Export Servers</source>
        <translation>Importer / exporter des serveurs</translation>
    </message>
    <message>
        <source>Select Servers to import / export</source>
        <translation>Sélectionnez les serveurs à importer / exporter</translation>
    </message>
    <message>
        <source>Server informations</source>
        <translation>Informations sur le serveur</translation>
    </message>
    <message>
        <source>Server address :</source>
        <translation>Adresse du serveur :</translation>
    </message>
    <message>
        <source>Port :</source>
        <translation>Port :</translation>
    </message>
    <message>
        <source>Number of connections :</source>
        <translation>Nombre de connexions :</translation>
    </message>
    <message>
        <source>Account name (Login) :</source>
        <translation>Nom du compte (identifiant) :</translation>
    </message>
    <message>
        <source>Import Servers</source>
        <translation>Importer des serveurs</translation>
    </message>
    <message>
        <source>Select Servers to import</source>
        <translation>Sélectionnez les serveurs à importer</translation>
    </message>
    <message>
        <source>Export Servers</source>
        <translation>Exporter des serveurs</translation>
    </message>
    <message>
        <source>Select Servers to export</source>
        <translation>Sélectionnez les serveurs à exporter</translation>
    </message>
    <message>
        <source>It is not a servers file: %1 (line %2, column %3).</source>
        <translation>Ce n&apos;est pas un fichier de serveurs : %1 (ligne %2, colonne %3).</translation>
    </message>
    <message>
        <source>It is a folder, not a servers file.</source>
        <translation>C&apos;est un dossier, pas un fichier de serveurs.</translation>
    </message>
    <message>
        <source>The file cannot be read: %1.</source>
        <translation>Le fichier ne peut pas être lu : %1.</translation>
    </message>
    <message>
        <source>The file holds no server: it is not a servers file, or an empty one.</source>
        <translation>Le fichier ne contient aucun serveur : ce n&apos;est pas un fichier de serveurs, ou il est vide.</translation>
    </message>
    <message>
        <source>The passwords of its servers could not be converted; the log names the servers.</source>
        <translation>Les mots de passe de ses serveurs n&apos;ont pas pu être convertis ; le journal nomme les serveurs.</translation>
    </message>
    <message>
        <source>The file holds more than %1 servers; the program imports at most %1 from one file.</source>
        <translation>Le fichier contient plus de %1 serveurs ; le programme en importe au plus %1 d&apos;un même fichier.</translation>
    </message>
    <message>
        <source>The file is larger than %1 MiB, more than any servers file takes.</source>
        <translation>Le fichier dépasse %1 Mio, plus qu&apos;aucun fichier de serveurs n&apos;en occupe.</translation>
    </message>
</context>
<context>
    <name>DialogLogs</name>
    <message>
        <source>Logs</source>
        <translation>Journaux</translation>
    </message>
    <message>
        <source>Current log file:</source>
        <translation>Fichier journal :</translation>
    </message>
    <message>
        <source>Delete current log file</source>
        <translation>Supprimer ce fichier journal</translation>
    </message>
    <message>
        <source>Delete all logs files but the most recent one</source>
        <translation>Supprimer tous les fichiers journaux sauf le plus récent</translation>
    </message>
    <message>
        <source>Date / Time</source>
        <translation>Date / heure</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Process new data</source>
        <translation>Charger les nouvelles entrées</translation>
    </message>
    <message>
        <source>Refresh every:</source>
        <translation>Intervalle d&apos;actualisation :</translation>
    </message>
    <message>
        <source>second(s)</source>
        <translation>seconde(s)</translation>
    </message>
    <message>
        <source>DD-MM-YYYY hh:mm:ss</source>
        <translation>DD/MM/YYYY hh:mm:ss</translation>
    </message>
    <message>
        <source>No log found in %1</source>
        <translation>Aucun journal trouvé dans %1</translation>
    </message>
    <message>
        <source>Log file not found: %1</source>
        <translation>Fichier journal introuvable : %1</translation>
    </message>
    <message>
        <source>Cannot delete current log file</source>
        <translation>Impossible de supprimer le fichier journal en cours d&apos;écriture</translation>
    </message>
    <message>
        <source>Delete current log file.</source>
        <translation>Supprimer ce fichier journal.</translation>
    </message>
    <message>
        <source>Do you really want to delete the current log file?</source>
        <translation>Voulez-vous vraiment supprimer ce fichier journal ?</translation>
    </message>
    <message>
        <source>Delete logs files.</source>
        <translation>Supprimer les fichiers journaux.</translation>
    </message>
    <message>
        <source>Do you really want to delete all logs files (Except the last one)?</source>
        <translation>Voulez-vous vraiment supprimer tous les fichiers journaux (sauf le dernier) ?</translation>
    </message>
    <message>
        <source>Logs are not enabled.
If you want to activate this functionnality you have to enable it via the configuration of the application.</source>
        <translation>Les journaux ne sont pas activés.
Pour utiliser cette fonction, activez-la dans les paramètres de l&apos;application.</translation>
    </message>
</context>
<context>
    <name>DialogManualRepairExtract</name>
    <message>
        <source>Manual repair / extraction / unsplit</source>
        <translation>Réparation / extraction / assemblage manuels</translation>
    </message>
    <message>
        <source>PAR2 repairing</source>
        <translation>Réparation PAR2</translation>
    </message>
    <message>
        <source>Directory to repair :</source>
        <translation>Dossier à réparer :</translation>
    </message>
    <message>
        <source>Browse Par2 directory</source>
        <translation>Choisir le dossier PAR2</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Start repairing</source>
        <translation>Lancer la réparation</translation>
    </message>
    <message>
        <source>Progress :</source>
        <translation>Progression :</translation>
    </message>
    <message>
        <source>Extraction</source>
        <translation>Extraction</translation>
    </message>
    <message>
        <source>Archive to extract :</source>
        <translation>Archive à extraire :</translation>
    </message>
    <message>
        <source>Browse Rar directory</source>
        <translation>Choisir le dossier RAR</translation>
    </message>
    <message>
        <source>Start Unrar</source>
        <translation>Lancer l&apos;extraction</translation>
    </message>
    <message>
        <source>Destination folder :</source>
        <translation>Dossier de destination :</translation>
    </message>
    <message>
        <source>Browse Rar destination directory</source>
        <translation>Choisir le dossier de destination de l&apos;extraction</translation>
    </message>
    <message>
        <source>Password (optional) :</source>
        <translation>Mot de passe (facultatif) :</translation>
    </message>
    <message>
        <source>Unsplit</source>
        <translation>Assemblage</translation>
    </message>
    <message>
        <source>Archive to unsplit :</source>
        <translation>Archive à assembler :</translation>
    </message>
    <message>
        <source>Browse Split directory</source>
        <translation>Choisir le dossier des fichiers découpés</translation>
    </message>
    <message>
        <source>Start Unsplit</source>
        <translation>Lancer l&apos;assemblage</translation>
    </message>
    <message>
        <source>Browse Split destination directory</source>
        <translation>Choisir le dossier de destination de l&apos;assemblage</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Stop PAR2</source>
        <translation>Arrêter la réparation</translation>
    </message>
    <message>
        <source>Stop Unrar</source>
        <translation>Arrêter l&apos;extraction</translation>
    </message>
    <message>
        <source>Stop Unsplit</source>
        <translation>Arrêter l&apos;assemblage</translation>
    </message>
    <message>
        <source>Choose PAR2 directory</source>
        <translation>Choisir le dossier PAR2</translation>
    </message>
    <message>
        <source>Choose Unrar directory</source>
        <translation>Choisir le dossier à extraire</translation>
    </message>
    <message>
        <source>Choose Unrar Destination directory</source>
        <translation>Choisir le dossier de destination de l&apos;extraction</translation>
    </message>
    <message>
        <source>Choose Unsplit directory</source>
        <translation>Choisir le dossier à assembler</translation>
    </message>
    <message>
        <source>Choose Unsplit destination</source>
        <translation>Choisir la destination de l&apos;assemblage</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Directory %1 does not exist.</source>
        <translation>Le dossier %1 n&apos;existe pas.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>No PAR2 file found in %1.</source>
        <translation>Aucun fichier PAR2 trouvé dans %1.</translation>
    </message>
    <message>
        <source>Destination directory %1 does not exist.</source>
        <translation>Le dossier de destination %1 n&apos;existe pas.</translation>
    </message>
    <message>
        <source>PAR2 successful !</source>
        <translation>Réparation PAR2 réussie !</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>PAR2 : need %1 more block(s) to repair.</source>
        <translation>PAR2 : blocs manquants pour la réparation : %1.</translation>
    </message>
    <message>
        <source>PAR2 error code %1.</source>
        <translation>Code d&apos;erreur PAR2 %1.</translation>
    </message>
    <message>
        <source>Unrar successful !</source>
        <translation>Extraction réussie !</translation>
    </message>
    <message>
        <source>No rar file found in directory : %1</source>
        <translation>Aucun fichier RAR trouvé dans le dossier : %1</translation>
    </message>
    <message>
        <source>Failed to create destination directory : %1</source>
        <translation>Impossible de créer le dossier de destination : %1</translation>
    </message>
    <message>
        <source>Unrar error: exit code: %1, exit status: %2</source>
        <translation>Erreur d&apos;extraction : code de sortie %1, état de sortie %2</translation>
    </message>
    <message>
        <source>Unsplit successful !</source>
        <translation>Assemblage réussi !</translation>
    </message>
    <message>
        <source>Unsplit - no splitted file found</source>
        <translation>Assemblage - aucun fichier découpé trouvé</translation>
    </message>
    <message>
        <source>Unsplit error : %1</source>
        <translation>Erreur d&apos;assemblage : %1</translation>
    </message>
    <message>
        <source>Unrar in progress...</source>
        <translation>Extraction en cours...</translation>
    </message>
    <message>
        <source>Unrar progress: %1</source>
        <translation>Progression de l&apos;extraction : %1</translation>
    </message>
    <message>
        <source>Unsplit in progress: %1%</source>
        <translation>Assemblage en cours : %1 %</translation>
    </message>
    <message>
        <source>%1: successful</source>
        <translation>%1 : réussi</translation>
    </message>
    <message>
        <source>%1: need %2 more block(s) to repair</source>
        <translation>%1 : %2 bloc(s) de plus nécessaire(s) pour réparer</translation>
    </message>
    <message>
        <source>%1: PAR2 error code %2</source>
        <translation>%1 : code d&apos;erreur PAR2 %2</translation>
    </message>
    <message>
        <source>%1 PAR2 sets:
%2</source>
        <translation>%1 jeux PAR2 :
%2</translation>
    </message>
</context>
<context>
    <name>DialogServerManagement</name>
    <message>
        <source>Server Configuration</source>
        <translation>Configuration du serveur</translation>
    </message>
    <message>
        <source>Server general settings</source>
        <translation>Paramètres généraux du serveur</translation>
    </message>
    <message>
        <source>Server address:</source>
        <translation>Adresse du serveur :</translation>
    </message>
    <message>
        <source>Server name or IP</source>
        <translation>Nom ou adresse IP du serveur</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port :</translation>
    </message>
    <message>
        <source>Server port</source>
        <translation>Port du serveur</translation>
    </message>
    <message>
        <source>Number of connections:</source>
        <translation>Nombre de connexions :</translation>
    </message>
    <message>
        <source>Number of connections</source>
        <translation>Nombre de connexions</translation>
    </message>
    <message>
        <source>Choose a nickname for the server:</source>
        <translation>Choisissez un surnom pour le serveur :</translation>
    </message>
    <message>
        <source>Nickname of the server</source>
        <translation>Surnom du serveur</translation>
    </message>
    <message>
        <source>Counter:</source>
        <translation>Compteur :</translation>
    </message>
    <message>
        <source>0 KiB</source>
        <translation>0 Kio</translation>
    </message>
    <message>
        <source>Date Counter</source>
        <translation>Date du compteur</translation>
    </message>
    <message>
        <source>Reset counter</source>
        <translation>Remettre le compteur à zéro</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>Authentification</translation>
    </message>
    <message>
        <source>Authentication on the server</source>
        <translation>Authentification sur le serveur</translation>
    </message>
    <message>
        <source>The server requires authentication</source>
        <translation>Le serveur demande une authentification</translation>
    </message>
    <message>
        <source>Account name (Login):</source>
        <translation>Nom du compte (identifiant) :</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>SSL</source>
        <translation>SSL</translation>
    </message>
    <message>
        <source>Secured connection (SSL)</source>
        <translation>Connexion sécurisée (SSL)</translation>
    </message>
    <message>
        <source>Test the connection</source>
        <translation>Tester la connexion</translation>
    </message>
    <message>
        <source>Click on this button to test the connection</source>
        <translation>Cliquez sur ce bouton pour tester la connexion</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>KiB</source>
        <translation>Kio</translation>
    </message>
    <message>
        <source>MiB</source>
        <translation>Mio</translation>
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
        <source>Tessaquill+</source>
        <translation>Tessaquill+</translation>
    </message>
    <message>
        <source>Server name is required</source>
        <translation>Le nom du serveur est obligatoire</translation>
    </message>
    <message>
        <source>Server nickname is required</source>
        <translation>Le surnom du serveur est obligatoire</translation>
    </message>
    <message>
        <source>Invalid Port value</source>
        <translation>Numéro de port invalide</translation>
    </message>
    <message>
        <source>Login is required</source>
        <translation>L&apos;identifiant est obligatoire</translation>
    </message>
    <message>
        <source>Password is required</source>
        <translation>Le mot de passe est obligatoire</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Your password contains extra spaces. Do you want to remove them?</source>
        <translation>Votre mot de passe contient des espaces superflus. Voulez-vous les supprimer ?</translation>
    </message>
    <message>
        <source>Do you really want to reset your counter ?</source>
        <translation>Voulez-vous vraiment remettre votre compteur à zéro ?</translation>
    </message>
    <message>
        <source>0 byte</source>
        <translation>0 octet</translation>
    </message>
    <message>
        <source>Stop the current connection test</source>
        <translation>Arrêter le test de connexion en cours</translation>
    </message>
    <message>
        <source>Testing the connection...</source>
        <translation>Test de la connexion...</translation>
    </message>
    <message>
        <source>You are successfully connected to the server!</source>
        <translation>La connexion au serveur a réussi !</translation>
    </message>
    <message>
        <source>An error occured while connecting to the server: %1</source>
        <translation>Une erreur est survenue lors de la connexion au serveur : %1</translation>
    </message>
    <message>
        <source>The address, nickname, login and password are too long together to be saved</source>
        <translation>L&apos;adresse, le surnom, l&apos;identifiant et le mot de passe sont ensemble trop longs pour être enregistrés</translation>
    </message>
</context>
<context>
    <name>DialogSettings</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>General settings</source>
        <translation>Paramètres généraux</translation>
    </message>
    <message>
        <source>Program folders</source>
        <translation>Dossiers du programme</translation>
    </message>
    <message>
        <source>Cache:</source>
        <translation>Cache :</translation>
    </message>
    <message>
        <source>Select cache folder</source>
        <translation>Choisir le dossier cache</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Download:</source>
        <translation>Téléchargement :</translation>
    </message>
    <message>
        <source>Select download folder</source>
        <translation>Choisir le dossier de téléchargement</translation>
    </message>
    <message>
        <source>Destination:</source>
        <translation>Destination :</translation>
    </message>
    <message>
        <source>Select destination folder</source>
        <translation>Choisir le dossier de destination</translation>
    </message>
    <message>
        <source>Restore default Cache, Download and Destination folders</source>
        <translation>Rétablir les dossiers cache, de téléchargement et de destination par défaut</translation>
    </message>
    <message>
        <source>Restore default folders</source>
        <translation>Rétablir les dossiers par défaut</translation>
    </message>
    <message>
        <source>Open the Destination folders configuration</source>
        <translation>Ouvrir la configuration des dossiers de destination</translation>
    </message>
    <message>
        <source>Configure Destination folders</source>
        <translation>Configurer les dossiers de destination</translation>
    </message>
    <message>
        <source>Create a sub-folder for each download in Destination</source>
        <translation>Créer un sous-dossier pour chaque téléchargement dans la destination</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Téléchargement</translation>
    </message>
    <message>
        <source>Download options</source>
        <translation>Options de téléchargement</translation>
    </message>
    <message>
        <source>Automatic Unrar at the end of the download</source>
        <translation>Extraction automatique à la fin du téléchargement</translation>
    </message>
    <message>
        <source>Automatic Unrar</source>
        <translation>Extraction automatique</translation>
    </message>
    <message>
        <source>Automatic Unsplit at the end of the download</source>
        <translation>Assemblage automatique à la fin du téléchargement</translation>
    </message>
    <message>
        <source>Automatic Unsplit</source>
        <translation>Assemblage automatique</translation>
    </message>
    <message>
        <source>Enable NZB download history</source>
        <translation>Activer l&apos;historique des NZB téléchargés</translation>
    </message>
    <message>
        <source>Automatically add NZB in the Download list</source>
        <translation>Ajouter automatiquement les NZB à la liste des téléchargements</translation>
    </message>
    <message>
        <source>Auto download NZB when added to Tessaquill+</source>
        <translation>Télécharger automatiquement les NZB ajoutés à Tessaquill+</translation>
    </message>
    <message>
        <source>Enable Tessaquill+ &quot;Smart Download&quot;</source>
        <translation>Activer le « téléchargement intelligent » de Tessaquill+</translation>
    </message>
    <message>
        <source>Enable &quot;Smart Download&quot; (PAR2 files are downloaded if needed)</source>
        <translation>Activer le « téléchargement intelligent » (les fichiers PAR2 ne sont téléchargés qu&apos;en cas de besoin)</translation>
    </message>
    <message>
        <source>Always keep PAR2 files at the end of the download</source>
        <translation>Toujours conserver les fichiers PAR2 à la fin du téléchargement</translation>
    </message>
    <message>
        <source>Always keep PAR2 files</source>
        <translation>Toujours conserver les fichiers PAR2</translation>
    </message>
    <message>
        <source>Filter removal</source>
        <translation>Suppression par filtre</translation>
    </message>
    <message>
        <source>Files extension to remove:</source>
        <translation>Extensions des fichiers à supprimer :</translation>
    </message>
    <message>
        <source>Speed limit</source>
        <translation>Limite de vitesse</translation>
    </message>
    <message>
        <source>Automatic detection of the maximum speed for the bandwidth limit</source>
        <translation>Détection automatique de la vitesse maximale pour la limite de bande passante</translation>
    </message>
    <message>
        <source>Manually set the limit</source>
        <translation>Fixer la limite manuellement</translation>
    </message>
    <message>
        <source>KiB/s</source>
        <translation>Kio/s</translation>
    </message>
    <message>
        <source>Connection timeout :</source>
        <translation>Délai d&apos;attente de connexion :</translation>
    </message>
    <message>
        <source>seconds (From 2 to 30 seconds)</source>
        <translation>secondes (de 2 à 30 secondes)</translation>
    </message>
    <message>
        <source>Logs</source>
        <translation>Journaux</translation>
    </message>
    <message>
        <source>Log disabled</source>
        <translation>Journal désactivé</translation>
    </message>
    <message>
        <source>Log with INFO level</source>
        <translation>Journal de niveau INFO</translation>
    </message>
    <message>
        <source>Log with WARNING level</source>
        <translation>Journal de niveau WARNING</translation>
    </message>
    <message>
        <source>Log with ERROR level</source>
        <translation>Journal de niveau ERROR</translation>
    </message>
    <message>
        <source>Logs are disabled</source>
        <translation>Les journaux sont désactivés</translation>
    </message>
    <message>
        <source>Delete log files:</source>
        <translation>Supprimer les fichiers journaux :</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>Every week</source>
        <translation>Chaque semaine</translation>
    </message>
    <message>
        <source>Every month</source>
        <translation>Chaque mois</translation>
    </message>
    <message>
        <source>Proxy configuration</source>
        <translation>Configuration du proxy</translation>
    </message>
    <message>
        <source>No proxy</source>
        <translation>Pas de proxy</translation>
    </message>
    <message>
        <source>Proxy enabled</source>
        <translation>Proxy activé</translation>
    </message>
    <message>
        <source>Please wait while detecting proxies...</source>
        <translation>Veuillez patienter pendant la détection des proxys...</translation>
    </message>
    <message>
        <source>Host name</source>
        <translation>Nom d&apos;hôte</translation>
    </message>
    <message>
        <source>Refresh list of proxies</source>
        <translation>Actualiser la liste des proxys</translation>
    </message>
    <message>
        <source>Login:</source>
        <translation>Identifiant :</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Import / Export</source>
        <translation>Importer / exporter</translation>
    </message>
    <message>
        <source>Servers Import / Export</source>
        <translation>Import / export des serveurs</translation>
    </message>
    <message>
        <source>Export Servers</source>
        <translation>Exporter des serveurs</translation>
    </message>
    <message>
        <source>Import Servers</source>
        <translation>Importer des serveurs</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Select language</source>
        <translation>Choisir la langue</translation>
    </message>
    <message>
        <source>Select language:</source>
        <translation>Choisir la langue :</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Anglais</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Allemand</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Espagnol</translation>
    </message>
    <message>
        <source>Choose cache directory</source>
        <translation>Choisir le dossier cache</translation>
    </message>
    <message>
        <source>Choose download directory</source>
        <translation>Choisir le dossier de téléchargement</translation>
    </message>
    <message>
        <source>Choose destination directory</source>
        <translation>Choisir le dossier de destination</translation>
    </message>
    <message>
        <source>Logs are enabled with INFOS, WARNINGS and ERRORS</source>
        <translation>Les journaux enregistrent les informations, les avertissements et les erreurs</translation>
    </message>
    <message>
        <source>Logs are enabled with WARNINGS and ERRORS</source>
        <translation>Les journaux enregistrent les avertissements et les erreurs</translation>
    </message>
    <message>
        <source>Logs are enabled with ERRORS</source>
        <translation>Les journaux enregistrent les erreurs</translation>
    </message>
    <message>
        <source>Please enter the full path of the Cache folder.</source>
        <translation>Veuillez indiquer le chemin complet du dossier cache.</translation>
    </message>
    <message>
        <source>Please enter the full path of the Download folder.</source>
        <translation>Veuillez indiquer le chemin complet du dossier de téléchargement.</translation>
    </message>
    <message>
        <source>Please enter the full path of the Destination folder.</source>
        <translation>Veuillez indiquer le chemin complet du dossier de destination.</translation>
    </message>
    <message>
        <source>Cache, Download and Destination folders must be defined in different paths.</source>
        <translation>Les dossiers cache, de téléchargement et de destination doivent se trouver à des emplacements différents.</translation>
    </message>
    <message>
        <source>Please check your files filter removal pattern. It must match the following format: *.nzb;*.par2;*.001</source>
        <translation>Veuillez vérifier le filtre des fichiers à supprimer. Il doit respecter le format suivant : *.nzb;*.par2;*.001</translation>
    </message>
    <message>
        <source>The maximum speed limit is invald. It must be between 50 KiB/s and 99999 KiB/s</source>
        <translation>La limite de vitesse maximale est invalide. Elle doit être comprise entre 50 Kio/s et 99999 Kio/s</translation>
    </message>
    <message>
        <source>The socket timeout must be between 2 and 30 seconds</source>
        <translation>Le délai d&apos;attente de connexion doit être compris entre 2 et 30 secondes</translation>
    </message>
    <message>
        <source>You will have to restart the application in order to apply the new selected language.</source>
        <translation>Vous devrez redémarrer l&apos;application pour appliquer la nouvelle langue.</translation>
    </message>
    <message>
        <source>No proxy found !</source>
        <translation>Aucun proxy trouvé !</translation>
    </message>
    <message>
        <source>&lt;/b&gt;, port:</source>
        <translation>&lt;/b&gt;, port :</translation>
    </message>
    <message>
        <source>Tunneling Capability&lt;br/&gt;</source>
        <translation>Capacité de tunnel&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Listening Capability&lt;br/&gt;</source>
        <translation>Capacité d&apos;écoute&lt;br/&gt;</translation>
    </message>
    <message>
        <source>UDP Tunneling Capability&lt;br/&gt;</source>
        <translation>Capacité de tunnel UDP&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Caching Capability&lt;br/&gt;</source>
        <translation>Capacité de mise en cache&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Host Name Lookup Capability&lt;br/&gt;</source>
        <translation>Capacité de résolution des noms d&apos;hôte&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Open a Tessaquill+ Servers file</source>
        <translation>Ouvrir un fichier de serveurs Tessaquill+</translation>
    </message>
    <message>
        <source>Tessaquill+ Servers (*.tvp)</source>
        <translation>Serveurs Tessaquill+ (*.tvp)</translation>
    </message>
    <message>
        <source>;;Tessaquill 0.8.x Servers (*.tvs)</source>
        <translation>;;Serveurs Tessaquill 0.8.x (*.tvs)</translation>
    </message>
    <message>
        <source>An error occured while importing the Tessaquill 0.8.x Servers file</source>
        <translation>Une erreur est survenue lors de l&apos;import du fichier de serveurs Tessaquill 0.8.x</translation>
    </message>
    <message>
        <source>An error occured while importing the Tessaquill+ Servers file</source>
        <translation>Une erreur est survenue lors de l&apos;import du fichier de serveurs Tessaquill+</translation>
    </message>
    <message>
        <source>You must select at least one server to import.</source>
        <translation>Vous devez sélectionner au moins un serveur à importer.</translation>
    </message>
    <message>
        <source>The servers could not be added.</source>
        <translation>Les serveurs n&apos;ont pas pu être ajoutés.</translation>
    </message>
    <message>
        <source>Servers successfully imported.</source>
        <translation>Serveurs importés avec succès.</translation>
    </message>
    <message>
        <source>Choose a Tessaquill+ file to export Servers</source>
        <translation>Choisir un fichier Tessaquill+ pour exporter les serveurs</translation>
    </message>
    <message>
        <source>You must select at least one server to export.</source>
        <translation>Vous devez sélectionner au moins un serveur à exporter.</translation>
    </message>
    <message>
        <source>Servers successfully exported to %1</source>
        <translation>Serveurs exportés avec succès vers %1</translation>
    </message>
    <message>
        <source>Failed to create file %1</source>
        <translation>Impossible de créer le fichier %1</translation>
    </message>
    <message>
        <source>Failed to write file %1</source>
        <translation>Impossible d&apos;écrire le fichier %1</translation>
    </message>
    <message>
        <source>server %1 of the file</source>
        <translation>serveur %1 du fichier</translation>
    </message>
    <message>
        <source>%1 %2 is not between %3 and %4</source>
        <translation>%1 %2 n&apos;est pas entre %3 et %4</translation>
    </message>
    <message>
        <source>%1 longer than %2 characters</source>
        <translation>%1 de plus de %2 caractères</translation>
    </message>
    <message>
        <source>no server address</source>
        <translation>aucune adresse de serveur</translation>
    </message>
    <message>
        <source>server address</source>
        <translation>adresse du serveur</translation>
    </message>
    <message>
        <source>no nickname</source>
        <translation>aucun surnom</translation>
    </message>
    <message>
        <source>nickname</source>
        <translation>surnom</translation>
    </message>
    <message>
        <source>port</source>
        <translation>port</translation>
    </message>
    <message>
        <source>number of connections</source>
        <translation>nombre de connexions</translation>
    </message>
    <message>
        <source>login</source>
        <translation>identifiant</translation>
    </message>
    <message>
        <source>password</source>
        <translation>mot de passe</translation>
    </message>
    <message>
        <source>settings too long to be stored</source>
        <translation>paramètres trop longs pour être enregistrés</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>These servers are not imported:
%1</source>
        <translation>Ces serveurs ne sont pas importés :
%1</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>et %n autre</numerusform>
            <numerusform>et %n autres</numerusform>
        </translation>
    </message>
    <message>
        <source>The Cache folder cannot be used: %1.</source>
        <translation>Le dossier cache ne peut pas être utilisé : %1.</translation>
    </message>
    <message>
        <source>The Download folder cannot be used: %1.</source>
        <translation>Le dossier de téléchargement ne peut pas être utilisé : %1.</translation>
    </message>
    <message>
        <source>The Destination folder cannot be used: %1.</source>
        <translation>Le dossier de destination ne peut pas être utilisé : %1.</translation>
    </message>
</context>
<context>
    <name>DialogShutdown</name>
    <message>
        <source>Shutdown management</source>
        <translation>Gestion de l&apos;extinction</translation>
    </message>
    <message>
        <source>No shutdown</source>
        <translation>Ne pas éteindre</translation>
    </message>
    <message>
        <source>Close application at the end of the downloads</source>
        <translation>Fermer l&apos;application à la fin des téléchargements</translation>
    </message>
    <message>
        <source>Shutdown computer at the end of the downloads</source>
        <translation>Éteindre l&apos;ordinateur à la fin des téléchargements</translation>
    </message>
    <message>
        <source>Standby computer at the end of the downloads</source>
        <translation>Mettre l&apos;ordinateur en veille à la fin des téléchargements</translation>
    </message>
    <message>
        <source>Hibernate computer at the end of the downloads</source>
        <translation>Mettre l&apos;ordinateur en veille prolongée à la fin des téléchargements</translation>
    </message>
    <message>
        <source>Save shutdown configuration</source>
        <translation>Enregistrer la configuration d&apos;extinction</translation>
    </message>
</context>
<context>
    <name>DialogWebAuthentication</name>
    <message>
        <source>Authentication required</source>
        <translation>Authentification requise</translation>
    </message>
    <message>
        <source>Intro label</source>
        <translation>Texte d&apos;introduction</translation>
    </message>
    <message>
        <source>Login: </source>
        <translation>Identifiant : </translation>
    </message>
    <message>
        <source>Password: </source>
        <translation>Mot de passe : </translation>
    </message>
</context>
<context>
    <name>DialogWebFavourite</name>
    <message>
        <source>Add Favourite</source>
        <translation>Ajouter un favori</translation>
    </message>
    <message>
        <source>Title: </source>
        <translation>Titre : </translation>
    </message>
    <message>
        <source>URL: </source>
        <translation>URL : </translation>
    </message>
</context>
<context>
    <name>DialogWebOptions</name>
    <message>
        <source>Browser options</source>
        <translation>Options du navigateur</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Favoris</translation>
    </message>
    <message>
        <source>Delete selected favourites</source>
        <translation>Supprimer les favoris sélectionnés</translation>
    </message>
    <message>
        <source>List of favourites</source>
        <translation>Liste des favoris</translation>
    </message>
    <message>
        <source>Home page</source>
        <translation>Page d&apos;accueil</translation>
    </message>
    <message>
        <source>Open the following page:</source>
        <translation>Ouvrir la page suivante :</translation>
    </message>
    <message>
        <source>Load the home page at startup</source>
        <translation>Charger la page d&apos;accueil au démarrage</translation>
    </message>
    <message>
        <source>Web settings</source>
        <translation>Paramètres web</translation>
    </message>
    <message>
        <source>Plugins enabled</source>
        <translation>Plugins activés</translation>
    </message>
    <message>
        <source>Java enabled</source>
        <translation>Java activé</translation>
    </message>
    <message>
        <source>Javascript enabled</source>
        <translation>JavaScript activé</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Favourite&apos;s name &quot;%1&quot; must be unique</source>
        <translation>Le nom de favori « %1 » doit être unique</translation>
    </message>
    <message>
        <source>&quot;%1&quot; favourite&apos;s URL mustn&apos;t be empty</source>
        <translation>L&apos;URL du favori « %1 » ne doit pas être vide</translation>
    </message>
</context>
<context>
    <name>DialogWizard</name>
    <message>
        <source>Tessaquill+ - Configuration Wizard</source>
        <translation>Tessaquill+ - Assistant de configuration</translation>
    </message>
    <message>
        <source>Welcome to the server Wizard Configuration!</source>
        <translation>Bienvenue dans l&apos;assistant de configuration du serveur !</translation>
    </message>
    <message>
        <source>Type the address of your internet news (NNTP) server.</source>
        <translation>Saisissez l&apos;adresse de votre serveur de news (NNTP).</translation>
    </message>
    <message>
        <source>News (NNTP) server address:</source>
        <translation>Adresse du serveur de news (NNTP) :</translation>
    </message>
    <message>
        <source>News (NNTP) server requires a user name and password</source>
        <translation>Le serveur de news (NNTP) demande un nom d&apos;utilisateur et un mot de passe</translation>
    </message>
    <message>
        <source>News (NNTP) server uses SSL encryption</source>
        <translation>Le serveur de news (NNTP) utilise le chiffrement SSL</translation>
    </message>
    <message>
        <source>Number of connections:</source>
        <translation>Nombre de connexions :</translation>
    </message>
    <message>
        <source>User name and password</source>
        <translation>Nom d&apos;utilisateur et mot de passe</translation>
    </message>
    <message>
        <source>Enter the user name and password provided by your news (NNTP) provider.</source>
        <translation>Saisissez le nom d&apos;utilisateur et le mot de passe fournis par votre fournisseur de news (NNTP).</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>Nom d&apos;utilisateur :</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Congratulations!</source>
        <translation>Félicitations !</translation>
    </message>
    <message>
        <source>You have successfully configured your news (NNTP) server. It will be added to the servers list when you click on Finished.</source>
        <translation>Votre serveur de news (NNTP) est configuré. Il sera ajouté à la liste des serveurs quand vous cliquerez sur Terminer.</translation>
    </message>
    <message>
        <source>You can access to its configuration by double-clicking the server name.</source>
        <translation>Vous pourrez modifier sa configuration en double-cliquant sur le nom du serveur.</translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; Précédent</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Suivant &gt;</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Terminer</translation>
    </message>
    <message>
        <source>Please enter the name of your news (NNTP) server.</source>
        <translation>Veuillez saisir le nom de votre serveur de news (NNTP).</translation>
    </message>
    <message>
        <source>Please enter the user name.</source>
        <translation>Veuillez saisir le nom d&apos;utilisateur.</translation>
    </message>
    <message>
        <source>Please enter the password.</source>
        <translation>Veuillez saisir le mot de passe.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Your password contains extra spaces. Do you want to remove them?</source>
        <translation>Votre mot de passe contient des espaces superflus. Voulez-vous les supprimer ?</translation>
    </message>
    <message>
        <source>The text after the server&apos;s address is not a port number from 1 to 65535: &quot;%1&quot;
Type the address alone: the usual port is then used, and it can be changed in the server editor (double-click the server in the servers list).</source>
        <translation>Le texte après l&apos;adresse du serveur n&apos;est pas un numéro de port de 1 à 65535 : « %1 »
Tapez l&apos;adresse seule : le port habituel est alors utilisé, et il peut être modifié dans l&apos;éditeur de serveur (double-clic sur le serveur dans la liste des serveurs).</translation>
    </message>
</context>
<context>
    <name>DownloadNzbManager</name>
    <message>
        <source>Unknown NZB Subject</source>
        <translation>Sujet du NZB inconnu</translation>
    </message>
    <message>
        <source>Error: no NZB file object</source>
        <translation>Erreur : aucun objet fichier NZB</translation>
    </message>
    <message>
        <source>Error: NZB file already queued</source>
        <translation>Erreur : le fichier NZB est déjà dans la file d&apos;attente</translation>
    </message>
    <message>
        <source>the disk is full or the folder cannot be written</source>
        <translation>le disque est plein ou le dossier n&apos;est pas accessible en écriture</translation>
    </message>
    <message>
        <source>Downloads paused: cannot write the temporary file %1 (%2). Free some disk space or check the Cache folder, then resume the downloads.</source>
        <translation type="vanished">Téléchargements en pause : impossible d&apos;écrire le fichier temporaire %1 (%2). Libérez de l&apos;espace disque ou vérifiez le dossier cache, puis reprenez les téléchargements.</translation>
    </message>
    <message>
        <source>No par2 file found!</source>
        <translation>Aucun fichier PAR2 trouvé !</translation>
    </message>
    <message>
        <source>Par2: success - %1</source>
        <translation>PAR2 : réussite - %1</translation>
    </message>
    <message>
        <source>Par2: need more par2 volumes to repair - %1</source>
        <translation>PAR2 : il faut davantage de volumes PAR2 pour réparer - %1</translation>
    </message>
    <message>
        <source>Par2: repair is not possible - %1</source>
        <translation>PAR2 : la réparation est impossible - %1</translation>
    </message>
    <message>
        <source>Failed to create extract directory</source>
        <translation>Impossible de créer le dossier d&apos;extraction</translation>
    </message>
    <message>
        <source>Unrar error: exit code: %1, exit status: %2</source>
        <translation>Erreur d&apos;extraction : code de sortie %1, état de sortie %2</translation>
    </message>
    <message>
        <source>Data files are damaged and there is enough recovery data available to repair them</source>
        <translation>Les fichiers de données sont endommagés et il y a assez de données de récupération pour les réparer</translation>
    </message>
    <message>
        <source>There was something wrong with the command line arguments</source>
        <translation>Les arguments de la ligne de commande sont incorrects</translation>
    </message>
    <message>
        <source>The PAR2 files did not contain sufficient information about the data files to be able to verify them</source>
        <translation>Les fichiers PAR2 ne contenaient pas assez d&apos;informations sur les fichiers de données pour pouvoir les vérifier</translation>
    </message>
    <message>
        <source>Repair completed but the data files still appear to be damaged</source>
        <translation>Réparation terminée, mais les fichiers de données semblent encore endommagés</translation>
    </message>
    <message>
        <source>An error occured when accessing files</source>
        <translation>Une erreur est survenue lors de l&apos;accès aux fichiers</translation>
    </message>
    <message>
        <source>An internal error occurred</source>
        <translation>Une erreur interne est survenue</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Mémoire insuffisante</translation>
    </message>
    <message>
        <source>Failed to start PAR2: you may have insufficient permissions to invoke the program</source>
        <translation>Impossible de lancer PAR2 : vous n&apos;avez peut-être pas les droits suffisants pour exécuter le programme</translation>
    </message>
    <message>
        <source>Downloads paused: cannot write the decoded file %1 (%2). Free some disk space or check the Download folder, then resume the downloads.</source>
        <translation type="vanished">Téléchargements en pause : impossible d&apos;écrire le fichier décodé %1 (%2). Libérez de l&apos;espace disque ou vérifiez le dossier de téléchargement, puis reprenez les téléchargements.</translation>
    </message>
    <message>
        <source>the repair is not possible, the volumes and PAR2 files are kept for a manual repair</source>
        <translation>la réparation est impossible, les volumes et les fichiers PAR2 sont conservés pour une réparation manuelle</translation>
    </message>
    <message>
        <source>the PAR2 verification failed, the volumes and PAR2 files are kept for a manual repair</source>
        <translation>la vérification PAR2 a échoué, les volumes et les fichiers PAR2 sont conservés pour une réparation manuelle</translation>
    </message>
    <message>
        <source>%1 file(s) damaged, and no PAR2 file to repair them</source>
        <translation>%1 fichier(s) endommagé(s), et aucun fichier PAR2 pour les réparer</translation>
    </message>
    <message>
        <source>%1 file(s) incomplete, %2 article(s) missing, and no PAR2 file to repair them</source>
        <translation>%1 fichier(s) incomplet(s), %2 article(s) manquant(s), et aucun fichier PAR2 pour les réparer</translation>
    </message>
    <message>
        <source>, the split files are kept unjoined</source>
        <translation>, les fichiers découpés sont conservés sans être assemblés</translation>
    </message>
    <message>
        <source>Segment %1 cannot be downloaded: its message id is blank or holds a line break</source>
        <translation>Le segment %1 ne peut pas être téléchargé : son identifiant de message est vide ou contient un saut de ligne</translation>
    </message>
    <message>
        <source>Segment %1 cannot be placed in its file: its number is not a whole number</source>
        <translation>Le segment %1 ne peut pas être placé dans son fichier : son numéro n&apos;est pas un nombre entier</translation>
    </message>
    <message>
        <source>Cannot write the decoded file %1 (%2). Free some disk space or check the Download folder, then resume the downloads.</source>
        <translation>Impossible d&apos;écrire le fichier décodé %1 (%2). Libérez de l&apos;espace disque ou vérifiez le dossier de téléchargement, puis reprenez les téléchargements.</translation>
    </message>
    <message>
        <source>Cannot write the temporary file %1 (%2). Free some disk space or check the Cache folder, then resume the downloads.</source>
        <translation>Impossible d&apos;écrire le fichier temporaire %1 (%2). Libérez de l&apos;espace disque ou vérifiez le dossier cache, puis reprenez les téléchargements.</translation>
    </message>
</context>
<context>
    <name>FolderCheck</name>
    <message>
        <source>%1 is not a full path</source>
        <translation>%1 n&apos;est pas un chemin complet</translation>
    </message>
    <message>
        <source>%1 is a file, not a folder</source>
        <translation>%1 est un fichier, pas un dossier</translation>
    </message>
    <message>
        <source>%1 is a file: no folder can be made in it</source>
        <translation>%1 est un fichier : aucun dossier ne peut y être créé</translation>
    </message>
    <message>
        <source>%1 cannot be written (%2)</source>
        <translation>%1 n&apos;est pas accessible en écriture (%2)</translation>
    </message>
    <message>
        <source>the path is longer than the system allows (%1 characters)</source>
        <translation>le chemin est plus long que le système ne le permet (%1 caractères)</translation>
    </message>
    <message>
        <source>the name %1 is longer than the system allows</source>
        <translation>le nom %1 est plus long que le système ne le permet</translation>
    </message>
</context>
<context>
    <name>FrameSearchResults</name>
    <message>
        <source>Search title</source>
        <translation>Titre de la recherche</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Sujet</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Age</source>
        <translation>Âge</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Groupes</translation>
    </message>
    <message>
        <source>Poster</source>
        <translation>Auteur</translation>
    </message>
    <message>
        <source>Select / Unselect all</source>
        <translation>Tout sélectionner / désélectionner</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Nb results</source>
        <translation>Nombre de résultats</translation>
    </message>
    <message>
        <source>No result found for &quot;%1&quot;</source>
        <translation>Aucun résultat pour « %1 »</translation>
    </message>
    <message>
        <source> result(s)</source>
        <translation> résultat(s)</translation>
    </message>
    <message>
        <source> - More results available</source>
        <translation> - D&apos;autres résultats sont disponibles</translation>
    </message>
    <message>
        <source>A request of this page is still running.</source>
        <translation>Une requête de cette page est encore en cours.</translation>
    </message>
    <message>
        <source>No selected result.</source>
        <translation>Aucun résultat sélectionné.</translation>
    </message>
</context>
<context>
    <name>FrameWebBrowser</name>
    <message>
        <source>Frame</source>
        <translation>Cadre</translation>
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
    <message>
        <source>-- All results --</source>
        <translation>-- Tous les résultats --</translation>
    </message>
    <message>
        <source>Please enter a search request.</source>
        <translation>Veuillez saisir une recherche.</translation>
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
        <translation>Erreur de téléchargement : %1</translation>
    </message>
    <message>
        <source>Tessaquill+ </source>
        <translation>Tessaquill+ </translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Vitesse</translation>
    </message>
    <message>
        <source> Idle</source>
        <translation> Inactive</translation>
    </message>
    <message>
        <source> Paused</source>
        <translation> En pause</translation>
    </message>
    <message>
        <source> - Delay before thread starts: </source>
        <translation> - Délai avant le démarrage de la connexion : </translation>
    </message>
    <message>
        <source> Downloading </source>
        <translation> Téléchargement de </translation>
    </message>
    <message>
        <source> Connecting to server</source>
        <translation> Connexion au serveur</translation>
    </message>
    <message>
        <source> Disconnecting from server</source>
        <translation> Déconnexion du serveur</translation>
    </message>
    <message>
        <source> Downloading Groups</source>
        <translation> Téléchargement des groupes</translation>
    </message>
    <message>
        <source> Select group %1</source>
        <translation> Sélection du groupe %1</translation>
    </message>
    <message>
        <source> Stat %1</source>
        <translation> Stat %1</translation>
    </message>
    <message>
        <source> Help</source>
        <translation> Aide</translation>
    </message>
    <message>
        <source> Capabilities</source>
        <translation> Capacités</translation>
    </message>
    <message>
        <source> Date</source>
        <translation> Date</translation>
    </message>
    <message>
        <source>Thread %1: %2</source>
        <translation type="vanished">Connexion %1 : %2</translation>
    </message>
    <message>
        <source> Segment is missing on server: %1</source>
        <translation> Segment absent du serveur : %1</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Sujet</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>File date</source>
        <translation>Date du fichier</translation>
    </message>
    <message>
        <source>Destination directory</source>
        <translation>Dossier de destination</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Messages</translation>
    </message>
    <message>
        <source>Redownload file(s)</source>
        <translation>Retélécharger le(s) fichier(s)</translation>
    </message>
    <message>
        <source>Delete selected files</source>
        <translation>Supprimer les fichiers sélectionnés</translation>
    </message>
    <message>
        <source>Uncompress</source>
        <translation>Extraire</translation>
    </message>
    <message>
        <source>Do not uncompress</source>
        <translation>Ne pas extraire</translation>
    </message>
    <message>
        <source>Password of the archive</source>
        <translation>Mot de passe de l&apos;archive</translation>
    </message>
    <message>
        <source>Modify Destination directory</source>
        <translation>Modifier le dossier de destination</translation>
    </message>
    <message>
        <source>Modify NZB title</source>
        <translation>Modifier le titre du NZB</translation>
    </message>
    <message>
        <source>Keep PAR2 file(s)</source>
        <translation>Conserver le(s) fichier(s) PAR2</translation>
    </message>
    <message>
        <source>Segment %1 (Number %2 of NZB %3): %4</source>
        <translation>Segment %1 (numéro %2 du NZB %3) : %4</translation>
    </message>
    <message>
        <source>Segment %1 is missing</source>
        <translation>Le segment %1 est absent</translation>
    </message>
    <message>
        <source>Segment %1 (Number %2 of NZB %3) is missing</source>
        <translation>Le segment %1 (numéro %2 du NZB %3) est absent</translation>
    </message>
    <message>
        <source>%1: segment %2 is missing</source>
        <translation>%1 : le segment %2 est absent</translation>
    </message>
    <message>
        <source>Failed to create file for segment %1 (Number %2 of NZB %3)</source>
        <translation>Impossible de créer le fichier du segment %1 (numéro %2 du NZB %3)</translation>
    </message>
    <message>
        <source>File %1 of NZB %2 decoded</source>
        <translation>Fichier %1 du NZB %2 décodé</translation>
    </message>
    <message>
        <source>NZB %1 requires a password in order to extract the archive !</source>
        <translation>Le NZB %1 demande un mot de passe pour extraire l&apos;archive !</translation>
    </message>
    <message>
        <source>File %1 of NZB %2: %3</source>
        <translation>Fichier %1 du NZB %2 : %3</translation>
    </message>
    <message>
        <source>File %1 of NZB %2 resumed</source>
        <translation>Fichier %1 du NZB %2 repris</translation>
    </message>
    <message>
        <source>Do not keep PAR2 file(s)</source>
        <translation>Ne pas conserver le(s) fichier(s) PAR2</translation>
    </message>
    <message>
        <source>Please select either NZB(s) or file(s) to delete</source>
        <translation>Veuillez sélectionner des NZB ou des fichiers à supprimer</translation>
    </message>
    <message>
        <source>Do you want to remove the selected file(s)?</source>
        <translation>Voulez-vous retirer le(s) fichier(s) sélectionné(s) ?</translation>
    </message>
    <message>
        <source>File %1 removed from download list</source>
        <translation>Fichier %1 retiré de la liste des téléchargements</translation>
    </message>
    <message>
        <source>Do you want to remove the selected NZB(s)?</source>
        <translation>Voulez-vous retirer le(s) NZB sélectionné(s) ?</translation>
    </message>
    <message>
        <source>NZB %1 removed from download list</source>
        <translation>NZB %1 retiré de la liste des téléchargements</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Tessaquill+ has been minimized in the task bar</source>
        <translation>Tessaquill+ a été réduit dans la barre des tâches</translation>
    </message>
    <message>
        <source>The configuration could not be loaded: %1

The program runs with the default settings.</source>
        <translation>La configuration n&apos;a pas pu être chargée : %1

Le programme fonctionne avec les paramètres par défaut.</translation>
    </message>
    <message>
        <source>Do you really want to exit Tessaquill+ ?</source>
        <translation>Voulez-vous vraiment quitter Tessaquill+ ?</translation>
    </message>
    <message>
        <source>PAR2 parity test...</source>
        <translation>Test de parité PAR2...</translation>
    </message>
    <message>
        <source>PAR2 parity test of %1...</source>
        <translation>Test de parité PAR2 de %1...</translation>
    </message>
    <message>
        <source>PAR2 parity test: %1</source>
        <translation>Test de parité PAR2 : %1</translation>
    </message>
    <message>
        <source>%1, %2 block(s) needed</source>
        <translation>%1, bloc(s) nécessaire(s) : %2</translation>
    </message>
    <message>
        <source>PAR2 finished for %1: %2, %3 block(s) needed</source>
        <translation>PAR2 terminé pour %1 : %2, bloc(s) nécessaire(s) : %3</translation>
    </message>
    <message>
        <source>Unrar in progress...</source>
        <translation>Extraction en cours...</translation>
    </message>
    <message>
        <source>Unrar in progress for %1...</source>
        <translation>Extraction de %1 en cours...</translation>
    </message>
    <message>
        <source>Unrar progress: %1</source>
        <translation>Progression de l&apos;extraction : %1</translation>
    </message>
    <message>
        <source>Unrar error: %1</source>
        <translation>Erreur d&apos;extraction : %1</translation>
    </message>
    <message>
        <source>Unrar error for %1: %2</source>
        <translation>Erreur d&apos;extraction de %1 : %2</translation>
    </message>
    <message>
        <source>Unrar: no file found</source>
        <translation>Extraction : aucun fichier trouvé</translation>
    </message>
    <message>
        <source>Unrar: no file found for %1</source>
        <translation>Extraction : aucun fichier trouvé pour %1</translation>
    </message>
    <message>
        <source>Unrar finished successfully</source>
        <translation>Extraction terminée avec succès</translation>
    </message>
    <message>
        <source>Unrar finished successfully for %1</source>
        <translation>Extraction de %1 terminée avec succès</translation>
    </message>
    <message>
        <source>Unrar finished with error(s)</source>
        <translation>Extraction terminée avec des erreurs</translation>
    </message>
    <message>
        <source>Unrar finished with error(s) for %1</source>
        <translation>Extraction de %1 terminée avec des erreurs</translation>
    </message>
    <message>
        <source>Unsplit in progress...</source>
        <translation>Assemblage en cours...</translation>
    </message>
    <message>
        <source>Unsplit in progress for %1...</source>
        <translation>Assemblage de %1 en cours...</translation>
    </message>
    <message>
        <source>Unsplit in progress: %1%</source>
        <translation>Assemblage en cours : %1 %</translation>
    </message>
    <message>
        <source>Unsplit finished successfully</source>
        <translation>Assemblage terminé avec succès</translation>
    </message>
    <message>
        <source>Unsplit finished successfully for %1...</source>
        <translation>Assemblage de %1 terminé avec succès...</translation>
    </message>
    <message>
        <source>Unsplit finished with error(s): %1</source>
        <translation>Assemblage terminé avec des erreurs : %1</translation>
    </message>
    <message>
        <source>Unsplit finished with error(s) for %1: %2</source>
        <translation>Assemblage de %1 terminé avec des erreurs : %2</translation>
    </message>
    <message>
        <source>Cleaning </source>
        <translation>Nettoyage de </translation>
    </message>
    <message>
        <source>NZB %1: a file of that name was already in the destination, kept as %2</source>
        <translation>NZB %1 : un fichier de ce nom existait déjà dans la destination, conservé sous le nom %2</translation>
    </message>
    <message>
        <source>%1: the destination folder %2 could not be created, the files stay in %3</source>
        <translation>%1 : le dossier de destination %2 n&apos;a pas pu être créé, les fichiers restent dans %3</translation>
    </message>
    <message>
        <source>%1: %2 file(s) could not be moved to the destination, they stay in %3</source>
        <translation type="vanished">%1 : %2 fichier(s) n&apos;ont pas pu être déplacés vers la destination, ils restent dans %3</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>NZB %1 has been downloaded with error(s)</source>
        <translation>Le NZB %1 a été téléchargé avec des erreurs</translation>
    </message>
    <message>
        <source> has been downloaded with error(s)</source>
        <translation> a été téléchargé avec des erreurs</translation>
    </message>
    <message>
        <source>NZB %1 has been successfully downloaded</source>
        <translation>Le NZB %1 a été téléchargé avec succès</translation>
    </message>
    <message>
        <source> has been successfully downloaded</source>
        <translation> a été téléchargé avec succès</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Pause for 5 minutes</source>
        <translation>Pause de 5 minutes</translation>
    </message>
    <message>
        <source>Pause for 15 minutes</source>
        <translation>Pause de 15 minutes</translation>
    </message>
    <message>
        <source>Pause for 30 minutes</source>
        <translation>Pause de 30 minutes</translation>
    </message>
    <message>
        <source>Pause for 1 hour</source>
        <translation>Pause d&apos;une heure</translation>
    </message>
    <message>
        <source>Pause for 2 hours</source>
        <translation>Pause de 2 heures</translation>
    </message>
    <message>
        <source>Pause for 3 hours</source>
        <translation>Pause de 3 heures</translation>
    </message>
    <message>
        <source>Pause for 4 hours</source>
        <translation>Pause de 4 heures</translation>
    </message>
    <message>
        <source>Pause for 5 hours</source>
        <translation>Pause de 5 heures</translation>
    </message>
    <message>
        <source>Pause for 6 hours</source>
        <translation>Pause de 6 heures</translation>
    </message>
    <message>
        <source>Start connections</source>
        <translation>Démarrer les connexions</translation>
    </message>
    <message>
        <source>The downloads have been paused: %1</source>
        <translation>Les téléchargements ont été mis en pause : %1</translation>
    </message>
    <message>
        <source>Limit bandwidth: </source>
        <translation>Limite de bande passante : </translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Error while importing NZB file: %1</source>
        <translation>Erreur lors de l&apos;import du fichier NZB : %1</translation>
    </message>
    <message>
        <source>Adding new NZB: %1...</source>
        <translation>Ajout d&apos;un nouveau NZB : %1...</translation>
    </message>
    <message>
        <source>Error while saving NZB history file: %1</source>
        <translation>Erreur lors de l&apos;enregistrement du fichier d&apos;historique des NZB : %1</translation>
    </message>
    <message>
        <source>NZB %1 added to download list</source>
        <translation>NZB %1 ajouté à la liste des téléchargements</translation>
    </message>
    <message>
        <source>NZB %1 saved to disk: %2</source>
        <translation>NZB %1 enregistré sur le disque : %2</translation>
    </message>
    <message>
        <source>NZB %1 could not be saved to disk: %2</source>
        <translation type="vanished">Le NZB %1 n&apos;a pas pu être enregistré sur le disque : %2</translation>
    </message>
    <message>
        <source>Cannot load %1: bad suffix</source>
        <translation>Impossible de charger %1 : mauvaise extension</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Nickname</source>
        <translation>Surnom</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Compteur</translation>
    </message>
    <message>
        <source>Start / Stop</source>
        <translation>Démarrer / arrêter</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Serveur</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Configuration of a new server</source>
        <translation>Configuration d&apos;un nouveau serveur</translation>
    </message>
    <message>
        <source>Please select a server to update in the list</source>
        <translation>Veuillez sélectionner dans la liste le serveur à modifier</translation>
    </message>
    <message>
        <source>Please stop the selected server before updating configuration</source>
        <translation>Veuillez arrêter le serveur sélectionné avant de modifier sa configuration</translation>
    </message>
    <message>
        <source>Server Configuration</source>
        <translation>Configuration du serveur</translation>
    </message>
    <message>
        <source>Please select a server to delete in the list</source>
        <translation>Veuillez sélectionner dans la liste le serveur à supprimer</translation>
    </message>
    <message>
        <source>Please stop the selected server before deleting it</source>
        <translation>Veuillez arrêter le serveur sélectionné avant de le supprimer</translation>
    </message>
    <message>
        <source>Remove the server &apos;%1&apos;?</source>
        <translation>Supprimer le serveur « %1 » ?</translation>
    </message>
    <message>
        <source> &lt; 1 minute</source>
        <translation> &lt; 1 minute</translation>
    </message>
    <message>
        <source>%)</source>
        <translation>%)</translation>
    </message>
    <message>
        <source>Avg Speed: </source>
        <translation>Vitesse moy. : </translation>
    </message>
    <message>
        <source>Time: </source>
        <translation>Temps : </translation>
    </message>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>Réd&amp;uire</translation>
    </message>
    <message>
        <source>Ma&amp;ximize</source>
        <translation>Agran&amp;dir</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurer</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Téléchargement en cours</translation>
    </message>
    <message>
        <source>The connection was closed.</source>
        <translation>La connexion a été fermée.</translation>
    </message>
    <message>
        <source>Download failed</source>
        <translation>Échec du téléchargement</translation>
    </message>
    <message>
        <source>Save file...</source>
        <translation>Enregistrer le fichier...</translation>
    </message>
    <message>
        <source>The file could not be saved to %1.</source>
        <translation type="vanished">Le fichier n&apos;a pas pu être enregistré dans %1.</translation>
    </message>
    <message>
        <source>This is not a valid URL</source>
        <translation>Cette URL n&apos;est pas valide</translation>
    </message>
    <message>
        <source>Loading page...</source>
        <translation>Chargement de la page...</translation>
    </message>
    <message>
        <source>Add to Favourite</source>
        <translation>Ajouter aux favoris</translation>
    </message>
    <message>
        <source>Browser options</source>
        <translation>Options du navigateur</translation>
    </message>
    <message>
        <source>New favourite</source>
        <translation>Nouveau favori</translation>
    </message>
    <message>
        <source>Title must not be empty</source>
        <translation>Le titre ne doit pas être vide</translation>
    </message>
    <message>
        <source>URL must not be empty</source>
        <translation>L&apos;URL ne doit pas être vide</translation>
    </message>
    <message>
        <source>NZB download list reordered by user</source>
        <translation>Liste des téléchargements NZB réordonnée par l&apos;utilisateur</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Password of the archive :</source>
        <translation>Mot de passe de l&apos;archive :</translation>
    </message>
    <message>
        <source>Choose Destination directory</source>
        <translation>Choisir le dossier de destination</translation>
    </message>
    <message>
        <source>NZB title</source>
        <translation>Titre du NZB</translation>
    </message>
    <message>
        <source>New NZB title :</source>
        <translation>Nouveau titre du NZB :</translation>
    </message>
    <message>
        <source>Default Destination</source>
        <translation>Destination par défaut</translation>
    </message>
    <message>
        <source>Every download is finished: closing the program</source>
        <translation>Tous les téléchargements sont terminés : fermeture du programme</translation>
    </message>
    <message>
        <source>the power tool %1 is missing from the program&apos;s folder</source>
        <translation>l&apos;outil d&apos;alimentation %1 est absent du dossier du programme</translation>
    </message>
    <message>
        <source>Every download is finished: starting %1 %2</source>
        <translation>Tous les téléchargements sont terminés : lancement de %1 %2</translation>
    </message>
    <message>
        <source>the power tool could not be started: %1</source>
        <translation>l&apos;outil d&apos;alimentation n&apos;a pas pu être lancé : %1</translation>
    </message>
    <message>
        <source>the power tool stopped unexpectedly</source>
        <translation>l&apos;outil d&apos;alimentation s&apos;est arrêté de façon inattendue</translation>
    </message>
    <message>
        <source>the power tool ended with code %1</source>
        <translation>l&apos;outil d&apos;alimentation s&apos;est terminé avec le code %1</translation>
    </message>
    <message>
        <source>The action at the end of the downloads failed: %1</source>
        <translation>L&apos;action de fin des téléchargements a échoué : %1</translation>
    </message>
    <message>
        <source>&lt;b&gt;&lt;font color=&apos;%1&apos;&gt;%2&lt;/font&gt;&lt;/b&gt;</source>
        <translation>&lt;b&gt;&lt;font color=&apos;%1&apos;&gt;%2&lt;/font&gt;&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Open one or several NZB</source>
        <translation>Ouvrir un ou plusieurs NZB</translation>
    </message>
    <message>
        <source>Nzb files (*.nzb *.NZB);;Any files (*)</source>
        <translation type="vanished">Fichiers NZB (*.nzb *.NZB);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>A new version is available (%1)</source>
        <translation>Une nouvelle version est disponible (%1)</translation>
    </message>
    <message>
        <source>A new version is available (%1)!

Do you want to visit the Web Site in order to download it?</source>
        <translation>Une nouvelle version est disponible (%1) !

Voulez-vous visiter le site web pour la télécharger ?</translation>
    </message>
    <message>
        <source>NZB %1 is being moved to its destination folder: it cannot be changed until that is done.</source>
        <translation>Le NZB %1 est en cours de déplacement vers son dossier de destination : il ne peut pas être modifié avant la fin.</translation>
    </message>
    <message>
        <source>Exiting: waiting for the files of a finished NZB to be moved to their destination...</source>
        <translation>Fermeture : attente du déplacement des fichiers d&apos;un NZB terminé vers leur destination...</translation>
    </message>
    <message>
        <source>Exiting: waiting for the files of %1 to be moved to %2...</source>
        <translation>Fermeture : attente du déplacement des fichiers de %1 vers %2...</translation>
    </message>
    <message>
        <source>These NZBs of the saved queue could not be restored: their record and its backup are damaged.
%1
The damaged files are kept in %2 with the suffix %3.</source>
        <translation>Ces NZB de la file d&apos;attente enregistrée n&apos;ont pas pu être restaurés : leur enregistrement et sa copie de secours sont endommagés.
%1
Les fichiers endommagés sont conservés dans %2 avec le suffixe %3.</translation>
    </message>
    <message>
        <source>These server records could not be read, so their servers are missing:
%1
The files are kept in %2.</source>
        <translation>Ces enregistrements de serveur n&apos;ont pas pu être lus, leurs serveurs sont donc absents :
%1
Les fichiers sont conservés dans %2.</translation>
    </message>
    <message>
        <source>The servers could not be saved: %1</source>
        <translation>Les serveurs n&apos;ont pas pu être enregistrés : %1</translation>
    </message>
    <message>
        <source>The servers could not be saved: the changes will be lost when the program ends.

%1</source>
        <translation>Les serveurs n&apos;ont pas pu être enregistrés : les modifications seront perdues à la fermeture du programme.

%1</translation>
    </message>
    <message>
        <source>Nzb files (*.[nN][zZ][bB]);;Any files (*)</source>
        <translation>Fichiers NZB (*.[nN][zZ][bB]);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>The file is larger than %1 MiB, more than an NZB file may hold.</source>
        <translation>Le fichier dépasse %1 Mio, plus qu&apos;un fichier NZB ne peut contenir.</translation>
    </message>
    <message>
        <source> %1 (failed %2 times in a row, next attempt at %3)</source>
        <translation> %1 (%2 échecs de suite, prochaine tentative à %3)</translation>
    </message>
    <message>
        <source> %1 (next attempt at %2)</source>
        <translation> %1 (prochaine tentative à %2)</translation>
    </message>
    <message>
        <source>Thread %1 (server %2): %3</source>
        <translation>Connexion %1 (serveur %2) : %3</translation>
    </message>
    <message>
        <source>NZB %1: %2 could not be moved to %3: %4</source>
        <translation>NZB %1 : %2 n&apos;a pas pu être déplacé vers %3 : %4</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>et %1 de plus</translation>
    </message>
    <message>
        <source>%1: %2 file(s) could not be moved to %3 (%4), they stay in %5</source>
        <translation>%1 : %2 fichier(s) n&apos;ont pas pu être déplacés vers %3 (%4), ils restent dans %5</translation>
    </message>
    <message>
        <source>Unsplit: no split file found</source>
        <translation>Assemblage : aucun fichier découpé trouvé</translation>
    </message>
    <message>
        <source>Unsplit: no split file found for %1</source>
        <translation>Assemblage : aucun fichier découpé trouvé pour %1</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Fichier : %1</translation>
    </message>
    <message>
        <source>a folder, not an NZB file</source>
        <translation>un dossier, pas un fichier NZB</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>fichier introuvable</translation>
    </message>
    <message>
        <source>a packed NZB file: unpack it, then add the .nzb file</source>
        <translation>un fichier NZB compressé : décompressez-le, puis ajoutez le fichier .nzb</translation>
    </message>
    <message>
        <source>not an NZB file (its name does not end in .nzb)</source>
        <translation>pas un fichier NZB (son nom ne se termine pas par .nzb)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>These files were not added to the queue:</source>
        <translation>Ces fichiers n&apos;ont pas été ajoutés à la file d&apos;attente :</translation>
    </message>
    <message>
        <source>The download queue could not be saved in %1: %2

An NZB whose record is not saved is missing at the next start. Free some disk space or make the folder writable: the queue is saved again at its next change and at exit.</source>
        <translation>La file de téléchargement n&apos;a pas pu être enregistrée dans %1 : %2

Un NZB dont l&apos;enregistrement n&apos;est pas sauvegardé manquera au prochain démarrage. Libérez de l&apos;espace disque ou rendez le dossier accessible en écriture : la file est enregistrée de nouveau à sa prochaine modification et à la fermeture.</translation>
    </message>
    <message>
        <source>The download queue could not be saved in %1: %2

The NZBs whose record could not be written will be missing at the next start.</source>
        <translation>La file de téléchargement n&apos;a pas pu être enregistrée dans %1 : %2

Les NZB dont l&apos;enregistrement n&apos;a pas pu être écrit manqueront au prochain démarrage.</translation>
    </message>
    <message>
        <source>NZB %1 was handed over while the program was ending: it is saved in the download queue and downloaded from the next start on</source>
        <translation>Le NZB %1 a été transmis pendant la fermeture du programme : il est enregistré dans la file de téléchargement et sera téléchargé dès le prochain démarrage</translation>
    </message>
    <message>
        <source>The connection was closed after %1 of %2 bytes.</source>
        <translation>La connexion a été fermée après %1 octets sur %2.</translation>
    </message>
    <message>
        <source>The connection was closed before the end of the NZB file.</source>
        <translation>La connexion a été fermée avant la fin du fichier NZB.</translation>
    </message>
    <message>
        <source>NZB %1 goes on in the download folder %2</source>
        <translation>Le NZB %1 continue dans le dossier de téléchargement %2</translation>
    </message>
    <message>
        <source>Waiting: the download folder %1 cannot be used: %2. Choose another Download folder in the settings, or make this one usable: the download then goes on by itself.</source>
        <translation>En attente : le dossier de téléchargement %1 ne peut pas être utilisé : %2. Choisissez un autre dossier de téléchargement dans les paramètres, ou rendez celui-ci utilisable : le téléchargement reprendra alors de lui-même.</translation>
    </message>
    <message>
        <source>Waiting: the download folder %1 cannot be used: %2. Make it usable again: the download then goes on by itself.</source>
        <translation>En attente : le dossier de téléchargement %1 ne peut pas être utilisé : %2. Rendez-le de nouveau utilisable : le téléchargement reprendra alors de lui-même.</translation>
    </message>
    <message>
        <source>NZB %1: %2</source>
        <translation>NZB %1 : %2</translation>
    </message>
    <message>
        <source>NZB %1 is complete: its files are being verified, repaired and extracted into its destination folder, or are already there. Its destination and title cannot be changed any more.</source>
        <translation>Le NZB %1 est complet : ses fichiers sont en cours de vérification, de réparation et d&apos;extraction dans son dossier de destination, ou s&apos;y trouvent déjà. Sa destination et son titre ne peuvent plus être modifiés.</translation>
    </message>
    <message>
        <source>The files of NZB %1 cannot be downloaded again: the NZB is complete, and its files are being verified, extracted and moved or are already in its destination folder. Add the NZB again to download it anew.</source>
        <translation>Les fichiers du NZB %1 ne peuvent pas être téléchargés à nouveau : le NZB est complet, et ses fichiers sont en cours de vérification, d&apos;extraction et de déplacement, ou se trouvent déjà dans son dossier de destination. Ajoutez à nouveau le NZB pour le télécharger de nouveau.</translation>
    </message>
    <message>
        <source>Files being decoded cannot be removed until that is done: %1</source>
        <translation>Les fichiers en cours de décodage ne peuvent pas être supprimés avant la fin du décodage : %1</translation>
    </message>
    <message>
        <source>the download folder %1 is gone</source>
        <translation>le dossier de téléchargement %1 a disparu</translation>
    </message>
    <message>
        <source>%1 decoded file(s) gone from the download folder before the end: %2</source>
        <translation>%1 fichier(s) décodé(s) disparu(s) du dossier de téléchargement avant la fin : %2</translation>
    </message>
    <message>
        <source>NZB %1 could not be saved to disk: %2
%3</source>
        <translation>Le NZB %1 n&apos;a pas pu être enregistré sur le disque : %2
%3</translation>
    </message>
    <message>
        <source>Cannot create folder %1: %2</source>
        <translation>Impossible de créer le dossier %1 : %2</translation>
    </message>
    <message>
        <source>The file could not be saved to %1: %2</source>
        <translation>Le fichier n&apos;a pas pu être enregistré dans %1 : %2</translation>
    </message>
</context>
<context>
    <name>NetworkAccessManager</name>
    <message>
        <source>Proxy &quot;%1&quot; not found. Please check your configuration.</source>
        <translation>Proxy « %1 » introuvable. Veuillez vérifier votre configuration.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Enter username and password for &quot;%1&quot; at %2&lt;/qt&gt;</source>
        <translation>&lt;qt&gt;Saisissez le nom d&apos;utilisateur et le mot de passe pour « %1 » sur %2&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>NntpConnection</name>
    <message>
        <source>no answer within %1 s</source>
        <translation>aucune réponse en %1 s</translation>
    </message>
    <message>
        <source>Error: the TLS handshake with the server failed (%1): is it a TLS port (SSL)?</source>
        <translation>Erreur : la négociation TLS avec le serveur a échoué (%1) : est-ce un port TLS (SSL) ?</translation>
    </message>
    <message>
        <source>Error: the server closed the connection before its greeting</source>
        <translation>Erreur : le serveur a fermé la connexion avant son message d&apos;accueil</translation>
    </message>
    <message>
        <source>Error: no greeting from the server within %1 s</source>
        <translation>Erreur : aucun message d&apos;accueil du serveur en %1 s</translation>
    </message>
    <message>
        <source>Error: no greeting from the server within %1 s: is it a TLS port (SSL)?</source>
        <translation>Erreur : aucun message d&apos;accueil du serveur en %1 s : est-ce un port TLS (SSL) ?</translation>
    </message>
    <message>
        <source>Error: the server requires a login (%1): check the login and password of this server</source>
        <translation>Erreur : le serveur demande une identification (%1) : vérifiez l&apos;identifiant et le mot de passe de ce serveur</translation>
    </message>
    <message>
        <source>Error: the server closed the connection</source>
        <translation>Erreur : le serveur a fermé la connexion</translation>
    </message>
    <message>
        <source>Error: AUTHINFO USER 381, no password asked: check the login and password of this server</source>
        <translation>Erreur : pas de 381 en réponse à AUTHINFO USER, aucun mot de passe demandé : vérifiez l&apos;identifiant et le mot de passe de ce serveur</translation>
    </message>
    <message>
        <source>Error: Authentication failed/rejected (481): check the login and password of this server</source>
        <translation>Erreur : identification refusée (481) : vérifiez l&apos;identifiant et le mot de passe de ce serveur</translation>
    </message>
    <message>
        <source>Error: Authentication failed - commands issued out of sequence (482): check the login and password of this server</source>
        <translation>Erreur : échec de l&apos;identification, commandes envoyées dans le désordre (482) : vérifiez l&apos;identifiant et le mot de passe de ce serveur</translation>
    </message>
    <message>
        <source>Error: Command unavailable (502): check the login and password of this server</source>
        <translation>Erreur : commande indisponible (502) : vérifiez l&apos;identifiant et le mot de passe de ce serveur</translation>
    </message>
</context>
<context>
    <name>NzbBackgroundReader</name>
    <message>
        <source>The program is closing</source>
        <translation>Le programme se ferme</translation>
    </message>
</context>
<context>
    <name>NzbConfiguration</name>
    <message>
        <source>The queue record of NZB %1 could not be written in %2</source>
        <translation type="vanished">L&apos;enregistrement de file d&apos;attente du NZB %1 n&apos;a pas pu être écrit dans %2</translation>
    </message>
    <message>
        <source>The queue records could not be written in %1</source>
        <translation type="vanished">Les enregistrements de file d&apos;attente n&apos;ont pas pu être écrits dans %1</translation>
    </message>
    <message>
        <source>The queue record of NZB %1 could not be written in %2: %3</source>
        <translation>L&apos;enregistrement de file d&apos;attente du NZB %1 n&apos;a pas pu être écrit dans %2 : %3</translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation>le dossier ne peut pas être créé</translation>
    </message>
    <message>
        <source>The queue records could not be written in %1: %2</source>
        <translation>Les enregistrements de file d&apos;attente n&apos;ont pas pu être écrits dans %1 : %2</translation>
    </message>
</context>
<context>
    <name>NzbParser</name>
    <message>
        <source>NZB contains error(s)</source>
        <translation>Le NZB contient des erreurs</translation>
    </message>
    <message>
        <source>File does not exist</source>
        <translation>Le fichier n&apos;existe pas</translation>
    </message>
    <message>
        <source>NZB contains a text longer than %1 bytes</source>
        <translation>Le NZB contient un texte de plus de %1 octets</translation>
    </message>
    <message>
        <source>Not a regular file (a folder, a device or a pipe)</source>
        <translation>Pas un fichier ordinaire (un dossier, un périphérique ou un tube)</translation>
    </message>
    <message>
        <source>File larger than %1 MiB</source>
        <translation>Fichier de plus de %1 Mio</translation>
    </message>
</context>
<context>
    <name>PopupCalendar</name>
    <message>
        <source>Previous month</source>
        <translation>Mois précédent</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Mois suivant</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>mer.</translation>
    </message>
</context>
<context>
    <name>ServersConfiguration</name>
    <message>
        <source>Failed to create directory %1</source>
        <translation>Impossible de créer le dossier %1</translation>
    </message>
    <message>
        <source>The settings of server %1 are too long to be stored</source>
        <translation>Les paramètres du serveur %1 sont trop longs pour être enregistrés</translation>
    </message>
    <message>
        <source>Failed to write file %1</source>
        <translation>Impossible d&apos;écrire le fichier %1</translation>
    </message>
</context>
<context>
    <name>SessionSuspendInhibitor</name>
    <message>
        <source>No connection to the session bus</source>
        <translation>Pas de connexion au bus de session</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>Cannot create the lock file %1</source>
        <translation>Impossible de créer le fichier de verrou %1</translation>
    </message>
    <message>
        <source>The message is too long</source>
        <translation>Le message est trop long</translation>
    </message>
    <message>
        <source>Cannot reach the running program: %1</source>
        <translation>Impossible de joindre le programme en cours d&apos;exécution : %1</translation>
    </message>
    <message>
        <source>Cannot send to the running program: %1</source>
        <translation>Impossible d&apos;envoyer au programme en cours d&apos;exécution : %1</translation>
    </message>
    <message>
        <source>The running program did not acknowledge the message</source>
        <translation>Le programme en cours d&apos;exécution n&apos;a pas accusé réception du message</translation>
    </message>
    <message>
        <source>The running program refused the message</source>
        <translation type="vanished">Le programme en cours d&apos;exécution a refusé le message</translation>
    </message>
    <message>
        <source>There is no folder of this user&apos;s own for the lock file</source>
        <translation>Il n&apos;y a pas de dossier propre à cet utilisateur pour le fichier de verrou</translation>
    </message>
    <message>
        <source>Another program holds the lock file %1 and does not answer</source>
        <translation>Un autre programme détient le fichier de verrou %1 et ne répond pas</translation>
    </message>
    <message>
        <source>The running program did not end</source>
        <translation>Le programme en cours ne s&apos;est pas terminé</translation>
    </message>
    <message>
        <source>The running program is ending and did not take the message</source>
        <translation>Le programme en cours se termine et n&apos;a pas pris le message</translation>
    </message>
    <message>
        <source>The running program gave an answer that is not one of ours</source>
        <translation>Le programme en cours a donné une réponse qui n&apos;est pas l&apos;une des nôtres</translation>
    </message>
</context>
<context>
    <name>SleepInhibitor</name>
    <message>
        <source>No connection to the login manager&apos;s bus</source>
        <translation>Aucune connexion au bus du gestionnaire de sessions</translation>
    </message>
    <message>
        <source>The bus cannot pass file descriptors</source>
        <translation>Le bus ne peut pas transmettre de descripteurs de fichiers</translation>
    </message>
</context>
<context>
    <name>ThreadClean</name>
    <message>
        <source>the destination folder could not be created</source>
        <translation>le dossier de destination n&apos;a pas pu être créé</translation>
    </message>
    <message>
        <source>every name it could take in the destination is taken</source>
        <translation>tous les noms qu&apos;il pourrait prendre dans la destination sont déjà pris</translation>
    </message>
</context>
<context>
    <name>ThreadFileDecoder</name>
    <message>
        <source>Segment %1 has a CRC error</source>
        <translation>Le segment %1 a une erreur de CRC</translation>
    </message>
    <message>
        <source>Segment %1 has nothing to decode</source>
        <translation>Le segment %1 n&apos;a rien à décoder</translation>
    </message>
    <message>
        <source>Segment %1 was not found</source>
        <translation>Le segment %1 est introuvable</translation>
    </message>
    <message>
        <source>Segment %1: failed to create output file for assembly</source>
        <translation>Segment %1 : impossible de créer le fichier de sortie pour l&apos;assemblage</translation>
    </message>
    <message>
        <source>Segment %1: an unknown error has occured</source>
        <translation>Segment %1 : une erreur inconnue est survenue</translation>
    </message>
    <message>
        <source>the file cannot be created</source>
        <translation>le fichier ne peut pas être créé</translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation>le dossier ne peut pas être créé</translation>
    </message>
    <message>
        <source>the copy cannot be written</source>
        <translation>la copie ne peut pas être écrite</translation>
    </message>
    <message>
        <source>Segment %1: the decoded file could not be written</source>
        <translation>Segment %1 : le fichier décodé n&apos;a pas pu être écrit</translation>
    </message>
    <message>
        <source>Segment %1 is damaged: it does not hold what its yEnc header announces</source>
        <translation>Le segment %1 est endommagé : il ne contient pas ce qu&apos;annonce son en-tête yEnc</translation>
    </message>
    <message>
        <source>%1 is incomplete: no article holds %2 of its %3 bytes</source>
        <translation>%1 est incomplet : aucun article ne contient %2 de ses %3 octets</translation>
    </message>
    <message>
        <source>every name it could take is taken</source>
        <translation>tous les noms qu&apos;il pourrait prendre sont déjà pris</translation>
    </message>
    <message>
        <source>Segment %1 is damaged: its uuencoded or base64 data is cut short</source>
        <translation>Le segment %1 est endommagé : ses données uuencode ou base64 sont tronquées</translation>
    </message>
</context>
<context>
    <name>ThreadNntp</name>
    <message>
        <source>%1 (failed %2 times in a row; trying again every %3 s)</source>
        <translation>%1 (%2 échecs consécutifs ; nouvel essai toutes les %3 s)</translation>
    </message>
</context>
<context>
    <name>ThreadUnsplit</name>
    <message>
        <source>Unsplit: no split file found</source>
        <translation>Assemblage : aucun fichier découpé trouvé</translation>
    </message>
    <message>
        <source>Unsplit: files of the download are incomplete, the split files are kept unjoined</source>
        <translation>Assemblage : des fichiers du téléchargement sont incomplets, les fichiers découpés sont conservés sans être assemblés</translation>
    </message>
</context>
<context>
    <name>UtilsFilesFolders</name>
    <message>
        <source>%1 is a folder.</source>
        <translation>%1 est un dossier.</translation>
    </message>
    <message>
        <source>%1 is not a regular file (a named pipe, a device or a socket); it is left as it is.</source>
        <translation>%1 n&apos;est pas un fichier ordinaire (un tube nommé, un périphérique ou une socket) ; il est laissé tel quel.</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 n&apos;est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>%1 ne peut pas être lu.</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 n&apos;existe pas.</translation>
    </message>
</context>
<context>
    <name>UtilsNzbCompressUncompress</name>
    <message>
        <source>Failed to create folder %1</source>
        <translation>Impossible de créer le dossier %1</translation>
    </message>
    <message>
        <source>Failed to open NZB file %1</source>
        <translation>Impossible d&apos;ouvrir le fichier NZB %1</translation>
    </message>
    <message>
        <source>Failed to find a name for NZB history (%1)</source>
        <translation>Impossible de trouver un nom pour l&apos;historique des NZB (%1)</translation>
    </message>
    <message>
        <source>Failed to open NZB history file in write mode : %1</source>
        <translation>Impossible d&apos;ouvrir en écriture le fichier d&apos;historique des NZB : %1</translation>
    </message>
    <message>
        <source>Failed to write NZB history file %1</source>
        <translation>Impossible d&apos;écrire le fichier d&apos;historique des NZB %1</translation>
    </message>
    <message>
        <source>No NZB History folder found !</source>
        <translation>Aucun dossier d&apos;historique des NZB trouvé !</translation>
    </message>
    <message>
        <source>Failed to open NZB History file %1</source>
        <translation>Impossible d&apos;ouvrir le fichier d&apos;historique des NZB %1</translation>
    </message>
    <message>
        <source>NZB History file %1: data is corrupt</source>
        <translation>Fichier d&apos;historique des NZB %1 : données corrompues</translation>
    </message>
</context>
</TS>
