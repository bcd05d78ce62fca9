#include "linux_program_starter.h"

#include "program_search.h"
#include "reaper.h"

#include "platform/platform_failure.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

namespace platform {
namespace {

class SpawnAttributes {
public:
    SpawnAttributes() {
        posix_spawnattr_init(&attributes_);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setsigdefault(&attributes_, &all);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    const posix_spawnattr_t* get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_;
};

// Standard input from /dev/null; everything of ours above standard error
// closed, whether or not it was opened close-on-exec.
class SpawnFileActions {
public:
    SpawnFileActions() {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addclosefrom_np(&actions_, STDERR_FILENO + 1);
    }
    ~SpawnFileActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnFileActions(const SpawnFileActions&) = delete;
    SpawnFileActions& operator=(const SpawnFileActions&) = delete;
    const posix_spawn_file_actions_t* get() const { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

// Where programs are looked for when PATH is not set, as the C library's own search does.
std::string defaultSearchPath() {
    std::string path(confstr(_CS_PATH, nullptr, 0), '\0');
    if (path.empty()) return "/usr/bin:/bin";
    confstr(_CS_PATH, path.data(), path.size());
    path.pop_back();  // its terminating NUL
    return path;
}

}  // namespace

LinuxProgramStarter::LinuxProgramStarter() = default;

LinuxProgramStarter::~LinuxProgramStarter() = default;

void LinuxProgramStarter::start(const ToolCommand& command, Checkpoints& job) {
    const char* path = std::getenv("PATH");
    const Path found = findProgram(command.program, path ? path : defaultSearchPath(), job);
    std::string program = command.program, verb = command.verb, operand = command.operand.native();
    char* argv[] = {program.data(), verb.data(), operand.data(), nullptr};
    SpawnAttributes attributes;
    SpawnFileActions actions;
    Reaper& reaper = this->reaper();  // before the tool: without it, no start
    job.beforeActing();
    pid_t pid = 0;
    const int error = posix_spawn(&pid, found.c_str(), actions.get(), attributes.get(), argv, environ);
    if (error != 0) throw PlatformFailure::fromSystemError(error, found);
    reaper.collect(pid);
}

Reaper& LinuxProgramStarter::reaper() {
    const std::lock_guard lock(mutex_);  // one, made at the first start, for the tools of every job
    if (!reaper_) reaper_ = std::make_unique<Reaper>();
    return *reaper_;
}

}  // namespace platform
