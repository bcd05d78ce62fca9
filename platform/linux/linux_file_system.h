#pragma once

#include "platform/file_system.h"

namespace platform {

// The real Linux file system. A drive is a mounted file system a desktop user
// counts as one; its text is the mount point in brackets ("[/home]") so that
// it can never be taken for a path, its root the mount point with "/" after
// it. The system keeps no current directory per drive: it is the working
// directory on the drive that holds it, and the root everywhere else.
class LinuxFileSystem final : public FileSystem {
public:
    NativeChar separator() const override { return '/'; }
    NativeString driveRootOf(const Path& path) const override;
    std::vector<Drive> drives(Checkpoints& job) const override;
    Path workingDirectory() const override;
    Path currentDirectoryOf(const Drive& drive) const override;
    DirectoryListing readDirectory(const Path& directory, Checkpoints& job,
                                   ListingObserver* observer = nullptr) const override;
    OpenDirectory openDirectory(const Path& path) const override;
    FileIdentity identityOf(const OpenDirectory& directory) const override;
    std::optional<EntryIdentity> identifyFile(const OpenDirectory& directory, NativeView name) const override;
    std::optional<FileIdentity> identifyDirectory(const OpenDirectory& directory, NativeView name) const override;
    // Renames the file to a hidden name of its own in the same folder (an
    // atomic rename that replaces nothing), checks that what now has that
    // name is the file shown, and unlinks it; anything else is put back under
    // its name. Where such a rename is refused (some FUSE and network file
    // systems) or would copy a file up first (overlayfs), checks and unlinks
    // back to back instead.
    void deleteFile(const OpenDirectory& directory, NativeView name, const EntryIdentity& shown,
                    Checkpoints& job) override;
};

}  // namespace platform
