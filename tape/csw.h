#pragma once
// TCsw: compressed square wave recordings, the tape signal as a run of pulse
// lengths in samples (one byte 1-255, or 0 and a 4-byte length). Version 1
// (32-byte header, run-length coding) and version 2 (its own header, run-length
// or Z-RLE coding: the same pulse bytes deflated with zlib).
//
// The engine reads the pulse data only, so the block's position counts in it.

#include <cstdint>
#include <span>
#include <vector>

#include "tape/cinta.h"
#include "tape/sample_period.h"

namespace tarvolinde {

struct CswPulses {
    uint32_t Rate = 0;
    uint8_t Version = 1;
    std::vector<uint8_t> Data;  // the pulse bytes, inflated when the file holds them deflated
};

// More pulse data than hours of tape need: a file that inflates beyond it is refused.
inline constexpr size_t kMaxCswPulseData = 64u << 20;

// Throws TapeFormatError for a file that is not CSW, a rate of 0, an unknown
// compression, or pulse data that does not inflate (or inflates past maxPulseData).
CswPulses ParseCsw(std::span<const uint8_t> bytes, size_t maxPulseData = kMaxCswPulseData);

class TCsw final : public TCinta {
public:
    explicit TCsw(std::vector<uint8_t> bytes);

    void Update() override;
    uint32_t Rate() const { return rate_; }

private:
    struct Parsed {
        TapeImage Image;
        uint32_t Rate;
    };
    explicit TCsw(Parsed parsed);
    static Parsed Parse(std::span<const uint8_t> bytes);
    void ResetEngine() override;
    void MachineAttached() override;

    uint32_t rate_ = 0;
    SampleClock clock_;
    uint32_t period_ = 1;  // of the sample in progress
    int64_t bytesLeft_ = 0;
    uint32_t pulseSamples_ = 0;
};

}  // namespace tarvolinde
