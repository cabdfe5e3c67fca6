#include "snapshots/rzx.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

#include "snapshots/byte_reader.h"
#include "snapshots/snap_z80.h"
#include "snapshots/zlib_codec.h"

namespace tarvolinde {

namespace {

constexpr uint8_t kCreatorBlock = 0x10;
constexpr uint8_t kSecurityBlock = 0x20;
constexpr uint8_t kSnapshotBlock = 0x30;
constexpr uint8_t kInputBlock = 0x80;
constexpr uint32_t kBlockHeaderSize = 5;
constexpr uint32_t kCreatorBlockLength = 29;
constexpr uint32_t kSnapshotHeaderSize = 17;
constexpr uint32_t kInputHeaderSize = 18;
constexpr uint32_t kExternalSnapshot = 1;
constexpr uint32_t kCompressed = 2;
constexpr uint32_t kProtected = 1;
constexpr uint16_t kRepeatFrame = 0xFFFF;
// The most port bytes one frame record can hold (0xFFFF means "repeat").
constexpr size_t kMaxInputsPerFrame = 0xFFFE;
// No snapshot of any model comes near this; a bigger length is a damaged file.
constexpr uint32_t kMaxSnapshotSize = 4u << 20;
constexpr size_t kReadChunk = 16384;

std::optional<SnapshotKind> KindOfExtension(std::span<const uint8_t> extension) {
    std::string text;
    for (const uint8_t c : extension) {
        if (c == 0) break;
        text += char(std::toupper(c));
    }
    if (text == "SNA") return SnapshotKind::Sna;
    if (text == "Z80") return SnapshotKind::Z80;
    if (text == "SZX") return SnapshotKind::Szx;
    if (text == "SP") return SnapshotKind::Sp;
    if (text == "FSU") return SnapshotKind::Fsu;
    return std::nullopt;
}

// The snapshot a snapshot block holds, or nothing for an external one or an
// unknown format. Throws RzxError for a damaged one.
std::optional<SnapshotImage> ReadSnapshotBlock(std::span<const uint8_t> body) {
    ByteReader in(body);
    const uint32_t flags = in.Long();
    const auto extension = in.Bytes(4);
    const uint32_t size = in.Long();
    if (flags & kExternalSnapshot) return std::nullopt;
    const std::optional<SnapshotKind> kind = KindOfExtension(extension);
    if (!kind) return std::nullopt;
    if (size > kMaxSnapshotSize) throw RzxError("the embedded snapshot is too large");
    // A stored snapshot is parsed where it lies in the file.
    if (!(flags & kCompressed)) return MakeSnapshot(*kind)->Parse(in.Bytes(size));
    std::vector<uint8_t> data(size);
    InflateExactly(body.subspan(in.Offset()), data);
    return MakeSnapshot(*kind)->Parse(data);
}

}  // namespace

struct TRZX::InputBlock {
    uint32_t Frames;
    bool Compressed;
    std::span<const uint8_t> Data;
    // The last snapshot block between the previous input block and this one.
    std::span<const uint8_t> SnapshotBefore;
};

// The frame records of one input block, plain or inflated as they are needed.
class TRZX::FrameReader {
public:
    FrameReader(std::span<const uint8_t> data, bool compressed) : data_(data), compressed_(compressed) {
        if (compressed_) {
            if (inflateInit(&stream_) != Z_OK) throw RzxError("zlib cannot start");
            stream_.next_in = const_cast<Bytef*>(data.data());
            stream_.avail_in = uInt(std::min<size_t>(data.size(), UINT32_MAX));
        }
    }
    ~FrameReader() {
        if (compressed_) inflateEnd(&stream_);
    }
    FrameReader(const FrameReader&) = delete;
    FrameReader& operator=(const FrameReader&) = delete;

    // Fills `out`; false when the data ends first or is damaged.
    bool Read(std::span<uint8_t> out) {
        if (!compressed_) {
            if (out.size() > data_.size() - offset_) return false;
            std::copy_n(data_.begin() + std::ptrdiff_t(offset_), out.size(), out.begin());
            offset_ += out.size();
            return true;
        }
        size_t done = 0;
        while (done < out.size()) {
            if (bufferOffset_ == buffer_.size() || bufferEnd_ == bufferOffset_) {
                if (ended_) return false;
                stream_.next_out = buffer_.data();
                stream_.avail_out = uInt(buffer_.size());
                const int status = inflate(&stream_, Z_NO_FLUSH);
                if (status == Z_STREAM_END) ended_ = true;
                else if (status != Z_OK) return false;
                bufferOffset_ = 0;
                bufferEnd_ = buffer_.size() - stream_.avail_out;
                if (bufferEnd_ == 0) return false;
            }
            const size_t take = std::min(out.size() - done, bufferEnd_ - bufferOffset_);
            std::copy_n(buffer_.begin() + std::ptrdiff_t(bufferOffset_), take, out.begin() + std::ptrdiff_t(done));
            bufferOffset_ += take;
            done += take;
        }
        return true;
    }
    bool Word(uint16_t& value) {
        std::array<uint8_t, 2> b{};
        if (!Read(b)) return false;
        value = uint16_t(b[0] | b[1] << 8);
        return true;
    }

private:
    std::span<const uint8_t> data_;
    bool compressed_;
    size_t offset_ = 0;
    z_stream stream_{};
    std::array<uint8_t, kReadChunk> buffer_{};
    size_t bufferOffset_ = 0;
    size_t bufferEnd_ = 0;
    bool ended_ = false;
};

// Deflates the frame records into the file as they are written.
class TRZX::FrameWriter {
public:
    explicit FrameWriter(std::vector<uint8_t>& out) : out_(out) {
        if (deflateInit(&stream_, Z_BEST_COMPRESSION) != Z_OK) throw std::runtime_error("zlib cannot start");
    }
    ~FrameWriter() { deflateEnd(&stream_); }
    FrameWriter(const FrameWriter&) = delete;
    FrameWriter& operator=(const FrameWriter&) = delete;

    void Write(std::span<const uint8_t> bytes) { Run(bytes, Z_NO_FLUSH); }
    void Finish() { Run({}, Z_FINISH); }

private:
    void Run(std::span<const uint8_t> bytes, int flush) {
        stream_.next_in = const_cast<Bytef*>(bytes.data());
        stream_.avail_in = uInt(bytes.size());
        std::array<uint8_t, kReadChunk> buffer{};
        int status = Z_OK;
        do {
            stream_.next_out = buffer.data();
            stream_.avail_out = uInt(buffer.size());
            status = deflate(&stream_, flush);
            out_.insert(out_.end(), buffer.begin(), buffer.end() - stream_.avail_out);
        } while (stream_.avail_in > 0 || (flush == Z_FINISH && status != Z_STREAM_END));
    }
    std::vector<uint8_t>& out_;
    z_stream stream_{};
};

TRZX::TRZX() = default;

TRZX::~TRZX() { Detach(); }

std::unique_ptr<TRZX> TRZX::Open(std::vector<uint8_t> file) {
    std::unique_ptr<TRZX> rzx(new TRZX());
    rzx->file_ = std::move(file);
    try {
        ByteReader in(rzx->file_);
        if (!in.Tag("RZX!")) throw RzxError("no RZX signature");
        in.Skip(6);  // version and flags
        bool inputSeen = false;
        std::span<const uint8_t> snapshotBefore;
        while (!in.AtEnd()) {
            const uint8_t id = in.Byte();
            const uint32_t length = in.Long();
            if (length < kBlockHeaderSize) throw RzxError("a block shorter than its header");
            const std::span<const uint8_t> body = in.Bytes(length - kBlockHeaderSize);
            if (id == kSecurityBlock) throw RzxError("signed recordings are not played");
            if (id == kSnapshotBlock && !inputSeen) {
                // A later snapshot block before the input replaces an earlier one.
                rzx->snapshot_ = ReadSnapshotBlock(body);
            } else if (id == kSnapshotBlock) {
                snapshotBefore = body;  // read when playback reaches it
            } else if (id == kInputBlock) {
                if (body.size() < kInputHeaderSize - kBlockHeaderSize) throw RzxError("a short input block");
                ByteReader header(body);
                const uint32_t frames = header.Long();
                header.Skip(5);  // reserved byte, T-state counter at the start
                const uint32_t flags = header.Long();
                if (flags & kProtected) throw RzxError("protected recordings are not played");
                rzx->blocks_.push_back(
                    {frames, (flags & kCompressed) != 0, body.subspan(header.Offset()), snapshotBefore});
                snapshotBefore = {};
                rzx->totalFrames_ += frames;
                inputSeen = true;
            }
        }
        if (!inputSeen) throw RzxError("no input recording block");
    } catch (const SnapshotError& error) {
        throw RzxError(error.what());
    }
    return rzx;
}

TSp& TRZX::StartPlayback(TSp& current, const ModelSelector& select) {
    TSp* machine = &current;
    if (snapshot_) {
        try {
            machine = &ApplySnapshot(*snapshot_, select);
        } catch (const SnapshotError& error) {
            throw RzxError(error.what());
        }
    }
    status_ = RzxStatus::Playing;
    Attach(*machine, Z80::FrameProcedure::RzxPlay);
    Interrupt = InterruptPlace::None;
    if (!LoadRecord()) return *machine;
    // The empty record recordings begin with: no instruction before the interrupt.
    if (FetchesRemaining == 0 && inputs_.empty()) {
        ++framesPlayed_;
        Interrupt = InterruptPlace::AtStart;
        LoadRecord();
    }
    return *machine;
}

bool TRZX::LoadRecord() {
    while (framesLeftInBlock_ == 0) {
        if (blockIndex_ >= blocks_.size()) {
            Finish(RzxStatus::Ended);
            return false;
        }
        const InputBlock& block = blocks_[blockIndex_++];
        if (!block.SnapshotBefore.empty() && !ApplySnapshotBlock(block.SnapshotBefore)) return false;
        reader_ = std::make_unique<FrameReader>(block.Data, block.Compressed);
        framesLeftInBlock_ = block.Frames;
    }
    --framesLeftInBlock_;
    uint16_t fetches = 0, count = 0;
    if (!reader_->Word(fetches) || !reader_->Word(count)) {
        Finish(RzxStatus::Failed, "the frame records end early or are damaged");
        return false;
    }
    if (count != kRepeatFrame) {
        inputs_.resize(count);
        if (!reader_->Read(inputs_)) {
            Finish(RzxStatus::Failed, "a frame's port bytes end early or are damaged");
            return false;
        }
    }
    FetchesRemaining = fetches;
    inIndex_ = 0;
    return true;
}

// A snapshot between two input blocks holds the machine as it stands there
// (other programs save one now and then, and some load tapes behind the
// processor's back): it is put in. It was taken where a frame ended, so the
// next frame still begins with its interrupt. One of another model is passed over.
bool TRZX::ApplySnapshotBlock(std::span<const uint8_t> body) {
    std::optional<SnapshotImage> image;
    try {
        image = ReadSnapshotBlock(body);
    } catch (const std::runtime_error& error) {  // SnapshotError or RzxError
        Finish(RzxStatus::Failed, error.what());
        return false;
    }
    if (!image || image->ModelIndex != machine_->ModelIndex) return true;
    TSp& machine = *machine_;
    ApplySnapshot(*image, [&machine](int) -> TSp& { return machine; });
    machine.cpu.FrameTStates = machine.cpu.FrameLength;  // the frame in progress ends here
    return true;
}

uint8_t TRZX::GetIn() {
    if (inIndex_ >= inputs_.size()) {
        underrun_ = true;
        return 0xFF;
    }
    return inputs_[inIndex_++];
}

void TRZX::NextFrame() {
    if (status_ != RzxStatus::Playing) return;
    // The frame ends where the recorded one ended; the next starts from nothing.
    // Playback counts fetches, not T-states, so the beam may not have reached
    // the end of the screen: what it has not latched is latched now.
    if (machine_) {
        machine_->cpu.FrameTStates = machine_->cpu.FrameLength;
        machine_->CaptureScreen();
    }
    if (underrun_) {
        Finish(RzxStatus::Failed, "a frame read more ports than were recorded");
        return;
    }
    ++framesPlayed_;
    Interrupt = InterruptPlace::AtStart;
    LoadRecord();
}

std::unique_ptr<TRZX> TRZX::StartRecording(TSp& machine) {
    std::unique_ptr<TRZX> rzx(new TRZX());
    ByteWriter out;
    out.Tag("RZX!");
    out.Byte(0);
    out.Byte(12);
    out.Long(0);

    out.Byte(kCreatorBlock);
    out.Long(kCreatorBlockLength);
    std::array<uint8_t, 20> name{};
    constexpr std::string_view kCreator = "Tarvolinde";
    std::fill(name.begin(), name.end() - 1, uint8_t(' '));
    std::copy(kCreator.begin(), kCreator.end(), name.begin());
    out.Block(name);
    out.Word(0);
    out.Word(0);

    const std::vector<uint8_t> image = TSnapZ80().Save(machine);
    const std::vector<uint8_t> packed = DeflateBest(image);
    out.Byte(kSnapshotBlock);
    out.Long(uint32_t(packed.size() + kSnapshotHeaderSize));
    out.Long(kCompressed);
    out.Tag(std::string_view("Z80\0", 4));
    out.Long(uint32_t(image.size()));
    out.Block(packed);

    rzx->blockStart_ = out.Offset();
    out.Byte(kInputBlock);
    out.Long(0);  // length and frame count, known at the end
    out.Long(0);
    out.Byte(0);
    out.Long(uint32_t(machine.cpu.FrameTStates));
    out.Long(kCompressed);
    rzx->file_ = std::move(out.Bytes);
    rzx->writer_ = std::make_unique<FrameWriter>(rzx->file_);
    rzx->status_ = RzxStatus::Recording;
    machine.cpu.FetchCount = 0;
    rzx->Attach(machine, Z80::FrameProcedure::RzxRecord);
    return rzx;
}

void TRZX::PutIn(uint8_t value) {
    // More reads than a record can count cannot happen in a real frame; the
    // buffer never grows past what the record can hold.
    if (inputs_.size() < kMaxInputsPerFrame) inputs_.push_back(value);
}

void TRZX::WriteRecord() {
    Z80& cpu = machine_->cpu;
    const uint16_t fetches = uint16_t(std::min<uint32_t>(cpu.FetchCount, 0xFFFF));
    const std::array<uint8_t, 4> header{uint8_t(fetches), uint8_t(fetches >> 8), uint8_t(inputs_.size()),
                                        uint8_t(inputs_.size() >> 8)};
    writer_->Write(header);
    writer_->Write(inputs_);
    cpu.FetchCount = 0;
    inputs_.clear();
    ++framesWritten_;
}

void TRZX::FrameBoundary() {
    if (status_ == RzxStatus::Recording && machine_) WriteRecord();
}

std::vector<uint8_t> TRZX::FinishRecording() {
    if (status_ != RzxStatus::Recording) return {};
    // The frame that has just run, unless none has run since the start.
    if (framesWritten_ > 0 && machine_) WriteRecord();
    writer_->Finish();
    writer_.reset();
    ByteWriter patch;
    patch.Bytes = std::move(file_);
    patch.PatchLong(blockStart_ + 1, uint32_t(patch.Bytes.size() - blockStart_));
    patch.PatchLong(blockStart_ + 5, framesWritten_);
    Finish(RzxStatus::Ended);
    return std::move(patch.Bytes);
}

void TRZX::Stop() {
    if (status_ == RzxStatus::Playing) Finish(RzxStatus::Ended);
}

void TRZX::Finish(RzxStatus status, std::string failure) {
    status_ = status;
    failure_ = std::move(failure);
    reader_.reset();
    Detach();
}

void TRZX::Attach(TSp& machine, Z80::FrameProcedure procedure) {
    machine_ = &machine;
    previousProcedure_ = machine.cpu.FrameRoutine;
    machine.cpu.FrameRoutine = procedure;
    if (procedure == Z80::FrameProcedure::RzxPlay) {
        machine.cpu.RzxPlayer = this;
        machine.RzxPlayback = this;
    } else {
        machine.cpu.RzxRecorder = this;
        machine.RzxRecording = this;
    }
}

void TRZX::Detach() {
    if (!machine_) return;
    TSp& machine = *machine_;
    machine.cpu.FrameRoutine = previousProcedure_;
    if (machine.cpu.RzxPlayer == this) machine.cpu.RzxPlayer = nullptr;
    if (machine.cpu.RzxRecorder == this) machine.cpu.RzxRecorder = nullptr;
    if (machine.RzxPlayback == this) machine.RzxPlayback = nullptr;
    if (machine.RzxRecording == this) machine.RzxRecording = nullptr;
    machine_ = nullptr;
}

bool IsRzxName(std::string_view name) {
    if (name.size() < 3) return false;
    std::string last(name.substr(name.size() - 3));
    for (char& c : last) c = char(std::toupper(static_cast<unsigned char>(c)));
    return last == "RZX";
}

SnapshotPreview TRZX::Preview() {
    SnapshotPreview preview;
    preview.Description = "RZX";
    return preview;
}

}  // namespace tarvolinde
