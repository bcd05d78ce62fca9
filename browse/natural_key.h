#pragma once

#include "platform/native.h"

#include <cstdint>

namespace browse {

// A name's place in the order people expect: letters without regard to ASCII
// case, runs of digits by their value ("file2" before "file10"), bytes outside
// ASCII in their own order. Sorting compares the first 128 bits of each key
// as two numbers, which nearly every pair needs and nothing more.
struct SortRecord {
    std::uint64_t high = 0, low = 0;
    std::uint32_t index = 0;  // which name
};

// Without a branch: merging takes one side or the other by it a million times.
inline bool keyBefore(const SortRecord& a, const SortRecord& b) {
    return (a.high < b.high) | ((a.high == b.high) & (a.low < b.low));
}
// keyBefore as a type of its own, for sorts and merges to inline it.
inline constexpr auto keyOrder = [](const SortRecord& a, const SortRecord& b) { return keyBefore(a, b); };
inline bool sameKey(const SortRecord& a, const SortRecord& b) { return a.high == b.high && a.low == b.low; }

SortRecord recordOf(platform::NativeView name, std::uint32_t index);

// For the few names whose first 128 bits tie: whether `a` goes first by the
// whole key, and equal ones by their bytes, so that the order is total and
// the same on every run.
bool fullyBefore(platform::NativeView a, platform::NativeView b);

}  // namespace browse
