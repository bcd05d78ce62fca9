#include "doubles/tree_lists.h"

#include "actions/tool_commands.h"
#include "text/display_text.h"
#include "platform/platform_failure.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

using platform::NativeString;
using platform::Path;

namespace {

const std::string fileChanged = platform::PlatformFailure::fileChanged("").what();
// The system's own words for a file that is not there.
#ifdef _WIN32
const std::string missingFile = platform::PlatformFailure::fromSystemError(ERROR_FILE_NOT_FOUND, "").what();
#else
const std::string missingFile = platform::PlatformFailure::fromSystemError(ENOENT, "").what();
#endif

class ActionsTest : public ::testing::Test, public TreeLists {
protected:
    ActionsTest() {
        tree.file("D/my maps/a b.pkg");
        tree.file("D/work/-rf");
        lists.startUp();
    }
    // `directory` and `name` joined as the commands join them: one separator, always.
    NativeString joined(const NativeString& directory, const std::string& name) const {
        return directory + fs.separator() + Path(name).native();
    }
};

TEST_F(ActionsTest, CommandLinesAreJoinedFromTheListsAsTheyStand) {
    struct Case {
        const char* name;
        Path open;
        int highlight;
        std::string select;  // "" for none
        NativeString folder, file;
    };
    const NativeString work = path("D/work").native();
    const std::vector<Case> cases = {
        {"the open directory highlighted", work, -1, "", joined(work, "*"), joined(work, "")},
        {"a subdirectory highlighted, not opened", work, 0, "w.pkg", joined(path("D/work/maps").native(), "*"), joined(work, "w.pkg")},
        {"an ancestor highlighted", work, -2, "w.pkg", joined(root("D"), "*"), joined(work, "w.pkg")},
        {"a root doubles the separator", root("D"), -1, "top.txt", joined(root("D"), "*"), joined(root("D"), "top.txt")},
        {"blanks stay as they are", path("D/my maps"), -1, "a b.pkg", joined(path("D/my maps").native(), "*"), joined(path("D/my maps").native(), "a b.pkg")},
        {"a leading dash is part of the path", work, -1, "-rf", joined(work, "*"), joined(work, "-rf")},
    };
    for (const Case& c : cases) {
        openPath(c.open);
        lists.highlightDirectory(c.highlight);
        if (!c.select.empty()) lists.selectFile(file(c.select));

        using actions::Tool;
        EXPECT_EQ(actions::toolCommand(lists, Tool::CompressFolder), (platform::ToolCommand{Path("ucc").native(), Path("compress").native(), c.folder})) << c.name;
        EXPECT_EQ(actions::toolCommand(lists, Tool::CompressFile).operand, c.file) << c.name;
        EXPECT_EQ(actions::toolCommand(lists, Tool::DecompressFile).verb, Path("decompress").native()) << c.name;
        EXPECT_EQ(actions::toolCommand(lists, Tool::DecompressFile).operand, c.file) << c.name;
    }
}

TEST_F(ActionsTest, DeletionAsksThenDeletesOnlyTheConfirmedFile) {
    struct Case {
        const char* name;
        std::string select;          // "" selects nothing
        std::vector<bool> answers;   // one click each
        std::string failure;         // what the last click reports, "" for nothing
        bool gone;
    };
    const std::string noFile = "No file is selected. Nothing was deleted.";
    const std::vector<Case> cases = {
        {"No keeps the file", "top.txt", {false}, "", false},
        {"Yes deletes it, at a root too", "top.txt", {true}, "", true},
        {"with nothing selected nothing is deleted", "", {true}, noFile, false},
        {"a second Yes finds it gone", "top.txt", {true, true}, missingFile, true},
    };
    for (const Case& c : cases) {
        tree.file("D/top.txt");
        lists.refreshFiles();
        lists.selectFile(c.select.empty() ? -1 : file(c.select));
        dialogs = ScriptedDialogs();
        dialogs.answers.assign(c.answers.begin(), c.answers.end());
        std::string failure;
        for (size_t click = 0; click < c.answers.size(); ++click) failure = deleteSelected();

        EXPECT_EQ(failure, c.failure) << c.name;
        EXPECT_EQ(dialogs.asked, std::vector<std::string>(c.answers.size(), "Are You sure?")) << c.name;
        // The path as the user reads it, one separator at the root; no path without a file.
        EXPECT_EQ(dialogs.details.front(), c.select.empty() ? "No file is selected." : text::displayText(path("D/" + c.select).native())) << c.name;
        EXPECT_EQ(std::filesystem::exists(path("D/top.txt")), !c.gone) << c.name;
        EXPECT_EQ(fileNames(), std::vector<std::string>{"top.txt"}) << c.name << ": listed until a refresh";
        EXPECT_TRUE(std::filesystem::exists(path("D/work/w.pkg")));
    }
}

TEST_F(ActionsTest, AFileReplacedSinceItWasSelectedIsNotDeleted) {
    lists.selectFile(file("top.txt"));
    std::filesystem::rename(path("D/top.txt"), path("D/top.old"));
    tree.file("D/top.txt", "never shown");
    dialogs.otherwise = true;
    EXPECT_EQ(deleteSelected(), fileChanged);
    EXPECT_TRUE(std::filesystem::exists(path("D/top.txt")));
    EXPECT_TRUE(std::filesystem::exists(path("D/top.old")));

    std::filesystem::remove(path("D/top.txt"));  // and one that became a directory
    std::filesystem::create_directory(path("D/top.txt"));
    EXPECT_EQ(deleteSelected(), fileChanged);
    EXPECT_TRUE(std::filesystem::is_directory(path("D/top.txt")));
}

}  // namespace
