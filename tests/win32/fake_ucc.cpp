// Stands in for ucc in the starter's tests: writes how it was started (the
// arguments the C runtime's rules split from its command line, how its window
// was asked to show) and where it lies, a line each, to fake-ucc.txt in its
// working directory.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int count, wchar_t** arguments) {
    std::wstring report;
    for (int i = 0; i < count; ++i) report += arguments[i] + std::wstring(L"\n");
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    report += L"show " + std::to_wstring(startup.dwFlags & STARTF_USESHOWWINDOW ? startup.wShowWindow : -1);
    wchar_t itself[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, itself, MAX_PATH);
    report += L"\nfrom " + std::wstring(itself);
    // Written aside and moved into place, so the test never reads half of it.
    FILE* file = _wfopen(L"fake-ucc.partial", L"wb");
    fwrite(report.data(), sizeof(wchar_t), report.size(), file);
    fclose(file);
    return MoveFileExW(L"fake-ucc.partial", L"fake-ucc.txt", MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
