#include "machine/sound/sound_writer.h"

#include <algorithm>

namespace tarvolinde {

void SoundWriter::Start() {
    sink_.Fill(0);
    WritePos = format_.SoundBufferSize() / 2;
    sink_.SetPlayPosition(0);
    sink_.Play(true);
}

bool SoundWriter::FrameDone(std::span<const uint8_t> samples) {
    const auto bufferSize = int64_t(format_.SoundBufferSize());
    const uint32_t frame = format_.SamplesPerFrame();
    if (bufferSize == 0 || !sink_.IsOpen()) return true;

    // Outside the running emulation (a reset while stopped) the frame is still
    // heard: the buffer plays through once.
    if (!sink_.Playing()) sink_.Play(false);
    int64_t queued = 0;
    for (;;) {
        queued = int64_t(WritePos) - int64_t(sink_.PlayPosition());
        if (queued < 0) queued += bufferSize;
        if (queued < bufferSize - frame) break;
        // A buffer played through once frees no more space: waiting would never end.
        if (!sink_.Playing()) break;
        clock_.SleepMs(format_.FrameMs);
    }
    const bool draw = queued > int64_t(format_.DrawThreshold());

    // Twelve whole frames fill the buffer, so a frame never wraps.
    sink_.Write(WritePos, samples.first(std::min<size_t>(samples.size(), frame)));
    WritePos += frame;
    if (WritePos >= bufferSize) WritePos -= uint32_t(bufferSize);
    return draw;
}

}  // namespace tarvolinde
