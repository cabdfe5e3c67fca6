#include "snapshots/snap_fsu.h"

#include <stdexcept>

#include "snapshots/byte_reader.h"
#include "snapshots/fsu_machine_tags.h"
#include "snapshots/zlib_codec.h"

namespace tarvolinde {

namespace {

constexpr uint32_t kZ80ChunkLength = 34;
constexpr uint32_t kAyChunkLength = 17;
constexpr size_t kPortEntrySize = 3;
// Models above "Inves +" store RAM from page 0: the screen (page 5) comes after pages 0 to 4.
constexpr int kLastModelWithPage5First = 3;
constexpr size_t kPage5OffsetFromPage0 = 5 * kPageSize;

// The RAM pages in the order the "RAM " chunk stores them.
std::vector<uint8_t> RamPagesOf(int modelIndex) {
    const uint32_t ramKb = Models[modelIndex].RamKb;
    if (ramKb == 16) return {5};
    if (ramKb == 48) return {5, 2, 0};
    std::vector<uint8_t> pages;
    for (uint32_t page = 0; page < ramKb / 16; ++page) pages.push_back(uint8_t(page));
    return pages;
}

bool HasPort7FFD(int modelIndex) { return Models[modelIndex].RamKb >= 128; }
bool HasPort1FFD(int modelIndex) { return TraitsOf(Models[modelIndex].Family).NearAccessRule; }

struct Chunk {
    std::string_view Tag;
    std::span<const uint8_t> Body;
};

Chunk NextChunk(ByteReader& in) {
    const std::string_view tag = in.TagText();
    const uint32_t length = in.Long();
    return {tag, in.Bytes(length)};
}

int ReadHeader(ByteReader& in) {
    if (!in.Tag("FSU ") || !in.Tag("ZXSP")) throw SnapshotError("FSU: no signature");
    return ReadFsuMachineTags(in);
}

void ParseRegisters(std::span<const uint8_t> body, SnapshotImage& image) {
    if (body.size() < kZ80ChunkLength) throw SnapshotError("FSU: the Z80 chunk is too short");
    ByteReader in(body);
    Registers& r = image.Cpu;
    r.AF.lo = in.Byte();   // A
    r.AF.hi = in.Byte();   // F
    r.AF_.lo = in.Byte();  // A'
    r.AF_.hi = in.Byte();  // F'
    for (RegisterPair* pair : {&r.BC, &r.BC_, &r.DE, &r.DE_, &r.HL, &r.HL_, &r.IX, &r.IY, &r.PC, &r.SP})
        pair->w = in.Word();
    r.RCounter = in.Byte();
    r.RBit7 = in.Byte();
    r.I = in.Byte();
    r.IM = in.Byte();
    r.IFF1 = in.Byte() != 0;
    r.IFF2 = in.Byte() != 0;
    const auto tstates = int32_t(in.Long());
    // The processor and the timing tables count on a T-state inside the frame.
    if (tstates < 0 || tstates >= Models[image.ModelIndex].Frame.FrameLength)
        throw SnapshotError("FSU: the T-state is outside the frame");
    image.FrameTStates = tstates;
}

void ParseRam(std::span<const uint8_t> body, SnapshotImage& image) {
    const std::vector<uint8_t> order = RamPagesOf(image.ModelIndex);
    std::vector<uint8_t> ram(order.size() * kPageSize);
    InflateExactly(body, ram);
    for (size_t i = 0; i < order.size(); ++i) {
        const auto begin = ram.begin() + std::ptrdiff_t(i * kPageSize);
        image.Pages.push_back({false, order[i], {begin, begin + std::ptrdiff_t(kPageSize)}});
    }
}

void ParseAy(std::span<const uint8_t> body, SnapshotImage& image) {
    if (body.size() < kAyChunkLength) throw SnapshotError("FSU: the AY chunk is too short");
    SnapshotAy ay;
    ay.Selected = body[0];
    std::copy_n(body.begin() + 1, ay.Registers.size(), ay.Registers.begin());
    image.Ay = ay;
}

void ParsePorts(std::span<const uint8_t> body, SnapshotImage& image) {
    if (body.size() % kPortEntrySize != 0) throw SnapshotError("FSU: the PORT chunk has a partial entry");
    ByteReader in(body);
    while (!in.AtEnd()) {
        const uint16_t port = in.Word();
        const uint8_t value = in.Byte();
        if (port == 0x00FE) image.LastFE = value;
        else if (port == 0x7FFD && HasPort7FFD(image.ModelIndex)) image.Port7FFD = value;
        else if (port == 0x1FFD && HasPort1FFD(image.ModelIndex)) image.Port1FFD = value;
    }
}

void WritePort(ByteWriter& out, uint16_t port, uint8_t value) {
    out.Word(port);
    out.Byte(value);
}

}  // namespace

SnapshotPreview TSnapFSU::Preview(std::span<const uint8_t> file) const {
    ByteReader in(file);
    const int model = ReadHeader(in);
    SnapshotPreview preview;
    preview.Description = std::string(Models[model].Caption);
    for (;;) {
        const Chunk chunk = NextChunk(in);
        if (chunk.Tag != "RAM ") continue;
        const size_t skip = model > kLastModelWithPage5First ? kPage5OffsetFromPage0 : 0;
        std::vector<uint8_t> start(skip + kScreenBytes);
        InflateExactly(chunk.Body, start);
        std::copy_n(start.begin() + std::ptrdiff_t(skip), kScreenBytes, preview.Screen.begin());
        return preview;
    }
}

SnapshotImage TSnapFSU::Parse(std::span<const uint8_t> file) const {
    ByteReader in(file);
    SnapshotImage image;
    image.ModelIndex = ReadHeader(in);
    bool registers = false, ram = false, ay = false, ports = false;
    const auto once = [](bool& seen) {
        if (seen) throw SnapshotError("FSU: a chunk comes twice");
        seen = true;
    };
    while (!in.AtEnd()) {
        const Chunk chunk = NextChunk(in);
        if (chunk.Tag == "Z80 ") {
            once(registers);
            ParseRegisters(chunk.Body, image);
        } else if (chunk.Tag == "RAM ") {
            once(ram);
            ParseRam(chunk.Body, image);
        } else if (chunk.Tag == "AY  ") {
            once(ay);
            ParseAy(chunk.Body, image);
        } else if (chunk.Tag == "PORT") {
            once(ports);
            ParsePorts(chunk.Body, image);
        } else {
            throw SnapshotError("FSU: unknown chunk");
        }
    }
    if (!registers || !ram || !ports) throw SnapshotError("FSU: a chunk is missing");
    return image;
}

bool TSnapFSU::CanSave(int modelIndex) const { return modelIndex >= 0 && modelIndex < kModelCount; }

std::vector<uint8_t> TSnapFSU::Save(TSp& machine) const {
    const int model = machine.ModelIndex;
    if (!CanSave(model)) throw std::invalid_argument("no such model");
    const Z80& cpu = machine.cpu;
    ByteWriter out;
    out.Tag("FSU ");
    out.Tag("ZXSP");
    out.Tag(kFsuMachineTags[size_t(model)].Maker);
    out.Tag(kFsuMachineTags[size_t(model)].Model);

    out.Tag("Z80 ");
    out.Long(kZ80ChunkLength);
    out.Byte(cpu.AF.lo);
    out.Byte(cpu.AF.hi);
    out.Byte(cpu.AF_.lo);
    out.Byte(cpu.AF_.hi);
    for (const RegisterPair* pair :
         {&cpu.BC, &cpu.BC_, &cpu.DE, &cpu.DE_, &cpu.HL, &cpu.HL_, &cpu.IX, &cpu.IY, &cpu.PC, &cpu.SP})
        out.Word(pair->w);
    out.Byte(cpu.RCounter);
    out.Byte(cpu.RBit7);
    out.Byte(cpu.I);
    out.Byte(cpu.IM);
    out.Byte(cpu.IFF1);
    out.Byte(cpu.IFF2);
    out.Long(uint32_t(cpu.FrameTStates));

    std::vector<uint8_t> ram;
    for (const uint8_t page : RamPagesOf(model)) {
        const auto bytes = machine.RamPage(page);
        ram.insert(ram.end(), bytes.begin(), bytes.end());
    }
    const std::vector<uint8_t> packed = DeflateBest(ram);
    out.Tag("RAM ");
    out.Long(uint32_t(packed.size()));
    out.Block(packed);

    if (machine.AyPresent) {
        out.Tag("AY  ");
        out.Long(kAyChunkLength);
        out.Byte(uint8_t(machine.Ay.AySelected));
        out.Block(machine.Ay.AyRegs);
    }

    const bool has7FFD = HasPort7FFD(model), has1FFD = HasPort1FFD(model);
    out.Tag("PORT");
    out.Long(uint32_t(kPortEntrySize * (1 + has7FFD + has1FFD)));
    WritePort(out, 0x00FE, machine.LastFE);
    // The first readers of the format expected 0x7FFD only on 128 KB models.
    const bool port7FFDLast = has7FFD && machine.RamKb != 128;
    if (has7FFD && !port7FFDLast) WritePort(out, 0x7FFD, machine.Port7FFD);
    if (has1FFD) WritePort(out, 0x1FFD, machine.Port1FFD);
    if (port7FFDLast) WritePort(out, 0x7FFD, machine.Port7FFD);
    return std::move(out.Bytes);
}

}  // namespace tarvolinde
