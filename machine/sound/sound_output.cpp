#include "machine/sound/sound_output.h"

namespace tarvolinde {

SoundOutput::SoundOutput(AudioSink* sink, Clock& clock) : sink_(sink), pacer_(clock), active_(&pacer_) {
    if (sink_) writer_.emplace(*sink_, clock);
    pacer_.SetFrameMs(format_.FrameMs);
}

SoundOutput::~SoundOutput() {
    if (sink_) sink_->Close();
}

bool SoundOutput::SetFormat(const SoundFormat& format) {
    format_ = format;
    lastError_.clear();
    if (sink_) sink_->Close();
    bool opened = true;
    if (format_.HasSound()) {
        if (!sink_) {
            lastError_ = "no audio output";
            opened = false;
        } else if (!sink_->Open(format_.SampleRate, format_.SoundBufferSize())) {
            lastError_ = sink_->LastError();
            opened = false;
        }
        if (!opened) format_.SampleRate = 0;
    }
    if (format_.HasSound()) {
        sink_->SetVolume(VolumeAttenuation(volumeIndex_));
        writer_->Configure(format_);
        active_ = &*writer_;
    } else {
        active_ = &pacer_;
    }
    pacer_.SetFrameMs(format_.FrameMs);
    return opened;
}

std::string SoundOutput::LastError() const { return lastError_; }

void SoundOutput::SetVolume(int volumeIndex) {
    volumeIndex_ = std::clamp(volumeIndex, 0, kVolumeSteps - 1);
    if (format_.HasSound()) sink_->SetVolume(VolumeAttenuation(volumeIndex_));
}

void SoundOutput::StartEmulation() {
    pacer_.Start();
    if (format_.HasSound()) writer_->Start();
}

void SoundOutput::StopEmulation() {
    if (format_.HasSound()) writer_->Stop();
}

}  // namespace tarvolinde
