#pragma once

#include "natural_key.h"

namespace browse {

// Sorts records by their 128-bit keys. A quicksort whose partition decides
// where each record goes by a value, not a jump: keys that come in no order
// cost no mispredicted branches, which is most of what std::sort spends.
void sortRecords(SortRecord* begin, SortRecord* end);

// Merges two sorted ranges into `out` the same way; the first range's
// records go first among equal keys.
void mergeRecords(const SortRecord* x, const SortRecord* xEnd, const SortRecord* y, const SortRecord* yEnd,
                  SortRecord* out);

}  // namespace browse
