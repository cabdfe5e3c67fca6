#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "machine/timing_tables.h"

namespace tarvolinde::test {
namespace {

std::unique_ptr<TimingTables> Build(MachineFamily family) {
    auto tables = std::make_unique<TimingTables>();
    BuildTimingTables(family, *tables);
    return tables;
}

std::vector<int32_t> Slice(const std::array<int32_t, kTimingTableSize>& table, int from, int count) {
    return {table.begin() + from, table.begin() + from + count};
}

// The ULA delays accesses in the first six T-states of each 8 T-state group of a
// screen line, on the 16 groups of all 192 lines.
void ExpectUlaPattern(const TimingTables& tables, int firstT, int lineTStates) {
    const std::vector<int32_t> pattern{6, 5, 4, 3, 2, 1, 0, 0};
    for (int y : {0, 1, 100, 191})
        for (int group : {0, 7, 15})
            EXPECT_EQ(Slice(tables.ContentionTable, firstT + y * lineTStates + 8 * group, 8), pattern)
                << "line " << y << " group " << group;
    EXPECT_EQ(tables.ContentionTable[firstT - 1], 0);
    EXPECT_EQ(tables.ContentionTable[firstT + 128], 0);  // right border of line 0
    EXPECT_EQ(std::count_if(tables.ContentionTable.begin(), tables.ContentionTable.end(), [](int32_t d) { return d; }),
              192 * 16 * 6);
}

TEST(TimingTables, ContentionOfEachFamily) {
    ExpectUlaPattern(*Build(MachineFamily::Sp48), 14335, 224);
    ExpectUlaPattern(*Build(MachineFamily::Sp128), 14347, 228);
    ExpectUlaPattern(*Build(MachineFamily::Inves), 14347, 228);

    const auto ams = Build(MachineFamily::Ams);
    const std::vector<int32_t> amsPattern{1, 0, 7, 6, 5, 4, 3, 2};
    EXPECT_EQ(Slice(ams->ContentionTable, 14363, 8), amsPattern);
    EXPECT_EQ(Slice(ams->ContentionTable, 14363 + 191 * 228 + 8 * 15, 8), amsPattern);
    EXPECT_EQ(ams->ContentionTable[14362], 0);
    EXPECT_EQ(ams->ContentionTable[14363 + 128], 0);

    for (MachineFamily family : {MachineFamily::Penta, MachineFamily::Scorp}) {
        const auto tables = Build(family);
        EXPECT_TRUE(std::all_of(tables->ContentionTable.begin(), tables->ContentionTable.end(),
                                [](int32_t d) { return d == 0; }));
    }
}

TEST(TimingTables, FloatingBusFollowsTheUlaFetches) {
    const auto tables = Build(MachineFamily::Sp48);
    const auto& bus = tables->FloatingBusTable;
    // Pixel, attribute, pixel, attribute of cells 0 and 1, then nothing.
    EXPECT_EQ(Slice(bus, 14335, 8), (std::vector<int32_t>{-1, 0, 6144, 1, 6145, -1, -1, -1}));
    EXPECT_EQ(bus[14335 + 224 + 1], 256);               // line 1 is the second pixel row of the first character row
    EXPECT_EQ(bus[14335 + 8 * 224 + 2], 6144 + 32);     // line 8: next attribute row
    EXPECT_EQ(bus[14335 + 191 * 224 + 8 * 15 + 3], 6143);  // last pixel byte
    EXPECT_EQ(bus[14335 + 191 * 224 + 8 * 15 + 4], 6911);  // last attribute byte

    EXPECT_EQ(Slice(Build(MachineFamily::Sp128)->FloatingBusTable, 14347, 6),
              (std::vector<int32_t>{-1, 0, 6144, 1, 6145, -1}));
    for (MachineFamily family : {MachineFamily::Ams, MachineFamily::Penta, MachineFamily::Scorp}) {
        const auto other = Build(family);
        EXPECT_TRUE(std::all_of(other->FloatingBusTable.begin(), other->FloatingBusTable.end(),
                                [](int32_t offset) { return offset == -1; }));
    }
}

struct BeamCase {
    MachineFamily family;
    int firstBorderT, lastBorderT, borderFillEnd;
    int firstCellT, lastCellT, cellFillEnd;
};

TEST(TimingTables, BeamTablesStartAtTheTopAndFillUpAfterTheLastLine) {
    const BeamCase cases[] = {
        {MachineFamily::Sp48, 8944, 62656, 70000, 14330, 57341, 70000},
        {MachineFamily::Sp128, 8871, 63535, 71000, 14342, 58121, 71000},
        {MachineFamily::Penta, 12560, 66320, 71999, 17946, 60957, 71999},
        {MachineFamily::Scorp, 8984, 62744, 71999, 14370, 57381, 71999},
    };
    for (const BeamCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.family));
        const auto tables = Build(c.family);
        EXPECT_EQ(tables->BorderPosTable[c.firstBorderT - 1], -1);
        EXPECT_EQ(tables->BorderPosTable[c.firstBorderT], 0);
        EXPECT_EQ(tables->BorderPosTable[c.lastBorderT], 76800);
        EXPECT_EQ(tables->BorderPosTable[c.borderFillEnd], 76800);
        if (c.borderFillEnd + 1 < kTimingTableSize) {
            EXPECT_EQ(tables->BorderPosTable[c.borderFillEnd + 1], -1);
        }
        EXPECT_EQ(tables->ScreenCellTable[c.firstCellT - 1], -1);
        EXPECT_EQ(tables->ScreenCellTable[c.firstCellT], 0);
        EXPECT_EQ(tables->ScreenCellTable[c.lastCellT], 6144);
        EXPECT_EQ(tables->ScreenCellTable[c.cellFillEnd], 6144);
    }
}

TEST(TimingTables, TheBeamMovesEightPixelsEveryFourTStates) {
    const auto t48 = Build(MachineFamily::Sp48);
    // 48K: four T-states later the beam is 8 pixels on; 160 T-states into a line
    // it has left the picture, which counts as the whole line painted.
    EXPECT_EQ(t48->BorderPosTable[8948], 8);
    EXPECT_EQ(t48->BorderPosTable[8944 + 156], 312);
    EXPECT_EQ(t48->BorderPosTable[8944 + 160], 320);
    EXPECT_EQ(t48->BorderPosTable[8944 + 224], 320);
    EXPECT_EQ(t48->BorderPosTable[8944 + 224 + 4], 328);
    // Cells: one every four T-states; from the 31st on the whole line counts.
    EXPECT_EQ(t48->ScreenCellTable[14334], 1);
    EXPECT_EQ(t48->ScreenCellTable[14330 + 120], 30);
    EXPECT_EQ(t48->ScreenCellTable[14330 + 124], 32);
    EXPECT_EQ(t48->ScreenCellTable[14330 + 224], 32);

    const auto t128 = Build(MachineFamily::Sp128);
    EXPECT_EQ(t128->BorderPosTable[8871 + 3], 0);
    EXPECT_EQ(t128->BorderPosTable[8871 + 4], 8);
    EXPECT_EQ(t128->BorderPosTable[8871 + 159], 312);
    EXPECT_EQ(t128->BorderPosTable[8871 + 160], 320);
    EXPECT_EQ(t128->BorderPosTable[8871 + 227], 320);
    EXPECT_EQ(t128->BorderPosTable[8871 + 228 + 4], 328);
    EXPECT_EQ(t128->ScreenCellTable[14342 + 228], 32);
}

}  // namespace
}  // namespace tarvolinde::test
