#pragma once
// Every file the programs load is read here: only regular files, each kind
// bounded by the largest real file of that kind can be, so that a directory,
// a FIFO with no writer or a path to an endless device fails at once with a
// reason instead of hanging, throwing or eating the memory.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvolinde {

// What can be wrong with a file the user gave: the reading problems of this
// reader, and the two the loaders find in the bytes.
enum class FileProblem : uint8_t {
    NotFound,
    Directory,
    NotRegular,
    TooLarge,
    Unreadable,
    TooShort,
    Damaged,
};

// The reason as the user is told it: "no se encuentra", "formato dañado"...
const char* ProblemText(FileProblem problem);

// The kinds of file read whole, each with its own size bound.
// HardDisk images are used in place, never read whole: their bound is only checked.
// Settings are the text files of the desktop's settings the program edits.
enum class FileKind : uint8_t { Rom, Snapshot, Tape, Disk, Archive, Program, HardDisk, Settings };

size_t MaxFileSize(FileKind kind);

// The bytes of a file, or what kept them from being read.
struct FileContents {
    std::optional<std::vector<uint8_t>> Bytes;
    FileProblem Problem = FileProblem::Unreadable;

    explicit operator bool() const { return Bytes.has_value(); }
};

// Reads the whole file when it is a regular file of at most MaxFileSize(kind)
// bytes. Never blocks on a FIFO or device and never throws for a bad file.
FileContents ReadFileOfKind(const std::string& path, FileKind kind);

// Why a path cannot be read as a file of that kind, without reading it;
// nothing when it can be opened as one.
std::optional<FileProblem> ProblemOpening(const std::string& path, FileKind kind);

// "<path>: <reason>", the way the messages name a file that failed.
std::string DescribeProblem(const std::string& path, FileProblem problem);

}  // namespace tarvolinde
