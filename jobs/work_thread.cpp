#include "work_thread.h"

#include "platform/detached_thread.h"

namespace jobs {

void Shared::setWaiter(Waiter* waiter) {
    const std::lock_guard lock(waiterMutex_);
    waiter_ = waiter;
}

void Shared::wakeWaiter() {
    const std::lock_guard lock(waiterMutex_);
    if (waiter_) waiter_->wake();
}

bool startThread(const std::shared_ptr<Shared>& shared, std::function<void()> body) {
    if (++shared->threads > mostThreads) {
        --shared->threads;
        return false;
    }
    try {
        platform::startDetachedThread([shared, body = std::move(body)]() mutable {
            body();
            body = nullptr;  // what it held goes before the count says it ended
            --shared->threads;
        });
        return true;
    } catch (...) {
        --shared->threads;
        return false;
    }
}

bool WorkState::moveTo(platform::NativeString root) {
    const std::lock_guard lock(mutex_);
    if (abandoned_) return false;
    root_ = std::move(root);
    return true;
}

void WorkState::finish(DriveBounds& bounds) {
    {
        const std::lock_guard lock(mutex_);
        done_ = true;
        if (abandoned_ && !root_.empty()) bounds.release(root_);
    }
    finished_.notify_all();
}

bool WorkState::isDone() {
    const std::lock_guard lock(mutex_);
    return done_;
}

bool WorkState::waitUntil(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    if (deadline == std::chrono::steady_clock::time_point::max()) {
        finished_.wait(lock, [this] { return done_; });
        return true;
    }
    return finished_.wait_until(lock, deadline, [this] { return done_; });
}

bool WorkState::abandon(DriveBounds& bounds) {
    const std::lock_guard lock(mutex_);
    if (done_ || abandoned_) return !done_;
    abandoned_ = true;
    if (!root_.empty()) bounds.holdUp(root_);
    return true;
}

}  // namespace jobs
