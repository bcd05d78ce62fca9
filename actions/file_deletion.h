#pragma once

#include "browse/lists.h"
#include "platform/dialogs.h"

namespace actions {

// Asks "Are You sure?", the file's path beneath (or that no file is
// selected); on Yes deletes the selected file as one job, if File1's
// directory is still the one it listed and the file still the one selected,
// checked and deleted in one piece; otherwise nothing, and it throws. The
// list is not re-read: the name stays until a refresh.
void deleteSelectedFile(const browse::Lists& lists, platform::Dialogs& dialogs);

}  // namespace actions
