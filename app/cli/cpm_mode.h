#pragma once
#include "app/cli/cli_options.h"

namespace tarvolinde::cli {
// Runs --cpm: the program's output as it comes, then the T-state line. Returns the exit code.
int RunCpm(const Options& options);
}
