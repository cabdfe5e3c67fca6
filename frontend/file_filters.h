#pragma once
// Titles and filters of the file dialogs, as the user sees them. In Spanish:
// the window shows them translated (frontend/messages.cpp lists them for the
// translators; a change here goes there too).

#include "snapshots/file_preview.h"

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

inline constexpr const char* kOpenRzxTitle = "Abrir acciones";
inline constexpr const char* kOpenRzxFilter =
    "Todos los archivos (*.rzx *.zip);;Archivos rzx (*.rzx);;Archivos comprimidos (*.zip)";

// The filter of the open dialog of a kind: its first entry names the members taken from a ZIP archive.
inline const char* OpenFilterOf(PreviewKind kind) {
    switch (kind) {
    case PreviewKind::Tape: return kOpenTapeFilter;
    case PreviewKind::Rzx: return kOpenRzxFilter;
    case PreviewKind::Snapshot: break;
    }
    return kOpenSnapshotFilter;
}

inline constexpr const char* kScreenshotTitle = "Grabar pantalla como %1";

// The messages of the file commands.
inline constexpr const char* kBadExtension = "Extensión no válida";
inline constexpr const char* kSnapshotFailed = "Error en el snapshot";
inline constexpr const char* kTapeFailed = "Error en la cinta";
inline constexpr const char* kZipFailed = "Error en archivo ZIP";
inline constexpr const char* kRzxFailed = "Error en la acción";
inline constexpr const char* kIncompatibleFormat = "El formato elegido no es compatible con el hardware";

}  // namespace tarvolinde::file_dialogs
