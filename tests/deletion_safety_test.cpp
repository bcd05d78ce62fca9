#include "doubles/recording_services.h"
#include "doubles/temp_tree.h"
#include "doubles/tree_file_system.h"

#include "actions/file_deletion.h"
#include "browse/lists.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Shows `directory` (below the drive folder T) with `victim` selected, lets
// `swap` change the tree as another program would while the question is up,
// then answers Yes.
std::string deleteAfterSwap(const TempTree& tree, const std::string& directory, const std::function<void()>& swap) {
    TreeFileSystem files(tree.root(), {"T"}, tree / "T");
    browse::Lists lists(files);
    lists.startUp();
    std::string opened = "T";
    for (size_t at = 0; at != std::string::npos;) {  // down to `directory`, one entry at a time
        const size_t next = directory.find('/', at);
        const std::string name = directory.substr(at, next == std::string::npos ? next : next - at);
        opened += "/" + name;
        int index = 0;
        while (lists.dir1().list(index) != tree / opened) ++index;
        lists.openDirectory(index);
        at = next == std::string::npos ? next : next + 1;
    }
    lists.selectFile(0);
    EXPECT_EQ(lists.file1().fileName(), "victim");
    swap();
    ScriptedDialogs yes;
    yes.otherwise = true;
    try {
        actions::deleteSelectedFile(lists, yes);
    } catch (const platform::PlatformFailure& failure) {
        return failure.what();
    }
    return "";
}

TEST(DeletionSafety, OnlyTheListedFileInTheListedDirectoryGoes) {
    struct Case {
        const char* name;
        std::string directory;
        std::function<void(const TempTree&)> swap;
        std::vector<std::string> gone, kept;
    };
    const std::vector<Case> cases = {
        {"the directory swapped for a link", "X", [](const TempTree& t) {
             fs::rename(t / "T/X", t / "T/X.away");
             fs::create_directory_symlink(t / "T/Y", t / "T/X");
         }, {"T/X.away/victim"}, {"T/Y/victim"}},
        {"a grandparent swapped for a link", "P/D", [](const TempTree& t) {
             fs::rename(t / "T/P", t / "T/P.away");
             fs::create_directory_symlink(t / "T/Q", t / "T/P");
         }, {"T/P.away/D/victim"}, {"T/Q/D/victim"}},
        {"the directory renamed: the shown file goes under its new name", "X", [](const TempTree& t) {
             fs::rename(t / "T/X", t / "T/X.renamed");
         }, {"T/X.renamed/victim"}, {"T/Y/victim"}},
    };
    for (const Case& c : cases) {
        TempTree tree;
        for (const char* file : {"T/X/victim", "T/Y/victim", "T/P/D/victim", "T/Q/D/victim"}) tree.file(file);
        EXPECT_EQ(deleteAfterSwap(tree, c.directory, [&] { c.swap(tree); }), "") << c.name;
        for (const auto& path : c.gone) EXPECT_FALSE(fs::exists(tree / path)) << c.name << ": " << path;
        for (const auto& path : c.kept) EXPECT_TRUE(fs::exists(tree / path)) << c.name << ": " << path;
    }
}

// Root looks into a folder another user owns; that user swaps it for a link
// into a folder only root may enter.
TEST(DeletionSafety, AnotherUserCannotRedirectRootsDeletion) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root";
    TempTree tree;
    tree.file("T/shared/box/victim");
    tree.file("T/secret/victim");
    fs::permissions(tree.root(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(tree / "T", fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(tree / "T/secret", fs::perms::owner_all);
    const uid_t nobody = 65534;
    ASSERT_EQ(chown((tree / "T/shared").c_str(), nobody, nobody), 0);
    ASSERT_EQ(chown((tree / "T/shared/box").c_str(), nobody, nobody), 0);

    const std::string failure = deleteAfterSwap(tree, "shared/box", [&] {
        const pid_t child = fork();
        if (child == 0) {
            const bool swapped = setgid(nobody) == 0 && setuid(nobody) == 0 &&
                                 rename((tree / "T/shared/box").c_str(), (tree / "T/shared/box.away").c_str()) == 0 &&
                                 symlink((tree / "T/secret").c_str(), (tree / "T/shared/box").c_str()) == 0;
            _exit(swapped ? 0 : 1);
        }
        int status = 1;
        waitpid(child, &status, 0);
        ASSERT_EQ(status, 0) << "the other user could not swap the folder";
    });
    EXPECT_EQ(failure, "");
    EXPECT_TRUE(fs::exists(tree / "T/secret/victim")) << "root's own file";
    EXPECT_FALSE(fs::exists(tree / "T/shared/box.away/victim"));
}

}  // namespace
