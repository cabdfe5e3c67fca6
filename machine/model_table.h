#pragma once
// The eighteen machine models the user can pick, as data: menu caption, ROM
// files, class family, memory, frame constants and fitted devices. The model
// index is the position of the model's item in the model menu.

#include <array>
#include <cstdint>
#include <string_view>

namespace tarvolinde {

// The class that carries a model's behaviour (port decoding and paging).
enum class MachineFamily : uint8_t {
    Sp48,   // TSp48
    Inves,  // TSpInves
    Sp128,  // TSp128
    Ams,    // TSp_Ams: +2A, +3, +3e
    Penta,  // TSp_Penta
    Scorp,  // TSp_Scorp
};

// T-state counts of one frame; the contended window runs from ScreenStartT to
// ScreenEndT; the interrupt is held for InterruptLength T-states from the start.
struct FrameConstants {
    int32_t FrameLength;
    int32_t LineTStates;
    int32_t ScreenStartT;
    int32_t ScreenEndT;
    int32_t InterruptLength;
};

inline constexpr FrameConstants kFrame48{69888, 224, 14336, 57344, 32};
inline constexpr FrameConstants kFrame128{70908, 228, 14364, 58140, 36};
inline constexpr FrameConstants kFrameAms{70908, 228, 14364, 58140, 32};
inline constexpr FrameConstants kFramePentagon{71680, 224, 17920, 60928, 32};

// Whether the AY-3-8912 is part of the machine or an add-on chosen in the options.
enum class AyFitting : uint8_t { Always, ByOption };

// IssueMode value meaning "taken from the Issue 2 option": 2 when set, else 1.
inline constexpr int8_t kIssueFromOption = -1;

// What every model of one class has in common.
struct FamilyTraits {
    FrameConstants Frame;
    uint32_t RamKb;
    AyFitting Ay;
    int8_t IssueMode;     // 0, 1, 2 or kIssueFromOption
    bool NearAccessRule;  // accesses closer than 2 T-states to the last one are not delayed
    bool TrdosPaging;     // the TR-DOS ROM pages in automatically at 0x3Dxx
};

constexpr FamilyTraits TraitsOf(MachineFamily family) {
    switch (family) {
    case MachineFamily::Sp48: return {kFrame48, 48, AyFitting::ByOption, kIssueFromOption, false, false};
    case MachineFamily::Inves: return {kFrame128, 48, AyFitting::ByOption, 0, false, false};
    case MachineFamily::Sp128: return {kFrame128, 128, AyFitting::Always, 1, false, false};
    case MachineFamily::Ams: return {kFrameAms, 128, AyFitting::Always, 0, true, false};
    case MachineFamily::Penta: return {kFramePentagon, 128, AyFitting::Always, 0, true, true};
    case MachineFamily::Scorp: return {kFrame48, 256, AyFitting::Always, 0, true, true};
    }
    return {kFrame48, 48, AyFitting::ByOption, kIssueFromOption, false, false};
}

struct ModelInfo {
    std::string_view Caption;       // the model menu item's text
    std::string_view RomFile;       // read into the ROM pages from page 0 (up to 64 KB)
    std::string_view TrdosRomFile;  // read into ROM page 3 when not empty
    MachineFamily Family;
    uint32_t RamKb;                 // as the snapshot savers see it
    FrameConstants Frame;
    bool EmptyUpperMemory;          // 0x8000-0xFFFF read 0xFF (the 16K model)
    bool HasFloppy;                 // +3 floppy controller fitted
    bool HasIde;                    // an IDE hard disk can be fitted
    bool RzxRecording;              // RZX recording is offered (its snapshot is written as Z80)
};

namespace model_table_detail {
struct Extras {
    bool emptyUpperMemory = false;
    bool floppy = false;
    bool ide = false;
    bool rzx = false;
};
constexpr ModelInfo Model(std::string_view caption, std::string_view rom, MachineFamily family,
                          Extras extras = {}, std::string_view trdos = {}) {
    const FamilyTraits traits = TraitsOf(family);
    return {caption,          rom,        trdos,         family, extras.emptyUpperMemory ? 16u : traits.RamKb,
            traits.Frame,     extras.emptyUpperMemory, extras.floppy, extras.ide, extras.rzx};
}
}  // namespace model_table_detail

inline constexpr int kModelCount = 18;
inline constexpr int kModel48K = 1;  // the model the switch falls back to when a ROM is missing

inline constexpr std::array<ModelInfo, kModelCount> Models = [] {
    using model_table_detail::Model;
    using F = MachineFamily;
    return std::array<ModelInfo, kModelCount>{{
        Model("16 Kb", "48.rom", F::Sp48, {.emptyUpperMemory = true}),
        Model("48 Kb", "48.rom", F::Sp48, {.rzx = true}),
        Model("48 Kb +", "48+.rom", F::Sp48),
        Model("Inves +", "Inves.rom", F::Inves),
        Model("128 Kb", "128.rom", F::Sp128, {.rzx = true}),
        Model("128+", "128+.rom", F::Sp128),
        Model("+2", "+2.rom", F::Sp128),
        Model("+2 Español", "+2e.rom", F::Sp128),
        Model("+2 Francés", "+2f.rom", F::Sp128),
        Model("+3", "+3.rom", F::Ams, {.floppy = true}),
        Model("+3 Español", "+3e.rom", F::Ams, {.floppy = true}),
        Model("+2a", "+3.rom", F::Ams),
        Model("+2a Español", "+3e.rom", F::Ams),
        Model("+3e", "+3Ei.rom", F::Ams, {.floppy = true, .ide = true}),
        Model("+3e Español", "+3Ee.rom", F::Ams, {.floppy = true, .ide = true}),
        Model("Pentagon", "Pentagon.rom", F::Penta, {}, "Trdos.rom"),
        Model("Pentagon Español", "Penta_sp.rom", F::Penta, {}, "Trdos.rom"),
        Model("Scorpion", "Scorpion.rom", F::Scorp),
    }};
}();

}  // namespace tarvolinde
