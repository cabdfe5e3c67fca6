// tarvolinde-cli: runs the emulator without a display.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/cli/cli_options.h"
#include "app/cli/cpm_mode.h"
#include "app/cli/machine_mode.h"
#include "app/cli/preview_mode.h"
#include "app/version.h"

namespace {

int Run(int argc, char** argv) {
    using namespace tarvolinde::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::printf("tarvolinde-cli %s\n", tarvolinde::kVersion);
        return 0;
    }
    std::string error;
    const auto options = ParseOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "%s\n%s", error.c_str(), UsageText().c_str());
        return 2;
    }
    if (!options->cpmProgram.empty()) return RunCpm(*options);
    if (options->preview) return RunPreview(*options);
    return RunMachine(*options);
}

}  // namespace

int main(int argc, char** argv) {
    // The loaders turn bad files into messages; this is for what nobody foresaw.
    try {
        return Run(argc, argv);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "tarvolinde-cli: %s\n", failure.what());
    } catch (...) {
        std::fprintf(stderr, "tarvolinde-cli: unexpected failure\n");
    }
    return 1;
}
