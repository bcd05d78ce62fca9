#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// Paths and names travel as the file system's own code units: bytes on
// Linux, UTF-16 on Windows. Nothing converts them on the way from a listing
// to the tool or to a deletion.
using Path = std::filesystem::path;
using NativeChar = Path::value_type;
using NativeString = Path::string_type;
using NativeView = std::basic_string_view<NativeChar>;

}  // namespace platform
