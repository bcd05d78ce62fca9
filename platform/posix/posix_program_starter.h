#pragma once

#include "platform/program_starter.h"

namespace platform {

// Starts the tool with the command's three parts as its arguments, searched
// on PATH, with no shell to read them. The tool is the grandchild of this
// program: the child in between ends at once and is collected here, so the
// tool belongs to the system from the start, which collects it when it ends.
// It runs in a session of its own with standard input from /dev/null and no
// descriptor of ours, and lives on after this program ends. No thread is
// spent on it. A console tool has no window, so nothing is minimised here.
class PosixProgramStarter final : public ProgramStarter {
public:
    void start(const ToolCommand& command) override;
};

}  // namespace platform
