#include "doubles/memory_file_system.h"
#include "doubles/recording_services.h"
#include "doubles/wired_lists.h"

#include "actions/tool_commands.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    std::string open;       // Dir1's path
    int highlight;          // Dir1's ListIndex
    std::string file;       // selected file, "" for none
    std::string folder, compress, decompress;  // expected command lines
};

TEST(ToolCommands, CommandLinesAreJoinedFromTheListsAsTheyStand) {
    const std::vector<Case> cases = {
        {"open directory highlighted", "D:\\work", -1, "", "ucc compress D:\\work\\*", "ucc compress D:\\work\\",
         "ucc decompress D:\\work\\"},
        {"subdirectory highlighted, not opened", "D:\\work", 0, "w.pkg", "ucc compress D:\\work\\maps\\*",
         "ucc compress D:\\work\\w.pkg", "ucc decompress D:\\work\\w.pkg"},
        {"ancestor highlighted", "D:\\work", -2, "w.pkg", "ucc compress D:\\\\*", "ucc compress D:\\work\\w.pkg",
         "ucc decompress D:\\work\\w.pkg"},
        {"drive root doubles the separator", "D:\\", -1, "a.pkg", "ucc compress D:\\\\*", "ucc compress D:\\\\a.pkg",
         "ucc decompress D:\\\\a.pkg"},
        {"blanks stay as they are", "D:\\my maps", -1, "a b.pkg", "ucc compress D:\\my maps\\*",
         "ucc compress D:\\my maps\\a b.pkg", "ucc decompress D:\\my maps\\a b.pkg"},
        {"a leading dash is part of the path", "D:\\work", -1, "-rf", "ucc compress D:\\work\\*",
         "ucc compress D:\\work\\-rf", "ucc decompress D:\\work\\-rf"},
    };
    for (const Case& c : cases) {
        MemoryFileSystem fs("D:\\work");
        for (const char* file : {"D:\\a.pkg", "D:\\work\\w.pkg", "D:\\work\\-rf", "D:\\my maps\\a b.pkg"}) fs.addFile(file);
        fs.addDirectory("D:\\work\\maps");
        WiredLists w(fs);
        RecordingStarter starter;
        ScriptedMessageBox box;
        actions::Services services{fs, starter, box};

        w.dir1.setPath(c.open);
        w.dir1.setListIndex(c.highlight);
        if (!c.file.empty()) w.file1.setListIndex(w.fileIndex(c.file));

        actions::compressFolder(w.lists, services);
        actions::compressFile(w.lists, services);
        actions::decompressFile(w.lists, services);
        ASSERT_EQ(starter.started.size(), 3u) << c.name;
        EXPECT_EQ(starter.started[0].text(), c.folder) << c.name;
        EXPECT_EQ(starter.started[1].text(), c.compress) << c.name;
        EXPECT_EQ(starter.started[2].text(), c.decompress) << c.name;
        for (const auto& command : starter.started) {
            EXPECT_EQ(command.program, "ucc");  // the path is one argument, whatever it holds
            EXPECT_EQ(command.text(), command.program + ' ' + command.verb + ' ' + command.operand.native());
        }
        for (auto state : starter.states) EXPECT_EQ(state, platform::WindowState::MinimizedWithFocus);
        EXPECT_TRUE(box.asked.empty());
    }
}

TEST(ToolCommands, EveryClickStartsAnotherToolAndAFailedStartChangesNothing) {
    MemoryFileSystem fs("D:\\work");
    fs.addFile("D:\\work\\a.pkg");
    WiredLists w(fs);
    RecordingStarter starter;
    ScriptedMessageBox box;
    actions::Services services{fs, starter, box};
    w.dir1.setPath("D:\\work");
    w.file1.setListIndex(0);

    for (int click = 0; click < 3; ++click) actions::compressFile(w.lists, services);
    EXPECT_EQ(starter.started.size(), 3u);

    starter.failure = "No such file or directory";
    EXPECT_THROW(actions::decompressFile(w.lists, services), platform::PlatformFailure);
    EXPECT_EQ(starter.started.size(), 3u);
    EXPECT_EQ(w.file1.fileName(), "a.pkg");
    EXPECT_TRUE(fs.exists("D:\\work\\a.pkg"));
}

}  // namespace
