#include "platform/file_reader.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvolinde {

namespace {

constexpr size_t kMiB = size_t(1) << 20;

FileProblem ProblemOfErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return FileProblem::NotFound;
    case EISDIR: return FileProblem::Directory;
    default: return FileProblem::Unreadable;
    }
}

// The file descriptor closes itself however the read ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

// Opens without waiting (a FIFO with no writer would block a plain open) and
// checks what the descriptor is, so that the check and the read see one file.
std::optional<FileProblem> Check(const Descriptor& fd, FileKind kind, off_t& size) {
    if (fd.Get() < 0) return ProblemOfErrno(errno);
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) return FileProblem::Unreadable;
    if (S_ISDIR(info.st_mode)) return FileProblem::Directory;
    if (!S_ISREG(info.st_mode)) return FileProblem::NotRegular;
    if (info.st_size < 0 || uint64_t(info.st_size) > MaxFileSize(kind)) return FileProblem::TooLarge;
    size = info.st_size;
    return std::nullopt;
}

int OpenForReading(const std::string& path) { return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); }

}  // namespace

const char* ProblemText(FileProblem problem) {
    switch (problem) {
    case FileProblem::NotFound: return "no se encuentra";
    case FileProblem::Directory: return "es una carpeta";
    case FileProblem::NotRegular: return "no es un archivo normal";
    case FileProblem::TooLarge: return "demasiado grande";
    case FileProblem::Unreadable: return "no se puede leer";
    case FileProblem::TooShort: return "demasiado corto";
    case FileProblem::Damaged: return "formato dañado";
    }
    return "no se puede leer";
}

size_t MaxFileSize(FileKind kind) {
    switch (kind) {
    case FileKind::Rom: return kMiB;             // the largest ROM set is 64 KB
    case FileKind::Snapshot: return 16 * kMiB;   // a Scorpion's 256 KB stored raw, with room to spare
    case FileKind::Tape: return 1024 * kMiB;     // an hour of CD-quality WAV, and RZX recordings
    case FileKind::Disk: return 64 * kMiB;       // an EXTENDED DSK of the largest tracks is under 40 MB
    case FileKind::Archive: return 1024 * kMiB;  // may hold any of the above
    case FileKind::Program: return 64 * 1024;    // a CP/M program fits below 64 KB
    case FileKind::HardDisk: return SIZE_MAX;    // an IDE disk of any size
    case FileKind::Settings: return kMiB;        // a mimeapps.list or desktop entry is a few KB
    }
    return 0;
}

FileContents ReadFileOfKind(const std::string& path, FileKind kind) {
    FileContents result;
    const Descriptor fd(OpenForReading(path));
    off_t size = 0;
    if (const std::optional<FileProblem> problem = Check(fd, kind, size)) {
        result.Problem = *problem;
        return result;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            result.Problem = ProblemOfErrno(errno);
            return result;
        }
        if (got == 0) break;  // the file shrank while it was read: take what is there
        done += size_t(got);
    }
    bytes.resize(done);
    result.Bytes = std::move(bytes);
    return result;
}

std::optional<FileProblem> ProblemOpening(const std::string& path, FileKind kind) {
    const Descriptor fd(OpenForReading(path));
    off_t size = 0;
    return Check(fd, kind, size);
}

std::string DescribeProblem(const std::string& path, FileProblem problem) {
    return path + ": " + ProblemText(problem);
}

}  // namespace tarvolinde
