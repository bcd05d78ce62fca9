#pragma once

#include <chrono>
#include <mutex>

#ifndef _WIN32
#include <condition_variable>
#endif

namespace platform {

// A mutex, and a condition to wait on under it, for threads that wait on
// each other. On Linux they are the standard ones. MinGW's standard ones
// are winpthreads', whose condition can lose a wake-up after a wait that
// timed out (seen under load: a job done, and the window waiting for it for
// ever); on Windows they are the system's own SRW lock and condition
// variable. Only what the program uses is there.
#ifdef _WIN32
class Mutex {
public:
    void lock();
    void unlock();
    bool try_lock();

private:
    friend class Condition;
    void* lock_ = nullptr;  // an SRWLOCK: unlocked when zero
};

class Condition {
public:
    void notify_one();
    void notify_all();
    void wait(std::unique_lock<Mutex>& lock);

    template <class Done>
    void wait(std::unique_lock<Mutex>& lock, Done done) {
        while (!done()) wait(lock);
    }

    // Whether `done` holds by `deadline`.
    template <class Clock, class Duration, class Done>
    bool wait_until(std::unique_lock<Mutex>& lock, const std::chrono::time_point<Clock, Duration>& deadline,
                    Done done) {
        while (!done()) {
            const auto now = Clock::now();
            if (now >= deadline) return done();
            waitAtMost(lock, std::chrono::ceil<std::chrono::milliseconds>(deadline - now));
        }
        return true;
    }

private:
    void waitAtMost(std::unique_lock<Mutex>& lock, std::chrono::milliseconds time);
    void* condition_ = nullptr;  // a CONDITION_VARIABLE: nobody waits when zero
};
#else
using Mutex = std::mutex;
using Condition = std::condition_variable;
#endif

}  // namespace platform
