#include "snapshots/snap_sna.h"

#include <array>
#include <stdexcept>

#include "snapshots/byte_reader.h"

namespace tarvolinde {

namespace {

constexpr size_t kHeaderSize = 27;
constexpr size_t kExtraHeaderSize = 4;  // the 128K file's PC, 0x7FFD value and TR-DOS flag
// After the three 16 KB blocks, the 128K file holds the other pages in this order.
constexpr std::array<uint8_t, 6> kOtherPages{0, 1, 3, 4, 6, 7};
static_assert(TSnapSNA::kSize48 == kHeaderSize + 3 * kPageSize);
static_assert(TSnapSNA::kSize128 == TSnapSNA::kSize48 + kExtraHeaderSize + 5 * kPageSize);
static_assert(TSnapSNA::kSize128AllPages == TSnapSNA::kSize128 + kPageSize);

bool ValidSize(size_t size) {
    return size == TSnapSNA::kSize48 || size == TSnapSNA::kSize128 || size == TSnapSNA::kSize128AllPages;
}

SnapshotPage RamPageFrom(ByteReader& in, uint8_t page) {
    const auto bytes = in.Bytes(kPageSize);
    return {false, page, {bytes.begin(), bytes.end()}};
}

}  // namespace

SnapshotPreview TSnapSNA::Preview(std::span<const uint8_t> file) const {
    if (!ValidSize(file.size()))
        throw SnapshotError("SNA: not one of the three valid sizes",
                            file.size() < kSize48 ? FileProblem::TooShort : FileProblem::Damaged);
    SnapshotPreview preview;
    preview.Description = file.size() == kSize48 ? "48Kb" : "128Kb";
    const auto screen = file.subspan(kHeaderSize, kScreenBytes);
    std::copy(screen.begin(), screen.end(), preview.Screen.begin());
    return preview;
}

SnapshotImage TSnapSNA::Parse(std::span<const uint8_t> file) const {
    if (!ValidSize(file.size()))
        throw SnapshotError("SNA: not one of the three valid sizes",
                            file.size() < kSize48 ? FileProblem::TooShort : FileProblem::Damaged);
    const bool is48 = file.size() == kSize48;
    ByteReader in(file);
    SnapshotImage image;
    image.ModelIndex = is48 ? kSnapshot48Model : kSnapshot128Model;
    Registers& r = image.Cpu;
    r.I = in.Byte();
    r.HL_.w = in.Word();
    r.DE_.w = in.Word();
    r.BC_.w = in.Word();
    r.SetProgramAF_(in.Word());
    r.HL.w = in.Word();
    r.DE.w = in.Word();
    r.BC.w = in.Word();
    r.IY.w = in.Word();
    r.IX.w = in.Word();
    // The file has one interrupt flag; both flip-flops take it, as after EI.
    r.IFF1 = r.IFF2 = (in.Byte() >> 2) & 1;
    r.SetR(in.Byte());
    r.SetProgramAF(in.Word());
    r.SP.w = in.Word();
    r.IM = in.Byte();
    image.LastFE = in.Byte();

    image.Pages.push_back(RamPageFrom(in, 5));
    image.Pages.push_back(RamPageFrom(in, 2));
    if (is48) {
        image.Pages.push_back(RamPageFrom(in, 0));
        image.PopPc = true;
        return image;
    }
    const size_t paged = file[kSize48 + 2] & 7;
    const size_t pagesAfter = (paged == 2 || paged == 5) ? 6 : 5;
    if (file.size() < kSize128 + (pagesAfter - 5) * kPageSize)
        throw SnapshotError("SNA: too short for the page at 0xC000", FileProblem::TooShort);
    image.Pages.push_back(RamPageFrom(in, uint8_t(paged)));
    r.PC.w = in.Word();
    image.Port7FFD = in.Byte();
    in.Skip(1);  // TR-DOS flag
    for (const uint8_t page : kOtherPages)
        if (page != paged) image.Pages.push_back(RamPageFrom(in, page));
    return image;
}

bool TSnapSNA::CanSave(int modelIndex) const {
    return modelIndex == kSnapshot48Model || modelIndex == kSnapshot128Model;
}

std::vector<uint8_t> TSnapSNA::Save(TSp& machine) const {
    if (!CanSave(machine.ModelIndex)) throw std::invalid_argument("SNA holds only the 48 Kb and 128 Kb models");
    Z80& cpu = machine.cpu;
    const bool is48 = machine.RamKb == 48;
    ByteWriter out;
    out.Byte(cpu.I);
    out.Word(cpu.HL_.w);
    out.Word(cpu.DE_.w);
    out.Word(cpu.BC_.w);
    out.Word(cpu.ProgramAF_());
    out.Word(cpu.HL.w);
    out.Word(cpu.DE.w);
    out.Word(cpu.BC.w);
    out.Word(cpu.IY.w);
    out.Word(cpu.IX.w);
    out.Byte(cpu.IFF1 ? 4 : 0);
    out.Byte(cpu.R());
    out.Word(cpu.ProgramAF());
    if (is48) {
        // The 48K file has no PC: it goes on the stack, as a CALL pushes it.
        cpu.FrameTStates += 1;
        cpu.WriteByte(--cpu.SP.w, cpu.PC.hi);
        cpu.FrameTStates += 3;
        cpu.WriteByte(--cpu.SP.w, cpu.PC.lo);
        cpu.FrameTStates += 3;
    }
    out.Word(cpu.SP.w);
    out.Byte(cpu.IM);
    out.Byte(machine.LastFE & 7);
    out.Block(machine.RamPage(5));
    out.Block(machine.RamPage(2));
    out.Block(std::span<const uint8_t>(cpu.ReadPages[3], kPageSize));
    if (is48) {
        // The machine runs on as before; the pushed bytes stay below the stack pointer.
        cpu.SP.w += 2;
        return std::move(out.Bytes);
    }
    out.Word(cpu.PC.w);
    out.Byte(machine.Port7FFD);
    out.Byte(0);
    for (const uint8_t page : kOtherPages)
        if (page != (machine.Port7FFD & 7)) out.Block(machine.RamPage(page));
    return std::move(out.Bytes);
}

}  // namespace tarvolinde
