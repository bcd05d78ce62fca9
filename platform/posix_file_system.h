#pragma once

#include "file_system.h"

namespace platform {

// The real Linux file system. A drive is a mounted file system that can hold
// user files; its text is the mount point in brackets ("[/home]") so it can
// never be taken for a path, and its root is the mount point with "/" after it.
// The system keeps no current directory per drive: it is the working directory
// on the drive that holds it and the root everywhere else.
class PosixFileSystem final : public FileSystem {
public:
    char separator() const override { return '/'; }
    std::vector<Drive> drives() const override;
    Drive driveOf(const std::filesystem::path& directory) const override;
    std::filesystem::path workingDirectory() const override;
    std::filesystem::path currentRootText() const override;
    std::filesystem::path resolveDirectory(const std::string& text) const override;
    DirectoryListing readDirectory(const std::filesystem::path& directory) const override;
    void deleteFile(const std::filesystem::path& target) override;
};

}  // namespace platform
