#include "posix_program_starter.h"

#include "platform/platform_failure.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace platform {
namespace {

// The places execvp would try, worked out before forking: between fork and
// exec only async-signal-safe calls may run.
std::vector<std::string> candidates(const std::string& program) {
    if (program.find('/') != std::string::npos) return {program};
    const char* path = std::getenv("PATH");
    const std::string search = path ? path : "/bin:/usr/bin";
    std::vector<std::string> places;
    for (size_t start = 0;;) {
        const size_t end = search.find(':', start);
        const std::string directory = search.substr(start, end - start);
        places.push_back((directory.empty() ? "." : directory) + "/" + program);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return places;
}

class Pipe {
public:
    Pipe() {
        if (pipe2(fds_, O_CLOEXEC) != 0) throw PlatformFailure::fromSystemError(errno, "pipe");
    }
    ~Pipe() {
        closeEnd(0);
        closeEnd(1);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    int reader() const { return fds_[0]; }
    int writer() const { return fds_[1]; }
    void closeEnd(int end) {
        if (fds_[end] >= 0) close(fds_[end]);
        fds_[end] = -1;
    }

private:
    int fds_[2] = {-1, -1};
};

// In the grandchild: become the tool, or tell the parent why not.
[[noreturn]] void becomeTool(const std::vector<std::string>& places, char* const argv[], int report) {
    setsid();
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal) sigaction(signal, &byDefault, nullptr);

    const int nothing = open("/dev/null", O_RDONLY);
    if (nothing >= 0 && nothing != STDIN_FILENO) {
        dup2(nothing, STDIN_FILENO);
        close(nothing);
    }
    // Whatever this program has open stays here, whether or not it was
    // opened close-on-exec; only the report pipe (close-on-exec) is kept.
    if (report > STDERR_FILENO + 1) syscall(SYS_close_range, STDERR_FILENO + 1, report - 1, 0);
    syscall(SYS_close_range, report + 1, ~0U, 0);

    int error = ENOENT;
    for (const std::string& place : places) {
        execve(place.c_str(), argv, environ);
        if (errno != ENOENT && errno != ENOTDIR) error = errno;  // as execvp: the most telling failure
        if (errno != ENOENT && errno != ENOTDIR && errno != EACCES) break;
    }
    (void)!write(report, &error, sizeof error);
    _exit(127);
}

}  // namespace

void PosixProgramStarter::start(const ToolCommand& command) {
    std::string program = command.program, verb = command.verb, operand = command.operand.native();
    char* argv[] = {program.data(), verb.data(), operand.data(), nullptr};
    const std::vector<std::string> places = candidates(program);
    Pipe report;

    const pid_t middle = fork();
    if (middle < 0) throw PlatformFailure::fromSystemError(errno, command.program);
    if (middle == 0) {
        const pid_t tool = fork();
        if (tool == 0) becomeTool(places, argv, report.writer());
        if (tool < 0) {
            const int error = errno;
            (void)!write(report.writer(), &error, sizeof error);
        }
        _exit(0);
    }
    report.closeEnd(1);
    while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {}

    // The pipe closes without a word when exec succeeds.
    int error = 0;
    ssize_t got;
    while ((got = read(report.reader(), &error, sizeof error)) < 0 && errno == EINTR) {}
    if (got == static_cast<ssize_t>(sizeof error)) throw PlatformFailure::fromSystemError(error, command.program);
}

}  // namespace platform
