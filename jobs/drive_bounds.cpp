#include "drive_bounds.h"

namespace jobs {

bool DriveBounds::answering(const platform::NativeString& root) const {
    const std::lock_guard lock(mutex_);
    return !held_.contains(root);
}

void DriveBounds::holdUp(const platform::NativeString& root) {
    const std::lock_guard lock(mutex_);
    ++held_[root];
}

void DriveBounds::release(const platform::NativeString& root) {
    const std::lock_guard lock(mutex_);
    const auto found = held_.find(root);
    if (found != held_.end() && --found->second == 0) held_.erase(found);
}

int DriveBounds::heldUp() const {
    const std::lock_guard lock(mutex_);
    int count = 0;
    for (const auto& [root, works] : held_) count += works;
    return count;
}

}  // namespace jobs
