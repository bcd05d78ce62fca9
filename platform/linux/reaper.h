#pragma once

#include <mutex>
#include <sys/types.h>
#include <thread>
#include <utility>
#include <vector>

namespace platform {

// Collects the programs this one started as soon as each ends, without
// reading their status, so that none is left a zombie: one thread for all of
// them, waiting on their process descriptors. Programs still running when it
// stops are left running.
class Reaper {
public:
    Reaper();  // throws std::system_error when no thread can be had
    ~Reaper();
    Reaper(const Reaper&) = delete;
    Reaper& operator=(const Reaper&) = delete;

    // Collects `pid` when it ends. Never throws.
    void collect(pid_t pid) noexcept;

private:
    void run();

    int wake_ = -1;  // an eventfd: new children, or stop
    std::mutex mutex_;
    std::vector<std::pair<pid_t, int>> added_;  // (pid, pidfd or -1)
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace platform
