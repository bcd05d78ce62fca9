#include "job.h"

#include "job_failures.h"

#include "text/display_text.h"

namespace jobs {

DriveNotAnswering::DriveNotAnswering(const platform::Path& root)
    : PlatformFailure("The drive " + text::displayText(root.native()) + " has not answered an earlier request yet.",
                      root) {}

namespace {

// Work beside a job; abandoned when this goes before it is done.
class AsideWork final : public platform::Aside {
public:
    AsideWork(std::shared_ptr<Shared> shared, std::shared_ptr<WorkState> state)
        : shared_(std::move(shared)), state_(std::move(state)) {}
    ~AsideWork() override { state_->abandon(shared_->bounds); }
    bool waitUntil(std::chrono::steady_clock::time_point deadline) override { return state_->waitUntil(deadline); }

private:
    std::shared_ptr<Shared> shared_;
    std::shared_ptr<WorkState> state_;
};

}  // namespace

void Job::enter(const platform::Path& path) {
    if (state_->givenUp) throw GivenUp();
    platform::NativeString root = shared_->rootOf(path);
    if (!shared_->bounds.answering(root)) throw DriveNotAnswering(root);
    if (!state_->moveTo(std::move(root))) throw GivenUp();
}

void Job::beforeActing() {
    if (state_->givenUp) throw GivenUp();
}

std::unique_ptr<platform::Aside> Job::aside(const platform::Path& path, std::function<void()> work) {
    if (state_->givenUp) return nullptr;
    platform::NativeString root = path.empty() ? platform::NativeString() : shared_->rootOf(path);
    if (!root.empty() && !shared_->bounds.answering(root)) return nullptr;
    auto state = std::make_shared<WorkState>(std::move(root));
    const bool started = startThread(shared_, [shared = shared_, state, work = std::move(work)]() mutable {
        work();
        work = nullptr;
        state->finish(shared->bounds);
    });
    if (!started) return nullptr;
    return std::make_unique<AsideWork>(shared_, std::move(state));
}

}  // namespace jobs
