#include "platform/detached_thread.h"

#include <windows.h>

#include <memory>
#include <system_error>

namespace platform {
namespace {

DWORD WINAPI runBody(void* body) {
    const std::unique_ptr<std::function<void()>> owned(static_cast<std::function<void()>*>(body));
    (*owned)();
    return 0;
}

}  // namespace

void startDetachedThread(std::function<void()> body) {
    auto owned = std::make_unique<std::function<void()>>(std::move(body));
    const HANDLE thread = CreateThread(nullptr, 0, runBody, owned.get(), 0, nullptr);
    if (!thread) throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "CreateThread");
    owned.release();  // the thread's now
    CloseHandle(thread);
}

}  // namespace platform
