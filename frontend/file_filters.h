#pragma once
// Titles and filters of the file dialogs, as the user sees them.

namespace tarvolinde::file_dialogs {

inline constexpr const char* kOpenSnapshotTitle = "Abrir Snapshot";
inline constexpr const char* kOpenSnapshotFilter =
    "Todos los Snapshots (*.fsu *.z80 *.sna *.sp *.szx *.zip);;Archivos FSU (*.fsu);;Archivos SNA (*.sna);;"
    "Archivos Z80 (*.z80);;Archivos SP (*.sp);;Archivos SZX (*.szx);;Archivos comprimidos (*.zip)";

inline constexpr const char* kSaveSnapshotTitle = "Grabar Snapshot";
// In this order: the save dialog tells the formats apart by their position.
inline constexpr const char* kSaveSnapshotFilter =
    "Archivos FSU (*.fsu);;Archivos SNA (*.sna);;Archivos Z80 (*.z80);;Archivos SP (*.sp);;Archivos SZX (*.szx)";

inline constexpr const char* kOpenTapeTitle = "Abrir cinta";
inline constexpr const char* kOpenTapeFilter =
    "Todas las Cintas (*.tap *.tzx *.wav *.voc *.csw *.zip);;Archivos TAP (*.tap);;Archivos TZX (*.tzx);;"
    "Archivos WAV (*.wav);;Archivos VOC (*.voc);;Archivos CSW (*.csw);;Archivos comprimidos (*.zip)";

inline constexpr const char* kScreenshotTitle = "Grabar pantalla como ";

// The messages of the file commands.
inline constexpr const char* kBadExtension = "Extensión no válida";
inline constexpr const char* kSnapshotFailed = "Error en el snapshot";
inline constexpr const char* kTapeFailed = "Error en la cinta";
inline constexpr const char* kIncompatibleFormat = "El formato elegido no es compatible con el hardware";

}  // namespace tarvolinde::file_dialogs
