#pragma once

#include "browse/lists.h"
#include "platform/program_starter.h"

namespace actions {

// The three commands, joined from the lists as they stand: the separator goes
// in even after a root's own, and nothing is quoted or trimmed. The file
// commands take the directory File1 lists, which is Dir1's path whenever a
// change has completed. Each first checks that what it names is still what
// was shown: the folder (and the file) are opened again and compared with
// what the lists noted, and closed before the tool starts. A path the tool
// would read as other files (see tool_operand.h), or a folder or file that
// changed since it was shown, gives no command: they throw, saying why.
platform::ToolCommand compressFolderCommand(const browse::Lists& lists);
platform::ToolCommand compressFileCommand(const browse::Lists& lists);
platform::ToolCommand decompressFileCommand(const browse::Lists& lists);

}  // namespace actions
