#include "doubles/fake_tool.h"

#include "platform/platform_failure.h"
#include "platform/linux/linux_program_starter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::ToolCommand;

namespace {

platform::NoCheckpoints none;

std::string procField(pid_t pid, const std::string& file) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
    return {std::istreambuf_iterator<char>(in), {}};
}

int threadCount() {
    int count = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task")) ++count;
    return count;
}

TEST(LinuxProgramStarter, TheToolGetsExactlyThreeArgumentsAndNothingOfOurs) {
    FakeTool tool;
    platform::LinuxProgramStarter starter;
    const int leaked = 77;  // open without close-on-exec, as a library might leave one
    ASSERT_EQ(dup2(STDERR_FILENO, leaked), leaked);
    const std::vector<ToolCommand> commands = {
        {"ucc", "compress", "/data/my maps/*"},
        {"ucc", "compress", "/data//-rf"},
        {"ucc", "decompress", "/data/caf\xE9 $(touch pwned);\n*?[x]"},
        {"ucc", "compress", "/data/"},
    };
    for (const auto& command : commands) starter.start(command, none);
    close(leaked);

    auto calls = tool.calls(commands.size());
    std::vector<std::vector<std::string>> expected;
    for (const auto& command : commands) expected.push_back({command.verb, command.operand.native()});
    std::sort(calls.begin(), calls.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(std::filesystem::exists("pwned"));
    for (int pid : tool.runs(true)) {
        std::ifstream fds(tool.records() / (std::to_string(pid) + ".fds"));
        for (std::string fd; fds >> fd;) EXPECT_NE(fd, std::to_string(leaked)) << "a descriptor leaked into the tool";
    }
}

// Those of `pids` that have ended but were not collected. Only this test's
// own tools count: a test before it, in the same process, may have left its
// tools to a starter that is gone.
int zombiesAmong(const std::vector<int>& pids) {
    int zombies = 0;
    for (int pid : pids) {
        const std::string stat = procField(pid, "stat");
        if (stat.find(')') != std::string::npos) zombies += stat[stat.rfind(')') + 2] == 'Z';
    }
    return zombies;
}

TEST(LinuxProgramStarter, ToolsRunInTheirOwnSessionOutliveTheStarterAndLeaveNoZombie) {
    FakeTool lingering(true);
    const pid_t child = fork();
    if (child == 0) {  // a short-lived program that starts a tool and ends at once
        platform::LinuxProgramStarter starter;
        starter.start({"ucc", "compress", "/x"}, none);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(status, 0);

    const auto tools = lingering.running(1);
    ASSERT_EQ(tools.size(), 1u) << "the tool must still run after its starter ended";
    const std::string stat = procField(tools[0], "stat");
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string state, parent, group, session;
    fields >> state >> parent >> group >> session;
    EXPECT_EQ(session, std::to_string(tools[0])) << "a session of its own";
    EXPECT_EQ(std::filesystem::read_symlink("/proc/" + std::to_string(tools[0]) + "/fd/0"), "/dev/null");
    lingering.release();
    ASSERT_EQ(lingering.calls(1).size(), 1u);

    // Our own starts cost no thread each while the tools run, and every tool
    // is collected once it ends.
    platform::LinuxProgramStarter starter;
    starter.start({"ucc", "compress", "/x"}, none);
    const int threads = threadCount();
    for (int i = 0; i < 20; ++i) starter.start({"ucc", "compress", "/x"}, none);
    EXPECT_EQ(threadCount(), threads);
    ASSERT_EQ(lingering.calls(22, std::chrono::seconds(10)).size(), 22u);
    std::vector<int> ours = lingering.runs(true);
    std::erase(ours, tools[0]);  // the first one's starter ended: not ours to collect
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (zombiesAmong(ours) != 0 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(zombiesAmong(ours), 0);
}

TEST(LinuxProgramStarter, AToolThatCannotStartIsOneFailure) {
    TempTree bin;
    const std::string previous = std::getenv("PATH");
    struct Case {
        const char* name;
        std::string script;
        mode_t mode;
        std::string failure;
    };
    const std::vector<Case> cases = {
        {"no ucc on PATH", "", 0, "No such file or directory"},
        {"a ucc that is not executable", "#!/bin/sh\n", 0644, "Permission denied"},
        {"a ucc that is not a program",
         "\x7f"
         "ELF garbage",
         0755, "Exec format error"},
    };
    platform::LinuxProgramStarter starter;
    for (const Case& c : cases) {
        std::filesystem::remove(bin / "ucc");
        if (!c.script.empty()) {
            bin.file("ucc", c.script);
            chmod((bin / "ucc").c_str(), c.mode);
        }
        setenv("PATH", bin.root().c_str(), 1);
        std::string failure;
        try {
            starter.start({"ucc", "compress", "/x"}, none);
        } catch (const platform::PlatformFailure& f) {
            failure = f.what();
        }
        EXPECT_EQ(failure, c.failure) << c.name;
    }
    setenv("PATH", previous.c_str(), 1);
}

}  // namespace
