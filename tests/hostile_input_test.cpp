#include "doubles/tree_lists.h"

#include "actions/tool_commands.h"

#include <gtest/gtest.h>
#include <set>

namespace {

// The lists and the actions on the real file system, opened on drive D.
class HostileInput : public ::testing::Test, public TreeLists {
protected:
    HostileInput() { lists.startUp(); }
    std::string deleteSelected(const std::string& name) {
        lists.selectFile(file(name));
        dialogs.otherwise = true;
        return TreeLists::deleteSelected();
    }
};

TEST_F(HostileInput, BadNamesAreListedShownApartAndActedOnByTheirExactBytes) {
    const std::vector<std::string> names = {
        "with blanks.pkg",
        "-rf",
        "--help",
        "[a-z]",
        "new\nline",
        "tab\tbed",
        std::string(255, 'L'),
        "caf\xE9",
        "caf\xEF\xBF\xBD",
        "\xFF\xFE",
        "bad\xFE",
        "bad\xFF",
        "\xE6\x96\x87\xE4\xBB\xB6.pkg",
        "back\\slash",
        "quote'\"s",
        "$(touch pwned)",
        "trailing.",
    };
    for (const std::string& name : names) tree.file("D/" + name, "target");
    lists.refreshFiles();
    std::set<std::string> details;
    for (const std::string& name : names) {
        ASSERT_GE(file(name), 0) << "not listed: " << name;
        lists.selectFile(file(name));
        EXPECT_EQ(actions::toolCommand(lists, actions::Tool::CompressFile).operand, root("D") + "/" + name);
        dialogs.otherwise = false;
        actions::deleteSelectedFile(lists, dialogs);
        EXPECT_EQ(dialogs.details.back().find('\n'), std::string::npos) << "one line: " << name;
        details.insert(dialogs.details.back());
    }
    EXPECT_EQ(details.size(), names.size()) << "two names look alike in the question";
    for (const std::string& name : names) {
        EXPECT_EQ(deleteSelected(name), "") << name;
        EXPECT_FALSE(std::filesystem::exists(path("D/" + name))) << name;
    }
    lists.refreshFiles();
    EXPECT_EQ(fileNames(), std::vector<std::string>{"top.txt"});
}

// A file's pattern is refused in the window's tests; a folder's here.
TEST_F(HostileInput, APatternInAFolderStartsNothing) {
    tree.directory("D/dir*");
    lists.openDirectory(-1);
    lists.highlightDirectory(0);
    RecordingStarter starter;
    EXPECT_THROW(actions::startTool(lists, lent<platform::ProgramStarter>(starter), actions::Tool::CompressFolder),
                 std::runtime_error);
    EXPECT_TRUE(starter.started.empty());
}

TEST_F(HostileInput, LinksCountAsWhatTheyPointToAndGoThemselvesAndHiddenOnesStayHidden) {
    tree.file("D/.hidden");
    tree.directory("D/.hidden-dir");
    std::filesystem::create_symlink("top.txt", path("D/to-file"));
    std::filesystem::create_symlink("work", path("D/to-dir"));
    std::filesystem::create_symlink("nowhere", path("D/dangling"));
    std::filesystem::create_symlink("loop", path("D/loop"));
    lists.openDirectory(-1);
    EXPECT_EQ(fileNames(), (std::vector<std::string>{"to-file", "top.txt"}));
    EXPECT_EQ(dirEntries(), (std::vector<platform::Path>{root("D"), path("D/to-dir"), path("D/work")}));

    EXPECT_EQ(deleteSelected("to-file"), "");
    EXPECT_TRUE(std::filesystem::exists(path("D/top.txt")));
    lists.openDirectory(0);
    EXPECT_EQ(lists.file1().path(), path("D/to-dir"));
    EXPECT_EQ(fileNames(), std::vector<std::string>{"w.pkg"});
}

}  // namespace
