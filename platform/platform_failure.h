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

    // What an action reports, and does nothing else, when what it would act
    // on is no longer what the window showed.
    static PlatformFailure folderChanged(Path folder) {
        return PlatformFailure("This folder is no longer the one that was shown: it was moved, replaced or "
                               "unmounted since. Nothing was done.",
                               std::move(folder));
    }
    static PlatformFailure fileChanged(Path file) {
        return PlatformFailure(
            "This file is no longer the one that was selected: it was moved or replaced since. Nothing was done.",
            std::move(file));
    }

    const Path& subject() const { return subject_; }

private:
    Path subject_;
};

// The user gave up waiting for a drive that did not answer (a network drive
// that went down, a hung mount). What was asked of it is left to the system:
// it may still happen if the drive answers later.
class NoAnswer final : public PlatformFailure {
public:
    explicit NoAnswer(Path subject)
        : PlatformFailure("The drive does not answer. The program stopped waiting for it.", std::move(subject)) {}
};

}  // namespace platform
