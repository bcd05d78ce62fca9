#include "mount_table.h"

#include <algorithm>
#include <array>
#include <map>
#include <sstream>

namespace platform {
namespace {

constexpr std::array pseudoTypes = {
    "proc", "sysfs", "devpts", "devtmpfs", "mqueue", "debugfs", "tracefs", "securityfs", "pstore",
    "bpf", "configfs", "fusectl", "hugetlbfs", "autofs", "binfmt_misc", "efivarfs", "nsfs",
    "rpc_pipefs", "selinuxfs",
};

bool isPseudo(const std::string& type) {
    return type.starts_with("cgroup") ||
           std::find(pseudoTypes.begin(), pseudoTypes.end(), type) != pseudoTypes.end();
}

bool isSystemPlace(const std::string& point) {
    for (std::string_view top : {"/proc", "/sys", "/dev"})
        if (point == top || (point.starts_with(top) && point[top.size()] == '/')) return true;
    return false;
}

// mountinfo writes blanks, tabs, newlines and backslashes as \ooo.
std::string unescape(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() &&
            std::all_of(field.begin() + i + 1, field.begin() + i + 4, [](char c) { return c >= '0' && c <= '7'; })) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

}  // namespace

std::vector<Mount> userMounts(std::string_view mountinfo) {
    std::map<std::string, std::string> typeByPoint;  // later mounts hide earlier ones
    std::istringstream lines{std::string(mountinfo)};
    for (std::string line; std::getline(lines, line);) {
        // id parent major:minor root point options [optional...] - type source super
        std::istringstream fields(line);
        std::string skip, point, field, type;
        fields >> skip >> skip >> skip >> skip >> point;
        while (fields >> field && field != "-") {}
        if (!(fields >> type)) continue;
        point = unescape(point);
        if (isPseudo(type) || isSystemPlace(point)) {
            typeByPoint.erase(point);
            continue;
        }
        typeByPoint[point] = type;
    }
    std::vector<Mount> mounts;
    for (auto& [point, type] : typeByPoint) mounts.push_back({point, type});
    return mounts;
}

}  // namespace platform
