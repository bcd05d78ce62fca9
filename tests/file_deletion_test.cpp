#include "doubles/memory_file_system.h"
#include "doubles/recording_services.h"
#include "doubles/wired_lists.h"

#include "actions/file_deletion.h"

#include <gtest/gtest.h>

using platform::Answer;

namespace {

struct Case {
    const char* name;
    std::string open;
    std::string select;                 // "" selects nothing
    std::vector<Answer> answers;        // one click each
    std::string failure;                // what the last click reports, "" for none
    std::vector<std::string> gone, kept;
};

TEST(FileDeletion, DeletesOnlyTheConfirmedFileAtTheListsPath) {
    const std::vector<Case> cases = {
        {"No keeps everything", "D:\\work", "a.pkg", {Answer::No}, "", {}, {"D:\\work\\a.pkg"}},
        {"Yes deletes the selected file", "D:\\work", "a.pkg", {Answer::Yes}, "", {"D:\\work\\a.pkg"}, {"D:\\work\\b.pkg", "D:\\a.pkg"}},
        {"at the root the doubled separator reads as one", "D:\\", "a.pkg", {Answer::Yes}, "", {"D:\\a.pkg"}, {"D:\\work\\a.pkg"}},
        {"no file selected names the directory, which is not deleted", "D:\\work", "", {Answer::Yes}, "Access is denied", {}, {"D:\\work", "D:\\work\\a.pkg"}},
        {"a second Yes finds the file gone", "D:\\work", "a.pkg", {Answer::Yes, Answer::Yes}, "File not found", {"D:\\work\\a.pkg"}, {"D:\\work\\b.pkg"}},
    };
    for (const Case& c : cases) {
        MemoryFileSystem fs("D:\\work");
        for (const char* file : {"D:\\a.pkg", "D:\\work\\a.pkg", "D:\\work\\b.pkg"}) fs.addFile(file);
        WiredLists w(fs);
        RecordingStarter starter;
        ScriptedMessageBox box;
        box.answers.assign(c.answers.begin(), c.answers.end());
        actions::Services services{fs, starter, box};
        w.dir1.setPath(c.open);
        if (!c.select.empty()) w.file1.setListIndex(w.fileIndex(c.select));
        const int listed = w.file1.listCount();

        std::string failure;
        for (size_t click = 0; click < c.answers.size(); ++click) {
            try {
                actions::deleteSelectedFile(w.lists, services);
            } catch (const platform::PlatformFailure& f) {
                failure = f.what();
            }
        }
        EXPECT_EQ(failure, c.failure) << c.name;
        EXPECT_EQ(box.asked, std::vector<std::string>(c.answers.size(), "Are You sure?")) << c.name;
        EXPECT_EQ(box.buttonSets.front(), platform::ButtonSet::YesNo);
        for (const auto& path : c.gone) EXPECT_FALSE(fs.exists(path)) << c.name << ": " << path;
        for (const auto& path : c.kept) EXPECT_TRUE(fs.exists(path)) << c.name << ": " << path;
        EXPECT_EQ(w.file1.listCount(), listed) << c.name << ": the list is not re-read";
        EXPECT_EQ(w.file1.fileName(), c.select) << c.name;
        EXPECT_TRUE(starter.started.empty());
    }
}

// D:\work open with a.pkg selected, every question answered Yes.
class ConfirmedDeletion : public ::testing::Test {
protected:
    ConfirmedDeletion() {
        fs.addFile("D:\\work\\a.pkg");
        box.otherwise = Answer::Yes;
    }
    void openWork() {
        w.dir1.setPath("D:\\work");
        w.file1.setListIndex(0);
    }

    MemoryFileSystem fs{"D:\\work"};
    WiredLists w{fs};
    RecordingStarter starter;
    ScriptedMessageBox box;
    actions::Services services{fs, starter, box};
};

// Should the file list ever be left behind the directory list (as when its
// nested change fails), the selected name still goes with its own directory.
TEST_F(ConfirmedDeletion, TheSelectedNameIsDeletedInTheDirectoryItWasListedIn) {
    fs.addFile("D:\\other\\a.pkg");
    openWork();
    browse::DirList elsewhere(fs, w.handOff);
    elsewhere.setPath("D:\\other");
    const browse::Lists behind{w.drive1, elsewhere, w.file1};
    actions::deleteSelectedFile(behind, services);
    EXPECT_FALSE(fs.exists("D:\\work\\a.pkg"));
    EXPECT_TRUE(fs.exists("D:\\other\\a.pkg")) << "a file the user never saw";
}

TEST_F(ConfirmedDeletion, RefreshDropsTheDeletedName) {
    openWork();
    actions::deleteSelectedFile(w.lists, services);
    EXPECT_EQ(w.file1.listCount(), 1);
    actions::refreshFileList(w.lists);
    EXPECT_EQ(w.file1.listCount(), 0);
    EXPECT_EQ(w.file1.fileName(), "");
}

}  // namespace
