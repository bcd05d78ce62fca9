#include "platform/win32/win32_program_starter.h"

#include "platform/win32/owned.h"
#include "platform/win32/program_search.h"

#include "platform/platform_failure.h"

#include <windows.h>

namespace platform {
namespace {

// One argument as the C runtime and CommandLineToArgvW split it: quoted when
// it is empty or holds a blank, a tab or a quote; inside the quotes,
// backslashes are doubled before a quote and at the end, and a quote escaped.
void appendArgument(std::wstring& line, NativeView argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == NativeView::npos) {
        line += argument;
        return;
    }
    line += L'"';
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

}  // namespace

void Win32ProgramStarter::start(const ToolCommand& command, Checkpoints& job) {
    const Path found = findProgram(command.program, job);
    // The program's own name is read up to the next blank, or within quotes;
    // no escapes apply to it.
    std::wstring line =
        command.program.find_first_of(L" \t") == NativeString::npos ? command.program : L'"' + command.program + L'"';
    line += L' ';
    appendArgument(line, command.verb);
    line += L' ';
    appendArgument(line, command.operand.native());

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    job.beforeActing();
    if (!CreateProcessW(found.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                        &startup, &process))
        throw PlatformFailure::fromSystemError(static_cast<int>(GetLastError()), found);
    // Nothing waits for the tool; its end is only noted.
    const OwnedHandle thread(process.hThread);
    watch_.watch(OwnedHandle(process.hProcess), process.dwProcessId);
}

}  // namespace platform
