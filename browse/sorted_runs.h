#pragma once

#include "natural_key.h"

#include "platform/name_list.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace browse {

// Records in key order, once sorted.
struct Run {
    std::vector<SortRecord> records;

    explicit Run(size_t count = 0) : records(count) {}
    SortRecord* begin() { return records.data(); }
    SortRecord* end() { return records.data() + records.size(); }
    const SortRecord* begin() const { return records.data(); }
    const SortRecord* end() const { return records.data() + records.size(); }
    size_t size() const { return records.size(); }
};

// One list's names as their blocks come: each block keyed and sorted into a
// run, runs of about one size merged as they come (as a binary counter
// carries), so that every record is merged about log2(blocks) times, most of
// it while the reading goes on. Also picks the longest names as it goes.
// With `sortOnce`, for one processor, where nothing overlaps the reading,
// the blocks are only keyed as they come and all is sorted once at the end:
// a level of the quicksort costs less than a level of merging.
class SortedRuns {
public:
    explicit SortedRuns(bool sortOnce = false) : sortOnce_(sortOnce) {}
    void add(const platform::NameList::Block& block);
    // Once every block was added.
    void finish();
    const std::vector<Run>& runs() const { return runs_; }
    size_t size() const;  // once finished
    // The indexes of the longest names, at most `most`, in no order.
    std::vector<std::uint32_t> longest() const;

private:
    void mergeLastTwo();
    void noteLength(size_t length, std::uint32_t index);

    const bool sortOnce_;
    Run unsorted_;  // with sortOnce_: the records keyed so far
    std::vector<Run> runs_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> longest_;  // a heap of (length, index), shortest on top
};

// Pairs of positions [start, end) in an order where names with equal
// 128-bit keys lie, for their whole keys to decide.
using Ties = std::vector<std::pair<size_t, size_t>>;

// The last merge of a list's runs, which writes the names' indexes in order,
// in two halves that two threads may write at once: the records up to the
// middle one of the largest run (ties included), and those after it.
class FinalMerge {
public:
    // Sizes `order`; `alone`: all in the first half.
    FinalMerge(const SortedRuns& runs, std::vector<std::uint32_t>& order, bool alone);
    void first() { mergeInto(firstParts_, 0, ties_[0]); }
    void second() { mergeInto(secondParts_, secondAt_, ties_[1]); }
    Ties ties() const;

private:
    struct Part {
        const SortRecord* begin;
        const SortRecord* end;
        std::shared_ptr<const Run> merged;  // the records, where a merge here made them: they go with the part
        size_t size() const { return static_cast<size_t>(end - begin); }
    };
    void mergeInto(std::vector<Part> parts, size_t at, Ties& ties);

    std::vector<std::uint32_t>& order_;
    std::vector<Part> firstParts_, secondParts_;
    size_t secondAt_ = 0;
    Ties ties_[2];
};

}  // namespace browse
