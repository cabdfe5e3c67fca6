#pragma once
// The one failure of the snapshot formats: the file is not a valid snapshot of
// its format (wrong size or signature, truncated, inconsistent lengths). The
// front end shows its own fixed message; what() tells a developer what was wrong.

#include <stdexcept>
#include <string>

namespace tarvolinde {

class SnapshotError : public std::runtime_error {
public:
    explicit SnapshotError(const std::string& detail) : std::runtime_error(detail) {}
};

}  // namespace tarvolinde
