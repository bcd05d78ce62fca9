#pragma once

#include "platform/program_starter.h"
#include "platform/win32/process_watch.h"

namespace platform {

// Starts the tool with CreateProcessW at the full path its own search found
// (see program_search.h), never in the working directory. No shell reads the
// command line: each part is quoted so that the C runtime's splitting gives
// it back as exactly one argument. A console tool gets a console of its own,
// minimised with the input focus; when a tool ends, `ended` hears of it (the
// window takes the focus back), and nothing else of it is read.
class Win32ProgramStarter final : public ProgramStarter {
public:
    explicit Win32ProgramStarter(std::function<void(DWORD processId)> ended = [](DWORD) {})
        : watch_(std::move(ended)) {}
    void start(const ToolCommand& command, Checkpoints& job) override;

private:
    ProcessWatch watch_;
};

}  // namespace platform
