#include "platform/platform_failure.h"
#include "platform/win32/win32_program_starter.h"

#include <windows.h>

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace {

platform::NoCheckpoints none;

class StarterTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        SetCurrentDirectoryW(temp);  // where fake_ucc reports; it holds no ucc, nor does the tests' folder
    }
};

// What fake_ucc wrote in the working directory it was given: its arguments,
// its show state and where it lies, a line each.
std::wstring report() {
    std::ifstream file;
    for (int tries = 0; tries < 200 && (file.open("fake-ucc.txt", std::ios::binary), !file.is_open()); ++tries)
        Sleep(50);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    file.close();
    DeleteFileW(L"fake-ucc.txt");
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

// Each operand arrives as exactly one argument: blanks, a wildcard, a trailing
// backslash inside the quotes a blank needs, a quote.
TEST_F(StarterTest, TheOperandArrivesAsOneArgumentAndTheToolStartsMinimised) {
    SetEnvironmentVariableW(L"PATH", L"Z:" FAKE_UCC_DIR);  // the build tree, through Wine's Z: drive
    for (const std::wstring operand :
         {L"D:\\a.pkg", L"D:\\maps\\*", L"D:\\my maps\\a b.pkg", L"D:\\my maps\\", L"D:\\", L"D:\\\U0001F600 \"\\x"}) {
        platform::Win32ProgramStarter().start({L"ucc", L"compress", operand}, none);
        const std::wstring said = report();
        EXPECT_EQ(said.substr(0, said.rfind(L"\nfrom ")),
                  L"ucc\ncompress\n" + operand + L"\nshow " + std::to_wstring(SW_SHOWMINIMIZED));
    }
}

// A ucc.exe left in the folder the program was started from never runs: not
// while another is on PATH, nor when none is.
TEST_F(StarterTest, APackerPlantedInTheWorkingDirectoryIsNeverRun) {
    wchar_t here[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, here);
    const std::wstring planted = std::wstring(here) + L"ucc.exe";
    ASSERT_TRUE(CopyFileW(L"Z:" FAKE_UCC_DIR L"/ucc.exe", planted.c_str(), FALSE));
    SetEnvironmentVariableW(L"PATH", L"Z:" FAKE_UCC_DIR);
    platform::Win32ProgramStarter().start({L"ucc", L"compress", L"D:\\a.pkg"}, none);
    const std::wstring said = report();
    EXPECT_NE(said.find(L"\nfrom Z:"), std::wstring::npos) << "the one on PATH ran";
    SetEnvironmentVariableW(L"PATH", L"C:\\windows\\system32");
    EXPECT_THROW(platform::Win32ProgramStarter().start({L"ucc", L"compress", L"D:\\a.pkg"}, none),
                 platform::ProgramNotFound);
    DeleteFileW(planted.c_str());
}

// Nowhere to be found: one failure about the tool, naming where it was looked for.
TEST_F(StarterTest, NoToolToStartIsOneFailureNamingWhereItWasLookedFor) {
    SetEnvironmentVariableW(L"PATH", L"C:\\windows\\system32;;.;relative");
    try {
        platform::Win32ProgramStarter().start({L"ucc", L"compress", L"D:\\a.pkg"}, none);
        ADD_FAILURE() << "started";
    } catch (const platform::ProgramNotFound& failure) {
        EXPECT_EQ(failure.subject().native(), L"ucc");
        EXPECT_FALSE(std::string(failure.what()).empty());
        std::vector<std::wstring> searched;
        for (const auto& folder : failure.searched()) searched.push_back(folder.native());
        ASSERT_GE(searched.size(), 5u) << "beside the program, the system folders, then PATH";
        EXPECT_EQ(searched.back(), L"C:\\windows\\system32") << "never an empty, relative or the working directory";
    }
}

}  // namespace
