#include "platform/condition.h"

#include <windows.h>

#include <algorithm>

namespace platform {
namespace {

static_assert(sizeof(SRWLOCK) == sizeof(void*) && sizeof(CONDITION_VARIABLE) == sizeof(void*));

PSRWLOCK srwLock(void*& storage) { return reinterpret_cast<PSRWLOCK>(&storage); }
PCONDITION_VARIABLE conditionVariable(void*& storage) { return reinterpret_cast<PCONDITION_VARIABLE>(&storage); }

}  // namespace

void Mutex::lock() { AcquireSRWLockExclusive(srwLock(lock_)); }
void Mutex::unlock() { ReleaseSRWLockExclusive(srwLock(lock_)); }
bool Mutex::try_lock() { return TryAcquireSRWLockExclusive(srwLock(lock_)) != 0; }

void Condition::notify_one() { WakeConditionVariable(conditionVariable(condition_)); }
void Condition::notify_all() { WakeAllConditionVariable(conditionVariable(condition_)); }

void Condition::wait(std::unique_lock<Mutex>& lock) {
    SleepConditionVariableSRW(conditionVariable(condition_), srwLock(lock.mutex()->lock_), INFINITE, 0);
}

void Condition::waitAtMost(std::unique_lock<Mutex>& lock, std::chrono::milliseconds time) {
    const auto milliseconds =
        static_cast<DWORD>(std::clamp<std::chrono::milliseconds::rep>(time.count(), 0, INFINITE - 1));
    SleepConditionVariableSRW(conditionVariable(condition_), srwLock(lock.mutex()->lock_), milliseconds, 0);
}

}  // namespace platform
