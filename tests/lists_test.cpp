#include "doubles/memory_file_system.h"
#include "doubles/wired_lists.h"

#include "platform/platform_failure.h"

#include <gtest/gtest.h>

using platform::PlatformFailure;

namespace {

std::vector<std::string> texts(const browse::DirList& dir) {
    std::vector<std::string> out;
    for (int i = dir.firstIndex(); i < dir.listCount(); ++i) out.push_back(dir.list(i).native());
    return out;
}

std::vector<std::string> names(const browse::FileList& files) {
    std::vector<std::string> out;
    for (int i = 0; i < files.listCount(); ++i) out.push_back(files.list(i).native());
    return out;
}

class ListsTest : public ::testing::Test {
protected:
    ListsTest() {
        fs.addFile("D:\\top.txt");
        fs.addFile("D:\\work\\maps\\a.pkg");
        fs.addDirectory("D:\\work\\old");
        fs.addFile("E:\\e.txt");
        fs.addFile("E:\\deep\\inner\\x.bin");
        fs.addDirectory("F:\\");
    }

    MemoryFileSystem fs{"D:\\work\\maps"};
};

TEST_F(ListsTest, StartUpOpensTheRootOfTheWorkingDrive) {
    WiredLists w(fs);
    EXPECT_EQ(w.dir1.path(), "D:\\work\\maps");  // before start-up: the working directory
    EXPECT_EQ(w.file1.path(), "D:\\work\\maps");

    browse::startUp(w.lists, fs);
    EXPECT_EQ(w.drive1.drive(), "D:");
    EXPECT_EQ(w.dir1.path(), "D:\\");
    EXPECT_EQ(w.file1.path(), "D:\\");
    EXPECT_EQ(texts(w.dir1), (std::vector<std::string>{"D:\\", "D:\\work"}));
    EXPECT_EQ(names(w.file1), std::vector<std::string>{"top.txt"});
}

TEST_F(ListsTest, DrivesOpenTheirCurrentDirectory) {
    fs.setCurrentDirectory('E', "E:\\deep\\inner");
    WiredLists w(fs);
    browse::startUp(w.lists, fs);

    struct Step { std::string drive, path; std::vector<std::string> entries; };
    const std::vector<Step> steps = {
        {"E:", "E:\\deep\\inner", {"E:\\", "E:\\deep", "E:\\deep\\inner"}},
        {"F:", "F:\\", {"F:\\"}},
        {"D:", "D:\\work\\maps", {"D:\\", "D:\\work", "D:\\work\\maps"}},  // the working directory, not D:\.
    };
    for (const Step& step : steps) {
        w.drive1.setListIndex(w.driveIndex(step.drive));
        EXPECT_EQ(w.dir1.path(), step.path) << step.drive;
        EXPECT_EQ(w.file1.path(), step.path) << step.drive;
        EXPECT_EQ(texts(w.dir1), step.entries) << step.drive;
        EXPECT_EQ(w.dir1.listIndex(), -1);
    }
}

TEST_F(ListsTest, HighlightingDoesNotOpenButOpeningResetsHighlightAndSelection) {
    WiredLists w(fs);
    browse::startUp(w.lists, fs);
    w.dir1.setPath("D:\\work");
    ASSERT_EQ(texts(w.dir1), (std::vector<std::string>{"D:\\", "D:\\work", "D:\\work\\maps", "D:\\work\\old"}));

    w.dir1.setListIndex(0);  // maps, highlighted only
    EXPECT_EQ(w.dir1.list(w.dir1.listIndex()), "D:\\work\\maps");
    EXPECT_EQ(w.dir1.path(), "D:\\work");
    EXPECT_EQ(w.file1.path(), "D:\\work");

    w.dir1.setListIndex(-2);  // the root, an ancestor
    EXPECT_EQ(w.dir1.list(w.dir1.listIndex()), "D:\\");

    w.dir1.setPath(w.dir1.list(0).native());
    w.file1.setListIndex(w.fileIndex("a.pkg"));
    EXPECT_EQ(w.file1.fileName(), "a.pkg");
    w.dir1.setPath(w.dir1.list(-2).native());  // back up to D:\work
    EXPECT_EQ(w.dir1.listIndex(), -1);
    EXPECT_EQ(w.file1.fileName(), "");
    EXPECT_EQ(w.file1.path(), "D:\\work");
}

TEST_F(ListsTest, FailedChangesLeaveTheStatesAsDescribed) {
    WiredLists w(fs);
    browse::startUp(w.lists, fs);
    w.file1.setListIndex(0);

    // A drive that is not ready: Drive1 moves, Dir1 and File1 stay.
    fs.setReady('E', false);
    EXPECT_THROW(w.drive1.setListIndex(w.driveIndex("E:")), PlatformFailure);
    EXPECT_EQ(w.drive1.drive(), "E:");
    EXPECT_EQ(w.dir1.path(), "D:\\");
    EXPECT_EQ(w.file1.path(), "D:\\");
    EXPECT_EQ(w.file1.fileName(), "top.txt");

    // A directory that vanished after it was listed.
    w.dir1.setPath("D:\\work");
    fs.removeEntry("D:\\work\\old");
    EXPECT_THROW(w.dir1.setPath(w.dir1.list(1).native()), PlatformFailure);
    EXPECT_EQ(w.dir1.path(), "D:\\work");
}

TEST_F(ListsTest, FileListShowsChangesOnlyAfterRefresh) {
    fs.addFile("D:\\work\\maps\\hidden.pkg", {.hidden = true});
    fs.addFile("D:\\work\\maps\\system.pkg", {.system = true});
    fs.addFile("D:\\work\\maps\\b.pkg");
    WiredLists w(fs);
    w.dir1.setPath("D:\\work\\maps");
    EXPECT_EQ(names(w.file1), (std::vector<std::string>{"a.pkg", "b.pkg"}));
    w.file1.setListIndex(w.fileIndex("b.pkg"));

    fs.removeEntry("D:\\work\\maps\\a.pkg");
    fs.addFile("D:\\work\\maps\\a.pkg.ucc");
    EXPECT_EQ(names(w.file1), (std::vector<std::string>{"a.pkg", "b.pkg"}));

    w.file1.refresh();
    EXPECT_EQ(names(w.file1), (std::vector<std::string>{"a.pkg.ucc", "b.pkg"}));
    EXPECT_EQ(w.file1.fileName(), "b.pkg");  // still there, still selected

    fs.removeEntry("D:\\work\\maps\\b.pkg");
    w.file1.refresh();
    EXPECT_EQ(w.file1.fileName(), "");

    // Assigned its path outside a directory change, the file list reads afresh.
    fs.addFile("D:\\work\\maps\\c.pkg");
    w.file1.setPath("D:\\work\\maps");
    EXPECT_EQ(names(w.file1), (std::vector<std::string>{"a.pkg.ucc", "c.pkg"}));
}

}  // namespace
