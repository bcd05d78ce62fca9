#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Names from one directory, packed end to end in one buffer: a million names
// cost two allocations, not a million, and free as quickly.
class NameList {
public:
    void add(std::string_view name) {
        bytes_.append(name);
        ends_.push_back(static_cast<uint32_t>(bytes_.size()));
    }
    void reserve(size_t names, size_t bytes) {
        ends_.reserve(names);
        bytes_.reserve(bytes);
    }

    size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](size_t index) const {
        const uint32_t start = index == 0 ? 0 : ends_[index - 1];
        return std::string_view(bytes_).substr(start, ends_[index] - start);
    }
    size_t byteCount() const { return bytes_.size(); }

private:
    std::string bytes_;
    std::vector<uint32_t> ends_;
};

}  // namespace platform
