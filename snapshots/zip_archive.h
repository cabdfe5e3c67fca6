#pragma once
// TZipi: files from inside ZIP archives. Every open dialog stands for some
// member extensions (the patterns of its filter's first entry); the reader
// picks the member that dialog loads and, on the way, the first 6912-byte
// ".SCR" member as the dialog's preview. Archives are read through libzip,
// from the central directory, so members written with a data descriptor, Zip64
// records and archive comments read like any other. The library reads no
// files: the caller hands over the archive's bytes.

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tape/preview.h"

namespace tarvolinde {

// The archive cannot be read, or the chosen member cannot be extracted
// ("Error en archivo ZIP"); what() tells a developer why.
class ZipError : public std::runtime_error {
public:
    explicit ZipError(const std::string& detail) : std::runtime_error(detail) {}
};

// Wanted members larger than this are passed over.
inline constexpr uint64_t kMaxZipMemberBytes = 2097152;
// A dialog's first filter entry holds at most five patterns besides ZIP; more are ignored.
inline constexpr size_t kMaxZipExtensions = 10;

// What one reading of an archive found.
struct ZipChoice {
    std::string Name;                   // the chosen member's archive name; empty when none
    std::vector<uint8_t> Stream;        // its bytes
    std::optional<PreviewScreen> Screen;  // the first ".SCR" member of 6912 bytes
};

class TZipi {
public:
    // SetExtensions: the first entry of an open dialog's filter, e.g.
    // "Todas las Cintas (*.tap *.tzx *.wav *.voc *.csw *.zip);;Archivos TAP (*.tap);;...".
    explicit TZipi(std::string_view filter);

    // The wanted extensions, upper-case and without the dot; never "ZIP".
    const std::vector<std::string>& ZipExtensions() const { return extensions_; }

    // The member this dialog loads: the first wanted one after the screen
    // member, or, without a screen before it, the last wanted one. Encrypted
    // members, methods other than stored and deflated, names without a dot and
    // wanted members over kMaxZipMemberBytes are passed over. Throws ZipError
    // when the bytes are no readable archive or a chosen member does not
    // extract to exactly its recorded size and checksum.
    ZipChoice ReadArchive(std::span<const uint8_t> archive) const;

private:
    std::vector<std::string> extensions_;
};

// The extension rule's "ZIP": the last three characters of the name, upper-cased.
bool IsZipName(std::string_view name);

// A file as a load command hands it to its loader.
struct LoadableFile {
    std::string Name;             // the extension rule goes by it: a member's name inside an archive
    std::vector<uint8_t> Bytes;
    bool FromArchive = false;     // such a file is not added to the recent files
    std::optional<PreviewScreen> ArchiveScreen;
};

// The ZIP rule: a file named "*.zip" gives way to the member `reader` picks
// from it; any other file passes through. Throws ZipError when the archive
// cannot be read or holds no member for this dialog.
LoadableFile ApplyZipRule(std::string name, std::vector<uint8_t> bytes, const TZipi& reader);

}  // namespace tarvolinde
