#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>

// The drives scripts/test-windows maps into the Wine prefix: D:, E: and G:
// are folders of the build tree, F: names a folder that is not there, as a
// drive with no medium in it. A hidden marker on D: tells them from a real
// machine's drives, which no test may write to.
namespace test_drives {

// Whether the tests run under Wine, whose file system differs from Windows'
// in ways the tests name where they meet them.
inline bool underWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// The \\?\ form: names that end in a dot or a blank, and long paths, exactly.
inline std::wstring exact(const std::wstring& path) { return L"\\\\?\\" + path; }

// "G:", a drive itself rather than a folder: opened as a device, which Wine
// answers by looking at every mount on the host.
inline bool isDrive(const std::wstring& path) { return path.size() == 2 && path[1] == L':'; }

inline void removeTree(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(exact(path + L"\\*").c_str(), &entry);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &entry)) {
        const std::wstring name = entry.cFileName, child = path + L"\\" + name;
        if (name == L"." || name == L"..") continue;
        SetFileAttributesW(exact(child).c_str(), FILE_ATTRIBUTE_NORMAL);
        const DWORD kind = entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
        if (kind == FILE_ATTRIBUTE_DIRECTORY)
            removeTree(child);
        else if (!DeleteFileW(exact(child).c_str()))
            RemoveDirectoryW(exact(child).c_str());  // a link, not its target
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    if (!isDrive(path)) RemoveDirectoryW(exact(path).c_str());
}

// A fresh folder on a test drive (or a drive's root: "G:"); on any other
// machine's drives, none. What a test leaves in it, the next test to use it
// clears, as scripts/test-windows clears the drives on each run.
class Folder {
public:
    explicit Folder(std::wstring where) : path(std::move(where)) {
        if (GetFileAttributesW(L"D:\\.quarvel2-test-drive") == INVALID_FILE_ATTRIBUTES)
            throw std::runtime_error("the test drives are not mapped: run scripts/test-windows");
        removeTree(path);
        if (!isDrive(path)) CreateDirectoryW(exact(path).c_str(), nullptr);
    }

    const std::wstring path;
    std::wstring operator/(std::wstring_view name) const { return path + L"\\" + std::wstring(name); }

    // An empty file; false when the file system refuses the name.
    bool file(std::wstring_view name, DWORD attributes = 0) const {
        HANDLE file =
            CreateFileW(exact(*this / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
        return file != INVALID_HANDLE_VALUE && CloseHandle(file);
    }
    bool directory(std::wstring_view name, DWORD attributes = 0) const {
        const std::wstring full = exact(*this / name);
        return CreateDirectoryW(full.c_str(), nullptr) && (!attributes || SetFileAttributesW(full.c_str(), attributes));
    }
    bool exists(std::wstring_view name) const {
        return GetFileAttributesW(exact(*this / name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
};

}  // namespace test_drives
