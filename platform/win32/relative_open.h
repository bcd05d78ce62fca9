#pragma once

#include "platform/native.h"
#include "platform/win32/owned.h"

#include <windows.h>

namespace platform {

// Opens entry `name` of the folder open as `folder`, by that handle and not
// by a path, so that what is opened lies in that very folder whatever its
// path leads to by now. Names go to the file system exactly as listed: no
// path rule drops a trailing dot or blank, and no length limit applies.
// `options` are NtCreateFile's (FILE_OPEN_REPARSE_POINT, FILE_DIRECTORY_FILE,
// ...). On failure the handle is empty and `error` holds the system's error
// code.
OwnedHandle openInFolder(HANDLE folder, NativeView name, ACCESS_MASK access, ULONG options, DWORD& error);

// Whether the last failure of openInFolder said the file is marked for
// deletion and waits for another program to close it.
bool isDeletePending(DWORD error);

}  // namespace platform
