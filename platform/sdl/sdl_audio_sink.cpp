#include "platform/sdl/sdl_audio_sink.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

namespace tarvolinde {

namespace {

// Callback chunks of a power of two near 23 ms (1024 samples at 44100 Hz, 512
// at 22050, 256 at 11025). The play position moves smoothly between callbacks, so
// the chunk size does not make the pacing coarse; and drivers that time callbacks
// in whole milliseconds (SDL's dummy driver) lose under 1 % of 23.2 ms.
uint16_t ChunkSamples(uint32_t sampleRate) {
    uint16_t samples = 64;
    while (samples * 2u <= sampleRate / 40u && samples < 8192) samples *= 2;
    return samples;
}

int64_t SteadyNowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Holds the device locked for a scope, so that the callback never sees half an update.
class DeviceLock {
public:
    explicit DeviceLock(uint32_t device) : device_(device) {
        if (device_) SDL_LockAudioDevice(device_);
    }
    ~DeviceLock() {
        if (device_) SDL_UnlockAudioDevice(device_);
    }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

private:
    uint32_t device_;
};

}  // namespace

SdlAudioSink::~SdlAudioSink() {
    Close();
    if (subsystemStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioSink::Open(uint32_t sampleRate, uint32_t bufferBytes) {
    Close();
    if (sampleRate == 0 || bufferBytes == 0) {
        lastError_ = "no sample rate or buffer size";
        return false;
    }
    if (!subsystemStarted_) {
        SDL_SetMainReady();
        // Otherwise SDL turns SIGINT and SIGTERM into quit events that nobody reads.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            lastError_ = SDL_GetError();
            return false;
        }
        subsystemStarted_ = true;
    }

    buffer_.assign(bufferBytes, 0);
    sampleRate_ = sampleRate;
    readIndex_ = chunkStart_ = chunkLength_ = 0;
    playing_ = false;
    looping_ = false;
    held_ = 0;
    SetVolume(0);

    SDL_AudioSpec want{};
    want.freq = int(sampleRate);
    want.format = AUDIO_U8;
    want.channels = 1;
    want.samples = ChunkSamples(sampleRate);
    want.userdata = this;
    want.callback = [](void* sink, Uint8* stream, int length) {
        static_cast<SdlAudioSink*>(sink)->Render(stream, length);
    };
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts our format to whatever the device takes.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        lastError_ = SDL_GetError();
        buffer_.clear();
        return false;
    }
    device_ = device;
    lastError_.clear();
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlAudioSink::Close() {
    if (device_) SDL_CloseAudioDevice(device_);
    device_ = 0;
    buffer_.clear();
    readIndex_ = chunkStart_ = chunkLength_ = 0;
    playing_ = false;
}

void SdlAudioSink::Play(bool looping) {
    if (!device_) return;
    const DeviceLock lock(device_);
    looping_ = looping;
    playing_ = true;
}

void SdlAudioSink::Stop() {
    const DeviceLock lock(device_);
    playing_ = false;
}

bool SdlAudioSink::Playing() const {
    const DeviceLock lock(device_);
    return playing_;
}

uint32_t SdlAudioSink::PlayPosition() const {
    if (!device_) return 0;
    const DeviceLock lock(device_);
    if (!playing_ || chunkLength_ == 0) return readIndex_;
    const int64_t elapsedUs = std::max<int64_t>(SteadyNowUs() - chunkTimeUs_, 0);
    const auto played = uint32_t(std::min<int64_t>(elapsedUs * sampleRate_ / 1000000, chunkLength_));
    return (chunkStart_ + played) % uint32_t(buffer_.size());
}

void SdlAudioSink::SetPlayPosition(uint32_t offset) {
    if (!device_) return;
    const DeviceLock lock(device_);
    readIndex_ = chunkStart_ = offset % uint32_t(buffer_.size());
    chunkLength_ = 0;
}

void SdlAudioSink::Write(uint32_t offset, std::span<const uint8_t> samples) {
    if (!device_ || samples.empty()) return;
    const DeviceLock lock(device_);
    const size_t size = buffer_.size();
    size_t at = offset % size;
    while (!samples.empty()) {
        const size_t run = std::min(samples.size(), size - at);
        std::memcpy(buffer_.data() + at, samples.data(), run);
        samples = samples.subspan(run);
        at = 0;
    }
}

void SdlAudioSink::Fill(uint8_t value) {
    const DeviceLock lock(device_);
    std::fill(buffer_.begin(), buffer_.end(), value);
}

// The attenuation scales the signal about the unsigned format's centre, as a
// mixer does: 10^(hundredths / 2000) in amplitude.
void SdlAudioSink::SetVolume(int32_t hundredthsOfDecibel) {
    const double gain = std::pow(10.0, std::min(hundredthsOfDecibel, 0) / 2000.0);
    const DeviceLock lock(device_);
    for (int sample = 0; sample < 256; ++sample) {
        const double scaled = 128.0 + (sample - 128) * gain;
        volumeMap_[size_t(sample)] = uint8_t(std::clamp(std::lround(scaled), 0L, 255L));
    }
}

std::string SdlAudioSink::DriverName() const {
    const char* name = device_ ? SDL_GetCurrentAudioDriver() : nullptr;
    return name ? name : "";
}

void SdlAudioSink::Render(uint8_t* out, int length) {
    const auto size = uint32_t(buffer_.size());
    chunkStart_ = readIndex_;
    chunkLength_ = 0;
    chunkTimeUs_ = SteadyNowUs();
    for (int i = 0; i < length; ++i) {
        if (!playing_ || size == 0) {
            out[i] = volumeMap_[held_];
            continue;
        }
        held_ = buffer_[readIndex_];
        out[i] = volumeMap_[held_];
        ++chunkLength_;
        if (++readIndex_ == size) {
            readIndex_ = 0;
            playing_ = looping_;
        }
    }
}

}  // namespace tarvolinde
