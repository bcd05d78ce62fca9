#pragma once

// What the stand-in needs of the system, one file per system: Linux names are
// bytes, Windows names UTF-16, and each has its own idea of a hidden file.

#include <filesystem>
#include <string>
#include <vector>

using NativeString = std::filesystem::path::string_type;

// A path as a message shows it, in UTF-8.
std::string shown(const std::filesystem::path& path);
// The description of the last failed system call.
std::string lastSystemError();

bool isPlainFile(const std::filesystem::path& path);
// The visible entries of `directory`, as paths; throws Failure.
std::vector<std::filesystem::path> visibleEntries(const std::filesystem::path& directory);
// A binary descriptor open for reading, or -1 with errno set.
int openToRead(const std::filesystem::path& path);
// Whether `name` ends in ".gz" as the system compares names.
bool endsWithGz(const NativeString& name);
// Writes a line of UTF-8 to standard output.
void say(const std::string& line);
