#include "record_sort.h"

#include <algorithm>
#include <utility>

namespace browse {
namespace {

void insertionSort(SortRecord* begin, SortRecord* end) {
    if (end - begin < 2) return;
    for (SortRecord* i = begin + 1; i < end; ++i) {
        const SortRecord record = *i;
        SortRecord* j = i;
        for (; j > begin && keyBefore(record, j[-1]); --j) *j = j[-1];
        *j = record;
    }
}

SortRecord* medianOfThree(SortRecord* a, SortRecord* b, SortRecord* c) {
    if (keyBefore(*b, *a)) std::swap(a, b);
    if (keyBefore(*c, *b)) std::swap(b, c);
    if (keyBefore(*b, *a)) std::swap(a, b);
    return b;
}

// Moves a pivot to the front: the median of three records, or of three such
// medians in a large range, so that names that rise and fall again (or come
// already in order) still split near the middle.
void pivotToFront(SortRecord* begin, SortRecord* end) {
    const std::ptrdiff_t size = end - begin, eighth = size / 8;
    SortRecord* const middle = begin + size / 2;
    SortRecord* const pivot = size <= 128
                                  ? medianOfThree(begin + 1, middle, end - 1)
                                  : medianOfThree(medianOfThree(begin + 1, begin + eighth, begin + 2 * eighth),
                                                  medianOfThree(middle - eighth, middle, middle + eighth),
                                                  medianOfThree(end - 1 - 2 * eighth, end - 1 - eighth, end - 1));
    std::swap(*begin, *pivot);
}

// Every record for which `goesLeft` holds moves before the others, each
// swapped into place whether it moves or not; returns where the others begin.
template <class GoesLeft>
SortRecord* partition(SortRecord* begin, SortRecord* end, GoesLeft goesLeft) {
    SortRecord* left = begin;
    for (SortRecord* i = begin; i < end; ++i) {
        const SortRecord record = *i;
        const bool moves = goesLeft(record);
        *i = *left;
        *left = record;
        left += moves;
    }
    return left;
}

// `floor`: a record known to be no greater than any in the range, if any.
// A run of equal keys is split off in one pass when the pivot equals it.
void quickSort(SortRecord* begin, SortRecord* end, const SortRecord* floor, int depth) {
    constexpr std::ptrdiff_t small = 24;
    while (end - begin > small) {
        if (depth-- == 0) return std::sort(begin, end, keyOrder);  // unlucky pivots: bounded all the same
        pivotToFront(begin, end);
        const SortRecord pivot = *begin;
        if (floor && !keyBefore(*floor, pivot)) {  // the pivot's key is the smallest here: skip its equals
            begin = partition(begin + 1, end, [&](const SortRecord& r) { return !keyBefore(pivot, r); });
            continue;
        }
        SortRecord* split = partition(begin + 1, end, [&](const SortRecord& r) { return keyBefore(r, pivot); });
        std::swap(*begin, split[-1]);
        SortRecord* placed = split - 1;
        if (placed - begin < end - placed) {
            quickSort(begin, placed, floor, depth);
            floor = placed;
            begin = placed + 1;
        } else {
            quickSort(placed + 1, end, placed, depth);
            end = placed;
        }
    }
    insertionSort(begin, end);
}

}  // namespace

void sortRecords(SortRecord* begin, SortRecord* end) {
    int depth = 0;
    for (auto n = end - begin; n > 1; n /= 2) depth += 2;
    quickSort(begin, end, nullptr, depth);
}

void mergeRecords(const SortRecord* x, const SortRecord* xEnd, const SortRecord* y, const SortRecord* yEnd,
                  SortRecord* out) {
    while (x != xEnd && y != yEnd) {
        const bool second = keyBefore(*y, *x);
        *out++ = second ? *y : *x;
        y += second;
        x += !second;
    }
    std::copy(y, yEnd, std::copy(x, xEnd, out));
}

}  // namespace browse
