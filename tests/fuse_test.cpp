#include "tools/fuse_double/fuse_double.h"

#include "doubles/giving_up.h"
#include "doubles/hung_mount.h"
#include "doubles/tree_lists.h"

#include "actions/tool_commands.h"

#include <fstream>
#include <unistd.h>
#include <gtest/gtest.h>
#include <optional>

namespace {

namespace fs = std::filesystem;

const std::string fileChanged = platform::PlatformFailure::fileChanged("").what();

std::string contentOf(const fs::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The lists on D/fuse, a FUSE mount of the folder `backing` that a test can
// get in between of, with "victim" selected in it and ".hidden" beside it.
class OnFuse : public ::testing::Test, public TreeLists {
protected:
    void SetUp() override {
        if (!privateMountNamespace()) GTEST_SKIP() << "needs root for a private mount namespace";
        if (access("/dev/fuse", R_OK | W_OK) != 0) GTEST_SKIP() << "needs FUSE";
    }
    void mountAndSelect(FuseDouble::Options options = {}) {
        tree.file("backing/victim", "shown");
        tree.file("backing/.hidden", "never shown, longer");
        fuse.emplace(tree.directory("backing"), tree.directory("D/fuse"), options);
        ASSERT_TRUE(fuse->mounted());
        lists.startUp();
        openPath(path("D/fuse"));
        lists.selectFile(file("victim"));
        ASSERT_TRUE(lists.file1().selectedIdentity());
        dialogs.otherwise = true;
    }
    // Swaps two names, where both are there, as another program would.
    bool exchange(const char* a, const char* b) {
        return renameat2(AT_FDCWD, (tree / "backing" / a).c_str(), AT_FDCWD, (tree / "backing" / b).c_str(),
                         RENAME_EXCHANGE) == 0;
    }
    void TearDown() override { fuse.reset(); }

    std::optional<FuseDouble> fuse;
};

// Another program swaps the shown file with a hidden one just as the
// deletion renames it, or just as it looks at the renamed file: the hidden
// file is never removed, and nothing is deleted.
TEST_F(OnFuse, ASwapAtAnyStepOfTheDeletionNeverRemovesAnotherFile) {
    ASSERT_NO_FATAL_FAILURE(mountAndSelect());
    for (const char* step : {"rename", "getattr", "unlink"}) {
        fuse->before(step, [&](const std::string&) { exchange("victim", ".hidden"); });
        const std::string failure = deleteSelected();
        SCOPED_TRACE(step);
        EXPECT_TRUE(failure == fileChanged || failure.empty()) << failure;
        std::set<std::string> contents;
        for (const auto& entry : fs::directory_iterator(tree / "backing")) contents.insert(contentOf(entry.path()));
        EXPECT_TRUE(contents.count("never shown, longer")) << "the hidden file was removed";
        EXPECT_EQ(contents.count("shown"), failure.empty() ? 0u : 1u);
        if (failure.empty()) break;  // the shown file is gone: nothing left to try
        if (contentOf(tree / "backing/victim") != "shown") {
            ASSERT_TRUE(exchange("victim", ".hidden"));
        }
    }
}

// The rename that begins the deletion is held in the kernel; the user gives
// up; the file is replaced meanwhile; then the rename goes through: the new
// file is put back, not deleted.
TEST_F(OnFuse, ADeletionGivenUpInTheKernelNeverRemovesAFileWrittenSince) {
    ASSERT_NO_FATAL_FAILURE(mountAndSelect());
    fuse->holdOn("rename");
    GivingUp escape([&] { fuse->waitUntilHeld(std::chrono::seconds(10)); });
    on.jobs.setWaiter(&escape);
    EXPECT_NE(deleteSelected().find("does not answer"), std::string::npos);
    fs::remove(tree / "backing/victim");
    tree.file("backing/victim", "written after Escape");
    fuse->release();
    on.jobs.setWaiter(nullptr);
    while (on.jobs.threadsRunning() > 0) std::this_thread::yield();
    EXPECT_EQ(contentOf(tree / "backing/victim"), "written after Escape");
}

// Without stable numbers, a node gets a new number once the kernel forgets
// it: the same file still passes, a replaced one does not.
TEST_F(OnFuse, WithoutStableNumbersAFileIsToldByItsStamp) {
    ASSERT_NO_FATAL_FAILURE(mountAndSelect({.stableNumbers = false}));
    RecordingStarter starter;
    const auto compress = [&] {
        try {
            actions::startTool(lists, lent<platform::ProgramStarter>(starter), actions::Tool::CompressFile);
        } catch (const std::exception& failure) {
            return std::string(failure.what());
        }
        return std::string();
    };
    std::ofstream("/proc/sys/vm/drop_caches") << "2";  // the kernel forgets its nodes, where it may
    EXPECT_EQ(compress(), "");
    fs::remove(tree / "backing/victim");
    tree.file("backing/victim", "a replacement");
    EXPECT_EQ(compress(), fileChanged);
    EXPECT_EQ(starter.started.size(), 1u);
}

}  // namespace
