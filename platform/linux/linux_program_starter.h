#pragma once

#include "platform/program_starter.h"

#include <memory>

namespace platform {

class Reaper;

// Starts the tool through posix_spawnp with the command's three parts as its
// arguments, searched on PATH, with no shell to read them. It runs in a
// session of its own with standard input from /dev/null and no descriptor of
// ours, and lives on after this program ends. One thread, made at the first
// start, collects every tool when it ends, so none is left a zombie and no
// thread is spent on each. A console tool has no window: nothing is minimised.
class LinuxProgramStarter final : public ProgramStarter {
public:
    LinuxProgramStarter();
    ~LinuxProgramStarter() override;
    void start(const ToolCommand& command) override;

private:
    std::unique_ptr<Reaper> reaper_;
};

}  // namespace platform
