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
        std::vector<std::filesystem::path> shuffled(names.rbegin(), names.rend());
        browse::sortNaturally(shuffled);
        EXPECT_EQ(std::vector<std::string>(shuffled.begin(), shuffled.end()), names);
    }
}

}  // namespace
