#include "app/cli/cpm_mode.h"

#include <chrono>
#include <cstdio>
#include <vector>

#include "machine/cpm_machine.h"
#include "platform/file_reader.h"

namespace tarvolinde::cli {

int RunCpm(const Options& options) {
    const FileContents file = ReadFileOfKind(options.cpmProgram, FileKind::Program);
    if (!file) {
        std::fprintf(stderr, "cannot load the CP/M program %s\n",
                     DescribeProblem(options.cpmProgram, file.Problem).c_str());
        return 1;
    }
    const std::vector<uint8_t>& program = *file.Bytes;

    CpmMachine machine(program, [](std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
    });
    const auto start = std::chrono::steady_clock::now();
    machine.Run(options.maxTStates);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const uint64_t tstates = machine.TStates();
    std::printf("\nT-states: %llu seconds: %.3f MHz: %.1f\n", static_cast<unsigned long long>(tstates), seconds,
                seconds > 0 ? double(tstates) / seconds / 1e6 : 0.0);
    return 0;
}

}  // namespace tarvolinde::cli
