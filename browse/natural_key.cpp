#include "natural_key.h"

#include "text/ascii.h"

#include <algorithm>
#include <type_traits>

namespace browse {
namespace {

using platform::NativeChar;
using platform::NativeView;

bool isDigit(NativeChar c) { return c >= '0' && c <= '9'; }

// Calls `put` with each unit of the name's key in turn (bytes on Linux, UTF-16
// units on Windows) until it returns false.
template <class Put>
void forEachKeyUnit(NativeView name, Put put) {
    for (size_t i = 0; i < name.size();) {
        if (!isDigit(name[i])) {
            if (!put(text::asciiLower(name[i++]))) return;
            continue;
        }
        size_t start = i;
        while (start < name.size() && name[start] == '0') ++start;
        size_t end = start;
        while (end < name.size() && isDigit(name[end])) ++end;
        if (end == start) --start;  // all zeros: the value 0
        // '0' keeps numbers where digits sort; the length unit puts shorter
        // (smaller) numbers first; then the digits themselves.
        if (!put(NativeChar('0')) || !put(static_cast<NativeChar>(std::min<size_t>(end - start, 255)))) return;
        for (size_t d = start; d < end; ++d)
            if (!put(name[d])) return;
        i = end;
    }
}

constexpr int unitBits = 8 * sizeof(NativeChar);
constexpr int keyUnits = 128 / unitBits;

}  // namespace

// Big-endian, so that comparing the numbers compares the units. No key unit
// is zero, so padding sorts a shorter key first. The units go in one by one
// at the bottom of one 128-bit number, which then moves to the top.
SortRecord recordOf(NativeView name, std::uint32_t index) {
    using Unsigned = std::make_unsigned_t<NativeChar>;
    unsigned __int128 key = 0;
    int left = keyUnits;
    forEachKeyUnit(name, [&](NativeChar c) {
        key = (key << unitBits) | static_cast<Unsigned>(c);
        return --left > 0;
    });
    if (left > 0 && left < keyUnits) key <<= unitBits * left;
    return {static_cast<std::uint64_t>(key >> 64), static_cast<std::uint64_t>(key), index};
}

bool fullyBefore(NativeView a, NativeView b) {
    const auto keyOf = [](NativeView name) {
        platform::NativeString key;
        key.reserve(name.size() + 4);
        forEachKeyUnit(name, [&](NativeChar c) {
            key += c;
            return true;
        });
        return key;
    };
    if (const int c = keyOf(a).compare(keyOf(b)); c != 0) return c < 0;
    return a < b;
}

}  // namespace browse
