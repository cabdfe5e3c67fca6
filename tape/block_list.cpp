#include "tape/block_list.h"

#include <cstdio>

#include "tape/tape_error.h"

namespace tarvolinde {

namespace {

std::string Formatted(const char* format, unsigned value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// Tape names are 8-bit text; bytes above 0x7F are taken as Latin-1. Line
// breaks and other control bytes become spaces, as a node holds one line.
std::string Latin1ToUtf8(std::span<const uint8_t> bytes) {
    std::string text;
    for (const uint8_t b : bytes) {
        if (b == 0) break;
        if (b < 0x20) {
            text += ' ';
        } else if (b < 0x80) {
            text += char(b);
        } else {
            text += char(0xC0 | b >> 6);
            text += char(0x80 | (b & 0x3F));
        }
    }
    return text;
}

struct KindInfo {
    const char* text;
    BlockImage image;
};

KindInfo InfoOf(uint8_t kind) {
    switch (kind) {
    case 0x10: return {"Carga ROM", BlockImage::RomBlock};
    case 0x11: return {"Carga Turbo", BlockImage::TurboBlock};
    case 0x12: return {"Tono puro", BlockImage::PureTone};
    case 0x13: return {"Varios pulsos", BlockImage::PulseSequence};
    case 0x14: return {"Datos puros", BlockImage::PureData};
    case 0x15: return {"Grabación directa", BlockImage::DirectRecording};
    case 0x20: return {"Pausa", BlockImage::Other};
    case 0x21: return {"Inicio grupo", BlockImage::GroupStart};
    case 0x22: return {"Fin grupo", BlockImage::GroupOrLoop};
    case 0x23: return {"Salto", BlockImage::Other};
    case 0x24: return {"Inicio bucle", BlockImage::GroupOrLoop};
    case 0x25: return {"Fin bucle", BlockImage::GroupOrLoop};
    case 0x26: return {"Llamada", BlockImage::Other};
    case 0x27: return {"Retorno", BlockImage::Other};
    case 0x28: return {"Elegir bloque", BlockImage::Other};
    case 0x2A: return {"Detener en 48k", BlockImage::Other};
    case 0x30: return {"Texto", BlockImage::Other};
    case 0x31: return {"Mensaje", BlockImage::Other};
    case 0x32: return {"Información", BlockImage::Other};
    case 0x33: return {"Hardware", BlockImage::Other};
    case 0x34: return {"Emulación", BlockImage::Other};
    case 0x35: return {"Extra", BlockImage::Other};
    case 0x40: return {"Snapshot", BlockImage::Other};
    case 0x5A: return {"Mezcla", BlockImage::Other};
    default: return {"¿?", BlockImage::Other};
    }
}

std::string RomBlockText(uint32_t length, ByteCursor body) {
    std::string text = "Carga ROM, ";
    const uint8_t flag = body.Byte();
    if (length == 19 && flag == 0) {
        text += "cabecera, (";
        const uint8_t type = body.Byte();
        static constexpr const char* kTypeNames[] = {"Programa", "Matriz numérica", "Matriz alfanumérica", "Código"};
        if (type < 4) text += kTypeNames[type];
        const size_t nameStart = body.Position();
        body.Skip(10);
        text += ", \"" + Latin1ToUtf8(body.Bytes().subspan(nameStart, body.Position() - nameStart)) + "\"";
        if (type == 3) {
            const uint16_t dataLength = body.Word();
            const uint16_t start = body.Word();
            text += Formatted(" [%.4X, ", dataLength) + Formatted("%.4X]", start);
        }
        text += ")";
    } else if (flag < 255) {
        text += Formatted("¿%u?", flag);
    } else {
        text += "datos";
    }
    return text;
}

}  // namespace

std::string BlockNodeText(uint8_t kind, uint32_t length, std::span<const uint8_t> body) {
    std::string text;
    if (kind == 0x10) {
        text = RomBlockText(length, ByteCursor(body));
    } else {
        text = InfoOf(kind).text;
        // Group names, texts and messages are shown with the node.
        if (kind == 0x21 || kind == 0x30 || kind == 0x31) text += " \"" + Latin1ToUtf8(body) + "\"";
    }
    return text + Formatted(" {%.4X}", length);
}

void BlockList::ClearBlocks() {
    nodes_.clear();
    groupParent_ = -1;
}

void BlockList::AddBlockNode(uint32_t position, uint32_t length, ByteCursor& stream, uint8_t kind) {
    if (nodes_.size() >= kMaxBlocks) throw TapeFormatError("too many blocks");
    const size_t start = stream.Position();
    const size_t available = std::min<size_t>(length, stream.Remaining());
    const std::span<const uint8_t> body = stream.Bytes().subspan(start, available);

    BlockNode node;
    node.Text = BlockNodeText(kind, length, body);
    node.Image = InfoOf(kind).image;
    node.Block = {position, length, kind};
    node.Parent = groupParent_;
    node.Depth = groupParent_ < 0 ? 0 : nodes_[size_t(groupParent_)].Depth + 1;
    nodes_.push_back(std::move(node));

    const auto index = int32_t(nodes_.size() - 1);
    if (kind == 0x21 || kind == 0x24) {
        groupParent_ = index;
    } else if (kind == 0x22 || kind == 0x25) {
        const int32_t parent = nodes_.back().Parent;
        groupParent_ = parent < 0 ? -1 : nodes_[size_t(parent)].Parent;
    }
    stream.Seek(uint64_t(start) + length);
}

}  // namespace tarvolinde
