#include "doubles/fake_tool.h"

#include "platform/posix_program_starter.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::ToolCommand;
using platform::WindowState;

namespace {

bool isGoneOrZombie(pid_t pid, char& state) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return true;
    state = line.at(line.rfind(')') + 2);
    return false;
}

TEST(PosixProgramStarter, TheToolGetsExactlyThreeArgumentsByteForByte) {
    FakeTool tool;
    platform::PosixProgramStarter starter;
    const std::vector<ToolCommand> commands = {
        {"ucc", "compress", "/data/my maps/*"},
        {"ucc", "compress", "/data//-rf"},
        {"ucc", "decompress", "/data/caf\xE9 $(touch pwned);\n*?[x]"},
        {"ucc", "compress", "/data/"},
    };
    for (const auto& command : commands) starter.start(command, WindowState::MinimizedWithFocus);

    auto calls = tool.calls(commands.size());
    std::vector<std::vector<std::string>> expected;
    for (const auto& command : commands) expected.push_back({command.verb, command.operand.native()});
    std::sort(calls.begin(), calls.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(std::filesystem::exists("pwned"));
}

TEST(PosixProgramStarter, ToolsRunInTheirOwnSessionAreReapedAndOutliveTheStarter) {
    FakeTool lingering(1.0);
    const pid_t child = fork();
    if (child == 0) {  // a short-lived program that starts a tool and ends at once
        platform::PosixProgramStarter starter;
        starter.start({"ucc", "compress", "/x"}, WindowState::MinimizedWithFocus);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(status, 0);

    const auto tools = lingering.running(1);
    ASSERT_EQ(tools.size(), 1u) << "the tool must still run after its starter ended";
    std::ifstream stat("/proc/" + std::to_string(tools[0]) + "/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string state, parent, group, session;
    fields >> state >> parent >> group >> session;
    EXPECT_EQ(session, std::to_string(tools[0])) << "a session of its own";
    EXPECT_EQ(std::filesystem::read_symlink("/proc/" + std::to_string(tools[0]) + "/fd/0"), "/dev/null");
    EXPECT_EQ(lingering.calls(1).size(), 1u);
}

TEST(PosixProgramStarter, FinishedToolsLeaveNoZombie) {
    FakeTool tool;
    platform::PosixProgramStarter starter;
    starter.start({"ucc", "compress", "/x"}, WindowState::MinimizedWithFocus);
    ASSERT_EQ(tool.calls(1).size(), 1u);
    const auto pids = tool.runs(true);
    ASSERT_EQ(pids.size(), 1u);

    char state = '?';
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!isGoneOrZombie(pids[0], state) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(isGoneOrZombie(pids[0], state)) << "left in state " << state;
}

}  // namespace
