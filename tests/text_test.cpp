#include "actions/tool_operand.h"
#include "browse/natural_sorter.h"
#include "text/display_text.h"
#include "window/rows.h"

#include <gtest/gtest.h>
#include <set>

#ifdef _WIN32
#include "platform/win32/wide_text.h"
#endif

using platform::Path;

namespace {

TEST(NaturalOrder, SortsAsPeopleReadNames) {
    struct Case {
        const char* name;
        std::vector<std::string> order;
    };
    const std::vector<Case> cases = {
        {"numbers by value", {"file2", "file10", "file100"}},
        {"case aside", {"a", "B", "c"}},
        {"letters before case", {"apple", "Zebra"}},
        {"equal values: the names themselves decide", {"x0", "x00", "x01", "x1", "x9"}},
        {"every number in a name", {"a1b2", "a1b10", "a2b1"}},
        {"digits before letters", {"1", "9", "10", "a"}},
        {"equal but for case", {"File", "file"}},
        {"punctuation by its code", {"pack-9", "pack.9", "pack9", "packa"}},
        {"versions", {"v1.9", "v1.10", "v1.10a", "v1.100"}},
        {"beyond any integer type", {"n99999999999999999999", "n100000000000000000000"}},
        // The sort looks at a name's first 16 key units at once; beyond them the whole key decides.
        {"a tie in the first 16 units, numbers after", {"the-same-long-start-2", "the-same-long-start-10"}},
        {"a tie in the first 16 units, case after", {"the-same-long-start-a", "the-same-long-start-B"}},
        {"a tie in the first 16 units, equal but for case after", {"the-same-long-start-X", "the-same-long-start-x"}},
    };
    for (const Case& c : cases) {
        platform::NameList shuffled;
        for (auto name = c.order.rbegin(); name != c.order.rend(); ++name) shuffled.add(Path(*name).native());
        platform::NoCheckpoints here;
        browse::NaturalSorter sorter(here);
        for (size_t i = 0; i < shuffled.blockCount(); ++i) sorter.filled(platform::Listed::Files, shuffled.block(i));
        const browse::SortedNames sorted = sorter.sorted(platform::Listed::Files, std::move(shuffled));
        std::vector<std::string> seen;
        for (size_t i = 0; i < sorted.size(); ++i) seen.push_back(Path(sorted[i]).string());
        EXPECT_EQ(seen, c.order) << c.name;
    }
}

// What cannot be shown exactly is escaped, so that names that differ look different.
TEST(DisplayText, ShowsNamesExactlyOrEscaped) {
    struct Case {
        platform::NativeString name;
        std::string shown;
    };
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
        {"\xC3", "\\xC3"},                    // cut short
        {"\xC0\xAF", "\\xC0\\xAF"},           // overlong
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},  // a surrogate
        {"back\\xFE", "back\\\\xFE"},         // a real backslash cannot pass for an escape
        {"gpj\xE2\x80\xAE"
         "exe",
         "gpj\\u202Eexe"},
        {"a\xE2\x80\x8B"
         "b\xE2\x80\xA8",
         "a\\u200Bb\\u2028"},  // nothing to see, a line break
#endif
    };
    for (const Case& c : cases) EXPECT_EQ(text::displayText(c.name), c.shown) << c.shown;
}

// Names that a person would read as "report.txt", or as one another: each
// shows differently. Letters that merely look alike (a Cyrillic o) stay.
TEST(DisplayText, NoTwoNamesLookTheSame) {
    struct Case {
        const char* name;
        std::string utf8;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {"plain", "report.txt", "report.txt"},
        {"a grapheme joiner", "report.txt\u034F", "report.txt\\u034F"},
        {"a tag character", "report.txt\U000E0020", "report.txt\\uE0020"},
        {"an inhibitor", "report.txt\u206A", "report.txt\\u206A"},
        {"a trailing blank", "report.txt ", "report.txt\\x20"},
        {"a leading blank", " report.txt", "\\x20report.txt"},
        {"Hangul fillers", "report\u115F\u1160\u3164\uFFA0.txt", "report\\u115F\\u1160\\u3164\\uFFA0.txt"},
        {"variation selectors", "report\uFE0F.txt\U000E0100", "report\\uFE0F.txt\\uE0100"},
        {"a no-break space", "report\u00A0.txt", "report\\u00A0.txt"},
        {"decomposed", "re\u0301port.txt", "re\\u0301port.txt"},
        {"composed", "r\u00E9port.txt", "r\u00E9port.txt"},
        {"the Kelvin sign", "\u212Aey", "\\u212Aey"},
        {"unassigned", "report.txt\U000E0FFF\u0378", "report.txt\\uE0FFF\\u0378"},
        {"a Cyrillic o, a letter", "rep\u043Ert.txt", "rep\u043Ert.txt"},
    };
    std::set<std::string> seen;
    for (const Case& c : cases) {
#ifdef _WIN32
        const std::string shown = text::displayText(platform::fromUtf8(c.utf8));
        std::string expected = c.shown;  // the same escapes, written <U+...>
        for (size_t at; (at = expected.find("\\u")) != std::string::npos;) {
            const size_t end = expected.find_first_not_of("0123456789ABCDEF", at + 2);
            expected.replace(at, end - at, "<U+" + expected.substr(at + 2, end - at - 2) + ">");
        }
        for (size_t at; (at = expected.find("\\x20")) != std::string::npos;) expected.replace(at, 4, "<U+0020>");
#else
        const std::string shown = text::displayText(c.utf8);
        const std::string expected = c.shown;
#endif
        EXPECT_EQ(shown, expected) << c.name;
        EXPECT_TRUE(seen.insert(shown).second) << c.name << " looks like another name";
    }
}

// A label is the system's text, and may hold anything a name can.
TEST(DisplayText, DriveLabelsAreEscapedLikeNames) {
    const platform::Drive drive{Path("[/mnt/lab]").native(), Path("/mnt/lab/").native(), Path("SAFE\n[/]").native()};
#ifdef _WIN32
    EXPECT_EQ(window::driveRowText(drive), "[/mnt/lab]  SAFE<U+000A>[/]");
#else
    EXPECT_EQ(window::driveRowText(drive), "[/mnt/lab]  SAFE\\n[/]");
#endif
}

// Where Windows' path rules apply, a name they would change or read as a
// device never reaches the tool; elsewhere only patterns are refused.
TEST(ToolOperand, RefusesWhatTheToolWouldReadAsOtherFiles) {
    struct Case {
        const char* name;
        std::wstring operand;
        bool refused;
    };
    const std::vector<Case> cases = {
        {"a plain file", L"C:\\maps\\a.txt", false},
        {"a root, doubled", L"C:\\\\a.txt", false},
        {"a UNC share", L"\\\\server\\share\\a.txt", false},
        {"dots inside", L"C:\\v1.2\\a..txt", false},
        {"a device-like name that is longer", L"C:\\CONSOLE.txt", false},
        {"a pattern", L"C:\\maps\\a*.txt", true},
        {"a trailing dot", L"C:\\maps\\a.txt.", true},
        {"a trailing blank", L"C:\\maps\\a.txt ", true},
        {"a folder with a trailing dot", L"C:\\maps.\\a.txt", true},
        {"a device", L"C:\\maps\\CON", true},
        {"a device with an extension", L"C:\\maps\\nul.txt", true},
        {"a numbered device", L"C:\\maps\\COM1", true},
        {"a numbered device in a folder's name", L"C:\\lpt9\\a.txt", true},
        {"a superscript device", L"C:\\maps\\LPT\u00B9.log", true},
        {"a device, blank before the dot", L"C:\\maps\\AUX .txt", true},
    };
    for (const Case& c : cases) EXPECT_EQ(actions::whyToolMisreads(c.operand).has_value(), c.refused) << c.name;
    EXPECT_FALSE(actions::whyToolMisreads(std::string_view("/maps/CON.txt.")));  // Linux names are what they are
    EXPECT_TRUE(actions::whyToolMisreads(std::string_view("/maps/a?.txt")));
}

}  // namespace
