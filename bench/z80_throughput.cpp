// Processor throughput on zexdoc's workload, in emulated MHz: our core in the
// CP/M machine against the z80ex library running the same program behind an
// equivalent CP/M harness. z80ex is only a yardstick here and is linked into
// nothing but this program.
//
// Usage: z80_throughput [--tstates N | --full] [--runs R] [program.com]

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "machine/cpm_machine.h"

#ifdef TARVOLINDE_HAVE_Z80EX
#include <z80ex/z80ex.h>
#endif

namespace {

struct RunResult {
    uint64_t tstates = 0;
    double seconds = 0;
    std::string output;

    double Mhz() const { return seconds > 0 ? double(tstates) / seconds / 1e6 : 0; }
};

struct Options {
    uint64_t tstates = 8'000'000'000;  // 0: run the whole program
    int runs = 5;
    std::string program = DEFAULT_PROGRAM;
};

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

RunResult RunTarvolinde(const std::vector<uint8_t>& program, uint64_t tstates) {
    RunResult result;
    tarvolinde::CpmMachine machine(program, [&](std::string_view text) { result.output += text; });
    const auto start = Clock::now();
    machine.Run(tstates);
    result.seconds = SecondsSince(start);
    result.tstates = machine.TStates();
    return result;
}

#ifdef TARVOLINDE_HAVE_Z80EX
// The same CP/M surroundings as CpmMachine, byte for byte, so that both cores
// execute the same instruction stream.
class Z80exCpm {
public:
    Z80exCpm(const std::vector<uint8_t>& program, std::string& output)
        : output_(output),
          cpu_(z80ex_create(&ReadMemory, this, &WriteMemory, this, &ReadPort, this, &WritePort, this,
                            &ReadVector, this)) {
        constexpr uint16_t kProgramStart = 0x0100;
        constexpr uint16_t kBdosCode = 0xFE00;
        const size_t size = std::min<size_t>(program.size(), kBdosCode - kProgramStart);
        std::copy_n(program.begin(), size, ram_.begin() + kProgramStart);
        const uint8_t warmBoot[] = {0xD3, 0x00, 0x76};  // OUT (0),A; HALT
        std::copy(std::begin(warmBoot), std::end(warmBoot), ram_.begin());
        const uint8_t bdosEntry[] = {0xC3, 0x00, 0xFE};  // JP 0xFE00
        std::copy(std::begin(bdosEntry), std::end(bdosEntry), ram_.begin() + 5);
        const uint8_t bdos[] = {0xD3, 0x01, 0xC9};  // OUT (1),A; RET
        std::copy(std::begin(bdos), std::end(bdos), ram_.begin() + kBdosCode);

        z80ex_reset(cpu_.get());
        z80ex_set_reg(cpu_.get(), regPC, kProgramStart);
        z80ex_set_reg(cpu_.get(), regSP, kBdosCode);
    }

    // Steps whole instructions until the program ends or maxTStates have
    // passed (0: no limit), like CpmMachine::Run.
    void Run(uint64_t maxTStates) {
        Z80EX_CONTEXT* const cpu = cpu_.get();
        while (!finished_) {
            if (maxTStates && tstates_ >= maxTStates && z80ex_last_op_type(cpu) == 0) break;
            tstates_ += uint64_t(z80ex_step(cpu));
        }
    }

    uint64_t TStates() const { return finished_ ? endTStates_ : tstates_; }

private:
    struct Destroy {
        void operator()(Z80EX_CONTEXT* cpu) const { z80ex_destroy(cpu); }
    };

    static Z80EX_BYTE ReadMemory(Z80EX_CONTEXT*, Z80EX_WORD address, int, void* self) {
        return static_cast<Z80exCpm*>(self)->ram_[address];
    }
    static void WriteMemory(Z80EX_CONTEXT*, Z80EX_WORD address, Z80EX_BYTE value, void* self) {
        static_cast<Z80exCpm*>(self)->ram_[address] = value;
    }
    static Z80EX_BYTE ReadPort(Z80EX_CONTEXT*, Z80EX_WORD, void*) { return 0xFF; }
    static Z80EX_BYTE ReadVector(Z80EX_CONTEXT*, void*) { return 0xFF; }
    static void WritePort(Z80EX_CONTEXT* cpu, Z80EX_WORD port, Z80EX_BYTE, void* self) {
        static_cast<Z80exCpm*>(self)->OutPort(cpu, uint8_t(port));
    }

    void OutPort(Z80EX_CONTEXT* cpu, uint8_t port) {
        if (port == 0x00 && !finished_) {
            finished_ = true;
            // The OUT itself is still executing; count it as CpmMachine does.
            endTStates_ = tstates_ + uint64_t(z80ex_op_tstate(cpu));
        } else if (port == 0x01) {
            Bdos(cpu);
        }
    }

    void Bdos(Z80EX_CONTEXT* cpu) {
        const uint8_t function = uint8_t(z80ex_get_reg(cpu, regBC));
        const uint16_t de = z80ex_get_reg(cpu, regDE);
        if (function == 2) {
            output_.push_back(char(de & 0xFF));
        } else if (function == 9) {
            std::string text;
            for (uint16_t address = de; ram_[address] != '$' && text.size() < 0x10000; ++address)
                text.push_back(char(ram_[address]));
            output_ += text;
        }
    }

    std::vector<uint8_t> ram_ = std::vector<uint8_t>(0x10000);
    std::string& output_;
    std::unique_ptr<Z80EX_CONTEXT, Destroy> cpu_;
    uint64_t tstates_ = 0;
    uint64_t endTStates_ = 0;
    bool finished_ = false;
};

RunResult RunZ80ex(const std::vector<uint8_t>& program, uint64_t tstates) {
    RunResult result;
    Z80exCpm machine(program, result.output);
    const auto start = Clock::now();
    machine.Run(tstates);
    result.seconds = SecondsSince(start);
    result.tstates = machine.TStates();
    return result;
}
#endif

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Runs one core `runs` times, prints its line and returns the median MHz and
// the output of the first run.
template <typename RunOnce>
std::pair<double, std::string> Measure(const char* label, int runs, RunOnce runOnce) {
    std::vector<double> mhz;
    std::string firstOutput;
    uint64_t firstTStates = 0;
    for (int i = 0; i < runs; ++i) {
        const RunResult result = runOnce();
        mhz.push_back(result.Mhz());
        if (i == 0) {
            firstOutput = result.output;
            firstTStates = result.tstates;
        } else if (result.output != firstOutput || result.tstates != firstTStates) {
            std::printf("warning: %s run %d differs from run 1\n", label, i + 1);
        }
    }
    const double median = Median(mhz);
    std::printf("%-11s median %6.1f MHz (runs:", label, median);
    for (const double value : mhz) std::printf(" %.1f", value);
    std::printf("; %llu T-states)\n", static_cast<unsigned long long>(firstTStates));
    std::fflush(stdout);
    return {median, firstOutput};
}

[[noreturn]] void Usage(const char* name) {
    std::fprintf(stderr, "usage: %s [--tstates N | --full] [--runs R] [program.com]\n", name);
    std::exit(2);
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--full") {
            options.tstates = 0;
        } else if (arg == "--tstates" && i + 1 < argc) {
            // strtod so that 8e9 is accepted as well as 8000000000.
            char* end = nullptr;
            const double value = std::strtod(argv[++i], &end);
            if (*end != '\0' || !(value >= 1) || value > 1e15) Usage(argv[0]);
            options.tstates = uint64_t(value);
        } else if (arg == "--runs" && i + 1 < argc) {
            options.runs = std::atoi(argv[++i]);
            if (options.runs < 1) Usage(argv[0]);
        } else if (!arg.starts_with("--")) {
            options.program = std::string(arg);
        } else {
            Usage(argv[0]);
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    std::ifstream file(options.program, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot open %s\n", options.program.c_str());
        return 1;
    }
    const std::vector<uint8_t> program{std::istreambuf_iterator<char>(file), {}};

    if (options.tstates)
        std::printf("workload: first %.3g T-states of %s, %d runs per core\n", double(options.tstates),
                    options.program.c_str(), options.runs);
    else
        std::printf("workload: all of %s, %d runs per core\n", options.program.c_str(), options.runs);
    std::fflush(stdout);

    const auto [ours, ourOutput] =
        Measure("tarvolinde:", options.runs, [&] { return RunTarvolinde(program, options.tstates); });

#ifdef TARVOLINDE_HAVE_Z80EX
    const auto [theirs, theirOutput] =
        Measure("z80ex:", options.runs, [&] { return RunZ80ex(program, options.tstates); });
    if (ourOutput == theirOutput) {
        std::printf("output: %zu characters, the same from both cores\n", ourOutput.size());
    } else {
        std::printf("warning: the two cores printed different text\n--- tarvolinde:\n%s\n--- z80ex:\n%s\n",
                    ourOutput.c_str(), theirOutput.c_str());
    }
    std::printf("ratio: %.2f\n", theirs > 0 ? ours / theirs : 0.0);
#else
    std::printf("z80ex:      not built (library not found when configuring)\n");
#endif
    return 0;
}
