#include "debugger/disassembler.h"

#include <array>
#include <cstdio>

namespace tarvolinde {

namespace {

constexpr std::array<const char*, 8> kConditions{"NZ", "Z", "NC", "C", "PO", "PE", "P", "M"};
constexpr std::array<const char*, 8> kRegisters{"B", "C", "D", "E", "H", "L", "(HL)", "A"};
constexpr std::array<const char*, 4> kPairs{"BC", "DE", "HL", "SP"};
constexpr std::array<const char*, 4> kStackPairs{"BC", "DE", "HL", "AF"};
constexpr std::array<const char*, 8> kAlu{"ADD A,", "ADC A,", "SUB A,", "SBC A,", "AND ", "XOR ", "OR ", "CP "};
constexpr std::array<const char*, 8> kRotations{"RLC", "RRC", "RL", "RR", "SLA", "SRA", "SLL", "SRL"};
constexpr std::array<const char*, 3> kBitOperations{"BIT", "RES", "SET"};
constexpr std::array<const char*, 8> kAccumulatorOps{"RLCA", "RRCA", "RLA", "RRA", "DAA", "CPL", "SCF", "CCF"};

enum class Table { Main, CB, ED };

class Decoder {
public:
    Decoder(const Z80& cpu, uint16_t address, const NumberFormat& format)
        : cpu_(cpu), address_(address), format_(format) {}

    Disassembly Run();

private:
    uint8_t Byte() {
        ++length_;
        return cpu_.ReadByteFree(address_++);
    }
    uint16_t Word() {
        const uint8_t low = Byte();
        return uint16_t(low | Byte() << 8);
    }
    std::string W(uint16_t value) const { return format_.Word(value); }
    std::string B(uint8_t value) const { return format_.Byte(value); }
    std::string Relative() {
        const int8_t displacement = int8_t(Byte());
        return W(uint16_t(address_ + displacement));
    }
    std::string Main(uint8_t op);
    std::string CB(uint8_t op) const;
    std::string ED(uint8_t op);
    void RewriteIndexed(std::string& text, bool cbTable, uint8_t op, uint8_t cbDisplacement);

    const Z80& cpu_;
    uint16_t address_;
    const NumberFormat& format_;
    int length_ = 0;
    char index_ = 0;  // 'X' or 'Y' after DD or FD
};

Disassembly Decoder::Run() {
    Table table = Table::Main;
    uint8_t op = Byte();
    uint8_t cbDisplacement = 0;
    for (;;) {
        if (op == 0xDD || op == 0xFD) index_ = op == 0xDD ? 'X' : 'Y';
        else if (op == 0xCB) table = Table::CB;
        else if (op == 0xED) table = Table::ED;
        else break;
        if (table != Table::Main) break;
        op = Byte();
    }
    std::string text;
    if (table == Table::CB) {
        if (index_) cbDisplacement = Byte();
        op = Byte();
        text = CB(op);
        // The register copy form of the undocumented indexed instructions.
        if (index_ && (op & 7) != 6) text += ",(HL)";
    } else if (table == Table::ED) {
        text = ED(Byte());
    } else {
        text = Main(op);
    }
    if (index_ && table != Table::ED && !(table == Table::Main && op == 0xEB))
        RewriteIndexed(text, table == Table::CB, op, cbDisplacement);
    return {std::move(text), length_};
}

void ReplaceFirst(std::string& text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
}

void Decoder::RewriteIndexed(std::string& text, bool cbTable, uint8_t op, uint8_t cbDisplacement) {
    const std::string name = std::string("I") + index_;
    const size_t memory = text.find("(HL)");
    if (memory != std::string::npos) {
        uint8_t d = cbDisplacement;
        if (!cbTable) {
            // LD (HL),n has its immediate byte after the displacement: take both again.
            if (op == 0x36) {
                --address_;
                --length_;
                d = Byte();
                text = "LD (HL)," + B(Byte());
            } else {
                d = Byte();
            }
        }
        std::string operand = "(" + name;
        operand += d < 128 ? '+' : '-';
        operand += B(d < 128 ? d : uint8_t(256 - d));
        operand += ')';
        text.replace(memory, 4, operand);
    }
    ReplaceFirst(text, " HL", " " + name);
    ReplaceFirst(text, ",HL", "," + name);
    ReplaceFirst(text, " H", std::string(" ") + index_ + "H");
    ReplaceFirst(text, ",H", std::string(",") + index_ + "H");
    ReplaceFirst(text, " L", std::string(" ") + index_ + "L");
    ReplaceFirst(text, ",L", std::string(",") + index_ + "L");
}

std::string Decoder::Main(uint8_t op) {
    const int x = op >> 6, y = (op >> 3) & 7, z = op & 7, p = y >> 1, q = y & 1;
    if (x == 0) {
        switch (z) {
        case 0:
            if (y == 0) return "NOP";
            if (y == 1) return "EX AF,AF'";
            if (y == 2) return "DJNZ " + Relative();
            if (y == 3) return "JR " + Relative();
            {
                const std::string condition = kConditions[size_t(y - 4)];
                return "JR " + condition + "," + Relative();
            }
        case 1: {
            if (q) return std::string("ADD HL,") + kPairs[size_t(p)];
            const std::string pair = kPairs[size_t(p)];
            return "LD " + pair + "," + W(Word());
        }
        case 2:
            switch (y) {
            case 0: return "LD (BC),A";
            case 1: return "LD A,(BC)";
            case 2: return "LD (DE),A";
            case 3: return "LD A,(DE)";
            case 4: return "LD (" + W(Word()) + "),HL";
            case 5: return "LD HL,(" + W(Word()) + ")";
            case 6: return "LD (" + W(Word()) + "),A";
            default: return "LD A,(" + W(Word()) + ")";
            }
        case 3: return std::string(q ? "DEC " : "INC ") + kPairs[size_t(p)];
        case 4: return std::string("INC ") + kRegisters[size_t(y)];
        case 5: return std::string("DEC ") + kRegisters[size_t(y)];
        case 6: return std::string("LD ") + kRegisters[size_t(y)] + "," + B(Byte());
        default: return kAccumulatorOps[size_t(y)];
        }
    }
    if (x == 1) {
        if (op == 0x76) return "HALT";
        return std::string("LD ") + kRegisters[size_t(y)] + "," + kRegisters[size_t(z)];
    }
    if (x == 2) return std::string(kAlu[size_t(y)]) + kRegisters[size_t(z)];
    const std::string condition = kConditions[size_t(y)];
    switch (z) {
    case 0: return "RET " + condition;
    case 1:
        if (!q) return std::string("POP ") + kStackPairs[size_t(p)];
        return std::array<const char*, 4>{"RET", "EXX", "JP HL", "LD SP,HL"}[size_t(p)];
    case 2: return "JP " + condition + "," + W(Word());
    case 3:
        switch (y) {
        case 0: return "JP " + W(Word());
        case 2: return "OUT (" + B(Byte()) + "),A";
        case 3: return "IN A,(" + B(Byte()) + ")";
        case 4: return "EX (SP),HL";
        case 5: return "EX DE,HL";
        case 6: return "DI";
        case 7: return "EI";
        default: return "NOP";  // 0xCB: a prefix, never decoded here
        }
    case 4: return "CALL " + condition + "," + W(Word());
    case 5:
        if (!q) return std::string("PUSH ") + kStackPairs[size_t(p)];
        return "CALL " + W(Word());  // 0xCD; the prefixes never get here
    case 6: return std::string(kAlu[size_t(y)]) + B(Byte());
    default: return "RST " + B(uint8_t(y * 8));
    }
}

std::string Decoder::CB(uint8_t op) const {
    const std::string target = kRegisters[op & 7];
    if (op < 0x40) return std::string(kRotations[op >> 3]) + " " + target;
    return std::string(kBitOperations[(op - 0x40) >> 6]) + " " + B(uint8_t((op >> 3) & 7)) + "," + target;
}

std::string Decoder::ED(uint8_t op) {
    const int y = (op >> 3) & 7, z = op & 7, p = y >> 1, q = y & 1;
    if (op >= 0x40 && op < 0x80) {
        switch (z) {
        case 0: return y == 6 ? "IN (C)" : std::string("IN ") + kRegisters[size_t(y)] + ",(C)";
        case 1: return y == 6 ? "OUT (C),0" : std::string("OUT (C),") + kRegisters[size_t(y)];
        case 2: return std::string(q ? "ADC HL," : "SBC HL,") + kPairs[size_t(p)];
        case 3: {
            const std::string pair = kPairs[size_t(p)];
            if (q) return "LD " + pair + ",(" + W(Word()) + ")";
            return "LD (" + W(Word()) + ")," + pair;
        }
        case 4: return "NEG";
        case 5: return op == 0x45 ? "RETN" : "RETI";
        case 6: return std::string("IM ") + (y == 2 || y == 6 ? "1" : y == 3 || y == 7 ? "2" : "0");
        default:
            if (y < 6) return std::array<const char*, 6>{"LD I,A", "LD R,A", "LD A,I", "LD A,R", "RRD", "RLD"}[size_t(y)];
            return "NOP";
        }
    }
    // ED AB, missing from the original table, is OUTD like its neighbours.
    static constexpr std::array<std::array<const char*, 4>, 4> kBlock{{
        {"LDI", "CPI", "INI", "OUTI"},
        {"LDD", "CPD", "IND", "OUTD"},
        {"LDIR", "CPIR", "INIR", "OUTIR"},
        {"LDDR", "CPDR", "INDR", "OUTDR"},
    }};
    if (op >= 0xA0 && op < 0xC0 && z < 4 && y >= 4) return kBlock[size_t(y - 4)][size_t(z)];
    return "NOP";
}

}  // namespace

std::string NumberFormat::Word(uint16_t value) const {
    char text[8];
    std::snprintf(text, sizeof text, Hexadecimal ? "%.4x" : "%.5d", unsigned(value));
    return text;
}

std::string NumberFormat::Byte(uint8_t value) const {
    char text[8];
    std::snprintf(text, sizeof text, Hexadecimal ? "%.2x" : "%.3d", unsigned(value));
    return text;
}

Disassembly Disassemble(const Z80& cpu, uint16_t address, const NumberFormat& format) {
    return Decoder(cpu, address, format).Run();
}

std::string InstructionBytes(const Z80& cpu, uint16_t address, int length, const NumberFormat& format) {
    std::string text;
    for (int i = 0; i < length; ++i) {
        if (i) text += ' ';
        text += format.Byte(cpu.ReadByteFree(uint16_t(address + i)));
    }
    return text;
}

}  // namespace tarvolinde
