#pragma once
// "Grabar sonido" and the runner's --sound: the frames' sound, as the window
// would play it, written to a WAV file (PCM, mono, 16-bit, the frame samples'
// rate). It stands between the machine and the output that paces it and hands
// every frame on unchanged.

#include <array>
#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "machine/sound/sound_out.h"

namespace tarvolinde {

class SoundRecorder final : public SoundOut {
public:
    // Starts a file at `path` for samples at `rate`; `next` (may be null)
    // receives every frame afterwards. Check Good() before use.
    SoundRecorder(const std::string& path, uint32_t rate, SoundOut* next);
    // Finishes the file (see Finish).
    ~SoundRecorder() override;
    SoundRecorder(const SoundRecorder&) = delete;
    SoundRecorder& operator=(const SoundRecorder&) = delete;

    bool Good() const { return bool(file_); }
    // Writes the sizes into the header and closes the file; returns whether
    // everything was written.
    bool Finish();

    bool FrameDone(std::span<const uint8_t> samples) override;

    // The 44-byte header of a mono 16-bit PCM WAV file of `dataBytes` bytes of samples.
    static std::array<uint8_t, 44> Header(uint32_t rate, uint32_t dataBytes);

private:
    std::ofstream file_;
    uint32_t rate_;
    SoundOut* next_;
    uint32_t dataBytes_ = 0;
    std::vector<uint8_t> wide_;  // a frame's samples as written, kept to spare an allocation a frame
    bool finished_ = false;
};

}  // namespace tarvolinde
