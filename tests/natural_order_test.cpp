#include "browse/natural_order.h"

#include <gtest/gtest.h>

namespace {

TEST(NaturalOrder, SortsAsPeopleReadNames) {
    const std::vector<std::vector<std::string>> expected = {
        {"file2", "file10", "file100"},
        {"a", "B", "c"},
        {"x0", "x00", "x01", "x1", "x9"},  // equal values: the names' bytes decide
        {"a1b2", "a1b10", "a2b1"},
        {"1", "9", "10", "a"},
        {"File", "file"},
        {"pack-9", "pack.9", "pack9", "packa"},
        {"z", "\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},  // outside ASCII, bytes keep their order
        {"n99999999999999999999", "n100000000000000000000"},  // beyond any integer type
    };
    for (const auto& names : expected) {
        platform::NameList shuffled;
        for (auto name = names.rbegin(); name != names.rend(); ++name) shuffled.add(*name);
        const platform::NameList sorted = browse::sortedNaturally(shuffled);
        std::vector<std::string> seen;
        for (size_t i = 0; i < sorted.size(); ++i) seen.emplace_back(sorted[i]);
        EXPECT_EQ(seen, names);
    }
}

}  // namespace
