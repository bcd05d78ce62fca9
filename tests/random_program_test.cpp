#include "doubles/running_program.h"
#include "doubles/temp_tree.h"
#include "doubles/tree_file_system.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

// Thousands of random steps through the whole program over a real tree that
// also changes from outside, checking after each step what may never happen.
// QUARVEL_SEED repeats a run; QUARVEL_RANDOM_STEPS makes it longer.

using window::Control;
using window::Event;

namespace {

namespace fs = std::filesystem;
using Snapshot = std::map<std::string, bool>;  // path -> is a directory

Snapshot snapshot(const fs::path& tree) {
    Snapshot entries;
    for (auto it = fs::recursive_directory_iterator(tree); it != fs::recursive_directory_iterator(); ++it)
        entries[it->path().native()] = it->is_directory() && !it->is_symlink();
    return entries;
}

const std::vector<std::string> oddNames = {"a.pkg",
                                           "b c.pkg",
                                           "-rf",
                                           "*",
                                           "q?[x]",
                                           "caf\xE9",
                                           "caf\xEF\xBF\xBD",
                                           "tab\there",
                                           "new\nline",
                                           "\xD0\xBA\xD0\xBE\xD1\x82",
                                           "z10",
                                           "z9"};

// Changes the tree as another program would: files come, go, are renamed or
// become directories, and the open directory may go.
void changeFromOutside(std::mt19937& random, const fs::path& tree, const std::string& openDirectory) {
    std::vector<std::string> files, places = {tree / "A", tree / "B"};
    for (const auto& [path, directory] : snapshot(tree)) (directory ? places : files).push_back(path);
    const auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    const std::string file = files.empty() ? places[0] + "/none" : pick(files);
    const std::string fresh = pick(places) + "/" + pick(oddNames) + std::to_string(random() % 100);
    std::error_code ignored;
    switch (random() % 6) {
    case 0: std::ofstream(fresh) << "x"; break;
    case 1: fs::remove(file, ignored); break;
    case 2: fs::rename(file, file + ".renamed", ignored); break;
    case 3: fs::create_directory(fresh + ".d", ignored); break;
    case 4: fs::remove(file, ignored) && fs::create_directory(file, ignored); break;
    case 5:
        if (fs::path(openDirectory).parent_path() != tree && random() % 4 == 0) fs::remove_all(openDirectory, ignored);
        break;
    }
}

TEST(RandomProgram, NothingButConfirmedFilesDisappearAndTheListsStayCoupled) {
    // The same steps on every run, unless QUARVEL_SEED names others ("random": new ones each time).
    const char* asked = std::getenv("QUARVEL_SEED");
    const unsigned seed = !asked                           ? 20261207u
                          : std::string(asked) == "random" ? std::random_device()()
                                                           : std::stoul(asked);
    const int steps = std::getenv("QUARVEL_RANDOM_STEPS") ? std::stoi(std::getenv("QUARVEL_RANDOM_STEPS")) : 1500;
    std::printf("random program test: seed %u, %d steps\n", seed, steps);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);

    TempTree tree;
    for (const char* folder : {"A/work/", "A/work/maps/", "A/", "B/", "B/deep/er/"})
        for (const auto& name : oddNames) tree.file(folder + name);
    TreeFileSystem files(tree.root(), {"A", "B"}, tree / "A/work");
    RecordingStarter starter;
    ScriptedDialogs box;
    RunningProgram program(files, starter, box);
    const browse::Lists& lists = program.lists();
    const auto raise = [&](Control control, Event event, int row) {
        program.running.presenter.raise(control, event, row);
    };

    int deletions = 0;
    for (int step = 0; step < steps; ++step) {
        const Snapshot before = snapshot(tree.root());
        const std::string dirBefore = lists.dir1().path(), filesBefore = lists.file1().path();
        const size_t reportsBefore = box.reported.size();
        const int action = static_cast<int>(random() % 12);
        if (random() % 3 != 0 && lists.file1().listCount())  // often a file was picked just before
            raise(Control::File1, Event::Select, static_cast<int>(random() % lists.file1().listCount()));
        const std::string selected = lists.file1().path().native() + "/" + lists.file1().fileName();
        const int dirRows = program.running.presenter.rows().count(Control::Dir1), fileRows = lists.file1().listCount();
        box.otherwise = random() % 2;
        switch (action) {
        case 0: changeFromOutside(random, tree.root(), dirBefore); break;
        case 1: raise(Control::Drive1, Event::Change, static_cast<int>(random() % 2)); break;
        case 2: program.clickRow(Control::Dir1, static_cast<int>(random() % dirRows), random() % 2); break;
        case 3:
            if (fileRows) program.clickRow(Control::File1, static_cast<int>(random() % fileRows), random() % 4 == 0);
            break;
        case 4: raise(Control::File1, Event::Select, -1); break;
        case 5: program.click(Control::Command1); break;
        case 6: program.click(Control::Command6); break;
        case 7: program.click(Control::Command7); break;
        case 8:
        case 9:
        case 10: program.click(Control::Command4); break;
        case 11: program.click(Control::Command3); break;
        }
        SCOPED_TRACE("step " + std::to_string(step) + ", action " + std::to_string(action));

        // Every failure is reported once, and a failed change leaves the lists where they were.
        const size_t reports = box.reported.size() - reportsBefore;
        ASSERT_LE(reports, 1u);
        if (reports && (action == 1 || action == 2)) {
            ASSERT_EQ(lists.dir1().path(), dirBefore);
            ASSERT_EQ(lists.file1().path(), filesBefore);
        }
        ASSERT_EQ(lists.file1().path(), lists.dir1().path());

        // Only a confirmed file, at the path the lists gave, ever goes, and nothing appears.
        if (action == 0) continue;
        const Snapshot after = snapshot(tree.root());
        std::vector<std::string> gone;
        for (const auto& [path, directory] : before)
            if (!after.count(path)) gone.push_back(path);
        ASSERT_EQ(after.size(), before.size() - gone.size()) << "something appeared";
        const bool confirmedDeletion = action >= 8 && action <= 10 && box.otherwise;
        if (!confirmedDeletion || reports) {
            ASSERT_TRUE(gone.empty()) << gone.front();
            continue;
        }
        const std::string target = fs::path(selected).lexically_normal();  // "B//b" is "B/b"
        ASSERT_EQ(gone, std::vector<std::string>{target});
        ASSERT_FALSE(before.at(target)) << "a directory was removed";
        ++deletions;
    }
    EXPECT_EQ(files.refusedDeletions, 0);
    std::printf("random program test: %zu tools started, %d files deleted, %zu failures reported\n",
                starter.started.size(), deletions, box.reported.size());
}

}  // namespace
