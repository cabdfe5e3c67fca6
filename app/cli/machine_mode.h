#pragma once
#include "app/cli/cli_options.h"

namespace tarvolinde::cli {
// Runs a whole machine: boot, type, report. Returns the exit code.
int RunMachine(const Options& options);
}
