#include "type_ahead.h"

#include "text/display_text.h"

#include <algorithm>

namespace window {

std::optional<int> TypeAhead::type(std::string_view typed, std::uint64_t timeMs, int current, int rowCount,
                                   const std::function<std::string(int row)>& rowText) {
    if (!lastMs_ || timeMs < *lastMs_ || timeMs - *lastMs_ > pauseMs) prefix_.clear();
    lastMs_ = timeMs;
    prefix_ += text::caseFolded(typed);
    if (prefix_.empty() || rowCount <= 0) return std::nullopt;

    // "rrr" steps to the third row starting with r, not to one starting "rrr".
    const bool oneLetterAgain =
        std::all_of(prefix_.begin(), prefix_.end(), [&](char32_t c) { return c == prefix_[0]; });
    const std::u32string wanted = oneLetterAgain ? prefix_.substr(0, 1) : prefix_;
    // A first or repeated letter moves on; a longer prefix may still fit the current row.
    const int first = std::clamp(oneLetterAgain ? current + 1 : current, 0, rowCount);
    for (int i = 0; i < rowCount; ++i) {
        const int row = (first + i) % rowCount;
        if (text::caseFolded(rowText(row)).starts_with(wanted)) return row;
    }
    return std::nullopt;
}

}  // namespace window
