// Pacing: how many frames a second the emulation runs when held to real time by
// the sound writer (SDL audio; SDL_AUDIODRIVER=dummy works without a sound card)
// or by the timer pacer, at a chosen speed. The frames carry silence: the pacing
// does not depend on the work done in them as long as the host keeps up.
//
//   pacing [--seconds N] [--speed PERCENT] [--quality 0-3]
//
// Quality 0 is the timer pacer. Prints the measured rate and exits with 1 when it
// is more than 1 % away from 1000 / frame period.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "machine/sound/sound_format.h"
#include "machine/sound/sound_frame.h"
#include "machine/sound/sound_output.h"
#include "platform/clock.h"
#include "platform/sdl/sdl_audio_sink.h"

using namespace tarvolinde;

int main(int argc, char** argv) {
    int seconds = 10, speed = 100, quality = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--seconds")) seconds = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--speed")) speed = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--quality")) quality = std::atoi(argv[i + 1]);
    }

    SteadyClock clock;
    SdlAudioSink sink;
    SoundOutput output(&sink, clock);
    output.SetSpeed(speed);
    if (!output.SetQuality(quality))
        std::printf("No sound (%s): pacing by the timer.\n", output.LastError().c_str());
    const SoundFormat format = output.Format();
    FrameSound frameSound;
    frameSound.Setup(format, 69888);

    auto runFor = [&](int64_t microseconds, int& frames, int& drawn) {
        const int64_t start = clock.NowUs();
        while (clock.NowUs() - start < microseconds) {
            drawn += output.FrameDone(frameSound.CompleteFrame(nullptr)) ? 1 : 0;
            frameSound.StartFrame();
            ++frames;
        }
        return clock.NowUs() - start;
    };

    output.StartEmulation();
    // The writer starts six frames ahead; the first second lets the queue settle.
    int warmFrames = 0, warmDrawn = 0;
    runFor(1'000'000, warmFrames, warmDrawn);
    int frames = 0, drawn = 0;
    const int64_t elapsed = runFor(int64_t(seconds) * 1'000'000, frames, drawn);
    output.StopEmulation();

    const double fps = frames * 1e6 / double(elapsed);
    const double expected = 1000.0 / format.FrameMs;
    const double error = (fps - expected) / expected * 100.0;
    std::printf("%s, speed %d %%: %.3f frames/s over %.2f s (expected %.3f, %+.2f %%), %d of %d drawn%s%s\n",
                format.HasSound() ? "sound" : "timer", speed, fps, elapsed / 1e6, expected, error, drawn, frames,
                format.HasSound() ? ", driver " : "", format.HasSound() ? sink.DriverName().c_str() : "");
    return std::fabs(error) <= 1.0 ? 0 : 1;
}
