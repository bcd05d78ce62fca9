#include "doubles/recording_services.h"
#include "doubles/temp_tree.h"
#include "doubles/wired_lists.h"

#include "actions/file_deletion.h"
#include "actions/tool_commands.h"
#include "platform/posix_file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The lists and actions on the real file system, opened on a temporary tree.
struct Session {
    explicit Session(const TempTree& tree) : lists(fs) { lists.dir1.setPath(tree.root().native()); }

    int fileIndex(const std::string& name) const { return lists.fileIndex(name); }
    bool listsDirectory(const std::string& path) const { return lists.dirIndex(path) != -2'000'000; }
    // Selects `name`, confirms the deletion, and returns the failure, if any.
    std::string deleteFile(const std::string& name) {
        lists.file1.setListIndex(fileIndex(name));
        box.otherwise = platform::Answer::Yes;
        try {
            actions::deleteSelectedFile(lists.lists, services);
        } catch (const platform::PlatformFailure& failure) {
            return failure.what();
        }
        return "";
    }

    platform::PosixFileSystem fs;
    RecordingStarter starter;
    ScriptedMessageBox box;
    actions::Services services{fs, starter, box};
    WiredLists lists;
};

TEST(HostileInput, BadNamesAreListedAndActedOnByTheirExactBytes) {
    const std::vector<std::string> names = {
        "with blanks.pkg", "-rf", "--help", "*", "?", "[a-z]", "new\nline", "tab\tbed", std::string(255, 'L'),
        "caf\xE9", "caf\xEF\xBF\xBD", "\xFF\xFE", "\xE6\x96\x87\xE4\xBB\xB6.pkg", "\xD9\x85\xD9\x84\xD9\x81",
        "back\\slash", "quote'\"s", "$(touch pwned)", "trailing.",
    };
    for (const std::string& name : names) {
        TempTree tree;
        // A neighbour that must survive, as like the name as names allow.
        const std::string twin = name.size() < 250 ? name + ".twin" : name.substr(0, name.size() - 1) + "M";
        tree.file(name, "target");
        tree.file(twin, "twin");
        Session session(tree);
        ASSERT_NE(session.fileIndex(name), -1) << "not listed: " << name;

        session.lists.file1.setListIndex(session.fileIndex(name));
        actions::compressFile(session.lists.lists, session.services);
        EXPECT_EQ(session.starter.started.back().operand, tree.root().native() + "/" + name);

        EXPECT_EQ(session.deleteFile(name), "") << name;
        EXPECT_FALSE(std::filesystem::exists(tree / name)) << name;
        EXPECT_TRUE(std::filesystem::exists(tree / twin)) << name;
    }
}

TEST(HostileInput, LinksAndVanishingEntriesEndAsDescribed) {
    TempTree tree;
    tree.file("target.pkg");
    tree.file("dir/inner.pkg");
    std::filesystem::create_symlink("target.pkg", tree / "to-file");
    std::filesystem::create_symlink("dir", tree / "to-dir");
    std::filesystem::create_symlink("nowhere", tree / "dangling");
    std::filesystem::create_symlink("loop", tree / "loop");
    tree.file("becomes-dir.pkg");
    Session session(tree);
    const std::string root = tree.root().native();

    // A link to a file is a file: deleting it removes the link only.
    EXPECT_EQ(session.deleteFile("to-file"), "");
    EXPECT_TRUE(std::filesystem::exists(tree / "target.pkg"));
    // A link to a directory is a directory that opens; dangling and looping links are neither.
    EXPECT_TRUE(session.listsDirectory(root + "/to-dir"));
    for (const char* name : {"dangling", "loop"}) {
        EXPECT_EQ(session.fileIndex(name), -1) << name;
        EXPECT_FALSE(session.listsDirectory(root + "/" + name)) << name;
    }
    // A file replaced by a directory before deletion: refused, the directory stays.
    std::filesystem::remove(tree / "becomes-dir.pkg");
    std::filesystem::create_directory(tree / "becomes-dir.pkg");
    EXPECT_EQ(session.deleteFile("becomes-dir.pkg"), "Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(tree / "becomes-dir.pkg"));

    session.lists.dir1.setPath(root + "/to-dir");
    EXPECT_EQ(session.lists.file1.path(), root + "/to-dir");
    EXPECT_NE(session.fileIndex("inner.pkg"), -1);

    // The open directory removed: refresh fails, the lists stay.
    std::filesystem::remove_all(tree / "dir");
    EXPECT_THROW(session.lists.file1.refresh(), platform::PlatformFailure);
    EXPECT_EQ(session.lists.file1.path(), root + "/to-dir");
    EXPECT_NE(session.fileIndex("inner.pkg"), -1);
    EXPECT_THROW(session.lists.dir1.setPath(session.lists.dir1.list(-1).native()), platform::PlatformFailure);
}

TEST(HostileInput, AMillionEntriesAreListedAndTheLastOneDeletes) {
    // In memory where the system offers it: a million files on disk take minutes to make and remove.
    const bool shared = std::filesystem::is_directory("/dev/shm") && access("/dev/shm", W_OK) == 0;
    TempTree tree(shared ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path());
    const int count = 1'000'000;
    char name[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, i % 100 == 99 ? ".h%07d" : "f%07d", i);
        close(open((tree.root().native() + "/" + name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
    }
    Session session(tree);
    ASSERT_EQ(session.lists.file1.listCount(), count - count / 100);
    EXPECT_EQ(session.lists.file1.list(0), "f0000000");
    EXPECT_EQ(session.lists.file1.list(count - count / 100 - 1), "f0999998");
    EXPECT_EQ(session.deleteFile("f0999998"), "");
    EXPECT_FALSE(std::filesystem::exists(tree / "f0999998"));
    EXPECT_TRUE(std::filesystem::exists(tree / "f0999997"));
}

}  // namespace
