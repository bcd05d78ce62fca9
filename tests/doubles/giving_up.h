#pragma once

#include "jobs/waiter.h"

#include <functional>

// A window that gives up on a job once it has waited for it and `until`
// returns (at once, by default): the job is left behind, as when the user
// presses Escape.
class GivingUp final : public jobs::Waiter {
public:
    explicit GivingUp(std::function<void()> until = [] {}) : until_(std::move(until)) {}
    Outcome wait(std::chrono::steady_clock::time_point, const std::function<bool()>&) override {
        until_();
        return Outcome::GaveUp;
    }
    void wake() override {}

private:
    std::function<void()> until_;
};
