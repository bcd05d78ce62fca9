#pragma once

#include "platform/program_starter.h"

namespace platform {

// Starts the tool with CreateProcessW at the full path its own search found
// (see program_search.h), never in the working directory. No shell reads the
// command line: each part is quoted so that the C runtime's splitting gives
// it back as exactly one argument. A console tool gets a console of its own,
// minimised; nothing of the process is kept.
class Win32ProgramStarter final : public ProgramStarter {
public:
    void start(const ToolCommand& command, Checkpoints& job) override;
};

}  // namespace platform
