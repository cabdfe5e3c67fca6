#include "tape/tap.h"

#include <algorithm>
#include <cstring>

namespace tarvolinde {

TTap::TTap(std::vector<uint8_t> bytes) : TCinta(Parse(std::move(bytes))) {}

TapeImage TTap::Parse(std::vector<uint8_t> bytes) {
    BlockList blocks;
    ByteCursor stream(bytes);
    while (!stream.AtEnd()) {
        const auto position = uint32_t(stream.Position());
        const uint16_t length = stream.Word();
        blocks.AddBlockNode(position, length, stream, 0x10);
    }
    return {std::move(bytes), std::move(blocks), "TAP (Z80)"};
}

bool TTap::PulseTrain(uint32_t length) {
    int64_t elapsed = Elapsed();
    while (elapsed > int64_t(length)) {
        elapsed -= length;
        Advance(length);
        ToggleEar();
        if (--pulsesLeft_ == 0) return true;
    }
    return false;
}

void TTap::Update() {
    if (!machine_) return;
    switch (state_) {
    case State::NextBlock: {
        if (stream_.AtEnd()) {
            Stop(true);
            return;
        }
        blockLength_ = stream_.Word();
        ++blockIndex_;
        if (FastLoadTrap(0x10, blockLength_)) {
            state_ = State::Pause;
            return;
        }
        // The header/data choice goes by the length, not by the flag byte.
        pulsesLeft_ = blockLength_ == 19 ? RomTimings::kHeaderPilotPulses : RomTimings::kDataPilotPulses;
        state_ = State::Pilot;
        return;
    }
    case State::Pilot:
        if (PulseTrain(RomTimings::kPilot)) state_ = State::Sync1;
        return;
    case State::Sync1:
        if (Elapsed() > RomTimings::kSync1) {
            Advance(RomTimings::kSync1);
            ToggleEar();
            state_ = State::Sync2;
        }
        return;
    case State::Sync2:
        if (Elapsed() > RomTimings::kSync2) {
            Advance(RomTimings::kSync2);
            ToggleEar();
            bitsLeft_ = 0;
            bytesLeft_ = blockLength_;
            state_ = State::NextBit;
        }
        return;
    case State::NextBit:
    case State::BitZero:
    case State::BitOne:
        if (state_ == State::NextBit) {
            if (bitsLeft_ == 0) {
                if (bytesLeft_ == 0) {
                    state_ = State::Pause;
                    return;
                }
                --bytesLeft_;
                currentByte_ = stream_.Byte();
                bitsLeft_ = 8;
            }
            pulsesLeft_ = 2;
            state_ = (currentByte_ & 0x80) ? State::BitOne : State::BitZero;
            currentByte_ = uint8_t(currentByte_ << 1);
            --bitsLeft_;
        }
        if (PulseTrain(state_ == State::BitOne ? RomTimings::kOne : RomTimings::kZero)) state_ = State::NextBit;
        return;
    case State::Pause:
        if (Elapsed() > RomTimings::kPause) {
            state_ = State::NextBlock;
            Advance(uint64_t(Elapsed()));
        }
        return;
    }
}

std::string TTap::Preview(PreviewScreen& screen, PreviewBitmap& bitmap) const {
    ByteCursor stream(stream_.Bytes());
    while (!stream.AtEnd()) {
        const uint16_t length = stream.Word();
        const size_t start = stream.Position();
        stream.Skip(length);
        if (length != 19) continue;
        const auto header = stream.Bytes().subspan(start, stream.Position() - start);
        if (!IsScreenHeader(header)) continue;
        // The next block's length word and flag, then the picture.
        stream.Skip(3);
        const auto picture = stream.Bytes().subspan(stream.Position(), std::min(screen.size(), stream.Remaining()));
        std::copy(picture.begin(), picture.end(), screen.begin());
        break;
    }
    return TCinta::Preview(screen, bitmap);
}

}  // namespace tarvolinde
