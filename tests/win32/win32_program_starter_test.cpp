#include "platform/platform_failure.h"
#include "platform/win32/win32_program_starter.h"

#include <windows.h>

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

class StarterTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        SetCurrentDirectoryW(temp);  // where fake_ucc reports; it holds no ucc, nor does the tests' folder
    }
};

// Each operand arrives as exactly one argument: blanks, a wildcard, a trailing
// backslash inside the quotes a blank needs, a quote.
TEST_F(StarterTest, TheOperandArrivesAsOneArgumentAndTheToolStartsMinimised) {
    SetEnvironmentVariableW(L"PATH", L"Z:" FAKE_UCC_DIR);  // the build tree, through Wine's Z: drive
    for (const std::wstring operand : {L"D:\\a.pkg", L"D:\\maps\\*", L"D:\\my maps\\a b.pkg", L"D:\\my maps\\", L"D:\\",
                                       L"D:\\\U0001F600 \"\\x"}) {
        platform::Win32ProgramStarter().start({L"ucc", L"compress", operand});
        // What fake_ucc wrote in the working directory it was given: its arguments and its show state.
        std::ifstream report;
        for (int tries = 0; tries < 200 && (report.open("fake-ucc.txt", std::ios::binary), !report.is_open()); ++tries)
            Sleep(50);
        const std::string bytes{std::istreambuf_iterator<char>(report), {}};
        report.close();
        DeleteFileW(L"fake-ucc.txt");
        EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t)),
                  L"ucc\ncompress\n" + operand + L"\nshow " + std::to_wstring(SW_SHOWMINIMIZED));
    }
}

TEST_F(StarterTest, NoToolToStartIsOneFailureAboutTheTool) {
    SetEnvironmentVariableW(L"PATH", L"C:\\windows\\system32");
    try {
        platform::Win32ProgramStarter().start({L"ucc", L"compress", L"D:\\a.pkg"});
        ADD_FAILURE() << "started";
    } catch (const platform::PlatformFailure& failure) {
        EXPECT_EQ(failure.subject().native(), L"ucc");
        EXPECT_FALSE(std::string(failure.what()).empty());
    }
}

}  // namespace
