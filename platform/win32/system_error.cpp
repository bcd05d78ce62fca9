#include "platform/platform_failure.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

namespace platform {

PlatformFailure PlatformFailure::fromSystemError(int code, Path subject) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"Error " + std::to_wstring(code);
    LocalFree(buffer);
    // The system's texts end in a line break the report has no use for.
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return PlatformFailure(toUtf8(text), std::move(subject));
}

ProgramNotFound::ProgramNotFound(Path program, std::vector<Path> searched)
    : PlatformFailure(fromSystemError(ERROR_FILE_NOT_FOUND, std::move(program))), searched_(std::move(searched)) {}

}  // namespace platform
