#include "doubles/named_rows.h"
#include "doubles/tree_lists.h"

#include "actions/tool_commands.h"
#include "text/display_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

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
};

// Paths below are relative to the tree, "/" the separator, as the commands join them.
struct CommandLine {
    const char* name;
    const char* open;
    int highlight;
    const char* select;  // "" for none
    const char* folder;  // what Compress Folder takes
    const char* file;    // what Compress File and Decompress File take
};

class CommandLines : public ::testing::TestWithParam<CommandLine>, public TreeLists {};

TEST_P(CommandLines, AreJoinedFromTheListsAsTheyStand) {
    const CommandLine& c = GetParam();
    tree.file("D/my maps/a b.pkg");
    tree.file("D/work/-rf");
    lists.startUp();
    openPath(path(c.open));
    lists.highlightDirectory(c.highlight);
    if (*c.select) lists.selectFile(file(c.select));
    using actions::Tool;
    EXPECT_EQ(actions::toolCommand(lists, Tool::CompressFolder),
              (platform::ToolCommand{Path("ucc").native(), Path("compress").native(), path(c.folder)}));
    EXPECT_EQ(actions::toolCommand(lists, Tool::CompressFile).operand, path(c.file));
    EXPECT_EQ(actions::toolCommand(lists, Tool::DecompressFile),
              (platform::ToolCommand{Path("ucc").native(), Path("decompress").native(), path(c.file)}));
}

const CommandLine commandLinesRows[] = {
    CommandLine{"TheOpenDirectoryHighlighted", "D/work", -1, "", "D/work/*", "D/work/"},
    CommandLine{"ASubdirectoryHighlightedNotOpened", "D/work", 0, "w.pkg", "D/work/maps/*", "D/work/w.pkg"},
    CommandLine{"AnAncestorHighlighted", "D/work", -2, "w.pkg", "D//*", "D/work/w.pkg"},
    CommandLine{"ARootDoublesTheSeparator", "D", -1, "top.txt", "D//*", "D//top.txt"},
    CommandLine{"BlanksStayAsTheyAre", "D/my maps", -1, "a b.pkg", "D/my maps/*", "D/my maps/a b.pkg"},
    CommandLine{"ALeadingDashIsPartOfThePath", "D/work", -1, "-rf", "D/work/*", "D/work/-rf"},
};
INSTANTIATE_TEST_SUITE_P(Rows, CommandLines, ::testing::ValuesIn(commandLinesRows), rowName);

struct Deletion {
    const char* name;
    const char* select;         // "" selects nothing
    std::vector<bool> answers;  // one click each
    std::string failure;        // what the last click reports, "" for nothing
    bool gone;
};

class Deletions : public ::testing::TestWithParam<Deletion>, public TreeLists {};

TEST_P(Deletions, AskThenDeleteOnlyTheConfirmedFile) {
    const Deletion& c = GetParam();
    lists.startUp();
    lists.selectFile(*c.select ? file(c.select) : -1);
    dialogs.answers.assign(c.answers.begin(), c.answers.end());
    std::string failure;
    for (size_t click = 0; click < c.answers.size(); ++click) failure = deleteSelected();

    EXPECT_EQ(failure, c.failure);
    EXPECT_EQ(dialogs.asked, std::vector<std::string>(c.answers.size(), "Are You sure?"));
    // The path as the user reads it, one separator at the root; no path without a file.
    EXPECT_EQ(dialogs.details.front(),
              *c.select ? text::displayText(path(std::string("D/") + c.select).native()) : "No file is selected.");
    EXPECT_EQ(std::filesystem::exists(path("D/top.txt")), !c.gone);
    EXPECT_EQ(fileNames(), std::vector<std::string>{"top.txt"}) << "listed until a refresh";
    EXPECT_TRUE(std::filesystem::exists(path("D/work/w.pkg")));
}

const Deletion deletionsRows[] = {
    Deletion{"NoKeepsTheFile", "top.txt", {false}, "", false},
    Deletion{"YesDeletesItAtARootToo", "top.txt", {true}, "", true},
    Deletion{"WithNothingSelectedNothingIsDeleted", "", {true}, "No file is selected. Nothing was deleted.", false},
    Deletion{"ASecondYesFindsItGone", "top.txt", {true, true}, missingFile, true},
};
INSTANTIATE_TEST_SUITE_P(Rows, Deletions, ::testing::ValuesIn(deletionsRows), rowName);

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
