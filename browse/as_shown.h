#pragma once

#include "platform/file_system.h"

namespace browse {

// Opens the directory at `path` for one action, if it is still the directory
// that was shown there (`shown`); otherwise throws PlatformFailure saying that
// it changed since, and nothing is done. Unmounted, replaced, moved away: all
// lead to another directory or to none.
platform::OpenDirectory openAsShown(const platform::FileSystem& fileSystem, const platform::Path& path,
                                    const std::optional<platform::FileIdentity>& shown);

// Throws PlatformFailure unless file `name` of `directory` is still the file
// that was selected.
void checkStillSelected(const platform::FileSystem& fileSystem, const platform::OpenDirectory& directory,
                        platform::NativeView name, const std::optional<platform::EntryIdentity>& selected);

}  // namespace browse
