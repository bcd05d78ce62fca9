#include "natural_order.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace browse {
namespace {

using platform::NativeChar;
using platform::NativeView;

bool isDigit(NativeChar c) { return c >= '0' && c <= '9'; }
NativeChar foldCase(NativeChar c) { return c >= 'A' && c <= 'Z' ? static_cast<NativeChar>(c - 'A' + 'a') : c; }

// Calls `put` with each unit of the name's key in turn: bytes on Linux,
// UTF-16 units on Windows.
template <class Put>
void forEachKeyUnit(NativeView name, Put put) {
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
        // '0' keeps numbers where digits sort; the length unit puts shorter
        // (smaller) numbers first; then the digits themselves.
        put(NativeChar('0'));
        put(static_cast<NativeChar>(std::min<size_t>(end - start, 255)));
        for (size_t d = start; d < end; ++d) put(name[d]);
        i = end;
    }
}

// The first 16 bytes of the key, big-endian, so that comparing the numbers
// compares the units. No key unit is zero, so padding sorts a shorter key first.
struct SortRecord {
    uint64_t high = 0, low = 0;
    uint32_t index = 0;
};

constexpr int unitBits = 8 * sizeof(NativeChar);
constexpr int unitsPerHalf = 64 / unitBits;

SortRecord recordOf(NativeView name, uint32_t index) {
    using Unsigned = std::make_unsigned_t<NativeChar>;
    SortRecord record{0, 0, index};
    int position = 0;
    forEachKeyUnit(name, [&](NativeChar c) {
        if (position >= 2 * unitsPerHalf) return;
        uint64_t& half = position < unitsPerHalf ? record.high : record.low;
        half |= uint64_t(static_cast<Unsigned>(c)) << (unitBits * (unitsPerHalf - 1 - position % unitsPerHalf));
        ++position;
    });
    return record;
}

// The whole key, for the few names whose first 16 key bytes tie.
platform::NativeString naturalKey(NativeView name) {
    platform::NativeString key;
    key.reserve(name.size() + 4);
    forEachKeyUnit(name, [&](NativeChar c) { key += c; });
    return key;
}

bool fullyBefore(NativeView a, NativeView b) {
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
    sorted.reserve(names.size(), names.charCount());
    for (const SortRecord& record : records) sorted.add(names[record.index]);
    return sorted;
}

}  // namespace browse
