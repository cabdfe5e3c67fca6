<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="es">
<context>
    <name>Bloques</name>
    <message>
        <source>Carga ROM</source>
        <translation>Chargement ROM</translation>
    </message>
    <message>
        <source>Carga Turbo</source>
        <translation>Chargement turbo</translation>
    </message>
    <message>
        <source>Tono puro</source>
        <translation>Tonalité pure</translation>
    </message>
    <message>
        <source>Varios pulsos</source>
        <translation>Suite d&apos;impulsions</translation>
    </message>
    <message>
        <source>Datos puros</source>
        <translation>Données pures</translation>
    </message>
    <message>
        <source>Grabación directa</source>
        <translation>Enregistrement direct</translation>
    </message>
    <message>
        <source>Pausa</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Inicio grupo</source>
        <translation>Début de groupe</translation>
    </message>
    <message>
        <source>Fin grupo</source>
        <translation>Fin de groupe</translation>
    </message>
    <message>
        <source>Salto</source>
        <translation>Saut</translation>
    </message>
    <message>
        <source>Inicio bucle</source>
        <translation>Début de boucle</translation>
    </message>
    <message>
        <source>Fin bucle</source>
        <translation>Fin de boucle</translation>
    </message>
    <message>
        <source>Llamada</source>
        <translation>Appel</translation>
    </message>
    <message>
        <source>Retorno</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Elegir bloque</source>
        <translation>Choix de bloc</translation>
    </message>
    <message>
        <source>Detener en 48k</source>
        <translation>Arrêt en 48k</translation>
    </message>
    <message>
        <source>Texto</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Mensaje</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Información</source>
        <translation>Informations</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Matériel</translation>
    </message>
    <message>
        <source>Emulación</source>
        <translation>Émulation</translation>
    </message>
    <message>
        <source>Mezcla</source>
        <translation>Jonction</translation>
    </message>
    <message>
        <source>cabecera</source>
        <translation>en-tête</translation>
    </message>
    <message>
        <source>datos</source>
        <translation>données</translation>
    </message>
    <message>
        <source>Programa</source>
        <translation>Programme</translation>
    </message>
    <message>
        <source>Matriz numérica</source>
        <translation>Tableau numérique</translation>
    </message>
    <message>
        <source>Matriz alfanumérica</source>
        <translation>Tableau de caractères</translation>
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
        <translation>Ouvrir un snapshot</translation>
    </message>
    <message>
        <source>Todos los Snapshots (*.fsu *.z80 *.sna *.sp *.szx *.zip);;Archivos FSU (*.fsu);;Archivos SNA (*.sna);;Archivos Z80 (*.z80);;Archivos SP (*.sp);;Archivos SZX (*.szx);;Archivos comprimidos (*.zip)</source>
        <translation>Tous les snapshots (*.fsu *.z80 *.sna *.sp *.szx *.zip);;Fichiers FSU (*.fsu);;Fichiers SNA (*.sna);;Fichiers Z80 (*.z80);;Fichiers SP (*.sp);;Fichiers SZX (*.szx);;Fichiers compressés (*.zip)</translation>
    </message>
    <message>
        <source>Grabar Snapshot</source>
        <translation>Enregistrer le snapshot</translation>
    </message>
    <message>
        <source>Archivos FSU (*.fsu);;Archivos SNA (*.sna);;Archivos Z80 (*.z80);;Archivos SP (*.sp);;Archivos SZX (*.szx)</source>
        <translation>Fichiers FSU (*.fsu);;Fichiers SNA (*.sna);;Fichiers Z80 (*.z80);;Fichiers SP (*.sp);;Fichiers SZX (*.szx)</translation>
    </message>
    <message>
        <source>Abrir cinta</source>
        <translation>Ouvrir une cassette</translation>
    </message>
    <message>
        <source>Todas las Cintas (*.tap *.tzx *.wav *.voc *.csw *.zip);;Archivos TAP (*.tap);;Archivos TZX (*.tzx);;Archivos WAV (*.wav);;Archivos VOC (*.voc);;Archivos CSW (*.csw);;Archivos comprimidos (*.zip)</source>
        <translation>Toutes les cassettes (*.tap *.tzx *.wav *.voc *.csw *.zip);;Fichiers TAP (*.tap);;Fichiers TZX (*.tzx);;Fichiers WAV (*.wav);;Fichiers VOC (*.voc);;Fichiers CSW (*.csw);;Fichiers compressés (*.zip)</translation>
    </message>
    <message>
        <source>Abrir acciones</source>
        <translation>Ouvrir un enregistrement</translation>
    </message>
    <message>
        <source>Todos los archivos (*.rzx *.zip);;Archivos rzx (*.rzx);;Archivos comprimidos (*.zip)</source>
        <translation>Tous les fichiers (*.rzx *.zip);;Fichiers RZX (*.rzx);;Fichiers compressés (*.zip)</translation>
    </message>
    <message>
        <source>Grabar pantalla como %1</source>
        <translation>Enregistrer l&apos;écran en %1</translation>
    </message>
    <message>
        <source>Extensión no válida</source>
        <translation>Extension non valide</translation>
    </message>
    <message>
        <source>Error en el snapshot</source>
        <translation>Erreur dans le snapshot</translation>
    </message>
    <message>
        <source>Error en la cinta</source>
        <translation>Erreur dans la cassette</translation>
    </message>
    <message>
        <source>Error en archivo ZIP</source>
        <translation>Erreur dans le fichier ZIP</translation>
    </message>
    <message>
        <source>El formato elegido no es compatible con el hardware</source>
        <translation>Le format choisi n&apos;est pas compatible avec le matériel</translation>
    </message>
    <message>
        <source>Abrir disco</source>
        <translation>Ouvrir une disquette</translation>
    </message>
    <message>
        <source>Todos los Discos (*.dsk *.trd *.scl *.zip);;Archivos DSK (*.dsk);;Archivos TRD (*.trd);;Archivos SCL (*.scl);;Archivos comprimidos (*.zip)</source>
        <translation>Toutes les disquettes (*.dsk *.trd *.scl *.zip);;Fichiers DSK (*.dsk);;Fichiers TRD (*.trd);;Fichiers SCL (*.scl);;Fichiers compressés (*.zip)</translation>
    </message>
    <message>
        <source>Grabar Disco</source>
        <translation>Enregistrer la disquette</translation>
    </message>
    <message>
        <source>Archivos DSK (*.dsk);;Archivos TRD (*.trd);;Archivos SCL (*.scl)</source>
        <translation>Fichiers DSK (*.dsk);;Fichiers TRD (*.trd);;Fichiers SCL (*.scl)</translation>
    </message>
    <message>
        <source>Error en el disco</source>
        <translation>Erreur dans la disquette</translation>
    </message>
    <message>
        <source>Sólo lectura</source>
        <translation>Lecture seule</translation>
    </message>
    <message>
        <source>El disco de la unidad A ha cambiado y no se ha grabado. ¿Grabarlo?</source>
        <translation>La disquette du lecteur A a été modifiée et n&apos;a pas été enregistrée. L&apos;enregistrer ?</translation>
    </message>
    <message>
        <source>Grabar Accion</source>
        <translation>Enregistrer l&apos;enregistrement</translation>
    </message>
    <message>
        <source>Archivos rzx (*.rzx)</source>
        <translation>Fichiers RZX (*.rzx)</translation>
    </message>
    <message>
        <source>Error en la acción</source>
        <translation>Erreur dans l&apos;enregistrement</translation>
    </message>
    <message>
        <source>no se encuentra</source>
        <translation>introuvable</translation>
    </message>
    <message>
        <source>es una carpeta</source>
        <translation>est un dossier</translation>
    </message>
    <message>
        <source>no es un archivo normal</source>
        <translation>n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>demasiado grande</source>
        <translation>trop grand</translation>
    </message>
    <message>
        <source>no se puede leer</source>
        <translation>illisible</translation>
    </message>
    <message>
        <source>demasiado corto</source>
        <translation>trop court</translation>
    </message>
    <message>
        <source>formato dañado</source>
        <translation>format endommagé</translation>
    </message>
</context>
<context>
    <name>SnapshotSaveDialog</name>
    <message>
        <source> o </source>
        <translation> ou </translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Para este modelo, use %1.</source>
        <translation>Pour ce modèle, utilisez %1.</translation>
    </message>
</context>
<context>
    <name>TFondo</name>
    <message>
        <source>Emulación detenida — pulse ▶ o F5</source>
        <translation>Émulation arrêtée — appuyez sur ▶ ou F5</translation>
    </message>
    <message>
        <source>Detiene la emulación (F5)</source>
        <translation>Arrête l&apos;émulation (F5)</translation>
    </message>
    <message>
        <source>Arranca la emulación (F5)</source>
        <translation>Démarre l&apos;émulation (F5)</translation>
    </message>
    <message>
        <source>— detenido</source>
        <translation>— arrêté</translation>
    </message>
</context>
<context>
    <name>tarvolinde::FilePreviewPanel</name>
    <message>
        <source>Imagen no disponible</source>
        <translation>Image non disponible</translation>
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
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Espacio</source>
        <translation>Espace</translation>
    </message>
    <message>
        <source>Retroceso</source>
        <translation>Retour arrière</translation>
    </message>
    <message>
        <source>Teclado del Spectrum</source>
        <translation>Clavier du Spectrum</translation>
    </message>
    <message>
        <source>Flechas y 0 del teclado numérico: joystick %1.</source>
        <translation>Flèches et 0 du pavé numérique : joystick %1.</translation>
    </message>
    <message>
        <source>Flechas y 0 del teclado numérico: joystick %1, no pulsan teclas.</source>
        <translation>Flèches et 0 du pavé numérique : joystick %1, elles n’appuient sur aucune touche.</translation>
    </message>
    <message>
        <source>En amarillo, las teclas del PC que pulsan cada tecla (* también pulsa CAPS SHIFT). Letras y números, en su tecla. Ctrl = SYMBOL SHIFT, Mayús = CAPS SHIFT.</source>
        <translation>En jaune, les touches du PC qui appuient sur chaque touche (* appuie aussi sur CAPS SHIFT). Lettres et chiffres, sur leur touche. Ctrl = SYMBOL SHIFT, Maj = CAPS SHIFT.</translation>
    </message>
</context>
<context>
    <name>tarvolinde::TCreditos</name>
    <message>
        <source>Acerca de Tarvolinde</source>
        <translation>À propos de Tarvolinde</translation>
    </message>
    <message>
        <source>Versión %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Emulador de la familia ZX Spectrum: 16K, 48K, 128K, +2, +2A, +3, +3e, Inves+, Pentagon y Scorpion.</source>
        <translation>Émulateur de la famille ZX Spectrum : 16K, 48K, 128K, +2, +2A, +3, +3e, Inves+, Pentagon et Scorpion.</translation>
    </message>
    <message>
        <source>&lt;b&gt;Usa:&lt;/b&gt;&lt;ul&gt;&lt;li&gt;OpenSE BASIC (ROM de 48K): GNU GPL&lt;/li&gt;&lt;li&gt;Qt 6: GNU LGPL 3&lt;/li&gt;&lt;li&gt;SDL2: licencia zlib&lt;/li&gt;&lt;li&gt;zlib: licencia zlib&lt;/li&gt;&lt;li&gt;libzip: licencia BSD de 3 cláusulas&lt;/li&gt;&lt;li&gt;libpng: licencia libpng&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;b&gt;Utilise :&lt;/b&gt;&lt;ul&gt;&lt;li&gt;OpenSE BASIC (ROM 48K) : GNU GPL&lt;/li&gt;&lt;li&gt;Qt 6 : GNU LGPL 3&lt;/li&gt;&lt;li&gt;SDL2 : licence zlib&lt;/li&gt;&lt;li&gt;zlib : licence zlib&lt;/li&gt;&lt;li&gt;libzip : licence BSD à 3 clauses&lt;/li&gt;&lt;li&gt;libpng : licence libpng&lt;/li&gt;&lt;/ul&gt;</translation>
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
        <translation>Moniteur</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Matériel</translation>
    </message>
    <message>
        <source>Hexadecimal</source>
        <translation>Hexadécimal</translation>
    </message>
    <message>
        <source>Opciones</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Teclado del Spectrum</source>
        <translation>Clavier du Spectrum</translation>
    </message>
    <message>
        <source>Teclado:</source>
        <translation>Clavier :</translation>
    </message>
    <message>
        <source>Dar valor</source>
        <translation>Donner une valeur</translation>
    </message>
    <message>
        <source>Un paso</source>
        <translation>Un pas</translation>
    </message>
    <message>
        <source>Siguiente</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Hasta RET</source>
        <translation>Jusqu&apos;à RET</translation>
    </message>
    <message>
        <source>Ejecuta hasta que vuelva la rutina actual</source>
        <translation>Exécute jusqu&apos;au retour de la routine en cours</translation>
    </message>
    <message>
        <source>Ejec./Para</source>
        <translation>Exéc./Arrêt</translation>
    </message>
    <message>
        <source>Ir hasta...</source>
        <translation>Aller jusqu&apos;à...</translation>
    </message>
    <message>
        <source>Registros:</source>
        <translation>Registres :</translation>
    </message>
    <message>
        <source>Doble clic: cambia el flag</source>
        <translation>Double clic : inverse le drapeau</translation>
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
        <translation>Pile :</translation>
    </message>
    <message>
        <source>Breakpoints:</source>
        <translation>Points d&apos;arrêt :</translation>
    </message>
    <message>
        <source>Breakpoint al escribir en memoria (dirección o rango)</source>
        <translation>Point d&apos;arrêt sur écriture en mémoire (adresse ou plage)</translation>
    </message>
    <message>
        <source>Breakpoint al leer o escribir un puerto (con máscara)</source>
        <translation>Point d&apos;arrêt sur lecture ou écriture d&apos;un port (avec masque)</translation>
    </message>
    <message>
        <source>Puertos:</source>
        <translation>Ports :</translation>
    </message>
    <message>
        <source>T-estados frame:</source>
        <translation>T-états de la trame :</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Registros AY:</source>
        <translation>Registres AY :</translation>
    </message>
    <message>
        <source>Val</source>
        <translation>Val</translation>
    </message>
    <message>
        <source>&apos;%1&apos; no es un número válido</source>
        <translation>« %1 » n&apos;est pas un nombre valide</translation>
    </message>
    <message>
        <source>Nuevo Valor:</source>
        <translation>Nouvelle valeur :</translation>
    </message>
    <message>
        <source>Dirección:</source>
        <translation>Adresse :</translation>
    </message>
    <message>
        <source>Dirección o rango (desde-hasta):</source>
        <translation>Adresse ou plage (début-fin) :</translation>
    </message>
    <message>
        <source>Puerto[/máscara]:</source>
        <translation>Port[/masque] :</translation>
    </message>
    <message>
        <source>Nuevo Breakpoint</source>
        <translation>Nouveau point d&apos;arrêt</translation>
    </message>
</context>
<context>
    <name>tarvolinde::TEligeL</name>
    <message>
        <source>Elegir lenguaje</source>
        <translation>Choisir la langue</translation>
    </message>
</context>
<context>
    <name>tarvolinde::TFondo</name>
    <message>
        <source>Crear...</source>
        <translation>Créer...</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Créditos</source>
        <translation>Crédits</translation>
    </message>
    <message>
        <source>Sí</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>No se pudo grabar %1: %2</source>
        <translation>Impossible d&apos;enregistrer %1 : %2</translation>
    </message>
    <message>
        <source>Sin sonido: %1</source>
        <translation>Pas de son : %1</translation>
    </message>
    <message>
        <source>Play/Stop</source>
        <translation>Marche/Arrêt</translation>
    </message>
    <message>
        <source>Arranca o detiene la emulación</source>
        <translation>Démarre ou arrête l&apos;émulation</translation>
    </message>
    <message>
        <source>Pantalla completa</source>
        <translation>Plein écran</translation>
    </message>
    <message>
        <source>Ventana/pantalla completa</source>
        <translation>Fenêtre/plein écran</translation>
    </message>
    <message>
        <source>Archivo</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <translation>Snapshot</translation>
    </message>
    <message>
        <source>Cargar</source>
        <translation>Charger</translation>
    </message>
    <message>
        <source>Carga snapshot</source>
        <translation>Charge un snapshot</translation>
    </message>
    <message>
        <source>Grabar</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Graba snapshot</source>
        <translation>Enregistre un snapshot</translation>
    </message>
    <message>
        <source>Cinta</source>
        <translation>Cassette</translation>
    </message>
    <message>
        <source>Introducir</source>
        <translation>Insérer</translation>
    </message>
    <message>
        <source>Introduce cinta</source>
        <translation>Insère une cassette</translation>
    </message>
    <message>
        <source>Extraer</source>
        <translation>Éjecter</translation>
    </message>
    <message>
        <source>Extrae cinta</source>
        <translation>Éjecte la cassette</translation>
    </message>
    <message>
        <source>Reproducir</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>Reproduce cinta</source>
        <translation>Lit la cassette</translation>
    </message>
    <message>
        <source>Detener</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Detiene cinta</source>
        <translation>Arrête la cassette</translation>
    </message>
    <message>
        <source>Navegar</source>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>Navegador de cinta</source>
        <translation>Navigateur de cassette</translation>
    </message>
    <message>
        <source>Disco</source>
        <translation>Disquette</translation>
    </message>
    <message>
        <source>Introduce disco</source>
        <translation>Insère une disquette</translation>
    </message>
    <message>
        <source>Extrae disco</source>
        <translation>Éjecte la disquette</translation>
    </message>
    <message>
        <source>Graba disco</source>
        <translation>Enregistre la disquette</translation>
    </message>
    <message>
        <source>Crea disco vacío</source>
        <translation>Crée une disquette vierge</translation>
    </message>
    <message>
        <source>Protegido</source>
        <translation>Protégée</translation>
    </message>
    <message>
        <source>Protege el disco contra escritura</source>
        <translation>Protège la disquette contre l&apos;écriture</translation>
    </message>
    <message>
        <source>Pantalla</source>
        <translation>Écran</translation>
    </message>
    <message>
        <source>Grabar bmp</source>
        <translation>Enregistrer en bmp</translation>
    </message>
    <message>
        <source>Graba la pantalla como bmp</source>
        <translation>Enregistre l&apos;écran en bmp</translation>
    </message>
    <message>
        <source>Grabar scr</source>
        <translation>Enregistrer en scr</translation>
    </message>
    <message>
        <source>Graba la pantalla como scr</source>
        <translation>Enregistre l&apos;écran en scr</translation>
    </message>
    <message>
        <source>Acciones</source>
        <translation>Enregistrements</translation>
    </message>
    <message>
        <source>Tutorial</source>
        <translation>Tutoriel</translation>
    </message>
    <message>
        <source>Graba las acciones</source>
        <translation>Enregistre les actions</translation>
    </message>
    <message>
        <source>Competición</source>
        <translation>Compétition</translation>
    </message>
    <message>
        <source>Comentario</source>
        <translation>Commentaire</translation>
    </message>
    <message>
        <source>Reproduce acciones</source>
        <translation>Lit un enregistrement</translation>
    </message>
    <message>
        <source>Detiene las acciones</source>
        <translation>Arrête l&apos;enregistrement ou la lecture</translation>
    </message>
    <message>
        <source>Recientes</source>
        <translation>Récents</translation>
    </message>
    <message>
        <source>Salir</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Sale del programa</source>
        <translation>Quitte le programme</translation>
    </message>
    <message>
        <source>Opciones</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Modelo</source>
        <translation>Modèle</translation>
    </message>
    <message>
        <source>Cambia el modelo de Spectrum</source>
        <translation>Change le modèle de Spectrum</translation>
    </message>
    <message>
        <source>Volumen</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Volumen del sonido</source>
        <translation>Volume du son</translation>
    </message>
    <message>
        <source>Idioma</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Elige el idioma</source>
        <translation>Choisit la langue</translation>
    </message>
    <message>
        <source>Opciones del emulador</source>
        <translation>Options de l&apos;émulateur</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Débogage</translation>
    </message>
    <message>
        <source>Depurador</source>
        <translation>Débogueur</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Reinicia el Spectrum</source>
        <translation>Réinitialise le Spectrum</translation>
    </message>
    <message>
        <source>Ayuda</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Créditos del programa</source>
        <translation>Crédits du programme</translation>
    </message>
    <message>
        <source>Panel</source>
        <translation>Panneau</translation>
    </message>
    <message>
        <source>Teclado simbólico</source>
        <translation>Clavier symbolique</translation>
    </message>
    <message>
        <source>Las teclas de signos escriben el símbolo de su tecla</source>
        <translation>Les touches de signes tapent le symbole de leur touche</translation>
    </message>
    <message>
        <source>Pegar texto</source>
        <translation>Coller du texte</translation>
    </message>
    <message>
        <source>Escribe en el Spectrum el texto del portapapeles</source>
        <translation>Tape dans le Spectrum le texte du presse-papiers</translation>
    </message>
    <message>
        <source>Grabar sonido</source>
        <translation>Enregistrer le son</translation>
    </message>
    <message>
        <source>Graba el sonido en un fichero WAV</source>
        <translation>Enregistre le son dans un fichier WAV</translation>
    </message>
    <message>
        <source>Grabar sonido: sin sonido</source>
        <translation>Enregistrer le son : pas de son</translation>
    </message>
    <message>
        <source>Grabar sonido: no se puede escribir %1</source>
        <translation>Enregistrer le son : impossible d&apos;écrire %1</translation>
    </message>
    <message>
        <source>El archivo no es un disco duro HDF</source>
        <translation>Le fichier n&apos;est pas un disque dur HDF</translation>
    </message>
    <message>
        <source>Teclado del Spectrum y teclas del PC</source>
        <translation>Clavier du Spectrum et touches du PC</translation>
    </message>
    <message>
        <source>Falta el archivo %1: cópielo en %2</source>
        <translation>Le fichier %1 est absent : copiez-le dans %2</translation>
    </message>
    <message>
        <source>No se encuentra %1.
Se quita de los archivos recientes.</source>
        <translation>%1 est introuvable.
Il est retiré des fichiers récents.</translation>
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
        <translation>Navigateur de cassettes</translation>
    </message>
    <message>
        <source>Cambiar al bloque seleccionado</source>
        <translation>Aller au bloc sélectionné</translation>
    </message>
    <message>
        <source>Salir</source>
        <translation>Quitter</translation>
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
        <translation>Vidéo</translation>
    </message>
    <message>
        <source>Archivos</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>Cinta</source>
        <translation>Cassette</translation>
    </message>
    <message>
        <source>Disco duro</source>
        <translation>Disque dur</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Matériel</translation>
    </message>
    <message>
        <source>Emulacion</source>
        <translation>Émulation</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>AY en 48Kb (128+fuller)</source>
        <translation>AY sur 48Kb (128+fuller)</translation>
    </message>
    <message>
        <source>Filtrado</source>
        <translation>Filtrage</translation>
    </message>
    <message>
        <source>Calidad:</source>
        <translation>Qualité :</translation>
    </message>
    <message>
        <source>Sin sonido</source>
        <translation>Sans son</translation>
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
        <translation>Choisir le mode vidéo</translation>
    </message>
    <message>
        <source>Estirar la imagen</source>
        <translation>Étirer l&apos;image</translation>
    </message>
    <message>
        <source>Modo de video:</source>
        <translation>Mode vidéo :</translation>
    </message>
    <message>
        <source>Escalar por software</source>
        <translation>Mise à l’échelle logicielle</translation>
    </message>
    <message>
        <source>Guardar configuración al salir</source>
        <translation>Enregistrer la configuration en quittant</translation>
    </message>
    <message>
        <source>Asociación de extensiones:</source>
        <translation>Association des extensions :</translation>
    </message>
    <message>
        <source>Asociar ahora</source>
        <translation>Associer maintenant</translation>
    </message>
    <message>
        <source>Carga de cintas rápida</source>
        <translation>Chargement rapide des cassettes</translation>
    </message>
    <message>
        <source>Auto play &amp;&amp; stop</source>
        <translation>Lecture &amp;&amp; arrêt auto</translation>
    </message>
    <message>
        <source>Auto-rebobinado</source>
        <translation>Rembobinage auto</translation>
    </message>
    <message>
        <source>Imagen de disco duro:</source>
        <translation>Image de disque dur :</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Cilindros:</source>
        <translation>Cylindres :</translation>
    </message>
    <message>
        <source>Cabezas:</source>
        <translation>Têtes :</translation>
    </message>
    <message>
        <source>Sectores:</source>
        <translation>Secteurs :</translation>
    </message>
    <message>
        <source>Capacidad seminominal</source>
        <translation>Capacité semi-nominale</translation>
    </message>
    <message>
        <source>Crear</source>
        <translation>Créer</translation>
    </message>
    <message>
        <source>JoyStick:</source>
        <translation>Joystick :</translation>
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
        <translation>Joystick du PC</translation>
    </message>
    <message>
        <source>Ratón:</source>
        <translation>Souris :</translation>
    </message>
    <message>
        <source>Nada</source>
        <translation>Aucune</translation>
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
        <translation>Curseur + Maj</translation>
    </message>
    <message>
        <source>Issue 2</source>
        <translation>Issue 2</translation>
    </message>
    <message>
        <source>Arrancar encendido</source>
        <translation>Démarrer en marche</translation>
    </message>
    <message>
        <source>Arrancar a pantalla completa</source>
        <translation>Démarrer en plein écran</translation>
    </message>
    <message>
        <source>Velocidad:</source>
        <translation>Vitesse :</translation>
    </message>
    <message>
        <source>Discos duros (*.hdf)</source>
        <translation>Disques durs (*.hdf)</translation>
    </message>
    <message>
        <source>Abrir disco duro</source>
        <translation>Ouvrir un disque dur</translation>
    </message>
    <message>
        <source>Crear disco duro</source>
        <translation>Créer un disque dur</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>No se puede crear el disco duro</source>
        <translation>Impossible de créer le disque dur</translation>
    </message>
    <message>
        <source>No se pudieron asociar las extensiones</source>
        <translation>Les extensions n&apos;ont pas pu être associées</translation>
    </message>
</context>
</TS>
