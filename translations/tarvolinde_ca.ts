<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ca" sourcelanguage="es">
<context>
    <name>Bloques</name>
    <message>
        <source>Carga ROM</source>
        <translation>Càrrega ROM</translation>
    </message>
    <message>
        <source>Carga Turbo</source>
        <translation>Càrrega turbo</translation>
    </message>
    <message>
        <source>Tono puro</source>
        <translation>To pur</translation>
    </message>
    <message>
        <source>Varios pulsos</source>
        <translation>Seqüència de polsos</translation>
    </message>
    <message>
        <source>Datos puros</source>
        <translation>Dades pures</translation>
    </message>
    <message>
        <source>Grabación directa</source>
        <translation>Enregistrament directe</translation>
    </message>
    <message>
        <source>Pausa</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Inicio grupo</source>
        <translation>Inici de grup</translation>
    </message>
    <message>
        <source>Fin grupo</source>
        <translation>Fi de grup</translation>
    </message>
    <message>
        <source>Salto</source>
        <translation>Salt</translation>
    </message>
    <message>
        <source>Inicio bucle</source>
        <translation>Inici de bucle</translation>
    </message>
    <message>
        <source>Fin bucle</source>
        <translation>Fi de bucle</translation>
    </message>
    <message>
        <source>Llamada</source>
        <translation>Crida</translation>
    </message>
    <message>
        <source>Retorno</source>
        <translation>Retorn</translation>
    </message>
    <message>
        <source>Elegir bloque</source>
        <translation>Tria de bloc</translation>
    </message>
    <message>
        <source>Detener en 48k</source>
        <translation>Atura en 48k</translation>
    </message>
    <message>
        <source>Texto</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Mensaje</source>
        <translation>Missatge</translation>
    </message>
    <message>
        <source>Información</source>
        <translation>Informació</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Maquinari</translation>
    </message>
    <message>
        <source>Emulación</source>
        <translation>Emulació</translation>
    </message>
    <message>
        <source>Mezcla</source>
        <translation>Unió</translation>
    </message>
    <message>
        <source>cabecera</source>
        <translation>capçalera</translation>
    </message>
    <message>
        <source>datos</source>
        <translation>dades</translation>
    </message>
    <message>
        <source>Programa</source>
        <translation>Programa</translation>
    </message>
    <message>
        <source>Matriz numérica</source>
        <translation>Matriu numèrica</translation>
    </message>
    <message>
        <source>Matriz alfanumérica</source>
        <translation>Matriu alfanumèrica</translation>
    </message>
    <message>
        <source>Código</source>
        <translation>Codi</translation>
    </message>
</context>
<context>
    <name>Mensajes</name>
    <message>
        <source>Abrir Snapshot</source>
        <translation>Obre una instantània</translation>
    </message>
    <message>
        <source>Todos los Snapshots (*.fsu *.z80 *.sna *.sp *.szx *.zip);;Archivos FSU (*.fsu);;Archivos SNA (*.sna);;Archivos Z80 (*.z80);;Archivos SP (*.sp);;Archivos SZX (*.szx);;Archivos comprimidos (*.zip)</source>
        <translation>Totes les instantànies (*.fsu *.z80 *.sna *.sp *.szx *.zip);;Fitxers FSU (*.fsu);;Fitxers SNA (*.sna);;Fitxers Z80 (*.z80);;Fitxers SP (*.sp);;Fitxers SZX (*.szx);;Fitxers comprimits (*.zip)</translation>
    </message>
    <message>
        <source>Grabar Snapshot</source>
        <translation>Desa la instantània</translation>
    </message>
    <message>
        <source>Archivos FSU (*.fsu);;Archivos SNA (*.sna);;Archivos Z80 (*.z80);;Archivos SP (*.sp);;Archivos SZX (*.szx)</source>
        <translation>Fitxers FSU (*.fsu);;Fitxers SNA (*.sna);;Fitxers Z80 (*.z80);;Fitxers SP (*.sp);;Fitxers SZX (*.szx)</translation>
    </message>
    <message>
        <source>Abrir cinta</source>
        <translation>Obre una cinta</translation>
    </message>
    <message>
        <source>Todas las Cintas (*.tap *.tzx *.wav *.voc *.csw *.zip);;Archivos TAP (*.tap);;Archivos TZX (*.tzx);;Archivos WAV (*.wav);;Archivos VOC (*.voc);;Archivos CSW (*.csw);;Archivos comprimidos (*.zip)</source>
        <translation>Totes les cintes (*.tap *.tzx *.wav *.voc *.csw *.zip);;Fitxers TAP (*.tap);;Fitxers TZX (*.tzx);;Fitxers WAV (*.wav);;Fitxers VOC (*.voc);;Fitxers CSW (*.csw);;Fitxers comprimits (*.zip)</translation>
    </message>
    <message>
        <source>Abrir acciones</source>
        <translation>Obre un enregistrament</translation>
    </message>
    <message>
        <source>Todos los archivos (*.rzx *.zip);;Archivos rzx (*.rzx);;Archivos comprimidos (*.zip)</source>
        <translation>Tots els fitxers (*.rzx *.zip);;Fitxers RZX (*.rzx);;Fitxers comprimits (*.zip)</translation>
    </message>
    <message>
        <source>Grabar pantalla como %1</source>
        <translation>Desa la pantalla com a %1</translation>
    </message>
    <message>
        <source>Extensión no válida</source>
        <translation>Extensió no vàlida</translation>
    </message>
    <message>
        <source>Error en el snapshot</source>
        <translation>Error en la instantània</translation>
    </message>
    <message>
        <source>Error en la cinta</source>
        <translation>Error en la cinta</translation>
    </message>
    <message>
        <source>Error en archivo ZIP</source>
        <translation>Error en el fitxer ZIP</translation>
    </message>
    <message>
        <source>El formato elegido no es compatible con el hardware</source>
        <translation>El format triat no és compatible amb el maquinari</translation>
    </message>
    <message>
        <source>Abrir disco</source>
        <translation>Obre un disc</translation>
    </message>
    <message>
        <source>Todos los Discos (*.dsk *.trd *.scl *.zip);;Archivos DSK (*.dsk);;Archivos TRD (*.trd);;Archivos SCL (*.scl);;Archivos comprimidos (*.zip)</source>
        <translation>Tots els discs (*.dsk *.trd *.scl *.zip);;Fitxers DSK (*.dsk);;Fitxers TRD (*.trd);;Fitxers SCL (*.scl);;Fitxers comprimits (*.zip)</translation>
    </message>
    <message>
        <source>Grabar Disco</source>
        <translation>Desa el disc</translation>
    </message>
    <message>
        <source>Archivos DSK (*.dsk);;Archivos TRD (*.trd);;Archivos SCL (*.scl)</source>
        <translation>Fitxers DSK (*.dsk);;Fitxers TRD (*.trd);;Fitxers SCL (*.scl)</translation>
    </message>
    <message>
        <source>Error en el disco</source>
        <translation>Error en el disc</translation>
    </message>
    <message>
        <source>Sólo lectura</source>
        <translation>Només lectura</translation>
    </message>
    <message>
        <source>El disco de la unidad A ha cambiado y no se ha grabado. ¿Grabarlo?</source>
        <translation>El disc de la unitat A ha canviat i no s&apos;ha desat. El voleu desar?</translation>
    </message>
    <message>
        <source>Grabar Accion</source>
        <translation>Desa l&apos;enregistrament</translation>
    </message>
    <message>
        <source>Archivos rzx (*.rzx)</source>
        <translation>Fitxers RZX (*.rzx)</translation>
    </message>
    <message>
        <source>Error en la acción</source>
        <translation>Error en l&apos;enregistrament</translation>
    </message>
    <message>
        <source>no se encuentra</source>
        <translation>no es troba</translation>
    </message>
    <message>
        <source>es una carpeta</source>
        <translation>és una carpeta</translation>
    </message>
    <message>
        <source>no es un archivo normal</source>
        <translation>no és un fitxer normal</translation>
    </message>
    <message>
        <source>demasiado grande</source>
        <translation>massa gran</translation>
    </message>
    <message>
        <source>no se puede leer</source>
        <translation>no es pot llegir</translation>
    </message>
    <message>
        <source>demasiado corto</source>
        <translation>massa curt</translation>
    </message>
    <message>
        <source>formato dañado</source>
        <translation>format malmès</translation>
    </message>
</context>
<context>
    <name>SnapshotSaveDialog</name>
    <message>
        <source> o </source>
        <translation> o </translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Para este modelo, use %1.</source>
        <translation>Per a aquest model, useu %1.</translation>
    </message>
</context>
<context>
    <name>TFondo</name>
    <message>
        <source>Emulación detenida — pulse ▶ o F5</source>
        <translation>Emulació aturada — premeu ▶ o F5</translation>
    </message>
    <message>
        <source>Detiene la emulación (F5)</source>
        <translation>Atura l&apos;emulació (F5)</translation>
    </message>
    <message>
        <source>Arranca la emulación (F5)</source>
        <translation>Engega l&apos;emulació (F5)</translation>
    </message>
    <message>
        <source>— detenido</source>
        <translation>— aturat</translation>
    </message>
</context>
<context>
    <name>tarvolinde::FilePreviewPanel</name>
    <message>
        <source>Imagen no disponible</source>
        <translation>Imatge no disponible</translation>
    </message>
</context>
<context>
    <name>tarvolinde::KeyboardHelp</name>
    <message>
        <source>Mayús</source>
        <translation>Maj</translation>
    </message>
    <message>
        <source>Intro</source>
        <translation>Retorn</translation>
    </message>
    <message>
        <source>Espacio</source>
        <translation>Espai</translation>
    </message>
    <message>
        <source>Retroceso</source>
        <translation>Retrocés</translation>
    </message>
    <message>
        <source>Teclado del Spectrum</source>
        <translation>Teclat de l&apos;Spectrum</translation>
    </message>
    <message>
        <source>Flechas y 0 del teclado numérico: joystick %1.</source>
        <translation>Fletxes i 0 del teclat numèric: palanca %1.</translation>
    </message>
    <message>
        <source>Flechas y 0 del teclado numérico: joystick %1, no pulsan teclas.</source>
        <translation>Fletxes i 0 del teclat numèric: palanca %1, no premen cap tecla.</translation>
    </message>
    <message>
        <source>En amarillo, las teclas del PC que pulsan cada tecla (* también pulsa CAPS SHIFT). Letras y números, en su tecla. Ctrl = SYMBOL SHIFT, Mayús = CAPS SHIFT.</source>
        <translation>En groc, les tecles del PC que premen cada tecla (* també prem CAPS SHIFT). Lletres i xifres, a la seva tecla. Ctrl = SYMBOL SHIFT, Maj = CAPS SHIFT.</translation>
    </message>
</context>
<context>
    <name>tarvolinde::TCreditos</name>
    <message>
        <source>Acerca de Tarvolinde</source>
        <translation>Quant a Tarvolinde</translation>
    </message>
    <message>
        <source>Versión %1</source>
        <translation>Versió %1</translation>
    </message>
    <message>
        <source>Emulador de la familia ZX Spectrum: 16K, 48K, 128K, +2, +2A, +3, +3e, Inves+, Pentagon y Scorpion.</source>
        <translation>Emulador de la família ZX Spectrum: 16K, 48K, 128K, +2, +2A, +3, +3e, Inves+, Pentagon i Scorpion.</translation>
    </message>
    <message>
        <source>&lt;b&gt;Usa:&lt;/b&gt;&lt;ul&gt;&lt;li&gt;OpenSE BASIC (ROM de 48K): GNU GPL&lt;/li&gt;&lt;li&gt;Qt 6: GNU LGPL 3&lt;/li&gt;&lt;li&gt;SDL2: licencia zlib&lt;/li&gt;&lt;li&gt;zlib: licencia zlib&lt;/li&gt;&lt;li&gt;libzip: licencia BSD de 3 cláusulas&lt;/li&gt;&lt;li&gt;libpng: licencia libpng&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;b&gt;Fa servir:&lt;/b&gt;&lt;ul&gt;&lt;li&gt;OpenSE BASIC (ROM de 48K): GNU GPL&lt;/li&gt;&lt;li&gt;Qt 6: GNU LGPL 3&lt;/li&gt;&lt;li&gt;SDL2: llicència zlib&lt;/li&gt;&lt;li&gt;zlib: llicència zlib&lt;/li&gt;&lt;li&gt;libzip: llicència BSD de 3 clàusules&lt;/li&gt;&lt;li&gt;libpng: llicència libpng&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>D&apos;acord</translation>
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
        <translation>Maquinari</translation>
    </message>
    <message>
        <source>Hexadecimal</source>
        <translation>Hexadecimal</translation>
    </message>
    <message>
        <source>Opciones</source>
        <translation>Opcions</translation>
    </message>
    <message>
        <source>Teclado del Spectrum</source>
        <translation>Teclat de l&apos;Spectrum</translation>
    </message>
    <message>
        <source>Teclado:</source>
        <translation>Teclat:</translation>
    </message>
    <message>
        <source>Dar valor</source>
        <translation>Dona un valor</translation>
    </message>
    <message>
        <source>Un paso</source>
        <translation>Un pas</translation>
    </message>
    <message>
        <source>Siguiente</source>
        <translation>Següent</translation>
    </message>
    <message>
        <source>Hasta RET</source>
        <translation>Fins a RET</translation>
    </message>
    <message>
        <source>Ejecuta hasta que vuelva la rutina actual</source>
        <translation>Executa fins que torni la rutina actual</translation>
    </message>
    <message>
        <source>Ejec./Para</source>
        <translation>Exec./Atura</translation>
    </message>
    <message>
        <source>Ir hasta...</source>
        <translation>Vés fins a...</translation>
    </message>
    <message>
        <source>Registros:</source>
        <translation>Registres:</translation>
    </message>
    <message>
        <source>Doble clic: cambia el flag</source>
        <translation>Doble clic: canvia el senyalador</translation>
    </message>
    <message>
        <source>Dir</source>
        <translation>Adr</translation>
    </message>
    <message>
        <source>Instr.</source>
        <translation>Instr.</translation>
    </message>
    <message>
        <source>Pila:</source>
        <translation>Pila:</translation>
    </message>
    <message>
        <source>Breakpoints:</source>
        <translation>Punts de ruptura:</translation>
    </message>
    <message>
        <source>Breakpoint al escribir en memoria (dirección o rango)</source>
        <translation>Punt de ruptura en escriure a memòria (adreça o interval)</translation>
    </message>
    <message>
        <source>Breakpoint al leer o escribir un puerto (con máscara)</source>
        <translation>Punt de ruptura en llegir o escriure un port (amb màscara)</translation>
    </message>
    <message>
        <source>Puertos:</source>
        <translation>Ports:</translation>
    </message>
    <message>
        <source>T-estados frame:</source>
        <translation>Estats T del quadre:</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reinicia</translation>
    </message>
    <message>
        <source>Registros AY:</source>
        <translation>Registres AY:</translation>
    </message>
    <message>
        <source>Val</source>
        <translation>Val</translation>
    </message>
    <message>
        <source>&apos;%1&apos; no es un número válido</source>
        <translation>«%1» no és un nombre vàlid</translation>
    </message>
    <message>
        <source>Nuevo Valor:</source>
        <translation>Valor nou:</translation>
    </message>
    <message>
        <source>Dirección:</source>
        <translation>Adreça:</translation>
    </message>
    <message>
        <source>Dirección o rango (desde-hasta):</source>
        <translation>Adreça o interval (des de-fins a):</translation>
    </message>
    <message>
        <source>Puerto[/máscara]:</source>
        <translation>Port[/màscara]:</translation>
    </message>
    <message>
        <source>Nuevo Breakpoint</source>
        <translation>Punt de ruptura nou</translation>
    </message>
</context>
<context>
    <name>tarvolinde::TEligeL</name>
    <message>
        <source>Elegir lenguaje</source>
        <translation>Tria l&apos;idioma</translation>
    </message>
</context>
<context>
    <name>tarvolinde::TFondo</name>
    <message>
        <source>Crear...</source>
        <translation>Crea...</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Créditos</source>
        <translation>Crèdits</translation>
    </message>
    <message>
        <source>Sí</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel·la</translation>
    </message>
    <message>
        <source>No se pudo grabar %1: %2</source>
        <translation>No s&apos;ha pogut desar %1: %2</translation>
    </message>
    <message>
        <source>Sin sonido: %1</source>
        <translation>Sense so: %1</translation>
    </message>
    <message>
        <source>Play/Stop</source>
        <translation>Engega/Atura</translation>
    </message>
    <message>
        <source>Arranca o detiene la emulación</source>
        <translation>Engega o atura l&apos;emulació</translation>
    </message>
    <message>
        <source>Pantalla completa</source>
        <translation>Pantalla completa</translation>
    </message>
    <message>
        <source>Ventana/pantalla completa</source>
        <translation>Finestra/pantalla completa</translation>
    </message>
    <message>
        <source>Archivo</source>
        <translation>Fitxer</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <translation>Instantània</translation>
    </message>
    <message>
        <source>Cargar</source>
        <translation>Carrega</translation>
    </message>
    <message>
        <source>Carga snapshot</source>
        <translation>Carrega una instantània</translation>
    </message>
    <message>
        <source>Grabar</source>
        <translation>Desa</translation>
    </message>
    <message>
        <source>Graba snapshot</source>
        <translation>Desa una instantània</translation>
    </message>
    <message>
        <source>Cinta</source>
        <translation>Cinta</translation>
    </message>
    <message>
        <source>Introducir</source>
        <translation>Insereix</translation>
    </message>
    <message>
        <source>Introduce cinta</source>
        <translation>Insereix una cinta</translation>
    </message>
    <message>
        <source>Extraer</source>
        <translation>Expulsa</translation>
    </message>
    <message>
        <source>Extrae cinta</source>
        <translation>Expulsa la cinta</translation>
    </message>
    <message>
        <source>Reproducir</source>
        <translation>Reprodueix</translation>
    </message>
    <message>
        <source>Reproduce cinta</source>
        <translation>Reprodueix la cinta</translation>
    </message>
    <message>
        <source>Detener</source>
        <translation>Atura</translation>
    </message>
    <message>
        <source>Detiene cinta</source>
        <translation>Atura la cinta</translation>
    </message>
    <message>
        <source>Navegar</source>
        <translation>Navega</translation>
    </message>
    <message>
        <source>Navegador de cinta</source>
        <translation>Navegador de cinta</translation>
    </message>
    <message>
        <source>Disco</source>
        <translation>Disc</translation>
    </message>
    <message>
        <source>Introduce disco</source>
        <translation>Insereix un disc</translation>
    </message>
    <message>
        <source>Extrae disco</source>
        <translation>Expulsa el disc</translation>
    </message>
    <message>
        <source>Graba disco</source>
        <translation>Desa el disc</translation>
    </message>
    <message>
        <source>Crea disco vacío</source>
        <translation>Crea un disc buit</translation>
    </message>
    <message>
        <source>Protegido</source>
        <translation>Protegit</translation>
    </message>
    <message>
        <source>Protege el disco contra escritura</source>
        <translation>Protegeix el disc contra l&apos;escriptura</translation>
    </message>
    <message>
        <source>Pantalla</source>
        <translation>Pantalla</translation>
    </message>
    <message>
        <source>Grabar bmp</source>
        <translation>Desa en bmp</translation>
    </message>
    <message>
        <source>Graba la pantalla como bmp</source>
        <translation>Desa la pantalla en bmp</translation>
    </message>
    <message>
        <source>Grabar scr</source>
        <translation>Desa en scr</translation>
    </message>
    <message>
        <source>Graba la pantalla como scr</source>
        <translation>Desa la pantalla en scr</translation>
    </message>
    <message>
        <source>Acciones</source>
        <translation>Enregistraments</translation>
    </message>
    <message>
        <source>Tutorial</source>
        <translation>Tutorial</translation>
    </message>
    <message>
        <source>Graba las acciones</source>
        <translation>Enregistra les accions</translation>
    </message>
    <message>
        <source>Competición</source>
        <translation>Competició</translation>
    </message>
    <message>
        <source>Comentario</source>
        <translation>Comentari</translation>
    </message>
    <message>
        <source>Reproduce acciones</source>
        <translation>Reprodueix un enregistrament</translation>
    </message>
    <message>
        <source>Detiene las acciones</source>
        <translation>Atura l&apos;enregistrament o la reproducció</translation>
    </message>
    <message>
        <source>Recientes</source>
        <translation>Recents</translation>
    </message>
    <message>
        <source>Salir</source>
        <translation>Surt</translation>
    </message>
    <message>
        <source>Sale del programa</source>
        <translation>Surt del programa</translation>
    </message>
    <message>
        <source>Opciones</source>
        <translation>Opcions</translation>
    </message>
    <message>
        <source>Modelo</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Cambia el modelo de Spectrum</source>
        <translation>Canvia el model d&apos;Spectrum</translation>
    </message>
    <message>
        <source>Volumen</source>
        <translation>Volum</translation>
    </message>
    <message>
        <source>Volumen del sonido</source>
        <translation>Volum del so</translation>
    </message>
    <message>
        <source>Idioma</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Elige el idioma</source>
        <translation>Tria l&apos;idioma</translation>
    </message>
    <message>
        <source>Opciones del emulador</source>
        <translation>Opcions de l&apos;emulador</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Depuració</translation>
    </message>
    <message>
        <source>Depurador</source>
        <translation>Depurador</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reinicia</translation>
    </message>
    <message>
        <source>Reinicia el Spectrum</source>
        <translation>Reinicia l&apos;Spectrum</translation>
    </message>
    <message>
        <source>Ayuda</source>
        <translation>Ajuda</translation>
    </message>
    <message>
        <source>Créditos del programa</source>
        <translation>Crèdits del programa</translation>
    </message>
    <message>
        <source>Panel</source>
        <translation>Tauler</translation>
    </message>
    <message>
        <source>Teclado simbólico</source>
        <translation>Teclat simbòlic</translation>
    </message>
    <message>
        <source>Las teclas de signos escriben el símbolo de su tecla</source>
        <translation>Les tecles de signes escriuen el símbol de la tecla</translation>
    </message>
    <message>
        <source>Pegar texto</source>
        <translation>Enganxa text</translation>
    </message>
    <message>
        <source>Escribe en el Spectrum el texto del portapapeles</source>
        <translation>Escriu a l&apos;Spectrum el text del porta-retalls</translation>
    </message>
    <message>
        <source>Grabar sonido</source>
        <translation>Enregistra el so</translation>
    </message>
    <message>
        <source>Graba el sonido en un fichero WAV</source>
        <translation>Enregistra el so en un fitxer WAV</translation>
    </message>
    <message>
        <source>Grabar sonido: sin sonido</source>
        <translation>Enregistra el so: sense so</translation>
    </message>
    <message>
        <source>Grabar sonido: no se puede escribir %1</source>
        <translation>Enregistra el so: no es pot escriure %1</translation>
    </message>
    <message>
        <source>El archivo no es un disco duro HDF</source>
        <translation>El fitxer no és un disc dur HDF</translation>
    </message>
    <message>
        <source>Teclado del Spectrum y teclas del PC</source>
        <translation>Teclat de l&apos;Spectrum i tecles del PC</translation>
    </message>
    <message>
        <source>Falta el archivo %1: cópielo en %2</source>
        <translation>Falta el fitxer %1: copieu-lo a %2</translation>
    </message>
    <message>
        <source>No se encuentra %1.
Se quita de los archivos recientes.</source>
        <translation>No es troba %1.
Es treu dels fitxers recents.</translation>
    </message>
    <message>
        <source>Menú</source>
        <translation>Menú</translation>
    </message>
</context>
<context>
    <name>tarvolinde::TNavegador</name>
    <message>
        <source>Navegador de cintas</source>
        <translation>Navegador de cintes</translation>
    </message>
    <message>
        <source>Cambiar al bloque seleccionado</source>
        <translation>Vés al bloc seleccionat</translation>
    </message>
    <message>
        <source>Salir</source>
        <translation>Surt</translation>
    </message>
</context>
<context>
    <name>tarvolinde::TOpciones</name>
    <message>
        <source>Opciones</source>
        <translation>Opcions</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Àudio</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Vídeo</translation>
    </message>
    <message>
        <source>Archivos</source>
        <translation>Fitxers</translation>
    </message>
    <message>
        <source>Cinta</source>
        <translation>Cinta</translation>
    </message>
    <message>
        <source>Disco duro</source>
        <translation>Disc dur</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Maquinari</translation>
    </message>
    <message>
        <source>Emulacion</source>
        <translation>Emulació</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>D&apos;acord</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel·la</translation>
    </message>
    <message>
        <source>AY en 48Kb (128+fuller)</source>
        <translation>AY en 48Kb (128+fuller)</translation>
    </message>
    <message>
        <source>Filtrado</source>
        <translation>Filtratge</translation>
    </message>
    <message>
        <source>Calidad:</source>
        <translation>Qualitat:</translation>
    </message>
    <message>
        <source>Sin sonido</source>
        <translation>Sense so</translation>
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
        <translation>Tria el mode de vídeo</translation>
    </message>
    <message>
        <source>Estirar la imagen</source>
        <translation>Estira la imatge</translation>
    </message>
    <message>
        <source>Modo de video:</source>
        <translation>Mode de vídeo:</translation>
    </message>
    <message>
        <source>Escalar por software</source>
        <translation>Escala per programari</translation>
    </message>
    <message>
        <source>Guardar configuración al salir</source>
        <translation>Desa la configuració en sortir</translation>
    </message>
    <message>
        <source>Asociación de extensiones:</source>
        <translation>Associació d&apos;extensions:</translation>
    </message>
    <message>
        <source>Asociar ahora</source>
        <translation>Associa ara</translation>
    </message>
    <message>
        <source>Carga de cintas rápida</source>
        <translation>Càrrega ràpida de cintes</translation>
    </message>
    <message>
        <source>Auto play &amp;&amp; stop</source>
        <translation>Reproducció i aturada &amp;&amp; automàtiques</translation>
    </message>
    <message>
        <source>Auto-rebobinado</source>
        <translation>Rebobinatge automàtic</translation>
    </message>
    <message>
        <source>Imagen de disco duro:</source>
        <translation>Imatge de disc dur:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Cilindros:</source>
        <translation>Cilindres:</translation>
    </message>
    <message>
        <source>Cabezas:</source>
        <translation>Capçals:</translation>
    </message>
    <message>
        <source>Sectores:</source>
        <translation>Sectors:</translation>
    </message>
    <message>
        <source>Capacidad seminominal</source>
        <translation>Capacitat seminominal</translation>
    </message>
    <message>
        <source>Crear</source>
        <translation>Crea</translation>
    </message>
    <message>
        <source>JoyStick:</source>
        <translation>Palanca de jocs:</translation>
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
        <translation>Palanca de jocs del PC</translation>
    </message>
    <message>
        <source>Ratón:</source>
        <translation>Ratolí:</translation>
    </message>
    <message>
        <source>Nada</source>
        <translation>Cap</translation>
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
        <translation>Cursor + Maj</translation>
    </message>
    <message>
        <source>Issue 2</source>
        <translation>Issue 2</translation>
    </message>
    <message>
        <source>Arrancar encendido</source>
        <translation>Arrenca en marxa</translation>
    </message>
    <message>
        <source>Arrancar a pantalla completa</source>
        <translation>Arrenca a pantalla completa</translation>
    </message>
    <message>
        <source>Velocidad:</source>
        <translation>Velocitat:</translation>
    </message>
    <message>
        <source>Discos duros (*.hdf)</source>
        <translation>Discs durs (*.hdf)</translation>
    </message>
    <message>
        <source>Abrir disco duro</source>
        <translation>Obre un disc dur</translation>
    </message>
    <message>
        <source>Crear disco duro</source>
        <translation>Crea un disc dur</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>No se puede crear el disco duro</source>
        <translation>No es pot crear el disc dur</translation>
    </message>
    <message>
        <source>No se pudieron asociar las extensiones</source>
        <translation>No s&apos;han pogut associar les extensions</translation>
    </message>
</context>
</TS>
