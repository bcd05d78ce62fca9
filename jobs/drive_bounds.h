#pragma once

#include "platform/native.h"

#include <map>
#include <mutex>

namespace jobs {

// The drives that have not answered: a drive counts from the moment work on
// it is given up or abandoned until that work ends at last. No new work goes
// to such a drive, so each holds one stuck thread at most. Thread-safe.
class DriveBounds {
public:
    bool answering(const platform::NativeString& root) const;
    // Work on `root` was given up or abandoned and still runs.
    void holdUp(const platform::NativeString& root);
    // That work has ended.
    void release(const platform::NativeString& root);
    // How many pieces of work are held up, on all drives together.
    int heldUp() const;

private:
    mutable std::mutex mutex_;
    std::map<platform::NativeString, int> held_;
};

}  // namespace jobs
