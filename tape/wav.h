#pragma once
// TWav: WAV recordings of a tape, one level decision per sample. PCM only:
// 8-bit unsigned or 16-bit signed samples, mono or stereo (the first channel
// plays). The sample width, the channel count and the sample data are taken
// from the file's own chunks, and each sample's level is decided against the
// middle of the recording's own range (midway between its lowest and highest
// sample), so that full-swing, centred and offset recordings all play.

#include <cstdint>
#include <span>
#include <vector>

#include "tape/cinta.h"
#include "tape/sample_period.h"

namespace tarvolinde {

// What a WAV file's chunks say, checked.
struct WavLayout {
    uint32_t Rate = 0;
    uint16_t Channels = 1;
    uint16_t BitsPerSample = 8;
    size_t DataStart = 0;   // first byte of the "data" chunk's body
    size_t DataLength = 0;  // bytes of it present in the file
    int32_t Threshold = 0;  // samples at or above it read high

    uint32_t FrameSize() const { return uint32_t(Channels) * (BitsPerSample / 8); }
};

// Reads the layout; throws TapeFormatError for anything but PCM of the widths
// and channel counts above, a rate of 0, or a file without a "data" chunk.
WavLayout ParseWav(std::span<const uint8_t> bytes);

class TWav final : public TCinta {
public:
    explicit TWav(std::vector<uint8_t> bytes);

    void Update() override;
    const WavLayout& Layout() const { return layout_; }

private:
    struct Parsed {
        TapeImage Image;
        WavLayout Layout;
    };
    explicit TWav(Parsed parsed);
    static Parsed Parse(std::vector<uint8_t> bytes);
    void ResetEngine() override;
    void MachineAttached() override;
    int32_t NextSample();

    WavLayout layout_;
    uint64_t samplesLeft_ = 0;  // not yet shown
    bool sampleShown_ = false;  // the sample starting at the last edge time is on EAR
    uint32_t period_ = 1;       // of the sample shown
    SampleClock clock_;
};

}  // namespace tarvolinde
