#include "platform/directory_handle.h"

#include <windows.h>

namespace platform {

DirectoryHandle::~DirectoryHandle() {
    if (isOpen()) CloseHandle(reinterpret_cast<HANDLE>(native_));
}

}  // namespace platform
