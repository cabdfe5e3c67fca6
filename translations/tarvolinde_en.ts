<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>Bloques</name>
    <message>
        <source>Carga ROM</source>
        <translation>ROM load</translation>
    </message>
    <message>
        <source>Carga Turbo</source>
        <translation>Turbo load</translation>
    </message>
    <message>
        <source>Tono puro</source>
        <translation>Pure tone</translation>
    </message>
    <message>
        <source>Varios pulsos</source>
        <translation>Pulse sequence</translation>
    </message>
    <message>
        <source>Datos puros</source>
        <translation>Pure data</translation>
    </message>
    <message>
        <source>Grabación directa</source>
        <translation>Direct recording</translation>
    </message>
    <message>
        <source>Pausa</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Inicio grupo</source>
        <translation>Group start</translation>
    </message>
    <message>
        <source>Fin grupo</source>
        <translation>Group end</translation>
    </message>
    <message>
        <source>Salto</source>
        <translation>Jump</translation>
    </message>
    <message>
        <source>Inicio bucle</source>
        <translation>Loop start</translation>
    </message>
    <message>
        <source>Fin bucle</source>
        <translation>Loop end</translation>
    </message>
    <message>
        <source>Llamada</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>Retorno</source>
        <translation>Return</translation>
    </message>
    <message>
        <source>Elegir bloque</source>
        <translation>Select block</translation>
    </message>
    <message>
        <source>Detener en 48k</source>
        <translation>Stop in 48k</translation>
    </message>
    <message>
        <source>Texto</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Mensaje</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Información</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Emulación</source>
        <translation>Emulation</translation>
    </message>
    <message>
        <source>Mezcla</source>
        <translation>Glue</translation>
    </message>
    <message>
        <source>cabecera</source>
        <translation>header</translation>
    </message>
    <message>
        <source>datos</source>
        <translation>data</translation>
    </message>
    <message>
        <source>Programa</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Matriz numérica</source>
        <translation>Number array</translation>
    </message>
    <message>
        <source>Matriz alfanumérica</source>
        <translation>Character array</translation>
    </message>
    <message>
        <source>Código</source>
        <translation>Code</translation>
    </message>
</context>
<context>
    <name>Mensajes</name>
    <message>
        <source>Abrir Snapshot</source>
        <translation>Open snapshot</translation>
    </message>
    <message>
        <source>Todos los Snapshots (*.fsu *.z80 *.sna *.sp *.szx *.zip);;Archivos FSU (*.fsu);;Archivos SNA (*.sna);;Archivos Z80 (*.z80);;Archivos SP (*.sp);;Archivos SZX (*.szx);;Archivos comprimidos (*.zip)</source>
        <translation>All snapshots (*.fsu *.z80 *.sna *.sp *.szx *.zip);;FSU files (*.fsu);;SNA files (*.sna);;Z80 files (*.z80);;SP files (*.sp);;SZX files (*.szx);;Compressed files (*.zip)</translation>
    </message>
    <message>
        <source>Grabar Snapshot</source>
        <translation>Save snapshot</translation>
    </message>
    <message>
        <source>Archivos FSU (*.fsu);;Archivos SNA (*.sna);;Archivos Z80 (*.z80);;Archivos SP (*.sp);;Archivos SZX (*.szx)</source>
        <translation>FSU files (*.fsu);;SNA files (*.sna);;Z80 files (*.z80);;SP files (*.sp);;SZX files (*.szx)</translation>
    </message>
    <message>
        <source>Abrir cinta</source>
        <translation>Open tape</translation>
    </message>
    <message>
        <source>Todas las Cintas (*.tap *.tzx *.wav *.voc *.csw *.zip);;Archivos TAP (*.tap);;Archivos TZX (*.tzx);;Archivos WAV (*.wav);;Archivos VOC (*.voc);;Archivos CSW (*.csw);;Archivos comprimidos (*.zip)</source>
        <translation>All tapes (*.tap *.tzx *.wav *.voc *.csw *.zip);;TAP files (*.tap);;TZX files (*.tzx);;WAV files (*.wav);;VOC files (*.voc);;CSW files (*.csw);;Compressed files (*.zip)</translation>
    </message>
    <message>
        <source>Abrir acciones</source>
        <translation>Open recording</translation>
    </message>
    <message>
        <source>Todos los archivos (*.rzx *.zip);;Archivos rzx (*.rzx);;Archivos comprimidos (*.zip)</source>
        <translation>All files (*.rzx *.zip);;RZX files (*.rzx);;Compressed files (*.zip)</translation>
    </message>
    <message>
        <source>Grabar pantalla como %1</source>
        <translation>Save screen as %1</translation>
    </message>
    <message>
        <source>Extensión no válida</source>
        <translation>Invalid extension</translation>
    </message>
    <message>
        <source>Error en el snapshot</source>
        <translation>Error in the snapshot</translation>
    </message>
    <message>
        <source>Error en la cinta</source>
        <translation>Error in the tape</translation>
    </message>
    <message>
        <source>Error en archivo ZIP</source>
        <translation>Error in ZIP file</translation>
    </message>
    <message>
        <source>El formato elegido no es compatible con el hardware</source>
        <translation>The chosen format is not compatible with the hardware</translation>
    </message>
    <message>
        <source>Abrir disco</source>
        <translation>Open disk</translation>
    </message>
    <message>
        <source>Todos los Discos (*.dsk *.trd *.scl *.zip);;Archivos DSK (*.dsk);;Archivos TRD (*.trd);;Archivos SCL (*.scl);;Archivos comprimidos (*.zip)</source>
        <translation>All disks (*.dsk *.trd *.scl *.zip);;DSK files (*.dsk);;TRD files (*.trd);;SCL files (*.scl);;Compressed files (*.zip)</translation>
    </message>
    <message>
        <source>Grabar Disco</source>
        <translation>Save disk</translation>
    </message>
    <message>
        <source>Archivos DSK (*.dsk);;Archivos TRD (*.trd);;Archivos SCL (*.scl)</source>
        <translation>DSK files (*.dsk);;TRD files (*.trd);;SCL files (*.scl)</translation>
    </message>
    <message>
        <source>Error en el disco</source>
        <translation>Error in the disk</translation>
    </message>
    <message>
        <source>Sólo lectura</source>
        <translation>Read only</translation>
    </message>
    <message>
        <source>El disco de la unidad A ha cambiado y no se ha grabado. ¿Grabarlo?</source>
        <translation>The disk in drive A has changed and has not been saved. Save it?</translation>
    </message>
    <message>
        <source>Grabar Accion</source>
        <translation>Save recording</translation>
    </message>
    <message>
        <source>Archivos rzx (*.rzx)</source>
        <translation>RZX files (*.rzx)</translation>
    </message>
    <message>
        <source>Error en la acción</source>
        <translation>Error in the recording</translation>
    </message>
    <message>
        <source>no se encuentra</source>
        <translation>not found</translation>
    </message>
    <message>
        <source>es una carpeta</source>
        <translation>is a folder</translation>
    </message>
    <message>
        <source>no es un archivo normal</source>
        <translation>is not a regular file</translation>
    </message>
    <message>
        <source>demasiado grande</source>
        <translation>too large</translation>
    </message>
    <message>
        <source>no se puede leer</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>demasiado corto</source>
        <translation>too short</translation>
    </message>
    <message>
        <source>formato dañado</source>
        <translation>damaged format</translation>
    </message>
</context>
<context>
    <name>SnapshotSaveDialog</name>
    <message>
        <source> o </source>
        <translation> or </translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Para este modelo, use %1.</source>
        <translation>For this model, use %1.</translation>
    </message>
</context>
<context>
    <name>TFondo</name>
    <message>
        <source>Emulación detenida — pulse ▶ o F5</source>
        <translation>Emulation stopped — press ▶ or F5</translation>
    </message>
    <message>
        <source>Detiene la emulación (F5)</source>
        <translation>Stops the emulation (F5)</translation>
    </message>
    <message>
        <source>Arranca la emulación (F5)</source>
        <translation>Starts the emulation (F5)</translation>
    </message>
    <message>
        <source>— detenido</source>
        <translation>— stopped</translation>
    </message>
</context>
<context>
    <name>tarvolinde::FilePreviewPanel</name>
    <message>
        <source>Imagen no disponible</source>
        <translation>No picture available</translation>
    </message>
</context>
<context>
    <name>tarvolinde::KeyboardHelp</name>
    <message>
        <source>Mayús</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>Intro</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Espacio</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>Retroceso</source>
        <translation>Backspace</translation>
    </message>
    <message>
        <source>Teclado del Spectrum</source>
        <translation>Spectrum keyboard</translation>
    </message>
    <message>
        <source>Flechas y 0 del teclado numérico: joystick %1.</source>
        <translation>Arrows and keypad 0: %1 joystick.</translation>
    </message>
    <message>
        <source>Flechas y 0 del teclado numérico: joystick %1, no pulsan teclas.</source>
        <translation>Arrows and keypad 0: %1 joystick, they press no keys.</translation>
    </message>
    <message>
        <source>En amarillo, las teclas del PC que pulsan cada tecla (* también pulsa CAPS SHIFT). Letras y números, en su tecla. Ctrl = SYMBOL SHIFT, Mayús = CAPS SHIFT.</source>
        <translation>In yellow, the PC keys that press each key (* also presses CAPS SHIFT). Letters and digits, on their own key. Ctrl = SYMBOL SHIFT, Shift = CAPS SHIFT.</translation>
    </message>
</context>
<context>
    <name>tarvolinde::TCreditos</name>
    <message>
        <source>Acerca de Tarvolinde</source>
        <translation>About Tarvolinde</translation>
    </message>
    <message>
        <source>Versión %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Emulador de la familia ZX Spectrum: 16K, 48K, 128K, +2, +2A, +3, +3e, Inves+, Pentagon y Scorpion.</source>
        <translation>Emulator of the ZX Spectrum family: 16K, 48K, 128K, +2, +2A, +3, +3e, Inves+, Pentagon and Scorpion.</translation>
    </message>
    <message>
        <source>&lt;b&gt;Usa:&lt;/b&gt;&lt;ul&gt;&lt;li&gt;OpenSE BASIC (ROM de 48K): GNU GPL&lt;/li&gt;&lt;li&gt;Qt 6: GNU LGPL 3&lt;/li&gt;&lt;li&gt;SDL2: licencia zlib&lt;/li&gt;&lt;li&gt;zlib: licencia zlib&lt;/li&gt;&lt;li&gt;libzip: licencia BSD de 3 cláusulas&lt;/li&gt;&lt;li&gt;libpng: licencia libpng&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;b&gt;Uses:&lt;/b&gt;&lt;ul&gt;&lt;li&gt;OpenSE BASIC (48K ROM): GNU GPL&lt;/li&gt;&lt;li&gt;Qt 6: GNU LGPL 3&lt;/li&gt;&lt;li&gt;SDL2: zlib licence&lt;/li&gt;&lt;li&gt;zlib: zlib licence&lt;/li&gt;&lt;li&gt;libzip: 3-clause BSD licence&lt;/li&gt;&lt;li&gt;libpng: libpng licence&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>tarvolinde::TDebug</name>
    <message>
        <source>Monitor</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Hexadecimal</source>
        <translation>Hexadecimal</translation>
    </message>
    <message>
        <source>Opciones</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Teclado del Spectrum</source>
        <translation>Spectrum keyboard</translation>
    </message>
    <message>
        <source>Teclado:</source>
        <translation>Keyboard:</translation>
    </message>
    <message>
        <source>Dar valor</source>
        <translation>Set value</translation>
    </message>
    <message>
        <source>Un paso</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>Siguiente</source>
        <translation>Step over</translation>
    </message>
    <message>
        <source>Hasta RET</source>
        <translation>Until RET</translation>
    </message>
    <message>
        <source>Ejecuta hasta que vuelva la rutina actual</source>
        <translation>Runs until the current routine returns</translation>
    </message>
    <message>
        <source>Ejec./Para</source>
        <translation>Run/Stop</translation>
    </message>
    <message>
        <source>Ir hasta...</source>
        <translation>Run to...</translation>
    </message>
    <message>
        <source>Registros:</source>
        <translation>Registers:</translation>
    </message>
    <message>
        <source>Doble clic: cambia el flag</source>
        <translation>Double click: toggles the flag</translation>
    </message>
    <message>
        <source>Dir</source>
        <translation>Addr</translation>
    </message>
    <message>
        <source>Instr.</source>
        <translation>Instr.</translation>
    </message>
    <message>
        <source>Pila:</source>
        <translation>Stack:</translation>
    </message>
    <message>
        <source>Breakpoints:</source>
        <translation>Breakpoints:</translation>
    </message>
    <message>
        <source>Breakpoint al escribir en memoria (dirección o rango)</source>
        <translation>Breakpoint on a memory write (address or range)</translation>
    </message>
    <message>
        <source>Breakpoint al leer o escribir un puerto (con máscara)</source>
        <translation>Breakpoint on a port read or write (with mask)</translation>
    </message>
    <message>
        <source>Puertos:</source>
        <translation>Ports:</translation>
    </message>
    <message>
        <source>T-estados frame:</source>
        <translation>Frame T-states:</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Registros AY:</source>
        <translation>AY registers:</translation>
    </message>
    <message>
        <source>Val</source>
        <translation>Val</translation>
    </message>
    <message>
        <source>&apos;%1&apos; no es un número válido</source>
        <translation>&apos;%1&apos; is not a valid number</translation>
    </message>
    <message>
        <source>Nuevo Valor:</source>
        <translation>New value:</translation>
    </message>
    <message>
        <source>Dirección:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>Dirección o rango (desde-hasta):</source>
        <translation>Address or range (from-to):</translation>
    </message>
    <message>
        <source>Puerto[/máscara]:</source>
        <translation>Port[/mask]:</translation>
    </message>
    <message>
        <source>Nuevo Breakpoint</source>
        <translation>New breakpoint</translation>
    </message>
</context>
<context>
    <name>tarvolinde::TEligeL</name>
    <message>
        <source>Elegir lenguaje</source>
        <translation>Choose language</translation>
    </message>
</context>
<context>
    <name>tarvolinde::TFondo</name>
    <message>
        <source>Crear...</source>
        <translation>Create...</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Créditos</source>
        <translation>Credits</translation>
    </message>
    <message>
        <source>Sí</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>No se pudo grabar %1: %2</source>
        <translation>Could not save %1: %2</translation>
    </message>
    <message>
        <source>Sin sonido: %1</source>
        <translation>No sound: %1</translation>
    </message>
    <message>
        <source>Play/Stop</source>
        <translation>Play/Stop</translation>
    </message>
    <message>
        <source>Arranca o detiene la emulación</source>
        <translation>Starts or stops the emulation</translation>
    </message>
    <message>
        <source>Pantalla completa</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>Ventana/pantalla completa</source>
        <translation>Window/full screen</translation>
    </message>
    <message>
        <source>Archivo</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <translation>Snapshot</translation>
    </message>
    <message>
        <source>Cargar</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Carga snapshot</source>
        <translation>Loads a snapshot</translation>
    </message>
    <message>
        <source>Grabar</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Graba snapshot</source>
        <translation>Saves a snapshot</translation>
    </message>
    <message>
        <source>Cinta</source>
        <translation>Tape</translation>
    </message>
    <message>
        <source>Introducir</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Introduce cinta</source>
        <translation>Inserts a tape</translation>
    </message>
    <message>
        <source>Extraer</source>
        <translation>Eject</translation>
    </message>
    <message>
        <source>Extrae cinta</source>
        <translation>Ejects the tape</translation>
    </message>
    <message>
        <source>Reproducir</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Reproduce cinta</source>
        <translation>Plays the tape</translation>
    </message>
    <message>
        <source>Detener</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Detiene cinta</source>
        <translation>Stops the tape</translation>
    </message>
    <message>
        <source>Navegar</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Navegador de cinta</source>
        <translation>Tape browser</translation>
    </message>
    <message>
        <source>Disco</source>
        <translation>Disk</translation>
    </message>
    <message>
        <source>Introduce disco</source>
        <translation>Inserts a disk</translation>
    </message>
    <message>
        <source>Extrae disco</source>
        <translation>Ejects the disk</translation>
    </message>
    <message>
        <source>Graba disco</source>
        <translation>Saves the disk</translation>
    </message>
    <message>
        <source>Crea disco vacío</source>
        <translation>Creates an empty disk</translation>
    </message>
    <message>
        <source>Protegido</source>
        <translation>Write-protected</translation>
    </message>
    <message>
        <source>Protege el disco contra escritura</source>
        <translation>Protects the disk against writing</translation>
    </message>
    <message>
        <source>Pantalla</source>
        <translation>Screen</translation>
    </message>
    <message>
        <source>Grabar bmp</source>
        <translation>Save bmp</translation>
    </message>
    <message>
        <source>Graba la pantalla como bmp</source>
        <translation>Saves the screen as bmp</translation>
    </message>
    <message>
        <source>Grabar scr</source>
        <translation>Save scr</translation>
    </message>
    <message>
        <source>Graba la pantalla como scr</source>
        <translation>Saves the screen as scr</translation>
    </message>
    <message>
        <source>Acciones</source>
        <translation>Recordings</translation>
    </message>
    <message>
        <source>Tutorial</source>
        <translation>Tutorial</translation>
    </message>
    <message>
        <source>Graba las acciones</source>
        <translation>Records the actions</translation>
    </message>
    <message>
        <source>Competición</source>
        <translation>Competition</translation>
    </message>
    <message>
        <source>Comentario</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Reproduce acciones</source>
        <translation>Plays a recording</translation>
    </message>
    <message>
        <source>Detiene las acciones</source>
        <translation>Stops the recording or playback</translation>
    </message>
    <message>
        <source>Recientes</source>
        <translation>Recent</translation>
    </message>
    <message>
        <source>Salir</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Sale del programa</source>
        <translation>Leaves the program</translation>
    </message>
    <message>
        <source>Opciones</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Modelo</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Cambia el modelo de Spectrum</source>
        <translation>Changes the Spectrum model</translation>
    </message>
    <message>
        <source>Volumen</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Volumen del sonido</source>
        <translation>Sound volume</translation>
    </message>
    <message>
        <source>Idioma</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Elige el idioma</source>
        <translation>Chooses the language</translation>
    </message>
    <message>
        <source>Opciones del emulador</source>
        <translation>Emulator options</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Debug</translation>
    </message>
    <message>
        <source>Depurador</source>
        <translation>Debugger</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Reinicia el Spectrum</source>
        <translation>Resets the Spectrum</translation>
    </message>
    <message>
        <source>Ayuda</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Créditos del programa</source>
        <translation>The program&apos;s credits</translation>
    </message>
    <message>
        <source>Panel</source>
        <translation>Panel</translation>
    </message>
    <message>
        <source>Teclado simbólico</source>
        <translation>Symbol keyboard</translation>
    </message>
    <message>
        <source>Las teclas de signos escriben el símbolo de su tecla</source>
        <translation>The symbol keys type the symbol on their key</translation>
    </message>
    <message>
        <source>Pegar texto</source>
        <translation>Paste text</translation>
    </message>
    <message>
        <source>Escribe en el Spectrum el texto del portapapeles</source>
        <translation>Types the clipboard text into the Spectrum</translation>
    </message>
    <message>
        <source>Grabar sonido</source>
        <translation>Record sound</translation>
    </message>
    <message>
        <source>Graba el sonido en un fichero WAV</source>
        <translation>Records the sound to a WAV file</translation>
    </message>
    <message>
        <source>Grabar sonido: sin sonido</source>
        <translation>Record sound: no sound</translation>
    </message>
    <message>
        <source>Grabar sonido: no se puede escribir %1</source>
        <translation>Record sound: cannot write %1</translation>
    </message>
    <message>
        <source>El archivo no es un disco duro HDF</source>
        <translation>The file is not an HDF hard disk</translation>
    </message>
    <message>
        <source>Teclado del Spectrum y teclas del PC</source>
        <translation>Spectrum keyboard and PC keys</translation>
    </message>
    <message>
        <source>Falta el archivo %1: cópielo en %2</source>
        <translation>The file %1 is missing: copy it into %2</translation>
    </message>
    <message>
        <source>No se encuentra %1.
Se quita de los archivos recientes.</source>
        <translation>%1 cannot be found.
It is removed from the recent files.</translation>
    </message>
    <message>
        <source>Menú</source>
        <translation>Menu</translation>
    </message>
</context>
<context>
    <name>tarvolinde::TNavegador</name>
    <message>
        <source>Navegador de cintas</source>
        <translation>Tape browser</translation>
    </message>
    <message>
        <source>Cambiar al bloque seleccionado</source>
        <translation>Go to the selected block</translation>
    </message>
    <message>
        <source>Salir</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>tarvolinde::TOpciones</name>
    <message>
        <source>Opciones</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Archivos</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>Cinta</source>
        <translation>Tape</translation>
    </message>
    <message>
        <source>Disco duro</source>
        <translation>Hard disk</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Emulacion</source>
        <translation>Emulation</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>AY en 48Kb (128+fuller)</source>
        <translation>AY on 48Kb (128+fuller)</translation>
    </message>
    <message>
        <source>Filtrado</source>
        <translation>Filtering</translation>
    </message>
    <message>
        <source>Calidad:</source>
        <translation>Quality:</translation>
    </message>
    <message>
        <source>Sin sonido</source>
        <translation>No sound</translation>
    </message>
    <message>
        <source>11025 Hz</source>
        <translation>11025 Hz</translation>
    </message>
    <message>
        <source>22050 Hz</source>
        <translation>22050 Hz</translation>
    </message>
    <message>
        <source>44100 Hz</source>
        <translation>44100 Hz</translation>
    </message>
    <message>
        <source>Elegir modo de video</source>
        <translation>Choose video mode</translation>
    </message>
    <message>
        <source>Estirar la imagen</source>
        <translation>Stretch the picture</translation>
    </message>
    <message>
        <source>Modo de video:</source>
        <translation>Video mode:</translation>
    </message>
    <message>
        <source>Escalar por software</source>
        <translation>Scale in software</translation>
    </message>
    <message>
        <source>Guardar configuración al salir</source>
        <translation>Save settings on exit</translation>
    </message>
    <message>
        <source>Asociación de extensiones:</source>
        <translation>File associations:</translation>
    </message>
    <message>
        <source>Asociar ahora</source>
        <translation>Associate now</translation>
    </message>
    <message>
        <source>Carga de cintas rápida</source>
        <translation>Fast tape loading</translation>
    </message>
    <message>
        <source>Auto play &amp;&amp; stop</source>
        <translation>Auto play &amp;&amp; stop</translation>
    </message>
    <message>
        <source>Auto-rebobinado</source>
        <translation>Auto rewind</translation>
    </message>
    <message>
        <source>Imagen de disco duro:</source>
        <translation>Hard disk image:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Cilindros:</source>
        <translation>Cylinders:</translation>
    </message>
    <message>
        <source>Cabezas:</source>
        <translation>Heads:</translation>
    </message>
    <message>
        <source>Sectores:</source>
        <translation>Sectors:</translation>
    </message>
    <message>
        <source>Capacidad seminominal</source>
        <translation>Half-nominal capacity</translation>
    </message>
    <message>
        <source>Crear</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>JoyStick:</source>
        <translation>Joystick:</translation>
    </message>
    <message>
        <source>Cursor/Protek/AGF</source>
        <translation>Cursor/Protek/AGF</translation>
    </message>
    <message>
        <source>Sinclair 1</source>
        <translation>Sinclair 1</translation>
    </message>
    <message>
        <source>Sinclair 2</source>
        <translation>Sinclair 2</translation>
    </message>
    <message>
        <source>Fuller</source>
        <translation>Fuller</translation>
    </message>
    <message>
        <source>Kempston</source>
        <translation>Kempston</translation>
    </message>
    <message>
        <source>JoyStick de PC</source>
        <translation>PC joystick</translation>
    </message>
    <message>
        <source>Ratón:</source>
        <translation>Mouse:</translation>
    </message>
    <message>
        <source>Nada</source>
        <translation>None</translation>
    </message>
    <message>
        <source>GunStick</source>
        <translation>GunStick</translation>
    </message>
    <message>
        <source>LightGun</source>
        <translation>LightGun</translation>
    </message>
    <message>
        <source>Cursor + Mays</source>
        <translation>Cursor + Shift</translation>
    </message>
    <message>
        <source>Issue 2</source>
        <translation>Issue 2</translation>
    </message>
    <message>
        <source>Arrancar encendido</source>
        <translation>Start running</translation>
    </message>
    <message>
        <source>Arrancar a pantalla completa</source>
        <translation>Start in full screen</translation>
    </message>
    <message>
        <source>Velocidad:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>Discos duros (*.hdf)</source>
        <translation>Hard disks (*.hdf)</translation>
    </message>
    <message>
        <source>Abrir disco duro</source>
        <translation>Open hard disk</translation>
    </message>
    <message>
        <source>Crear disco duro</source>
        <translation>Create hard disk</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>No se puede crear el disco duro</source>
        <translation>The hard disk cannot be created</translation>
    </message>
    <message>
        <source>No se pudieron asociar las extensiones</source>
        <translation>The extensions could not be associated</translation>
    </message>
</context>
</TS>
