#include "platform/directory_handle.h"

#include <unistd.h>

namespace platform {

DirectoryHandle::~DirectoryHandle() {
    if (isOpen()) close(static_cast<int>(native_));
}

}  // namespace platform
