#include "doubles/temp_tree.h"

#include "platform/platform_failure.h"
#include "platform/posix_file_system.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

std::vector<std::string> sorted(const platform::NameList& names) {
    std::vector<std::string> out;
    for (size_t i = 0; i < names.size(); ++i) out.emplace_back(names[i]);
    std::sort(out.begin(), out.end());
    return out;
}

std::string failureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const platform::PlatformFailure& failure) {
        return failure.what();
    }
    return "";
}

TEST(PosixFileSystem, ListsFilesAndDirectoriesByWhatTheyAre) {
    TempTree tree;
    tree.file("plain.txt");
    tree.file(".hidden");
    tree.file("caf\xE9");                 // not UTF-8
    tree.file("caf\xEF\xBF\xBD");         // its look-alike
    tree.file("with blank and\nnewline");
    tree.file(std::string(255, 'n'));
    tree.directory("sub");
    tree.directory(".hidden-dir");
    std::filesystem::create_symlink("plain.txt", tree / "link-to-file");
    std::filesystem::create_symlink("sub", tree / "link-to-dir");
    std::filesystem::create_symlink("nowhere", tree / "dangling");
    std::filesystem::create_symlink("loop", tree / "loop");

    platform::PosixFileSystem fs;
    const platform::DirectoryListing listing = fs.readDirectory(tree.root());
    EXPECT_EQ(sorted(listing.files),
              (std::vector<std::string>{"caf\xE9", "caf\xEF\xBF\xBD", "link-to-file", std::string(255, 'n'),
                                        "plain.txt", "with blank and\nnewline"}));
    EXPECT_EQ(sorted(listing.subdirectories), (std::vector<std::string>{"link-to-dir", "sub"}));
}

TEST(PosixFileSystem, DeletesOneNonDirectoryEntryAndNothingElse) {
    TempTree tree;
    platform::PosixFileSystem fs;
    struct Case { const char* name; std::string target; std::string failure; std::vector<std::string> gone, kept; };
    const std::vector<Case> cases = {
        {"a file", "caf\xE9", "", {"caf\xE9"}, {"caf\xEF\xBF\xBD"}},
        {"its look-alike", "caf\xEF\xBF\xBD", "", {"caf\xEF\xBF\xBD"}, {"caf\xE9"}},
        {"a symlink, not its target", "link", "", {"link"}, {"target.txt"}},
        {"a directory", "dir", "Is a directory", {}, {"dir", "dir/inner.txt"}},
        {"an empty directory", "empty", "Is a directory", {}, {"empty"}},
        {"the directory with a trailing separator", "dir/", "Is a directory", {}, {"dir"}},
        {"a file already gone", "gone.txt", "No such file or directory", {}, {}},
        {"a doubled separator", "dir//inner.txt", "", {"dir/inner.txt"}, {"dir"}},
    };
    for (const Case& c : cases) {
        tree.file("caf\xE9");
        tree.file("caf\xEF\xBF\xBD");
        tree.file("target.txt");
        tree.file("dir/inner.txt");
        tree.directory("empty");
        std::filesystem::remove(tree / "link");
        std::filesystem::create_symlink("target.txt", tree / "link");

        const std::string target = tree.root().native() + "/" + c.target;
        EXPECT_EQ(failureOf([&] { fs.deleteFile(target); }), c.failure) << c.name;
        for (const auto& name : c.gone) EXPECT_FALSE(std::filesystem::exists(tree / name)) << c.name << ": " << name;
        for (const auto& name : c.kept) EXPECT_TRUE(std::filesystem::exists(tree / name)) << c.name << ": " << name;
    }
}

TEST(PosixFileSystem, ResolvesPathTextsToCanonicalDirectories) {
    TempTree tree;
    tree.directory("a/b");
    tree.file("a/file");
    platform::PosixFileSystem fs;
    const std::string root = tree.root().native();
    struct Case { std::string text, resolved, failure; };
    const std::vector<Case> cases = {
        {root + "/a", root + "/a", ""},
        {root + "//a///b/", root + "/a/b", ""},
        {"/", "/", ""},
        {"[/]", "", ""},  // resolved below: the working directory's drive
        {root + "/a/file", "", "Not a directory"},
        {root + "/missing", "", "No such file or directory"},
        {"[/no/such/mount]", "", "No such device"},
        {"relative/text", "", "No such file or directory"},
    };
    for (const Case& c : cases) {
        std::string resolved;
        EXPECT_EQ(failureOf([&] { resolved = fs.resolveDirectory(c.text).native(); }), c.failure) << c.text;
        if (!c.resolved.empty()) {
            EXPECT_EQ(resolved, c.resolved) << c.text;
        }
    }
}

TEST(PosixFileSystem, ADriveOpensTheWorkingDirectoryOnlyWhereItLies) {
    TempTree tree;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(tree.root());
    platform::PosixFileSystem fs;
    const platform::Drive here = fs.driveOf(fs.workingDirectory());
    EXPECT_EQ(fs.resolveDirectory(here.text), tree.root());
    EXPECT_EQ(fs.currentRootText(), here.root);
    EXPECT_TRUE(here.root.native().ends_with('/'));
    for (const auto& drive : fs.drives()) {
        EXPECT_EQ(drive.text, "[" + (drive.root == "/" ? std::string("/") : drive.root.native().substr(0, drive.root.native().size() - 1)) + "]");
        if (drive.text != here.text) {
            EXPECT_EQ(fs.resolveDirectory(drive.text), drive.root);
        }
    }
    std::filesystem::current_path(previous);
}

}  // namespace
