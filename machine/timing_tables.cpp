#include "machine/timing_tables.h"

#include "machine/video/screen_tables.h"

namespace tarvolinde {

namespace {

using Table = std::array<int32_t, kTimingTableSize>;

void Clear(TimingTables& tables) {
    tables.ContentionTable.fill(0);
    tables.FloatingBusTable.fill(-1);
    tables.BorderPosTable.fill(-1);
    tables.ScreenCellTable.fill(-1);
}

// Every entry after `from` up to and including `last` repeats the entry at `from`.
void FillUp(Table& table, int from, int last) {
    for (int t = from + 1; t <= last; ++t) table[t] = table[from];
}

// The ULA fetches two cells (pixel, attribute, pixel, attribute) in each 8 T-state
// group of a screen line; a processor access then waits for the group's end.
void ScreenFetches(TimingTables& tables, int firstT, int lineTStates) {
    static constexpr int kDelays[6] = {6, 5, 4, 3, 2, 1};
    for (int y = 0; y < kScreenLines; ++y) {
        const int lineStart = firstT + y * lineTStates;
        for (int group = 0; group < 16; ++group) {
            const int t = lineStart + 8 * group;
            for (int i = 0; i < 6; ++i) tables.ContentionTable[t + i] = kDelays[i];
            const int column = 2 * group;
            tables.FloatingBusTable[t + 1] = PixelLineAddr[y] + column;
            tables.FloatingBusTable[t + 2] = AttrLineAddr[y] + column;
            tables.FloatingBusTable[t + 3] = PixelLineAddr[y] + column + 1;
            tables.FloatingBusTable[t + 4] = AttrLineAddr[y] + column + 1;
        }
    }
}

// Beam position in the border bitmap for lines of 224 T-states: `shift` moves the
// T-state to the pixel it paints, `topLine` is the first visible line.
void BorderPositions224(Table& table, int first, int last, int shift, int topLine, int fillTo) {
    for (int t = first; t <= last; ++t) {
        const int u = (t + shift) & ~3;
        const int x = (u % 224) * 2;
        const int line = u / 224;
        table[t] = x < kPictureWidth ? x + (line - topLine) * kPictureWidth : (line - topLine + 1) * kPictureWidth;
    }
    FillUp(table, last, fillTo);
}

// Cells fetched by the beam: a line's 32 cells count as fetched from its 31st on.
void ScreenCells(Table& table, int first, int last, int shift, int lineTStates, int topLine, int fillTo) {
    for (int t = first; t <= last; ++t) {
        const int u = (t + shift) & ~3;
        const int cell = (u % lineTStates) / 4;
        const int line = u / lineTStates;
        table[t] = cell < 31 ? cell + (line - topLine) * kScreenColumns : (line - topLine + 1) * kScreenColumns;
    }
    FillUp(table, last, fillTo);
}

void Build48(TimingTables& tables) {
    Clear(tables);
    ScreenFetches(tables, 14335, 224);
    BorderPositions224(tables.BorderPosTable, 8944, 62656, 16, 40, 70000);
    ScreenCells(tables.ScreenCellTable, 14330, 57341, 6, 224, 64, 70000);
}

// Where the beam of a line of 228 T-states is: the first contended T-state of
// the screen, the first T-state of the top border line, and the screen-cell
// table's first and last T-states and shift.
struct Beam228 {
    int firstFetch, borderStart, cellsFirst, cellsLast, cellsShift;
};

// The 128K and +2 as measured on real machines; the Inves keeps the timing it
// has always had.
constexpr Beam228 kBeam128{14361, 8875, 14356, 58135, 8};
constexpr Beam228 kBeamInves{14347, 8871, 14342, 58121, 22};

void Build228(TimingTables& tables, const Beam228& beam) {
    Clear(tables);
    ScreenFetches(tables, beam.firstFetch, 228);
    // 160 T-states of visible line (two pixels each, painted in 8-pixel steps) and
    // 68 of retrace per line of 228.
    int index = beam.borderStart;
    int position = 0;
    while (index < 63536) {
        for (int i = 0; i < 160 && index < 63536; ++i, position += 2) tables.BorderPosTable[index++] = position & ~7;
        for (int i = 0; i < 68 && index < 63536; ++i) tables.BorderPosTable[index++] = position;
    }
    for (; index <= 71000; ++index) tables.BorderPosTable[index] = position;
    ScreenCells(tables.ScreenCellTable, beam.cellsFirst, beam.cellsLast, beam.cellsShift, 228, 63, 71000);
}

// The +2A/+3 gate array delays differently and does not leak the screen bytes
// onto the data bus.
void BuildAms(TimingTables& tables) {
    Build228(tables, kBeam128);
    tables.ContentionTable.fill(0);
    static constexpr int kDelays[8] = {1, 0, 7, 6, 5, 4, 3, 2};
    for (int y = 0; y < kScreenLines; ++y)
        for (int group = 0; group < 16; ++group) {
            const int t = 14365 + 228 * y + 8 * group;
            for (int i = 0; i < 8; ++i) tables.ContentionTable[t + i] = kDelays[i];
        }
    tables.FloatingBusTable.fill(-1);
}

void BuildPentagon(TimingTables& tables) {
    Clear(tables);
    BorderPositions224(tables.BorderPosTable, 12560, 66320, -16, 56, 71999);
    ScreenCells(tables.ScreenCellTable, 17946, 60957, -26, 224, 80, 71999);
}

// The Scorpion keeps the 48K line of 224 T-states but has no contention and its
// own beam timing.
void BuildScorpion(TimingTables& tables) {
    Clear(tables);
    BorderPositions224(tables.BorderPosTable, 8984, 62744, -24, 40, 71999);
    ScreenCells(tables.ScreenCellTable, 14370, 57381, -34, 224, 64, 71999);
}

}  // namespace

void BuildTimingTables(MachineFamily family, TimingTables& tables) {
    switch (family) {
    case MachineFamily::Sp48: Build48(tables); break;
    case MachineFamily::Inves: Build228(tables, kBeamInves); break;
    case MachineFamily::Sp128: Build228(tables, kBeam128); break;
    case MachineFamily::Ams: BuildAms(tables); break;
    case MachineFamily::Penta: BuildPentagon(tables); break;
    case MachineFamily::Scorp: BuildScorpion(tables); break;
    }
}

}  // namespace tarvolinde
