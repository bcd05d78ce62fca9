#pragma once

#include "native.h"

#include <stdexcept>
#include <string>
#include <vector>

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
        return PlatformFailure(
            "This folder is no longer the one that was shown: it was moved, replaced or "
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

// No folder searched holds the program: the system's own words for a file
// that is not found, and where it was looked for.
class ProgramNotFound final : public PlatformFailure {
public:
    ProgramNotFound(Path program, std::vector<Path> searched);
    const std::vector<Path>& searched() const { return searched_; }

private:
    std::vector<Path> searched_;
};

}  // namespace platform
