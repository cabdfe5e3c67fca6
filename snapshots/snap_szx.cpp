#include "snapshots/snap_szx.h"

#include <algorithm>
#include <stdexcept>

#include "snapshots/byte_reader.h"
#include "snapshots/zlib_codec.h"

namespace tarvolinde {

namespace {

constexpr uint8_t kMajorVersion = 1;
constexpr uint8_t kMinorVersion = 4;
constexpr uint32_t kRegistersLength = 37;
constexpr uint32_t kRegistersLengthBeforeMemptr = 35;
constexpr uint32_t kPortsLength = 8;
constexpr uint32_t kAyLength = 18;
constexpr uint32_t kKeyboardLength = 5;
constexpr size_t kCreatorNameLength = 32;
constexpr uint16_t kPageCompressed = 1;
constexpr uint8_t kHaltedFlag = 2;
constexpr uint8_t kAy128Flag = 2;
constexpr uint32_t kIssue2Flag = 1;

// Machine id of the header -> model index, for the ids that name one of ours.
struct MachineId {
    uint8_t Id;
    int ModelIndex;
};
constexpr MachineId kMachineIds[] = {{0, 0}, {1, 1}, {2, 4}, {3, 6}, {4, 11}, {5, 9}, {7, 15}, {10, 17}};

// The format's joystick numbers: Kempston, Fuller, Cursor, Sinclair 1 and 2; others are not ours.
constexpr JoystickType kJoysticks[] = {JoystickType::Kempston, JoystickType::Fuller, JoystickType::CursorProtekAgf,
                                       JoystickType::Sinclair1, JoystickType::Sinclair2};
constexpr uint8_t kNoJoystick = 8;

int ModelOfId(uint8_t id) {
    for (const MachineId& m : kMachineIds)
        if (m.Id == id) return m.ModelIndex;
    throw SnapshotError("SZX: a machine this emulator has no model for");
}

std::optional<uint8_t> IdOfModel(int modelIndex) {
    for (const MachineId& m : kMachineIds)
        if (m.ModelIndex == modelIndex) return m.Id;
    return std::nullopt;
}

std::optional<JoystickType> JoystickOf(uint8_t number) {
    if (number < std::size(kJoysticks)) return kJoysticks[number];
    return std::nullopt;
}

uint8_t NumberOfJoystick(JoystickType type) {
    const auto* found = std::find(std::begin(kJoysticks), std::end(kJoysticks), type);
    return found == std::end(kJoysticks) ? kNoJoystick : uint8_t(found - std::begin(kJoysticks));
}

bool HasPage(int modelIndex, int page) {
    const uint32_t ramKb = Models[modelIndex].RamKb;
    if (ramKb == 16) return page == 5;
    if (ramKb == 48) return page == 0 || page == 2 || page == 5;
    return uint32_t(page) < ramKb / 16;
}

bool HasPort7FFD(int modelIndex) { return Models[modelIndex].RamKb >= 128; }
bool HasPort1FFD(int modelIndex) {
    const MachineFamily family = Models[modelIndex].Family;
    return family == MachineFamily::Ams || family == MachineFamily::Scorp;
}

void ParseRegisters(std::span<const uint8_t> body, SnapshotImage& image) {
    if (body.size() < kRegistersLengthBeforeMemptr) throw SnapshotError("SZX: the Z80R chunk is too short");
    ByteReader in(body);
    Registers& r = image.Cpu;
    r.SetProgramAF(in.Word());
    r.BC.w = in.Word();
    r.DE.w = in.Word();
    r.HL.w = in.Word();
    r.SetProgramAF_(in.Word());
    r.BC_.w = in.Word();
    r.DE_.w = in.Word();
    r.HL_.w = in.Word();
    r.IX.w = in.Word();
    r.IY.w = in.Word();
    r.SP.w = in.Word();
    r.PC.w = in.Word();
    r.I = in.Byte();
    r.SetR(in.Byte());
    r.IFF1 = in.Byte() != 0;
    r.IFF2 = in.Byte() != 0;
    r.IM = in.Byte() & 3;
    // Saved at a frame's end, the counter may run past it: that is the overrun
    // into the next frame, where the processor and the timing tables count.
    image.FrameTStates = int32_t(in.Long() % uint32_t(Models[image.ModelIndex].Frame.FrameLength));
    in.Skip(1);  // how long the interrupt request is held: the model's own
    r.Halted = (in.Byte() & kHaltedFlag) ? 1 : 0;
    if (in.Remaining() >= 2) r.WZ = in.Word();
}

void ParsePorts(std::span<const uint8_t> body, SnapshotImage& image) {
    if (body.size() < 4) throw SnapshotError("SZX: the SPCR chunk is too short");
    const uint8_t border = body[0] & 7;
    image.LastFE = uint8_t((body[3] & ~7u) | border);
    if (HasPort7FFD(image.ModelIndex)) image.Port7FFD = body[1];
    if (HasPort1FFD(image.ModelIndex)) image.Port1FFD = body[2];
}

void ParsePage(std::span<const uint8_t> body, SnapshotImage& image) {
    ByteReader in(body);
    const uint16_t flags = in.Word();
    const uint8_t page = in.Byte();
    if (!HasPage(image.ModelIndex, page)) return;  // memory the model does not have
    SnapshotPage out{false, page, std::vector<uint8_t>(kPageSize)};
    if (flags & kPageCompressed) {
        InflateExactly(body.subspan(3), out.Bytes);
    } else {
        const auto bytes = in.Bytes(kPageSize);
        std::copy(bytes.begin(), bytes.end(), out.Bytes.begin());
    }
    image.Pages.push_back(std::move(out));
}

void ParseAy(std::span<const uint8_t> body, SnapshotImage& image) {
    if (body.size() < kAyLength) throw SnapshotError("SZX: the AY chunk is too short");
    SnapshotAy ay;
    ay.Selected = body[1];
    std::copy_n(body.begin() + 2, ay.Registers.size(), ay.Registers.begin());
    image.Ay = ay;
}

void ParseKeyboard(std::span<const uint8_t> body, SnapshotImage& image) {
    ByteReader in(body);
    image.Issue2 = (in.Long() & kIssue2Flag) != 0;
    // The keyboard joystick came with version 1.3; the JOY chunk, when present, wins.
    if (!in.AtEnd() && !image.Joystick) image.Joystick = JoystickOf(in.Byte());
}

void ParseJoystick(std::span<const uint8_t> body, SnapshotImage& image) {
    ByteReader in(body);
    in.Skip(4);
    if (const std::optional<JoystickType> type = JoystickOf(in.Byte())) image.Joystick = type;
}

SnapshotImage ParseFile(std::span<const uint8_t> file) {
    ByteReader in(file);
    if (!in.Tag("ZXST")) throw SnapshotError("SZX: no signature");
    if (in.Byte() != kMajorVersion) throw SnapshotError("SZX: a version this reader does not know");
    in.Skip(1);
    SnapshotImage image;
    image.ModelIndex = ModelOfId(in.Byte());
    in.Skip(1);  // flags: the late timings are the model's own
    bool registers = false;
    while (!in.AtEnd()) {
        const std::string_view tag = in.TagText();
        const std::span<const uint8_t> body = in.Bytes(in.Long());
        if (tag == "Z80R") {
            ParseRegisters(body, image);
            registers = true;
        } else if (tag == "SPCR") {
            ParsePorts(body, image);
        } else if (tag == "RAMP") {
            ParsePage(body, image);
        } else if (tag == std::string_view("AY\0\0", 4)) {
            ParseAy(body, image);
        } else if (tag == "KEYB") {
            ParseKeyboard(body, image);
        } else if (tag == std::string_view("JOY\0", 4)) {
            ParseJoystick(body, image);
        }
    }
    if (!registers) throw SnapshotError("SZX: no Z80R chunk");
    return image;
}

void Chunk(ByteWriter& out, std::string_view tag, uint32_t length) {
    out.Tag(tag);
    out.Long(length);
}

}  // namespace

SnapshotPreview TSnapSZX::Preview(std::span<const uint8_t> file) const {
    const SnapshotImage image = ParseFile(file);
    SnapshotPreview preview;
    preview.Description = std::string(Models[image.ModelIndex].Caption);
    for (const SnapshotPage& page : image.Pages)
        if (page.Page == 5) std::copy_n(page.Bytes.begin(), kScreenBytes, preview.Screen.begin());
    return preview;
}

SnapshotImage TSnapSZX::Parse(std::span<const uint8_t> file) const { return ParseFile(file); }

bool TSnapSZX::CanSave(int modelIndex) const { return IdOfModel(modelIndex).has_value(); }

std::vector<uint8_t> TSnapSZX::Save(TSp& machine) const {
    const int model = machine.ModelIndex;
    const std::optional<uint8_t> id = IdOfModel(model);
    if (!id) throw std::invalid_argument("SZX cannot describe this model");
    const Z80& cpu = machine.cpu;
    ByteWriter out;
    out.Tag("ZXST");
    out.Byte(kMajorVersion);
    out.Byte(kMinorVersion);
    out.Byte(*id);
    out.Byte(0);

    Chunk(out, "CRTR", kCreatorNameLength + 4);
    std::array<uint8_t, kCreatorNameLength> name{};
    constexpr std::string_view kCreator = "Tarvolinde";
    std::copy(kCreator.begin(), kCreator.end(), name.begin());
    out.Block(name);
    out.Word(0);
    out.Word(0);

    Chunk(out, "Z80R", kRegistersLength);
    out.Word(cpu.ProgramAF());
    out.Word(cpu.BC.w);
    out.Word(cpu.DE.w);
    out.Word(cpu.HL.w);
    out.Word(cpu.ProgramAF_());
    out.Word(cpu.BC_.w);
    out.Word(cpu.DE_.w);
    out.Word(cpu.HL_.w);
    out.Word(cpu.IX.w);
    out.Word(cpu.IY.w);
    out.Word(cpu.SP.w);
    out.Word(cpu.PC.w);
    out.Byte(cpu.I);
    out.Byte(cpu.R());
    out.Byte(cpu.IFF1);
    out.Byte(cpu.IFF2);
    out.Byte(cpu.IM);
    out.Long(uint32_t(std::clamp(cpu.FrameTStates, 0, cpu.FrameLength - 1)));
    out.Byte(uint8_t(cpu.InterruptLength));
    out.Byte(cpu.Halted ? kHaltedFlag : 0);
    out.Word(cpu.WZ);

    Chunk(out, "SPCR", kPortsLength);
    out.Byte(machine.LastFE & 7);
    out.Byte(machine.Port7FFD);
    out.Byte(machine.Port1FFD);
    out.Byte(machine.LastFE);
    out.Long(0);

    Chunk(out, "KEYB", kKeyboardLength);
    out.Long(machine.IssueMode == 2 ? kIssue2Flag : 0);
    out.Byte(NumberOfJoystick(machine.Joystick));

    if (machine.AyPresent) {
        Chunk(out, std::string_view("AY\0\0", 4), kAyLength);
        out.Byte(HasPort7FFD(model) ? 0 : kAy128Flag);
        out.Byte(uint8_t(machine.Ay.AySelected));
        out.Block(machine.Ay.AyRegs);
    }

    for (int page = 0; page < kRamPages; ++page) {
        if (!HasPage(model, page)) continue;
        const std::vector<uint8_t> packed = DeflateBest(machine.RamPage(page));
        Chunk(out, "RAMP", uint32_t(3 + packed.size()));
        out.Word(kPageCompressed);
        out.Byte(uint8_t(page));
        out.Block(packed);
    }
    return std::move(out.Bytes);
}

}  // namespace tarvolinde
