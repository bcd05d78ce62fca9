#include "sorted_runs.h"

#include "record_sort.h"
#include "sorted_names.h"

#include <algorithm>
#include <functional>

namespace browse {

void SortedRuns::add(const platform::NameList::Block& block) {
    Run& run = sortOnce_ ? unsorted_ : runs_.emplace_back();
    const size_t at = run.size();
    run.records.resize(at + block.size());
    for (size_t i = 0; i < block.size(); ++i) {
        const auto index = static_cast<std::uint32_t>(block.first() + i);
        run.records[at + i] = recordOf(block[i], index);
        noteLength(block[i].size(), index);
    }
    if (sortOnce_) return;
    sortRecords(run.begin(), run.end());
    while (runs_.size() >= 2 && runs_[runs_.size() - 2].size() <= runs_.back().size()) mergeLastTwo();
}

void SortedRuns::finish() {
    if (unsorted_.size() == 0) return;
    sortRecords(unsorted_.begin(), unsorted_.end());
    runs_.push_back(std::move(unsorted_));
    unsorted_ = Run();
}

size_t SortedRuns::size() const {
    size_t total = 0;
    for (const Run& run : runs_) total += run.size();
    return total;
}

void SortedRuns::mergeLastTwo() {
    const Run& earlier = runs_[runs_.size() - 2];
    const Run& later = runs_.back();
    Run merged(earlier.size() + later.size());
    mergeRecords(earlier.begin(), earlier.end(), later.begin(), later.end(), merged.begin());
    runs_.pop_back();
    runs_.back() = std::move(merged);
}

void SortedRuns::noteLength(size_t length, std::uint32_t index) {
    const std::pair entry{static_cast<std::uint32_t>(length), index};
    if (longest_.size() < SortedNames::mostLongest) {
        longest_.push_back(entry);
        std::push_heap(longest_.begin(), longest_.end(), std::greater<>());
    } else if (entry.first > longest_.front().first) {
        std::pop_heap(longest_.begin(), longest_.end(), std::greater<>());
        longest_.back() = entry;
        std::push_heap(longest_.begin(), longest_.end(), std::greater<>());
    }
}

std::vector<std::uint32_t> SortedRuns::longest() const {
    std::vector<std::uint32_t> indexes;
    for (const auto& [length, index] : longest_) indexes.push_back(index);
    return indexes;
}

FinalMerge::FinalMerge(const SortedRuns& runs, std::vector<std::uint32_t>& order, bool alone) : order_(order) {
    order_.resize(runs.size());
    const auto largest = std::max_element(runs.runs().begin(), runs.runs().end(),
                                          [](const Run& a, const Run& b) { return a.size() < b.size(); });
    for (const Run& run : runs.runs()) {
        // Names with equal keys all fall on one side of the middle record.
        const SortRecord* middle =
            alone ? run.end()
                  : std::upper_bound(run.begin(), run.end(), largest->begin()[largest->size() / 2], keyOrder);
        firstParts_.push_back({run.begin(), middle, nullptr});
        secondParts_.push_back({middle, run.end(), nullptr});
        secondAt_ += firstParts_.back().size();
    }
}

// The parts, smallest first, merged down to two, which merge into the order.
// Which side goes next is a value, not a jump, so that records that
// interleave at random cost no mispredicted branches.
void FinalMerge::mergeInto(std::vector<Part> parts, size_t at, Ties& ties) {
    const auto largerFirst = [](const Part& x, const Part& y) { return x.size() > y.size(); };
    std::sort(parts.begin(), parts.end(), largerFirst);
    while (parts.size() > 2) {
        const Part& a = parts[parts.size() - 2];
        const Part& b = parts.back();
        auto merged = std::make_shared<Run>(a.size() + b.size());
        mergeRecords(a.begin, a.end, b.begin, b.end, merged->begin());
        parts.pop_back();
        parts.back() = {merged->begin(), merged->end(), merged};
        std::sort(parts.begin(), parts.end(), largerFirst);
    }
    while (parts.size() < 2) parts.push_back({nullptr, nullptr, nullptr});
    const SortRecord *x = parts[0].begin, *y = parts[1].begin;
    const SortRecord* previous = nullptr;
    const auto emit = [&](const SortRecord& record) {
        if (previous && sameKey(*previous, record)) {
            if (ties.empty() || ties.back().second != at) ties.emplace_back(at - 1, 0);
            ties.back().second = at + 1;
        }
        previous = &record;
        order_[at++] = record.index;
    };
    while (x != parts[0].end && y != parts[1].end) {
        const bool second = keyBefore(*y, *x);
        emit(*(second ? y : x));
        y += second;
        x += !second;
    }
    for (; x != parts[0].end; ++x) emit(*x);
    for (; y != parts[1].end; ++y) emit(*y);
}

Ties FinalMerge::ties() const {
    Ties all = ties_[0];
    all.insert(all.end(), ties_[1].begin(), ties_[1].end());
    return all;
}

}  // namespace browse
