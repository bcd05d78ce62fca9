#pragma once

#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>

// Why one file could not be done, worded for the user.
class Failure : public std::runtime_error {
public:
    Failure(const std::filesystem::path& file, const std::string& why)
        : std::runtime_error(file.native() + ": " + why) {}
    static Failure fromErrno(const std::filesystem::path& file) { return Failure(file, std::strerror(errno)); }
};
