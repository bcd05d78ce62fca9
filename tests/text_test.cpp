#include "browse/natural_order.h"
#include "platform/display_text.h"

#include <gtest/gtest.h>

using platform::Path;

namespace {

TEST(NaturalOrder, SortsAsPeopleReadNames) {
    const std::vector<std::vector<std::string>> expected = {
        {"file2", "file10", "file100"},
        {"a", "B", "c"},
        {"apple", "Zebra"},
        {"x0", "x00", "x01", "x1", "x9"},  // equal values: the names themselves decide
        {"a1b2", "a1b10", "a2b1"},
        {"1", "9", "10", "a"},
        {"File", "file"},
        {"pack-9", "pack.9", "pack9", "packa"},
        {"v1.9", "v1.10", "v1.10a", "v1.100"},
        {"n99999999999999999999", "n100000000000000000000"},  // beyond any integer type
    };
    for (const auto& names : expected) {
        platform::NameList shuffled;
        for (auto name = names.rbegin(); name != names.rend(); ++name) shuffled.add(Path(*name).native());
        const platform::NameList sorted = browse::sortedNaturally(shuffled);
        std::vector<std::string> seen;
        for (size_t i = 0; i < sorted.size(); ++i) seen.push_back(Path(sorted[i]).string());
        EXPECT_EQ(seen, names);
    }
}

// What cannot be shown exactly is escaped, so that names that differ look different.
TEST(DisplayText, ShowsNamesExactlyOrEscaped) {
    struct Case { platform::NativeString name; std::string shown; };
    const std::vector<Case> cases = {
        {Path("plain name.pkg").native(), "plain name.pkg"},
#ifdef _WIN32
        {L"caf\u00e9 \U0001F600", "caf\xC3\xA9 \xF0\x9F\x98\x80"},
        {L"C:\\dir\\new\nline", "C:\\dir\\new<U+000A>line"},  // no path can hold "<"
        {std::wstring(L"lone\xD800") + L"x", "lone<U+D800>x"},
        {L"gpj\u202Eexe", "gpj<U+202E>exe"},
#else
        {"new\nline\ttab", "new\\nline\\ttab"},
        {"\x01\x7f", "\\x01\\x7F"},
        {"caf\xC3\xA9", "caf\xC3\xA9"},
        {"bad\xFE", "bad\\xFE"},
        {"bad\xFF", "bad\\xFF"},
        {"\xC3", "\\xC3"},              // cut short
        {"\xC0\xAF", "\\xC0\\xAF"},     // overlong
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},  // a surrogate
        {"back\\xFE", "back\\\\xFE"},   // a real backslash cannot pass for an escape
        {"gpj\xE2\x80\xAE" "exe", "gpj\\u202Eexe"},
        {"a\xE2\x80\x8B" "b\xE2\x80\xA8", "a\\u200Bb\\u2028"},  // nothing to see, a line break
#endif
    };
    for (const Case& c : cases) EXPECT_EQ(platform::displayText(c.name), c.shown) << c.shown;
}

}  // namespace
