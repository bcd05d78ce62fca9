#include "natural_order.h"

#include "text/ascii.h"

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

namespace browse {
namespace {

using platform::NativeChar;
using platform::NativeView;

bool isDigit(NativeChar c) { return c >= '0' && c <= '9'; }

// Calls `put` with each unit of the name's key in turn: bytes on Linux,
// UTF-16 units on Windows.
template <class Put>
void forEachKeyUnit(NativeView name, Put put) {
    for (size_t i = 0; i < name.size();) {
        if (!isDigit(name[i])) {
            put(text::asciiLower(name[i++]));
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
    unsigned __int128 key = 0;
    uint32_t index = 0;
};

constexpr int unitBits = 8 * sizeof(NativeChar);
constexpr int keyUnits = 128 / unitBits;

SortRecord recordOf(NativeView name, uint32_t index) {
    using Unsigned = std::make_unsigned_t<NativeChar>;
    SortRecord record{0, index};
    int position = 0;
    forEachKeyUnit(name, [&](NativeChar c) {
        if (position >= keyUnits) return;
        record.key |= static_cast<unsigned __int128>(static_cast<Unsigned>(c))
                      << (unitBits * (keyUnits - 1 - position));
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

using Records = std::vector<SortRecord>;

constexpr auto keyBefore = [](const SortRecord& a, const SortRecord& b) { return a.key < b.key; };

// Sorts by the first 16 key bytes alone, the cheap comparison nearly every
// pair needs; a large list in two halves at once, on two cores, then merged.
void sortByKey(Records& records) {
    constexpr size_t worthAThread = 20000;
    if (records.size() < worthAThread) {
        std::sort(records.begin(), records.end(), keyBefore);
        return;
    }
    const auto middle = records.begin() + static_cast<std::ptrdiff_t>(records.size() / 2);
    std::thread firstHalf([&] { std::sort(records.begin(), middle, keyBefore); });
    std::sort(middle, records.end(), keyBefore);
    firstHalf.join();
    std::inplace_merge(records.begin(), middle, records.end(), keyBefore);
}

}  // namespace

platform::NameList sortedNaturally(const platform::NameList& names) {
    Records records;
    records.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) records.push_back(recordOf(names[i], static_cast<uint32_t>(i)));
    sortByKey(records);
    // Rare: names whose first 16 key bytes tie are ordered by their whole keys.
    for (auto run = records.begin(); run != records.end();) {
        const auto end = std::find_if(run, records.end(), [&](const SortRecord& r) { return r.key != run->key; });
        if (end - run > 1)
            std::sort(run, end, [&](const SortRecord& a, const SortRecord& b) {
                return fullyBefore(names[a.index], names[b.index]);
            });
        run = end;
    }
    platform::NameList sorted;
    sorted.reserve(names.size(), names.charCount());
    for (const SortRecord& record : records) sorted.add(names[record.index]);
    return sorted;
}

}  // namespace browse
