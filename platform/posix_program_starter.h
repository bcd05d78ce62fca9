#pragma once

#include "program_starter.h"

namespace platform {

// Starts the tool through posix_spawnp: the program is searched on PATH, it
// gets exactly the command's three parts as its arguments, no shell reads
// them, it runs in a session of its own with standard input from /dev/null,
// and it lives on after this program ends. A console tool has no window, so
// the window state asks for nothing here. Finished tools are reaped without
// reading their status, so none is left a zombie.
class PosixProgramStarter final : public ProgramStarter {
public:
    void start(const ToolCommand& command, WindowState state) override;
};

}  // namespace platform
