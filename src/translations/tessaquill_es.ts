<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
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
