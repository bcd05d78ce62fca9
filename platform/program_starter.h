#pragma once

#include "checkpoints.h"
#include "native.h"

#include <string>

namespace platform {

// A tool command: the program, one sub-command and one operand, which the
// program receives as exactly these three arguments.
struct ToolCommand {
    NativeString program;
    NativeString verb;
    Path operand;
    friend bool operator==(const ToolCommand&, const ToolCommand&) = default;
};

// Starts a program on its own, minimised with the input focus where programs
// have windows, and returns at once: never waits for it, never reads back from
// it, and leaves it running when this program ends. It looks for the program
// itself, each folder it looks in a step of `job`, and starts the full path
// it found, unless the job was given up by then. Throws ProgramNotFound when
// no folder holds it, PlatformFailure when it cannot be started.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    virtual void start(const ToolCommand& command, Checkpoints& job) = 0;
};

}  // namespace platform
