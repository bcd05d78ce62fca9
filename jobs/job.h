#pragma once

#include "work_thread.h"

#include "platform/checkpoints.h"

#include <atomic>
#include <exception>

namespace jobs {

// A job as its thread and the window both see it.
class JobState : public WorkState {
public:
    std::atomic<bool> givenUp{false};
    std::exception_ptr failure;  // set by the job's thread before it finishes
};

// What a job's work asks of it between its steps: it stops there once the
// user gave up, and keeps off drives that have not answered.
class Job final : public platform::Checkpoints {
public:
    Job(std::shared_ptr<Shared> shared, std::shared_ptr<JobState> state)
        : shared_(std::move(shared)), state_(std::move(state)) {}

    void enter(const platform::Path& path) override;
    void beforeActing() override;
    std::unique_ptr<platform::Aside> aside(const platform::Path& path, std::function<void()> work) override;

private:
    std::shared_ptr<Shared> shared_;
    std::shared_ptr<JobState> state_;
};

}  // namespace jobs
