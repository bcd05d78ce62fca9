#pragma once

#include "jobs/runner.h"

#include <chrono>
#include <thread>

// A job's thread ends a moment after its result is handed over: waits, up to
// a generous deadline, for the threads still running to fall to `atMost`,
// and returns how many there are then.
inline int threadsOnceSettled(const jobs::Runner& runner, int atMost) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (runner.threadsRunning() > atMost && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
    return runner.threadsRunning();
}
