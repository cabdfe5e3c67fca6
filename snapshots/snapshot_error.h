#pragma once
// The one failure of the snapshot formats: the file is not a valid snapshot of
// its format (wrong size or signature, truncated, inconsistent lengths). The
// front end shows its own fixed message; what() tells a developer what was wrong.

#include <stdexcept>
#include <string>

#include "platform/file_reader.h"

namespace tarvolinde {

class SnapshotError : public std::runtime_error {
public:
    explicit SnapshotError(const std::string& detail, FileProblem problem = FileProblem::Damaged)
        : std::runtime_error(detail), problem_(problem) {}
    // What the user is told: the file is cut short, or otherwise damaged.
    FileProblem Problem() const { return problem_; }

private:
    FileProblem problem_;
};

}  // namespace tarvolinde
