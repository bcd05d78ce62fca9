#pragma once

#include "native.h"

#include <cstdint>
#include <vector>

namespace platform {

// Names from one directory, packed end to end in one buffer: a million names
// cost two allocations, not a million, and free as quickly.
class NameList {
public:
    void add(NativeView name) {
        chars_.append(name);
        ends_.push_back(static_cast<uint32_t>(chars_.size()));
    }
    void reserve(size_t names, size_t chars) {
        ends_.reserve(names);
        chars_.reserve(chars);
    }

    size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    NativeView operator[](size_t index) const {
        const uint32_t start = index == 0 ? 0 : ends_[index - 1];
        return NativeView(chars_).substr(start, ends_[index] - start);
    }
    size_t charCount() const { return chars_.size(); }

private:
    NativeString chars_;
    std::vector<uint32_t> ends_;
};

}  // namespace platform
