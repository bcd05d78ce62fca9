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
    std::vector<Drive> drives() const override;
    Path workingDirectory() const override;
    Path currentDirectoryOf(const Drive& drive) const override;
    DirectoryListing readDirectory(const Path& directory) const override;
    OpenDirectory openDirectory(const Path& path) const override;
    FileIdentity identityOf(const OpenDirectory& directory) const override;
    std::optional<EntryIdentity> identifyFile(const OpenDirectory& directory, NativeView name) const override;
    std::optional<FileIdentity> identifyDirectory(const OpenDirectory& directory, NativeView name) const override;
    void deleteFile(const OpenDirectory& directory, NativeView name) override;
};

}  // namespace platform
