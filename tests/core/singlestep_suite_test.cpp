// Runs the SingleStepTests Z80 cases: every opcode of every table, each case one
// instruction from a random state, checked on every register (MEMPTR and Q
// included), all of memory, the port accesses and the T-states of the bus
// cycles as the processor contends them.

#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "core/z80.h"

namespace tarvolinde::test {
namespace {

using nlohmann::json;

const std::filesystem::path kCpuDir = TESTDATA_DIR "/cpu";

json ReadGzipJson(const std::filesystem::path& path) {
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file) return json();
    std::string text;
    char buffer[1 << 16];
    for (int n; (n = gzread(file, buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
    gzclose(file);
    return json::parse(text);
}

// 64 KB of RAM; port reads answer the recorded values in order.
class StepMachine : public MachineInterface {
public:
    StepMachine() : cpu(*this) {
        for (int slot = 0; slot < 4; ++slot) cpu.ReadPages[slot] = cpu.WritePages[slot] = ram.data() + slot * 0x4000;
        cpu.ContentionTable = contention.data();
    }
    uint8_t InPort(uint16_t port) override {
        const uint8_t value = nextInput < inputs.size() ? inputs[nextInput++] : 0xFF;
        ports.push_back({port, value, 'r', cpu.FrameTStates});
        return value;
    }
    void OutPort(uint16_t port, uint8_t value) override { ports.push_back({port, value, 'w', cpu.FrameTStates}); }

    struct Port { uint16_t port; uint8_t value; char direction; int32_t at; };
    std::array<uint8_t, 0x10000> ram{};
    std::array<int32_t, kTimingTableSize> contention{};
    std::vector<uint8_t> inputs;
    size_t nextInput = 0;
    std::vector<Port> ports;
    Z80 cpu;
};

constexpr int32_t kStart = 1000;

void SetState(StepMachine& m, const json& s) {
    Z80& z = m.cpu;
    z.ResetCpu();
    z.AF.lo = s["a"], z.AF.hi = s["f"];
    z.BC.hi = s["b"], z.BC.lo = s["c"], z.DE.hi = s["d"], z.DE.lo = s["e"], z.HL.hi = s["h"], z.HL.lo = s["l"];
    z.SetProgramAF_(s["af_"]), z.BC_.w = s["bc_"], z.DE_.w = s["de_"], z.HL_.w = s["hl_"];
    z.IX.w = s["ix"], z.IY.w = s["iy"], z.SP.w = s["sp"], z.PC.w = s["pc"];
    z.I = s["i"], z.IM = s["im"], z.IFF1 = s["iff1"], z.IFF2 = s["iff2"];
    z.SetR(s["r"]), z.WZ = s["wz"], z.Q = s["q"];
    for (const auto& cell : s["ram"]) m.ram[cell[0].get<uint16_t>()] = cell[1];
}

// Runs one instruction step from the case's initial state, with a delay of one
// T-state at `probe` T-states into the step for accesses to the slots in
// `contendedSlots` (a bit each). Returns the T-states the step took.
int32_t RunStep(StepMachine& m, const json& test, int32_t probe = -1, unsigned contendedSlots = 0) {
    SetState(m, test["initial"]);
    m.inputs.clear();
    if (test.contains("ports"))
        for (const auto& p : test["ports"])
            if (p[2] == "r") m.inputs.push_back(p[1]);
    m.nextInput = 0;
    m.ports.clear();
    Z80& z = m.cpu;
    z.FrameTStates = kStart;
    z.IntWindowEnd = -1;
    z.ContentionActive = 1;
    z.NearAccessRule = 0;
    for (int slot = 0; slot < 4; ++slot) z.PageContended[slot] = (contendedSlots >> slot) & 1;
    if (probe >= 0) m.contention[kStart + probe] = 1;
    z.RunUntil(kStart + 1);
    if (probe >= 0) m.contention[kStart + probe] = 0;
    return z.FrameTStates - kStart;
}

// Everything that differs between the run and the case, one item per line.
std::string Differences(StepMachine& m, const json& test) {
    std::ostringstream out;
    const int32_t length = RunStep(m, test);
    const Z80& z = m.cpu;
    const json& f = test["final"];
    const auto check = [&](const char* name, unsigned actual) {
        if (actual != f[name].get<unsigned>()) out << " " << name << "=" << actual << " (want " << f[name] << ")";
    };
    check("a", z.AF.lo), check("f", z.AF.hi), check("b", z.BC.hi), check("c", z.BC.lo), check("d", z.DE.hi);
    check("e", z.DE.lo), check("h", z.HL.hi), check("l", z.HL.lo), check("af_", z.ProgramAF_());
    check("bc_", z.BC_.w), check("de_", z.DE_.w), check("hl_", z.HL_.w), check("ix", z.IX.w), check("iy", z.IY.w);
    check("sp", z.SP.w), check("pc", z.PC.w), check("i", z.I), check("r", z.R()), check("im", z.IM);
    check("iff1", z.IFF1), check("iff2", z.IFF2), check("wz", z.WZ), check("q", z.Q);

    std::array<uint8_t, 0x10000> expected{};
    for (const auto& cell : test["initial"]["ram"]) expected[cell[0].get<uint16_t>()] = cell[1];
    for (const auto& cell : f["ram"]) expected[cell[0].get<uint16_t>()] = cell[1];
    for (size_t a = 0; a < expected.size(); ++a)
        if (m.ram[a] != expected[a]) out << " mem[" << a << "]=" << int(m.ram[a]) << " (want " << int(expected[a]) << ")";

    // The bus log has one entry per T-state: address, data, and the strobes
    // (r/w, m for memory, i for I/O). A cycle's address goes out one T-state
    // before its strobe.
    const json& cycles = test["cycles"];
    if (length != int32_t(cycles.size())) out << " T-states=" << length << " (want " << cycles.size() << ")";
    std::vector<uint8_t> memoryStart(cycles.size() + 1), ioStart(cycles.size() + 1);
    for (size_t t = 1; t < cycles.size(); ++t) {
        const std::string pins = cycles[t][2];
        if (pins[2] == 'm' && (pins[0] == 'r' || pins[1] == 'w') && std::string(cycles[t - 1][2]) == "----")
            memoryStart[t - 1] = 1;
        if (pins[3] == 'i' && std::string(cycles[t - 1][2]) == "----") ioStart[t - 1] = 1;
    }

    size_t port = 0;
    const json noPorts = json::array();
    const json& wantPorts = test.contains("ports") ? test["ports"] : noPorts;
    for (const auto& p : m.ports) {
        const int32_t at = p.at - kStart;
        if (port >= wantPorts.size() || p.port != wantPorts[port][0] || p.value != wantPorts[port][1] ||
            p.direction != std::string(wantPorts[port][2])[0])
            out << " port " << p.direction << " " << p.port << "," << int(p.value) << " unexpected";
        else if (at < 0 || at >= int32_t(cycles.size()) || !ioStart[at])
            out << " port " << p.port << " at T" << at << " (no I/O cycle starts there)";
        ++port;
    }
    if (port < wantPorts.size()) out << " " << wantPorts.size() - port << " port accesses missing";
    if (length != int32_t(cycles.size())) return out.str();

    // Every memory cycle must be contended where it starts, and every T-state
    // the processor contends must have an address of that slot on the bus.
    for (int32_t t = 0; t < length; ++t) {
        if (RunStep(m, test, t, 0xF) != length + 1) {
            if (memoryStart[t]) out << " memory cycle at T" << t << " not contended";
        } else if (cycles[t][0].is_null() || RunStep(m, test, t, 1u << (cycles[t][0].get<int>() >> 14)) != length + 1) {
            out << " contended at T" << t << " with no address of that slot on the bus";
        }
    }
    return out.str();
}

// Runs every file under `folder` whose name starts with `prefix` (with "", the
// unprefixed opcodes' files) and reports each failing case.
void RunFiles(const std::string& folder, const std::string& prefix) {
    const std::filesystem::path dir = kCpuDir / folder;
    if (!std::filesystem::exists(dir)) GTEST_SKIP() << dir << " is absent";
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (prefix.empty() ? name[2] == '.' : name.starts_with(prefix)) files.push_back(entry.path());
    }
    ASSERT_FALSE(files.empty());
    auto machine = std::make_unique<StepMachine>();
    int failures = 0, cases = 0;
    for (const auto& path : files) {
        for (const json& test : ReadGzipJson(path)) {
            ++cases;
            machine->ram.fill(0);
            const std::string difference = Differences(*machine, test);
            if (!difference.empty() && ++failures <= 40) ADD_FAILURE() << test["name"] << ":" << difference;
        }
    }
    EXPECT_EQ(failures, 0) << "of " << cases << " cases in " << files.size() << " files";
}

TEST(SingleStep, EveryOpcodeOfEveryTable) {
    for (const char* table : {"", "cb_", "ed_", "dd_", "fd_"}) RunFiles("singlestep25", table);
}
TEST(SingleStep, AThousandCasesOfTenOpcodes) {
    for (const char* table : {"", "cb_", "ed_", "dd_"}) RunFiles("singlestep", table);
}

}  // namespace
}  // namespace tarvolinde::test
