#include "debugger/bus_prediction.h"

namespace tarvolinde {

namespace {

bool ConditionHolds(uint8_t f, int condition) {
    static constexpr std::array<uint8_t, 4> kFlags{flag::Z, flag::C, flag::PV, flag::S};
    const bool set = (f & kFlags[size_t(condition >> 1)]) != 0;
    return (condition & 1) ? set : !set;
}

void PredictInstruction(const Z80& cpu, uint16_t pc, uint16_t sp, BusPrediction& out) {
    const auto at = [&cpu](uint16_t address) { return cpu.ReadByteFree(address); };
    const auto word = [&cpu](uint16_t address) { return cpu.ReadWordFree(address); };
    const auto pushes = [&] {
        out.Write(uint16_t(sp - 1));
        out.Write(uint16_t(sp - 2));
    };
    uint16_t pointer = cpu.HL.w;
    uint8_t op = at(pc++);
    bool indexed = false;
    while (op == 0xDD || op == 0xFD) {
        pointer = op == 0xDD ? cpu.IX.w : cpu.IY.w;
        indexed = true;
        op = at(pc++);
    }
    // (HL), or (IX+d) whose displacement is the byte after the opcode.
    const auto memory = [&]() { return indexed ? uint16_t(pointer + int8_t(at(pc))) : pointer; };
    const uint8_t f = cpu.F();
    const int y = (op >> 3) & 7;
    switch (op) {
    case 0x02: out.Write(cpu.BC.w); return;
    case 0x12: out.Write(cpu.DE.w); return;
    case 0x22: out.Write(word(pc)); out.Write(uint16_t(word(pc) + 1)); return;
    case 0x32: out.Write(word(pc)); return;
    case 0x34: case 0x35: case 0x36: case 0x70: case 0x71: case 0x72: case 0x73: case 0x74: case 0x75: case 0x77:
        out.Write(memory());
        return;
    case 0xE3: out.Write(sp); out.Write(uint16_t(sp + 1)); return;
    case 0xCD: case 0xC5: case 0xD5: case 0xE5: case 0xF5: pushes(); return;
    case 0xC9: out.Return = true; return;
    case 0xD3: out.PortWrite = true; out.Port = uint16_t(cpu.A() << 8 | at(pc)); return;
    case 0xDB: out.PortRead = true; out.Port = uint16_t(cpu.A() << 8 | at(pc)); return;
    case 0xCB: {
        const uint8_t cb = indexed ? at(uint16_t(pc + 1)) : at(pc);
        const bool bitTest = cb >= 0x40 && cb < 0x80;
        if (!bitTest && (indexed || (cb & 7) == 6)) out.Write(memory());
        return;
    }
    case 0xED: {
        const uint8_t ed = at(pc);
        if ((ed & 0xCF) == 0x43) out.Write(word(uint16_t(pc + 1))), out.Write(uint16_t(word(uint16_t(pc + 1)) + 1));
        else if (ed == 0x67 || ed == 0x6F) out.Write(cpu.HL.w);
        else if ((ed & 0xE7) == 0xA0) out.Write(cpu.DE.w);
        else if ((ed & 0xE7) == 0xA2) out.Write(cpu.HL.w), out.PortRead = true, out.Port = cpu.BC.w;
        else if ((ed & 0xE7) == 0xA3) out.PortWrite = true, out.Port = uint16_t((cpu.BC.w - 0x100) & 0xFFFF);
        else if ((ed & 0xC7) == 0x40) out.PortRead = true, out.Port = cpu.BC.w;
        else if ((ed & 0xC7) == 0x41) out.PortWrite = true, out.Port = cpu.BC.w;
        else if ((ed & 0xC7) == 0x45) out.Return = true;
        return;
    }
    default: break;
    }
    if ((op & 0xC7) == 0xC4 && ConditionHolds(f, y)) pushes();  // CALL cc
    if ((op & 0xC7) == 0xC7) pushes();                          // RST
    if ((op & 0xC7) == 0xC0) out.Return = ConditionHolds(f, y);  // RET cc
}

}  // namespace

BusPrediction PredictStep(const Z80& cpu) {
    BusPrediction out;
    if (cpu.InterruptDue()) {
        out.Write(uint16_t(cpu.SP.w - 1));
        out.Write(uint16_t(cpu.SP.w - 2));
    } else if (!cpu.Halted) {
        PredictInstruction(cpu, cpu.PC.w, cpu.SP.w, out);
    }
    return out;
}

}  // namespace tarvolinde
