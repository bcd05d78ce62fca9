#pragma once

#include "platform/file_system.h"
#include "window/waiter.h"

#include <chrono>
#include <functional>
#include <memory>

namespace app {

// The file system as the window's thread may use it: every call that can
// block on a drive runs on a thread of its own while the window waits, so a
// drive that does not answer never freezes the window. A call that takes
// longer than quickMs is waited for through the window's Waiter (until the
// window sets one, simply waited for); when the user gives up, it fails with
// NoAnswer and is left behind; when the user closes the window, the program
// ends there. The drive list is read directly: on Linux it touches no drive,
// and on Windows it waits for the drives' labels a moment at most.
class PatientFileSystem final : public platform::FileSystem {
public:
    static constexpr std::chrono::milliseconds quickMs{50};

    explicit PatientFileSystem(platform::FileSystem& system);
    ~PatientFileSystem() override;
    void setWaiter(window::Waiter* waiter);

    platform::NativeChar separator() const override { return system_.separator(); }
    std::vector<platform::Drive> drives() const override { return system_.drives(); }
    platform::Path workingDirectory() const override;
    platform::Path currentDirectoryOf(const platform::Drive& drive) const override;
    platform::DirectoryListing readDirectory(const platform::Path& directory) const override;
    platform::OpenDirectory openDirectory(const platform::Path& path) const override;
    platform::FileIdentity identityOf(const platform::OpenDirectory& directory) const override;
    std::optional<platform::EntryIdentity> identifyFile(const platform::OpenDirectory& directory,
                                                        platform::NativeView name) const override;
    std::optional<platform::FileIdentity> identifyDirectory(const platform::OpenDirectory& directory,
                                                            platform::NativeView name) const override;
    void deleteFile(const platform::OpenDirectory& directory, platform::NativeView name) override;

    // Whether a call was given up and may still be running: then the
    // program ends without unwinding, as that call cannot be called back.
    bool leftCallsBehind() const { return leftBehind_; }
    // How many calls run now, in the whole process: one left behind counts
    // until its drive answers at last.
    static int callsRunning();

private:
    struct Doorbell;
    template <class Result>
    Result patiently(const platform::Path& subject, std::function<Result()> work) const;
    template <class Result>
    static void run(std::shared_ptr<void> call, std::function<Result()> work, std::shared_ptr<Doorbell> doorbell);

    window::Waiter* waiter() const;

    platform::FileSystem& system_;
    std::shared_ptr<Doorbell> doorbell_;  // shared with the calls, which may outlive this
    mutable bool leftBehind_ = false;
};

}  // namespace app
