#pragma once
// --preview KIND FILE OUT: the picture an open dialog shows for a file.

#include "app/cli/cli_options.h"

namespace tarvolinde::cli {

// Writes the preview of options.preview as a 256 x 192 PNG or a 6912-byte SCR.
// Returns 0; 1 with the dialog's "Imagen no disponible" when it has no picture,
// or when OUT cannot be written; 2 for an OUT of another type.
int RunPreview(const Options& options);

}  // namespace tarvolinde::cli
