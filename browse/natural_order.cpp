#include "natural_order.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace browse {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
char foldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Calls `put` with each byte of the name's key in turn.
template <class Put>
void forEachKeyByte(std::string_view name, Put put) {
    for (size_t i = 0; i < name.size();) {
        if (!isDigit(name[i])) {
            put(foldCase(name[i++]));
            continue;
        }
        size_t start = i;
        while (start < name.size() && name[start] == '0') ++start;
        size_t end = start;
        while (end < name.size() && isDigit(name[end])) ++end;
        if (end == start) --start;  // all zeros: the value 0
        // '0' keeps numbers where digits sort; the length byte puts shorter
        // (smaller) numbers first; then the digits themselves.
        put('0');
        put(static_cast<char>(std::min<size_t>(end - start, 255)));
        for (size_t d = start; d < end; ++d) put(name[d]);
        i = end;
    }
}

// The first 16 key bytes, big-endian, so that comparing the numbers compares
// the bytes. No key byte is zero, so padding sorts a shorter key first.
struct SortRecord {
    uint64_t high = 0, low = 0;
    uint32_t index = 0;
};

SortRecord recordOf(std::string_view name, uint32_t index) {
    SortRecord record{0, 0, index};
    int position = 0;
    forEachKeyByte(name, [&](char c) {
        if (position >= 16) return;
        uint64_t& half = position < 8 ? record.high : record.low;
        half |= uint64_t(static_cast<unsigned char>(c)) << (8 * (7 - position % 8));
        ++position;
    });
    return record;
}

// The whole key, for the few names whose first 16 key bytes tie.
std::string naturalKey(std::string_view name) {
    std::string key;
    key.reserve(name.size() + 4);
    forEachKeyByte(name, [&](char c) { key += c; });
    return key;
}

bool fullyBefore(std::string_view a, std::string_view b) {
    if (int c = naturalKey(a).compare(naturalKey(b)); c != 0) return c < 0;
    return a < b;
}

}  // namespace

platform::NameList sortedNaturally(const platform::NameList& names) {
    std::vector<SortRecord> records;
    records.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) records.push_back(recordOf(names[i], static_cast<uint32_t>(i)));
    std::sort(records.begin(), records.end(), [&](const SortRecord& a, const SortRecord& b) {
        if (a.high != b.high) return a.high < b.high;
        if (a.low != b.low) return a.low < b.low;
        return fullyBefore(names[a.index], names[b.index]);  // rare: the first 16 key bytes tie
    });
    platform::NameList sorted;
    sorted.reserve(names.size(), names.byteCount());
    for (const SortRecord& record : records) sorted.add(names[record.index]);
    return sorted;
}

}  // namespace browse
