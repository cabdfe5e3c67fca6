#pragma once
// The one error every tape format raises for a file it cannot play: a bad or
// unsupported header, a damaged compressed stream, an absurd block count. The
// front end shows "Error en la cinta" for it; what() is for logs and tests.

#include <stdexcept>
#include <string>

#include "platform/file_reader.h"

namespace tarvolinde {

class TapeFormatError : public std::runtime_error {
public:
    explicit TapeFormatError(const std::string& reason, FileProblem problem = FileProblem::Damaged)
        : std::runtime_error(reason), problem_(problem) {}
    // What the user is told: the file is cut short, or otherwise damaged.
    FileProblem Problem() const { return problem_; }

private:
    FileProblem problem_;
};

}  // namespace tarvolinde
