#include "frontend/messages.h"

#include <QCoreApplication>

namespace tarvolinde {

namespace {

// The texts of file_filters.h, which the runner shares and which therefore
// cannot carry Qt's markers, listed here so that lupdate finds them.
[[maybe_unused]] constexpr const char* kSharedTexts[] = {
    QT_TRANSLATE_NOOP("Mensajes", "Abrir Snapshot"),
    QT_TRANSLATE_NOOP("Mensajes",
                      "Todos los Snapshots (*.fsu *.z80 *.sna *.sp *.szx *.zip);;Archivos FSU (*.fsu);;"
                      "Archivos SNA (*.sna);;Archivos Z80 (*.z80);;Archivos SP (*.sp);;Archivos SZX (*.szx);;"
                      "Archivos comprimidos (*.zip)"),
    QT_TRANSLATE_NOOP("Mensajes", "Grabar Snapshot"),
    QT_TRANSLATE_NOOP("Mensajes",
                      "Archivos FSU (*.fsu);;Archivos SNA (*.sna);;Archivos Z80 (*.z80);;Archivos SP (*.sp);;"
                      "Archivos SZX (*.szx)"),
    QT_TRANSLATE_NOOP("Mensajes", "Abrir cinta"),
    QT_TRANSLATE_NOOP("Mensajes",
                      "Todas las Cintas (*.tap *.tzx *.wav *.voc *.csw *.zip);;Archivos TAP (*.tap);;"
                      "Archivos TZX (*.tzx);;Archivos WAV (*.wav);;Archivos VOC (*.voc);;Archivos CSW (*.csw);;"
                      "Archivos comprimidos (*.zip)"),
    QT_TRANSLATE_NOOP("Mensajes", "Abrir acciones"),
    QT_TRANSLATE_NOOP("Mensajes",
                      "Todos los archivos (*.rzx *.zip);;Archivos rzx (*.rzx);;Archivos comprimidos (*.zip)"),
    QT_TRANSLATE_NOOP("Mensajes", "Grabar pantalla como %1"),
    QT_TRANSLATE_NOOP("Mensajes", "Extensión no válida"),
    QT_TRANSLATE_NOOP("Mensajes", "Error en el snapshot"),
    QT_TRANSLATE_NOOP("Mensajes", "Error en la cinta"),
    QT_TRANSLATE_NOOP("Mensajes", "Error en archivo ZIP"),
    QT_TRANSLATE_NOOP("Mensajes", "Error en la acción"),
    QT_TRANSLATE_NOOP("Mensajes", "El formato elegido no es compatible con el hardware"),
    // Why a file could not be loaded (platform/file_reader.cpp).
    QT_TRANSLATE_NOOP("Mensajes", "no se encuentra"),
    QT_TRANSLATE_NOOP("Mensajes", "es una carpeta"),
    QT_TRANSLATE_NOOP("Mensajes", "no es un archivo normal"),
    QT_TRANSLATE_NOOP("Mensajes", "demasiado grande"),
    QT_TRANSLATE_NOOP("Mensajes", "no se puede leer"),
    QT_TRANSLATE_NOOP("Mensajes", "demasiado corto"),
    QT_TRANSLATE_NOOP("Mensajes", "formato dañado"),
};

}  // namespace

QString Translated(const char* text) { return QCoreApplication::translate("Mensajes", text); }

}  // namespace tarvolinde
