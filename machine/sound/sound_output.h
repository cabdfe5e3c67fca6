#pragma once
// The emulator's sound output as the main window drives it: the quality and speed
// settings with the buffer set-up they cause, the volume, and the start and stop
// of the emulation. Each frame goes to the sound writer while a sample rate is in
// use and to the timer pacer otherwise. When the audio sink cannot play (no
// device, or it refuses the format) the output falls back to the timer pacer
// without sound, and says so through its return values.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "machine/sound/sound_format.h"
#include "machine/sound/sound_out.h"
#include "machine/sound/sound_writer.h"
#include "machine/sound/timer_pacer.h"
#include "platform/audio_sink.h"
#include "platform/clock.h"

namespace tarvolinde {

class SoundOutput final : public SoundOut {
public:
    // sink may be null when there is no audio back end at all.
    SoundOutput(AudioSink* sink, Clock& clock);
    ~SoundOutput() override;
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // The buffer set-up: releases the old stream buffer and, with a sample rate,
    // opens one of twelve frames at the current volume. Returns false when the
    // sink could not open it; the output then runs without sound (Format() has no
    // sample rate) and LastError() says why. Call with the emulation stopped, then
    // set up the machine's frame sound with Format().
    bool SetFormat(const SoundFormat& format);
    // "Calidad:" index 0-3 and speed in percent, through SetFormat.
    bool SetQuality(int qualityIndex) { return SetFormat({SampleRateOfQuality(qualityIndex), format_.FrameMs}); }
    bool SetSpeed(int percent) { return SetFormat({format_.SampleRate, FrameMsOfSpeed(percent)}); }
    const SoundFormat& Format() const { return format_; }
    std::string LastError() const;

    // The "Volumen" menu: item 0 ("10 %") to 6 ("100 %").
    void SetVolume(int volumeIndex);
    int VolumeIndex() const { return volumeIndex_; }

    // The emulation-start step: the pacer's first deadline one frame from now and,
    // with sound, a silent buffer looping from its start with six frames of lead.
    void StartEmulation();
    // The emulation has stopped: the stream stops with it.
    void StopEmulation();

    bool FrameDone(std::span<const uint8_t> samples) override { return active_->FrameDone(samples); }

private:
    AudioSink* sink_;
    std::optional<SoundWriter> writer_;
    TimerPacer pacer_;
    SoundOut* active_;
    SoundFormat format_{};
    int volumeIndex_ = kFullVolumeIndex;
    std::string lastError_;
};

}  // namespace tarvolinde
