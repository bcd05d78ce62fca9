#pragma once

#include <filesystem>
#include <vector>

namespace browse {

// A root's path text ends in the separator; no other directory's does.
bool isRootText(const std::filesystem::path& directory, char separator);

// The path text of an entry inside `directory`, with one separator between.
std::filesystem::path childPath(const std::filesystem::path& directory, const std::filesystem::path& name,
                                char separator);

// The directories from `root` down to the parent of `directory`, which lies
// below `root`. A root has no ancestors.
std::vector<std::filesystem::path> ancestorsBelow(const std::filesystem::path& root,
                                                  const std::filesystem::path& directory, char separator);

// Whether `directory` is `root` itself or lies below it.
bool liesWithin(const std::filesystem::path& root, const std::filesystem::path& directory);

}  // namespace browse
