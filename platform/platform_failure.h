#pragma once

#include "native.h"

#include <stdexcept>
#include <string>

namespace platform {

// The one exception a failing operating-system call throws. what() is the
// system's own description, in UTF-8 ("No such file or directory", "The
// device is not ready."); subject is what the call was about (a path, a
// program), for the report to show beside it.
class PlatformFailure : public std::runtime_error {
public:
    PlatformFailure(const std::string& description, Path subject)
        : std::runtime_error(description), subject_(std::move(subject)) {}

    // The system's description of an error code: errno on Linux,
    // GetLastError() on Windows.
    static PlatformFailure fromSystemError(int code, Path subject);

    const Path& subject() const { return subject_; }

private:
    Path subject_;
};

}  // namespace platform
