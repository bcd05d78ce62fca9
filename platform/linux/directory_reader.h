#pragma once

#include "platform/file_system.h"

#include <chrono>

namespace platform {

// How long a listing waits for its links to be resolved.
inline constexpr std::chrono::milliseconds linkPatience{500};

// Opens a directory, notes which one it is, reads its non-hidden
// subdirectories and files in one pass of getdents64, and closes it. The
// entry's type comes from the directory itself; only entries whose type it
// does not give, and symlinks, cost a stat. A link counts as what it points
// to, a dangling one as neither, and one that is not resolved within
// linkPatience (it leads into a mount that does not answer) as a file.
DirectoryListing readEntries(const Path& directory);

}  // namespace platform
