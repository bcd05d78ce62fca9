#pragma once

#include "sorted_names.h"

#include "platform/checkpoints.h"
#include "platform/processors.h"

#include <memory>
#include <optional>

namespace browse {

// Puts a listing's names in natural order (see SortRecord) while it is being
// read: each block of names is keyed and sorted as soon as it fills, beside
// the reading on a thread of the job's, and the sorted runs are merged as
// they come. What is left once the reading ends is a last merge. With one
// processor, nothing can go on beside the reading: each block is keyed as it
// fills, and all are sorted at once at the end. The sorter's thread stops
// when the sorter goes, at the next block, whether or not it was done.
class NaturalSorter final : public platform::ListingObserver {
public:
    // Sorts beside the reading when `processors` allow.
    explicit NaturalSorter(platform::Checkpoints& job, int processors = platform::processorsAvailable());
    ~NaturalSorter() override;
    NaturalSorter(const NaturalSorter&) = delete;
    NaturalSorter& operator=(const NaturalSorter&) = delete;

    // Sorts the names of `which` list only, letting the other's blocks by.
    void sortOnly(platform::Listed which) { only_ = which; }
    void filled(platform::Listed which, std::shared_ptr<const platform::NameList::Block> block) override;
    // Once every block of `names` was told of: the names in order.
    SortedNames sorted(platform::Listed which, platform::NameList names);

    struct State;

private:
    platform::Checkpoints& job_;
    const bool alongside_;
    std::shared_ptr<State> state_;
    std::unique_ptr<platform::Aside> helper_;
    std::optional<platform::Listed> only_;
};

}  // namespace browse
