#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace browse {

// A key whose plain byte order is the order people expect of names: letters
// without regard to ASCII case, runs of digits by their value ("file2" before
// "file10"). Bytes outside ASCII keep their own order.
std::string naturalKey(std::string_view name);

// Sorts names by their keys, each key made once; equal keys fall back to the
// names' bytes, so the order is total and the same on every run.
void sortNaturally(std::vector<std::filesystem::path>& names);

}  // namespace browse
