#pragma once

#include <functional>

namespace window {

// Runs what the user's input asked for; the program's boundary reports a
// failure there and carries on. Without one, failures go to the caller.
using Guard = std::function<void(const std::function<void()>&)>;

inline void unguarded(const std::function<void()>& call) { call(); }

}  // namespace window
