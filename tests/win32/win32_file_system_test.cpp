#include "test_drives.h"

#include "jobs/runner.h"
#include "text/display_text.h"
#include "platform/platform_failure.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"

#include <array>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {

using test_drives::Folder;
using Names = std::set<std::wstring>;

Names names(const platform::NameList& list) {
    Names out;
    for (size_t i = 0; i < list.size(); ++i) out.emplace(list[i]);
    return out;
}

platform::Win32FileSystem fileSystem;
platform::NoCheckpoints none;

platform::Drive drive(wchar_t letter) {
    for (const platform::Drive& drive : fileSystem.drives(none))
        if (drive.text[0] == letter) return drive;
    return {};
}

// Every root ends in the separator, a network share's too.
TEST(DriveRoots, EachPathHasTheRootOfItsDrive) {
    struct Case {
        const wchar_t* name;
        const wchar_t* path;
        const wchar_t* root;
    };
    const Case cases[] = {
        {L"a letter's folder", L"c:\\maps\\x", L"C:\\"},
        {L"a letter alone", L"D:", L"D:\\"},
        {L"a share's folder", L"\\\\server\\share\\maps", L"\\\\server\\share\\"},
        {L"a share's root", L"\\\\server\\share", L"\\\\server\\share\\"},
        {L"a server alone is no drive", L"\\\\server", L""},
        {L"a device path is none", L"\\\\?\\C:\\x", L""},
        {L"nor is a relative one", L"maps\\x", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::driveRootOf(c.path), c.root) << platform::toUtf8(c.name);
}

// F:, a drive with no medium, is listed unlabelled and fails once, when read.
TEST(Win32FileSystemTest, DrivesAreListedUnreadAndOneThatIsNotReadyFailsWhenOpened) {
    EXPECT_EQ(drive(L'd'), (platform::Drive{L"d:", L"D:\\", L"[QUARVEL-D]"}));
    EXPECT_EQ(drive(L'f'), (platform::Drive{L"f:", L"F:\\", L""}));
    try {
        fileSystem.readDirectory(L"F:\\", none);
        ADD_FAILURE() << "F: was read";
    } catch (const platform::PlatformFailure& failure) {
        EXPECT_EQ(failure.subject().native(), L"F:\\");
        EXPECT_FALSE(std::string(failure.what()).empty() || std::string(failure.what()).ends_with('\n'));
    }
}

// A drive opens in the working directory on its own drive, in the directory
// the system keeps for it elsewhere (the command interpreter that started the
// program leaves it in the environment as "=D:"), else at its root.
// Beside a mount on the host that never answers (scripts/test-windows runs
// some tests so), Wine cannot read a label: the drives still come at once,
// the labels that did not come in time left out.
TEST(Win32FileSystemTest, ALabelThatDoesNotComeInTimeIsLeftOut) {
    if (!GetEnvironmentVariableW(L"QUARVEL_HUNG_HOST_MOUNT", nullptr, 0)) GTEST_SKIP() << "no hung mount on the host";
    // In a job of its own, as the program reads them: the labels are read beside it.
    jobs::Runner jobs([](const platform::Path& path) { return fileSystem.driveRootOf(path); });
    const auto drives = jobs.run({}, [](jobs::Job& job) { return fileSystem.drives(job); });
    const auto d =
        std::find_if(drives.begin(), drives.end(), [](const platform::Drive& drive) { return drive.text == L"d:"; });
    ASSERT_NE(d, drives.end());
    EXPECT_EQ(d->label, L"") << "Wine read the label after all";
}

TEST(Win32FileSystemTest, EachDriveOpensInTheDirectoryTheSystemKeepsForIt) {
    const Folder work(L"D:\\work"), maps(L"D:\\work\\maps");
    // The working directory, what the environment keeps for D:, where D: and E: open.
    using Case = std::array<const wchar_t*, 4>;
    for (const auto& [workingDirectory, keptForD, expectedD, expectedE] :
         {Case{L"D:\\work\\maps", nullptr, L"D:\\work\\maps", L"E:\\"}, Case{L"D:\\", nullptr, L"D:\\", L"E:\\"},
          Case{L"E:\\", L"D:\\work\\maps\\", L"D:\\work\\maps", L"E:\\"},
          Case{L"E:\\linked", nullptr, L"D:\\", L"E:\\linked"}}) {
        SCOPED_TRACE(text::displayText(workingDirectory));
        SetEnvironmentVariableW(L"=D:", keptForD);
        ASSERT_TRUE(SetCurrentDirectoryW(workingDirectory));
        EXPECT_EQ(fileSystem.workingDirectory().native(), workingDirectory);
        EXPECT_EQ(fileSystem.currentDirectoryOf(drive(L'd')).native(), expectedD);
        EXPECT_EQ(fileSystem.currentDirectoryOf(drive(L'e')).native(), expectedE);
    }
}

TEST(Win32FileSystemTest, ListingLeavesOutHiddenAndSystemEntriesAndCountsLinkedFoldersAsFolders) {
    Folder folder(L"D:\\listing");
    ASSERT_TRUE(folder.file(L"plain.pkg") && folder.file(L"hidden.pkg", FILE_ATTRIBUTE_HIDDEN) &&
                folder.file(L"system.pkg", FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(folder.directory(L"sub") && folder.directory(L"hidden sub", FILE_ATTRIBUTE_HIDDEN) &&
                folder.directory(L"system sub", FILE_ATTRIBUTE_SYSTEM));
    const platform::DirectoryListing listing = fileSystem.readDirectory(folder.path, none);
    EXPECT_EQ(names(listing.files), Names{L"plain.pkg"});
    EXPECT_EQ(names(listing.subdirectories), Names{L"sub"});
    // map-test-drives.sh links E:\linked\folder-link to the folder beside it.
    EXPECT_EQ(names(fileSystem.readDirectory(L"E:\\linked", none).subdirectories), (Names{L"folder", L"folder-link"}));
    EXPECT_THROW(fileSystem.readDirectory(folder / L"missing", none), platform::PlatformFailure);
}

// A name goes from the listing to the deletion exactly, its neighbour left: beyond
// the BMP, a lone surrogate (where the file system can hold one: Wine cannot),
// a trailing dot or blank that path rules would drop, a path longer than MAX_PATH.
TEST(Win32FileSystemTest, OddNamesAreListedAndDeletedExactly) {
    Folder folder(L"D:\\names");
    const std::wstring deep = std::wstring(120, L'l') + L"\\" + std::wstring(120, L'm');
    ASSERT_TRUE(folder.directory(deep.substr(0, 120)) && folder.directory(deep) && folder.file(L"neighbour") &&
                folder.file(deep + L"\\neighbour"));
    for (const std::wstring& name : {std::wstring(L"\U0001F600 smile.pkg"), std::wstring(L"lone \xD800.pkg"),
                                     std::wstring(L"a dot."), std::wstring(L"a blank "), deep + L"\\deep.pkg"}) {
        SCOPED_TRACE(text::displayText(name));
        if (!folder.file(name) && name.find(L'\xD800') != std::wstring::npos) continue;  // any other name fails below
        const std::wstring path = folder / name;
        const std::wstring directory = path.substr(0, path.rfind(L'\\')), leaf = path.substr(path.rfind(L'\\') + 1);
        const platform::DirectoryListing listing = fileSystem.readDirectory(directory, none);
        EXPECT_EQ(names(listing.files), (Names{leaf, L"neighbour"}));
        const platform::OpenDirectory open = fileSystem.openDirectory(directory);
        EXPECT_EQ(fileSystem.identityOf(open), listing.directory);
        const auto shown = fileSystem.identifyFile(open, leaf);
        ASSERT_TRUE(shown);
        fileSystem.deleteFile(open, leaf, *shown, none);
        EXPECT_EQ(names(fileSystem.readDirectory(directory, none).files), Names{L"neighbour"});
    }
}

// Identities tell a file from one that took its name since, and from a
// directory; a deletion removes neither a directory nor a read-only file.
TEST(Win32FileSystemTest, IdentitiesTellFilesApartAndDeletionRefusesWhatIsNoFile) {
    Folder folder(L"D:\\refusals");
    ASSERT_TRUE(folder.file(L"a.pkg") && folder.file(L"b.pkg") &&
                folder.file(L"read-only.pkg", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(folder.directory(L"folder"));
    const platform::OpenDirectory open = fileSystem.openDirectory(folder.path);
    const auto a = fileSystem.identifyFile(open, L"a.pkg");
    ASSERT_TRUE(a && fileSystem.identifyFile(open, L"read-only.pkg"));
    EXPECT_FALSE(fileSystem.identifyFile(open, L"folder"));
    EXPECT_THROW(fileSystem.identifyFile(open, L"missing.pkg"), platform::PlatformFailure);
    EXPECT_TRUE(fileSystem.identifyDirectory(open, L"folder"));
    EXPECT_FALSE(fileSystem.identifyDirectory(open, L"a.pkg"));
    ASSERT_TRUE(MoveFileW((folder / L"a.pkg").c_str(), (folder / L"a-old.pkg").c_str()));
    ASSERT_TRUE(MoveFileW((folder / L"b.pkg").c_str(), (folder / L"a.pkg").c_str()));
    EXPECT_NE(fileSystem.identifyFile(open, L"a.pkg"), a);
    EXPECT_EQ(fileSystem.identifyFile(open, L"a-old.pkg"), a);

    const auto readOnly = fileSystem.identifyFile(open, L"read-only.pkg");
    for (const wchar_t* name : {L"folder", L"read-only.pkg"})
        EXPECT_THROW(fileSystem.deleteFile(open, name, *readOnly, none), platform::PlatformFailure)
            << text::displayText(name);
    EXPECT_THROW(fileSystem.deleteFile(open, L"a.pkg", *a, none), platform::PlatformFailure)
        << "another file took its name";
    const platform::DirectoryListing after = fileSystem.readDirectory(folder.path, none);
    EXPECT_EQ(names(after.files), (Names{L"a.pkg", L"a-old.pkg", L"read-only.pkg"}));
    EXPECT_EQ(names(after.subdirectories), Names{L"folder"});
}

// The folder moved away while open, and a new one took its path with a file
// of the same name: what is looked at and deleted lies in the folder that was
// opened, wherever it is now, and the new file is never touched. (Wine marks
// a file for deletion by the path it noted when the file was opened, and
// deletes nothing when another file lies there by then; Windows deletes the
// file that was opened.)
TEST(Win32FileSystemTest, WhatIsActedOnLiesInTheFolderThatWasOpened) {
    Folder folder(L"D:\\replaced");
    ASSERT_TRUE(folder.file(L"a.pkg"));
    const platform::OpenDirectory open = fileSystem.openDirectory(folder.path);
    const auto a = fileSystem.identifyFile(open, L"a.pkg");
    const std::wstring away = folder.path + L"-away";
    test_drives::removeTree(away);
    ASSERT_TRUE(MoveFileW(folder.path.c_str(), away.c_str()) && CreateDirectoryW(folder.path.c_str(), nullptr));
    ASSERT_TRUE(folder.file(L"a.pkg"));
    EXPECT_EQ(fileSystem.identifyFile(open, L"a.pkg"), a);
    fileSystem.deleteFile(open, L"a.pkg", *a, none);
    EXPECT_TRUE(folder.exists(L"a.pkg")) << "the new file is untouched";
    if (!test_drives::underWine()) {
        EXPECT_EQ(GetFileAttributesW((away + L"\\a.pkg").c_str()), INVALID_FILE_ATTRIBUTES);
    }
    test_drives::removeTree(away);
}

// A file another program holds open is marked for deletion, and goes once
// that program closes it; the report says so. Wine neither refuses to open
// a file marked so nor deletes it before every handle is closed, so it
// cannot show this.
TEST(Win32FileSystemTest, AFileHeldOpenElsewhereIsReportedAsPendingDeletion) {
    if (test_drives::underWine()) GTEST_SKIP() << "Wine keeps no file pending deletion";
    Folder folder(L"D:\\held");
    ASSERT_TRUE(folder.file(L"held.pkg"));
    const platform::OpenDirectory open = fileSystem.openDirectory(folder.path);
    const auto held = fileSystem.identifyFile(open, L"held.pkg");
    HANDLE other = CreateFileW((folder / L"held.pkg").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    try {
        fileSystem.deleteFile(open, L"held.pkg", *held, none);
        ADD_FAILURE() << "no word of the other program";
    } catch (const platform::PlatformFailure& failure) {
        EXPECT_NE(std::string(failure.what()).find("another program holds it open"), std::string::npos)
            << failure.what();
    }
    CloseHandle(other);
    EXPECT_FALSE(folder.exists(L"held.pkg"));
}

}  // namespace
