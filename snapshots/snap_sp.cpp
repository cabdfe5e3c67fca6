#include "snapshots/snap_sp.h"

#include <stdexcept>

#include "snapshots/byte_reader.h"

namespace tarvolinde {

namespace {

constexpr size_t kHeaderSize = 38;
constexpr uint16_t kProgramLength = 0xC000;
constexpr uint16_t kProgramLocation = 0x4000;

// Signature, program length and location: the file holds 0x4000-0xFFFF.
void CheckHeader(std::span<const uint8_t> file) {
    ByteReader in(file);
    const auto signature = in.Bytes(2);
    if (signature[0] != 'S' || signature[1] != 'P') throw SnapshotError("SP: no signature");
    if (in.Word() != kProgramLength) throw SnapshotError("SP: the program length is not 49152");
    if (in.Word() != kProgramLocation) throw SnapshotError("SP: the program location is not 16384");
}

}  // namespace

SnapshotPreview TSnapSP::Preview(std::span<const uint8_t> file) const {
    CheckHeader(file);
    if (file.size() < kHeaderSize + kScreenBytes)
        throw SnapshotError("SP: the screen is cut short", FileProblem::TooShort);
    SnapshotPreview preview;
    preview.Description = "48Kb";
    std::copy_n(file.begin() + kHeaderSize, kScreenBytes, preview.Screen.begin());
    return preview;
}

SnapshotImage TSnapSP::Parse(std::span<const uint8_t> file) const {
    CheckHeader(file);
    // The header says the file holds exactly 48 KB: more is not an SP file either.
    if (file.size() < kHeaderSize + kProgramLength)
        throw SnapshotError("SP: the memory image is cut short", FileProblem::TooShort);
    if (file.size() > kHeaderSize + kProgramLength) throw SnapshotError("SP: bytes after the memory image");
    ByteReader in(file);
    in.Seek(6);
    SnapshotImage image;
    image.ModelIndex = kSnapshot48Model;
    Registers& r = image.Cpu;
    r.BC.w = in.Word();
    r.DE.w = in.Word();
    r.HL.w = in.Word();
    r.SetProgramAF(in.Word());
    r.IX.w = in.Word();
    r.IY.w = in.Word();
    r.BC_.w = in.Word();
    r.DE_.w = in.Word();
    r.HL_.w = in.Word();
    r.SetProgramAF_(in.Word());
    r.SetR(in.Byte());
    r.I = in.Byte();
    r.SP.w = in.Word();
    r.PC.w = in.Word();
    in.Skip(2);
    image.LastFE = in.Byte();
    in.Skip(1);
    const uint16_t status = in.Word();
    r.IFF1 = r.IFF2 = status & 1;
    r.IM = (status & 2) ? 2 : 1;
    for (const uint8_t page : {5, 2, 0}) {
        const auto bytes = in.Bytes(kPageSize);
        image.Pages.push_back({false, page, {bytes.begin(), bytes.end()}});
    }
    return image;
}

bool TSnapSP::CanSave(int modelIndex) const { return modelIndex == kSnapshot48Model; }

std::vector<uint8_t> TSnapSP::Save(TSp& machine) const {
    if (!CanSave(machine.ModelIndex)) throw std::invalid_argument("SP holds only the 48 Kb model");
    Z80& cpu = machine.cpu;
    ByteWriter out;
    out.Tag("SP");
    out.Word(kProgramLength);
    out.Word(kProgramLocation);
    out.Word(cpu.BC.w);
    out.Word(cpu.DE.w);
    out.Word(cpu.HL.w);
    out.Word(cpu.ProgramAF());
    out.Word(cpu.IX.w);
    out.Word(cpu.IY.w);
    out.Word(cpu.BC_.w);
    out.Word(cpu.DE_.w);
    out.Word(cpu.HL_.w);
    out.Word(cpu.ProgramAF_());
    cpu.RCounter = cpu.R();
    out.Byte(cpu.RCounter);
    out.Byte(cpu.I);
    out.Word(cpu.SP.w);
    out.Word(cpu.PC.w);
    out.Word(0);
    out.Byte(machine.screen.BorderColour);
    out.Byte(0);
    // Only modes 1 and 2 can be told apart: IM 0 is saved as IM 1.
    out.Word(uint16_t((cpu.IFF1 ? 1 : 0) | (cpu.IM == 2 ? 2 : 0)));
    for (const int page : {5, 2, 0}) out.Block(machine.RamPage(page));
    return std::move(out.Bytes);
}

}  // namespace tarvolinde
