#pragma once

#include <filesystem>
#include <string>

namespace platform {

// How the started program's window should appear.
enum class WindowState { MinimizedWithFocus = 2 };

// A tool command: the program, one sub-command and one operand. text() is the
// command line as one text; the three parts are what the program receives.
struct ToolCommand {
    std::string program;
    std::string verb;
    std::filesystem::path operand;

    std::string text() const { return program + ' ' + verb + ' ' + operand.native(); }
    friend bool operator==(const ToolCommand&, const ToolCommand&) = default;
};

// Starts a program on its own and returns at once; never waits for it and
// never reads back from it. Throws PlatformFailure when it cannot be started.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    virtual void start(const ToolCommand& command, WindowState state) = 0;
};

}  // namespace platform
