#pragma once

#include "platform/file_system.h"

#include <functional>
#include <sys/types.h>

namespace platform {

// The identity of entry `name` of directory `directory` (the directory itself
// when `name` is empty), with links followed or not; nothing when it cannot
// be looked at, errno then telling why. Device, inode and birth time from
// statx, and the kernel's file handle, which carries the inode's generation,
// where the file system keeps stable numbers; a stamp of size and times where
// it does not (see FileIdentity). `type`, when given, gets its file type
// (S_IFDIR, S_IFLNK, ...).
std::optional<FileIdentity> identityAt(int directory, const char* name, bool followLinks, unsigned* type = nullptr);

// Whether the file system of `device` numbers its files anew or makes the
// numbers up (vfat, exFAT, FUSE, overlayfs), so that only a stamp tells its
// files apart: by statfs on what `openOnIt` opens there, once per device
// while the mount table stays as it is.
bool numbersAreUnstable(dev_t device, const std::function<int()>& openOnIt);

// Whether the file system that holds `fd` is overlayfs, where renaming a file
// first copies it up from a lower layer.
bool isOverlay(int fd);

}  // namespace platform
