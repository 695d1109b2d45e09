<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AbstractSplit</name>
    <message>
        <source>Unsplit: no extract path!</source>
        <translation>Unión: ¡no hay ruta de extracción!</translation>
    </message>
    <message>
        <source>Unsplit: failed to create extract path!</source>
        <translation>Unión: ¡no se pudo crear la ruta de extracción!</translation>
    </message>
    <message>
        <source>Unsplit: failed to open source file %1</source>
        <translation>Unión: no se pudo abrir el archivo de origen %1</translation>
    </message>
    <message>
        <source>Unsplit: failed to create file %1</source>
        <translation>Unión: no se pudo crear el archivo %1</translation>
    </message>
    <message>
        <source>Unsplit: joining stopped</source>
        <translation>Unión: detenida</translation>
    </message>
    <message>
        <source>Unsplit: file %1 already exists</source>
        <translation>Unión: el archivo %1 ya existe</translation>
    </message>
    <message>
        <source>Unsplit: failed to read source file - %1</source>
        <translation>Unión: no se pudo leer el archivo de origen - %1</translation>
    </message>
    <message>
        <source>Unsplit: failed to write file %1</source>
        <translation type="vanished">Unión: no se pudo escribir el archivo %1</translation>
    </message>
    <message>
        <source>Unsplit: no volume in %1</source>
        <translation>Unión: no hay ningún volumen en %1</translation>
    </message>
    <message>
        <source>Unsplit: unusable file name in %1</source>
        <translation>Unión: nombre de archivo no utilizable en %1</translation>
    </message>
    <message>
        <source>Unsplit: failed to parse source file %1</source>
        <translation>Unión: no se pudo analizar el archivo de origen %1</translation>
    </message>
    <message>
        <source>Unsplit: failed to parse source file HEADER %1</source>
        <translation>Unión: no se pudo analizar la cabecera del archivo de origen %1</translation>
    </message>
    <message>
        <source>Unsplit: error while parsing file - %1</source>
        <translation>Unión: error al analizar el archivo - %1</translation>
    </message>
    <message>
        <source>Unsplit: unexpected end of file %1</source>
        <translation>Unión: final inesperado del archivo %1</translation>
    </message>
    <message>
        <source>Unsplit: Error while opening file: %1</source>
        <translation>Unión: error al abrir el archivo: %1</translation>
    </message>
    <message>
        <source>Unsplit: failed to write file %1: %2</source>
        <translation>Unión: no se pudo escribir el archivo %1: %2</translation>
    </message>
    <message>
        <source>the file on disk is short</source>
        <translation>el archivo en el disco es demasiado corto</translation>
    </message>
    <message>
        <source>Unsplit: volume %1 is missing</source>
        <translation>Unión: falta el volumen %1</translation>
    </message>
</context>
<context>
    <name>AppConfiguration</name>
    <message>
        <source>Failed to create directory %1</source>
        <translation>No se pudo crear la carpeta %1</translation>
    </message>
    <message>
        <source>Failed to create configuration file %1</source>
        <translation>No se pudo crear el archivo de configuración %1</translation>
    </message>
    <message>
        <source>Failed to open configuration file %1</source>
        <translation>No se pudo abrir el archivo de configuración %1</translation>
    </message>
    <message>
        <source>Failed to write configuration file %1</source>
        <translation>No se pudo escribir el archivo de configuración %1</translation>
    </message>
    <message>
        <source>The queue record of NZB %1 was damaged: it has been restored from its backup</source>
        <translation>El registro de cola del NZB %1 estaba dañado: se ha restaurado desde su copia de seguridad</translation>
    </message>
    <message>
        <source>The queue record of NZB %1 and its backup are damaged: the NZB could not be restored, its files are kept with the suffix %2 in %3</source>
        <translation>El registro de cola del NZB %1 y su copia de seguridad están dañados: no se pudo restaurar el NZB, sus archivos se conservan con el sufijo %2 en %3</translation>
    </message>
    <message>
        <source>The server record %1 could not be read: the file is kept in %2</source>
        <translation>No se pudo leer el registro de servidor %1: el archivo se conserva en %2</translation>
    </message>
</context>
<context>
    <name>BinSearch</name>
    <message>
        <source>Wrong path %1: cannot download NZB file</source>
        <translation>Ruta %1 incorrecta: no se puede descargar el archivo NZB</translation>
    </message>
    <message>
        <source>Cannot create folder %1</source>
        <translation>No se puede crear la carpeta %1</translation>
    </message>
    <message>
        <source>The server does not respond.</source>
        <translation>El servidor no responde.</translation>
    </message>
    <message>
        <source>Network reply error: %1</source>
        <translation>Error en la respuesta de red: %1</translation>
    </message>
    <message>
        <source>Request suceeded but no NZB returned</source>
        <translation>La petición se completó pero no devolvió ningún NZB</translation>
    </message>
    <message>
        <source>Cannot write NZB file %1: %2</source>
        <translation>No se puede escribir el archivo NZB %1: %2</translation>
    </message>
    <message>
        <source>The server returned an empty page.</source>
        <translation>El servidor devolvió una página vacía.</translation>
    </message>
    <message>
        <source>Tag format exception in the answer</source>
        <translation>Formato de etiqueta inesperado en la respuesta</translation>
    </message>
    <message>
        <source>The answer of the server is larger than %1 MiB: it was stopped.</source>
        <translation>La respuesta del servidor supera los %1 MiB: se ha detenido.</translation>
    </message>
</context>
<context>
    <name>BrowserTabWidget</name>
    <message>
        <source>Create a new tab</source>
        <translation>Crear una pestaña nueva</translation>
    </message>
    <message>
        <source>New tab</source>
        <translation>Pestaña nueva</translation>
    </message>
</context>
<context>
    <name>ConfigurationSave</name>
    <message>
        <source>The configuration could not be saved: %1
The changes apply until Tessaquill+ is closed.</source>
        <translation>No se pudo guardar la configuración: %1
Los cambios se aplicarán hasta que se cierre Tessaquill+.</translation>
    </message>
</context>
<context>
    <name>DialogAbout</name>
    <message>
        <source>About Tessaquill+</source>
        <translation>Acerca de Tessaquill+</translation>
    </message>
    <message>
        <source>Tessaquill+</source>
        <translation>Tessaquill+</translation>
    </message>
    <message>
        <source>Version ...</source>
        <translation>Versión ...</translation>
    </message>
    <message>
        <source>System Info</source>
        <translation>Información del sistema</translation>
    </message>
    <message>
        <source>Copyright © the Tessaquill+ developers. This program comes with no warranty.</source>
        <translation>Copyright © los desarrolladores de Tessaquill+. Este programa se ofrece sin ninguna garantía.</translation>
    </message>
    <message>
        <source>Questions and bug reports are welcome on the project&apos;s issue tracker.</source>
        <translation>Las preguntas y los informes de errores son bienvenidos en el gestor de incidencias del proyecto.</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Versión </translation>
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
        <translation>Carpetas de destino</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Etiqueta</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Ruta</translation>
    </message>
    <message>
        <source>Add a new Destination</source>
        <translation>Añadir un destino nuevo</translation>
    </message>
    <message>
        <source>Remove selected Destination</source>
        <translation>Quitar el destino seleccionado</translation>
    </message>
    <message>
        <source>Edit the selected Destination</source>
        <translation>Modificar el destino seleccionado</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Please select a Destination item to delete.</source>
        <translation>Seleccione el destino que desea eliminar.</translation>
    </message>
    <message>
        <source>Please select a Destination item to modify.</source>
        <translation>Seleccione el destino que desea modificar.</translation>
    </message>
</context>
<context>
    <name>DialogDestinationFoldersAddModify</name>
    <message>
        <source>Destination item</source>
        <translation>Destino</translation>
    </message>
    <message>
        <source>Label: </source>
        <translation>Etiqueta: </translation>
    </message>
    <message>
        <source>Path: </source>
        <translation>Ruta: </translation>
    </message>
    <message>
        <source>Browse path...</source>
        <translation>Examinar...</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Please enter a Label.</source>
        <translation>Escriba una etiqueta.</translation>
    </message>
    <message>
        <source>Please enter a Path associated with the label.</source>
        <translation>Escriba la ruta asociada a la etiqueta.</translation>
    </message>
    <message>
        <source>Another Destination already has the label &quot;%1&quot;. Please enter another Label.</source>
        <translation>Otro destino ya tiene la etiqueta «%1». Escriba otra etiqueta.</translation>
    </message>
    <message>
        <source>Choose directory</source>
        <translation>Elegir una carpeta</translation>
    </message>
    <message>
        <source>Please enter the full path of the folder associated with the label.</source>
        <translation>Introduzca la ruta completa de la carpeta asociada a la etiqueta.</translation>
    </message>
    <message>
        <source>The folder cannot be used: %1.</source>
        <translation>No se puede usar la carpeta: %1.</translation>
    </message>
</context>
<context>
    <name>DialogDownloadNzb</name>
    <message>
        <source>Download NZB</source>
        <translation>Descargar el NZB</translation>
    </message>
    <message>
        <source>Save NZB to disk</source>
        <translation>Guardar el NZB en el disco</translation>
    </message>
    <message>
        <source>Save file to:</source>
        <translation>Guardar el archivo en:</translation>
    </message>
    <message>
        <source>Choose the folder where NZB will be saved</source>
        <translation>Elegir la carpeta donde se guardará el NZB</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Files list</source>
        <translation>Lista de archivos</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Nombre del archivo</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>Select / Unselect all files</source>
        <translation>Seleccionar / deseleccionar todos los archivos</translation>
    </message>
    <message>
        <source>Choose from a list of your Destinations</source>
        <translation>Elegir de la lista de sus destinos</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Etiqueta</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Ruta</translation>
    </message>
    <message>
        <source>Open the Destination folders configuration</source>
        <translation>Abrir la configuración de las carpetas de destino</translation>
    </message>
    <message>
        <source>Configure Destination folders</source>
        <translation>Configurar las carpetas de destino</translation>
    </message>
    <message>
        <source>NZB Destination folder:</source>
        <translation>Carpeta de destino del NZB:</translation>
    </message>
    <message>
        <source>Choose donwload folder...</source>
        <translation>Elegir la carpeta de descarga...</translation>
    </message>
    <message>
        <source>bytes</source>
        <translation>bytes</translation>
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
        <translation>Destino predeterminado</translation>
    </message>
    <message>
        <source>Save NZB File</source>
        <translation>Guardar el archivo NZB</translation>
    </message>
    <message>
        <source>Nzb files (*.nzb)</source>
        <translation>Archivos NZB (*.nzb)</translation>
    </message>
    <message>
        <source>Choose Destination directory</source>
        <translation>Elegir la carpeta de destino</translation>
    </message>
    <message>
        <source>Please enter the path where the file will be saved</source>
        <translation>Indique la ruta donde se guardará el archivo</translation>
    </message>
    <message>
        <source>Please check at least one file in the files list</source>
        <translation>Marque al menos un archivo en la lista de archivos</translation>
    </message>
    <message>
        <source>Please enter the full path of the folder where the NZB will be downloaded</source>
        <translation>Indique la ruta completa de la carpeta donde se descargará el NZB</translation>
    </message>
    <message>
        <source>The folder where the NZB will be downloaded cannot be used: %1.</source>
        <translation>No se puede usar la carpeta donde se descargará el NZB: %1.</translation>
    </message>
    <message>
        <source>%1 is a folder. Please enter the path of the file the NZB will be saved to.</source>
        <translation>%1 es una carpeta. Introduzca la ruta del archivo en el que se guardará el NZB.</translation>
    </message>
    <message>
        <source>%1 is not a regular file (a named pipe, a device or a socket). Please enter the path of the file the NZB will be saved to.</source>
        <translation>%1 no es un archivo normal (una tubería con nombre, un dispositivo o un socket). Introduzca la ruta del archivo en el que se guardará el NZB.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ya existe.
¿Desea reemplazarlo?</translation>
    </message>
</context>
<context>
    <name>DialogHistoryNzb</name>
    <message>
        <source>NZB history</source>
        <translation>Historial de NZB</translation>
    </message>
    <message>
        <source>From :</source>
        <translation>Desde :</translation>
    </message>
    <message>
        <source>Popup &quot;From&quot; calendar</source>
        <translation>Abrir el calendario «Desde»</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>To :</source>
        <translation>Hasta :</translation>
    </message>
    <message>
        <source>Popup &quot;To&quot; calendar</source>
        <translation>Abrir el calendario «Hasta»</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>Nombre :</translation>
    </message>
    <message>
        <source>Filter by name</source>
        <translation>Filtrar por nombre</translation>
    </message>
    <message>
        <source>Refresh NZB list</source>
        <translation>Actualizar la lista de NZB</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>Date added</source>
        <translation>Fecha de incorporación</translation>
    </message>
    <message>
        <source>Download name</source>
        <translation>Nombre de la descarga</translation>
    </message>
    <message>
        <source>Delete selected NZB</source>
        <translation>Eliminar el NZB seleccionado</translation>
    </message>
    <message>
        <source>Delete all history</source>
        <translation>Borrar todo el historial</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Nombre del archivo</translation>
    </message>
    <message>
        <source>Size (KiB)</source>
        <translation>Tamaño (KiB)</translation>
    </message>
    <message>
        <source>Informations</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Size : 0 KiB</source>
        <translation>Tamaño : 0 KiB</translation>
    </message>
    <message>
        <source>Selected files : 0</source>
        <translation>Archivos seleccionados : 0</translation>
    </message>
    <message>
        <source>Select all files</source>
        <translation>Seleccionar todos los archivos</translation>
    </message>
    <message>
        <source>Export selected files to NZB</source>
        <translation>Exportar los archivos seleccionados a un NZB</translation>
    </message>
    <message>
        <source>Export to NZB</source>
        <translation>Exportar a NZB</translation>
    </message>
    <message>
        <source>Download selected files</source>
        <translation>Descargar los archivos seleccionados</translation>
    </message>
    <message>
        <source>Download selection</source>
        <translation>Descargar la selección</translation>
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
        <translation>El guardado automático del historial de NZB no está activado. ¿Desea activarlo ahora?</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>dd/MM/yyyy hh:mm:ss</source>
        <translation>dd/MM/yyyy hh:mm:ss</translation>
    </message>
    <message>
        <source>Error : %1</source>
        <translation>Error: %1</translation>
    </message>
    <message>
        <source>Selected files : </source>
        <translation>Archivos seleccionados : </translation>
    </message>
    <message>
        <source>Size : </source>
        <translation>Tamaño : </translation>
    </message>
    <message>
        <source>Failed to write NZB file %1</source>
        <translation>No se pudo escribir el archivo NZB %1</translation>
    </message>
    <message>
        <source>Save NZB File</source>
        <translation>Guardar el archivo NZB</translation>
    </message>
    <message>
        <source>Nzb files (*.nzb)</source>
        <translation>Archivos NZB (*.nzb)</translation>
    </message>
    <message>
        <source>The NZB you wish to download does not contain any file to download</source>
        <translation>El NZB que desea descargar no contiene ningún archivo que descargar</translation>
    </message>
    <message>
        <source>Do you really want to delete the selected NZB?</source>
        <translation>¿Seguro que desea eliminar el NZB seleccionado?</translation>
    </message>
    <message>
        <source>Do you really want to delete all your NZB history?</source>
        <translation>¿Seguro que desea borrar todo el historial de NZB?</translation>
    </message>
</context>
<context>
    <name>DialogImportExportServers</name>
    <message>
        <source>Import / Export Servers</source>
        <translation>Importar / exportar servidores</translation>
    </message>
    <message>
        <source>Select Servers to import / export</source>
        <translation>Seleccione los servidores que desea importar / exportar</translation>
    </message>
    <message>
        <source>Server informations</source>
        <translation>Información del servidor</translation>
    </message>
    <message>
        <source>Server address :</source>
        <translation>Dirección del servidor :</translation>
    </message>
    <message>
        <source>Port :</source>
        <translation>Puerto :</translation>
    </message>
    <message>
        <source>Number of connections :</source>
        <translation>Número de conexiones :</translation>
    </message>
    <message>
        <source>Account name (Login) :</source>
        <translation>Nombre de cuenta (usuario) :</translation>
    </message>
    <message>
        <source>Import Servers</source>
        <translation>Importar servidores</translation>
    </message>
    <message>
        <source>Select Servers to import</source>
        <translation>Seleccione los servidores que desea importar</translation>
    </message>
    <message>
        <source>Export Servers</source>
        <translation>Exportar servidores</translation>
    </message>
    <message>
        <source>Select Servers to export</source>
        <translation>Seleccione los servidores que desea exportar</translation>
    </message>
    <message>
        <source>It is not a servers file: %1 (line %2, column %3).</source>
        <translation>No es un archivo de servidores: %1 (línea %2, columna %3).</translation>
    </message>
    <message>
        <source>It is a folder, not a servers file.</source>
        <translation>Es una carpeta, no un archivo de servidores.</translation>
    </message>
    <message>
        <source>The file cannot be read: %1.</source>
        <translation>No se puede leer el archivo: %1.</translation>
    </message>
    <message>
        <source>The file holds no server: it is not a servers file, or an empty one.</source>
        <translation>El archivo no contiene ningún servidor: no es un archivo de servidores, o está vacío.</translation>
    </message>
    <message>
        <source>The passwords of its servers could not be converted; the log names the servers.</source>
        <translation>No se pudieron convertir las contraseñas de sus servidores; el registro nombra los servidores.</translation>
    </message>
    <message>
        <source>The file holds more than %1 servers; the program imports at most %1 from one file.</source>
        <translation>El archivo contiene más de %1 servidores; el programa importa como máximo %1 de un archivo.</translation>
    </message>
    <message>
        <source>The file is larger than %1 MiB, more than any servers file takes.</source>
        <translation>El archivo supera los %1 MiB, más de lo que ocupa cualquier archivo de servidores.</translation>
    </message>
</context>
<context>
    <name>DialogLogs</name>
    <message>
        <source>Logs</source>
        <translation>Registros</translation>
    </message>
    <message>
        <source>Current log file:</source>
        <translation>Archivo de registro:</translation>
    </message>
    <message>
        <source>Delete current log file</source>
        <translation>Eliminar este archivo de registro</translation>
    </message>
    <message>
        <source>Delete all logs files but the most recent one</source>
        <translation>Eliminar todos los archivos de registro excepto el más reciente</translation>
    </message>
    <message>
        <source>Date / Time</source>
        <translation>Fecha / hora</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source>Process new data</source>
        <translation>Cargar las entradas nuevas</translation>
    </message>
    <message>
        <source>Refresh every:</source>
        <translation>Actualizar cada:</translation>
    </message>
    <message>
        <source>second(s)</source>
        <translation>segundo(s)</translation>
    </message>
    <message>
        <source>DD-MM-YYYY hh:mm:ss</source>
        <translation>DD/MM/YYYY hh:mm:ss</translation>
    </message>
    <message>
        <source>No log found in %1</source>
        <translation>No se encontró ningún registro en %1</translation>
    </message>
    <message>
        <source>Log file not found: %1</source>
        <translation>No se encontró el archivo de registro: %1</translation>
    </message>
    <message>
        <source>Cannot delete current log file</source>
        <translation>No se puede eliminar el archivo de registro en uso</translation>
    </message>
    <message>
        <source>Delete current log file.</source>
        <translation>Eliminar este archivo de registro.</translation>
    </message>
    <message>
        <source>Do you really want to delete the current log file?</source>
        <translation>¿Seguro que desea eliminar este archivo de registro?</translation>
    </message>
    <message>
        <source>Delete logs files.</source>
        <translation>Eliminar los archivos de registro.</translation>
    </message>
    <message>
        <source>Do you really want to delete all logs files (Except the last one)?</source>
        <translation>¿Seguro que desea eliminar todos los archivos de registro (excepto el último)?</translation>
    </message>
    <message>
        <source>Logs are not enabled.
If you want to activate this functionnality you have to enable it via the configuration of the application.</source>
        <translation>Los registros no están activados.
Para usar esta función, actívela en la configuración de la aplicación.</translation>
    </message>
</context>
<context>
    <name>DialogManualRepairExtract</name>
    <message>
        <source>Manual repair / extraction / unsplit</source>
        <translation>Reparación / extracción / unión manuales</translation>
    </message>
    <message>
        <source>PAR2 repairing</source>
        <translation>Reparación PAR2</translation>
    </message>
    <message>
        <source>Directory to repair :</source>
        <translation>Carpeta que se reparará :</translation>
    </message>
    <message>
        <source>Browse Par2 directory</source>
        <translation>Elegir la carpeta PAR2</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Start repairing</source>
        <translation>Iniciar la reparación</translation>
    </message>
    <message>
        <source>Progress :</source>
        <translation>Progreso :</translation>
    </message>
    <message>
        <source>Extraction</source>
        <translation>Extracción</translation>
    </message>
    <message>
        <source>Archive to extract :</source>
        <translation>Archivo que se extraerá :</translation>
    </message>
    <message>
        <source>Browse Rar directory</source>
        <translation>Elegir la carpeta RAR</translation>
    </message>
    <message>
        <source>Start Unrar</source>
        <translation>Iniciar la extracción</translation>
    </message>
    <message>
        <source>Destination folder :</source>
        <translation>Carpeta de destino :</translation>
    </message>
    <message>
        <source>Browse Rar destination directory</source>
        <translation>Elegir la carpeta de destino de la extracción</translation>
    </message>
    <message>
        <source>Password (optional) :</source>
        <translation>Contraseña (opcional) :</translation>
    </message>
    <message>
        <source>Unsplit</source>
        <translation>Unión</translation>
    </message>
    <message>
        <source>Archive to unsplit :</source>
        <translation>Archivo que se unirá :</translation>
    </message>
    <message>
        <source>Browse Split directory</source>
        <translation>Elegir la carpeta de los archivos divididos</translation>
    </message>
    <message>
        <source>Start Unsplit</source>
        <translation>Iniciar la unión</translation>
    </message>
    <message>
        <source>Browse Split destination directory</source>
        <translation>Elegir la carpeta de destino de la unión</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Stop PAR2</source>
        <translation>Detener la reparación</translation>
    </message>
    <message>
        <source>Stop Unrar</source>
        <translation>Detener la extracción</translation>
    </message>
    <message>
        <source>Stop Unsplit</source>
        <translation>Detener la unión</translation>
    </message>
    <message>
        <source>Choose PAR2 directory</source>
        <translation>Elegir la carpeta PAR2</translation>
    </message>
    <message>
        <source>Choose Unrar directory</source>
        <translation>Elegir la carpeta que se extraerá</translation>
    </message>
    <message>
        <source>Choose Unrar Destination directory</source>
        <translation>Elegir la carpeta de destino de la extracción</translation>
    </message>
    <message>
        <source>Choose Unsplit directory</source>
        <translation>Elegir la carpeta que se unirá</translation>
    </message>
    <message>
        <source>Choose Unsplit destination</source>
        <translation>Elegir el destino de la unión</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Directory %1 does not exist.</source>
        <translation>La carpeta %1 no existe.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>No PAR2 file found in %1.</source>
        <translation>No se encontró ningún archivo PAR2 en %1.</translation>
    </message>
    <message>
        <source>Destination directory %1 does not exist.</source>
        <translation>La carpeta de destino %1 no existe.</translation>
    </message>
    <message>
        <source>PAR2 successful !</source>
        <translation>¡Reparación PAR2 completada!</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>PAR2 : need %1 more block(s) to repair.</source>
        <translation>PAR2: bloques que faltan para la reparación: %1.</translation>
    </message>
    <message>
        <source>PAR2 error code %1.</source>
        <translation>Código de error de PAR2: %1.</translation>
    </message>
    <message>
        <source>Unrar successful !</source>
        <translation>¡Extracción completada!</translation>
    </message>
    <message>
        <source>No rar file found in directory : %1</source>
        <translation>No se encontró ningún archivo RAR en la carpeta: %1</translation>
    </message>
    <message>
        <source>Failed to create destination directory : %1</source>
        <translation>No se pudo crear la carpeta de destino: %1</translation>
    </message>
    <message>
        <source>Unrar error: exit code: %1, exit status: %2</source>
        <translation>Error de extracción: código de salida %1, estado de salida %2</translation>
    </message>
    <message>
        <source>Unsplit successful !</source>
        <translation>¡Unión completada!</translation>
    </message>
    <message>
        <source>Unsplit - no splitted file found</source>
        <translation>Unión - no se encontró ningún archivo dividido</translation>
    </message>
    <message>
        <source>Unsplit error : %1</source>
        <translation>Error de unión: %1</translation>
    </message>
    <message>
        <source>Unrar in progress...</source>
        <translation>Extracción en curso...</translation>
    </message>
    <message>
        <source>Unrar progress: %1</source>
        <translation>Progreso de la extracción: %1</translation>
    </message>
    <message>
        <source>Unsplit in progress: %1%</source>
        <translation>Unión en curso: %1 %</translation>
    </message>
    <message>
        <source>%1: successful</source>
        <translation>%1: correcto</translation>
    </message>
    <message>
        <source>%1: need %2 more block(s) to repair</source>
        <translation>%1: se necesitan %2 bloque(s) más para reparar</translation>
    </message>
    <message>
        <source>%1: PAR2 error code %2</source>
        <translation>%1: código de error de PAR2 %2</translation>
    </message>
    <message>
        <source>%1 PAR2 sets:
%2</source>
        <translation>%1 conjuntos PAR2:
%2</translation>
    </message>
</context>
<context>
    <name>DialogServerManagement</name>
    <message>
        <source>Server Configuration</source>
        <translation>Configuración del servidor</translation>
    </message>
    <message>
        <source>Server general settings</source>
        <translation>Configuración general del servidor</translation>
    </message>
    <message>
        <source>Server address:</source>
        <translation>Dirección del servidor:</translation>
    </message>
    <message>
        <source>Server name or IP</source>
        <translation>Nombre o IP del servidor</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Puerto:</translation>
    </message>
    <message>
        <source>Server port</source>
        <translation>Puerto del servidor</translation>
    </message>
    <message>
        <source>Number of connections:</source>
        <translation>Número de conexiones:</translation>
    </message>
    <message>
        <source>Number of connections</source>
        <translation>Número de conexiones</translation>
    </message>
    <message>
        <source>Choose a nickname for the server:</source>
        <translation>Elija un alias para el servidor:</translation>
    </message>
    <message>
        <source>Nickname of the server</source>
        <translation>Alias del servidor</translation>
    </message>
    <message>
        <source>Counter:</source>
        <translation>Contador:</translation>
    </message>
    <message>
        <source>0 KiB</source>
        <translation>0 KiB</translation>
    </message>
    <message>
        <source>Date Counter</source>
        <translation>Fecha del contador</translation>
    </message>
    <message>
        <source>Reset counter</source>
        <translation>Poner el contador a cero</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>Autenticación</translation>
    </message>
    <message>
        <source>Authentication on the server</source>
        <translation>Autenticación en el servidor</translation>
    </message>
    <message>
        <source>The server requires authentication</source>
        <translation>El servidor requiere autenticación</translation>
    </message>
    <message>
        <source>Account name (Login):</source>
        <translation>Nombre de cuenta (usuario):</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Usuario</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Contraseña:</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>SSL</source>
        <translation>SSL</translation>
    </message>
    <message>
        <source>Secured connection (SSL)</source>
        <translation>Conexión segura (SSL)</translation>
    </message>
    <message>
        <source>Test the connection</source>
        <translation>Probar la conexión</translation>
    </message>
    <message>
        <source>Click on this button to test the connection</source>
        <translation>Pulse este botón para probar la conexión</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
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
        <translation>El nombre del servidor es obligatorio</translation>
    </message>
    <message>
        <source>Server nickname is required</source>
        <translation>El alias del servidor es obligatorio</translation>
    </message>
    <message>
        <source>Invalid Port value</source>
        <translation>Valor de puerto no válido</translation>
    </message>
    <message>
        <source>Login is required</source>
        <translation>El usuario es obligatorio</translation>
    </message>
    <message>
        <source>Password is required</source>
        <translation>La contraseña es obligatoria</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Your password contains extra spaces. Do you want to remove them?</source>
        <translation>Su contraseña contiene espacios de más. ¿Desea quitarlos?</translation>
    </message>
    <message>
        <source>Do you really want to reset your counter ?</source>
        <translation>¿Seguro que desea poner el contador a cero?</translation>
    </message>
    <message>
        <source>0 byte</source>
        <translation>0 bytes</translation>
    </message>
    <message>
        <source>Stop the current connection test</source>
        <translation>Detener la prueba de conexión en curso</translation>
    </message>
    <message>
        <source>Testing the connection...</source>
        <translation>Probando la conexión...</translation>
    </message>
    <message>
        <source>You are successfully connected to the server!</source>
        <translation>¡La conexión con el servidor se ha realizado correctamente!</translation>
    </message>
    <message>
        <source>An error occured while connecting to the server: %1</source>
        <translation>Se produjo un error al conectar con el servidor: %1</translation>
    </message>
    <message>
        <source>The address, nickname, login and password are too long together to be saved</source>
        <translation>La dirección, el alias, el usuario y la contraseña son, en conjunto, demasiado largos para guardarse</translation>
    </message>
</context>
<context>
    <name>DialogSettings</name>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>General settings</source>
        <translation>Configuración general</translation>
    </message>
    <message>
        <source>Program folders</source>
        <translation>Carpetas del programa</translation>
    </message>
    <message>
        <source>Cache:</source>
        <translation>Caché:</translation>
    </message>
    <message>
        <source>Select cache folder</source>
        <translation>Elegir la carpeta de caché</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Download:</source>
        <translation>Descarga:</translation>
    </message>
    <message>
        <source>Select download folder</source>
        <translation>Elegir la carpeta de descarga</translation>
    </message>
    <message>
        <source>Destination:</source>
        <translation>Destino:</translation>
    </message>
    <message>
        <source>Select destination folder</source>
        <translation>Elegir la carpeta de destino</translation>
    </message>
    <message>
        <source>Restore default Cache, Download and Destination folders</source>
        <translation>Restaurar las carpetas predeterminadas de caché, descarga y destino</translation>
    </message>
    <message>
        <source>Restore default folders</source>
        <translation>Restaurar las carpetas predeterminadas</translation>
    </message>
    <message>
        <source>Open the Destination folders configuration</source>
        <translation>Abrir la configuración de las carpetas de destino</translation>
    </message>
    <message>
        <source>Configure Destination folders</source>
        <translation>Configurar las carpetas de destino</translation>
    </message>
    <message>
        <source>Create a sub-folder for each download in Destination</source>
        <translation>Crear una subcarpeta para cada descarga en el destino</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descarga</translation>
    </message>
    <message>
        <source>Download options</source>
        <translation>Opciones de descarga</translation>
    </message>
    <message>
        <source>Automatic Unrar at the end of the download</source>
        <translation>Extracción automática al terminar la descarga</translation>
    </message>
    <message>
        <source>Automatic Unrar</source>
        <translation>Extracción automática</translation>
    </message>
    <message>
        <source>Automatic Unsplit at the end of the download</source>
        <translation>Unión automática al terminar la descarga</translation>
    </message>
    <message>
        <source>Automatic Unsplit</source>
        <translation>Unión automática</translation>
    </message>
    <message>
        <source>Enable NZB download history</source>
        <translation>Activar el historial de descargas de NZB</translation>
    </message>
    <message>
        <source>Automatically add NZB in the Download list</source>
        <translation>Añadir automáticamente los NZB a la lista de descargas</translation>
    </message>
    <message>
        <source>Auto download NZB when added to Tessaquill+</source>
        <translation>Descargar automáticamente los NZB añadidos a Tessaquill+</translation>
    </message>
    <message>
        <source>Enable Tessaquill+ &quot;Smart Download&quot;</source>
        <translation>Activar la «descarga inteligente» de Tessaquill+</translation>
    </message>
    <message>
        <source>Enable &quot;Smart Download&quot; (PAR2 files are downloaded if needed)</source>
        <translation>Activar la «descarga inteligente» (los archivos PAR2 se descargan solo si hacen falta)</translation>
    </message>
    <message>
        <source>Always keep PAR2 files at the end of the download</source>
        <translation>Conservar siempre los archivos PAR2 al terminar la descarga</translation>
    </message>
    <message>
        <source>Always keep PAR2 files</source>
        <translation>Conservar siempre los archivos PAR2</translation>
    </message>
    <message>
        <source>Filter removal</source>
        <translation>Eliminación por filtro</translation>
    </message>
    <message>
        <source>Files extension to remove:</source>
        <translation>Extensiones de los archivos que se eliminarán:</translation>
    </message>
    <message>
        <source>Speed limit</source>
        <translation>Límite de velocidad</translation>
    </message>
    <message>
        <source>Automatic detection of the maximum speed for the bandwidth limit</source>
        <translation>Detección automática de la velocidad máxima para el límite de ancho de banda</translation>
    </message>
    <message>
        <source>Manually set the limit</source>
        <translation>Fijar el límite a mano</translation>
    </message>
    <message>
        <source>KiB/s</source>
        <translation>KiB/s</translation>
    </message>
    <message>
        <source>Connection timeout :</source>
        <translation>Tiempo de espera de conexión :</translation>
    </message>
    <message>
        <source>seconds (From 2 to 30 seconds)</source>
        <translation>segundos (de 2 a 30 segundos)</translation>
    </message>
    <message>
        <source>Logs</source>
        <translation>Registros</translation>
    </message>
    <message>
        <source>Log disabled</source>
        <translation>Registro desactivado</translation>
    </message>
    <message>
        <source>Log with INFO level</source>
        <translation>Registro con nivel INFO</translation>
    </message>
    <message>
        <source>Log with WARNING level</source>
        <translation>Registro con nivel WARNING</translation>
    </message>
    <message>
        <source>Log with ERROR level</source>
        <translation>Registro con nivel ERROR</translation>
    </message>
    <message>
        <source>Logs are disabled</source>
        <translation>Los registros están desactivados</translation>
    </message>
    <message>
        <source>Delete log files:</source>
        <translation>Eliminar los archivos de registro:</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nunca</translation>
    </message>
    <message>
        <source>Every week</source>
        <translation>Cada semana</translation>
    </message>
    <message>
        <source>Every month</source>
        <translation>Cada mes</translation>
    </message>
    <message>
        <source>Proxy configuration</source>
        <translation>Configuración del proxy</translation>
    </message>
    <message>
        <source>No proxy</source>
        <translation>Sin proxy</translation>
    </message>
    <message>
        <source>Proxy enabled</source>
        <translation>Proxy activado</translation>
    </message>
    <message>
        <source>Please wait while detecting proxies...</source>
        <translation>Espere mientras se detectan los proxies...</translation>
    </message>
    <message>
        <source>Host name</source>
        <translation>Nombre de host</translation>
    </message>
    <message>
        <source>Refresh list of proxies</source>
        <translation>Actualizar la lista de proxies</translation>
    </message>
    <message>
        <source>Login:</source>
        <translation>Usuario:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Contraseña:</translation>
    </message>
    <message>
        <source>Import / Export</source>
        <translation>Importar / exportar</translation>
    </message>
    <message>
        <source>Servers Import / Export</source>
        <translation>Importar / exportar servidores</translation>
    </message>
    <message>
        <source>Export Servers</source>
        <translation>Exportar servidores</translation>
    </message>
    <message>
        <source>Import Servers</source>
        <translation>Importar servidores</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Select language</source>
        <translation>Elegir el idioma</translation>
    </message>
    <message>
        <source>Select language:</source>
        <translation>Elegir el idioma:</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Francés</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Inglés</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Alemán</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>Choose cache directory</source>
        <translation>Elegir la carpeta de caché</translation>
    </message>
    <message>
        <source>Choose download directory</source>
        <translation>Elegir la carpeta de descarga</translation>
    </message>
    <message>
        <source>Choose destination directory</source>
        <translation>Elegir la carpeta de destino</translation>
    </message>
    <message>
        <source>Logs are enabled with INFOS, WARNINGS and ERRORS</source>
        <translation>Se registran la información, las advertencias y los errores</translation>
    </message>
    <message>
        <source>Logs are enabled with WARNINGS and ERRORS</source>
        <translation>Se registran las advertencias y los errores</translation>
    </message>
    <message>
        <source>Logs are enabled with ERRORS</source>
        <translation>Se registran los errores</translation>
    </message>
    <message>
        <source>Please enter the full path of the Cache folder.</source>
        <translation>Indique la ruta completa de la carpeta de caché.</translation>
    </message>
    <message>
        <source>Please enter the full path of the Download folder.</source>
        <translation>Indique la ruta completa de la carpeta de descarga.</translation>
    </message>
    <message>
        <source>Please enter the full path of the Destination folder.</source>
        <translation>Indique la ruta completa de la carpeta de destino.</translation>
    </message>
    <message>
        <source>Cache, Download and Destination folders must be defined in different paths.</source>
        <translation>Las carpetas de caché, descarga y destino deben estar en rutas distintas.</translation>
    </message>
    <message>
        <source>Please check your files filter removal pattern. It must match the following format: *.nzb;*.par2;*.001</source>
        <translation>Compruebe el patrón del filtro de archivos que se eliminarán. Debe seguir este formato: *.nzb;*.par2;*.001</translation>
    </message>
    <message>
        <source>The maximum speed limit is invald. It must be between 50 KiB/s and 99999 KiB/s</source>
        <translation>El límite de velocidad máxima no es válido. Debe estar entre 50 KiB/s y 99999 KiB/s</translation>
    </message>
    <message>
        <source>The socket timeout must be between 2 and 30 seconds</source>
        <translation>El tiempo de espera de conexión debe estar entre 2 y 30 segundos</translation>
    </message>
    <message>
        <source>You will have to restart the application in order to apply the new selected language.</source>
        <translation>Deberá reiniciar la aplicación para aplicar el idioma seleccionado.</translation>
    </message>
    <message>
        <source>No proxy found !</source>
        <translation>¡No se encontró ningún proxy!</translation>
    </message>
    <message>
        <source>&lt;/b&gt;, port:</source>
        <translation>&lt;/b&gt;, puerto:</translation>
    </message>
    <message>
        <source>Tunneling Capability&lt;br/&gt;</source>
        <translation>Capacidad de túnel&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Listening Capability&lt;br/&gt;</source>
        <translation>Capacidad de escucha&lt;br/&gt;</translation>
    </message>
    <message>
        <source>UDP Tunneling Capability&lt;br/&gt;</source>
        <translation>Capacidad de túnel UDP&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Caching Capability&lt;br/&gt;</source>
        <translation>Capacidad de caché&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Host Name Lookup Capability&lt;br/&gt;</source>
        <translation>Capacidad de resolución de nombres de host&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Open a Tessaquill+ Servers file</source>
        <translation>Abrir un archivo de servidores de Tessaquill+</translation>
    </message>
    <message>
        <source>Tessaquill+ Servers (*.tvp)</source>
        <translation>Servidores de Tessaquill+ (*.tvp)</translation>
    </message>
    <message>
        <source>;;Tessaquill 0.8.x Servers (*.tvs)</source>
        <translation>;;Servidores de Tessaquill 0.8.x (*.tvs)</translation>
    </message>
    <message>
        <source>An error occured while importing the Tessaquill 0.8.x Servers file</source>
        <translation>Se produjo un error al importar el archivo de servidores de Tessaquill 0.8.x</translation>
    </message>
    <message>
        <source>An error occured while importing the Tessaquill+ Servers file</source>
        <translation>Se produjo un error al importar el archivo de servidores de Tessaquill+</translation>
    </message>
    <message>
        <source>You must select at least one server to import.</source>
        <translation>Debe seleccionar al menos un servidor para importar.</translation>
    </message>
    <message>
        <source>The servers could not be added.</source>
        <translation>No se pudieron añadir los servidores.</translation>
    </message>
    <message>
        <source>Servers successfully imported.</source>
        <translation>Servidores importados correctamente.</translation>
    </message>
    <message>
        <source>Choose a Tessaquill+ file to export Servers</source>
        <translation>Elegir un archivo de Tessaquill+ para exportar los servidores</translation>
    </message>
    <message>
        <source>You must select at least one server to export.</source>
        <translation>Debe seleccionar al menos un servidor para exportar.</translation>
    </message>
    <message>
        <source>Servers successfully exported to %1</source>
        <translation>Servidores exportados correctamente a %1</translation>
    </message>
    <message>
        <source>Failed to create file %1</source>
        <translation>No se pudo crear el archivo %1</translation>
    </message>
    <message>
        <source>Failed to write file %1</source>
        <translation>No se pudo escribir el archivo %1</translation>
    </message>
    <message>
        <source>server %1 of the file</source>
        <translation>servidor %1 del archivo</translation>
    </message>
    <message>
        <source>%1 %2 is not between %3 and %4</source>
        <translation>%1 %2 no está entre %3 y %4</translation>
    </message>
    <message>
        <source>%1 longer than %2 characters</source>
        <translation>%1 de más de %2 caracteres</translation>
    </message>
    <message>
        <source>no server address</source>
        <translation>sin dirección de servidor</translation>
    </message>
    <message>
        <source>server address</source>
        <translation>dirección del servidor</translation>
    </message>
    <message>
        <source>no nickname</source>
        <translation>sin alias</translation>
    </message>
    <message>
        <source>nickname</source>
        <translation>alias</translation>
    </message>
    <message>
        <source>port</source>
        <translation>puerto</translation>
    </message>
    <message>
        <source>number of connections</source>
        <translation>número de conexiones</translation>
    </message>
    <message>
        <source>login</source>
        <translation>usuario</translation>
    </message>
    <message>
        <source>password</source>
        <translation>contraseña</translation>
    </message>
    <message>
        <source>settings too long to be stored</source>
        <translation>ajustes demasiado largos para guardarse</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>These servers are not imported:
%1</source>
        <translation>Estos servidores no se importan:
%1</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>y %n más</numerusform>
            <numerusform>y %n más</numerusform>
        </translation>
    </message>
    <message>
        <source>The Cache folder cannot be used: %1.</source>
        <translation>No se puede usar la carpeta de caché: %1.</translation>
    </message>
    <message>
        <source>The Download folder cannot be used: %1.</source>
        <translation>No se puede usar la carpeta de descarga: %1.</translation>
    </message>
    <message>
        <source>The Destination folder cannot be used: %1.</source>
        <translation>No se puede usar la carpeta de destino: %1.</translation>
    </message>
</context>
<context>
    <name>DialogShutdown</name>
    <message>
        <source>Shutdown management</source>
        <translation>Gestión del apagado</translation>
    </message>
    <message>
        <source>No shutdown</source>
        <translation>No apagar</translation>
    </message>
    <message>
        <source>Close application at the end of the downloads</source>
        <translation>Cerrar la aplicación al terminar las descargas</translation>
    </message>
    <message>
        <source>Shutdown computer at the end of the downloads</source>
        <translation>Apagar el equipo al terminar las descargas</translation>
    </message>
    <message>
        <source>Standby computer at the end of the downloads</source>
        <translation>Suspender el equipo al terminar las descargas</translation>
    </message>
    <message>
        <source>Hibernate computer at the end of the downloads</source>
        <translation>Hibernar el equipo al terminar las descargas</translation>
    </message>
    <message>
        <source>Save shutdown configuration</source>
        <translation>Guardar la configuración de apagado</translation>
    </message>
</context>
<context>
    <name>DialogWebAuthentication</name>
    <message>
        <source>Authentication required</source>
        <translation>Autenticación necesaria</translation>
    </message>
    <message>
        <source>Intro label</source>
        <translation>Texto de introducción</translation>
    </message>
    <message>
        <source>Login: </source>
        <translation>Usuario: </translation>
    </message>
    <message>
        <source>Password: </source>
        <translation>Contraseña: </translation>
    </message>
</context>
<context>
    <name>DialogWebFavourite</name>
    <message>
        <source>Add Favourite</source>
        <translation>Añadir un favorito</translation>
    </message>
    <message>
        <source>Title: </source>
        <translation>Título: </translation>
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
        <translation>Opciones del navegador</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Favoritos</translation>
    </message>
    <message>
        <source>Delete selected favourites</source>
        <translation>Eliminar los favoritos seleccionados</translation>
    </message>
    <message>
        <source>List of favourites</source>
        <translation>Lista de favoritos</translation>
    </message>
    <message>
        <source>Home page</source>
        <translation>Página de inicio</translation>
    </message>
    <message>
        <source>Open the following page:</source>
        <translation>Abrir la página siguiente:</translation>
    </message>
    <message>
        <source>Load the home page at startup</source>
        <translation>Cargar la página de inicio al arrancar</translation>
    </message>
    <message>
        <source>Web settings</source>
        <translation>Configuración web</translation>
    </message>
    <message>
        <source>Plugins enabled</source>
        <translation>Complementos activados</translation>
    </message>
    <message>
        <source>Java enabled</source>
        <translation>Java activado</translation>
    </message>
    <message>
        <source>Javascript enabled</source>
        <translation>JavaScript activado</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Favourite&apos;s name &quot;%1&quot; must be unique</source>
        <translation>El nombre de favorito «%1» debe ser único</translation>
    </message>
    <message>
        <source>&quot;%1&quot; favourite&apos;s URL mustn&apos;t be empty</source>
        <translation>La URL del favorito «%1» no puede estar vacía</translation>
    </message>
</context>
<context>
    <name>DialogWizard</name>
    <message>
        <source>Tessaquill+ - Configuration Wizard</source>
        <translation>Tessaquill+ - Asistente de configuración</translation>
    </message>
    <message>
        <source>Welcome to the server Wizard Configuration!</source>
        <translation>¡Bienvenido al asistente de configuración del servidor!</translation>
    </message>
    <message>
        <source>Type the address of your internet news (NNTP) server.</source>
        <translation>Escriba la dirección de su servidor de noticias (NNTP).</translation>
    </message>
    <message>
        <source>News (NNTP) server address:</source>
        <translation>Dirección del servidor de noticias (NNTP):</translation>
    </message>
    <message>
        <source>News (NNTP) server requires a user name and password</source>
        <translation>El servidor de noticias (NNTP) requiere usuario y contraseña</translation>
    </message>
    <message>
        <source>News (NNTP) server uses SSL encryption</source>
        <translation>El servidor de noticias (NNTP) usa cifrado SSL</translation>
    </message>
    <message>
        <source>Number of connections:</source>
        <translation>Número de conexiones:</translation>
    </message>
    <message>
        <source>User name and password</source>
        <translation>Nombre de usuario y contraseña</translation>
    </message>
    <message>
        <source>Enter the user name and password provided by your news (NNTP) provider.</source>
        <translation>Escriba el nombre de usuario y la contraseña que le dio su proveedor de noticias (NNTP).</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>Nombre de usuario:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Contraseña:</translation>
    </message>
    <message>
        <source>Congratulations!</source>
        <translation>¡Enhorabuena!</translation>
    </message>
    <message>
        <source>You have successfully configured your news (NNTP) server. It will be added to the servers list when you click on Finished.</source>
        <translation>Ha configurado su servidor de noticias (NNTP). Se añadirá a la lista de servidores cuando pulse Finalizar.</translation>
    </message>
    <message>
        <source>You can access to its configuration by double-clicking the server name.</source>
        <translation>Puede acceder a su configuración haciendo doble clic en el nombre del servidor.</translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; Atrás</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Siguiente &gt;</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Finalizar</translation>
    </message>
    <message>
        <source>Please enter the name of your news (NNTP) server.</source>
        <translation>Escriba el nombre de su servidor de noticias (NNTP).</translation>
    </message>
    <message>
        <source>Please enter the user name.</source>
        <translation>Escriba el nombre de usuario.</translation>
    </message>
    <message>
        <source>Please enter the password.</source>
        <translation>Escriba la contraseña.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Your password contains extra spaces. Do you want to remove them?</source>
        <translation>Su contraseña contiene espacios de más. ¿Desea quitarlos?</translation>
    </message>
    <message>
        <source>The text after the server&apos;s address is not a port number from 1 to 65535: &quot;%1&quot;
Type the address alone: the usual port is then used, and it can be changed in the server editor (double-click the server in the servers list).</source>
        <translation>El texto tras la dirección del servidor no es un número de puerto de 1 a 65535: &quot;%1&quot;
Escriba solo la dirección: se usará el puerto habitual, que puede cambiarse en el editor del servidor (doble clic en el servidor en la lista de servidores).</translation>
    </message>
</context>
<context>
    <name>DownloadNzbManager</name>
    <message>
        <source>Unknown NZB Subject</source>
        <translation>Asunto de NZB desconocido</translation>
    </message>
    <message>
        <source>Error: no NZB file object</source>
        <translation>Error: no hay ningún objeto de archivo NZB</translation>
    </message>
    <message>
        <source>Error: NZB file already queued</source>
        <translation>Error: el archivo NZB ya está en la cola</translation>
    </message>
    <message>
        <source>the disk is full or the folder cannot be written</source>
        <translation>el disco está lleno o no se puede escribir en la carpeta</translation>
    </message>
    <message>
        <source>Downloads paused: cannot write the temporary file %1 (%2). Free some disk space or check the Cache folder, then resume the downloads.</source>
        <translation type="vanished">Descargas en pausa: no se puede escribir el archivo temporal %1 (%2). Libere espacio en disco o compruebe la carpeta de caché y después reanude las descargas.</translation>
    </message>
    <message>
        <source>No par2 file found!</source>
        <translation>¡No se encontró ningún archivo PAR2!</translation>
    </message>
    <message>
        <source>Par2: success - %1</source>
        <translation>PAR2: correcto - %1</translation>
    </message>
    <message>
        <source>Par2: need more par2 volumes to repair - %1</source>
        <translation>PAR2: se necesitan más volúmenes PAR2 para reparar - %1</translation>
    </message>
    <message>
        <source>Par2: repair is not possible - %1</source>
        <translation>PAR2: la reparación no es posible - %1</translation>
    </message>
    <message>
        <source>Failed to create extract directory</source>
        <translation>No se pudo crear la carpeta de extracción</translation>
    </message>
    <message>
        <source>Unrar error: exit code: %1, exit status: %2</source>
        <translation>Error de extracción: código de salida %1, estado de salida %2</translation>
    </message>
    <message>
        <source>Data files are damaged and there is enough recovery data available to repair them</source>
        <translation>Los archivos de datos están dañados y hay suficientes datos de recuperación para repararlos</translation>
    </message>
    <message>
        <source>There was something wrong with the command line arguments</source>
        <translation>Los argumentos de la línea de órdenes no son correctos</translation>
    </message>
    <message>
        <source>The PAR2 files did not contain sufficient information about the data files to be able to verify them</source>
        <translation>Los archivos PAR2 no contenían suficiente información sobre los archivos de datos para poder verificarlos</translation>
    </message>
    <message>
        <source>Repair completed but the data files still appear to be damaged</source>
        <translation>Reparación terminada, pero los archivos de datos parecen seguir dañados</translation>
    </message>
    <message>
        <source>An error occured when accessing files</source>
        <translation>Se produjo un error al acceder a los archivos</translation>
    </message>
    <message>
        <source>An internal error occurred</source>
        <translation>Se produjo un error interno</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Memoria insuficiente</translation>
    </message>
    <message>
        <source>Failed to start PAR2: you may have insufficient permissions to invoke the program</source>
        <translation>No se pudo iniciar PAR2: puede que no tenga permisos suficientes para ejecutar el programa</translation>
    </message>
    <message>
        <source>Downloads paused: cannot write the decoded file %1 (%2). Free some disk space or check the Download folder, then resume the downloads.</source>
        <translation type="vanished">Descargas en pausa: no se puede escribir el archivo decodificado %1 (%2). Libere espacio en disco o compruebe la carpeta de descarga y luego reanude las descargas.</translation>
    </message>
    <message>
        <source>the repair is not possible, the volumes and PAR2 files are kept for a manual repair</source>
        <translation>la reparación no es posible, los volúmenes y los archivos PAR2 se conservan para una reparación manual</translation>
    </message>
    <message>
        <source>the PAR2 verification failed, the volumes and PAR2 files are kept for a manual repair</source>
        <translation>la verificación PAR2 falló, los volúmenes y los archivos PAR2 se conservan para una reparación manual</translation>
    </message>
    <message>
        <source>%1 file(s) damaged, and no PAR2 file to repair them</source>
        <translation>%1 archivo(s) dañado(s), y ningún archivo PAR2 para repararlos</translation>
    </message>
    <message>
        <source>%1 file(s) incomplete, %2 article(s) missing, and no PAR2 file to repair them</source>
        <translation>%1 archivo(s) incompleto(s), %2 artículo(s) faltante(s), y ningún archivo PAR2 para repararlos</translation>
    </message>
    <message>
        <source>, the split files are kept unjoined</source>
        <translation>, los archivos divididos se conservan sin unir</translation>
    </message>
    <message>
        <source>Segment %1 cannot be downloaded: its message id is blank or holds a line break</source>
        <translation>El segmento %1 no se puede descargar: su identificador de mensaje está vacío o contiene un salto de línea</translation>
    </message>
    <message>
        <source>Segment %1 cannot be placed in its file: its number is not a whole number</source>
        <translation>El segmento %1 no se puede colocar en su archivo: su número no es un número entero</translation>
    </message>
    <message>
        <source>Cannot write the decoded file %1 (%2). Free some disk space or check the Download folder, then resume the downloads.</source>
        <translation>No se puede escribir el archivo decodificado %1 (%2). Libere espacio en disco o compruebe la carpeta de descarga y luego reanude las descargas.</translation>
    </message>
    <message>
        <source>Cannot write the temporary file %1 (%2). Free some disk space or check the Cache folder, then resume the downloads.</source>
        <translation>No se puede escribir el archivo temporal %1 (%2). Libere espacio en disco o compruebe la carpeta de caché y después reanude las descargas.</translation>
    </message>
</context>
<context>
    <name>FolderCheck</name>
    <message>
        <source>%1 is not a full path</source>
        <translation>%1 no es una ruta completa</translation>
    </message>
    <message>
        <source>%1 is a file, not a folder</source>
        <translation>%1 es un archivo, no una carpeta</translation>
    </message>
    <message>
        <source>%1 is a file: no folder can be made in it</source>
        <translation>%1 es un archivo: no se puede crear ninguna carpeta dentro</translation>
    </message>
    <message>
        <source>%1 cannot be written (%2)</source>
        <translation>No se puede escribir en %1 (%2)</translation>
    </message>
    <message>
        <source>the path is longer than the system allows (%1 characters)</source>
        <translation>la ruta es más larga de lo que permite el sistema (%1 caracteres)</translation>
    </message>
    <message>
        <source>the name %1 is longer than the system allows</source>
        <translation>el nombre %1 es más largo de lo que permite el sistema</translation>
    </message>
</context>
<context>
    <name>FrameSearchResults</name>
    <message>
        <source>Search title</source>
        <translation>Título de la búsqueda</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Asunto</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>Age</source>
        <translation>Antigüedad</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Grupos</translation>
    </message>
    <message>
        <source>Poster</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>Select / Unselect all</source>
        <translation>Seleccionar / deseleccionar todo</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Anterior</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Nb results</source>
        <translation>Número de resultados</translation>
    </message>
    <message>
        <source>No result found for &quot;%1&quot;</source>
        <translation>No hay resultados para «%1»</translation>
    </message>
    <message>
        <source> result(s)</source>
        <translation> resultado(s)</translation>
    </message>
    <message>
        <source> - More results available</source>
        <translation> - Hay más resultados disponibles</translation>
    </message>
    <message>
        <source>A request of this page is still running.</source>
        <translation>Todavía hay una petición de esta página en curso.</translation>
    </message>
    <message>
        <source>No selected result.</source>
        <translation>No hay ningún resultado seleccionado.</translation>
    </message>
</context>
<context>
    <name>FrameWebBrowser</name>
    <message>
        <source>Frame</source>
        <translation>Marco</translation>
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
        <translation>Servidores &amp;&amp; Descargas</translation>
    </message>
    <message>
        <source>List of servers</source>
        <translation>Lista de servidores</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt; color:#ff0000;&quot;&gt;Pulse el botón Iniciar para empezar&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Add a new server</source>
        <translation>Añadir un servidor nuevo</translation>
    </message>
    <message>
        <source>Modify selected server</source>
        <translation>Modificar el servidor seleccionado</translation>
    </message>
    <message>
        <source>Remove selected server</source>
        <translation>Quitar el servidor seleccionado</translation>
    </message>
    <message>
        <source>No bandwidth limiting</source>
        <translation>Sin límite de ancho de banda</translation>
    </message>
    <message>
        <source>Manually set the bandwidth limit :</source>
        <translation>Fijar a mano el límite de ancho de banda :</translation>
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
        <translation>Velocidad actual</translation>
    </message>
    <message>
        <source>Average speed</source>
        <translation>Velocidad media</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Descargado</translation>
    </message>
    <message>
        <source>To download</source>
        <translation>Por descargar</translation>
    </message>
    <message>
        <source>Remaining time</source>
        <translation>Tiempo restante</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Etiquetas</translation>
    </message>
    <message>
        <source>Infos</source>
        <translation>Datos</translation>
    </message>
    <message>
        <source>Download controls</source>
        <translation>Control de descargas</translation>
    </message>
    <message>
        <source>Pause connections</source>
        <translation>Pausar las conexiones</translation>
    </message>
    <message>
        <source>Pause...</source>
        <translation>Pausa...</translation>
    </message>
    <message>
        <source>Clear NZB completed</source>
        <translation>Quitar los NZB terminados</translation>
    </message>
    <message>
        <source>Delete selected NZB</source>
        <translation>Eliminar el NZB seleccionado</translation>
    </message>
    <message>
        <source>Move NZB up</source>
        <translation>Subir el NZB</translation>
    </message>
    <message>
        <source>Move NZB down</source>
        <translation>Bajar el NZB</translation>
    </message>
    <message>
        <source>Open download / destination folder</source>
        <translation>Abrir la carpeta de descarga / de destino</translation>
    </message>
    <message>
        <source>Files controls</source>
        <translation>Control de archivos</translation>
    </message>
    <message>
        <source>Pause selected files</source>
        <translation>Pausar los archivos seleccionados</translation>
    </message>
    <message>
        <source>Unpause selected files</source>
        <translation>Reanudar los archivos seleccionados</translation>
    </message>
    <message>
        <source>Redownload selected files</source>
        <translation>Volver a descargar los archivos seleccionados</translation>
    </message>
    <message>
        <source>Delete selected file(s)</source>
        <translation>Eliminar los archivos seleccionados</translation>
    </message>
    <message>
        <source>Move file(s) up</source>
        <translation>Subir los archivos</translation>
    </message>
    <message>
        <source>Move file(s) down</source>
        <translation>Bajar los archivos</translation>
    </message>
    <message>
        <source>Decoding priority</source>
        <translation>Prioridad de decodificación</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Alta</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Baja</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Búsqueda</translation>
    </message>
    <message>
        <source>Search for NZB - Powered by BinSearch</source>
        <translation>Búsqueda de NZB - Con la tecnología de BinSearch</translation>
    </message>
    <message>
        <source>Search !</source>
        <translation>¡Buscar!</translation>
    </message>
    <message>
        <source>Clear search words</source>
        <translation>Borrar los términos buscados</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Grupos</translation>
    </message>
    <message>
        <source>Search in the most popular groups</source>
        <translation>Buscar en los grupos más populares</translation>
    </message>
    <message>
        <source>Search in the other groups</source>
        <translation>Buscar en los demás grupos</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Resultados</translation>
    </message>
    <message>
        <source>Results per page :</source>
        <translation>Resultados por página :</translation>
    </message>
    <message>
        <source>Maximum age (Days) :</source>
        <translation>Antigüedad máxima (días) :</translation>
    </message>
    <message>
        <source>Experimental options</source>
        <translation>Opciones experimentales</translation>
    </message>
    <message>
        <source>Only show collections (Hide individual files)</source>
        <translation>Solo colecciones (ocultar archivos sueltos)</translation>
    </message>
    <message>
        <source>Only show posts that have a .nfo</source>
        <translation>Solo mensajes con un .nfo</translation>
    </message>
    <message>
        <source>Size must be between</source>
        <translation>Tamaño entre</translation>
    </message>
    <message>
        <source>000000000; </source>
        <translation>000000000; </translation>
    </message>
    <message>
        <source>MiB and</source>
        <translation>MiB y</translation>
    </message>
    <message>
        <source>MiB</source>
        <translation>MiB</translation>
    </message>
    <message>
        <source>Close all opened search tabs</source>
        <translation>Cerrar todas las pestañas de búsqueda abiertas</translation>
    </message>
    <message>
        <source>Close all tabs</source>
        <translation>Cerrar todas las pestañas</translation>
    </message>
    <message>
        <source>Download selected results</source>
        <translation>Descargar los resultados seleccionados</translation>
    </message>
    <message>
        <source>Download in Destination folder...</source>
        <translation>Descargar en la carpeta de destino...</translation>
    </message>
    <message>
        <source>Web browser</source>
        <translation>Navegador web</translation>
    </message>
    <message>
        <source>Click to go back</source>
        <translation>Pulse para volver atrás</translation>
    </message>
    <message>
        <source>Click to go forward</source>
        <translation>Pulse para ir adelante</translation>
    </message>
    <message>
        <source>Click to refresh the page</source>
        <translation>Pulse para recargar la página</translation>
    </message>
    <message>
        <source>Go to Home Page</source>
        <translation>Ir a la página de inicio</translation>
    </message>
    <message>
        <source>Configuration and Favourites</source>
        <translation>Configuración y favoritos</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;Pulse para cargar la página web&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Google Search</source>
        <translation>Búsqueda de Google</translation>
    </message>
    <message>
        <source>NZB search engines</source>
        <translation>Buscadores de NZB</translation>
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
        <translation>Ir al buscador de NZB seleccionado</translation>
    </message>
    <message>
        <source>Downloading... </source>
        <translation>Descargando... </translation>
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
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Herramientas</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Free disk space information</source>
        <translation>Espacio libre de los discos</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>Load NZB file</source>
        <translation>Cargar un archivo NZB</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Mostrar los registros</translation>
    </message>
    <message>
        <source>Ctrl+L</source>
        <translation>Ctrl+L</translation>
    </message>
    <message>
        <source>About Tessaquill+...</source>
        <translation>Acerca de Tessaquill+...</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>Shutdown...</source>
        <translation>Apagado...</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Actualización</translation>
    </message>
    <message>
        <source>A new version is available!</source>
        <translation>¡Hay una versión nueva!</translation>
    </message>
    <message>
        <source>Ctrl+U</source>
        <translation>Ctrl+U</translation>
    </message>
    <message>
        <source>Configuration Wizard</source>
        <translation>Asistente de configuración</translation>
    </message>
    <message>
        <source>Ctrl+W</source>
        <translation>Ctrl+W</translation>
    </message>
    <message>
        <source>Destinations</source>
        <translation>Destinos</translation>
    </message>
    <message>
        <source>Open Destination folders</source>
        <translation>Abrir las carpetas de destino</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimizar</translation>
    </message>
    <message>
        <source>Minimize application</source>
        <translation>Minimizar la aplicación</translation>
    </message>
    <message>
        <source>Manual repair / extraction / unsplit</source>
        <translation>Reparación / extracción / unión manuales</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Exit Tessaquill+</source>
        <translation>Salir de Tessaquill+</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>NZB history</source>
        <translation>Historial de NZB</translation>
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
        <translation>-- Todos los resultados --</translation>
    </message>
    <message>
        <source>Please enter a search request.</source>
        <translation>Escriba lo que desea buscar.</translation>
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
        <translation>Error de descarga: %1</translation>
    </message>
    <message>
        <source>Tessaquill+ </source>
        <translation>Tessaquill+ </translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Hora</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Velocidad</translation>
    </message>
    <message>
        <source> Idle</source>
        <translation> Inactiva</translation>
    </message>
    <message>
        <source> Paused</source>
        <translation> En pausa</translation>
    </message>
    <message>
        <source> - Delay before thread starts: </source>
        <translation> - Espera antes de iniciar la conexión: </translation>
    </message>
    <message>
        <source> Downloading </source>
        <translation> Descargando </translation>
    </message>
    <message>
        <source> Connecting to server</source>
        <translation> Conectando con el servidor</translation>
    </message>
    <message>
        <source> Disconnecting from server</source>
        <translation> Desconectando del servidor</translation>
    </message>
    <message>
        <source> Downloading Groups</source>
        <translation> Descargando los grupos</translation>
    </message>
    <message>
        <source> Select group %1</source>
        <translation> Seleccionando el grupo %1</translation>
    </message>
    <message>
        <source> Stat %1</source>
        <translation> Stat %1</translation>
    </message>
    <message>
        <source> Help</source>
        <translation> Ayuda</translation>
    </message>
    <message>
        <source> Capabilities</source>
        <translation> Capacidades</translation>
    </message>
    <message>
        <source> Date</source>
        <translation> Fecha</translation>
    </message>
    <message>
        <source>Thread %1: %2</source>
        <translation type="vanished">Conexión %1: %2</translation>
    </message>
    <message>
        <source> Segment is missing on server: %1</source>
        <translation> Falta el segmento en el servidor: %1</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Asunto</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progreso</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>File date</source>
        <translation>Fecha del archivo</translation>
    </message>
    <message>
        <source>Destination directory</source>
        <translation>Carpeta de destino</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Mensajes</translation>
    </message>
    <message>
        <source>Redownload file(s)</source>
        <translation>Volver a descargar los archivos</translation>
    </message>
    <message>
        <source>Delete selected files</source>
        <translation>Eliminar los archivos seleccionados</translation>
    </message>
    <message>
        <source>Uncompress</source>
        <translation>Extraer</translation>
    </message>
    <message>
        <source>Do not uncompress</source>
        <translation>No extraer</translation>
    </message>
    <message>
        <source>Password of the archive</source>
        <translation>Contraseña del archivo</translation>
    </message>
    <message>
        <source>Modify Destination directory</source>
        <translation>Modificar la carpeta de destino</translation>
    </message>
    <message>
        <source>Modify NZB title</source>
        <translation>Modificar el título del NZB</translation>
    </message>
    <message>
        <source>Keep PAR2 file(s)</source>
        <translation>Conservar los archivos PAR2</translation>
    </message>
    <message>
        <source>Segment %1 (Number %2 of NZB %3): %4</source>
        <translation>Segmento %1 (número %2 del NZB %3): %4</translation>
    </message>
    <message>
        <source>Segment %1 is missing</source>
        <translation>Falta el segmento %1</translation>
    </message>
    <message>
        <source>Segment %1 (Number %2 of NZB %3) is missing</source>
        <translation>Falta el segmento %1 (número %2 del NZB %3)</translation>
    </message>
    <message>
        <source>%1: segment %2 is missing</source>
        <translation>%1: falta el segmento %2</translation>
    </message>
    <message>
        <source>Failed to create file for segment %1 (Number %2 of NZB %3)</source>
        <translation>No se pudo crear el archivo del segmento %1 (número %2 del NZB %3)</translation>
    </message>
    <message>
        <source>File %1 of NZB %2 decoded</source>
        <translation>Archivo %1 del NZB %2 decodificado</translation>
    </message>
    <message>
        <source>NZB %1 requires a password in order to extract the archive !</source>
        <translation>¡El NZB %1 necesita una contraseña para extraer el archivo!</translation>
    </message>
    <message>
        <source>File %1 of NZB %2: %3</source>
        <translation>Archivo %1 del NZB %2: %3</translation>
    </message>
    <message>
        <source>File %1 of NZB %2 resumed</source>
        <translation>Archivo %1 del NZB %2 reanudado</translation>
    </message>
    <message>
        <source>Do not keep PAR2 file(s)</source>
        <translation>No conservar los archivos PAR2</translation>
    </message>
    <message>
        <source>Please select either NZB(s) or file(s) to delete</source>
        <translation>Seleccione los NZB o los archivos que desea eliminar</translation>
    </message>
    <message>
        <source>Do you want to remove the selected file(s)?</source>
        <translation>¿Desea quitar los archivos seleccionados?</translation>
    </message>
    <message>
        <source>File %1 removed from download list</source>
        <translation>Archivo %1 quitado de la lista de descargas</translation>
    </message>
    <message>
        <source>Do you want to remove the selected NZB(s)?</source>
        <translation>¿Desea quitar los NZB seleccionados?</translation>
    </message>
    <message>
        <source>NZB %1 removed from download list</source>
        <translation>NZB %1 quitado de la lista de descargas</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Tessaquill+ has been minimized in the task bar</source>
        <translation>Tessaquill+ se ha minimizado en la barra de tareas</translation>
    </message>
    <message>
        <source>The configuration could not be loaded: %1

The program runs with the default settings.</source>
        <translation>No se pudo cargar la configuración: %1

El programa funciona con la configuración predeterminada.</translation>
    </message>
    <message>
        <source>Do you really want to exit Tessaquill+ ?</source>
        <translation>¿Seguro que desea salir de Tessaquill+?</translation>
    </message>
    <message>
        <source>PAR2 parity test...</source>
        <translation>Prueba de paridad PAR2...</translation>
    </message>
    <message>
        <source>PAR2 parity test of %1...</source>
        <translation>Prueba de paridad PAR2 de %1...</translation>
    </message>
    <message>
        <source>PAR2 parity test: %1</source>
        <translation>Prueba de paridad PAR2: %1</translation>
    </message>
    <message>
        <source>%1, %2 block(s) needed</source>
        <translation>%1, bloques necesarios: %2</translation>
    </message>
    <message>
        <source>PAR2 finished for %1: %2, %3 block(s) needed</source>
        <translation>PAR2 terminado para %1: %2, bloques necesarios: %3</translation>
    </message>
    <message>
        <source>Unrar in progress...</source>
        <translation>Extracción en curso...</translation>
    </message>
    <message>
        <source>Unrar in progress for %1...</source>
        <translation>Extracción de %1 en curso...</translation>
    </message>
    <message>
        <source>Unrar progress: %1</source>
        <translation>Progreso de la extracción: %1</translation>
    </message>
    <message>
        <source>Unrar error: %1</source>
        <translation>Error de extracción: %1</translation>
    </message>
    <message>
        <source>Unrar error for %1: %2</source>
        <translation>Error de extracción de %1: %2</translation>
    </message>
    <message>
        <source>Unrar: no file found</source>
        <translation>Extracción: no se encontró ningún archivo</translation>
    </message>
    <message>
        <source>Unrar: no file found for %1</source>
        <translation>Extracción: no se encontró ningún archivo para %1</translation>
    </message>
    <message>
        <source>Unrar finished successfully</source>
        <translation>Extracción terminada correctamente</translation>
    </message>
    <message>
        <source>Unrar finished successfully for %1</source>
        <translation>Extracción de %1 terminada correctamente</translation>
    </message>
    <message>
        <source>Unrar finished with error(s)</source>
        <translation>Extracción terminada con errores</translation>
    </message>
    <message>
        <source>Unrar finished with error(s) for %1</source>
        <translation>Extracción de %1 terminada con errores</translation>
    </message>
    <message>
        <source>Unsplit in progress...</source>
        <translation>Unión en curso...</translation>
    </message>
    <message>
        <source>Unsplit in progress for %1...</source>
        <translation>Unión de %1 en curso...</translation>
    </message>
    <message>
        <source>Unsplit in progress: %1%</source>
        <translation>Unión en curso: %1 %</translation>
    </message>
    <message>
        <source>Unsplit finished successfully</source>
        <translation>Unión terminada correctamente</translation>
    </message>
    <message>
        <source>Unsplit finished successfully for %1...</source>
        <translation>Unión de %1 terminada correctamente...</translation>
    </message>
    <message>
        <source>Unsplit finished with error(s): %1</source>
        <translation>Unión terminada con errores: %1</translation>
    </message>
    <message>
        <source>Unsplit finished with error(s) for %1: %2</source>
        <translation>Unión de %1 terminada con errores: %2</translation>
    </message>
    <message>
        <source>Cleaning </source>
        <translation>Limpiando </translation>
    </message>
    <message>
        <source>NZB %1: a file of that name was already in the destination, kept as %2</source>
        <translation>NZB %1: ya había un archivo con ese nombre en el destino, se conservó como %2</translation>
    </message>
    <message>
        <source>%1: the destination folder %2 could not be created, the files stay in %3</source>
        <translation>%1: no se pudo crear la carpeta de destino %2, los archivos se quedan en %3</translation>
    </message>
    <message>
        <source>%1: %2 file(s) could not be moved to the destination, they stay in %3</source>
        <translation type="vanished">%1: no se pudieron mover %2 archivos al destino, se quedan en %3</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>NZB %1 has been downloaded with error(s)</source>
        <translation>El NZB %1 se ha descargado con errores</translation>
    </message>
    <message>
        <source> has been downloaded with error(s)</source>
        <translation> se ha descargado con errores</translation>
    </message>
    <message>
        <source>NZB %1 has been successfully downloaded</source>
        <translation>El NZB %1 se ha descargado correctamente</translation>
    </message>
    <message>
        <source> has been successfully downloaded</source>
        <translation> se ha descargado correctamente</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Pause for 5 minutes</source>
        <translation>Pausa de 5 minutos</translation>
    </message>
    <message>
        <source>Pause for 15 minutes</source>
        <translation>Pausa de 15 minutos</translation>
    </message>
    <message>
        <source>Pause for 30 minutes</source>
        <translation>Pausa de 30 minutos</translation>
    </message>
    <message>
        <source>Pause for 1 hour</source>
        <translation>Pausa de 1 hora</translation>
    </message>
    <message>
        <source>Pause for 2 hours</source>
        <translation>Pausa de 2 horas</translation>
    </message>
    <message>
        <source>Pause for 3 hours</source>
        <translation>Pausa de 3 horas</translation>
    </message>
    <message>
        <source>Pause for 4 hours</source>
        <translation>Pausa de 4 horas</translation>
    </message>
    <message>
        <source>Pause for 5 hours</source>
        <translation>Pausa de 5 horas</translation>
    </message>
    <message>
        <source>Pause for 6 hours</source>
        <translation>Pausa de 6 horas</translation>
    </message>
    <message>
        <source>Start connections</source>
        <translation>Iniciar las conexiones</translation>
    </message>
    <message>
        <source>The downloads have been paused: %1</source>
        <translation>Las descargas se han pausado: %1</translation>
    </message>
    <message>
        <source>Limit bandwidth: </source>
        <translation>Límite de ancho de banda: </translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Error while importing NZB file: %1</source>
        <translation>Error al importar el archivo NZB: %1</translation>
    </message>
    <message>
        <source>Adding new NZB: %1...</source>
        <translation>Añadiendo un NZB nuevo: %1...</translation>
    </message>
    <message>
        <source>Error while saving NZB history file: %1</source>
        <translation>Error al guardar el archivo del historial de NZB: %1</translation>
    </message>
    <message>
        <source>NZB %1 added to download list</source>
        <translation>NZB %1 añadido a la lista de descargas</translation>
    </message>
    <message>
        <source>NZB %1 saved to disk: %2</source>
        <translation>NZB %1 guardado en el disco: %2</translation>
    </message>
    <message>
        <source>NZB %1 could not be saved to disk: %2</source>
        <translation type="vanished">No se pudo guardar el NZB %1 en el disco: %2</translation>
    </message>
    <message>
        <source>Cannot load %1: bad suffix</source>
        <translation>No se puede cargar %1: extensión incorrecta</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Nickname</source>
        <translation>Alias</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Contador</translation>
    </message>
    <message>
        <source>Start / Stop</source>
        <translation>Iniciar / detener</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Servidor</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Configuration of a new server</source>
        <translation>Configuración de un servidor nuevo</translation>
    </message>
    <message>
        <source>Please select a server to update in the list</source>
        <translation>Seleccione en la lista el servidor que desea modificar</translation>
    </message>
    <message>
        <source>Please stop the selected server before updating configuration</source>
        <translation>Detenga el servidor seleccionado antes de modificar su configuración</translation>
    </message>
    <message>
        <source>Server Configuration</source>
        <translation>Configuración del servidor</translation>
    </message>
    <message>
        <source>Please select a server to delete in the list</source>
        <translation>Seleccione en la lista el servidor que desea eliminar</translation>
    </message>
    <message>
        <source>Please stop the selected server before deleting it</source>
        <translation>Detenga el servidor seleccionado antes de eliminarlo</translation>
    </message>
    <message>
        <source>Remove the server &apos;%1&apos;?</source>
        <translation>¿Quitar el servidor «%1»?</translation>
    </message>
    <message>
        <source> &lt; 1 minute</source>
        <translation> &lt; 1 minuto</translation>
    </message>
    <message>
        <source>%)</source>
        <translation>%)</translation>
    </message>
    <message>
        <source>Avg Speed: </source>
        <translation>Velocidad media: </translation>
    </message>
    <message>
        <source>Time: </source>
        <translation>Tiempo: </translation>
    </message>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>Mi&amp;nimizar</translation>
    </message>
    <message>
        <source>Ma&amp;ximize</source>
        <translation>Ma&amp;ximizar</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurar</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Descarga en curso</translation>
    </message>
    <message>
        <source>The connection was closed.</source>
        <translation>La conexión se ha cerrado.</translation>
    </message>
    <message>
        <source>Download failed</source>
        <translation>La descarga ha fallado</translation>
    </message>
    <message>
        <source>Save file...</source>
        <translation>Guardar el archivo...</translation>
    </message>
    <message>
        <source>The file could not be saved to %1.</source>
        <translation type="vanished">No se pudo guardar el archivo en %1.</translation>
    </message>
    <message>
        <source>This is not a valid URL</source>
        <translation>Esta URL no es válida</translation>
    </message>
    <message>
        <source>Loading page...</source>
        <translation>Cargando la página...</translation>
    </message>
    <message>
        <source>Add to Favourite</source>
        <translation>Añadir a favoritos</translation>
    </message>
    <message>
        <source>Browser options</source>
        <translation>Opciones del navegador</translation>
    </message>
    <message>
        <source>New favourite</source>
        <translation>Favorito nuevo</translation>
    </message>
    <message>
        <source>Title must not be empty</source>
        <translation>El título no puede estar vacío</translation>
    </message>
    <message>
        <source>URL must not be empty</source>
        <translation>La URL no puede estar vacía</translation>
    </message>
    <message>
        <source>NZB download list reordered by user</source>
        <translation>Lista de descargas NZB reordenada por el usuario</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Password of the archive :</source>
        <translation>Contraseña del archivo:</translation>
    </message>
    <message>
        <source>Choose Destination directory</source>
        <translation>Elegir la carpeta de destino</translation>
    </message>
    <message>
        <source>NZB title</source>
        <translation>Título del NZB</translation>
    </message>
    <message>
        <source>New NZB title :</source>
        <translation>Nuevo título del NZB:</translation>
    </message>
    <message>
        <source>Default Destination</source>
        <translation>Destino predeterminado</translation>
    </message>
    <message>
        <source>Every download is finished: closing the program</source>
        <translation>Todas las descargas han terminado: cerrando el programa</translation>
    </message>
    <message>
        <source>the power tool %1 is missing from the program&apos;s folder</source>
        <translation>la herramienta de energía %1 falta en la carpeta del programa</translation>
    </message>
    <message>
        <source>Every download is finished: starting %1 %2</source>
        <translation>Todas las descargas han terminado: iniciando %1 %2</translation>
    </message>
    <message>
        <source>the power tool could not be started: %1</source>
        <translation>no se pudo iniciar la herramienta de energía: %1</translation>
    </message>
    <message>
        <source>the power tool stopped unexpectedly</source>
        <translation>la herramienta de energía se detuvo de forma inesperada</translation>
    </message>
    <message>
        <source>the power tool ended with code %1</source>
        <translation>la herramienta de energía terminó con el código %1</translation>
    </message>
    <message>
        <source>The action at the end of the downloads failed: %1</source>
        <translation>La acción al final de las descargas ha fallado: %1</translation>
    </message>
    <message>
        <source>&lt;b&gt;&lt;font color=&apos;%1&apos;&gt;%2&lt;/font&gt;&lt;/b&gt;</source>
        <translation>&lt;b&gt;&lt;font color=&apos;%1&apos;&gt;%2&lt;/font&gt;&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Open one or several NZB</source>
        <translation>Abrir uno o varios NZB</translation>
    </message>
    <message>
        <source>Nzb files (*.nzb *.NZB);;Any files (*)</source>
        <translation type="vanished">Archivos NZB (*.nzb *.NZB);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>A new version is available (%1)</source>
        <translation>Hay una nueva versión disponible (%1)</translation>
    </message>
    <message>
        <source>A new version is available (%1)!

Do you want to visit the Web Site in order to download it?</source>
        <translation>¡Hay una nueva versión disponible (%1)!

¿Desea visitar el sitio web para descargarla?</translation>
    </message>
    <message>
        <source>NZB %1 is being moved to its destination folder: it cannot be changed until that is done.</source>
        <translation>El NZB %1 se está moviendo a su carpeta de destino: no se puede cambiar hasta que termine.</translation>
    </message>
    <message>
        <source>Exiting: waiting for the files of a finished NZB to be moved to their destination...</source>
        <translation>Saliendo: esperando a que los archivos de un NZB terminado se muevan a su destino...</translation>
    </message>
    <message>
        <source>Exiting: waiting for the files of %1 to be moved to %2...</source>
        <translation>Saliendo: esperando a que los archivos de %1 se muevan a %2...</translation>
    </message>
    <message>
        <source>These NZBs of the saved queue could not be restored: their record and its backup are damaged.
%1
The damaged files are kept in %2 with the suffix %3.</source>
        <translation>Estos NZB de la cola guardada no se pudieron restaurar: su registro y su copia de seguridad están dañados.
%1
Los archivos dañados se conservan en %2 con el sufijo %3.</translation>
    </message>
    <message>
        <source>These server records could not be read, so their servers are missing:
%1
The files are kept in %2.</source>
        <translation>Estos registros de servidor no se pudieron leer, por lo que faltan sus servidores:
%1
Los archivos se conservan en %2.</translation>
    </message>
    <message>
        <source>The servers could not be saved: %1</source>
        <translation>No se pudieron guardar los servidores: %1</translation>
    </message>
    <message>
        <source>The servers could not be saved: the changes will be lost when the program ends.

%1</source>
        <translation>No se pudieron guardar los servidores: los cambios se perderán al cerrar el programa.

%1</translation>
    </message>
    <message>
        <source>Nzb files (*.[nN][zZ][bB]);;Any files (*)</source>
        <translation>Archivos NZB (*.[nN][zZ][bB]);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>The file is larger than %1 MiB, more than an NZB file may hold.</source>
        <translation>El archivo supera los %1 MiB, más de lo que puede contener un archivo NZB.</translation>
    </message>
    <message>
        <source> %1 (failed %2 times in a row, next attempt at %3)</source>
        <translation> %1 (falló %2 veces seguidas, próximo intento a las %3)</translation>
    </message>
    <message>
        <source> %1 (next attempt at %2)</source>
        <translation> %1 (próximo intento a las %2)</translation>
    </message>
    <message>
        <source>Thread %1 (server %2): %3</source>
        <translation>Conexión %1 (servidor %2): %3</translation>
    </message>
    <message>
        <source>NZB %1: %2 could not be moved to %3: %4</source>
        <translation>NZB %1: no se pudo mover %2 a %3: %4</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>y %1 más</translation>
    </message>
    <message>
        <source>%1: %2 file(s) could not be moved to %3 (%4), they stay in %5</source>
        <translation>%1: no se pudieron mover %2 archivos a %3 (%4), se quedan en %5</translation>
    </message>
    <message>
        <source>Unsplit: no split file found</source>
        <translation>Unión: no se encontró ningún archivo dividido</translation>
    </message>
    <message>
        <source>Unsplit: no split file found for %1</source>
        <translation>Unión: no se encontró ningún archivo dividido para %1</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Archivo: %1</translation>
    </message>
    <message>
        <source>a folder, not an NZB file</source>
        <translation>una carpeta, no un archivo NZB</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no existe el archivo</translation>
    </message>
    <message>
        <source>a packed NZB file: unpack it, then add the .nzb file</source>
        <translation>un archivo NZB comprimido: descomprímalo y luego añada el archivo .nzb</translation>
    </message>
    <message>
        <source>not an NZB file (its name does not end in .nzb)</source>
        <translation>no es un archivo NZB (su nombre no termina en .nzb)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>These files were not added to the queue:</source>
        <translation>Estos archivos no se añadieron a la cola:</translation>
    </message>
    <message>
        <source>The download queue could not be saved in %1: %2

An NZB whose record is not saved is missing at the next start. Free some disk space or make the folder writable: the queue is saved again at its next change and at exit.</source>
        <translation>No se pudo guardar la cola de descargas en %1: %2

Un NZB cuyo registro no se guarda faltará en el próximo inicio. Libere espacio en disco o haga que la carpeta admita escritura: la cola se guarda de nuevo en su próximo cambio y al salir.</translation>
    </message>
    <message>
        <source>The download queue could not be saved in %1: %2

The NZBs whose record could not be written will be missing at the next start.</source>
        <translation>No se pudo guardar la cola de descargas en %1: %2

Los NZB cuyo registro no se pudo escribir faltarán en el próximo inicio.</translation>
    </message>
    <message>
        <source>NZB %1 was handed over while the program was ending: it is saved in the download queue and downloaded from the next start on</source>
        <translation>El NZB %1 se entregó mientras el programa se cerraba: se ha guardado en la cola de descargas y se descargará a partir del próximo inicio</translation>
    </message>
    <message>
        <source>The connection was closed after %1 of %2 bytes.</source>
        <translation>La conexión se ha cerrado tras %1 de %2 bytes.</translation>
    </message>
    <message>
        <source>The connection was closed before the end of the NZB file.</source>
        <translation>La conexión se ha cerrado antes del final del archivo NZB.</translation>
    </message>
    <message>
        <source>NZB %1 goes on in the download folder %2</source>
        <translation>El NZB %1 continúa en la carpeta de descarga %2</translation>
    </message>
    <message>
        <source>Waiting: the download folder %1 cannot be used: %2. Choose another Download folder in the settings, or make this one usable: the download then goes on by itself.</source>
        <translation>En espera: no se puede usar la carpeta de descarga %1: %2. Elija otra carpeta de descarga en la configuración o haga utilizable esta: la descarga continuará sola.</translation>
    </message>
    <message>
        <source>Waiting: the download folder %1 cannot be used: %2. Make it usable again: the download then goes on by itself.</source>
        <translation>En espera: no se puede usar la carpeta de descarga %1: %2. Vuelva a hacerla utilizable: la descarga continuará sola.</translation>
    </message>
    <message>
        <source>NZB %1: %2</source>
        <translation>NZB %1: %2</translation>
    </message>
    <message>
        <source>NZB %1 is complete: its files are being verified, repaired and extracted into its destination folder, or are already there. Its destination and title cannot be changed any more.</source>
        <translation>El NZB %1 está completo: sus archivos se están verificando, reparando y extrayendo en su carpeta de destino, o ya están allí. Su destino y su título ya no se pueden cambiar.</translation>
    </message>
    <message>
        <source>The files of NZB %1 cannot be downloaded again: the NZB is complete, and its files are being verified, extracted and moved or are already in its destination folder. Add the NZB again to download it anew.</source>
        <translation>Los archivos del NZB %1 no se pueden volver a descargar: el NZB está completo y sus archivos se están verificando, extrayendo y moviendo, o ya están en su carpeta de destino. Añada de nuevo el NZB para volver a descargarlo.</translation>
    </message>
    <message>
        <source>Files being decoded cannot be removed until that is done: %1</source>
        <translation>Los archivos que se están descodificando no se pueden quitar hasta que termine: %1</translation>
    </message>
    <message>
        <source>the download folder %1 is gone</source>
        <translation>la carpeta de descarga %1 ya no existe</translation>
    </message>
    <message>
        <source>%1 decoded file(s) gone from the download folder before the end: %2</source>
        <translation>%1 archivo(s) descodificado(s) desaparecido(s) de la carpeta de descarga antes del final: %2</translation>
    </message>
    <message>
        <source>NZB %1 could not be saved to disk: %2
%3</source>
        <translation>No se pudo guardar el NZB %1 en el disco: %2
%3</translation>
    </message>
    <message>
        <source>Cannot create folder %1: %2</source>
        <translation>No se puede crear la carpeta %1: %2</translation>
    </message>
    <message>
        <source>The file could not be saved to %1: %2</source>
        <translation>No se pudo guardar el archivo en %1: %2</translation>
    </message>
</context>
<context>
    <name>NetworkAccessManager</name>
    <message>
        <source>Proxy &quot;%1&quot; not found. Please check your configuration.</source>
        <translation>No se encontró el proxy «%1». Compruebe la configuración.</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Enter username and password for &quot;%1&quot; at %2&lt;/qt&gt;</source>
        <translation>&lt;qt&gt;Escriba el nombre de usuario y la contraseña para «%1» en %2&lt;/qt&gt;</translation>
    </message>
</context>
<context>
    <name>NntpConnection</name>
    <message>
        <source>no answer within %1 s</source>
        <translation>sin respuesta en %1 s</translation>
    </message>
    <message>
        <source>Error: the TLS handshake with the server failed (%1): is it a TLS port (SSL)?</source>
        <translation>Error: falló la negociación TLS con el servidor (%1): ¿es un puerto TLS (SSL)?</translation>
    </message>
    <message>
        <source>Error: the server closed the connection before its greeting</source>
        <translation>Error: el servidor cerró la conexión antes de su saludo</translation>
    </message>
    <message>
        <source>Error: no greeting from the server within %1 s</source>
        <translation>Error: ningún saludo del servidor en %1 s</translation>
    </message>
    <message>
        <source>Error: no greeting from the server within %1 s: is it a TLS port (SSL)?</source>
        <translation>Error: ningún saludo del servidor en %1 s: ¿es un puerto TLS (SSL)?</translation>
    </message>
    <message>
        <source>Error: the server requires a login (%1): check the login and password of this server</source>
        <translation>Error: el servidor exige iniciar sesión (%1): compruebe el usuario y la contraseña de este servidor</translation>
    </message>
    <message>
        <source>Error: the server closed the connection</source>
        <translation>Error: el servidor cerró la conexión</translation>
    </message>
    <message>
        <source>Error: AUTHINFO USER 381, no password asked: check the login and password of this server</source>
        <translation>Error: AUTHINFO USER no recibió 381, no se pidió contraseña: compruebe el usuario y la contraseña de este servidor</translation>
    </message>
    <message>
        <source>Error: Authentication failed/rejected (481): check the login and password of this server</source>
        <translation>Error: autenticación rechazada (481): compruebe el usuario y la contraseña de este servidor</translation>
    </message>
    <message>
        <source>Error: Authentication failed - commands issued out of sequence (482): check the login and password of this server</source>
        <translation>Error: autenticación fallida, comandos fuera de orden (482): compruebe el usuario y la contraseña de este servidor</translation>
    </message>
    <message>
        <source>Error: Command unavailable (502): check the login and password of this server</source>
        <translation>Error: comando no disponible (502): compruebe el usuario y la contraseña de este servidor</translation>
    </message>
</context>
<context>
    <name>NzbBackgroundReader</name>
    <message>
        <source>The program is closing</source>
        <translation>El programa se está cerrando</translation>
    </message>
</context>
<context>
    <name>NzbConfiguration</name>
    <message>
        <source>The queue record of NZB %1 could not be written in %2</source>
        <translation type="vanished">No se pudo escribir el registro de cola del NZB %1 en %2</translation>
    </message>
    <message>
        <source>The queue records could not be written in %1</source>
        <translation type="vanished">No se pudieron escribir los registros de cola en %1</translation>
    </message>
    <message>
        <source>The queue record of NZB %1 could not be written in %2: %3</source>
        <translation>No se pudo escribir el registro de cola del NZB %1 en %2: %3</translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation>no se puede crear la carpeta</translation>
    </message>
    <message>
        <source>The queue records could not be written in %1: %2</source>
        <translation>No se pudieron escribir los registros de cola en %1: %2</translation>
    </message>
</context>
<context>
    <name>NzbParser</name>
    <message>
        <source>NZB contains error(s)</source>
        <translation>El NZB contiene errores</translation>
    </message>
    <message>
        <source>File does not exist</source>
        <translation>El archivo no existe</translation>
    </message>
    <message>
        <source>NZB contains a text longer than %1 bytes</source>
        <translation>El NZB contiene un texto de más de %1 bytes</translation>
    </message>
    <message>
        <source>Not a regular file (a folder, a device or a pipe)</source>
        <translation>No es un archivo normal (una carpeta, un dispositivo o una tubería)</translation>
    </message>
    <message>
        <source>File larger than %1 MiB</source>
        <translation>Archivo de más de %1 MiB</translation>
    </message>
</context>
<context>
    <name>PopupCalendar</name>
    <message>
        <source>Previous month</source>
        <translation>Mes anterior</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Mes siguiente</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>mié.</translation>
    </message>
</context>
<context>
    <name>ServersConfiguration</name>
    <message>
        <source>Failed to create directory %1</source>
        <translation>No se pudo crear la carpeta %1</translation>
    </message>
    <message>
        <source>The settings of server %1 are too long to be stored</source>
        <translation>Los ajustes del servidor %1 son demasiado largos para guardarse</translation>
    </message>
    <message>
        <source>Failed to write file %1</source>
        <translation>No se pudo escribir el archivo %1</translation>
    </message>
</context>
<context>
    <name>SessionSuspendInhibitor</name>
    <message>
        <source>No connection to the session bus</source>
        <translation>No hay conexión con el bus de sesión</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>Cannot create the lock file %1</source>
        <translation>No se puede crear el archivo de bloqueo %1</translation>
    </message>
    <message>
        <source>The message is too long</source>
        <translation>El mensaje es demasiado largo</translation>
    </message>
    <message>
        <source>Cannot reach the running program: %1</source>
        <translation>No se puede contactar con el programa en ejecución: %1</translation>
    </message>
    <message>
        <source>Cannot send to the running program: %1</source>
        <translation>No se puede enviar al programa en ejecución: %1</translation>
    </message>
    <message>
        <source>The running program did not acknowledge the message</source>
        <translation>El programa en ejecución no confirmó la recepción del mensaje</translation>
    </message>
    <message>
        <source>The running program refused the message</source>
        <translation type="vanished">El programa en ejecución rechazó el mensaje</translation>
    </message>
    <message>
        <source>There is no folder of this user&apos;s own for the lock file</source>
        <translation>No hay ninguna carpeta propia de este usuario para el archivo de bloqueo</translation>
    </message>
    <message>
        <source>Another program holds the lock file %1 and does not answer</source>
        <translation>Otro programa tiene el archivo de bloqueo %1 y no responde</translation>
    </message>
    <message>
        <source>The running program did not end</source>
        <translation>El programa en ejecución no terminó</translation>
    </message>
    <message>
        <source>The running program is ending and did not take the message</source>
        <translation>El programa en ejecución está terminando y no aceptó el mensaje</translation>
    </message>
    <message>
        <source>The running program gave an answer that is not one of ours</source>
        <translation>El programa en ejecución dio una respuesta que no es de las nuestras</translation>
    </message>
</context>
<context>
    <name>SleepInhibitor</name>
    <message>
        <source>No connection to the login manager&apos;s bus</source>
        <translation>No hay conexión con el bus del gestor de sesiones</translation>
    </message>
    <message>
        <source>The bus cannot pass file descriptors</source>
        <translation>El bus no puede transmitir descriptores de archivo</translation>
    </message>
</context>
<context>
    <name>ThreadClean</name>
    <message>
        <source>the destination folder could not be created</source>
        <translation>no se pudo crear la carpeta de destino</translation>
    </message>
    <message>
        <source>every name it could take in the destination is taken</source>
        <translation>todos los nombres que podría tomar en el destino ya están ocupados</translation>
    </message>
</context>
<context>
    <name>ThreadFileDecoder</name>
    <message>
        <source>Segment %1 has a CRC error</source>
        <translation>El segmento %1 tiene un error de CRC</translation>
    </message>
    <message>
        <source>Segment %1 has nothing to decode</source>
        <translation>El segmento %1 no tiene nada que decodificar</translation>
    </message>
    <message>
        <source>Segment %1 was not found</source>
        <translation>No se encontró el segmento %1</translation>
    </message>
    <message>
        <source>Segment %1: failed to create output file for assembly</source>
        <translation>Segmento %1: no se pudo crear el archivo de salida para el ensamblado</translation>
    </message>
    <message>
        <source>Segment %1: an unknown error has occured</source>
        <translation>Segmento %1: se produjo un error desconocido</translation>
    </message>
    <message>
        <source>the file cannot be created</source>
        <translation>no se puede crear el archivo</translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation>no se puede crear la carpeta</translation>
    </message>
    <message>
        <source>the copy cannot be written</source>
        <translation>no se puede escribir la copia</translation>
    </message>
    <message>
        <source>Segment %1: the decoded file could not be written</source>
        <translation>Segmento %1: no se pudo escribir el archivo decodificado</translation>
    </message>
    <message>
        <source>Segment %1 is damaged: it does not hold what its yEnc header announces</source>
        <translation>El segmento %1 está dañado: no contiene lo que anuncia su cabecera yEnc</translation>
    </message>
    <message>
        <source>%1 is incomplete: no article holds %2 of its %3 bytes</source>
        <translation>%1 está incompleto: ningún artículo contiene %2 de sus %3 bytes</translation>
    </message>
    <message>
        <source>every name it could take is taken</source>
        <translation>todos los nombres que podría tomar ya están ocupados</translation>
    </message>
    <message>
        <source>Segment %1 is damaged: its uuencoded or base64 data is cut short</source>
        <translation>El segmento %1 está dañado: sus datos uuencode o base64 están cortados</translation>
    </message>
</context>
<context>
    <name>ThreadNntp</name>
    <message>
        <source>%1 (failed %2 times in a row; trying again every %3 s)</source>
        <translation>%1 (%2 fallos seguidos; se reintenta cada %3 s)</translation>
    </message>
</context>
<context>
    <name>ThreadUnsplit</name>
    <message>
        <source>Unsplit: no split file found</source>
        <translation>Unión: no se encontró ningún archivo dividido</translation>
    </message>
    <message>
        <source>Unsplit: files of the download are incomplete, the split files are kept unjoined</source>
        <translation>Unión: hay archivos de la descarga incompletos, los archivos divididos se conservan sin unir</translation>
    </message>
</context>
<context>
    <name>UtilsFilesFolders</name>
    <message>
        <source>%1 is a folder.</source>
        <translation>%1 es una carpeta.</translation>
    </message>
    <message>
        <source>%1 is not a regular file (a named pipe, a device or a socket); it is left as it is.</source>
        <translation>%1 no es un archivo normal (una tubería con nombre, un dispositivo o un socket); se deja como está.</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 no es un archivo normal.</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>%1 no se puede leer.</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 no existe.</translation>
    </message>
</context>
<context>
    <name>UtilsNzbCompressUncompress</name>
    <message>
        <source>Failed to create folder %1</source>
        <translation>No se pudo crear la carpeta %1</translation>
    </message>
    <message>
        <source>Failed to open NZB file %1</source>
        <translation>No se pudo abrir el archivo NZB %1</translation>
    </message>
    <message>
        <source>Failed to find a name for NZB history (%1)</source>
        <translation>No se encontró un nombre para el historial de NZB (%1)</translation>
    </message>
    <message>
        <source>Failed to open NZB history file in write mode : %1</source>
        <translation>No se pudo abrir para escritura el archivo del historial de NZB: %1</translation>
    </message>
    <message>
        <source>Failed to write NZB history file %1</source>
        <translation>No se pudo escribir el archivo del historial de NZB %1</translation>
    </message>
    <message>
        <source>No NZB History folder found !</source>
        <translation>¡No se encontró la carpeta del historial de NZB!</translation>
    </message>
    <message>
        <source>Failed to open NZB History file %1</source>
        <translation>No se pudo abrir el archivo del historial de NZB %1</translation>
    </message>
    <message>
        <source>NZB History file %1: data is corrupt</source>
        <translation>Archivo del historial de NZB %1: los datos están dañados</translation>
    </message>
</context>
</TS>
