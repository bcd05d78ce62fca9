#include "system.h"

#include "failure.h"

#include "platform/win32/owned.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

std::string shown(const std::filesystem::path& path) { return platform::toUtf8(path.native()); }

std::string lastSystemError() {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, GetLastError(), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"unknown error";
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return shown(text);
}

bool isPlainFile(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

// An entry marked hidden or system is hidden.
std::vector<std::filesystem::path> visibleEntries(const std::filesystem::path& directory) {
    std::vector<std::filesystem::path> entries;
    WIN32_FIND_DATAW entry;
    const platform::OwnedFind search(FindFirstFileW((directory.native() + L"*").c_str(), &entry));
    if (search.get() == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return entries;
        throw Failure::fromSystem(directory);
    }
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L".." &&
            !(entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
            entries.emplace_back(directory.native() + name);
    } while (FindNextFileW(search.get(), &entry));
    return entries;
}

int openToRead(const std::filesystem::path& path) { return _wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT); }

// Windows names ignore case: "A.GZ" is a gzip name too.
bool endsWithGz(const NativeString& name) {
    return name.size() > 3 && CompareStringOrdinal(name.c_str() + name.size() - 3, 3, L".gz", 3, TRUE) == CSTR_EQUAL;
}

void say(const std::string& line) {
    // The console shows UTF-8 only when asked to.
    static const bool utf8 = SetConsoleOutputCP(CP_UTF8);
    (void)utf8;
    std::fputs((line + "\n").c_str(), stdout);
}
