#include "doubles/named_rows.h"
#include "doubles/tree_lists.h"

#include "actions/tool_commands.h"

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <thread>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

const std::string folderChanged = platform::PlatformFailure::folderChanged("").what();
const std::string fileChanged = platform::PlatformFailure::fileChanged("").what();

enum class Action { Delete, CompressFile, DecompressFile, CompressFolder };

// The lists show a tree; `swap` changes it as another program would while
// the user looks; then a button. What was shown is acted on, or nothing.
class ActingAsShown : public ::testing::Test, public TreeLists {
protected:
    // The failure reported, "" for none.
    std::string act(Action action) {
        dialogs.otherwise = true;
        try {
            switch (action) {
            case Action::Delete: actions::deleteSelectedFile(lists, dialogs); break;
            case Action::CompressFile:
                actions::startTool(lists, lent<platform::ProgramStarter>(starter), actions::Tool::CompressFile);
                break;
            case Action::DecompressFile:
                actions::startTool(lists, lent<platform::ProgramStarter>(starter), actions::Tool::DecompressFile);
                break;
            case Action::CompressFolder:
                actions::startTool(lists, lent<platform::ProgramStarter>(starter), actions::Tool::CompressFolder);
                break;
            }
        } catch (const std::exception& failure) {
            return failure.what();
        }
        return "";
    }
    void trees() {
        for (const char* file : {"D/X/victim", "D/Y/victim", "D/P/G/victim", "D/Q/G/victim"}) tree.file(file, "shown");
    }

    RecordingStarter starter;
};

void swapForLink(const TempTree& t, const char* folder, const char* target) {
    fs::rename(t / folder, t / (std::string(folder) + ".away"));
    fs::create_directory_symlink(t / target, t / folder);
}

// How the tree changed while the user looked, what is then reported, and
// where the file that was shown is now.
struct Change {
    const char* name;
    const char* open;
    std::function<void(const TempTree&)> change;
    std::string report;
    const char* shownFile;
};

class AFileAction : public ActingAsShown, public ::testing::WithParamInterface<std::tuple<Action, Change>> {};

std::string actionAndChange(const ::testing::TestParamInfo<std::tuple<Action, Change>>& info) {
    const char* actions[] = {"Delete", "CompressFile", "DecompressFile", "CompressFolder"};
    return std::string(actions[static_cast<int>(std::get<0>(info.param))]) + std::get<1>(info.param).name;
}

TEST_P(AFileAction, DoesNothingWhenTheFolderOrFileChangedSinceShown) {
    const auto& [action, c] = GetParam();
    trees();
    lists.startUp();
    openPath(path(c.open));
    lists.selectFile(file("victim"));
    c.change(tree);
    EXPECT_EQ(act(action), c.report);
    const bool acted = c.report.empty();
    EXPECT_EQ(starter.started.size(), acted && action != Action::Delete ? 1u : 0u);
    EXPECT_EQ(fs::exists(tree / c.shownFile), !(acted && action == Action::Delete));
    for (const char* kept : {"D/Y/victim", "D/Q/G/victim"}) EXPECT_TRUE(fs::exists(tree / kept));
}

const Change changes[] = {
    Change{"NothingChanged", "D/X", [](const TempTree&) {}, "", "D/X/victim"},
    Change{"TheFolderSwappedForALink", "D/X", [](const TempTree& t) { swapForLink(t, "D/X", "D/Y"); }, folderChanged,
           "D/X.away/victim"},
    Change{"AGrandparentSwappedForALink", "D/P/G", [](const TempTree& t) { swapForLink(t, "D/P", "D/Q"); },
           folderChanged, "D/P.away/G/victim"},
    Change{"TheFolderMovedAway", "D/X", [](const TempTree& t) { fs::rename(t / "D/X", t / "D/X.away"); },
           "No such file or directory", "D/X.away/victim"},
    Change{"TheFileReplaced", "D/X",
           [](const TempTree& t) {
               fs::rename(t / "D/X/victim", t / "D/X.away");
               t.file("D/X/victim", "never shown");
           },
           fileChanged, "D/X.away"},
    Change{"TheFileReplacedByALink", "D/X",
           [](const TempTree& t) {
               fs::rename(t / "D/X/victim", t / "D/X.away");
               fs::create_symlink(t / "D/Y/victim", t / "D/X/victim");
           },
           fileChanged, "D/X.away"},
    Change{"TheFileReplacedByALinkToItself", "D/X",
           [](const TempTree& t) {
               fs::rename(t / "D/X/victim", t / "D/X.away");
               fs::create_symlink(t / "D/X.away", t / "D/X/victim");
           },
           fileChanged, "D/X.away"},
};
INSTANTIATE_TEST_SUITE_P(Rows, AFileAction,
                         ::testing::Combine(::testing::Values(Action::Delete, Action::CompressFile,
                                                              Action::DecompressFile),
                                            ::testing::ValuesIn(changes)),
                         actionAndChange);

struct FolderChange {
    const char* name;
    const char* open;
    const char* highlight;  // a subfolder, the open folder or an ancestor
    std::function<void(const TempTree&)> change;
    std::string report;
};

class CompressFolder : public ActingAsShown, public ::testing::WithParamInterface<FolderChange> {};

TEST_P(CompressFolder, DoesNothingWhenTheHighlightedFolderChangedSinceShown) {
    const FolderChange& c = GetParam();
    trees();
    lists.startUp();
    openPath(path(c.open));
    const platform::Path highlighted = path(c.highlight);
    for (int i = lists.dir1().firstIndex(); i < lists.dir1().listCount(); ++i)
        if (lists.dir1().list(i) == highlighted) lists.highlightDirectory(i);
    ASSERT_EQ(lists.dir1().list(lists.dir1().listIndex()), highlighted);
    c.change(tree);
    EXPECT_EQ(act(Action::CompressFolder), c.report);
    ASSERT_EQ(starter.started.size(), c.report.empty() ? 1u : 0u);
    if (c.report.empty()) {
        EXPECT_EQ(starter.started[0].operand, highlighted.native() + "/*");
    }
}

const FolderChange compressFolderRows[] = {
    FolderChange{"ASubfolderUnchanged", "D", "D/X", [](const TempTree&) {}, ""},
    FolderChange{"ASubfolderSwappedForALink", "D", "D/X", [](const TempTree& t) { swapForLink(t, "D/X", "D/Y"); },
                 folderChanged},
    FolderChange{"TheOpenFolderSwapped", "D/X", "D/X", [](const TempTree& t) { swapForLink(t, "D/X", "D/Y"); },
                 folderChanged},
    FolderChange{"AnAncestorSwapped", "D/P/G", "D/P", [](const TempTree& t) { swapForLink(t, "D/P", "D/Q"); },
                 folderChanged},
};
INSTANTIATE_TEST_SUITE_P(Rows, CompressFolder, ::testing::ValuesIn(compressFolderRows), rowName);

// Another program swaps the selected file with a hidden one, over and over,
// while Delete runs: each try deletes the file shown, or nothing and says so,
// and never the hidden one.
TEST_F(ActingAsShown, DeleteUnderASwapLoopNeverRemovesAnotherFile) {
    constexpr int tries = 40;
    int deleted = 0;
    for (int attempt = 0; attempt < tries; ++attempt) {
        tree.file("D/S/victim", "shown");
        tree.file("D/S/.hidden", "never shown");
        lists.startUp();
        openPath(path("D/S"));
        lists.selectFile(file("victim"));
        std::atomic<bool> stop{false};
        std::thread swapper([&] {
            const fs::path a = tree / "D/S/victim", b = tree / "D/S/.hidden";
            while (!stop) renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE);
        });
        const std::string report = act(Action::Delete);
        stop = true;
        swapper.join();
        std::vector<std::string> contents;
        for (const auto& entry : fs::directory_iterator(tree / "D/S")) contents.push_back(readAll(entry.path()));
        EXPECT_NE(std::find(contents.begin(), contents.end(), "never shown"), contents.end()) << "try " << attempt;
        const bool shownGone = std::find(contents.begin(), contents.end(), "shown") == contents.end();
        EXPECT_EQ(shownGone, report.empty()) << "try " << attempt << ": " << report;
        deleted += shownGone;
        fs::remove_all(tree / "D/S");
    }
    std::printf("swap loop: %d of %d deletions went through, the others refused\n", deleted, tries);
}

// Root looks into a folder another user owns; that user swaps it for a link
// into a folder only root may enter.
TEST_F(ActingAsShown, AnotherUserCannotRedirectRootsActions) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root";
    tree.file("D/shared/box/victim", "shown");
    tree.file("D/secret/victim", "root's own");
    for (const char* open : {"", "D"})
        fs::permissions(tree / open, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(tree / "D/secret", fs::perms::owner_all);
    const uid_t nobody = 65534;
    for (const char* owned : {"D/shared", "D/shared/box"}) ASSERT_EQ(chown((tree / owned).c_str(), nobody, nobody), 0);
    lists.startUp();
    openPath(path("D/shared/box"));
    lists.selectFile(file("victim"));

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
    for (Action action : {Action::CompressFile, Action::Delete}) EXPECT_EQ(act(action), folderChanged);
    EXPECT_TRUE(starter.started.empty());
    EXPECT_TRUE(fs::exists(tree / "D/secret/victim"));
}

}  // namespace
