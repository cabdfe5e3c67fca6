#pragma once
// The host's sound device and joystick as the main window gets them. The
// program plays through SDL; tests hand in silent ones. A factory that is
// empty or returns null means the host has no such device.

#include <functional>
#include <memory>

#include "platform/audio_sink.h"
#include "platform/clock.h"
#include "platform/joystick_source.h"

namespace tarvolinde {

struct HostDevices {
    // Called once, with the clock the window paces by.
    std::function<std::unique_ptr<AudioSink>(Clock&)> MakeAudioSink;
    std::function<std::unique_ptr<JoystickSource>()> MakeJoystick;
};

// SDL2's audio output and joystick 0.
HostDevices SdlHostDevices();

}  // namespace tarvolinde
