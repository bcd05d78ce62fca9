#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace window {

// Finding a row by typing, as the systems' own lists do: letters typed in
// quick succession make a prefix, matched without regard to case from the
// current row on; one letter typed again and again steps through the rows it
// starts.
class TypeAhead {
public:
    // A longer pause between two letters starts a new prefix.
    static constexpr std::uint64_t pauseMs = 1000;

    // The row that `typed` (UTF-8), typed at `timeMs`, leads to from row
    // `current` (-1 for none) of `rowCount` rows, whose texts `rowText`
    // gives; nothing when no row matches.
    std::optional<int> type(std::string_view typed, std::uint64_t timeMs, int current, int rowCount,
                            const std::function<std::string(int row)>& rowText);

private:
    std::u32string prefix_;
    std::optional<std::uint64_t> lastMs_;
};

}  // namespace window
