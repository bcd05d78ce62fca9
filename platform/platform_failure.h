#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// The one exception a failing operating-system call throws. what() is the
// system's own description ("No such file or directory"); subject names what
// the call was about (a path, a program), for the report to show beside it.
class PlatformFailure : public std::runtime_error {
public:
    PlatformFailure(const std::string& description, std::string subject)
        : std::runtime_error(description), subject_(std::move(subject)) {}

    // The description that errno gives, as strerror words it.
    static PlatformFailure fromErrno(int error, std::string subject);

    const std::string& subject() const { return subject_; }

private:
    std::string subject_;
};

}  // namespace platform
