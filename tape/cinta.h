#pragma once
// TCinta: the tape deck and the base of every tape format. A tape plays into
// the EAR bit of the machine it is attached to; nothing runs on a timer: each
// read of the ULA port asks the playing tape (Update) to bring the EAR level up
// to the processor's present T-state, so pulse lengths are exact in T-states
// whatever the host speed.
//
// The deck's clock is the processor's TotalTStates, which Play sets to 0. The
// engines measure time as TotalTStates - LastEdgeT in 64 bits (the processor's
// counter is 64-bit), so there is no wrap-around to care for.
//
// A tape is built from the bytes of its file (the library reads no files) and
// checks them before it is handed anywhere: a constructor either throws
// TapeFormatError or leaves a tape that plays whatever the bytes hold without
// ever reading outside them. It touches a machine only once attached.
//
// Threading: Update and the fast-load trap run inside the processor's port
// reads; Play, Stop and GoToBlock change the same state, so the front end calls
// them only while the emulation thread is paused between frames (or from that
// thread, as auto play does).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "machine/port_hooks.h"
#include "tape/block_list.h"
#include "tape/byte_cursor.h"
#include "tape/preview.h"

namespace tarvolinde {

class TSp;

// A tape file as a format has checked it: the bytes the engine reads (the file,
// or the pulse data it holds), the block list (positions count in those bytes)
// and the format's label.
struct TapeImage {
    std::vector<uint8_t> Bytes;
    BlockList Blocks;
    std::string Description;
    // Set when the file ends inside a block: the tape holds the blocks before it.
    bool CutShort = false;
};

class TCinta : public TapePort {
public:
    ~TCinta() override;
    TCinta(const TCinta&) = delete;
    TCinta& operator=(const TCinta&) = delete;

    // Connects the tape to a machine (or to none) and sets the machine's Tape
    // hook; a previous machine is released first if it still points here. Call
    // again after a model switch. The machine must outlive the attachment.
    void Attach(TSp* machine);
    TSp* Machine() const { return machine_; }

    // --- TapePort: Playing, Play and the format's Update ----------------------
    bool Playing() const override { return playing_; }
    // Starts the tape where it stands: the EAR level low, the tape clock at 0 and,
    // with fast loading, the machine unpaced. The engine's state is kept.
    void Play() override;

    // Stops the tape, EAR low, machine paced again; with `rewind` and AutoRewind
    // the tape goes back to block 0.
    void Stop(bool rewind);

    // Positions the tape at the start of block n (absolute browser index), so
    // that the next Update plays it. An index without a node stops the tape and
    // leaves it where it was.
    void GoToBlock(int32_t n);

    // The browser index of the block being played; -1 before the first block.
    int32_t BlockIndex() const { return blockIndex_; }
    // The block that plays when the tape next moves: the one under way, or the
    // next one when the tape stands at its start (a fresh tape, after GoToBlock,
    // between two blocks).
    int32_t NextBlockIndex() const;
    const BlockList& Blocks() const { return blocks_; }
    // The format's short label for the open dialog ("TAP (Z80)", "TZX!", "44100Hz", "CVF").
    const std::string& Description() const { return description_; }
    // Whether the file ended inside a block, which was left out; the front end
    // says so while the complete blocks stay playable.
    bool CutShort() const { return cutShort_; }

    // The open dialog's preview: fills `screen` with a picture found on the tape
    // (formats without one leave it as the caller left it), draws it into
    // `bitmap` and returns the description. Touches no machine.
    virtual std::string Preview(PreviewScreen& screen, PreviewBitmap& bitmap) const;

    // Whether the tape stands at its end (the stream has been read to the last byte).
    bool AtEnd() const { return stream_.AtEnd(); }

    // Options: "Carga de cintas rápida" and "Auto-rebobinado". "Auto play && stop"
    // is the machine's AutoPlayStop, read from the attached machine.
    bool FastLoad = true;
    bool AutoRewind = true;

    // Told of every Play and Stop (with the new Playing value), on the thread
    // that made it: the front end enables its tape actions from it.
    std::function<void(bool playing)> PlayingChanged;

protected:
    explicit TCinta(TapeImage image);

    // GoToBlock's per-format part: reset the engine to the start of a block.
    virtual void ResetEngine() = 0;
    // A machine has been attached: formats that turn sample rates into periods
    // recompute them by its clock.
    virtual void MachineAttached() {}

    // Moves to block n from inside the engine (jumps, loops, calls). Returns
    // false, with the tape stopped, when there is no such block.
    bool JumpToBlock(int64_t n);

    // The ROM loader shortcut, called by the engines at the start of a standard
    // or turbo block with the stream at the flag byte. Returns true when it has
    // loaded the block into memory itself and left the stream after it.
    bool FastLoadTrap(uint8_t kind, uint32_t length);

    // T-states since the last edge.
    int64_t Elapsed() const;
    void Advance(uint64_t tstates) { lastEdgeT_ += tstates; }
    void ToggleEar();
    void SetEar(bool high);

    // The engine has gone round blocks or zero-length pulses for too long
    // without the tape clock moving: the tape stops and stays stopped (Play does
    // nothing) until it is moved with GoToBlock.
    void Jam();

    TSp* machine_ = nullptr;
    ByteCursor stream_;
    uint64_t lastEdgeT_ = 0;
    int32_t blockIndex_ = -1;

private:
    void SetPlaying(bool playing);

    std::vector<uint8_t> image_;
    BlockList blocks_;
    std::string description_;
    bool cutShort_ = false;
    bool playing_ = false;
    bool jammed_ = false;
};

}  // namespace tarvolinde
