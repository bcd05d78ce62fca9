#pragma once

#include "browse/lists.h"
#include "platform/dialogs.h"

namespace actions {

// Asks "Are You sure?", the file's full path beneath; on Yes deletes the
// selected file of File1's directory, if it is still the file that was
// selected. The list is not re-read: the name stays until a refresh.
void deleteSelectedFile(const browse::Lists& lists, platform::Dialogs& dialogs);

}  // namespace actions
