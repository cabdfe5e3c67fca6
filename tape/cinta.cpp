#include "tape/cinta.h"

#include <algorithm>
#include <utility>

#include "machine/sp.h"

namespace tarvolinde {

namespace {

// The ROM loader's edge-sampling routine: IN A,(0xFE) at 0x05F1, so the port
// read of that instruction sees PC = 0x05F3; 0x05E2 is the RET that ends
// LD-BYTES.
constexpr uint16_t kSampleInAddress = 0x05F1;
constexpr uint16_t kTrapAddress = 0x05F3;
constexpr uint16_t kLoadReturnAddress = 0x05E2;
// LD-BYTES' own first IN A,(0xFE) at 0x0562, before any edge is looked for: a
// block starting there is taken too, with no LD-EDGE return address to drop.
constexpr uint16_t kStartInAddress = 0x0562;
constexpr uint16_t kStartTrapAddress = 0x0564;
// Return addresses of LD-8-BITS' CALL LD-EDGE-2 and of LD-EDGE-2's CALL LD-EDGE-1.
constexpr uint16_t kBitsEdgeReturn = 0x05CD;
constexpr uint16_t kSecondEdgeReturn = 0x05E6;

constexpr uint8_t kEarLow = 0xBF;
constexpr uint8_t kEarHigh = 0xFF;
constexpr uint8_t kCarry = 0x01;

// Only a Sinclair-compatible loader may be short-cut: on 128K models another
// ROM may be paged in, and other ROMs keep other code at these addresses.
bool RomLoaderPaged(const Z80& cpu) {
    return cpu.ReadByteFree(kSampleInAddress) == 0xDB && cpu.ReadByteFree(kSampleInAddress + 1) == 0xFE &&
           cpu.ReadByteFree(kLoadReturnAddress) == 0xC9;
}

// The ROM is inside a block's bytes (LD-8-BITS), waiting for the edge that ends
// its last bit, not looking for a new block: a block that starts on tape at
// that moment is not the one it asked for.
bool ReadingBytes(const Z80& cpu) {
    const uint16_t back = cpu.ReadWordFree(cpu.SP.w);
    return back == kBitsEdgeReturn ||
           (back == kSecondEdgeReturn && cpu.ReadWordFree(uint16_t(cpu.SP.w + 2)) == kBitsEdgeReturn);
}

}  // namespace

TCinta::TCinta(TapeImage image)
    : image_(std::move(image.Bytes)),
      blocks_(std::move(image.Blocks)),
      description_(std::move(image.Description)),
      cutShort_(image.CutShort) {
    stream_ = ByteCursor(image_);
}

TCinta::~TCinta() { Attach(nullptr); }

void TCinta::Attach(TSp* machine) {
    if (machine_ && machine_->Tape == this) {
        // A machine left behind must not stay unpaced or hear a tape that has gone.
        if (playing_) {
            machine_->cpu.NormalSpeed = 1;
            machine_->EarMask = kEarLow;
        }
        machine_->Tape = nullptr;
    }
    machine_ = machine;
    if (!machine_) return;
    machine_->Tape = this;
    if (playing_) machine_->cpu.NormalSpeed = FastLoad ? 0 : 1;
    MachineAttached();
}

void TCinta::SetPlaying(bool playing) {
    playing_ = playing;
    if (PlayingChanged) PlayingChanged(playing);
}

void TCinta::Play() {
    if (jammed_) return;
    if (machine_) {
        machine_->EarMask = kEarLow;
        machine_->cpu.TotalTStates = 0;
        machine_->cpu.NormalSpeed = FastLoad ? 0 : 1;
    }
    lastEdgeT_ = 0;
    SetPlaying(true);
}

void TCinta::Stop(bool rewind) {
    if (machine_) {
        machine_->EarMask = kEarLow;
        machine_->cpu.NormalSpeed = 1;
    }
    playing_ = false;
    if (AutoRewind && rewind) GoToBlock(0);
    SetPlaying(false);
}

void TCinta::GoToBlock(int32_t n) {
    jammed_ = false;
    JumpToBlock(n);
}

bool TCinta::JumpToBlock(int64_t n) {
    const BlockNode* node = blocks_.NodeAt(n);
    if (!node) {
        Stop(false);
        return false;
    }
    blockIndex_ = int32_t(n - 1);
    stream_.Seek(node->Block.Position);
    ResetEngine();
    return true;
}

int32_t TCinta::NextBlockIndex() const {
    const BlockNode* next = blocks_.NodeAt(int64_t(blockIndex_) + 1);
    return next && stream_.Position() == next->Block.Position ? blockIndex_ + 1 : blockIndex_;
}

void TCinta::Jam() {
    Stop(false);
    jammed_ = true;
}

std::string TCinta::Preview(PreviewScreen& screen, PreviewBitmap& bitmap) const {
    RenderPreview(screen, bitmap);
    return description_;
}

int64_t TCinta::Elapsed() const {
    if (!machine_) return 0;
    // A clock set back by someone else restarts the pulse rather than stalling the tape.
    const uint64_t now = machine_->cpu.TotalTStates;
    return now >= lastEdgeT_ ? int64_t(now - lastEdgeT_) : 0;
}

void TCinta::ToggleEar() { machine_->EarMask ^= 0x40; }

void TCinta::SetEar(bool high) { machine_->EarMask = high ? kEarHigh : kEarLow; }

// Loads the block as the ROM's LD-BYTES would and returns to its caller with
// the carry flag set for success and clear for failure (a wrong flag byte, a
// wrong checksum, or a block shorter than the bytes asked for). LOAD (carry set
// in F') writes memory; VERIFY (carry clear) only compares it.
bool TCinta::FastLoadTrap(uint8_t kind, uint32_t length) {
    // Memory filled behind the processor's back is nothing an RZX recording can
    // hold: while one records, the block loads edge by edge, still unpaced.
    if (!FastLoad || !machine_ || machine_->RzxRecording) return false;
    Z80& cpu = machine_->cpu;
    if (kind >= 0x12 || !RomLoaderPaged(cpu)) return false;
    const bool atStart = cpu.PC.w == kStartTrapAddress && cpu.ReadByteFree(kStartInAddress) == 0xDB &&
                         cpu.ReadByteFree(kStartInAddress + 1) == 0xFE;
    if (!atStart && (cpu.PC.w != kTrapAddress || ReadingBytes(cpu))) return false;

    const size_t start = stream_.Position();
    ByteCursor block(stream_.Bytes().subspan(start, std::min<size_t>(length, stream_.Remaining())));
    bool loaded = false;
    const uint8_t flag = block.Byte();
    if (length >= 2 && flag == cpu.AF_.lo) {
        const uint32_t dataBytes = length - 2;
        const uint32_t wanted = cpu.DE.w;
        const uint32_t count = std::min(wanted, dataBytes);
        const bool verify = !(cpu.AF_.hi & kCarry);
        uint8_t parity = flag;
        bool same = true;
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t b = block.Byte();
            parity ^= b;
            if (verify) same = same && cpu.ReadByteFree(cpu.IX.w) == b;
            else cpu.WriteByteFree(cpu.IX.w, b);
            ++cpu.IX.w;
        }
        parity ^= block.Byte();
        loaded = parity == 0 && same && wanted <= dataBytes;
    }
    stream_.Seek(uint64_t(start) + length);
    // The block ends now: its pause, and the pulses of a block after a pause of
    // 0, count from here rather than from the last edge played before it, or they
    // would all fall due at once and rush past a loader that reads them.
    lastEdgeT_ = cpu.TotalTStates;

    if (!atStart) cpu.SP.w = uint16_t(cpu.SP.w + 2);
    std::swap(cpu.AF, cpu.AF_);
    cpu.F() = uint8_t(loaded ? cpu.F() | kCarry : cpu.F() & ~kCarry);
    cpu.PC.w = kLoadReturnAddress;
    if (machine_->AutoPlayStop) Stop(false);
    return true;
}

}  // namespace tarvolinde
