#pragma once

#include "platform/file_system.h"

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
// root "\\server\share\"). Only fixed drives are asked for their label, each
// on a thread of its own and for labelPatience at most, so a drive without a
// medium or a slow network drive is not touched until it is picked. Each drive has the
// current directory the system keeps for it. Names are used exactly as the
// listing gave them: long paths and names that end in a dot or a blank are
// passed to the system unchanged.
class Win32FileSystem : public FileSystem {
public:
    NativeChar separator() const override { return L'\\'; }
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
