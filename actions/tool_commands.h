#pragma once

#include "browse/lists.h"
#include "platform/program_starter.h"

namespace actions {

// The three commands, joined from the lists as they stand: the separator goes
// in even after a root's own, and nothing is quoted or trimmed. The file
// commands take the directory File1 lists, which is Dir1's path whenever a
// change has completed. The tool expands patterns itself, so a folder or
// file whose name holds "*" or "?" gives no command: they throw, saying why.
platform::ToolCommand compressFolderCommand(const browse::Lists& lists);
platform::ToolCommand compressFileCommand(const browse::Lists& lists);
platform::ToolCommand decompressFileCommand(const browse::Lists& lists);

}  // namespace actions
