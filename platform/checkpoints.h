#pragma once

#include "native.h"

#include <chrono>
#include <functional>
#include <memory>

namespace platform {

// Work started beside a job, on a thread of its own (see Checkpoints::aside).
class Aside {
public:
    virtual ~Aside() = default;
    // Waits until the work is done or `deadline` passes; whether it is done.
    // Work still running when its Aside goes is abandoned: its result is not
    // used, and its drive counts as one that has not answered until it ends.
    virtual bool waitUntil(std::chrono::steady_clock::time_point deadline) = 0;
};

// What work that touches drives asks of the job that runs it, between its
// steps. A job the user gave up on stops at the next checkpoint: it looks at
// nothing more, and above all changes nothing more.
class Checkpoints {
public:
    virtual ~Checkpoints() = default;
    // About to look at `path`, on the drive its text names. Throws when the
    // user gave up, or when that drive has not answered an earlier request.
    virtual void enter(const Path& path) = 0;
    // About to change something or start a program: throws when the user gave up.
    virtual void beforeActing() = 0;
    // Runs `work` on a thread of its own, counted against the drive `path`
    // names, or against none for an empty path. Nothing is started (null)
    // when that drive has not answered an earlier request, or no thread can
    // be had. `work` must not throw.
    virtual std::unique_ptr<Aside> aside(const Path& path, std::function<void()> work) = 0;
};

// Checkpoints for work that nobody can give up and that may block: each
// aside runs at once, on the calling thread. For tools and tests.
class NoCheckpoints final : public Checkpoints {
public:
    void enter(const Path&) override {}
    void beforeActing() override {}
    std::unique_ptr<Aside> aside(const Path&, std::function<void()> work) override;
};

}  // namespace platform
