#pragma once

#include "platform/file_system.h"
#include "platform/win32/volume_labels.h"

#include <chrono>

namespace platform {

// How long the drive list waits for the drives' labels.
inline constexpr std::chrono::milliseconds labelPatience{300};

// The root of the drive that holds `path`, as every root ends, in the
// separator: "C:\" for "c:\maps", "\\server\share\" for
// "\\server\share\maps"; empty for anything else.
NativeString driveRootOf(NativeView path);

// The real Windows file system. A drive is a drive letter ("c:", root "C:\"),
// or the network share that holds the working directory ("\\server\share",
// root "\\server\share\"), with its label where it gives one in time (see
// VolumeLabels). Each drive has the current directory the system keeps for
// it. A folder is listed through the very handle that tells which folder it
// is, and a name in it is looked at, and deleted, through that folder's
// handle, never through a path that may lead elsewhere by then. Names are
// used exactly as the listing gave them: long paths and names that end in a
// dot or a blank are passed to the system unchanged.
class Win32FileSystem : public FileSystem {
public:
    NativeChar separator() const override { return L'\\'; }
    NativeString driveRootOf(const Path& path) const override { return platform::driveRootOf(path.native()); }
    std::vector<Drive> drives(Checkpoints& job) const override;
    Path workingDirectory() const override;
    Path currentDirectoryOf(const Drive& drive) const override;
    DirectoryListing readDirectory(const Path& directory, Checkpoints& job,
                                   ListingObserver* observer = nullptr) const override;
    OpenDirectory openDirectory(const Path& path) const override;
    FileIdentity identityOf(const OpenDirectory& directory) const override;
    std::optional<EntryIdentity> identifyFile(const OpenDirectory& directory, NativeView name) const override;
    std::optional<FileIdentity> identifyDirectory(const OpenDirectory& directory, NativeView name) const override;
    // Opens the file through the folder's handle, compares its identity on
    // that same handle, and marks it for deletion on it. A file another
    // program holds open stays until that program closes it: the report says so.
    void deleteFile(const OpenDirectory& directory, NativeView name, const EntryIdentity& shown,
                    Checkpoints& job) override;

private:
    VolumeLabels labels_;
};

}  // namespace platform
