#pragma once

#include "platform/win32/owned.h"

#include <windows.h>

#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

// Learns when each started tool ends, without reading anything of it: one
// thread waits on their process handles and calls `ended` with the tool's
// process id, from that thread. Tools still running when it goes are left
// running.
class ProcessWatch {
public:
    explicit ProcessWatch(std::function<void(DWORD processId)> ended);
    ~ProcessWatch();
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;

    // Watches `process` (its handle now the watch's) until it ends.
    void watch(OwnedHandle process, DWORD processId);

private:
    void run();
    std::function<void(DWORD)> ended_;
    OwnedHandle wake_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    std::mutex mutex_;
    std::vector<std::pair<OwnedHandle, DWORD>> added_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace platform
