#include "platform/directory_handle.h"

#include <windows.h>

namespace platform {

DirectoryHandle DirectoryHandle::duplicate() const {
    HANDLE copy = nullptr;
    if (!isOpen() || !DuplicateHandle(GetCurrentProcess(), reinterpret_cast<HANDLE>(native_), GetCurrentProcess(),
                                      &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return DirectoryHandle();
    return DirectoryHandle(reinterpret_cast<std::intptr_t>(copy));
}

DirectoryHandle::~DirectoryHandle() {
    if (isOpen()) CloseHandle(reinterpret_cast<HANDLE>(native_));
}

}  // namespace platform
