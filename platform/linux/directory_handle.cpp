#include "platform/directory_handle.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

DirectoryHandle DirectoryHandle::duplicate() const {
    return isOpen() ? DirectoryHandle(fcntl(static_cast<int>(native_), F_DUPFD_CLOEXEC, 0)) : DirectoryHandle();
}

DirectoryHandle::~DirectoryHandle() {
    if (isOpen()) close(static_cast<int>(native_));
}

}  // namespace platform
