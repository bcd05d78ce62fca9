#pragma once

#include "system_file_system.h"

#include "platform/platform_failure.h"

#include <filesystem>
#include <functional>
#include <string_view>
#include <set>
#include <vector>

// The real file system seen through a temporary tree: some of its folders
// stand for drives (a missing folder is a drive that is not ready), browsing
// cannot leave it, and a deletion outside it is refused and counted instead
// of done. The working directory is what the test says, until it is removed.
class TreeFileSystem final : public platform::FileSystem {
public:
    using Path = platform::Path;

    TreeFileSystem(Path tree, std::vector<Path> driveFolders, Path workingDirectory)
        : tree_(std::move(tree.make_preferred())),
          folders_(std::move(driveFolders)),
          workingDirectory_(std::move(workingDirectory.make_preferred())) {}

    // The calls `givesUp` picks, by name and path, are given up from now on,
    // as the user gives up waiting for a drive that does not answer.
    std::function<bool(std::string_view call, const Path& path)> givesUp;
    // The drives the system lists from now on.
    void setDrives(std::vector<Path> driveFolders) { folders_ = std::move(driveFolders); }
    // Reading `directory` fails from now on, as a directory without rights would.
    void failReading(const Path& directory) { unreadable_.insert(directory.native()); }

    platform::NativeChar separator() const override { return real_.separator(); }
    std::vector<platform::Drive> drives() const override {
        std::vector<platform::Drive> drives;
        for (const Path& folder : folders_)
            drives.push_back({folder.native(), (tree_ / folder).make_preferred().native() + separator(), {}});
        return drives;
    }
    Path workingDirectory() const override {
        if (!std::filesystem::is_directory(workingDirectory_)) throw platform::PlatformFailure("gone", ".");
        return workingDirectory_;
    }
    Path currentDirectoryOf(const platform::Drive& drive) const override {
        const bool here = (workingDirectory_.native() + separator()).starts_with(drive.root.native());
        return here && std::filesystem::is_directory(workingDirectory_) ? workingDirectory_ : drive.root;
    }
    platform::DirectoryListing readDirectory(const Path& directory) const override {
        answer("readDirectory", directory);
        if (!inside(directory) || unreadable_.count(directory.native()))
            throw platform::PlatformFailure("not readable", directory);
        return real_.readDirectory(directory);
    }
    platform::OpenDirectory openDirectory(const Path& path) const override {
        answer("openDirectory", path);
        if (!inside(path)) throw platform::PlatformFailure("outside the tree", path);
        return real_.openDirectory(path);
    }
    platform::FileIdentity identityOf(const platform::OpenDirectory& directory) const override {
        return real_.identityOf(directory);
    }
    std::optional<platform::EntryIdentity> identifyFile(const platform::OpenDirectory& directory,
                                                        platform::NativeView name) const override {
        answer("identifyFile", directory.path);
        return real_.identifyFile(directory, name);
    }
    std::optional<platform::FileIdentity> identifyDirectory(const platform::OpenDirectory& directory,
                                                            platform::NativeView name) const override {
        answer("identifyDirectory", directory.path);
        return real_.identifyDirectory(directory, name);
    }
    void deleteFile(const platform::OpenDirectory& directory, platform::NativeView name) override {
        if (!inside(directory.path)) {
            ++refusedDeletions;
            throw platform::PlatformFailure("outside the tree", directory.path);
        }
        real_.deleteFile(directory, name);
    }

    int refusedDeletions = 0;

private:
    bool inside(const Path& path) const { return path.native().starts_with(tree_.native()); }
    void answer(std::string_view call, const Path& path) const {
        if (givesUp && givesUp(call, path)) throw platform::NoAnswer(path);
    }

    SystemFileSystem real_;
    Path tree_;
    std::vector<Path> folders_;
    Path workingDirectory_;
    std::set<platform::NativeString> unreadable_;
};
