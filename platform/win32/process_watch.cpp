#include "platform/win32/process_watch.h"

namespace platform {

ProcessWatch::ProcessWatch(std::function<void(DWORD processId)> ended)
    : ended_(std::move(ended)), thread_([this] { run(); }) {}

ProcessWatch::~ProcessWatch() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    SetEvent(wake_.get());
    thread_.join();
}

void ProcessWatch::watch(OwnedHandle process, DWORD processId) {
    {
        const std::lock_guard lock(mutex_);
        added_.emplace_back(std::move(process), processId);
    }
    SetEvent(wake_.get());
}

void ProcessWatch::run() {
    std::vector<std::pair<OwnedHandle, DWORD>> watched;
    for (;;) {
        std::vector<HANDLE> handles = {wake_.get()};
        // One wait takes at most 64 handles: the tools beyond wait their turn.
        for (size_t i = 0; i < watched.size() && handles.size() < MAXIMUM_WAIT_OBJECTS; ++i)
            handles.push_back(watched[i].first.get());
        const DWORD signalled =
            WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
        if (signalled == WAIT_OBJECT_0) {
            const std::lock_guard lock(mutex_);
            if (stopping_) return;
            for (auto& added : added_) watched.push_back(std::move(added));
            added_.clear();
            continue;
        }
        const size_t at = signalled - WAIT_OBJECT_0 - 1;
        if (at >= watched.size()) continue;
        const DWORD processId = watched[at].second;
        watched.erase(watched.begin() + static_cast<std::ptrdiff_t>(at));
        ended_(processId);
    }
}

}  // namespace platform
