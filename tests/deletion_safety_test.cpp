#include "doubles/tree_lists.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// File1 shows `directory` with `victim` selected; `swap` changes the tree as
// another program would while the question is up; then Yes.
class DeletionSafety : public ::testing::Test, public TreeLists {
protected:
    std::string deleteAfterSwap(const std::string& directory, const std::function<void()>& swap) {
        lists.startUp();
        openPath(path(directory));
        lists.selectFile(file("victim"));
        swap();
        dialogs.otherwise = true;
        return deleteSelected();
    }
};

TEST_F(DeletionSafety, OnlyTheListedFileInTheListedDirectoryGoes) {
    struct Case {
        const char* name;
        std::string directory;
        std::function<void(const TempTree&)> swap;
        std::vector<std::string> gone, kept;
    };
    const std::vector<Case> cases = {
        {"the directory swapped for a link", "D/X", [](const TempTree& t) {
             fs::rename(t / "D/X", t / "D/X.away");
             fs::create_directory_symlink(t / "D/Y", t / "D/X");
         }, {"D/X.away/victim"}, {"D/Y/victim"}},
        {"a grandparent swapped for a link", "D/P/G", [](const TempTree& t) {
             fs::rename(t / "D/P", t / "D/P.away");
             fs::create_directory_symlink(t / "D/Q", t / "D/P");
         }, {"D/P.away/G/victim"}, {"D/Q/G/victim"}},
        {"the directory renamed: the shown file goes under its new name", "D/X", [](const TempTree& t) {
             fs::rename(t / "D/X", t / "D/X.renamed");
         }, {"D/X.renamed/victim"}, {"D/Y/victim"}},
    };
    for (const Case& c : cases) {
        for (const char* file : {"D/X/victim", "D/Y/victim", "D/P/G/victim", "D/Q/G/victim"}) tree.file(file);
        EXPECT_EQ(deleteAfterSwap(c.directory, [&] { c.swap(tree); }), "") << c.name;
        for (const auto& path : c.gone) EXPECT_FALSE(fs::exists(tree / path)) << c.name << ": " << path;
        for (const auto& path : c.kept) EXPECT_TRUE(fs::exists(tree / path)) << c.name << ": " << path;
        for (const char* folder : {"D/X", "D/X.away", "D/X.renamed", "D/Y", "D/P", "D/P.away", "D/Q"}) fs::remove_all(tree / folder);
    }
}

// Root looks into a folder another user owns; that user swaps it for a link
// into a folder only root may enter.
TEST_F(DeletionSafety, AnotherUserCannotRedirectRootsDeletion) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root";
    tree.file("D/shared/box/victim");
    tree.file("D/secret/victim");
    for (const char* open : {"", "D"})
        fs::permissions(tree / open, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(tree / "D/secret", fs::perms::owner_all);
    const uid_t nobody = 65534;
    for (const char* owned : {"D/shared", "D/shared/box"}) ASSERT_EQ(chown((tree / owned).c_str(), nobody, nobody), 0);

    const std::string failure = deleteAfterSwap("D/shared/box", [&] {
        const pid_t child = fork();
        if (child == 0) {
            const bool swapped = setgid(nobody) == 0 && setuid(nobody) == 0 &&
                                 rename((tree / "D/shared/box").c_str(), (tree / "D/shared/box.away").c_str()) == 0 &&
                                 symlink((tree / "D/secret").c_str(), (tree / "D/shared/box").c_str()) == 0;
            _exit(swapped ? 0 : 1);
        }
        int status = 1;
        waitpid(child, &status, 0);
        ASSERT_EQ(status, 0) << "the other user could not swap the folder";
    });
    EXPECT_EQ(failure, "");
    EXPECT_TRUE(fs::exists(tree / "D/secret/victim")) << "root's own file";
    EXPECT_FALSE(fs::exists(tree / "D/shared/box.away/victim"));
}

}  // namespace
