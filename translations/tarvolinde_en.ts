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
        <source>Abrir disco duro</source>
        <translation>Open hard disk</translation>
    </message>
    <message>
        <source>Crear disco duro</source>
        <translation>Create hard disk</translation>
    </message>
    <message>
        <source>Discos duros (*.hdf)</source>
        <translation>Hard disks (*.hdf)</translation>
    </message>
    <message>
        <source>El archivo no es un disco duro HDF</source>
        <translation>The file is not an HDF hard disk</translation>
    </message>
    <message>
        <source>No se puede crear el disco duro</source>
        <translation>The hard disk cannot be created</translation>
    </message>
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
</context>
<context>
    <name>tarvolinde::FilePreviewPanel</name>
    <message>
        <source>Imagen no disponible</source>
        <translation>No picture available</translation>
    </message>
</context>
<context>
    <name>tarvolinde::HardDiskDialog</name>
    <message>
        <source>Capacidad seminominal</source>
        <translation>Half nominal capacity</translation>
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
        <source>Crear</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>tarvolinde::SnapshotSaveDialog</name>
    <message>
        <source>Error</source>
        <translation>Error</translation>
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
        <source>Disco duro</source>
        <translation>Hard disk</translation>
    </message>
    <message>
        <source>Conectar...</source>
        <translation>Connect...</translation>
    </message>
    <message>
        <source>Conecta una imagen de disco duro</source>
        <translation>Connects a hard disk image</translation>
    </message>
    <message>
        <source>Desconectar</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Desconecta el disco duro</source>
        <translation>Disconnects the hard disk</translation>
    </message>
    <message>
        <source>Crear...</source>
        <translation>Create...</translation>
    </message>
    <message>
        <source>Crea una imagen de disco duro vacía</source>
        <translation>Creates an empty hard disk image</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>No existe la ROM &quot;%1</source>
        <translation>The ROM &quot;%1 does not exist</translation>
    </message>
    <message>
        <source>Créditos</source>
        <translation>Credits</translation>
    </message>
    <message>
        <source>&lt;b&gt;Tarvolinde&lt;/b&gt;&lt;br&gt;Emulador de la familia ZX Spectrum:&lt;br&gt;16K, 48K, 128K, +2, +2A, +3, +3e, Inves+, Pentagon y Scorpion.</source>
        <translation>&lt;b&gt;Tarvolinde&lt;/b&gt;&lt;br&gt;Emulator of the ZX Spectrum family:&lt;br&gt;16K, 48K, 128K, +2, +2A, +3, +3e, Inves+, Pentagon and Scorpion.</translation>
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
</TS>
