#include "platform/detached_thread.h"

#include <thread>

namespace platform {

void startDetachedThread(std::function<void()> body) { std::thread(std::move(body)).detach(); }

}  // namespace platform
