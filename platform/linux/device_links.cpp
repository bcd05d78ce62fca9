#include "device_links.h"

#include <dirent.h>
#include <deque>
#include <memory>
#include <optional>
#include <unistd.h>

namespace platform {

namespace {

std::optional<std::string> readLink(const std::string& path) {
    std::string target(256, '\0');
    for (;;) {
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length < 0) return std::nullopt;
        if (static_cast<size_t>(length) < target.size()) {
            target.resize(static_cast<size_t>(length));
            return target;
        }
        target.resize(target.size() * 2);
    }
}

std::deque<std::string> parts(std::string_view path) {
    std::deque<std::string> split;
    while (!path.empty()) {
        const size_t slash = path.find('/');
        if (slash != 0) split.emplace_back(path.substr(0, slash));
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    }
    return split;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string path;
    for (const std::string& part : parts) path += '/' + part;
    return path.empty() ? "/" : path;
}

}  // namespace

DeviceLinks::DeviceLinks(std::vector<Mount> mounts, std::string root)
    : mounts_(std::move(mounts)), root_(std::move(root)), rootMount_(mountHolding(mounts_, root_)) {}

bool DeviceLinks::inside(const std::string& path) const {
    return path.starts_with(root_ + '/') && mountHolding(mounts_, path) == rootMount_;
}

// As realpath does, one part at a time, but reading only inside the root.
std::string DeviceLinks::resolve(const std::string& path) const {
    if (!path.starts_with('/')) return path;
    std::deque<std::string> pending = parts(path);
    std::vector<std::string> done;
    for (int links = 0; !pending.empty();) {
        const std::string part = std::move(pending.front());
        pending.pop_front();
        if (part == ".") continue;
        if (part == "..") {
            if (!done.empty()) done.pop_back();
            continue;
        }
        done.push_back(part);
        const std::string current = joined(done);
        if (!inside(current)) {
            if ((root_ + '/').starts_with(current + '/')) continue;  // on the way to the root
            return path;
        }
        const std::optional<std::string> target = readLink(current);
        if (!target) continue;
        if (++links > 40) return path;
        done.pop_back();
        if (target->starts_with('/')) done.clear();
        std::deque<std::string> more = parts(*target);
        pending.insert(pending.begin(), more.begin(), more.end());
    }
    const std::string resolved = joined(done);
    return inside(resolved) ? resolved : path;
}

std::map<std::string, std::string> DeviceLinks::labels() const {
    std::map<std::string, std::string> labels;
    const std::string folder = root_ + "/disk/by-label";
    if (!inside(folder) || resolve(folder) != folder) return labels;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(folder.c_str()), closedir);
    if (!listing) return labels;
    while (const dirent* entry = readdir(listing.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::string link = folder + '/' + name, device = resolve(link);
        if (device != link) labels[device] = unescapeHex(name);
    }
    return labels;
}

}  // namespace platform
