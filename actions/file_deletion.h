#pragma once

#include "browse/lists.h"
#include "platform/dialogs.h"

namespace actions {

// Asks "Are You sure?", the file's full path beneath; on Yes deletes the
// selected file, if File1's directory is still the one it listed and the
// file still the one selected; otherwise nothing, and it throws. The list is
// not re-read: the name stays until a refresh.
void deleteSelectedFile(const browse::Lists& lists, platform::Dialogs& dialogs);

}  // namespace actions
