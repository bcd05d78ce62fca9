#include "patient_file_system.h"

#include "platform/platform_failure.h"

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <thread>

namespace app {

using platform::NativeString;
using platform::OpenDirectory;
using platform::Path;

// How a call that finishes reaches the window, if the window is still there.
struct PatientFileSystem::Doorbell {
    std::mutex mutex;
    window::Waiter* waiter = nullptr;  // null until the window sets one, and once it is gone

    void ring() {
        const std::lock_guard lock(mutex);
        if (waiter) waiter->wake();
    }
};

namespace {

std::atomic<int> running{0};

template <class Result>
struct Call {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::optional<Result> result;
    std::exception_ptr failure;

    bool isDone() {
        const std::lock_guard lock(mutex);
        return done;
    }
};

// The call's own copy of an open directory: one left behind must never act
// through a descriptor that was closed and given to another directory since.
OpenDirectory own(const OpenDirectory& directory) { return {directory.handle.duplicate(), directory.path}; }

}  // namespace

PatientFileSystem::PatientFileSystem(platform::FileSystem& system)
    : system_(system), doorbell_(std::make_shared<Doorbell>()) {}

PatientFileSystem::~PatientFileSystem() { setWaiter(nullptr); }

void PatientFileSystem::setWaiter(window::Waiter* waiter) {
    const std::lock_guard lock(doorbell_->mutex);
    doorbell_->waiter = waiter;
}

window::Waiter* PatientFileSystem::waiter() const {
    const std::lock_guard lock(doorbell_->mutex);
    return doorbell_->waiter;
}

int PatientFileSystem::callsRunning() { return running; }


// A call's own thread: the work, then word to the window.
template <class Result>
void PatientFileSystem::run(std::shared_ptr<void> state, std::function<Result()> work, std::shared_ptr<Doorbell> doorbell) {
    auto& call = *static_cast<Call<Result>*>(state.get());
    try {
        call.result.emplace(work());
    } catch (...) {
        call.failure = std::current_exception();
    }
    work = nullptr;  // what it held, a directory's descriptor, goes before the window goes on
    {
        const std::lock_guard lock(call.mutex);
        call.done = true;
    }
    call.finished.notify_all();
    try {
        doorbell->ring();
    } catch (...) {
        // out of memory: the window finds the call done when it looks again
    }
    --running;
}

template <class Result>
Result PatientFileSystem::patiently(const Path& subject, std::function<Result()> work) const {
    auto call = std::make_shared<Call<Result>>();
    ++running;
    try {
        std::thread(&PatientFileSystem::run<Result>, call, std::move(work), doorbell_).detach();
    } catch (...) {
        --running;
        throw;
    }

    window::Waiter* const waiter = this->waiter();
    bool done = false;
    {
        std::unique_lock lock(call->mutex);
        if (waiter)
            done = call->finished.wait_for(lock, quickMs, [&] { return call->done; });
        else
            call->finished.wait(lock, [&] { return call->done; });
    }
    if (!done && waiter) {
        switch (waiter->wait([&] { return call->isDone(); })) {
        case window::Waiter::Outcome::Done: break;
        case window::Waiter::Outcome::GaveUp:
            leftBehind_ = true;
            throw platform::NoAnswer(subject);
        case window::Waiter::Outcome::Closing:
            // The window is gone and the call cannot be called back: the
            // program ends here, without unwinding into it.
            std::_Exit(0);
        }
    }
    if (call->failure) std::rethrow_exception(call->failure);
    return std::move(*call->result);
}

Path PatientFileSystem::workingDirectory() const {
    return patiently<Path>("(the working directory)", [&system = system_] { return system.workingDirectory(); });
}

Path PatientFileSystem::currentDirectoryOf(const platform::Drive& drive) const {
    return patiently<Path>(drive.root, [&system = system_, drive] { return system.currentDirectoryOf(drive); });
}

platform::DirectoryListing PatientFileSystem::readDirectory(const Path& directory) const {
    return patiently<platform::DirectoryListing>(directory,
                                                 [&system = system_, directory] { return system.readDirectory(directory); });
}

OpenDirectory PatientFileSystem::openDirectory(const Path& path) const {
    return patiently<OpenDirectory>(path, [&system = system_, path] { return system.openDirectory(path); });
}

platform::FileIdentity PatientFileSystem::identityOf(const OpenDirectory& directory) const {
    return patiently<platform::FileIdentity>(
        directory.path, [&system = system_, open = std::make_shared<OpenDirectory>(own(directory))] {
            return system.identityOf(*open);
        });
}

std::optional<platform::EntryIdentity> PatientFileSystem::identifyFile(const OpenDirectory& directory,
                                                                       platform::NativeView name) const {
    return patiently<std::optional<platform::EntryIdentity>>(
        directory.path, [&system = system_, open = std::make_shared<OpenDirectory>(own(directory)), name = NativeString(name)] {
            return system.identifyFile(*open, name);
        });
}

std::optional<platform::FileIdentity> PatientFileSystem::identifyDirectory(const OpenDirectory& directory,
                                                                           platform::NativeView name) const {
    return patiently<std::optional<platform::FileIdentity>>(
        directory.path, [&system = system_, open = std::make_shared<OpenDirectory>(own(directory)), name = NativeString(name)] {
            return system.identifyDirectory(*open, name);
        });
}

void PatientFileSystem::deleteFile(const OpenDirectory& directory, platform::NativeView name) {
    patiently<bool>(directory.path,
                    [&system = system_, open = std::make_shared<OpenDirectory>(own(directory)), name = NativeString(name)] {
                        system.deleteFile(*open, name);
                        return true;
                    });
}

}  // namespace app
