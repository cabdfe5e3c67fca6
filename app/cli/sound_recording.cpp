#include "app/cli/sound_recording.h"

#include <cstdio>

#include "machine/sound/sound_format.h"
#include "machine/sp.h"

namespace tarvolinde::cli {

std::unique_ptr<SoundRecorder> StartSoundRecording(const std::string& path, uint32_t rate, TSp& machine) {
    auto recorder = std::make_unique<SoundRecorder>(path, rate, machine.Output);
    if (!recorder->Good()) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return nullptr;
    }
    machine.SetSoundFormat(SoundFormat{.SampleRate = rate, .FrameMs = 20});
    machine.Output = recorder.get();
    return recorder;
}

}  // namespace tarvolinde::cli
