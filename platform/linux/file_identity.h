#pragma once

#include "platform/file_system.h"

namespace platform {

// The identity of entry `name` of directory `directory` (the directory itself
// when `name` is empty), with links followed or not; nothing when it cannot
// be looked at. Device, inode and birth time from statx, and the kernel's
// file handle, which carries the inode's generation on ext4, xfs, btrfs and
// tmpfs, so that a number given again to a new file does not pass.
// `type`, when given, gets its file type (S_IFDIR, S_IFLNK, ...).
std::optional<FileIdentity> identityAt(int directory, const char* name, bool followLinks, unsigned* type = nullptr);

}  // namespace platform
