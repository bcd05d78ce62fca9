#include "doubles/temp_tree.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// Runs the stand-in with exactly these arguments and returns its exit code.
int ucc(const std::string& verb, const std::string& operand) {
    std::string program = UCC_PROGRAM, v = verb, o = operand;
    char* argv[] = {program.data(), v.data(), o.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string content(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::set<std::string> entries(const std::filesystem::path& directory) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) names.insert(entry.path().filename());
    return names;
}

TEST(StandInPacker, RoundTripsOddNamesAndWritesRealGzip) {
    TempTree tree;
    for (const std::string name : {"a b.pkg", "-rf", "caf\xE9", "\xEF\xBF\xBD.bin", "new\nline"}) {
        const std::string data = name + std::string(100000, 'z') + "\x01\x02";
        const auto file = tree.file(name, data);
        EXPECT_EQ(ucc("compress", tree.root().native() + "//" + name), 0) << name;
        EXPECT_EQ(content(file), data) << "the original stays";
        std::filesystem::remove(file);
        EXPECT_EQ(ucc("decompress", file.native() + ".gz"), 0) << name;
        EXPECT_EQ(content(file), data) << name;
    }
    const std::string gzip = "gzip -t '" + (tree / "-rf.gz").native() + "'";
    EXPECT_EQ(std::system(gzip.c_str()), 0) << "standard tools read it";
}

TEST(StandInPacker, TheFolderWildcardTakesVisiblePlainFilesButGz) {
    TempTree tree;
    for (const char* name : {"a", "b c", ".hidden", "old.gz", "sub/inner"}) tree.file(name);
    tree.file("b c.gz", "keep");  // in the way of "b c": that one fails, the rest go on
    EXPECT_EQ(ucc("compress", tree.root().native() + "/*"), 1);
    EXPECT_EQ(entries(tree.root()), (std::set<std::string>{"a", "a.gz", "b c", "b c.gz", ".hidden", "old.gz", "sub"}));
    EXPECT_EQ(content(tree / "b c.gz"), "keep");
    EXPECT_EQ(entries(tree / "sub"), std::set<std::string>{"inner"});
}

TEST(StandInPacker, RefusesToOverwriteAndLeavesNothingBehindOnBadInput) {
    TempTree tree;
    tree.file("good", "data");
    ASSERT_EQ(ucc("compress", (tree / "good").native()), 0);
    const std::string packed = content(tree / "good.gz");
    std::ofstream(tree / "cut.gz", std::ios::binary) << packed.substr(0, packed.size() - 6);
    std::ofstream(tree / "plain.gz", std::ios::binary) << "not gzip at all";

    struct Case {
        const char* verb;
        const char* operand;
    };
    for (const Case& c : {Case{"compress", "good"}, Case{"decompress", "good.gz"}, Case{"decompress", "cut.gz"},
                          Case{"decompress", "plain.gz"}, Case{"decompress", "good"}, Case{"compress", "missing"},
                          Case{"compress", "."}}) {
        const auto before = entries(tree.root());
        EXPECT_EQ(ucc(c.verb, (tree / c.operand).native()), 1) << c.verb << " " << c.operand;
        EXPECT_EQ(entries(tree.root()), before) << c.verb << " " << c.operand;
    }
    EXPECT_EQ(content(tree / "good"), "data");
    EXPECT_EQ(content(tree / "good.gz"), packed);
}

}  // namespace
