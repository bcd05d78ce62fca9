#include "doubles/fake_tool.h"
#include "doubles/running_program.h"
#include "doubles/tree_file_system.h"

#include "platform/posix/posix_program_starter.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

// Thousands of random steps through the whole program over a real tree that
// also changes from outside, checking after each step what may never happen.
// QUARVEL_SEED repeats a run; QUARVEL_RANDOM_STEPS makes it longer.

using window::Control;

namespace {

using Snapshot = std::map<std::string, bool>;  // path -> is a directory

Snapshot snapshot(const std::filesystem::path& tree) {
    Snapshot entries;
    for (auto it = std::filesystem::recursive_directory_iterator(tree); it != std::filesystem::recursive_directory_iterator(); ++it)
        entries[it->path().native()] = it->is_directory() && !it->is_symlink();
    return entries;
}

// Remembers each command and starts it for real.
class TeeStarter final : public platform::ProgramStarter {
public:
    void start(const platform::ToolCommand& command) override {
        real_.start(command);
        started.push_back({command.verb, command.operand.native()});
    }
    std::vector<std::vector<std::string>> started;

private:
    platform::PosixProgramStarter real_;
};

class RandomAnswers final : public platform::Dialogs {
public:
    explicit RandomAnswers(std::mt19937& random) : random_(random) {}
    bool confirm(const std::string&, const std::string&) override { return last = random_() % 2; }
    void report(const std::string& description, const std::string&) override { reported.push_back(description); }
    bool last = false;
    std::vector<std::string> reported;

private:
    std::mt19937& random_;
};

const std::vector<std::string> oddNames = {"a.pkg", "b c.pkg", "-rf", "*", "q?[x]", "caf\xE9", "caf\xEF\xBF\xBD",
                                           "tab\there", "new\nline", "\xD0\xBA\xD0\xBE\xD1\x82", "z10", "z9"};

template <class T>
const T& pick(std::mt19937& random, const std::vector<T>& from) { return from[random() % from.size()]; }

// Changes the tree as another program would.
void changeFromOutside(std::mt19937& random, const std::filesystem::path& tree, const std::string& openDirectory) {
    const Snapshot entries = snapshot(tree);
    std::vector<std::string> files, directories;
    for (const auto& [path, directory] : entries) {
        const bool driveRoot = std::filesystem::path(path).parent_path() == tree;
        (directory ? directories : files).push_back(path);
        if (driveRoot) directories.pop_back();
    }
    const auto somewhere = [&] {
        const auto& drives = std::vector<std::string>{(tree / "A").native(), (tree / "B").native()};
        return directories.empty() || random() % 3 == 0 ? pick(random, drives) : pick(random, directories);
    };
    std::error_code ignored;
    switch (random() % 7) {
    case 0:
    case 1: std::ofstream(somewhere() + "/" + pick(random, oddNames) + std::to_string(random() % 100)) << "x"; break;
    case 2: if (!files.empty()) std::filesystem::remove(pick(random, files), ignored); break;
    case 3: if (!files.empty()) {
            const std::string& file = pick(random, files);
            std::filesystem::rename(file, file + ".renamed", ignored);
        }
        break;
    case 4: std::filesystem::create_directory(somewhere() + "/" + pick(random, oddNames) + ".d", ignored); break;
    case 5: if (!files.empty()) {  // a file becomes a directory of the same name
            const std::string& file = pick(random, files);
            std::filesystem::remove(file, ignored);
            std::filesystem::create_directory(file, ignored);
        }
        break;
    case 6: if (random() % 4 == 0 && std::filesystem::path(openDirectory).parent_path() != tree)  // the open directory goes
            std::filesystem::remove_all(openDirectory, ignored);
        break;
    }
}

TEST(RandomProgram, NothingButConfirmedFilesDisappearAndTheListsStayCoupled) {
    const unsigned seed = std::getenv("QUARVEL_SEED") ? std::stoul(std::getenv("QUARVEL_SEED")) : std::random_device()();
    const int steps = std::getenv("QUARVEL_RANDOM_STEPS") ? std::stoi(std::getenv("QUARVEL_RANDOM_STEPS")) : 1500;
    std::printf("random program test: seed %u, %d steps\n", seed, steps);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);

    TempTree tree;
    for (const char* folder : {"A/work/", "A/work/maps/", "A/", "B/", "B/deep/er/"})
        for (const auto& name : oddNames) tree.file(folder + name);
    FakeTool tool;
    TreeFileSystem fs(tree.root(), {"A", "B"}, tree / "A/work");
    TeeStarter starter;
    RandomAnswers box(random);
    RunningProgram program(fs, starter, box);
    const browse::Lists& lists = program.lists();
    const auto raise = [&](Control control, window::Event event, int row) { program.form().raise(control, event, row); };
    const auto hasPattern = [](const std::string& text) { return text.find_first_of("*?") != std::string::npos; };

    int deletions = 0, failures = 0;
    for (int step = 0; step < steps; ++step) {
        const Snapshot before = snapshot(tree.root());
        const std::string dirBefore = lists.dir1().path(), filesBefore = lists.file1().path();
        const size_t reportsBefore = box.reported.size(), startsBefore = starter.started.size();
        const int action = static_cast<int>(random() % 12);
        const bool deleting = action == 9 || action == 10;
        if (random() % (deleting ? 4 : 3) != 0 && lists.file1().listCount())  // often a file was picked just before
            raise(Control::File1, window::Event::Select, static_cast<int>(random() % lists.file1().listCount()));
        const std::string folder = lists.dir1().list(lists.dir1().listIndex()).native();
        const std::string selected = lists.file1().path().native() + "/" + lists.file1().fileName();
        const int dirRows = lists.dir1().rowCount();
        const int fileRows = lists.file1().listCount();

        std::vector<std::string> expectedStart;
        switch (action) {
        case 0: changeFromOutside(random, tree.root(), dirBefore); break;
        case 1: raise(Control::Drive1, window::Event::Change, static_cast<int>(random() % 2)); break;
        case 2: program.clickRow(Control::Dir1, static_cast<int>(random() % dirRows)); break;
        case 3: program.clickRow(Control::Dir1, static_cast<int>(random() % dirRows), true); break;
        case 4: if (fileRows) program.clickRow(Control::File1, static_cast<int>(random() % fileRows), random() % 4 == 0); break;
        case 5: raise(Control::File1, window::Event::Select, -1); break;
        case 6: program.click(Control::Command1); if (!hasPattern(folder)) expectedStart = {"compress", folder + "/*"}; break;
        case 7: program.click(Control::Command6); if (!hasPattern(selected)) expectedStart = {"compress", selected}; break;
        case 8: program.click(Control::Command7); if (!hasPattern(selected)) expectedStart = {"decompress", selected}; break;
        case 9:
        case 10: program.click(Control::Command4); break;
        case 11: program.click(Control::Command3); break;
        }
        SCOPED_TRACE("step " + std::to_string(step) + ", action " + std::to_string(action));

        // Every failure is reported once, and a failed change leaves the lists where they were.
        const size_t reports = box.reported.size() - reportsBefore;
        ASSERT_LE(reports, 1u);
        failures += static_cast<int>(reports);
        if (reports && (action == 1 || action == 3)) {
            ASSERT_EQ(lists.dir1().path(), dirBefore);
            ASSERT_EQ(lists.file1().path(), filesBefore);
        }
        ASSERT_EQ(lists.file1().path(), lists.dir1().path());

        // Each tool call is the lists' command of that moment; only the tool buttons start one.
        if (!expectedStart.empty()) {
            ASSERT_EQ(starter.started.size(), startsBefore + 1);
            ASSERT_EQ(starter.started.back(), expectedStart);
        } else {
            ASSERT_EQ(starter.started.size(), startsBefore);
        }

        // Only a confirmed file, at the path the lists gave, ever goes.
        if (action == 0) continue;
        const Snapshot after = snapshot(tree.root());
        std::vector<std::string> gone;
        for (const auto& [path, directory] : before)
            if (!after.count(path)) gone.push_back(path);
        const bool confirmed = deleting && box.last;
        if (!confirmed || reports) {
            ASSERT_TRUE(gone.empty()) << gone.front();
        } else {
            const std::string target = std::filesystem::path(selected).lexically_normal();  // "B//b" is "B/b"
            ASSERT_EQ(gone, std::vector<std::string>{target});
            ASSERT_FALSE(before.at(target)) << "a directory was removed";
            ++deletions;
        }
        ASSERT_EQ(after.size(), before.size() - gone.size()) << "something appeared";
    }
    EXPECT_EQ(fs.refusedDeletions, 0);

    auto calls = tool.calls(starter.started.size(), std::chrono::seconds(30));
    auto expected = starter.started;
    std::sort(calls.begin(), calls.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(calls, expected) << "what the tool received";
    std::printf("random program test: %d steps, %zu tools started, %d files deleted, %d failures reported\n",
                steps, starter.started.size(), deletions, failures);
}

}  // namespace
