#pragma once

#include "job.h"
#include "waiter.h"

#include <optional>
#include <string>
#include <type_traits>

namespace jobs {

// Runs each user action as one job on a thread of its own while the window
// waits: every check the action needs and the act itself happen in there,
// back to back. The window waits for the job as a whole, with one clock, and
// when the user gives up, the job acts no more and is left behind. Without a
// waiter (no window yet, or tests) it simply waits.
class Runner {
public:
    // A job that ends this soon is waited for without the window's loop, so
    // that keys typed meanwhile are kept, not dropped.
    static constexpr std::chrono::milliseconds quickWait{50};

    explicit Runner(RootOf rootOf) : shared_(std::make_shared<Shared>(std::move(rootOf))) {}
    ~Runner() { setWaiter(nullptr); }
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    void setWaiter(Waiter* waiter) {
        waiter_ = waiter;
        shared_->setWaiter(waiter);
    }

    // Runs `work(job)` as one job about `subject` (a path; empty for none)
    // and returns what it returns, or throws what it throws. Throws at once,
    // starting nothing, when the drive that holds `subject` has not answered
    // an earlier request. Given up: throws NoAnswer, `afterGivingUp` added
    // to its text; the window closing: WindowClosing.
    template <class Work>
    auto run(const platform::Path& subject, Work work, const std::string& afterGivingUp = {})
        -> std::invoke_result_t<Work&, Job&> {
        using Result = std::invoke_result_t<Work&, Job&>;
        if constexpr (std::is_void_v<Result>) {
            runAndWait(subject, std::move(work), afterGivingUp);
        } else {
            auto result = std::make_shared<std::optional<Result>>();
            runAndWait(
                subject, [result, work = std::move(work)](Job& job) mutable { result->emplace(work(job)); },
                afterGivingUp);
            return std::move(**result);
        }
    }

    // Threads of jobs and of their asides that still run, given up or not.
    int threadsRunning() const { return shared_->threads; }
    const DriveBounds& bounds() const { return shared_->bounds; }

private:
    void runAndWait(const platform::Path& subject, std::function<void(Job&)> work, const std::string& afterGivingUp);

    std::shared_ptr<Shared> shared_;
    Waiter* waiter_ = nullptr;
};

}  // namespace jobs
