#include "platform/win32/win32_file_system.h"

#include "platform/platform_failure.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

namespace platform {
namespace {

// Closes a handle at the end of a scope.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

[[noreturn]] void fail(const Path& subject) {
    throw PlatformFailure::fromSystemError(static_cast<int>(GetLastError()), subject);
}

NativeString joined(const Path& directory, NativeView name) {
    NativeString path = directory.native();
    if (!path.ends_with(L'\\')) path += L'\\';
    path += name;
    return path;
}

// The \\?\ form hands a path to the file system as it is: no length limit,
// and a name that ends in a dot or a blank keeps it.
NativeString exact(const NativeString& path) {
    if (path.starts_with(L"\\\\?\\")) return path;
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

// Drops the separator a system call may leave at the end, but a root's.
Path canonical(NativeString path) {
    while (path.size() > 3 && path.ends_with(L'\\')) path.pop_back();
    if (path.size() == 2 && path[1] == L':') path += L'\\';
    return path;
}

constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::optional<FileIdentity> identityOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(file, &information)) return std::nullopt;
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    const FILETIME& born = information.ftCreationTime;
    return FileIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow,
                        (std::uint64_t(born.dwHighDateTime) << 32) | born.dwLowDateTime};
}

// Whether the folder at `path` is still the folder that was listed and held
// open since; a path that leads through a folder swapped in since does not
// count. (Windows has no call that opens a name inside a held folder.)
bool stillListed(const DirectoryHandle& directory, const Path& path) {
    const Handle now(CreateFileW(exact(path.native()).c_str(), FILE_READ_ATTRIBUTES, shareAll, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION listed, found;
    return now.valid() && GetFileInformationByHandle(reinterpret_cast<HANDLE>(directory.native()), &listed) &&
           GetFileInformationByHandle(now.get(), &found) &&
           listed.dwVolumeSerialNumber == found.dwVolumeSerialNumber &&
           listed.nFileIndexHigh == found.nFileIndexHigh && listed.nFileIndexLow == found.nFileIndexLow;
}

std::string volumeLabel(const wchar_t* root) {
    wchar_t label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) || !label[0])
        return {};
    return '[' + toUtf8(label) + ']';
}

}  // namespace

std::vector<Drive> Win32FileSystem::drives() const {
    std::wstring roots(128, L'\0');
    for (;;) {
        const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
        if (length == 0) fail(L"drives");
        if (length < roots.size()) {
            roots.resize(length);
            break;
        }
        roots.resize(length + 1);
    }
    std::vector<Drive> drives;
    for (size_t start = 0; start < roots.size();) {
        const size_t end = roots.find(L'\0', start);
        const std::wstring root = roots.substr(start, end - start);
        start = end == std::wstring::npos ? roots.size() : end + 1;
        if (root.size() < 2 || root[1] != L':') continue;
        const wchar_t upper = root[0] >= L'a' && root[0] <= L'z' ? root[0] - (L'a' - L'A') : root[0];
        const wchar_t lower = upper >= L'A' && upper <= L'Z' ? upper + (L'a' - L'A') : upper;
        const std::wstring rootText{upper, L':', L'\\'};
        // Only a fixed drive is sure to answer at once; the others are left
        // alone until the user picks them.
        std::string label;
        if (GetDriveTypeW(rootText.c_str()) == DRIVE_FIXED) label = volumeLabel(rootText.c_str());
        drives.push_back({{lower, L':'}, rootText, std::move(label)});
    }
    return drives;
}

Path Win32FileSystem::workingDirectory() const {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) fail(L"(the working directory)");
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(length);
    }
    const DWORD attributes = GetFileAttributesW(exact(buffer).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) fail(buffer);
    return canonical(std::move(buffer));
}

Path Win32FileSystem::currentDirectoryOf(const Drive& drive) const {
    // "D:" alone names the directory the system keeps for drive D.
    const std::wstring drivePath = drive.root.native().substr(0, 2);
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFullPathNameW(drivePath.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0) return drive.root;
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(length);
    }
    return canonical(std::move(buffer));
}

DirectoryListing Win32FileSystem::readDirectory(const Path& directory) const {
    DirectoryListing listing;
    const NativeString path = exact(directory.native());
    HANDLE opened = CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE, shareAll,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE) fail(directory);
    listing.directory = DirectoryHandle(reinterpret_cast<std::intptr_t>(opened));

    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileExW(joined(path, L"*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return listing;  // a root with nothing in it
        fail(directory);
    }
    do {
        const NativeView name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        if (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
        (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? listing.subdirectories : listing.files).add(name);
    } while (FindNextFileW(search, &entry));
    const DWORD error = GetLastError();
    FindClose(search);
    if (error != ERROR_NO_MORE_FILES) throw PlatformFailure::fromSystemError(static_cast<int>(error), directory);
    return listing;
}

std::optional<FileIdentity> Win32FileSystem::identify(const DirectoryHandle& directory, const Path& path,
                                                      NativeView name) const {
    // Without backup semantics a directory does not open: it has no identity here.
    const Handle file(CreateFileW(exact(joined(path, name)).c_str(), FILE_READ_ATTRIBUTES, shareAll, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid() || !stillListed(directory, path)) return std::nullopt;
    return identityOf(file.get());
}

void Win32FileSystem::deleteFile(const DirectoryHandle& directory, const Path& path, NativeView name,
                                 const std::optional<FileIdentity>& expected) {
    const Path target = joined(path, name);
    if (!expected) throw PlatformFailure::fromSystemError(ERROR_FILE_NOT_FOUND, target);
    // The link itself is opened, never what it points to.
    const Handle file(CreateFileW(exact(target.native()).c_str(), DELETE | FILE_READ_ATTRIBUTES, shareAll, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid()) fail(target);
    if (!stillListed(directory, path) || identityOf(file.get()) != expected)
        throw PlatformFailure("It is no longer the file that was selected: it was replaced or moved since. "
                              "Nothing was deleted.",
                              target);
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition, sizeof disposition)) fail(target);
}

}  // namespace platform
