#include "snapshots/snap_z80.h"

#include <algorithm>
#include <stdexcept>

#include "snapshots/byte_reader.h"
#include "snapshots/z80_compression.h"

namespace tarvolinde {

namespace {

constexpr size_t kMainHeaderSize = 30;
constexpr uint16_t kVersion2ExtraLength = 23;
constexpr uint16_t kRawBlock = 0xFFFF;
constexpr size_t kCountersOffset = 55;
constexpr uint8_t kScreenBlock = 8;  // the block holding 0x4000 (RAM page 5) on every model
constexpr size_t kImage48Size = 3 * kPageSize;
// Version 1 writers end compressed memory with this marker.
constexpr uint8_t kEndMarker[] = {0x00, 0xED, 0xED, 0x00};

// The version 1 memory: exactly 48 KB, whether stored or compressed, with
// nothing after it but the end marker.
void ReadVersion1Memory(std::span<const uint8_t> rest, bool compressed, std::span<uint8_t> memory) {
    size_t used = rest.size();
    if (compressed) {
        used = DecompressZ80(rest, memory);
    } else {
        if (rest.size() < kImage48Size) throw SnapshotError("Z80: the memory image is cut short", FileProblem::TooShort);
        std::copy_n(rest.begin(), kImage48Size, memory.begin());
        used = kImage48Size;
    }
    const auto after = rest.subspan(used);
    if (!after.empty() && !std::equal(after.begin(), after.end(), std::begin(kEndMarker), std::end(kEndMarker)))
        throw SnapshotError("Z80: the memory is not exactly 48 KB");
}

struct MainHeader {
    uint16_t Pc;
    uint8_t Flags;
};

// Registers and flags of the 30-byte main header.
MainHeader ReadMainHeader(ByteReader& in, SnapshotImage& image) {
    Registers& r = image.Cpu;
    r.A() = in.Byte();
    r.F() = in.Byte();
    r.BC.w = in.Word();
    r.HL.w = in.Word();
    r.PC.w = in.Word();
    r.SP.w = in.Word();
    r.I = in.Byte();
    const uint8_t rLow = in.Byte();
    uint8_t flags = in.Byte();
    if (flags == 255) flags = 1;  // old writers
    r.SetR(uint8_t((rLow & 0x7F) | (flags & 1) << 7));
    image.LastFE = (flags >> 1) & 7;
    r.DE.w = in.Word();
    r.BC_.w = in.Word();
    r.DE_.w = in.Word();
    r.HL_.w = in.Word();
    r.AF_.lo = in.Byte();  // A'
    r.AF_.hi = in.Byte();  // F'
    r.IY.w = in.Word();
    r.IX.w = in.Word();
    r.IFF1 = in.Byte() != 0;
    r.IFF2 = in.Byte() != 0;
    r.IM = in.Byte() & 3;
    return {r.PC.w, flags};
}

bool Is128(uint16_t extraLength, uint8_t hardwareMode) {
    return extraLength == kVersion2ExtraLength ? hardwareMode >= 3 : hardwareMode >= 4;
}

// Where a memory block goes: its page number p is 3 + the 128K RAM page; on the
// 48K, 8, 4 and 5 are 0x4000, 0x8000 and 0xC000. 0 and 2 are ROM images, 1 is
// left out. A page the model does not have means the file is damaged.
std::optional<SnapshotPage> PlaceBlock(uint8_t number, bool is128) {
    if (number == 0 || number == 2) return SnapshotPage{true, uint8_t(is128 ? number / 2 : 0), {}};
    if (number == 1) return std::nullopt;
    if (is128 ? number > 10 : number != 4 && number != 5 && number != 8)
        throw SnapshotError("Z80: a memory block of a page the model does not have");
    int page = number - 3;
    if (!is128) page = page == 2 ? 0 : page == 1 ? 2 : page;
    return SnapshotPage{false, uint8_t(page), {}};
}

void WriteBlock(ByteWriter& out, std::span<const uint8_t, kPageSize> page, uint8_t number) {
    const std::vector<uint8_t> packed = CompressZ80Page(page);
    if (packed.size() <= kPageSize) {
        out.Word(uint16_t(packed.size()));
        out.Byte(number);
        out.Block(packed);
    } else {
        out.Word(kRawBlock);
        out.Byte(number);
        out.Block(page);
    }
}

}  // namespace

std::optional<int32_t> Z80CountersToFrameTStates(uint16_t low, uint8_t high, int32_t frameLength) {
    const int32_t quarter = frameLength / 4;
    if (high > 3 || low >= quarter) return std::nullopt;
    return ((high + 1) % 4) * quarter + (quarter - 1 - low);
}

SnapshotPreview TSnapZ80::Preview(std::span<const uint8_t> file) const {
    ByteReader in(file);
    in.Seek(6);
    const uint16_t pc = in.Word();
    in.Seek(12);
    const uint8_t flags = in.Byte();
    // 255 is read as 1 here too: such files are not compressed.
    bool compressed = flags != 255 && (flags & 0x20) != 0;
    bool is48 = true;
    int version = 1;
    in.Seek(kMainHeaderSize);
    std::span<const uint8_t> screenData = file.subspan(kMainHeaderSize);
    if (pc == 0) {
        const uint16_t extraLength = in.Word();
        version = extraLength == kVersion2ExtraLength ? 2 : 3;
        in.Skip(2);  // PC
        is48 = in.Byte() <= version;
        in.Seek(32 + size_t(extraLength));
        for (;;) {
            if (in.AtEnd()) throw SnapshotError("Z80: no block holds the screen");
            const uint16_t length = in.Word();
            const uint8_t number = in.Byte();
            compressed = length != kRawBlock;
            const auto block = in.Bytes(compressed ? length : kPageSize);
            if (number == kScreenBlock) {
                screenData = block;
                break;
            }
        }
    }
    SnapshotPreview preview;
    if (compressed) {
        DecompressZ80(screenData, preview.Screen);
    } else {
        if (screenData.size() < kScreenBytes) throw SnapshotError("Z80: the screen is cut short");
        std::copy_n(screenData.begin(), kScreenBytes, preview.Screen.begin());
    }
    static constexpr const char* kVersions[] = {"v<=1.45", "v==2.01", "v>=3.0x"};
    preview.Description = std::string(kVersions[version - 1]) + "," + (is48 ? "48Kb" : "128Kb");
    return preview;
}

SnapshotImage TSnapZ80::Parse(std::span<const uint8_t> file) const {
    ByteReader in(file);
    SnapshotImage image;
    const MainHeader header = ReadMainHeader(in, image);

    if (header.Pc != 0) {
        // Version 1: one 48 KB image of 0x4000-0xFFFF.
        image.ModelIndex = kSnapshot48Model;
        std::vector<uint8_t> memory(kImage48Size);
        ReadVersion1Memory(file.subspan(kMainHeaderSize), (header.Flags & 0x20) != 0, memory);
        constexpr uint8_t kThirds[] = {5, 2, 0};
        for (size_t third = 0; third < 3; ++third) {
            const auto begin = memory.begin() + std::ptrdiff_t(third * kPageSize);
            image.Pages.push_back({false, kThirds[third], {begin, begin + std::ptrdiff_t(kPageSize)}});
        }
        return image;
    }

    const uint16_t extraLength = in.Word();
    if (extraLength < kVersion2ExtraLength) throw SnapshotError("Z80: the extra header is too short");
    const size_t blocksStart = 32 + size_t(extraLength);
    if (blocksStart > file.size()) throw SnapshotError("Z80: the extra header is cut short", FileProblem::TooShort);
    image.Cpu.PC.w = in.Word();
    const bool is128 = Is128(extraLength, in.Byte());
    image.ModelIndex = is128 ? kSnapshot128Model : kSnapshot48Model;
    const uint8_t port7FFD = in.Byte();
    if (is128) image.Port7FFD = port7FFD;
    in.Skip(2);
    SnapshotAy ay;
    ay.Selected = in.Byte();
    const auto registers = in.Bytes(16);
    std::copy(registers.begin(), registers.end(), ay.Registers.begin());
    image.Ay = ay;
    if (blocksStart >= kCountersOffset + 3) {
        in.Seek(kCountersOffset);
        const uint16_t low = in.Word();
        const uint8_t high = in.Byte();
        image.FrameTStates = Z80CountersToFrameTStates(low, high, Models[image.ModelIndex].Frame.FrameLength);
    }

    in.Seek(blocksStart);
    if (in.AtEnd()) throw SnapshotError("Z80: no memory after the header", FileProblem::TooShort);
    while (!in.AtEnd()) {
        const uint16_t length = in.Word();
        const uint8_t number = in.Byte();
        const bool raw = length == kRawBlock;
        const auto block = in.Bytes(raw ? kPageSize : length);
        std::optional<SnapshotPage> page = PlaceBlock(number, is128);
        if (!page) continue;
        page->Bytes.resize(kPageSize);
        if (raw) std::copy(block.begin(), block.end(), page->Bytes.begin());
        else if (DecompressZ80(block, page->Bytes) != block.size())
            throw SnapshotError("Z80: a memory block is not exactly 16 KB");
        // A later block of the same page replaces the earlier one, so that a file of
        // many small blocks cannot make the image grow beyond the machine's pages.
        const auto same = std::find_if(image.Pages.begin(), image.Pages.end(), [&](const SnapshotPage& other) {
            return other.Rom == page->Rom && other.Page == page->Page;
        });
        if (same != image.Pages.end()) *same = std::move(*page);
        else image.Pages.push_back(std::move(*page));
    }
    return image;
}

bool TSnapZ80::CanSave(int modelIndex) const {
    return modelIndex == kSnapshot48Model || modelIndex == kSnapshot128Model;
}

std::vector<uint8_t> TSnapZ80::Save(TSp& machine) const {
    if (!CanSave(machine.ModelIndex)) throw std::invalid_argument("Z80 holds only the 48 Kb and 128 Kb models");
    const Z80& cpu = machine.cpu;
    const bool is48 = machine.RamKb == 48;
    ByteWriter out;
    out.Byte(cpu.A());
    out.Byte(cpu.F());
    out.Word(cpu.BC.w);
    out.Word(cpu.HL.w);
    out.Word(0);  // version 2: PC is in the extra header
    out.Word(cpu.SP.w);
    out.Byte(cpu.I);
    out.Byte(cpu.RCounter);
    out.Byte(uint8_t((machine.LastFE & 7) << 1 | cpu.RBit7 >> 7));
    out.Word(cpu.DE.w);
    out.Word(cpu.BC_.w);
    out.Word(cpu.DE_.w);
    out.Word(cpu.HL_.w);
    out.Byte(cpu.AF_.lo);  // A'
    out.Byte(cpu.AF_.hi);  // F'
    out.Word(cpu.IY.w);
    out.Word(cpu.IX.w);
    out.Byte(cpu.IFF1);
    out.Byte(cpu.IFF2);
    out.Byte(cpu.IM);

    out.Word(kVersion2ExtraLength);
    out.Word(cpu.PC.w);
    out.Byte(is48 ? 0 : 3);
    out.Byte(machine.Port7FFD);
    out.Byte(0);
    out.Byte(0);
    out.Byte(uint8_t(machine.Ay.AySelected));
    out.Block(machine.Ay.AyRegs);

    if (is48) {
        WriteBlock(out, machine.RamPage(5), 8);
        WriteBlock(out, machine.RamPage(2), 4);
        WriteBlock(out, machine.RamPage(0), 5);
    } else {
        for (uint8_t page = 0; page < 8; ++page) WriteBlock(out, machine.RamPage(page), uint8_t(page + 3));
    }
    return std::move(out.Bytes);
}

}  // namespace tarvolinde
