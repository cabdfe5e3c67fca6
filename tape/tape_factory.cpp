#include "tape/tape_factory.h"

#include <cctype>
#include <string>

#include "tape/csw.h"
#include "tape/tap.h"
#include "tape/tzx.h"
#include "tape/voc.h"
#include "tape/wav.h"

namespace tarvolinde {

std::optional<TapeKind> TapeKindOf(std::string_view fileName) {
    if (fileName.size() < 3) return std::nullopt;
    std::string kind(fileName.substr(fileName.size() - 3));
    for (char& c : kind) c = char(std::toupper(static_cast<unsigned char>(c)));
    if (kind == "TAP") return TapeKind::Tap;
    if (kind == "TZX") return TapeKind::Tzx;
    if (kind == "WAV") return TapeKind::Wav;
    if (kind == "VOC") return TapeKind::Voc;
    if (kind == "CSW") return TapeKind::Csw;
    return std::nullopt;
}

std::unique_ptr<TCinta> CreateTape(TapeKind kind, std::vector<uint8_t> bytes) {
    switch (kind) {
    case TapeKind::Tap: return std::make_unique<TTap>(std::move(bytes));
    case TapeKind::Tzx: return std::make_unique<TTzx>(std::move(bytes));
    case TapeKind::Wav: return std::make_unique<TWav>(std::move(bytes));
    case TapeKind::Voc: return std::make_unique<TVoc>(std::move(bytes));
    case TapeKind::Csw: return std::make_unique<TCsw>(std::move(bytes));
    }
    return nullptr;
}

}  // namespace tarvolinde
