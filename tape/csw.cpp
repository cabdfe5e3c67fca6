#include "tape/csw.h"

#include <cstring>
#include <string>

#include <zlib.h>

#include "tape/sample_period.h"
#include "tape/tape_error.h"

namespace tarvolinde {

namespace {

constexpr size_t kVersion1DataStart = 0x20;
constexpr size_t kVersion2HeaderSize = 0x34;
constexpr uint8_t kRunLength = 1;
constexpr uint8_t kZRunLength = 2;

std::vector<uint8_t> Inflate(std::span<const uint8_t> packed, size_t limit) {
    std::vector<uint8_t> out;
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) throw TapeFormatError("zlib");
    zs.next_in = const_cast<Bytef*>(packed.data());
    zs.avail_in = uInt(packed.size());
    uint8_t buffer[16384];
    int result = Z_OK;
    while (result == Z_OK) {
        zs.next_out = buffer;
        zs.avail_out = sizeof buffer;
        result = inflate(&zs, Z_NO_FLUSH);
        out.insert(out.end(), buffer, buffer + (sizeof buffer - zs.avail_out));
        if (out.size() > limit) result = Z_MEM_ERROR;
    }
    inflateEnd(&zs);
    // A stream cut short plays what it holds, as a truncated file of any format does.
    const bool truncated = result == Z_BUF_ERROR && zs.avail_in == 0;
    if (result != Z_STREAM_END && !truncated) throw TapeFormatError("damaged pulse data");
    return out;
}

}  // namespace

CswPulses ParseCsw(std::span<const uint8_t> bytes, size_t maxPulseData) {
    if (bytes.size() < 4 || std::memcmp(bytes.data(), "Comp", 4) != 0) throw TapeFormatError("not CSW");
    ByteCursor header(bytes);
    header.Seek(0x17);
    CswPulses pulses;
    pulses.Version = header.Byte();
    uint8_t compression = 0;
    size_t dataStart = kVersion1DataStart;
    header.Seek(0x19);
    if (pulses.Version == 2) {
        pulses.Rate = header.Dword();
        header.Skip(4);  // total pulses: the data says how many there are
        compression = header.Byte();
        header.Skip(1);  // flags
        dataStart = kVersion2HeaderSize + header.Byte();
        if (compression != kRunLength && compression != kZRunLength) throw TapeFormatError("CSW compression");
    } else {
        pulses.Rate = header.Word();
        compression = header.Byte();
        if (compression != kRunLength) throw TapeFormatError("CSW compression");
    }
    if (pulses.Rate == 0) throw TapeFormatError("sample rate 0");
    if (bytes.size() < dataStart) throw TapeFormatError("short CSW header");
    const std::span<const uint8_t> data = bytes.subspan(dataStart);
    if (compression == kZRunLength) pulses.Data = Inflate(data, maxPulseData);
    else pulses.Data.assign(data.begin(), data.end());
    return pulses;
}

TCsw::TCsw(std::vector<uint8_t> bytes) : TCsw(Parse(bytes)) {}

TCsw::TCsw(Parsed parsed) : TCinta(std::move(parsed.Image)), rate_(parsed.Rate) { ResetEngine(); }

TCsw::Parsed TCsw::Parse(std::span<const uint8_t> bytes) {
    CswPulses pulses = ParseCsw(bytes);
    BlockList blocks;
    ByteCursor stream(pulses.Data);
    blocks.AddBlockNode(0, uint32_t(pulses.Data.size()), stream, 0x14);
    return {{std::move(pulses.Data), std::move(blocks), std::to_string(pulses.Rate) + "Hz"}, pulses.Rate};
}

void TCsw::ResetEngine() {
    stream_.Seek(0);
    bytesLeft_ = int64_t(stream_.Size());
    pulseSamples_ = 0;
    clock_.Restart();
    period_ = clock_.Next();
}

void TCsw::MachineAttached() {
    clock_ = SampleClock(rate_, Uses48KClock(*machine_));
    period_ = clock_.Next();
}

void TCsw::Update() {
    if (!machine_) return;
    blockIndex_ = 0;  // the recording is the tape's one block
    int64_t elapsed = Elapsed();
    while (elapsed >= int64_t(period_)) {
        Advance(period_);
        elapsed -= period_;
        period_ = clock_.Next();
        if (pulseSamples_ == 0) {
            ToggleEar();
            if (bytesLeft_ < 1) {
                Stop(true);
                return;
            }
            pulseSamples_ = stream_.Byte();
            --bytesLeft_;
            if (pulseSamples_ == 0) {
                pulseSamples_ = stream_.Dword();
                bytesLeft_ -= 4;
            }
            // A pulse of no samples would otherwise hold the level for 2^32 of them.
            if (pulseSamples_ == 0) pulseSamples_ = 1;
        }
        --pulseSamples_;
    }
}

}  // namespace tarvolinde
