#pragma once
// The program as the user's handler of its file types on freedesktop.org
// desktops: our MIME types (shared-mime-info XML) and desktop entry in the
// user's data directory, and the defaults in the user's mimeapps.list.
//
// Associating a type keeps the handler it had before ("Salvado") in our own
// desktop entry; removing the association puts that handler back, or removes
// our default when there was none. Other lines of mimeapps.list are kept as
// they are.

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvolinde {

struct AssociatedType {
    std::string_view Extension;  // lower case, without the dot
    std::string_view MimeType;
    std::string_view Comment;
};

inline constexpr std::array<AssociatedType, 10> kAssociatedTypes{{
    {"fsu", "application/x-spectrum-fsu", "Snapshot FSU de ZX Spectrum"},
    {"z80", "application/x-spectrum-z80", "Snapshot Z80 de ZX Spectrum"},
    {"sna", "application/x-spectrum-sna", "Snapshot SNA de ZX Spectrum"},
    {"szx", "application/x-spectrum-szx", "Snapshot SZX de ZX Spectrum"},
    {"sp", "application/x-spectrum-sp", "Snapshot SP de ZX Spectrum"},
    {"tap", "application/x-spectrum-tap", "Cinta TAP de ZX Spectrum"},
    {"tzx", "application/x-spectrum-tzx", "Cinta TZX de ZX Spectrum"},
    {"csw", "application/x-spectrum-csw", "Cinta CSW de ZX Spectrum"},
    {"dsk", "application/x-spectrum-dsk", "Disco DSK de ZX Spectrum"},
    {"rzx", "application/x-spectrum-rzx", "Grabación RZX de ZX Spectrum"},
}};

using AssociationFlags = std::array<bool, kAssociatedTypes.size()>;

inline constexpr std::string_view kDesktopFileId = "tarvolinde.desktop";

// The user's XDG base directories.
struct XdgDirs {
    std::filesystem::path DataHome;    // $XDG_DATA_HOME, else ~/.local/share
    std::filesystem::path ConfigHome;  // $XDG_CONFIG_HOME, else ~/.config

    static XdgDirs FromEnvironment();
    std::filesystem::path MimeApps() const { return ConfigHome / "mimeapps.list"; }
    std::filesystem::path DesktopEntry() const { return DataHome / "applications" / kDesktopFileId; }
    std::filesystem::path MimePackage() const { return DataHome / "mime" / "packages" / "tarvolinde.xml"; }
};

// Runs a program given by name and its arguments, waiting for it.
using CommandRunner = std::function<void(const std::vector<std::string>& arguments)>;
// The runner of the program: a program the system does not have is skipped.
void RunIfInstalled(const std::vector<std::string>& arguments);

// Which types have our desktop entry as the user's default handler.
AssociationFlags AssociatedTypes(const XdgDirs& dirs);

// Associates each type whose flag is set and removes our association from the
// others, then refreshes the desktop's MIME and desktop-entry caches. The
// desktop entry starts `executable` (a full path). False when a file could not
// be read or written; mimeapps.list is then left as it was.
bool ApplyAssociations(const XdgDirs& dirs, const AssociationFlags& wanted, const std::string& executable,
                       const CommandRunner& run = RunIfInstalled);

// The Exec value that starts `executable` with one file, quoted as desktop entries require.
std::string DesktopExecLine(const std::string& executable);

}  // namespace tarvolinde
