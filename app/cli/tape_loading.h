#pragma once
// The tape named on the runner's command line: read and built by its extension
// before any machine exists (a bad file is refused first), then attached.

#include <memory>
#include <string>
#include <vector>

#include "app/cli/cli_options.h"
#include "machine/sp.h"
#include "tape/cinta.h"

namespace tarvolinde::cli {

// The tape with the runner's fast-load and rewind options, or null with a
// message in `error` ("Extensión no válida", "Error en la cinta", or a file
// that cannot be read).
std::unique_ptr<TCinta> OpenTape(const std::string& path, const Options& options, std::string& error);

// Inserts the tape into the machine, with the runner's auto play option.
void InsertTape(TCinta& tape, const Options& options, TSp& machine);

// --dump-state's tape lines: tape_block, tape_blocks, tape_playing.
std::vector<std::string> TapeState(const TCinta& tape);

}  // namespace tarvolinde::cli
