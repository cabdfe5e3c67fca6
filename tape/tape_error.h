#pragma once
// The one error every tape format raises for a file it cannot play: a bad or
// unsupported header, a damaged compressed stream, an absurd block count. The
// front end shows "Error en la cinta" for it; what() is for logs and tests.

#include <stdexcept>
#include <string>

namespace tarvolinde {

class TapeFormatError : public std::runtime_error {
public:
    explicit TapeFormatError(const std::string& reason) : std::runtime_error(reason) {}
};

}  // namespace tarvolinde
