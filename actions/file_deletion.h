#pragma once

#include "services.h"

#include "browse/list_coupling.h"

namespace actions {

// Asks "Are You sure?" first; on Yes deletes the selected file of the open
// directory. The list is not re-read: the name stays until Refresh.
void deleteSelectedFile(const browse::Lists& lists, Services& services);

// Re-reads the file list's directory.
void refreshFileList(browse::Lists& lists);

}  // namespace actions
