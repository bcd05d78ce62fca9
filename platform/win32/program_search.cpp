#include "platform/win32/program_search.h"

#include "platform/platform_failure.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {

// A system call that fills a buffer, as long as it takes.
template <class Fill>
NativeString filled(Fill fill) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const UINT length = fill(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length + 1);
    }
}

NativeString programFolder() {
    NativeString path = filled([](wchar_t* buffer, UINT size) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer, size);
        return length == size ? size * 2 : length;  // cut short: ask again with more room
    });
    return path.substr(0, path.find_last_of(L"\\/"));
}

bool isAbsolute(const NativeString& folder) {
    return (folder.size() >= 3 && folder[1] == L':' && (folder[2] == L'\\' || folder[2] == L'/')) ||
           folder.starts_with(L"\\\\");
}

std::vector<NativeString> folders() {
    const NativeString windows = filled(GetWindowsDirectoryW);
    std::vector<NativeString> list = {programFolder(), filled(GetSystemDirectoryW), windows + L"\\System", windows};
    const NativeString path =
        filled([](wchar_t* buffer, UINT size) { return GetEnvironmentVariableW(L"PATH", buffer, size); });
    for (size_t start = 0; start <= path.size();) {
        const size_t end = std::min(path.find(L';', start), path.size());
        NativeString folder = path.substr(start, end - start);
        start = end + 1;
        if (folder.size() >= 2 && folder.front() == L'"' && folder.back() == L'"')
            folder = folder.substr(1, folder.size() - 2);
        list.push_back(std::move(folder));
    }
    return list;
}

}  // namespace

Path findProgram(const NativeString& program, Checkpoints& job) {
    const bool hasExtension = program.find(L'.') != NativeString::npos;
    const NativeString file = hasExtension ? program : program + L".exe";
    std::vector<Path> searched;
    for (NativeString folder : folders()) {
        if (!isAbsolute(folder)) continue;
        while (folder.size() > 3 && (folder.ends_with(L'\\') || folder.ends_with(L'/'))) folder.pop_back();
        job.enter(folder);
        searched.push_back(folder);
        const NativeString candidate = folder + (folder.ends_with(L'\\') ? L"" : L"\\") + file;
        const DWORD attributes = GetFileAttributesW(candidate.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return candidate;
    }
    throw ProgramNotFound(program, std::move(searched));
}

}  // namespace platform
