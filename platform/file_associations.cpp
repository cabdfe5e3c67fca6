#include "platform/file_associations.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "platform/file_reader.h"
#include "platform/ini_store.h"

extern char** environ;

namespace tarvolinde {

namespace {

constexpr std::string_view kDefaults = "Default Applications";
constexpr std::string_view kAdded = "Added Associations";
// Our desktop entry's own group: the handler each type had before we took it.
constexpr std::string_view kSaved = "X-Tarvolinde Salvado";

namespace fs = std::filesystem;

fs::path DirFromEnvironment(const char* name, const char* fallbackUnderHome) {
    const char* value = std::getenv(name);
    if (value && *value == '/') return value;
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/") / fallbackUnderHome;
}

// The file's text: empty when it does not exist, nothing when it cannot be read.
std::optional<std::string> ReadText(const fs::path& path) {
    const FileContents file = ReadFileOfKind(path.string(), FileKind::Settings);
    if (file) return std::string(file.Bytes->begin(), file.Bytes->end());
    return file.Problem == FileProblem::NotFound ? std::optional<std::string>("") : std::nullopt;
}

// Replaces the file only once the new text is complete.
bool WriteText(const fs::path& path, const std::string& text) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    fs::path temporary = path;
    temporary += ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(text.data(), std::streamsize(text.size()));
        if (!file.flush()) return false;
    }
    fs::rename(temporary, path, error);
    if (!error) return true;
    fs::remove(temporary, error);
    return false;
}

// A semicolon-separated list of desktop file ids, without empty entries.
std::vector<std::string> SplitList(std::string_view text) {
    std::vector<std::string> items;
    while (!text.empty()) {
        const size_t end = text.find(';');
        const std::string_view item = text.substr(0, end);
        if (!item.empty()) items.emplace_back(item);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return items;
}

std::string JoinList(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += item + ';';
    return text;
}

bool IsOurs(const IniStore& mimeApps, std::string_view mimeType) {
    const std::vector<std::string> handlers = SplitList(mimeApps.GetString(kDefaults, mimeType, ""));
    return !handlers.empty() && handlers.front() == kDesktopFileId;
}

void Associate(IniStore& mimeApps, IniStore& saved, const AssociatedType& type) {
    saved.Set(kSaved, type.Extension, mimeApps.GetString(kDefaults, type.MimeType, ""));
    mimeApps.Set(kDefaults, type.MimeType, kDesktopFileId);
    std::vector<std::string> added = SplitList(mimeApps.GetString(kAdded, type.MimeType, ""));
    std::erase(added, kDesktopFileId);
    added.insert(added.begin(), std::string(kDesktopFileId));
    mimeApps.Set(kAdded, type.MimeType, JoinList(added));
}

void Dissociate(IniStore& mimeApps, IniStore& saved, const AssociatedType& type) {
    const std::string previous = saved.GetString(kSaved, type.Extension, "");
    saved.Remove(kSaved, type.Extension);
    if (previous.empty())
        mimeApps.Remove(kDefaults, type.MimeType);
    else
        mimeApps.Set(kDefaults, type.MimeType, previous);
    std::vector<std::string> added = SplitList(mimeApps.GetString(kAdded, type.MimeType, ""));
    std::erase(added, kDesktopFileId);
    if (added.empty())
        mimeApps.Remove(kAdded, type.MimeType);
    else
        mimeApps.Set(kAdded, type.MimeType, JoinList(added));
}

std::string MimePackageText() {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    for (const AssociatedType& type : kAssociatedTypes) {
        text += "  <mime-type type=\"" + std::string(type.MimeType) + "\">\n";
        text += "    <comment>" + std::string(type.Comment) + "</comment>\n";
        text += "    <glob pattern=\"*." + std::string(type.Extension) + "\"/>\n";
        text += "  </mime-type>\n";
    }
    return text + "</mime-info>\n";
}

std::string DesktopEntryText(const std::string& executable, const IniStore& saved) {
    std::string mimeTypes;
    for (const AssociatedType& type : kAssociatedTypes) mimeTypes += std::string(type.MimeType) + ';';
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Tarvolinde\n"
                       "Comment=Emulador de ZX Spectrum\n"
                       "Icon=tarvolinde\n"
                       "Exec=" + DesktopExecLine(executable) + "\n"
                       "Terminal=false\n"
                       "Categories=Game;Emulator;\n"
                       "MimeType=" + mimeTypes + "\n"
                       "\n[" + std::string(kSaved) + "]\n";
    for (const std::string& key : saved.Keys(kSaved)) text += key + '=' + saved.GetString(kSaved, key, "") + '\n';
    return text;
}

}  // namespace

XdgDirs XdgDirs::FromEnvironment() {
    return {DirFromEnvironment("XDG_DATA_HOME", ".local/share"), DirFromEnvironment("XDG_CONFIG_HOME", ".config")};
}

void RunIfInstalled(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return;
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    // Their notes are for a person at a terminal; errors still reach stderr.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) return;
    int status = 0;
    waitpid(child, &status, 0);
}

std::string DesktopExecLine(const std::string& executable) {
    // A path with characters the desktop would read as shell syntax is quoted as
    // one argument; inside quotes ", `, $ and \ take a backslash, and the value
    // itself doubles backslashes and percent signs.
    const bool plain = executable.find_first_of(" \t\"'\\><~|&;$*?#()`") == std::string::npos;
    std::string quoted = plain ? "" : "\"";
    for (const char c : executable) {
        if (c == '"' || c == '`' || c == '$') quoted += "\\\\";
        if (c == '\\')
            quoted += "\\\\\\\\";
        else if (c == '%')
            quoted += "%%";
        else
            quoted += c;
    }
    return quoted + (plain ? " %f" : "\" %f");
}

AssociationFlags AssociatedTypes(const XdgDirs& dirs) {
    AssociationFlags flags{};
    const std::optional<std::string> text = ReadText(dirs.MimeApps());
    if (!text) return flags;
    const IniStore mimeApps = IniStore::Parse(*text);
    for (size_t i = 0; i < kAssociatedTypes.size(); ++i) flags[i] = IsOurs(mimeApps, kAssociatedTypes[i].MimeType);
    return flags;
}

bool ApplyAssociations(const XdgDirs& dirs, const AssociationFlags& wanted, const std::string& executable,
                       const CommandRunner& run) {
    const std::optional<std::string> mimeText = ReadText(dirs.MimeApps());
    const std::optional<std::string> entryText = ReadText(dirs.DesktopEntry());
    if (!mimeText || !entryText) return false;
    // A line break in the path would end the Exec line.
    if (executable.find_first_of("\r\n") != std::string::npos) return false;
    IniStore mimeApps = IniStore::Parse(*mimeText);
    IniStore saved = IniStore::Parse(*entryText);

    bool anyOurs = false;
    for (size_t i = 0; i < kAssociatedTypes.size(); ++i) {
        const bool ours = IsOurs(mimeApps, kAssociatedTypes[i].MimeType);
        if (wanted[i] && !ours) Associate(mimeApps, saved, kAssociatedTypes[i]);
        if (!wanted[i] && ours) Dissociate(mimeApps, saved, kAssociatedTypes[i]);
        anyOurs = anyOurs || wanted[i];
    }

    std::error_code error;
    if (anyOurs) {
        if (!WriteText(dirs.MimePackage(), MimePackageText()) ||
            !WriteText(dirs.DesktopEntry(), DesktopEntryText(executable, saved)))
            return false;
    } else {
        // Nothing of ours is left to keep: the user's directories are as they were.
        fs::remove(dirs.MimePackage(), error);
        fs::remove(dirs.DesktopEntry(), error);
    }
    const std::string newMimeText = mimeApps.Write();
    if (newMimeText != *mimeText && !WriteText(dirs.MimeApps(), newMimeText)) return false;
    run({"update-mime-database", (dirs.DataHome / "mime").string()});
    run({"update-desktop-database", (dirs.DataHome / "applications").string()});
    return true;
}

}  // namespace tarvolinde
