#include "frontend/host_devices.h"

#include "platform/sdl/sdl_audio_sink.h"
#include "platform/sdl/sdl_joystick.h"

namespace tarvolinde {

HostDevices SdlHostDevices() {
    return HostDevices{
        .MakeAudioSink = [](Clock&) -> std::unique_ptr<AudioSink> { return std::make_unique<SdlAudioSink>(); },
        .MakeJoystick = [] { return CreateSdlJoystick(); },
    };
}

}  // namespace tarvolinde
