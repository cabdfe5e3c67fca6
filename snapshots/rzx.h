#pragma once
// TAccion / TRZX: RZX input recordings. A recording is a starting snapshot
// plus, for every frame, the opcode fetches the processor made and the bytes
// it read from ports; played back, the same counts and bytes rerun the session
// exactly, whatever the host does.
//
// Playback reads the whole block structure first (a damaged file is refused
// before the machine is touched), then decodes one frame record at a time, so
// that a long or hostile recording never has to fit in memory. Frames take
// their interrupt at their start, the first frame of the file excepted: the
// same order of events as "fetches, then the interrupt", but the machine after
// N played frames is the machine after N recorded ones, and nothing follows
// the last frame. The empty record that recordings begin with stands for no
// instruction and is consumed when playback starts. Snapshot blocks between
// input blocks are put in as playback reaches them.
//
// Recording embeds the machine as a Z80 snapshot and deflates the frame
// records as they come. Both attach to the machine's frame procedure and port
// hooks, and give them back (the model's own frame procedure) when they end.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/machine_interface.h"
#include "machine/port_hooks.h"
#include "machine/sp.h"
#include "snapshots/snapshot.h"

namespace tarvolinde {

// A file that is no playable recording (bad signature, a signed or protected
// recording, no input block, a damaged embedded snapshot).
class RzxError : public std::runtime_error {
public:
    explicit RzxError(const std::string& detail) : std::runtime_error(detail) {}
};

enum class RzxStatus : uint8_t { Recording, Playing, Ended, Failed };

// The port log and frame hooks the processor and the machine call.
class TAccion : public RzxPortLog, public RzxRecordHooks, public RzxPlaybackHooks {
public:
    virtual RzxStatus Status() const = 0;
};

// The extension rule's "RZX": the last three characters of the name, upper-cased.
bool IsRzxName(std::string_view name);

class TRZX final : public TAccion {
public:
    ~TRZX() override;
    TRZX(const TRZX&) = delete;
    TRZX& operator=(const TRZX&) = delete;

    // --- Playback ------------------------------------------------------------
    // Takes the file and checks its blocks. Throws RzxError.
    static std::unique_ptr<TRZX> Open(std::vector<uint8_t> file);
    // No usable snapshot came before the first input block (none, an external
    // one, or one of a format this program does not read): playback runs on
    // the machine as it is.
    bool NeedsSnapshot() const { return !snapshot_; }
    // Puts the embedded snapshot into the machine `select` returns (or takes
    // `current` when NeedsSnapshot) and starts playing on it. Returns that machine.
    TSp& StartPlayback(TSp& current, const ModelSelector& select);
    uint64_t TotalFrames() const { return totalFrames_; }
    uint64_t FramesPlayed() const { return framesPlayed_; }

    // --- Recording -----------------------------------------------------------
    // Starts recording the machine (a model with RzxRecording) from this moment.
    static std::unique_ptr<TRZX> StartRecording(TSp& machine);
    // Ends the recording between two frames and returns the whole file; the
    // frame just completed is its last record.
    std::vector<uint8_t> FinishRecording();

    // --- Both ------------------------------------------------------------------
    RzxStatus Status() const override { return status_; }
    // Why playback failed, for a developer; the user sees "Error en la acción".
    const std::string& Failure() const { return failure_; }
    // Ends playback (as "Detener" does) and gives the machine back.
    void Stop();

    // What the open dialog shows for an RZX file: a blank screen and "RZX".
    static SnapshotPreview Preview();

    // Hooks of the processor and the machine.
    uint8_t GetIn() override;
    void PutIn(uint8_t value) override;
    void FrameBoundary() override;
    void NextFrame() override;

private:
    struct InputBlock;
    class FrameReader;
    class FrameWriter;

    TRZX();
    void Attach(TSp& machine, Z80::FrameProcedure procedure);
    void Detach();
    void Finish(RzxStatus status, std::string failure = {});
    bool LoadRecord();
    bool ApplySnapshotBlock(std::span<const uint8_t> body);
    void WriteRecord();

    // Read by the front end while the emulation thread plays.
    std::atomic<RzxStatus> status_{RzxStatus::Ended};
    std::string failure_;
    TSp* machine_ = nullptr;
    Z80::FrameProcedure previousProcedure_ = Z80::FrameProcedure::Standard;

    // Playback.
    std::vector<uint8_t> file_;
    std::vector<InputBlock> blocks_;
    std::optional<SnapshotImage> snapshot_;
    size_t blockIndex_ = 0;
    uint32_t framesLeftInBlock_ = 0;
    std::unique_ptr<FrameReader> reader_;
    uint64_t totalFrames_ = 0;
    uint64_t framesPlayed_ = 0;
    bool underrun_ = false;

    // The current frame's port bytes (both directions).
    std::vector<uint8_t> inputs_;
    size_t inIndex_ = 0;

    // Recording.
    std::unique_ptr<FrameWriter> writer_;
    uint32_t framesWritten_ = 0;
    size_t blockStart_ = 0;
};

}  // namespace tarvolinde
