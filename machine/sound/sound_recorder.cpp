#include "machine/sound/sound_recorder.h"

#include <limits>

namespace tarvolinde {

namespace {

void Put(std::array<uint8_t, 44>& header, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) header[at + size_t(i)] = uint8_t(value >> (8 * i));
}

}  // namespace

std::array<uint8_t, 44> SoundRecorder::Header(uint32_t rate, uint32_t dataBytes) {
    std::array<uint8_t, 44> header{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    Put(header, 4, 36 + dataBytes, 4);
    Put(header, 16, 16, 4);        // format chunk size
    Put(header, 20, 1, 2);         // PCM
    Put(header, 22, 1, 2);         // mono
    Put(header, 24, rate, 4);
    Put(header, 28, rate * 2, 4);  // bytes per second
    Put(header, 32, 2, 2);         // bytes per sample
    Put(header, 34, 16, 2);        // bits per sample
    Put(header, 36, 0x61746164, 4);  // "data"
    Put(header, 40, dataBytes, 4);
    return header;
}

SoundRecorder::SoundRecorder(const std::string& path, uint32_t rate, SoundOut* next)
    : file_(path, std::ios::binary | std::ios::trunc), rate_(rate), next_(next) {
    const auto header = Header(rate_, 0);
    file_.write(reinterpret_cast<const char*>(header.data()), std::streamsize(header.size()));
}

SoundRecorder::~SoundRecorder() { Finish(); }

bool SoundRecorder::FrameDone(std::span<const uint8_t> samples) {
    // The RIFF sizes are 32-bit: a recording stops growing at 4 GB rather than wrap.
    if (file_ && dataBytes_ <= std::numeric_limits<uint32_t>::max() - 44 - 2 * samples.size()) {
        wide_.clear();
        for (const uint8_t sample : samples) {
            const auto value = uint16_t(int16_t((int(sample) - 128) * 256));
            wide_.push_back(uint8_t(value)), wide_.push_back(uint8_t(value >> 8));
        }
        file_.write(reinterpret_cast<const char*>(wide_.data()), std::streamsize(wide_.size()));
        dataBytes_ += uint32_t(wide_.size());
    }
    return next_ ? next_->FrameDone(samples) : true;
}

bool SoundRecorder::Finish() {
    if (finished_) return Good();
    finished_ = true;
    const auto header = Header(rate_, dataBytes_);
    file_.seekp(0);
    file_.write(reinterpret_cast<const char*>(header.data()), std::streamsize(header.size()));
    file_.close();
    return !file_.fail();
}

}  // namespace tarvolinde
