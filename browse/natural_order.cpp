#include "natural_order.h"

#include <algorithm>
#include <numeric>

namespace browse {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
char foldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string naturalKey(std::string_view name) {
    std::string key;
    key.reserve(name.size() + 4);
    for (size_t i = 0; i < name.size();) {
        if (!isDigit(name[i])) {
            key += foldCase(name[i++]);
            continue;
        }
        size_t start = i;
        while (start < name.size() && name[start] == '0') ++start;
        size_t end = start;
        while (end < name.size() && isDigit(name[end])) ++end;
        if (end == start) --start;  // all zeros: the value 0
        // '0' keeps numbers where digits sort; the length byte puts shorter
        // (smaller) numbers first; then the digits themselves.
        key += '0';
        key += static_cast<char>(std::min<size_t>(end - start, 255));
        key.append(name.substr(start, end - start));
        i = end;
    }
    return key;
}

void sortNaturally(std::vector<std::filesystem::path>& names) {
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const auto& name : names) keys.push_back(naturalKey(name.native()));

    std::vector<size_t> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (int c = keys[a].compare(keys[b]); c != 0) return c < 0;
        return names[a].native() < names[b].native();
    });

    std::vector<std::filesystem::path> sorted;
    sorted.reserve(names.size());
    for (size_t index : order) sorted.push_back(std::move(names[index]));
    names = std::move(sorted);
}

}  // namespace browse
