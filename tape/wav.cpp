#include "tape/wav.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "tape/sample_period.h"
#include "tape/tape_error.h"

namespace tarvolinde {

namespace {

constexpr uint16_t kFormatPcm = 1;

bool HasTag(std::span<const uint8_t> bytes, size_t offset, const char* tag) {
    return offset + 4 <= bytes.size() && std::memcmp(bytes.data() + offset, tag, 4) == 0;
}

int32_t SampleAt(std::span<const uint8_t> bytes, size_t offset, uint16_t bits) {
    if (bits == 8) return bytes[offset];
    return int16_t(uint16_t(bytes[offset] | bytes[offset + 1] << 8));
}

}  // namespace

WavLayout ParseWav(std::span<const uint8_t> bytes) {
    if (!HasTag(bytes, 8, "WAVE")) throw TapeFormatError("not a WAVE file");
    WavLayout layout;
    bool haveFormat = false;
    bool haveData = false;
    ByteCursor chunks(bytes);
    chunks.Seek(12);
    while (chunks.Remaining() >= 8 && !haveData) {
        const size_t start = chunks.Position();
        const uint32_t size = (chunks.Skip(4), chunks.Dword());
        const size_t body = chunks.Position();
        if (HasTag(bytes, start, "fmt ")) {
            if (size < 16) throw TapeFormatError("short format chunk");
            const uint16_t format = chunks.Word();
            layout.Channels = chunks.Word();
            layout.Rate = chunks.Dword();
            chunks.Skip(6);  // byte rate, block alignment
            layout.BitsPerSample = chunks.Word();
            if (format != kFormatPcm) throw TapeFormatError("not PCM");
            if (layout.Channels != 1 && layout.Channels != 2) throw TapeFormatError("neither mono nor stereo");
            if (layout.BitsPerSample != 8 && layout.BitsPerSample != 16) throw TapeFormatError("sample width");
            if (layout.Rate == 0) throw TapeFormatError("sample rate 0");
            haveFormat = true;
        } else if (HasTag(bytes, start, "data")) {
            if (!haveFormat) throw TapeFormatError("data before format");
            layout.DataStart = body;
            layout.DataLength = std::min<size_t>(size, bytes.size() - body);
            haveData = true;
        }
        // Chunks are padded to an even length.
        chunks.Seek(uint64_t(body) + size + (size & 1));
    }
    if (!haveFormat || !haveData) throw TapeFormatError("no format or data chunk");

    const uint32_t frame = layout.FrameSize();
    layout.DataLength -= layout.DataLength % frame;
    int32_t lowest = std::numeric_limits<int32_t>::max();
    int32_t highest = std::numeric_limits<int32_t>::min();
    for (size_t offset = layout.DataStart; offset < layout.DataStart + layout.DataLength; offset += frame) {
        const int32_t sample = SampleAt(bytes, offset, layout.BitsPerSample);
        lowest = std::min(lowest, sample);
        highest = std::max(highest, sample);
    }
    layout.Threshold = layout.DataLength ? lowest + (highest - lowest + 1) / 2 : 0;
    return layout;
}

TWav::TWav(std::vector<uint8_t> bytes) : TWav(Parse(std::move(bytes))) {}

TWav::TWav(Parsed parsed) : TCinta(std::move(parsed.Image)), layout_(parsed.Layout) { ResetEngine(); }

TWav::Parsed TWav::Parse(std::vector<uint8_t> bytes) {
    const WavLayout layout = ParseWav(bytes);
    BlockList blocks;
    ByteCursor stream(bytes);
    stream.Seek(layout.DataStart);
    blocks.AddBlockNode(uint32_t(layout.DataStart), uint32_t(layout.DataLength), stream, 0x14);
    return {{std::move(bytes), std::move(blocks), std::to_string(layout.Rate) + "Hz"}, layout};
}

void TWav::ResetEngine() {
    stream_.Seek(layout_.DataStart);
    samplesLeft_ = layout_.DataLength / layout_.FrameSize();
    sampleShown_ = false;
    clock_.Restart();
}

void TWav::MachineAttached() { clock_ = SampleClock(layout_.Rate, Uses48KClock(*machine_)); }

int32_t TWav::NextSample() {
    const size_t position = stream_.Position();
    stream_.Skip(layout_.FrameSize());
    if (position + layout_.FrameSize() > stream_.Size()) return 0;
    return SampleAt(stream_.Bytes(), position, layout_.BitsPerSample);
}

void TWav::Update() {
    if (!machine_) return;
    blockIndex_ = 0;  // the recording is the tape's one block
    // Each sample's level goes on EAR when its period starts, so that an edge
    // comes at most one sample after the moment the recording caught it.
    int64_t elapsed = Elapsed();
    while (!sampleShown_ || elapsed >= int64_t(period_)) {
        if (sampleShown_) {
            Advance(period_);
            elapsed -= period_;
        }
        if (samplesLeft_ == 0) {
            Stop(true);
            return;
        }
        --samplesLeft_;
        SetEar(NextSample() >= layout_.Threshold);
        period_ = clock_.Next();
        sampleShown_ = true;
    }
}

}  // namespace tarvolinde
