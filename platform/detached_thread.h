#pragma once

#include <functional>

namespace platform {

// Runs `body` on a new thread that nobody joins. Throws std::system_error
// when no thread can be had. On Windows the thread is the system's own:
// MinGW's std::thread, detached at once, now and then never ran under load.
void startDetachedThread(std::function<void()> body);

}  // namespace platform
