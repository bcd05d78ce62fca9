#include "platform/win32/win32_file_system.h"

#include "platform/platform_failure.h"
#include "platform/win32/owned.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

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
    if (path.size() == 2 && path[1] == L':') path += L'\\';
    const size_t root = driveRootOf(path).size();
    while (path.size() > std::max<size_t>(root, 1) && path.ends_with(L'\\')) path.pop_back();
    return path;
}

// The working directory as the system keeps it, without touching its drive.
NativeString currentDirectoryText() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) fail(L"(the working directory)");
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length);
    }
}

wchar_t upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - (L'a' - L'A')) : c; }
wchar_t lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c; }

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

NativeString volumeLabel(const NativeString& root) {
    wchar_t label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) || !label[0])
        return {};
    return L'[' + NativeString(label) + L']';
}

// The labels read so far, by root, and the reads still running: a drive whose
// read hangs is not asked again, and costs no new thread, until that read ends.
// It lives as long as the process: a read may outlast everything else.
struct LabelCache {
    std::mutex mutex;
    std::condition_variable read;
    std::map<NativeString, NativeString> labels;
    std::set<NativeString> pending;
};

LabelCache& labelCache() {
    static LabelCache* const cache = new LabelCache;
    return *cache;
}

// The labels of the drives at `roots`, each read on a thread of its own, as
// many as come within `patience`: a drive that does not answer (or, under
// Wine, a hung mount anywhere on the host) shows without its label, or with
// the one it last gave, rather than hold up the list.
std::vector<NativeString> labelsWithin(const std::vector<NativeString>& roots, std::chrono::milliseconds patience) {
    LabelCache& cache = labelCache();
    std::unique_lock lock(cache.mutex);
    std::vector<NativeString> asked;
    for (const NativeString& root : roots)
        if (cache.pending.insert(root).second) asked.push_back(root);
    lock.unlock();
    for (const NativeString& root : asked) {
        try {
            std::thread([&cache, root] {
                NativeString label;
                try {
                    label = volumeLabel(root);
                } catch (...) {
                    // out of memory: no label
                }
                const std::lock_guard done(cache.mutex);
                cache.labels[root] = std::move(label);
                cache.pending.erase(root);
                cache.read.notify_all();
            }).detach();
        } catch (...) {
            const std::lock_guard none(cache.mutex);
            cache.pending.erase(root);  // no thread to be had: no label this time
        }
    }
    lock.lock();
    cache.read.wait_for(lock, patience, [&] {
        return std::none_of(asked.begin(), asked.end(), [&](const NativeString& root) { return cache.pending.count(root); });
    });
    std::vector<NativeString> labels;
    for (const NativeString& root : roots) {
        const auto found = cache.labels.find(root);
        labels.push_back(found != cache.labels.end() ? found->second : NativeString());
    }
    return labels;
}

}  // namespace

NativeString driveRootOf(NativeView path) {
    if (path.size() >= 2 && path[1] == L':') return {upper(path[0]), L':', L'\\'};
    if (!path.starts_with(L"\\\\") || path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) return {};
    const size_t server = path.find(L'\\', 2);
    if (server == NativeView::npos || server == 2) return {};
    const size_t share = path.find(L'\\', server + 1);
    if (share == server + 1) return {};
    return NativeString(path.substr(0, share)) + L'\\';
}

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
    std::vector<NativeString> fixed;  // only a fixed drive is asked for its label
    for (size_t start = 0; start < roots.size();) {
        const size_t end = roots.find(L'\0', start);
        const std::wstring root = roots.substr(start, end - start);
        start = end == std::wstring::npos ? roots.size() : end + 1;
        if (root.size() < 2 || root[1] != L':') continue;
        const std::wstring rootText{upper(root[0]), L':', L'\\'};
        drives.push_back({{lower(root[0]), L':'}, rootText, {}});
        if (GetDriveTypeW(rootText.c_str()) == DRIVE_FIXED) fixed.push_back(rootText);
    }
    // The working directory's drive is always there, even one the system
    // does not list: a network share, or a letter mapped in another session.
    const NativeString working = driveRootOf(currentDirectoryText());
    const bool listed = std::any_of(drives.begin(), drives.end(), [&](const Drive& d) { return d.root.native() == working; });
    if (!working.empty() && !listed) {
        const NativeString text = working[1] == L':' ? NativeString{lower(working[0]), L':'} : working.substr(0, working.size() - 1);
        drives.push_back({text, working, {}});
    }
    const std::vector<NativeString> labels = labelsWithin(fixed, labelPatience);
    for (size_t i = 0; i < fixed.size(); ++i)
        for (Drive& drive : drives)
            if (drive.root.native() == fixed[i]) drive.label = labels[i];
    return drives;
}

Path Win32FileSystem::workingDirectory() const {
    NativeString buffer = currentDirectoryText();
    const DWORD attributes = GetFileAttributesW(exact(buffer).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) fail(buffer);
    return canonical(std::move(buffer));
}

Path Win32FileSystem::currentDirectoryOf(const Drive& drive) const {
    if (drive.root.native().starts_with(L"\\\\")) {  // a share keeps no directory of its own
        const NativeString working = currentDirectoryText();
        return driveRootOf(working) == drive.root.native() ? canonical(working) : drive.root;
    }
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
