// The Z80 format's run-length code, byte for byte.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "snapshot_test_support.h"
#include "snapshots/snap_z80.h"
#include "snapshots/z80_compression.h"

namespace tarvolinde::test {
namespace {

using Bytes = std::vector<uint8_t>;
using Page = std::array<uint8_t, kPageSize>;

// A page that has no run and no 0xED: the code neither shrinks nor grows it.
Page IncompressiblePage() {
    Page page{};
    for (size_t i = 0; i < page.size(); ++i) page[i] = uint8_t(i % 237);
    return page;
}

Bytes Compress(const Page& page) { return CompressZ80Page(page); }

// The code of a page that starts with `head` and goes on as IncompressiblePage.
Bytes CodeOfHead(const Bytes& head, size_t codeBytes) {
    Page page = IncompressiblePage();
    std::copy(head.begin(), head.end(), page.begin());
    // Keep the byte after the head from joining a run of its last byte.
    page[head.size()] = 0x01;
    page[head.size() + 1] = 0x02;
    const Bytes code = Compress(page);
    return Bytes(code.begin(), code.begin() + std::ptrdiff_t(codeBytes));
}

TEST(Z80Compression, RunsOfFiveOrMoreBecomeRunsAndShorterOnesStayLiteral) {
    EXPECT_EQ(CodeOfHead({7, 7, 7, 7}, 6), (Bytes{7, 7, 7, 7, 1, 2}));
    EXPECT_EQ(CodeOfHead({7, 7, 7, 7, 7}, 6), (Bytes{0xED, 0xED, 5, 7, 1, 2}));
}

TEST(Z80Compression, TwoEdBytesAreAlwaysARun) {
    EXPECT_EQ(CodeOfHead({0xED, 0xED}, 6), (Bytes{0xED, 0xED, 2, 0xED, 1, 2}));
}

TEST(Z80Compression, TheByteAfterALoneEdNeverStartsARun) {
    EXPECT_EQ(CodeOfHead({0xED, 9, 9, 9, 9, 9, 9}, 8), (Bytes{0xED, 9, 0xED, 0xED, 5, 9, 1, 2}));
}

TEST(Z80Compression, RunsStopAt255AndAPageOfOneByteTakes65Runs) {
    Page page;
    page.fill(0xAA);
    const Bytes code = Compress(page);
    ASSERT_EQ(code.size(), 65u * 4);
    for (size_t run = 0; run < 64; ++run)
        EXPECT_EQ(Bytes(code.begin() + std::ptrdiff_t(4 * run), code.begin() + std::ptrdiff_t(4 * run + 4)),
                  (Bytes{0xED, 0xED, 255, 0xAA}));
    EXPECT_EQ(Bytes(code.end() - 4, code.end()), (Bytes{0xED, 0xED, 64, 0xAA}));
}

TEST(Z80Compression, ALoneEdAtTheEndOfAPageIsWrittenAndReadBack) {
    Page page = IncompressiblePage();
    page.back() = 0xED;
    const Bytes code = Compress(page);
    EXPECT_EQ(code.size(), kPageSize);
    EXPECT_EQ(code.back(), 0xED);
    Page back{};
    EXPECT_EQ(DecompressZ80(code, back), code.size());
    EXPECT_EQ(back, page);
}

TEST(Z80Decompression, CountZeroMeans256AndRunsAreCutAtTheEnd) {
    std::array<uint8_t, 300> out{};
    const Bytes code{0xED, 0xED, 0x00, 0x42, 0xED, 0xED, 0x80, 0x17};
    EXPECT_EQ(DecompressZ80(code, out), code.size());
    for (size_t i = 0; i < 256; ++i) ASSERT_EQ(out[i], 0x42) << i;
    for (size_t i = 256; i < 300; ++i) ASSERT_EQ(out[i], 0x17) << i;
}

TEST(Z80Decompression, EdFollowedByAnotherByteIsTwoLiterals) {
    std::array<uint8_t, 4> out{};
    EXPECT_EQ(DecompressZ80(Bytes{0xED, 0x05, 0xED, 0x00}, out), 4u);
    EXPECT_EQ(out, (std::array<uint8_t, 4>{0xED, 0x05, 0xED, 0x00}));
}

TEST(Z80Decompression, InputEndingEarlyIsAFormatError) {
    std::array<uint8_t, 8> out{};
    EXPECT_THROW(DecompressZ80(Bytes{1, 2, 3}, out), SnapshotError);
    EXPECT_THROW(DecompressZ80(Bytes{0xED, 0xED, 3}, out), SnapshotError);
    EXPECT_THROW(DecompressZ80(Bytes{0xED, 0xED, 3, 1, 0xED}, out), SnapshotError);
}

// Through the saver: the page's block in a version 2 file of the 48K.
struct Block {
    uint16_t length;
    uint8_t number;
};
Block FirstBlockOfSavedPage5(const Page& page5) {
    auto machine = MadeUpMachine(1);
    std::copy(page5.begin(), page5.end(), machine->RamPage(5).begin());
    const Bytes file = TSnapZ80().Save(*machine);
    MachineSlot slot;
    TSnapZ80().Load(file, slot.Selector());
    EXPECT_TRUE(std::equal(page5.begin(), page5.end(), slot.machine->RamPage(5).begin()));
    return {uint16_t(file[55] | file[56] << 8), file[57]};
}

TEST(Z80Compression, APageThatCodesToExactly16384BytesIsStoredCoded) {
    const Block block = FirstBlockOfSavedPage5(IncompressiblePage());
    EXPECT_EQ(block.length, 16384);
    EXPECT_EQ(block.number, 8);
}

TEST(Z80Compression, APageThatWouldGrowIsStoredRaw) {
    Page page = IncompressiblePage();
    page[100] = page[101] = 0xED;  // two bytes become four
    const Block block = FirstBlockOfSavedPage5(page);
    EXPECT_EQ(block.length, 0xFFFF);
    EXPECT_EQ(block.number, 8);
}

}  // namespace
}  // namespace tarvolinde::test
