#pragma once

#include "platform/file_system.h"

#include <windows.h>

namespace platform {

// Which file or folder `file` is open on, with whether it is a folder, a
// reparse point (a link), or neither; nothing when the system cannot say.
struct HandleIdentity {
    FileIdentity identity;
    bool directory = false;
    bool reparsePoint = false;
};
std::optional<HandleIdentity> identityOfHandle(HANDLE file);

}  // namespace platform
