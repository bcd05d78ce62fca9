#pragma once

#include "platform/platform_failure.h"
#include "platform/posix_file_system.h"

#include <string>
#include <vector>

// The real file system, seen only through a temporary tree: the tree's top
// folders stand for drives, so browsing cannot leave it, and a deletion
// outside it is refused and counted instead of done.
class TreeFileSystem final : public platform::FileSystem {
public:
    TreeFileSystem(std::string tree, std::vector<std::string> driveFolders, std::string workingDirectory)
        : tree_(std::move(tree)), folders_(std::move(driveFolders)), workingDirectory_(std::move(workingDirectory)) {}

    char separator() const override { return '/'; }
    std::vector<platform::Drive> drives() const override {
        std::vector<platform::Drive> drives;
        for (const auto& folder : folders_) drives.push_back({'[' + folder + ']', tree_ + '/' + folder + '/', ""});
        return drives;
    }
    platform::Drive driveOf(const std::filesystem::path& directory) const override {
        for (const auto& drive : drives())
            if ((directory.native() + '/').starts_with(drive.root.native())) return drive;
        return drives().front();
    }
    std::filesystem::path workingDirectory() const override { return workingDirectory_; }
    std::filesystem::path currentRootText() const override { return driveOf(workingDirectory_).root; }
    std::filesystem::path resolveDirectory(const std::string& text) const override {
        for (const auto& drive : drives())
            if (drive.text == text) return driveOf(workingDirectory_).text == text ? std::filesystem::path(workingDirectory_) : drive.root;
        if (!text.starts_with(tree_ + '/')) throw platform::PlatformFailure("outside the tree", text);
        const std::string resolved = real_.resolveDirectory(text).native();
        for (const auto& drive : drives())  // a drive's root keeps its separator
            if (resolved + '/' == drive.root.native()) return drive.root;
        return resolved;
    }
    platform::DirectoryListing readDirectory(const std::filesystem::path& directory) const override {
        return real_.readDirectory(directory);
    }
    void deleteFile(const std::filesystem::path& target) override {
        if (!target.native().starts_with(tree_ + '/')) {
            ++refusedDeletions;
            throw platform::PlatformFailure("outside the tree", target.native());
        }
        deleted.push_back(target);
        real_.deleteFile(target);
    }

    int refusedDeletions = 0;
    std::vector<std::filesystem::path> deleted;  // every target it was asked to delete

private:
    platform::PosixFileSystem real_;
    std::string tree_;
    std::vector<std::string> folders_;
    std::string workingDirectory_;
};
