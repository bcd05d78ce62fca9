#pragma once

#include "platform/platform_failure.h"

#include <exception>
#include <string>

namespace jobs {

// A job stops here as a whole. Work that goes on without a step that failed
// (a folder it could not look at, say) lets these through.
class Stopped {};

// The user gave up waiting for a drive that did not answer (a network drive
// that went down, a hung mount). The job stops at its next checkpoint and
// changes nothing more; `afterwards` says what may still come of a request
// already under way.
class NoAnswer final : public platform::PlatformFailure, public Stopped {
public:
    explicit NoAnswer(platform::Path subject, const std::string& afterwards = {})
        : PlatformFailure("The drive does not answer. The program stopped waiting for it." +
                              (afterwards.empty() ? "" : " " + afterwards),
                          std::move(subject)) {}
};

// A drive that still has a request outstanding from an earlier job gets no
// new one: the action fails at once, without a thread.
class DriveNotAnswering final : public platform::PlatformFailure, public Stopped {
public:
    explicit DriveNotAnswering(const platform::Path& root);
};

// Thrown at a checkpoint inside a job the user gave up on; nobody is waiting
// for that job any more, so it reaches no one.
class GivenUp final : public std::exception, public Stopped {
public:
    const char* what() const noexcept override { return "given up"; }
};

// The window was closed while it waited for a job: the program ends, and
// nothing is reported.
class WindowClosing final : public std::exception {
public:
    const char* what() const noexcept override { return "the window is closing"; }
};

}  // namespace jobs
