#pragma once
// The runner's --sound: the machine's frames go to a WAV file.

#include <cstdint>
#include <memory>
#include <string>

#include "machine/sound/sound_recorder.h"

namespace tarvolinde {
class TSp;
}

namespace tarvolinde::cli {

// Sets the machine's sound to `rate` and sends its frames to a new WAV file at
// `path`; prints the error and returns nothing when the file cannot be written.
// The machine must not run after the recorder has gone.
std::unique_ptr<SoundRecorder> StartSoundRecording(const std::string& path, uint32_t rate, TSp& machine);

}  // namespace tarvolinde::cli
