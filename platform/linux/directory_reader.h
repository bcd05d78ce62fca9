#pragma once

#include "platform/file_system.h"

#include <chrono>
#include <functional>

namespace platform {

// How long a listing waits for its links to be resolved.
inline constexpr std::chrono::milliseconds linkPatience{500};

// Opens a directory, notes which one it is, reads its non-hidden
// subdirectories and files in one pass of getdents64, and closes it. The
// entry's type comes from the directory itself; only entries whose type it
// does not give, and symlinks, cost a stat. A link counts as what it points
// to, a dangling one as neither. Links are resolved beside the job, one
// thread for each drive their targets' texts name (`rootOf`), for
// linkPatience at most: a link into a drive that does not answer in time, or
// that has not answered an earlier request, is listed as a file at once.
DirectoryListing readEntries(const Path& directory, Checkpoints& job,
                             const std::function<NativeString(const Path&)>& rootOf, ListingObserver* observer);

}  // namespace platform
