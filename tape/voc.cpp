#include "tape/voc.h"

#include "machine/sp.h"
#include "tape/sample_period.h"
#include "tape/tape_error.h"

namespace tarvolinde {

namespace {

constexpr size_t kFirstBlockOffsetField = 20;

uint32_t LessBy(uint32_t value, uint32_t amount) { return value > amount ? value - amount : 0; }

}  // namespace

TVoc::TVoc(std::vector<uint8_t> bytes) : TCinta(Parse(std::move(bytes))) { ResetEngine(); }

TapeImage TVoc::Parse(std::vector<uint8_t> bytes) {
    ByteCursor stream(bytes);
    stream.Seek(kFirstBlockOffsetField);
    if (stream.Word() != kFirstBlock) throw TapeFormatError("VOC first block offset");
    BlockList blocks;
    const auto length = uint32_t(bytes.size() > kFirstBlock ? bytes.size() - kFirstBlock : 0);
    stream.Seek(kFirstBlock);
    blocks.AddBlockNode(kFirstBlock, length, stream, 0x14);
    return {std::move(bytes), std::move(blocks), "CVF"};
}

void TVoc::ResetEngine() {
    stream_.Seek(kFirstBlock);
    state_ = State::NextBlock;
}

void TVoc::MachineAttached() { SetRate(rate_); }

void TVoc::SetRate(uint32_t rate) {
    rate_ = rate;
    if (!machine_) return;
    clock_ = SampleClock(rate, Uses48KClock(*machine_));
    period_ = clock_.Next();
}

bool TVoc::NextBlock() {
    const uint8_t type = stream_.Byte();
    samplesLeft_ = stream_.Triple();
    if (type == 0 || type > 9) {
        Stop(true);
        return false;
    }
    uint32_t rate = 0;
    switch (type) {
    case 1: {
        samplesLeft_ = LessBy(samplesLeft_, 2);
        state_ = State::Samples;
        if (ratePending_) {
            // The extended block before it has set the rate; its own is ignored.
            ratePending_ = false;
            stream_.Skip(2);
            return true;
        }
        rate = 1000000 / (256 - stream_.Byte());
        if (stream_.Byte() != 0) {
            Stop(true);
            return false;
        }
        break;
    }
    case 2: state_ = State::Samples; return true;
    case 3:
        samplesLeft_ = stream_.Word();
        rate = 1000000 / (256 - stream_.Byte());
        state_ = State::Silence;
        break;
    case 8: {
        ratePending_ = true;
        rate = 256000000 / (65536 - stream_.Word());
        stream_.Skip(1);  // pack
        if (stream_.Byte() != 0) {
            Stop(true);
            return false;
        }
        break;
    }
    case 9: {
        rate = stream_.Dword();
        state_ = State::Samples;
        samplesLeft_ = LessBy(samplesLeft_, 12);
        stream_.Skip(1);  // bits per sample
        const uint8_t channels = stream_.Byte();
        const uint16_t codec = stream_.Word();
        if (channels != 1 || codec != 0 || rate == 0) {
            Stop(true);
            return false;
        }
        stream_.Skip(4);
        break;
    }
    default:  // 4 to 7: marker, text, repeat start and end
        stream_.Skip(samplesLeft_);
        return true;
    }
    SetRate(rate);
    return true;
}

void TVoc::Update() {
    if (!machine_) return;
    blockIndex_ = 0;  // the recording is the tape's one block
    for (;;) {
        if (state_ == State::NextBlock) {
            if (!NextBlock()) return;
            continue;
        }
        // A sound or silence block of no samples is over at once.
        if (samplesLeft_ == 0) {
            state_ = State::NextBlock;
            continue;
        }
        int64_t elapsed = Elapsed();
        while (elapsed >= int64_t(period_)) {
            elapsed -= period_;
            if (state_ == State::Samples) SetEar(stream_.Byte() >= kThreshold);
            Advance(period_);
            period_ = clock_.Next();
            if (--samplesLeft_ == 0) {
                state_ = State::NextBlock;
                return;
            }
        }
        return;
    }
}

}  // namespace tarvolinde
