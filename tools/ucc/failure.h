#pragma once

#include "system.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>

// Why one file could not be done, worded for the user.
class Failure : public std::runtime_error {
public:
    Failure(const std::filesystem::path& file, const std::string& why) : std::runtime_error(shown(file) + ": " + why) {}
    // After a C library call: errno's description.
    static Failure fromErrno(const std::filesystem::path& file) { return Failure(file, std::strerror(errno)); }
    // After a system call: the system's own description.
    static Failure fromSystem(const std::filesystem::path& file) { return Failure(file, lastSystemError()); }
};
