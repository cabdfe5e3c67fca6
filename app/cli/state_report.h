#pragma once
// The text reports of the headless runner: --dump-state, --peek and --screen-text.

#include <string>
#include <vector>

#include "app/cli/cli_options.h"
#include "machine/sp.h"

namespace tarvolinde::cli {

// NAME=VALUE lines: model, registers, paging, T-state and a digest of every RAM page.
std::vector<std::string> DumpState(const TSp& machine);

// "peek 0xADDR: xx xx ..." with the bytes as the processor reads them.
std::string PeekLine(const TSp& machine, const PeekRequest& peek);

// The 24 rows of the displayed screen as text, each cell recognised against
// the character sets of the machine's ROMs ('?' where none matches).
std::vector<std::string> ScreenAsText(const TSp& machine);

// The RAM pages a model has, in the order --dump-state lists them.
std::vector<int> RamPagesOf(const TSp& machine);

}  // namespace tarvolinde::cli
