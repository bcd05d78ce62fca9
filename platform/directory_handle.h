#pragma once

#include <cstdint>
#include <utility>

namespace platform {

// An open directory: a descriptor on Linux, a HANDLE on Windows. It stays the
// directory that was opened, wherever that is moved, until it is closed here.
class DirectoryHandle {
public:
    DirectoryHandle() = default;
    explicit DirectoryHandle(std::intptr_t native) : native_(native) {}
    DirectoryHandle(DirectoryHandle&& other) noexcept : native_(std::exchange(other.native_, closed)) {}
    DirectoryHandle& operator=(DirectoryHandle&& other) noexcept {
        std::swap(native_, other.native_);
        return *this;
    }
    ~DirectoryHandle();

    std::intptr_t native() const { return native_; }
    // A second handle on the same directory, closed on its own; a closed one
    // when the system has none to give.
    DirectoryHandle duplicate() const;
    bool isOpen() const { return native_ != closed; }

private:
    static constexpr std::intptr_t closed = -1;
    std::intptr_t native_ = closed;
};

}  // namespace platform
