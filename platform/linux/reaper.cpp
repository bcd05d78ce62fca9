#include "reaper.h"

#include "platform/platform_failure.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {
namespace {

// Whether `pid` has ended and is now collected (or was never ours).
bool collected(pid_t pid) {
    const pid_t done = waitpid(pid, nullptr, WNOHANG);
    return done == pid || (done < 0 && errno == ECHILD);
}

}  // namespace

Reaper::Reaper() : wake_(eventfd(0, EFD_CLOEXEC)) {
    if (wake_ < 0) throw PlatformFailure::fromSystemError(errno, "eventfd");
    try {
        thread_ = std::thread([this] { run(); });
    } catch (...) {
        close(wake_);
        throw;
    }
}

Reaper::~Reaper() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    const uint64_t one = 1;
    (void)!write(wake_, &one, sizeof one);
    thread_.join();
    for (const auto& [pid, pidfd] : added_)
        if (pidfd >= 0) close(pidfd);
    close(wake_);
}

void Reaper::collect(pid_t pid) noexcept {
    // Without a process descriptor (none left), the child is looked at
    // every second instead.
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    try {
        const std::lock_guard lock(mutex_);
        added_.emplace_back(pid, pidfd);
    } catch (...) {  // no memory: this one child is left to the system
        if (pidfd >= 0) close(pidfd);
        return;
    }
    const uint64_t one = 1;
    (void)!write(wake_, &one, sizeof one);
}

void Reaper::run() {
    std::vector<pollfd> watched = {{wake_, POLLIN, 0}};  // then one per child with a descriptor
    std::vector<pid_t> pids = {0};
    std::vector<pid_t> unwatched;
    for (;;) {
        if (poll(watched.data(), watched.size(), unwatched.empty() ? -1 : 1000) < 0) {
            if (errno != EINTR) std::this_thread::sleep_for(std::chrono::milliseconds(100));  // and try again
            continue;
        }
        if (watched[0].revents & POLLIN) {
            uint64_t count;
            (void)!read(wake_, &count, sizeof count);
            const std::lock_guard lock(mutex_);
            if (stopping_) {
                for (size_t i = 1; i < watched.size(); ++i) close(watched[i].fd);
                return;
            }
            for (const auto& [pid, pidfd] : added_) {
                if (pidfd < 0) {
                    unwatched.push_back(pid);
                } else {
                    watched.push_back({pidfd, POLLIN, 0});
                    pids.push_back(pid);
                }
            }
            added_.clear();
        }
        for (size_t i = watched.size() - 1; i >= 1; --i) {
            if (!(watched[i].revents & (POLLIN | POLLHUP | POLLERR)) || !collected(pids[i])) continue;
            close(watched[i].fd);
            watched.erase(watched.begin() + static_cast<std::ptrdiff_t>(i));
            pids.erase(pids.begin() + static_cast<std::ptrdiff_t>(i));
        }
        std::erase_if(unwatched, collected);
    }
}

}  // namespace platform
