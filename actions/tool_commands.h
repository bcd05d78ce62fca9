#pragma once

#include "browse/lists.h"
#include "platform/program_starter.h"

#include <memory>

namespace actions {

enum class Tool { CompressFolder, CompressFile, DecompressFile };

// The command for `tool`, joined from the lists as they stand: the separator
// goes in even after a root's own, and nothing is quoted or trimmed. The file
// commands take the directory File1 lists, which is Dir1's path whenever a
// change has completed.
platform::ToolCommand toolCommand(const browse::Lists& lists, Tool tool);

// Starts `tool` as one job: the folder (and the file) it names are opened
// again and compared with what the lists noted, the packer is looked for,
// and it is started, back to back, unless the user gave up by then. A path
// the tool would read as other files (see tool_operand.h), a folder or file
// that changed since it was shown, or a packer that is nowhere to be found,
// start nothing: they throw, saying why.
void startTool(const browse::Lists& lists, const std::shared_ptr<platform::ProgramStarter>& starter, Tool tool);

}  // namespace actions
