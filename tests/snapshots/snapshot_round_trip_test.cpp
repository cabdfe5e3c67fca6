// Save a busy machine, load the file into a fresh one, find the same state; the preview shows its screen.

#include <gtest/gtest.h>

#include "snapshot_test_support.h"

namespace tarvolinde::test {
namespace {

struct Case {
    SnapshotKind kind;
    int model;
    int paged = -1;  // the page at 0xC000 instead of MakeBusy's locked page 3
};

std::string Name(const testing::TestParamInfo<Case>& info) {
    static constexpr const char* kKinds[] = {"Fsu", "Sna", "Z80", "Sp", "Szx"};
    const auto [kind, model, paged] = info.param;
    return kKinds[int(kind)] + ("Model" + std::to_string(model)) + (paged < 0 ? "" : "Page" + std::to_string(paged));
}

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (const SnapshotKind kind :
         {SnapshotKind::Fsu, SnapshotKind::Sna, SnapshotKind::Z80, SnapshotKind::Sp, SnapshotKind::Szx})
        for (int model = 0; model < kModelCount; ++model) cases.push_back({kind, model});
    // With page 2 or 5 also at 0xC000 a 128K SNA holds a sixth trailing page.
    for (const int paged : {2, 5}) cases.push_back({SnapshotKind::Sna, 4, paged});
    return cases;
}

class RoundTrip : public testing::TestWithParam<Case> {};

TEST_P(RoundTrip, RegistersPagingBorderAyAndEveryRamPageSurviveOrNothingIsWritten) {
    const auto [kind, model, paged] = GetParam();
    const auto format = MakeSnapshot(kind);
    auto source = MadeUpMachine(model);
    if (!format->CanSave(model)) {
        EXPECT_THROW(format->Save(*source), std::invalid_argument);
        return;
    }
    MakeBusy(*source, paged);
    if (kind == SnapshotKind::Sp) source->cpu.IM = 1;  // the SP status word cannot tell IM 0 from IM 1

    const std::vector<uint8_t> file = format->Save(*source);
    const SnapshotPreview preview = format->Preview(file);
    EXPECT_TRUE(std::equal(preview.Screen.begin(), preview.Screen.end(), source->RamPage(5).begin()));
    MachineSlot slot;
    TSp& loaded = format->Load(file, slot.Selector());

    ASSERT_EQ(&loaded, slot.machine.get());
    EXPECT_EQ(slot.switches, 1);
    // Only FSU and SZX keep the frame position; SNA and SP have no AY state.
    const bool chunked = kind == SnapshotKind::Fsu || kind == SnapshotKind::Szx;
    const bool time = chunked;
    const bool ay = kind == SnapshotKind::Z80 || (chunked && source->AyPresent);
    EXPECT_EQ(StateLines(loaded, time, ay), StateLines(*source, time, ay));
}

INSTANTIATE_TEST_SUITE_P(EveryModelAndFormat, RoundTrip, testing::ValuesIn(AllCases()), Name);

}  // namespace
}  // namespace tarvolinde::test
