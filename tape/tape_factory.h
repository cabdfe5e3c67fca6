#pragma once
// Choosing and building the tape of a file: the kind goes by the last three
// characters of the name, upper-cased ("TAP", "TZX", "WAV", "VOC", "CSW"), as
// for a file inside a ZIP archive it goes by the archived name.

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "tape/cinta.h"

namespace tarvolinde {

enum class TapeKind : uint8_t { Tap, Tzx, Wav, Voc, Csw };

// The kind of a file name, or nothing for another extension ("Extensión no válida").
std::optional<TapeKind> TapeKindOf(std::string_view fileName);

// The tape of that kind over the file's bytes; throws TapeFormatError ("Error en la cinta").
std::unique_ptr<TCinta> CreateTape(TapeKind kind, std::vector<uint8_t> bytes);

}  // namespace tarvolinde
