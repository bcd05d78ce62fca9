#pragma once

#include "system_file_system.h"

#include "jobs/job_failures.h"
#include "platform/platform_failure.h"

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// The real file system seen through a temporary tree: some of its folders
// stand for drives (a missing folder is a drive that is not ready), browsing
// cannot leave it, and a deletion outside it is refused and counted instead
// of done. The working directory is what the test says, until it is removed.
// A folder can stop answering, as a drive whose server went down: calls on it
// wait until released. Jobs keep it alive by sharing it.
class TreeFileSystem final : public platform::FileSystem {
public:
    using Path = platform::Path;

    TreeFileSystem(Path tree, std::vector<Path> driveFolders, Path workingDirectory)
        : tree_(std::move(tree.make_preferred())),
          folders_(std::move(driveFolders)),
          workingDirectory_(std::move(workingDirectory.make_preferred())) {}

    // The calls `givesUp` picks, by name and path, fail from now on as if the
    // user gave up waiting for a drive that does not answer.
    std::function<bool(std::string_view call, const Path& path)> givesUp;
    // The drives the system lists from now on.
    void setDrives(std::vector<Path> driveFolders) { folders_ = std::move(driveFolders); }
    // Reading `directory` fails from now on, as a directory without rights would.
    void failReading(const Path& directory) { unreadable_.insert(directory.native()); }
    // Calls on `folder` or below (only those named `call`, if given) wait
    // from now on, until release(); then they go on, as on a drive that
    // answers late.
    void stopAnswering(const Path& folder, std::string_view call = {}) {
        const std::lock_guard lock(gate_->mutex);
        gate_->stopped.push_back({folder.native(), std::string(call)});
    }
    void release() {
        const std::lock_guard lock(gate_->mutex);
        gate_->released = true;
        gate_->changed.notify_all();
    }
    // Every call answers after `delay` from now on, as on a slow drive.
    void answerAfter(std::chrono::milliseconds delay) {
        const std::lock_guard lock(gate_->mutex);
        gate_->delay = delay;
    }
    // How many calls wait on a folder that stopped answering.
    int waiting() const {
        const std::lock_guard lock(gate_->mutex);
        return gate_->waiting;
    }

    platform::NativeChar separator() const override { return real_.separator(); }
    platform::NativeString driveRootOf(const Path& path) const override {
        platform::NativeString root;
        for (const platform::Drive& drive : drives())
            if ((path.native() + separator()).starts_with(drive.root.native()) &&
                drive.root.native().size() > root.size())
                root = drive.root.native();
        return root;
    }
    std::vector<platform::Drive> drives(platform::Checkpoints&) const override { return drives(); }
    Path workingDirectory() const override {
        if (!std::filesystem::is_directory(workingDirectory_)) throw platform::PlatformFailure("gone", ".");
        return workingDirectory_;
    }
    Path currentDirectoryOf(const platform::Drive& drive) const override {
        answer("currentDirectoryOf", drive.root);
        const bool here = (workingDirectory_.native() + separator()).starts_with(drive.root.native());
        return here && std::filesystem::is_directory(workingDirectory_) ? workingDirectory_ : drive.root;
    }
    platform::DirectoryListing readDirectory(const Path& directory, platform::Checkpoints& job,
                                             platform::ListingObserver* observer = nullptr) const override {
        answer("readDirectory", directory);
        if (!inside(directory) || unreadable_.count(directory.native()))
            throw platform::PlatformFailure("not readable", directory);
        return real_.readDirectory(directory, job, observer);
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
    void deleteFile(const platform::OpenDirectory& directory, platform::NativeView name,
                    const platform::EntryIdentity& shown, platform::Checkpoints& job) override {
        answer("deleteFile", directory.path);
        if (!inside(directory.path)) {
            ++refusedDeletions;
            throw platform::PlatformFailure("outside the tree", directory.path);
        }
        real_.deleteFile(directory, name, shown, job);
    }

    int refusedDeletions = 0;

private:
    struct Gate {
        mutable std::mutex mutex;
        std::condition_variable changed;
        std::vector<std::pair<platform::NativeString, std::string>> stopped;  // folder, call
        bool released = false;
        int waiting = 0;
        std::chrono::milliseconds delay{0};
    };

    std::vector<platform::Drive> drives() const {
        std::vector<platform::Drive> drives;
        for (const Path& folder : folders_)
            drives.push_back({folder.native(), (tree_ / folder).make_preferred().native() + separator(), {}});
        return drives;
    }
    bool inside(const Path& path) const { return path.native().starts_with(tree_.native()); }
    void answer(std::string_view call, const Path& path) const {
        if (givesUp && givesUp(call, path)) throw jobs::NoAnswer(path);
        std::unique_lock lock(gate_->mutex);
        const platform::NativeString text = path.native() + separator();
        for (const auto& [folder, onlyCall] : gate_->stopped) {
            if (!text.starts_with(folder + separator()) || (!onlyCall.empty() && onlyCall != call)) continue;
            ++gate_->waiting;
            gate_->changed.wait(lock, [this] { return gate_->released; });
            --gate_->waiting;
        }
        const auto delay = gate_->delay;
        lock.unlock();
        std::this_thread::sleep_for(delay);  // the drive's own slowness
    }

    SystemFileSystem real_;
    Path tree_;
    std::vector<Path> folders_;
    Path workingDirectory_;
    std::set<platform::NativeString> unreadable_;
    std::shared_ptr<Gate> gate_ = std::make_shared<Gate>();
};
