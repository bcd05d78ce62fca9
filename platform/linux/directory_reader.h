#pragma once

#include "platform/file_system.h"

namespace platform {

// Opens a directory, notes which one it is, reads its non-hidden
// subdirectories and files in one pass of getdents64, and closes it. The entry's type comes from the
// directory itself; only entries whose type it does not give, and symlinks,
// cost a stat (a link counts as what it points to; a dangling one counts as
// neither).
DirectoryListing readEntries(const Path& directory);

}  // namespace platform
