#include "storage/thd.h"

#include <algorithm>
#include <vector>

#include "platform/file_reader.h"

namespace tarvolinde {

namespace {

constexpr uint8_t kStatusError = 0x01;
constexpr uint8_t kStatusDataRequest = 0x08;
constexpr uint32_t kErrorAborted = 4;
constexpr uint32_t kSectorInterfaceBytes = 512;  // two per byte the interface passes

enum Command : uint8_t {
    kRecalibrate = 1,
    kReadSectors = 2,
    kWriteSectors = 3,
    kVerify = 4,
    kFormatTrack = 5,
    kSeek = 7,
    kDiagnosticOrParameters = 9,
};
constexpr uint8_t kIdentify = 0xEC;

}  // namespace

std::unique_ptr<THD> THD::Open(const std::string& path, OpenError* error) {
    // Only a regular file: opening a FIFO for reading and writing would never block,
    // but its first read would wait for ever.
    std::FILE* stream = ProblemOpening(path, FileKind::HardDisk) ? nullptr : std::fopen(path.c_str(), "r+b");
    if (!stream) {
        if (error) *error = OpenError::CannotOpen;
        return nullptr;
    }
    return FromStream(stream, error);
}

std::unique_ptr<THD> THD::FromStream(std::FILE* stream, OpenError* error) {
    FileHandle image(stream);
    std::vector<uint8_t> start(kHdfHeaderSize);
    std::optional<HdfHeader> header;
    if (std::fread(start.data(), 1, start.size(), stream) == start.size()) header = ParseHdfHeader(start);
    long size = -1;
    if (header && std::fseek(stream, 0, SEEK_END) == 0) size = std::ftell(stream);
    if (!header || size < 0) {
        if (error) *error = OpenError::NotHdf;
        return nullptr;
    }
    if (error) *error = OpenError::None;
    const uint64_t sectors = uint64_t(size) > header->DataOffset
                                 ? (uint64_t(size) - header->DataOffset) / header->SectorBytes()
                                 : 0;
    return std::unique_ptr<THD>(new THD(std::move(image), *header, sectors));
}

THD::THD(FileHandle image, const HdfHeader& header, uint64_t sectorCount)
    : image_(std::move(image)), header_(header), sectorCount_(sectorCount) {
    Reset();
}

void THD::Reset() {
    drive_ = 0;
    head_ = 0;
    cylinder_ = 0;
    sectorNo_ = 1;
    count_ = 1;
    error_ = 1;
    status_ = 0x52;
    mode_ = kNone;
    hdActive_ = false;
}

uint8_t THD::ReadRegister(int reg) {
    if (drive_ != 0) return 0xFF;
    switch (reg & 7) {
    case 0: break;
    case 1: return uint8_t(error_);
    case 2: return uint8_t(count_);
    case 3: return uint8_t(sectorNo_);
    case 4: return uint8_t(cylinder_);
    case 5: return uint8_t(cylinder_ >> 8);
    case 6: return uint8_t(0xA0 | drive_ << 4 | head_);
    default: return status_;
    }
    if (mode_ != kReading) return 0xFF;
    if (byteCount_ == kSectorInterfaceBytes && command_ == kReadSectors) ReadSector();
    const uint8_t value = sectorBuffer_[bufIndex_];
    bufIndex_ += byteStep_;
    byteCount_ -= 2;
    if (byteCount_ == 0) EndOfSector();
    return value;
}

void THD::WriteRegister(int reg, uint8_t value) {
    switch (reg & 7) {
    case 0:
        if (mode_ != kWriting) return;
        sectorBuffer_[bufIndex_] = value;
        bufIndex_ += byteStep_;
        byteCount_ -= 2;
        if (byteCount_ == 0) {
            if (command_ == kWriteSectors) WriteSector();
            EndOfSector();
        }
        return;
    case 1: return;
    case 2: count_ = value ? value : 256; return;
    case 3: sectorNo_ = value; return;
    case 4: cylinder_ = (cylinder_ & 0xFF00) | value; return;
    case 5: cylinder_ = (cylinder_ & 0x00FF) | value << 8; return;
    case 6:
        head_ = value & 0x0F;
        drive_ = (value >> 4) & 1;
        return;
    default:
        if (drive_ == 0) StartCommand(value);
        return;
    }
}

void THD::StartCommand(uint8_t value) {
    // A new command ends whatever transfer the last one left unfinished.
    mode_ = kNone;
    status_ &= ~(kStatusError | kStatusDataRequest);
    error_ = 0;
    remaining_ = count_;
    byteCount_ = kSectorInterfaceBytes;
    bufIndex_ = 0;
    sectorBuffer_.fill(0);
    hdActive_ = true;
    command_ = value >> 4;
    byteStep_ = header_.Halved ? 1 : 2;
    const HdfGeometry& g = header_.Geometry;
    lba_ = (int64_t(cylinder_) * g.Heads + head_) * g.Sectors + sectorNo_ - 1;

    switch (command_) {
    case kRecalibrate: cylinder_ = 0; break;
    case kReadSectors:
    case kWriteSectors:
        if (!TransferFits(lba_, remaining_)) return Abort();
        mode_ = command_ == kReadSectors ? kReading : kWriting;
        status_ |= kStatusDataRequest;
        return;
    case kFormatTrack:
        mode_ = kWriting;
        status_ |= kStatusDataRequest;
        return;
    case kVerify:
    case kSeek: break;
    case kIdentify >> 4:
        if (value != kIdentify) return Abort();
        ReadIdentifyBlock();
        remaining_ = 1;
        mode_ = kReading;
        status_ |= kStatusDataRequest;
        return;
    case kDiagnosticOrParameters:
        if (!(value & 1)) error_ = 1;
        break;
    default: return Abort();
    }
    // Commands without data are over as soon as they start.
    hdActive_ = false;
}

void THD::Abort() {
    status_ |= kStatusError;
    error_ = kErrorAborted;
    mode_ = kNone;
    hdActive_ = false;
}

bool THD::TransferFits(int64_t firstLba, uint32_t sectors) const {
    return firstLba >= 0 && uint64_t(firstLba) + sectors <= sectorCount_;
}

void THD::EndOfSector() {
    byteCount_ = kSectorInterfaceBytes;
    bufIndex_ = 0;
    if (--remaining_ != 0) return;
    hdActive_ = false;
    status_ &= ~kStatusDataRequest;
    mode_ = kNone;
}

void THD::ReadSector() {
    const uint32_t length = header_.SectorBytes();
    size_t got = 0;
    if (TransferFits(lba_, 1) && std::fseek(image_.get(), long(header_.DataOffset + lba_ * length), SEEK_SET) == 0)
        got = std::fread(sectorBuffer_.data(), 1, length, image_.get());
    // A file cut short under our feet reads as zeros rather than stale data.
    std::fill(sectorBuffer_.begin() + got, sectorBuffer_.begin() + length, 0);
    ++lba_;
}

void THD::ReadIdentifyBlock() {
    // The block kept in the header (106 bytes in version 1.0, 512 in 1.1); the
    // 8-bit interface passes the low byte of each of its words.
    const size_t length = std::min<size_t>(header_.DataOffset - kHdfIdentifyStart, sectorBuffer_.size());
    if (std::fseek(image_.get(), kHdfIdentifyStart, SEEK_SET) == 0) std::fread(sectorBuffer_.data(), 1, length, image_.get());
    byteStep_ = 2;
}

void THD::WriteSector() {
    const uint32_t length = header_.SectorBytes();
    if (TransferFits(lba_, 1) && std::fseek(image_.get(), long(header_.DataOffset + lba_ * length), SEEK_SET) == 0) {
        std::fwrite(sectorBuffer_.data(), 1, length, image_.get());
        std::fflush(image_.get());
    }
    ++lba_;
}

}  // namespace tarvolinde
