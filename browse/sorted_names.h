#pragma once

#include "platform/name_list.h"

#include <cstdint>
#include <vector>

namespace browse {

// A directory's names in natural order, as NaturalSorter leaves them: the
// names as they were read, the order they go in, and which are the longest,
// so that a view measures a few hundred rows, not a million.
class SortedNames {
public:
    static constexpr size_t mostLongest = 256;

    size_t size() const { return order_.size(); }
    bool empty() const { return order_.empty(); }
    // The name at `position` in order.
    platform::NativeView operator[](size_t position) const { return names_[order_[position]]; }
    // The longest names, by their units, at most mostLongest of them, in no order.
    std::vector<platform::NativeView> longest() const {
        std::vector<platform::NativeView> names;
        names.reserve(longest_.size());
        for (const std::uint32_t index : longest_) names.push_back(names_[index]);
        return names;
    }

private:
    friend class NaturalSorter;
    platform::NameList names_;
    std::vector<std::uint32_t> order_;    // indexes into names_
    std::vector<std::uint32_t> longest_;  // indexes into names_
};

}  // namespace browse
