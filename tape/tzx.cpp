#include "tape/tzx.h"

#include <algorithm>

#include "machine/sp.h"
#include "tape/tap.h"
#include "tape/tape_error.h"

namespace tarvolinde {

namespace {

constexpr uint32_t kTStatesPerMs = 3500;
constexpr size_t kHeaderSize = 10;
constexpr uint8_t kSignature[] = {'Z', 'X', 'T', 'a', 'p', 'e', '!', 0x1A};
// A standard-speed block: ID, pause (2), length (2), then the ROM bytes.
constexpr size_t kStandardBlockFields = 5;

// The bytes of a block between its ID and its body (those holding the body's length).
size_t TzxFieldsLength(uint8_t id) {
    switch (id) {
    case 0x10: return 4;
    case 0x11: return 18;
    case 0x13:
    case 0x21:
    case 0x30:
    case 0x33: return 1;
    case 0x14: return 10;
    case 0x15: return 8;
    case 0x20:
    case 0x26:
    case 0x28:
    case 0x31:
    case 0x32: return 2;
    case 0x2A:
    case 0x40: return 4;
    case 0x35: return 14;
    default: return 0;
    }
}

}  // namespace

TTzx::TTzx(std::vector<uint8_t> bytes) : TCinta(Parse(std::move(bytes))) {
    stream_.Seek(kHeaderSize);
    blockIndex_ = 0;
}

TapeImage TTzx::Parse(std::vector<uint8_t> bytes) {
    if (bytes.size() < kHeaderSize) throw TapeFormatError("TZX: shorter than its header", FileProblem::TooShort);
    if (!std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin()))
        throw TapeFormatError("TZX: no ZXTape! signature");
    BlockList blocks;
    ByteCursor stream(bytes);
    bool cutShort = false;
    while (!stream.AtEnd()) {
        const auto position = uint32_t(stream.Position());
        const uint8_t id = stream.Byte();
        uint32_t length = 0;
        // The fields before the body must all be there; ByteCursor would read 0 for those missing.
        const size_t fields = TzxFieldsLength(id);
        if (stream.Remaining() < fields) {
            cutShort = true;
            stream.Seek(position);
            break;
        }
        switch (id) {
        case 0x10: stream.Skip(2), length = stream.Word(); break;
        case 0x11: stream.Skip(15), length = stream.Triple(); break;
        case 0x12: length = 4; break;
        case 0x13: length = 2u * stream.Byte(); break;
        case 0x14: stream.Skip(7), length = stream.Triple(); break;
        case 0x15: stream.Skip(5), length = stream.Triple(); break;
        case 0x20: stream.Skip(2); break;
        case 0x21:
        case 0x30: length = stream.Byte(); break;
        case 0x23:
        case 0x24: length = 2; break;
        case 0x26: length = 2u * stream.Word(); break;
        case 0x28:
        case 0x32: length = stream.Word(); break;
        case 0x2A: stream.Skip(4); break;
        case 0x31: stream.Skip(1), length = stream.Byte(); break;
        case 0x33: length = 3u * stream.Byte(); break;
        case 0x34: length = 8; break;
        case 0x35: stream.Skip(10), length = stream.Dword(); break;
        case 0x40: stream.Skip(1), length = stream.Triple(); break;
        case 0x5A: length = 9; break;
        default: break;  // no body: an unsupported block's bytes are read as further IDs
        }
        if (length > stream.Remaining()) {
            cutShort = true;
            stream.Seek(position);
            break;
        }
        blocks.AddBlockNode(position, length, stream, id);
    }
    // The engine reads the file itself: what is cut short must not be there to play.
    bytes.resize(stream.Position());
    return {std::move(bytes), std::move(blocks), "TZX!", cutShort};
}

bool TTzx::IdleStep() {
    if (++idleSteps_ <= kIdleStepLimit) return true;
    idleSteps_ = 0;
    Jam();
    return false;
}

bool TTzx::LoadNextByte() {
    while (bitsLeft_ == 0) {
        if (bytesLeft_ < 0) return false;
        bitsLeft_ = bytesLeft_ > 0 ? 8 : std::min<uint8_t>(lastByteBits_, 8);
        currentByte_ = stream_.Byte();
        --bytesLeft_;
    }
    return true;
}

bool TTzx::NextBlock() {
    if (stream_.AtEnd()) {
        Stop(true);
        return false;
    }
    if (!IdleStep()) return false;
    nextState_ = State::NextBlock;
    ++blockIndex_;
    const uint8_t id = stream_.Byte();
    pauseT_ = 0;
    bytesLeft_ = 0;
    bitsLeft_ = 0;
    const auto readPause = [this] { pauseT_ = uint64_t(stream_.Word()) * kTStatesPerMs; };
    switch (id) {
    case 0x10: {
        readPause();
        const uint16_t length = stream_.Word();
        bytesLeft_ = length;
        if (FastLoadTrap(0x10, length)) {
            state_ = State::Pause;
            return false;
        }
        pulseLen_ = RomTimings::kPilot;
        pulsesLeft_ = length == 19 ? RomTimings::kHeaderPilotPulses : RomTimings::kDataPilotPulses;
        zeroLen_ = RomTimings::kZero;
        oneLen_ = RomTimings::kOne;
        sync1Len_ = RomTimings::kSync1;
        sync2Len_ = RomTimings::kSync2;
        lastByteBits_ = 8;
        --bytesLeft_;
        nextState_ = State::Sync;
        syncsDone_ = 0;
        state_ = State::PulseTrain;
        return true;
    }
    case 0x11: {
        pulseLen_ = stream_.Word();
        sync1Len_ = stream_.Word();
        sync2Len_ = stream_.Word();
        zeroLen_ = stream_.Word();
        oneLen_ = stream_.Word();
        pulsesLeft_ = stream_.Word();
        lastByteBits_ = stream_.Byte();
        readPause();
        const uint32_t length = stream_.Triple();
        bytesLeft_ = length;
        if (FastLoadTrap(0x11, length)) {
            state_ = State::Pause;
            return false;
        }
        --bytesLeft_;
        nextState_ = State::Sync;
        syncsDone_ = 0;
        state_ = State::PulseTrain;
        return true;
    }
    case 0x12:
        pulseLen_ = stream_.Word();
        pulsesLeft_ = stream_.Word();
        state_ = State::PulseTrain;
        return true;
    case 0x13:
        sequenceLeft_ = stream_.Byte();
        state_ = nextState_ = State::PulseSequence;
        return true;
    case 0x14:
        state_ = nextState_ = State::DataBits;
        zeroLen_ = stream_.Word();
        oneLen_ = stream_.Word();
        lastByteBits_ = stream_.Byte();
        readPause();
        bytesLeft_ = int64_t(stream_.Triple()) - 1;
        return true;
    case 0x15:
        pulseLen_ = stream_.Word();
        readPause();
        lastByteBits_ = stream_.Byte();
        bytesLeft_ = int64_t(stream_.Triple()) - 1;
        state_ = State::DirectRecording;
        return true;
    case 0x20:
        readPause();
        if (pauseT_ == 0) {
            Stop(false);
            return false;
        }
        state_ = State::Pause;
        SetEar(false);
        return true;
    case 0x21: stream_.Skip(stream_.Byte()); return true;
    case 0x22: return true;
    case 0x23: return JumpToBlock(int64_t(blockIndex_) + int16_t(stream_.Word()));
    case 0x24:
        loopCount_ = stream_.Word();
        loopStart_ = int64_t(blockIndex_) + 1;
        return true;
    case 0x25:
        --loopCount_;
        if (loopCount_ > 0 && loopStart_ > 0) return JumpToBlock(loopStart_);
        loopStart_ = -1;
        return true;
    case 0x26: {
        // Only the first call of the sequence is made; an empty sequence calls nothing.
        if (stream_.Word() == 0) return true;
        const int16_t offset = int16_t(stream_.Word());
        returnBlock_ = int64_t(blockIndex_) + 1;
        return JumpToBlock(int64_t(blockIndex_) + offset);
    }
    case 0x27: {
        const int64_t target = returnBlock_;
        returnBlock_ = -1;
        return target > 0 ? JumpToBlock(target) : true;
    }
    case 0x28:
    case 0x32: stream_.Skip(stream_.Word()); return true;
    case 0x30: stream_.Skip(stream_.Byte()); return true;
    case 0x31: stream_.Skip(1), stream_.Skip(stream_.Byte()); return true;
    case 0x33: stream_.Skip(3u * stream_.Byte()); return true;
    case 0x34: stream_.Skip(8); return true;
    case 0x35: stream_.Skip(10), stream_.Skip(stream_.Dword()); return true;
    case 0x40: stream_.Skip(1), stream_.Skip(stream_.Triple()); return true;
    case 0x5A: stream_.Skip(9); return true;
    case 0x2A:
        stream_.Skip(4);
        if (machine_->RamKb == 48) {
            Stop(true);
            return false;
        }
        return true;
    default:
        Stop(true);
        return false;
    }
}

void TTzx::Update() {
    if (!machine_) return;
    // A block ending on an edge lets the reader see that edge before the next
    // block starts (and perhaps is loaded at once by the ROM loader shortcut).
    bool edgeMade = false;
    for (;;) {
        switch (state_) {
        case State::NextBlock:
            if (edgeMade || !NextBlock()) return;
            break;
        case State::Sync:
            if (syncsDone_ < 2) {
                pulseLen_ = syncsDone_ == 0 ? sync1Len_ : sync2Len_;
                pulsesLeft_ = 1;
                ++syncsDone_;
                state_ = State::PulseTrain;
            } else {
                state_ = nextState_ = State::DataBits;
            }
            break;
        case State::PulseTrain: {
            // A train of no pulses ends at once.
            if (pulsesLeft_ > 0 && pulseLen_ == 0) {
                // Pulses of no length only flip the level: a train of 65535 of
                // them costs one step, not one per pulse on every port read.
                if (pulsesLeft_ & 1) ToggleEar();
                pulsesLeft_ = 0;
                if (!IdleStep()) return;
            }
            if (pulsesLeft_ > 0) {
                int64_t elapsed = Elapsed();
                if (elapsed < int64_t(pulseLen_)) return;
                while (pulsesLeft_ > 0) {
                    if (elapsed < int64_t(pulseLen_)) return;
                    Advance(pulseLen_);
                    elapsed -= pulseLen_;
                    ToggleEar();
                    --pulsesLeft_;
                    TimePassed();
                    edgeMade = true;
                }
            }
            state_ = nextState_;
            break;
        }
        case State::PulseSequence:
            if (sequenceLeft_ == 0) {
                state_ = State::NextBlock;
                break;
            }
            pulseLen_ = stream_.Word();
            pulsesLeft_ = 1;
            --sequenceLeft_;
            state_ = State::PulseTrain;
            break;
        case State::DataBits:
            if (!LoadNextByte()) {
                state_ = State::Pause;
                break;
            }
            pulsesLeft_ = 2;
            pulseLen_ = (currentByte_ & 0x80) ? oneLen_ : zeroLen_;
            currentByte_ = uint8_t(currentByte_ << 1);
            --bitsLeft_;
            state_ = State::PulseTrain;
            break;
        case State::DirectRecording: {
            int64_t elapsed = Elapsed();
            bool over = false;
            while (!over) {
                if (elapsed < int64_t(pulseLen_)) return;
                Advance(pulseLen_);
                elapsed -= pulseLen_;
                if (pulseLen_ > 0) TimePassed();
                else if (!IdleStep()) return;
                if (!LoadNextByte()) {
                    // Samples hold levels, so the edge that ends the last one is
                    // not in them: before a pause it is made here, or a loader
                    // timing that last pulse would wait for it in vain.
                    if (pauseT_ > 0) ToggleEar();
                    over = true;
                } else {
                    SetEar(currentByte_ & 0x80);
                    currentByte_ = uint8_t(currentByte_ << 1);
                    --bitsLeft_;
                }
            }
            state_ = State::Pause;
            break;
        }
        case State::Pause:
            if (Elapsed() < int64_t(pauseT_)) return;
            state_ = State::NextBlock;
            Advance(pauseT_);
            if (pauseT_ > 0) TimePassed();
            break;
        }
    }
}

std::string TTzx::Preview(PreviewScreen& screen, PreviewBitmap& bitmap) const {
    const auto& nodes = Blocks().Nodes();
    const std::span<const uint8_t> bytes = stream_.Bytes();
    for (size_t i = 0; i + 1 < nodes.size(); ++i) {
        const TBloque& header = nodes[i].Block;
        const TBloque& data = nodes[i + 1].Block;
        if (header.Kind != 0x10 || header.Length != 19 || data.Kind != 0x10) continue;
        const size_t headerStart = std::min<size_t>(header.Position + kStandardBlockFields, bytes.size());
        if (!IsScreenHeader(bytes.subspan(headerStart, std::min<size_t>(19, bytes.size() - headerStart)))) continue;
        // The picture follows the data block's flag byte.
        const size_t pictureStart = std::min<size_t>(data.Position + kStandardBlockFields + 1, bytes.size());
        const auto picture = bytes.subspan(pictureStart, std::min(screen.size(), bytes.size() - pictureStart));
        std::copy(picture.begin(), picture.end(), screen.begin());
        break;
    }
    return TCinta::Preview(screen, bitmap);
}

}  // namespace tarvolinde
