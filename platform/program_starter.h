#pragma once

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
// it, holds nothing of it afterwards, and leaves it running when this program
// ends. Throws PlatformFailure when it cannot be started.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    virtual void start(const ToolCommand& command) = 0;
};

}  // namespace platform
