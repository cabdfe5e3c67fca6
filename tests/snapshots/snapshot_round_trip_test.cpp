// Save a busy machine, load the file into a fresh machine, and find the same state.

#include <gtest/gtest.h>

#include "snapshot_test_support.h"
#include "snapshots/snap_fsu.h"
#include "snapshots/snap_sna.h"
#include "snapshots/snap_sp.h"
#include "snapshots/snap_z80.h"

namespace tarvolinde::test {
namespace {

struct Case {
    SnapshotKind kind;
    int model;
};

std::string Name(const testing::TestParamInfo<Case>& info) {
    static constexpr const char* kKinds[] = {"Fsu", "Sna", "Z80", "Sp"};
    return std::string(kKinds[int(info.param.kind)]) + "Model" + std::to_string(info.param.model);
}

std::vector<Case> AllSavableCases() {
    std::vector<Case> cases;
    for (const SnapshotKind kind : {SnapshotKind::Fsu, SnapshotKind::Sna, SnapshotKind::Z80, SnapshotKind::Sp})
        for (int model = 0; model < kModelCount; ++model)
            if (MakeSnapshot(kind)->CanSave(model)) cases.push_back({kind, model});
    return cases;
}

class RoundTrip : public testing::TestWithParam<Case> {};

TEST_P(RoundTrip, RegistersPagingBorderAyAndEveryRamPageSurvive) {
    const auto [kind, model] = GetParam();
    const auto format = MakeSnapshot(kind);
    auto source = MadeUpMachine(model);
    MakeBusy(*source);
    if (kind == SnapshotKind::Sp) source->cpu.IM = 1;  // the SP status word cannot tell IM 0 from IM 1

    const std::vector<uint8_t> file = format->Save(*source);
    MachineSlot slot;
    TSp& loaded = format->Load(file, slot.Selector());

    ASSERT_EQ(&loaded, slot.machine.get());
    EXPECT_EQ(slot.switches, 1);
    // Only FSU keeps the frame position; SNA and SP have no AY state.
    const bool time = kind == SnapshotKind::Fsu;
    const bool ay = kind == SnapshotKind::Z80 || (kind == SnapshotKind::Fsu && source->AyPresent);
    EXPECT_EQ(StateLines(loaded, time, ay), StateLines(*source, time, ay));
}

INSTANTIATE_TEST_SUITE_P(EveryModelAFormatAllows, RoundTrip, testing::ValuesIn(AllSavableCases()), Name);

TEST(RoundTripRules, FormatsOtherThanFsuAreOfferedOnlyOnThe48KAnd128KModels) {
    for (int model = 0; model < kModelCount; ++model) {
        EXPECT_TRUE(TSnapFSU().CanSave(model));
        EXPECT_EQ(TSnapSNA().CanSave(model), model == 1 || model == 4) << model;
        EXPECT_EQ(TSnapZ80().CanSave(model), model == 1 || model == 4) << model;
        EXPECT_EQ(TSnapSP().CanSave(model), model == 1) << model;
    }
    auto pentagon = MadeUpMachine(15);
    EXPECT_THROW(TSnapSNA().Save(*pentagon), std::invalid_argument);
    EXPECT_THROW(TSnapSP().Save(*pentagon), std::invalid_argument);
}

TEST(RoundTripRules, A48KSnaKeepsPcAndSpThroughTheStack) {
    auto source = MadeUpMachine(1);
    MakeBusy(*source);
    const int32_t before = source->cpu.FrameTStates;
    const std::vector<uint8_t> file = TSnapSNA().Save(*source);

    // The saver pushed PC as a CALL does, then put SP back.
    EXPECT_EQ(source->cpu.SP.w, 0xBF40);
    EXPECT_EQ(source->cpu.PC.w, 0x8123);
    EXPECT_EQ(source->cpu.FrameTStates, before + 7);
    EXPECT_EQ(source->cpu.ReadByteFree(0xBF3E), 0x23);
    EXPECT_EQ(source->cpu.ReadByteFree(0xBF3F), 0x81);
    EXPECT_EQ(file[23] | file[24] << 8, 0xBF3E);  // SP as stored

    MachineSlot slot;
    TSp& loaded = TSnapSNA().Load(file, slot.Selector());
    EXPECT_EQ(loaded.cpu.PC.w, 0x8123);
    EXPECT_EQ(loaded.cpu.SP.w, 0xBF40);
    EXPECT_EQ(loaded.cpu.FrameTStates, 6);  // two memory reads after the reset
    EXPECT_EQ(loaded.cpu.ReadByteFree(0xBF3E), 0x23);  // the popped bytes stay below SP
}

TEST(RoundTripRules, A128KSnaWithPage2Or5PagedHasSixTrailingPages) {
    for (const uint8_t paged : {2, 5, 0, 7}) {
        auto source = MadeUpMachine(4);
        MakeBusy(*source);
        source->Port7FFD = 0;
        source->OutPort(0x7FFD, paged);
        const std::vector<uint8_t> file = TSnapSNA().Save(*source);
        const bool six = paged == 2 || paged == 5;
        EXPECT_EQ(file.size(), six ? TSnapSNA::kSize128AllPages : TSnapSNA::kSize128) << int(paged);

        MachineSlot slot;
        TSp& loaded = TSnapSNA().Load(file, slot.Selector());
        EXPECT_EQ(StateLines(loaded, false, false), StateLines(*source, false, false)) << int(paged);
    }
}

}  // namespace
}  // namespace tarvolinde::test
