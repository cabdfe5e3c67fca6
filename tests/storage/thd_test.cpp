// The IDE registers over small images made here; the ROM reading a real disk
// is the cli test hard_disk.success.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "storage/thd.h"

namespace tarvolinde {
namespace {

namespace fs = std::filesystem;

// A disk of 4 cylinders, 2 heads, 40 sectors (320 sectors) whose byte i of the
// sector area holds i % 251, so that every position reads differently.
class ThdTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        path_ = fs::temp_directory_path() / ("thd_test_" + std::to_string(::getpid()) + ".hdf");
        ASSERT_TRUE(CreateHdfImage(path_, {4, 2, 40}, Halved()));
        std::fstream file(path_, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(kHdfHeaderSize);
        for (uint64_t i = 0; i < 320 * SectorBytes(); ++i) file.put(char(i % 251));
        file.close();
        disk_ = THD::Open(path_);
        ASSERT_TRUE(disk_);
    }
    void TearDown() override { fs::remove(path_); }
    bool Halved() const { return GetParam(); }
    uint32_t SectorBytes() const { return Halved() ? 256 : 512; }
    void Command(uint8_t cylinder, uint8_t head, uint8_t sector, uint8_t count, uint8_t command) {
        for (auto [reg, value] : {std::pair{2, count}, {3, sector}, {4, cylinder}, {5, 0}, {6, 0xA0 | head}})
            disk_->WriteRegister(reg, uint8_t(value));
        disk_->WriteRegister(7, command);
    }
    fs::path path_;
    std::unique_ptr<THD> disk_;
};

TEST_P(ThdTest, ResetRegistersAndDriveOneAnswersNothing) {
    const uint8_t afterReset[8] = {0xFF, 1, 1, 1, 0, 0, 0xA0, 0x52};
    for (int reg = 0; reg < 8; ++reg) EXPECT_EQ(disk_->ReadRegister(reg), afterReset[reg]) << reg;
    disk_->WriteRegister(6, 0xB0);
    disk_->WriteRegister(7, 0x20);
    for (int reg = 0; reg < 8; ++reg) EXPECT_EQ(disk_->ReadRegister(reg), 0xFF) << reg;
    disk_->WriteRegister(6, 0xA0);
    EXPECT_EQ(disk_->ReadRegister(7), 0x52);  // the read command was ignored
}

TEST_P(ThdTest, ReadsEveryInterfaceByteOfTheSectorAndCountZeroIsAll256) {
    Command(0, 1, 3, 0, 0x20);  // sector (0 x 2 + 1) x 40 + 2
    const uint64_t start = 42 * SectorBytes();
    for (uint32_t n = 0; n < 256 * 256; ++n) {
        ASSERT_EQ(disk_->ReadRegister(7) & 0x08, 0x08) << n;
        const uint64_t sector = start + n / 256 * SectorBytes(), byte = (n % 256) * (Halved() ? 1 : 2);
        ASSERT_EQ(disk_->ReadRegister(0), (sector + byte) % 251) << n;
    }
    EXPECT_EQ(disk_->ReadRegister(7), 0x52);
    EXPECT_EQ(disk_->ReadRegister(0), 0xFF);
}

TEST_P(ThdTest, WritesReachTheFileAtOnceAndNeverPastItsEnd) {
    const auto size = fs::file_size(path_);
    Command(0, 0, 2, 1, 0x30);
    for (int n = 0; n < 256; ++n) disk_->WriteRegister(0, uint8_t(0x80 + n));
    std::ifstream file(path_, std::ios::binary);
    file.seekg(kHdfHeaderSize + SectorBytes());
    for (uint32_t i = 0; i < SectorBytes(); ++i)
        ASSERT_EQ(file.get(), Halved() ? uint8_t(0x80 + i) : i % 2 ? 0 : uint8_t(0x80 + i / 2)) << i;

    for (auto [cylinder, head, sector, count] : {std::tuple{3, 1, 40, 2}, {4, 0, 1, 1}, {0, 0, 0, 1}}) {
        Command(uint8_t(cylinder), uint8_t(head), uint8_t(sector), uint8_t(count), 0x30);
        EXPECT_EQ(disk_->ReadRegister(7), 0x53);
        EXPECT_EQ(disk_->ReadRegister(1), 4);
        for (int n = 0; n < 512; ++n) disk_->WriteRegister(0, 0xEE);
    }
    disk_.reset();
    EXPECT_EQ(fs::file_size(path_), size);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ThdTest, testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Halved" : "Full"; });

TEST(HdfHeader, DataOffsetComesFromTheFileAndDamagedHeadersAreRefused) {
    std::vector<uint8_t> header = MakeHdfHeader({80, 40, 63}, false);
    header.resize(534);
    header[7] = 0x11, header[9] = 0x16, header[10] = 0x02;
    const auto parsed = ParseHdfHeader(header);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->DataOffset, 534u);
    EXPECT_EQ(parsed->Geometry, (HdfGeometry{80, 40, 63}));
    header[9] = 0x7F, header[10] = 0;
    EXPECT_FALSE(ParseHdfHeader(header)) << "sectors inside the header";
    EXPECT_FALSE(ParseHdfHeader(std::span(header).first(127))) << "short";
    header[9] = 0x80, header[3] = 'X';
    EXPECT_FALSE(ParseHdfHeader(header)) << "signature";
    EXPECT_FALSE(CreateHdfImage(testing::TempDir() + "/never.hdf", {1, 17, 1}, true)) << "17 heads";
}

}  // namespace
}  // namespace tarvolinde
