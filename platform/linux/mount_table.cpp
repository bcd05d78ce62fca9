#include "mount_table.h"

#include <algorithm>
#include <array>

namespace platform {
namespace {

// Kernel interfaces and helpers that never hold user files.
constexpr auto pseudoTypes = std::to_array<std::string_view>({
    "proc",   "sysfs",      "devpts",    "devtmpfs", "mqueue",    "debugfs", "tracefs",     "securityfs",
    "pstore", "bpf",        "configfs",  "fusectl",  "hugetlbfs", "autofs",  "binfmt_misc", "efivarfs",
    "nsfs",   "rpc_pipefs", "selinuxfs", "nfsd",     "rootfs",    "ramfs",
});

bool byPoint(const Mount& a, const Mount& b) { return a.point < b.point; }

bool isPseudo(std::string_view type) {
    return type.starts_with("cgroup") || std::find(pseudoTypes.begin(), pseudoTypes.end(), type) != pseudoTypes.end();
}

// Loop images of packaged software and the layers of containers.
bool isImageOrLayer(std::string_view type) {
    return type == "squashfs" || type.starts_with("fuse.squashfuse") || type == "overlay" || type == "fuse-overlayfs" ||
           type == "fuse.fuse-overlayfs";
}

// The parts of a path between slashes, with "." dropped and ".." taken back.
std::vector<std::string_view> components(std::string_view path) {
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const size_t slash = path.find('/');
        const std::string_view part = path.substr(0, slash);
        path = slash == std::string_view::npos ? std::string_view{} : path.substr(slash + 1);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
    }
    return parts;
}

// `path` is `base` or below it; `depth` is how many components lie between.
bool within(std::string_view path, std::string_view base, size_t* depth = nullptr) {
    const auto inner = components(path), outer = components(base);
    if (inner.size() < outer.size() || !std::equal(outer.begin(), outer.end(), inner.begin())) return false;
    if (depth) *depth = inner.size() - outer.size();
    return true;
}

// mountinfo writes blanks, tabs, newlines and backslashes as \ooo.
std::string unescapeOctal(std::string_view field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        const auto octal = [&](size_t at) { return at < field.size() && field[at] >= '0' && field[at] <= '7'; };
        if (field[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::vector<std::string_view> split(std::string_view line) {
    std::vector<std::string_view> fields;
    for (size_t start = 0; start <= line.size();) {
        const size_t blank = std::min(line.find(' ', start), line.size());
        if (blank > start) fields.push_back(line.substr(start, blank - start));
        start = blank + 1;
    }
    return fields;
}

struct Entry {
    std::string_view id, parent;
    Mount mount;
};

}  // namespace

std::vector<Mount> parseMountInfo(std::string_view mountinfo) {
    // id parent major:minor root point options [optional...] - type source super
    std::vector<Entry> entries;
    while (!mountinfo.empty()) {
        const size_t end = std::min(mountinfo.find('\n'), mountinfo.size());
        const auto fields = split(mountinfo.substr(0, end));
        mountinfo.remove_prefix(std::min(end + 1, mountinfo.size()));
        const auto dash = std::find(fields.begin() + std::min<size_t>(fields.size(), 6), fields.end(), "-");
        if (fields.end() - dash < 3) continue;
        entries.push_back(
            {fields[0], fields[1], {unescapeOctal(fields[4]), unescapeOctal(dash[1]), unescapeOctal(dash[2])}});
    }

    // Of the mounts at one point, the top one is the parent of none of the
    // others; where the ids do not tell, the later mount is on top.
    std::map<std::string_view, std::vector<size_t>> atPoint;
    std::map<std::string_view, size_t> byId;
    for (size_t i = 0; i < entries.size(); ++i) {
        atPoint[entries[i].mount.point].push_back(i);
        byId[entries[i].id] = i;
    }
    std::vector<bool> covered(entries.size(), false);
    for (const auto& [point, stack] : atPoint) {
        size_t top = stack.back();
        for (size_t candidate : stack) {
            const auto onIt = [&](size_t other) { return entries[other].parent == entries[candidate].id; };
            if (std::none_of(stack.begin(), stack.end(), onIt)) top = candidate;
        }
        for (size_t i : stack) covered[i] = i != top;
    }

    // A mount inside a covered one is out of reach too, and so is all below it.
    enum class Reach { unknown, visiting, open, buried };
    std::vector<Reach> reach(entries.size(), Reach::unknown);
    const auto buried = [&](auto&& self, size_t i) -> bool {
        if (reach[i] == Reach::unknown) {
            reach[i] = Reach::visiting;  // a parent loop in broken text ends here
            const auto parent = byId.find(entries[i].parent);
            bool out = false;
            if (parent != byId.end() && parent->second != i) {
                const size_t p = parent->second;
                out = (covered[p] && entries[p].mount.point != entries[i].mount.point) || self(self, p);
            }
            reach[i] = out ? Reach::buried : Reach::open;
        }
        return reach[i] == Reach::buried;
    };

    std::vector<Mount> mounts;
    for (size_t i = 0; i < entries.size(); ++i)
        if (!covered[i] && !buried(buried, i)) mounts.push_back(std::move(entries[i].mount));
    std::sort(mounts.begin(), mounts.end(), byPoint);
    return mounts;
}

const Mount* mountHolding(const std::vector<Mount>& mounts, std::string_view path) {
    if (!path.starts_with('/')) return nullptr;
    const Mount* holder = nullptr;
    size_t holderDepth = 0;
    for (const Mount& mount : mounts) {
        const size_t depth = components(mount.point).size();
        if ((!holder || depth > holderDepth) && within(path, mount.point)) {
            holder = &mount;
            holderDepth = depth;
        }
    }
    return holder;
}

std::vector<Mount> desktopMounts(const std::vector<Mount>& mounts, std::string_view home,
                                 std::string_view workingDirectory) {
    const bool hasHome = home.starts_with('/') && !components(home).empty();
    const auto isDrive = [&](const Mount& mount) {
        const std::string_view point = mount.point;
        if (components(point).empty()) return true;  // "/" is always one, whatever holds it
        if (isPseudo(mount.type) || isImageOrLayer(mount.type)) return false;
        for (std::string_view part : components(point))
            if (part.starts_with('.')) return false;
        // Only places people put drives: /proc, /boot, /run/user, /snap and the like never qualify.
        size_t userDepth = 0;
        if (within(point, "/run/media", &userDepth)) return userDepth >= 2;
        return within(point, "/media") || within(point, "/mnt") || (hasHome && within(point, home));
    };

    std::vector<Mount> drives;
    for (const Mount& mount : mounts)
        if (isDrive(mount)) drives.push_back(mount);
    if (const Mount* working = workingDirectory.empty() ? nullptr : mountHolding(mounts, workingDirectory))
        drives.push_back(*working);
    std::sort(drives.begin(), drives.end(), byPoint);
    drives.erase(
        std::unique(drives.begin(), drives.end(), [](const Mount& a, const Mount& b) { return a.point == b.point; }),
        drives.end());
    return drives;
}

std::vector<std::string_view> pathComponents(std::string_view path) { return components(path); }

std::string unescapeHex(std::string_view name) {
    const auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' && hex(name[i + 2]) >= 0 &&
            hex(name[i + 3]) >= 0) {
            out += static_cast<char>(hex(name[i + 2]) * 16 + hex(name[i + 3]));
            i += 3;
        } else {
            out += name[i];
        }
    }
    return out;
}

}  // namespace platform
