// The member each open dialog takes from an archive: the corpus archives, and
// made-up ones for what a good reader must cope with or refuse.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "frontend/file_filters.h"
#include "snapshots/zip_archive.h"
#include "tests/snapshots/zip_test_support.h"

namespace tarvolinde::test {
namespace {

// The first entries of the open dialogs: tapes, snapshots, disks, RZX recordings.
const char* const kFilters[] = {file_dialogs::kOpenTapeFilter, file_dialogs::kOpenSnapshotFilter,
                                "Todos los Discos (*.dsk *.trd *.scl *.zip)", "Todos los archivos (*.rzx *.zip)"};

struct CorpusCase {
    const char* archive;
    std::vector<std::string> picks;  // per dialog: "member=size", or "" for none
};
class ZipCorpus : public testing::TestWithParam<CorpusCase> {};

TEST_P(ZipCorpus, EachDialogTakesItsMember) {
    const auto path = std::filesystem::path(TESTDATA_DIR) / "zip" / GetParam().archive;
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "test corpus not found: " << path;
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    for (size_t dialog = 0; dialog < 4; ++dialog) {
        const ZipChoice choice = TZipi(kFilters[dialog]).ReadArchive(bytes);
        const std::string got = choice.Name.empty() ? "" : choice.Name + "=" + std::to_string(choice.Stream.size());
        EXPECT_EQ(got, dialog < GetParam().picks.size() ? GetParam().picks[dialog] : "") << kFilters[dialog];
        EXPECT_EQ(choice.Screen.has_value(), path.filename() == "scr_then_tap.zip");
    }
}

// Members with data descriptors read like any other: the last tape wins, as in two_tapes.zip.
INSTANTIATE_TEST_SUITE_P(Corpus, ZipCorpus,
                         testing::Values(CorpusCase{"scr_then_tap.zip", {"crashcars2.tap=25000"}},
                                         CorpusCase{"two_tapes.zip", {"ZX_SNAKE1K.TAP=1023"}},
                                         CorpusCase{"z80_stored.zip", {"", "p48k.z80=1310"}},
                                         CorpusCase{"mixed_kinds.zip",
                                                    {"games/crashcars2.tap=25000", "snap/p128.sna=131103",
                                                     "disk/testdsk.dsk=194816", "rec/invalid-repeat-frame.rzx=48"}},
                                         CorpusCase{"data_descriptor_sized.zip", {"second_plain.tap=1023"}},
                                         CorpusCase{"data_descriptor_streamed.zip", {"second_plain.tap=1023"}}));

std::vector<uint8_t> Of(size_t n) { return std::vector<uint8_t>(n, uint8_t(n)); }
struct MadeCase {
    std::vector<MadeMember> members;
    const char* picked;  // "" for none, "!" for a refused archive
};
class MadeArchive : public testing::TestWithParam<MadeCase> {};

TEST_P(MadeArchive, PicksOrRefuses) {
    const TZipi reader(file_dialogs::kOpenTapeFilter);
    ZipChoice choice;
    try {
        choice = reader.ReadArchive(MakeZip(GetParam().members));
    } catch (const ZipError&) {
        choice.Name = "!";
    }
    EXPECT_EQ(choice.Name, GetParam().picked);
    for (const MadeMember& member : GetParam().members) {
        if (member.name == choice.Name) {
            EXPECT_EQ(choice.Stream, member.data);
        }
    }
}

// Each archive carries a comment. Flags: 1 encrypted, 8 data descriptor.
INSTANTIATE_TEST_SUITE_P(Made, MadeArchive,
                         testing::Values(MadeCase{{{"a.tap", Of(300)}, {"streamed.tap", Of(500), 8}}, "streamed.tap"},
                                         MadeCase{{{"a.tap", Of(300)}, {"big.tap", Of(500), 0, true}}, "big.tap"},
                                         MadeCase{{{"a.tap", Of(300)}, {"secret.tap", Of(500), 1}}, "a.tap"},
                                         MadeCase{{{"secret.tap", Of(500), 1}}, ""},
                                         MadeCase{{{"a.tap", Of(300), 0, false, 5}}, "!"},
                                         MadeCase{{{"a.tap", Of(300), 0, false, -1}}, "!"},
                                         MadeCase{{{"a.tap", Of(300)}, {"b.tap", Of(kMaxZipMemberBytes)}}, "b.tap"},
                                         MadeCase{{{"a.tap", Of(300)}, {"b.tap", Of(kMaxZipMemberBytes + 1)}}, "a.tap"},
                                         MadeCase{{{"a.tap", Of(300)}, {"TAP", Of(30)}}, "a.tap"}));

}  // namespace
}  // namespace tarvolinde::test
