#include "runner.h"

#include "job_failures.h"

#include <stdexcept>

namespace jobs {

void Runner::runAndWait(const platform::Path& subject, std::function<void(Job&)> work,
                        const std::string& afterGivingUp) {
    const auto began = std::chrono::steady_clock::now();
    if (!subject.empty()) {
        const platform::NativeString root = shared_->rootOf(subject);
        if (!shared_->bounds.answering(root)) throw DriveNotAnswering(root);
    }
    auto state = std::make_shared<JobState>();
    const bool started = startThread(shared_, [shared = shared_, state, subject, work = std::move(work)]() mutable {
        Job job(shared, state);
        try {
            if (!subject.empty()) job.enter(subject);
            work(job);
        } catch (...) {
            state->failure = std::current_exception();
        }
        work = nullptr;  // what it held, a folder's descriptor, goes before the window goes on
        state->finish(shared->bounds);
        shared->wakeWaiter();
    });
    if (!started)
        throw std::runtime_error(
            "Nothing more can be started now: too much is still waiting for drives that do not answer.");

    Waiter::Outcome outcome = Waiter::Outcome::Done;
    if (!state->waitUntil(began + quickWait)) {
        if (waiter_)
            outcome = waiter_->wait(began, [&state] { return state->isDone(); });
        else
            state->waitUntil(std::chrono::steady_clock::time_point::max());
    }
    if (outcome != Waiter::Outcome::Done) {
        state->givenUp = true;
        if (state->abandon(shared_->bounds)) {  // not done meanwhile after all
            if (outcome == Waiter::Outcome::Closing) throw WindowClosing();
            throw NoAnswer(subject, afterGivingUp);
        }
    }
    if (state->failure) std::rethrow_exception(state->failure);
}

}  // namespace jobs
