#include "doubles/named_rows.h"
#include "doubles/tree_lists.h"

#include "platform/platform_failure.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

using platform::Path;
using platform::PlatformFailure;

namespace {

class ListsTest : public ::testing::Test, public TreeLists {};

TEST_F(ListsTest, StartUpOpensTheRootOfTheWorkingDrive) {
    lists.startUp();
    EXPECT_EQ(lists.drive1().drive().text, Path("D").native());
    EXPECT_EQ(lists.dir1().path(), root("D"));
    EXPECT_EQ(lists.dir1().top(), root("D"));
    EXPECT_EQ(lists.file1().path(), root("D"));
    EXPECT_EQ(dirEntries(), (std::vector<Path>{root("D"), path("D/work")}));
    EXPECT_EQ(fileNames(), std::vector<std::string>{"top.txt"});

    TreeFileSystem atRoot(tree.root(), {"D", "E"}, path("E"));  // working in a drive's root folder itself
    ListsOn fromRoot(lent(atRoot));
    fromRoot.lists.startUp();
    EXPECT_EQ(fromRoot.lists.drive1().drive().text, Path("E").native());
}

// The drive list follows the system; the selected drive stays selected,
// listed even once the system no longer lists it.
TEST_F(ListsTest, RereadDrivesKeepTheSelectedOne) {
    lists.startUp();
    struct Step {
        const char* name;
        std::vector<Path> system;
        std::vector<std::string> listed;
    };
    const std::vector<Step> steps = {
        {"a new drive appears", {"A", "D", "E", "F"}, {"A", "D", "E", "F"}},
        {"another drive goes", {"A", "D"}, {"A", "D"}},
        {"the selected drive goes", {"A", "E"}, {"A", "E", "D"}},
        {"and comes back", {"D", "E"}, {"D", "E"}},
    };
    for (const Step& step : steps) {
        fs.setDrives(step.system);
        lists.refreshDrives();
        std::vector<std::string> listed;
        for (const platform::Drive& drive : lists.drive1().drives()) listed.push_back(Path(drive.text).string());
        EXPECT_EQ(listed, step.listed) << step.name;
        EXPECT_EQ(lists.drive1().drive().text, Path("D").native()) << step.name;
    }
    EXPECT_EQ(lists.dir1().path(), root("D")) << "nothing else changes";
}

// A change during which the drive stops answering, and that the user gives
// up on, leaves every list as it was: nothing moves before all is known.
struct GivenUpChange {
    const char* name;
    const char* call;  // the call that is given up
    std::function<void(browse::Lists&)> change;
};

class AChangeGivenUpPartWay : public ::testing::TestWithParam<GivenUpChange>, public TreeLists {};

TEST_P(AChangeGivenUpPartWay, LeavesTheListsAsTheyWere) {
    tree.file("D/work/maps/b.pkg");
    tree.directory("D/work/maps/deep");
    lists.startUp();
    openPath(path("D/work/maps"));
    lists.selectFile(0);
    const auto shown = [&] {
        const browse::DirList& dirs = lists.dir1();
        const browse::FileList& files = lists.file1();
        return std::tuple(dirs.path(), dirs.listIndex(), dirs.highlightedIdentity(), dirs.generation(),
                          files.generation(), files.listIndex(), files.selectedIdentity());
    };
    const auto before = shown();
    fs.givesUp = [&](std::string_view call, const Path&) { return call == GetParam().call; };
    EXPECT_THROW(GetParam().change(lists), jobs::NoAnswer);
    EXPECT_EQ(shown(), before);
}

const GivenUpChange aChangeGivenUpPartWayRows[] = {
    GivenUpChange{"OpeningAFolderAtAnAncestor", "openDirectory", [](browse::Lists& l) { l.openDirectory(0); }},
    GivenUpChange{"ReReadingAtTheKeptFile", "identifyFile", [](browse::Lists& l) { l.refreshFiles(); }},
    GivenUpChange{"SelectingAnotherFile", "identifyFile", [](browse::Lists& l) { l.selectFile(1); }},
    GivenUpChange{"HighlightingAnotherFolder", "identifyDirectory", [](browse::Lists& l) { l.highlightDirectory(0); }},
};
INSTANTIATE_TEST_SUITE_P(Rows, AChangeGivenUpPartWay, ::testing::ValuesIn(aChangeGivenUpPartWayRows), rowName);

TEST_F(ListsTest, APickedDriveOpensItsCurrentDirectoryUnderItsOwnRoot) {
    lists.startUp();
    struct Step {
        const char* drive;
        Path path;
        std::vector<Path> entries;
    };
    const std::vector<Step> steps = {
        {"E", root("E"), {root("E"), path("E/deep")}},
        {"F", root("F"), {root("F")}},
        {"D", path("D/work/maps"), {root("D"), path("D/work"), path("D/work/maps")}},  // the working directory
    };
    for (const Step& step : steps) {
        lists.pickDrive(drive(step.drive));
        EXPECT_EQ(lists.dir1().path(), step.path) << step.drive;
        EXPECT_EQ(lists.dir1().top(), root(step.drive)) << step.drive;
        EXPECT_EQ(lists.file1().path(), step.path) << step.drive;
        EXPECT_EQ(dirEntries(), step.entries) << step.drive;
        EXPECT_EQ(lists.dir1().listIndex(), -1);
    }
    const unsigned generation = lists.dir1().generation();
    lists.pickDrive(drive("D"));  // the lists are on it: nothing to do
    EXPECT_EQ(lists.dir1().generation(), generation);
}

TEST_F(ListsTest, ADriveMountedInsideAnotherIsItsOwnTopWhicheverWasPickedBefore) {
    tree.directory("M/A/inner");
    TreeFileSystem nested(tree.root(), {"D", "M", "M/A"}, path("D"));
    ListsOn on(lent(nested));
    browse::Lists& lists = on.lists;
    lists.startUp();
    lists.pickDrive(1);      // M
    lists.openDirectory(0);  // M/A, from its parent: M stays on top
    EXPECT_EQ(lists.dir1().top(), root("M"));
    lists.pickDrive(2);  // M/A picked: its own root on top, highlighted
    EXPECT_EQ(lists.dir1().top(), root("M/A"));
    EXPECT_EQ(lists.dir1().firstIndex(), -1);
    EXPECT_EQ(lists.dir1().list(lists.dir1().listIndex()), root("M/A"));
}

TEST_F(ListsTest, ADriveThatFailedCanBePickedAgainOnceItIsReady) {
    lists.startUp();
    lists.selectFile(0);
    std::filesystem::rename(path("E"), path("E.away"));
    EXPECT_THROW(lists.pickDrive(drive("E")), PlatformFailure);
    EXPECT_EQ(lists.drive1().drive().text, Path("E").native());  // Drive1 moved, the others stayed
    EXPECT_EQ(lists.dir1().path(), root("D"));
    EXPECT_EQ(lists.file1().path(), root("D"));
    EXPECT_EQ(lists.file1().fileName(), Path("top.txt").native());

    std::filesystem::rename(path("E.away"), path("E"));
    lists.pickDrive(drive("E"));
    EXPECT_EQ(lists.dir1().path(), root("E"));
}

TEST_F(ListsTest, HighlightingDoesNotOpenButOpeningResetsHighlightAndSelection) {
    lists.startUp();
    lists.openDirectory(0);  // D/work
    ASSERT_EQ(dirEntries(), (std::vector<Path>{root("D"), path("D/work"), path("D/work/maps"), path("D/work/old")}));
    lists.selectFile(file("w.pkg"));

    lists.highlightDirectory(0);  // maps, highlighted only
    EXPECT_EQ(lists.dir1().list(lists.dir1().listIndex()), path("D/work/maps"));
    EXPECT_EQ(lists.dir1().path(), path("D/work"));
    EXPECT_EQ(lists.file1().fileName(), Path("w.pkg").native());
    lists.highlightDirectory(-2);  // the root, an ancestor
    EXPECT_EQ(lists.dir1().list(lists.dir1().listIndex()), root("D"));

    lists.openDirectory(lists.dir1().listIndex());
    EXPECT_EQ(lists.dir1().path(), root("D"));
    EXPECT_EQ(lists.dir1().listIndex(), -1);
    EXPECT_EQ(lists.file1().fileName(), Path().native());
}

TEST_F(ListsTest, FilesShowOnlyAfterARefreshWhichKeepsTheSelectionWhileItLasts) {
    lists.startUp();
    lists.openDirectory(0);
    lists.selectFile(file("w.pkg"));
    tree.file("D/work/new.pkg");
    EXPECT_EQ(fileNames(), std::vector<std::string>{"w.pkg"});

    lists.refreshFiles();
    EXPECT_EQ(fileNames(), (std::vector<std::string>{"new.pkg", "w.pkg"}));
    EXPECT_EQ(lists.file1().fileName(), Path("w.pkg").native());

    lists.selectFile(-1);  // nothing selected stays so
    EXPECT_EQ(lists.file1().fileName(), Path().native());
    lists.refreshFiles();
    EXPECT_EQ(lists.file1().listIndex(), -1);

    lists.selectFile(file("new.pkg"));
    std::filesystem::remove(path("D/work/new.pkg"));
    lists.refreshFiles();
    EXPECT_EQ(fileNames(), std::vector<std::string>{"w.pkg"});
    EXPECT_EQ(lists.file1().fileName(), Path().native());

    lists.selectFile(file("w.pkg"));  // replaced by another file of its name: that one is not selected
    std::filesystem::rename(path("D/work/w.pkg"), path("D/work/w.old"));
    tree.file("D/work/w.pkg");
    lists.refreshFiles();
    EXPECT_EQ(lists.file1().fileName(), Path().native());
}

TEST_F(ListsTest, FailuresLeaveTheListsWhereTheyWere) {
    lists.startUp();
    lists.openDirectory(0);  // D/work
    std::filesystem::remove(path("D/work/old"));
    EXPECT_THROW(lists.openDirectory(1), PlatformFailure);
    EXPECT_EQ(lists.dir1().path(), path("D/work"));
    EXPECT_EQ(lists.file1().path(), path("D/work"));
    EXPECT_EQ(dirEntries().size(), 4u);

    fs.failReading(path("D/work"));
    EXPECT_THROW(lists.refreshFiles(), PlatformFailure);
    EXPECT_EQ(fileNames(), std::vector<std::string>{"w.pkg"});
}

TEST_F(ListsTest, AFailedStartUpLeavesTheListsOnTheWorkingDirectory) {
    fs.failReading(root("D"));
    EXPECT_THROW(lists.startUp(), PlatformFailure);
    EXPECT_EQ(lists.dir1().path(), path("D/work/maps"));
    EXPECT_EQ(lists.file1().path(), path("D/work/maps"));
    EXPECT_EQ(fileNames(), std::vector<std::string>{"a.pkg"});
}

TEST_F(ListsTest, OnceTheWorkingDirectoryIsGoneEveryDriveOpensAtItsRoot) {
    lists.startUp();
    std::filesystem::remove_all(path("D/work"));
    lists.pickDrive(drive("E"));
    lists.pickDrive(drive("D"));
    EXPECT_EQ(lists.dir1().path(), root("D"));

    ListsOn fresh(sharedFs);  // started without one: the first drive, after one failure
    EXPECT_THROW(fresh.lists.startUp(), PlatformFailure);
    EXPECT_EQ(fresh.lists.dir1().path(), root("D"));
    EXPECT_EQ(fresh.lists.drive1().listIndex(), 0);
}

}  // namespace
