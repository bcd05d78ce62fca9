#include "platform/win32/win32_file_system.h"

#include "platform/platform_failure.h"
#include "platform/win32/owned.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

namespace platform {
namespace {

bool valid(const OwnedHandle& handle) { return handle.get() != INVALID_HANDLE_VALUE; }

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

HANDLE handleOf(const OpenDirectory& directory) { return reinterpret_cast<HANDLE>(directory.handle.native()); }

std::optional<BY_HANDLE_FILE_INFORMATION> informationOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(file, &information)) return std::nullopt;
    return information;
}

// The file ID's top 16 bits count how often NTFS gave its number out, so a
// reused number does not pass.
FileIdentity identityFrom(const BY_HANDLE_FILE_INFORMATION& information) {
    const FILETIME& born = information.ftCreationTime;
    return FileIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow,
                        (std::uint64_t(born.dwHighDateTime) << 32) | born.dwLowDateTime, {}};
}

// What `path` inside `directory` leads to: the entry itself, a reparse point
// not followed, or what it leads to; directories too. Nothing when it cannot
// be opened.
// A folder's creation time is left out: the file ID counts reuse already,
// and Wine gives a folder's change time there, which moves with every file
// made in it.
FileIdentity folderIdentityFrom(const BY_HANDLE_FILE_INFORMATION& information) {
    FileIdentity identity = identityFrom(information);
    identity.born = 0;
    return identity;
}

std::optional<BY_HANDLE_FILE_INFORMATION> look(const OpenDirectory& directory, NativeView name, bool followLinks) {
    const OwnedHandle file(CreateFileW(exact(joined(directory.path, name)).c_str(), FILE_READ_ATTRIBUTES, shareAll, nullptr,
                                  OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT),
                                  nullptr));
    return valid(file) ? informationOf(file.get()) : std::nullopt;
}

bool isDirectory(const BY_HANDLE_FILE_INFORMATION& information) {
    return information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
}

// Whether the folder at the directory's path is still the folder that was
// opened; a path that leads through a folder swapped in since does not
// count. (Windows has no call that opens a name inside an open folder.)
bool stillThere(const OpenDirectory& directory) {
    const OwnedHandle now(CreateFileW(exact(directory.path.native()).c_str(), FILE_READ_ATTRIBUTES, shareAll, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const auto opened = informationOf(handleOf(directory));
    const auto found = valid(now) ? informationOf(now.get()) : std::nullopt;
    return opened && found && folderIdentityFrom(*opened) == folderIdentityFrom(*found);
}

NativeString volumeLabel(const wchar_t* root) {
    wchar_t label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) || !label[0])
        return {};
    return L'[' + NativeString(label) + L']';
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
        NativeString label;
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
    const OpenDirectory open = openDirectory(directory);
    listing.directory = identityOf(open);

    const NativeString path = exact(directory.native());
    WIN32_FIND_DATAW entry;
    const OwnedFind search(FindFirstFileExW(joined(path, L"*").c_str(), FindExInfoBasic, &entry,
                                            FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (search.get() == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return listing;  // a root with nothing in it
        fail(directory);
    }
    do {
        const NativeView name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        if (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
        (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? listing.subdirectories : listing.files).add(name);
    } while (FindNextFileW(search.get(), &entry));
    const DWORD error = GetLastError();
    if (error != ERROR_NO_MORE_FILES) throw PlatformFailure::fromSystemError(static_cast<int>(error), directory);
    return listing;
}

OpenDirectory Win32FileSystem::openDirectory(const Path& path) const {
    HANDLE opened = CreateFileW(exact(path.native()).c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                shareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE) fail(path);
    return {DirectoryHandle(reinterpret_cast<std::intptr_t>(opened)), path};
}

FileIdentity Win32FileSystem::identityOf(const OpenDirectory& directory) const {
    const auto information = informationOf(handleOf(directory));
    if (!information) fail(directory.path);
    return folderIdentityFrom(*information);
}

std::optional<EntryIdentity> Win32FileSystem::identifyFile(const OpenDirectory& directory, NativeView name) const {
    if (name.empty()) return std::nullopt;
    const auto entry = look(directory, name, false);
    if (!entry || isDirectory(*entry)) return std::nullopt;
    // Only a reparse point (a link) leads elsewhere.
    const auto target = entry->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT ? look(directory, name, true) : entry;
    if (!target || isDirectory(*target) || !stillThere(directory)) return std::nullopt;
    return EntryIdentity{identityFrom(*entry), identityFrom(*target)};
}

std::optional<FileIdentity> Win32FileSystem::identifyDirectory(const OpenDirectory& directory, NativeView name) const {
    if (name.empty()) return std::nullopt;
    const auto target = look(directory, name, true);
    if (!target || !isDirectory(*target) || !stillThere(directory)) return std::nullopt;
    return folderIdentityFrom(*target);
}

void Win32FileSystem::deleteFile(const OpenDirectory& directory, NativeView name) {
    const Path target = joined(directory.path, name);
    // The link itself is opened, never what it points to.
    const OwnedHandle file(CreateFileW(exact(target.native()).c_str(), DELETE | FILE_READ_ATTRIBUTES, shareAll, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!valid(file)) fail(target);
    const auto information = informationOf(file.get());
    if (!information) fail(target);
    if (isDirectory(*information)) throw PlatformFailure::fromSystemError(ERROR_ACCESS_DENIED, target);
    if (!stillThere(directory))
        throw PlatformFailure::folderChanged(directory.path);
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition, sizeof disposition)) fail(target);
}

}  // namespace platform
