// DSK images in and out of a drive, and the floppy controller command by command.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "storage/archivo_dsk.h"
#include "storage/fdc3.h"

namespace tarvolinde::test {
namespace {

using Bytes = std::vector<uint8_t>;

// A standard image: `tracks` tracks of `sectors` sectors (IDs 1...) of code n,
// each filled with track * 16 + R.
Bytes StandardImage(int tracks, int sectors, uint8_t n) {
    const size_t slot = size_t(128) << n;
    Bytes image(256);
    const std::string signature = "MV - CPCEMU Disk-File\r\nDisk-Info\r\n";
    std::copy(signature.begin(), signature.end(), image.begin());
    image[48] = uint8_t(tracks), image[49] = 1;
    image[50] = uint8_t((256 + sectors * slot)), image[51] = uint8_t((256 + sectors * slot) >> 8);
    for (int t = 0; t < tracks; ++t) {
        Bytes block(256);
        block[20] = n, block[21] = uint8_t(sectors);
        for (int s = 0; s < sectors; ++s)
            block[24 + 8 * s] = uint8_t(t), block[26 + 8 * s] = uint8_t(s + 1), block[27 + 8 * s] = n;
        image.insert(image.end(), block.begin(), block.end());
        for (int s = 0; s < sectors; ++s) image.resize(image.size() + slot, uint8_t(t * 16 + s + 1));
    }
    return image;
}

void Load(TUnidad& drive, const Bytes& image) { TArchivoDSK(drive).Cargar(image, false); }

// Every sector of both sides, as ID, status and all copies of the data.
std::vector<Bytes> Contents(TUnidad& drive) {
    std::vector<Bytes> out;
    for (TPistas* side : {&drive.Side0, &drive.Side1})
        for (TPista& track : side->Tracks) {
            out.push_back({uint8_t(track.SectorCount())});
            for (TSector& s : track.Sectors) {
                out.push_back({s.C, s.H, s.R, s.N, s.ST1, s.ST2, uint8_t(s.Copies())});
                out.push_back(s.Data());
            }
        }
    return out;
}

TEST(DskFile, StandardImageLoadsAndSavesAsExtendedWithTrackSizes) {
    TUnidad drive(0);
    Load(drive, StandardImage(40, 9, 2));
    ASSERT_EQ(drive.Tracks, 40u);
    EXPECT_EQ(drive.Side0.Track(39).SectorCount(), 9u);
    EXPECT_EQ(drive.Side0.Track(39).Sector(8).Byte(511), uint8_t(39 * 16 + 9));
    const Bytes saved = TArchivoDSK(drive).Grabar();
    EXPECT_EQ(std::string(saved.begin(), saved.begin() + 8), "EXTENDED");
    EXPECT_EQ(saved[52], 0x13);
    EXPECT_EQ(saved[52 + 39], 0x13);
    EXPECT_EQ(saved.size(), 256 + 40 * 0x13 * 256u);
    TUnidad again(0);
    Load(again, saved);
    EXPECT_EQ(Contents(again), Contents(drive));
}

TEST(DskFile, StandardSectorsOfCodeSixHold6144Bytes) {
    TUnidad drive(0);
    Load(drive, StandardImage(1, 1, 6));
    EXPECT_EQ(drive.Side0.Track(0).Sector(0).Size, 6144u);
}

// 128-byte sectors leave tracks that are not whole units of 256 bytes: the
// saved image pads them, and an image saved without padding still loads.
TEST(DskFile, ShortSectorsArePaddedAndUnpaddedImagesStillLoad) {
    TUnidad drive(0);
    Load(drive, StandardImage(3, 3, 0));
    drive.Side0.Track(1).Sectors.clear();  // unformatted
    Bytes saved = TArchivoDSK(drive).Grabar();
    EXPECT_EQ(saved[52], 3);  // 256 + 384 bytes, rounded up
    EXPECT_EQ(saved[53], 0);
    EXPECT_EQ(saved.size(), 256 + 2 * 3 * 256u);
    TUnidad padded(0);
    Load(padded, saved);
    EXPECT_EQ(Contents(padded), Contents(drive));

    saved.erase(saved.begin() + 256 + 256 + 384, saved.begin() + 256 + 768);
    TUnidad unpadded(0);
    Load(unpadded, saved);
    EXPECT_EQ(Contents(unpadded), Contents(drive));
}

TEST(DskFile, WeakSectorsKeepEveryCopy) {
    TUnidad drive(0);
    Load(drive, StandardImage(1, 1, 0));
    TSector& weak = drive.Side0.Track(0).Sector(0);
    weak = TSector(128, 3);
    for (size_t i = 0; i < weak.Data().size(); ++i) weak.Data()[i] = uint8_t(i / 128);
    TUnidad again(0);
    Load(again, TArchivoDSK(drive).Grabar());
    EXPECT_EQ(again.Side0.Track(0).Sector(0).Copies(), 3u);
    EXPECT_EQ(Contents(again), Contents(drive));
}

TEST(DskFile, DamagedImagesAreRefusedOrCutWithoutTouchingTheDrive) {
    TUnidad drive(0);
    Load(drive, StandardImage(2, 2, 1));
    Bytes bad = StandardImage(1, 1, 1);
    bad[0] = 'X';
    EXPECT_THROW(Load(drive, bad), DiskFormatError);
    EXPECT_THROW(Load(drive, Bytes(100, 'E')), DiskFormatError);
    EXPECT_EQ(drive.Tracks, 2u);
    EXPECT_TRUE(drive.Present);
    // Cut inside track 1's second sector: that sector is missing, the rest is there.
    Bytes cut = StandardImage(3, 2, 1);
    cut.resize(256 + 768 + 256 + 256 + 100);
    Load(drive, cut);
    EXPECT_EQ(drive.Side0.Track(0).SectorCount(), 2u);
    EXPECT_EQ(drive.Side0.Track(1).SectorCount(), 1u);
    EXPECT_EQ(drive.Side0.Track(2).SectorCount(), 0u);
    // A standard header alone that claims 255 tracks on two sides: more than
    // the header's size table could describe, and none of them in the file.
    Bytes claims = StandardImage(1, 1, 1);
    claims.resize(256);
    claims[48] = 255, claims[49] = 2;
    Load(drive, claims);
    ASSERT_EQ(drive.Side1.TrackCount(), 255u);
    EXPECT_EQ(drive.Side1.Track(254).SectorCount(), 0u);
}

TEST(DskFile, RealImageSurvivesARoundTrip) {
    std::ifstream file(TESTDATA_DIR "/disks/testdsk.dsk", std::ios::binary);
    if (!file) GTEST_SKIP() << "disks/testdsk.dsk not found in " << TESTDATA_DIR;
    const Bytes image{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    TUnidad drive(0), again(0);
    Load(drive, image);
    EXPECT_EQ(drive.Side0.Track(0).Sector(0).R, 1);
    Load(again, TArchivoDSK(drive).Grabar());
    EXPECT_EQ(Contents(again), Contents(drive));
}

// --- The controller --------------------------------------------------------------

struct Transfer {
    Bytes data;
    Bytes result;
};

// Sends a command, writes `out` or reads up to `limit` bytes in its execution phase, and reads its result.
Transfer Send(TFDC_3& fdc, const Bytes& command, const Bytes& out = {}, size_t limit = 70000) {
    Transfer t;
    for (uint8_t b : command) fdc.WriteData(b);
    for (size_t i = 0; (fdc.ReadStatus() & 0x20) && i < std::max(out.size(), limit); ++i) {
        if (i < out.size()) fdc.WriteData(out[i]);
        else if (out.empty()) t.data.push_back(fdc.ReadData());
    }
    while (fdc.ReadStatus() & 0x40) t.result.push_back(fdc.ReadData());
    EXPECT_EQ(fdc.ReadStatus(), 0x80);
    return t;
}

Bytes ReadSectors(uint8_t code, uint8_t first, uint8_t eot) { return {code, 0, 0, 0, first, 2, eot, 0x2A, 0xFF}; }

class Controller : public testing::Test {
protected:
    void SetUp() override {
        Load(fdc.Drives[0], StandardImage(40, 9, 2));
        fdc.SetMotor(true);
    }
    TFDC_3 fdc;
};

TEST_F(Controller, SeeksAndSensesInterrupts) {
    EXPECT_EQ(Send(fdc, {0x08}).result, Bytes{0x80});
    Send(fdc, {0x0F, 0, 39});
    EXPECT_EQ(Send(fdc, {0x08}).result, (Bytes{0x20, 39}));
    Send(fdc, {0x0F, 4, 40});
    EXPECT_EQ(Send(fdc, {0x08}).result, (Bytes{0x74, 39}));
    Send(fdc, {0x07, 0});
    EXPECT_EQ(Send(fdc, {0x08}).result, (Bytes{0x20, 0}));
}

TEST_F(Controller, ReadsSectorsUpToEndOfTrack) {
    const Transfer t = Send(fdc, ReadSectors(0x46, 1, 9));
    ASSERT_EQ(t.data.size(), 9 * 512u);
    EXPECT_EQ(t.data[8 * 512], 9);
    EXPECT_EQ(t.result, (Bytes{0x40, 0x80, 0, 0, 0, 9, 2}));
    // A sector that is not there, and a side that is not there.
    // A read that finds no sector gives ST0 for its first data byte.
    const Transfer missing = Send(fdc, ReadSectors(0x46, 12, 12));
    EXPECT_EQ(missing.data, Bytes{0x40});
    EXPECT_EQ(missing.result[0], 0x04);
    EXPECT_EQ(Send(fdc, {0x4A, 4}).result[0], 0xCC);  // side 1 of a one-sided disk
}

TEST_F(Controller, ReadIdCyclesThroughTheTrack) {
    Bytes sectors, wraps;
    for (int i = 0; i < 10; ++i) {
        const Bytes result = Send(fdc, {0x4A, 0}).result;
        sectors.push_back(result[5]), wraps.push_back(result[1]);
    }
    EXPECT_EQ(sectors, (Bytes{2, 3, 4, 5, 6, 7, 8, 9, 1, 2}));
    EXPECT_EQ(wraps, (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0}));
}

TEST_F(Controller, DriveStatusMotorAndProtection) {
    EXPECT_EQ(Send(fdc, {0x04, 2}).result, Bytes{0x92});
    fdc.Drives[0].Protected = true;
    EXPECT_EQ(Send(fdc, {0x04, 0}).result, Bytes{0x70});
    EXPECT_EQ(Send(fdc, ReadSectors(0x45, 1, 1), Bytes(512)).result[1], 0x02);
    EXPECT_EQ(Send(fdc, {0x4D, 0, 2, 9, 0x2A, 0xE5}).result[1], 0x02);
    fdc.SetMotor(false);
    for (const Bytes& command :
         {ReadSectors(0x46, 1, 1), ReadSectors(0x45, 1, 1), Bytes{0x4A, 0}, Bytes{0x42, 0, 0, 0, 1, 2, 9, 0x2A, 0xFF}})
        EXPECT_EQ(Send(fdc, command).result[0], 0xC8);
}

TEST_F(Controller, DataErrorGivesARandomFirstByteAndWeakSectorsTheirCopies) {
    TPista& track = fdc.Drives[0].Side0.Track(0);
    track.Sector(0).ST1 = 0x20;
    Bytes first;
    for (int i = 0; i < 8; ++i) {
        const Transfer t = Send(fdc, ReadSectors(0x46, 1, 1));
        first.push_back(t.data[0]);
        EXPECT_EQ(Bytes(t.data.begin() + 1, t.data.end()), Bytes(511, 1));
    }
    EXPECT_NE(std::count(first.begin(), first.end(), first[0]), 8);
    TSector& weak = track.Sector(1);
    weak = TSector(512, 2);
    weak.R = 2, weak.N = 2, weak.ST1 = 0x20;
    weak.Data()[512] = 0x77;
    EXPECT_EQ(Send(fdc, ReadSectors(0x46, 2, 2)).data[0], 0x00);
    EXPECT_EQ(Send(fdc, ReadSectors(0x46, 2, 2)).data[0], 0x77);
    EXPECT_EQ(Send(fdc, ReadSectors(0x46, 2, 2)).data[0], 0x00);
}

TEST_F(Controller, FormatsWritesAndReadsBack) {
    fdc.Drives[0].Modified = false;
    Bytes ids;
    for (uint8_t r = 1; r <= 4; ++r) ids.push_back(0), ids.push_back(0), ids.push_back(r), ids.push_back(1);
    EXPECT_EQ(Send(fdc, {0x4D, 0, 1, 4, 0x2A, 0xE5}, ids).result[1], 0x80);
    EXPECT_TRUE(fdc.Drives[0].Modified);
    EXPECT_EQ(Send(fdc, ReadSectors(0x46, 1, 4)).data, Bytes(4 * 256, 0xE5));
    // Writes of deleted data, longer than the sector, are read back whole.
    EXPECT_EQ(Send(fdc, {0x49, 0, 0, 0, 3, 2, 3, 0x2A, 0xFF}, Bytes(512, 0x33)).result[1], 0x80);
    const Transfer deleted = Send(fdc, ReadSectors(0x4C, 3, 3));
    EXPECT_EQ(deleted.data, Bytes(512, 0x33));
    EXPECT_EQ(deleted.result[2] & 0x40, 0);
    EXPECT_EQ(Send(fdc, ReadSectors(0x46, 3, 3)).result[2] & 0x40, 0x40);
    // SK passes over the deleted sector: nothing else has its number.
    EXPECT_EQ(Send(fdc, ReadSectors(0x66, 3, 3)).result[0], 0x04);  // after ST0, read as data
    // Read Track asked for more sectors than the track has stops at its end.
    EXPECT_EQ(Send(fdc, {0x42, 0, 0, 0, 1, 1, 200, 0x2A, 0xFF}).data.size(), 3 * 256u + 512);
}

TEST_F(Controller, ScansCompareSectorBySector) {
    // Scan Equal over sectors 1-3 of track 0 (filled with 1, 2, 3): the second matches.
    Bytes data(512, 9);
    data.insert(data.end(), 512, 2);
    const Transfer equal = Send(fdc, {0x51, 0, 0, 0, 1, 2, 3, 0x2A, 1}, data);
    EXPECT_EQ(equal.result[2] & 0x0C, 0x08);
    EXPECT_EQ(equal.result[5], 2);
    EXPECT_EQ(Send(fdc, {0x59, 0, 0, 0, 1, 2, 1, 0x2A, 1}, Bytes(512, 0)).result[2] & 0x0C, 0x00);
    EXPECT_EQ(Send(fdc, {0x5D, 0, 0, 0, 1, 2, 1, 0x2A, 1}, Bytes(512, 0)).result[2] & 0x0C, 0x04);
}

}  // namespace
}  // namespace tarvolinde::test
