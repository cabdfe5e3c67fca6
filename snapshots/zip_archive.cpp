#include "snapshots/zip_archive.h"

#include <zip.h>

#include <algorithm>
#include <memory>

#include "machine/video/screen_tables.h"

namespace tarvolinde {

namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct MemberCloser {
    void operator()(zip_file_t* member) const { zip_fclose(member); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using Member = std::unique_ptr<zip_file_t, MemberCloser>;

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return upper;
}

// The characters after the last dot; a name without one has no extension.
std::string MemberExtension(std::string_view name) {
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : Upper(name.substr(dot + 1));
}

Archive OpenArchive(std::span<const uint8_t> bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (!archive) {
        if (source) zip_source_free(source);
        const std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw ZipError("not a readable archive: " + reason);
    }
    zip_error_fini(&error);
    return Archive(archive);
}

// Exactly `size` bytes, and then the member's end: libzip checks the checksum
// there, so a member whose recorded size or checksum lies is refused.
std::vector<uint8_t> Extract(zip_t* archive, zip_uint64_t index, uint64_t size) {
    const Member member(zip_fopen_index(archive, index, 0));
    if (!member) throw ZipError(std::string("cannot open a member: ") + zip_strerror(archive));
    std::vector<uint8_t> bytes(size);
    uint64_t done = 0;
    while (done < size) {
        const zip_int64_t got = zip_fread(member.get(), bytes.data() + done, size - done);
        if (got <= 0) throw ZipError("a member is shorter than recorded or damaged");
        done += uint64_t(got);
    }
    uint8_t beyond = 0;
    if (zip_fread(member.get(), &beyond, 1) != 0) throw ZipError("a member is longer than recorded or damaged");
    return bytes;
}

}  // namespace

TZipi::TZipi(std::string_view filter) {
    // "Caption (*.a *.b);;..." : the patterns between the first entry's parentheses.
    std::string_view entry = filter.substr(0, filter.find(";;"));
    const size_t open = entry.find('('), close = entry.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return;
    entry = entry.substr(open + 1, close - open - 1);
    while (!entry.empty()) {
        const size_t end = std::min(entry.find(' '), entry.size());
        const std::string_view pattern = entry.substr(0, end);
        entry.remove_prefix(std::min(end + 1, entry.size()));
        if (pattern.size() < 3 || pattern.substr(0, 2) != "*.") continue;
        std::string extension = Upper(pattern.substr(2));
        if (extension != "ZIP" && extensions_.size() < kMaxZipExtensions) extensions_.push_back(std::move(extension));
    }
}

ZipChoice TZipi::ReadArchive(std::span<const uint8_t> bytes) const {
    const Archive archive = OpenArchive(bytes);
    std::optional<zip_uint64_t> screen, member;
    ZipChoice choice;
    uint64_t memberSize = 0;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    constexpr zip_uint64_t kNeeded = ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), zip_uint64_t(index), 0, &stat) != 0 || (stat.valid & kNeeded) != kNeeded)
            continue;
        const bool extractable = stat.encryption_method == ZIP_EM_NONE &&
                                 (stat.comp_method == ZIP_CM_STORE || stat.comp_method == ZIP_CM_DEFLATE);
        if (!extractable) continue;
        const std::string extension = MemberExtension(stat.name);
        if (!screen && stat.size == kScreenDumpBytes && extension == "SCR") {
            screen = zip_uint64_t(index);
            if (member) break;
            continue;
        }
        const bool wanted = !extension.empty() &&
                            std::find(extensions_.begin(), extensions_.end(), extension) != extensions_.end();
        if (wanted && stat.size <= kMaxZipMemberBytes) {
            member = zip_uint64_t(index);
            choice.Name = stat.name;
            memberSize = stat.size;
            if (screen) break;
        }
    }
    if (screen) {
        const std::vector<uint8_t> picture = Extract(archive.get(), *screen, kScreenDumpBytes);
        choice.Screen.emplace();
        std::copy(picture.begin(), picture.end(), choice.Screen->begin());
    }
    if (member) choice.Stream = Extract(archive.get(), *member, memberSize);
    return choice;
}

bool IsZipName(std::string_view name) { return name.size() >= 3 && Upper(name.substr(name.size() - 3)) == "ZIP"; }

LoadableFile ApplyZipRule(std::string name, std::vector<uint8_t> bytes, const TZipi& reader) {
    if (!IsZipName(name)) return {std::move(name), std::move(bytes), false, std::nullopt};
    ZipChoice choice = reader.ReadArchive(bytes);
    if (choice.Name.empty()) throw ZipError("no member for this dialog in " + name);
    return {std::move(choice.Name), std::move(choice.Stream), true, choice.Screen};
}

}  // namespace tarvolinde
