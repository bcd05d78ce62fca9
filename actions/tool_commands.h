#pragma once

#include "services.h"

#include "browse/list_coupling.h"
#include "platform/program_starter.h"

namespace actions {

// The command lines, made by plain joins of the lists' texts: the separator
// goes in even after a root's own, and nothing is quoted or checked.
platform::ToolCommand compressFolderCommand(const browse::Lists& lists, char separator);
platform::ToolCommand compressFileCommand(const browse::Lists& lists, char separator);
platform::ToolCommand decompressFileCommand(const browse::Lists& lists, char separator);

// Start the command minimised and return at once.
void compressFolder(const browse::Lists& lists, Services& services);
void compressFile(const browse::Lists& lists, Services& services);
void decompressFile(const browse::Lists& lists, Services& services);

}  // namespace actions
