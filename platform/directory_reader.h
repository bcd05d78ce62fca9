#pragma once

#include "file_system.h"

#include <filesystem>

namespace platform {

// One directory's non-hidden subdirectories and files, read in a single pass.
// The entry's type comes from the directory itself; only entries whose type it
// does not give, and symlinks, cost a stat (a link counts as what it points
// to; a dangling one counts as neither).
DirectoryListing readEntries(const std::filesystem::path& directory);

}  // namespace platform
