#pragma once

#include "name_list.h"

#include <filesystem>

namespace platform {

enum class EntryKind { File, Directory };

// Names of one directory's non-hidden entries of one kind, read in a single
// pass. The entry's type comes from the directory itself; only entries whose
// type it does not give, and symlinks, cost a stat (a link counts as what it
// points to; a dangling one counts as neither).
NameList readEntries(const std::filesystem::path& directory, EntryKind kind);

}  // namespace platform
