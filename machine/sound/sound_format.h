#pragma once
// The sound output settings and the figures that follow from them: the sample
// rate of the option "Calidad:", the frame period from the option "Velocidad:",
// and the samples of one frame. The stream buffer holds twelve frames; a frame is
// drawn only while more than four are queued.

#include <algorithm>
#include <array>
#include <cstdint>

namespace tarvolinde {

// The choices of "Calidad:" ("Sin sonido", "11025 Hz", "22050 Hz", "44100 Hz").
inline constexpr std::array<uint32_t, 4> kSampleRates{0, 11025, 22050, 44100};

// Sample rate of a "Calidad:" index; indices out of range mean no sound.
constexpr uint32_t SampleRateOfQuality(int index) {
    return index >= 0 && index < int(kSampleRates.size()) ? kSampleRates[size_t(index)] : 0;
}

// Frame period in milliseconds for a speed in percent (10 to 1000): 20 at 100 %.
constexpr uint32_t FrameMsOfSpeed(int percent) { return uint32_t(2000 / std::clamp(percent, 10, 1000)); }

// The seven items of the "Volumen" menu, "10 %" to "100 %", as the stream
// attenuation of each in hundredths of a decibel.
inline constexpr int kVolumeSteps = 7;
inline constexpr std::array<int32_t, kVolumeSteps> kVolumeAttenuation{-2303, -1386, -1109, -693, -416, -288, 0};
inline constexpr int kFullVolumeIndex = kVolumeSteps - 1;

constexpr int32_t VolumeAttenuation(int index) {
    return kVolumeAttenuation[size_t(std::clamp(index, 0, kVolumeSteps - 1))];
}

struct SoundFormat {
    static constexpr uint32_t kFramesInBuffer = 12;
    static constexpr uint32_t kDrawFrames = 4;

    uint32_t SampleRate = 0;  // 0: no sound
    uint32_t FrameMs = 20;

    bool HasSound() const { return SampleRate != 0; }
    // Integer divisions, as the frame rate is whole frames per second: 882 at
    // 44100 Hz and 20 ms. The frame period is kept within 1 to 1000 ms.
    uint32_t SamplesPerFrame() const { return SampleRate / (1000 / std::clamp<uint32_t>(FrameMs, 1, 1000)); }
    uint32_t SoundBufferSize() const { return kFramesInBuffer * SamplesPerFrame(); }
    uint32_t DrawThreshold() const { return kDrawFrames * SamplesPerFrame(); }

    friend bool operator==(const SoundFormat&, const SoundFormat&) = default;
};

}  // namespace tarvolinde
