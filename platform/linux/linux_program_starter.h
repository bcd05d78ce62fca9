#pragma once

#include "platform/program_starter.h"

#include <memory>
#include <mutex>

namespace platform {

class Reaper;

// Starts the tool through posix_spawn with the command's three parts as its
// arguments, with no shell to read them: at the full path that its own search
// of PATH found, a step of the job, so that a folder on a drive that does not
// answer holds up the job and never the window. It runs in a
// session of its own with standard input from /dev/null and no descriptor of
// ours, and lives on after this program ends. One thread, made at the first
// start, collects every tool when it ends, so none is left a zombie and no
// thread is spent on each. A console tool has no window: nothing is minimised.
class LinuxProgramStarter final : public ProgramStarter {
public:
    LinuxProgramStarter();
    ~LinuxProgramStarter() override;
    void start(const ToolCommand& command, Checkpoints& job) override;

private:
    Reaper& reaper();
    std::mutex mutex_;
    std::unique_ptr<Reaper> reaper_;
};

}  // namespace platform
