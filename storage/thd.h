#pragma once
// THD: the hard disk of the +3e's 8-bit IDE interface. It keeps the ATA task
// file registers and a small command set (recalibrate, read, write, verify,
// format track, seek, diagnostic, initialise parameters, identify) over an HDF
// image that stays open while the disk exists. Every sector written goes to the
// file at once. The drive is never busy: a command's data can be moved straight
// away. Identify answers with the block kept in the image's header: the +3e's
// ROM finds no drive without it.
//
// Sectors are addressed as (cylinder x heads + head) x sectors + sector - 1 with
// the geometry of the image's identification block. A read or write that would
// reach past the last sector of the file is refused as an aborted command, so
// the image never grows.

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "machine/disk_ports.h"
#include "storage/hdf_image.h"

namespace tarvolinde {

class THD final : public IdePorts {
public:
    enum class OpenError { None, CannotOpen, NotHdf };

    // Opens the image for reading and writing; null (and the reason) when the file
    // cannot be opened that way or is not an HDF image.
    static std::unique_ptr<THD> Open(const std::string& path, OpenError* error = nullptr);
    // The same over a stream already open for update, which the disk then owns.
    static std::unique_ptr<THD> FromStream(std::FILE* stream, OpenError* error = nullptr);

    THD(const THD&) = delete;
    THD& operator=(const THD&) = delete;

    // Registers 0-7: data, error, sector count, sector number, cylinder low and
    // high, drive/head, status (reads) or command (writes).
    uint8_t ReadRegister(int reg) override;
    void WriteRegister(int reg, uint8_t value) override;
    // ResetIde: the registers as after power-on, any transfer dropped.
    void Reset() override;

    const HdfHeader& Header() const { return header_; }
    uint64_t SectorCount() const { return sectorCount_; }
    // From the start of a command to the end of its transfer, for the status bar.
    bool HdActive() const override { return hdActive_; }

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

    THD(FileHandle image, const HdfHeader& header, uint64_t sectorCount);
    void StartCommand(uint8_t value);
    void Abort();
    void EndOfSector();
    bool TransferFits(int64_t firstLba, uint32_t sectors) const;
    void ReadSector();
    void ReadIdentifyBlock();
    void WriteSector();

    enum Mode : uint8_t { kNone = 0, kReading = 1, kWriting = 2 };

    FileHandle image_;
    HdfHeader header_;
    uint64_t sectorCount_;

    uint32_t head_ = 0;
    uint32_t drive_ = 0;
    uint32_t cylinder_ = 0;
    uint32_t count_ = 1;
    uint32_t error_ = 1;
    uint32_t sectorNo_ = 1;
    uint8_t status_ = 0x52;
    uint32_t byteCount_ = 512;
    uint8_t mode_ = kNone;
    uint32_t bufIndex_ = 0;
    uint32_t byteStep_ = 1;  // buffer bytes per byte passed
    uint32_t remaining_ = 0;
    uint8_t command_ = 0;
    int64_t lba_ = 0;
    bool hdActive_ = false;
    std::array<uint8_t, 512> sectorBuffer_{};
};

}  // namespace tarvolinde
