#pragma once
// Fixed texts the front end shares with the runner and the library (the file
// dialogs' titles and filters and the load errors of file_filters.h, the disk
// and RZX messages): they are written in Spanish, the source language, and
// shown in the interface's language.

#include <QString>

namespace tarvolinde {

// `text` in the current language (context "Mensajes").
QString Translated(const char* text);

}  // namespace tarvolinde
