#include "display_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace text {
namespace {

struct CodeRange {
    char32_t first, last;
};
struct CodePair {
    char32_t first, second;
    friend bool operator<(const CodePair& a, const CodePair& b) {
        return a.first != b.first ? a.first < b.first : a.second < b.second;
    }
};

#include "unicode_tables.inc"

// Shows as nothing, as a blank, as a box like any other, or as another code
// point does.
bool hidden(char32_t c) {
    const auto after = std::upper_bound(std::begin(hiddenCodePoints), std::end(hiddenCodePoints), c,
                                        [](char32_t value, const CodeRange& range) { return value < range.first; });
    return after != std::begin(hiddenCodePoints) && c <= std::prev(after)->last;
}

// `second` after `first` looks like the one code point they compose into.
bool composes(char32_t first, char32_t second) {
    constexpr char32_t leadFirst = 0x1100, leadCount = 19, vowelFirst = 0x1161, vowelCount = 21;
    constexpr char32_t trailFirst = 0x11A8, trailCount = 27, syllableFirst = 0xAC00, syllableCount = 11172;
    if (first >= leadFirst && first < leadFirst + leadCount && second >= vowelFirst && second < vowelFirst + vowelCount)
        return true;  // Hangul: a leading consonant and a vowel
    if (first >= syllableFirst && first < syllableFirst + syllableCount &&
        (first - syllableFirst) % (trailCount + 1) == 0 && second >= trailFirst && second < trailFirst + trailCount)
        return true;  // a syllable without a final consonant, and one
    return std::binary_search(std::begin(composingPairs), std::end(composingPairs), CodePair{first, second});
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendEscape(std::string& out, const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    out += text;
}

// On Linux an escape starts with a backslash, and a real one is doubled. A
// Windows name holds no backslash but its path does, so there an escape is
// written with the angle brackets no Windows name may hold.
enum class Escapes { Backslash, Angle };

// One unit of a name: a character, or a byte or UTF-16 unit that is none.
struct Unit {
    char32_t value;
    bool character;
};

void appendEscaped(std::string& out, const Unit& unit, Escapes style) {
    if (style == Escapes::Angle) return appendEscape(out, "<U+%04X>", static_cast<unsigned>(unit.value));
    if (!unit.character) return appendEscape(out, "\\x%02X", static_cast<unsigned>(unit.value));
    switch (unit.value) {
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
    }
    appendEscape(out, unit.value < 0x80 ? "\\x%02X" : "\\u%04X", static_cast<unsigned>(unit.value));
}

std::string shownUnits(const std::vector<Unit>& units, Escapes style) {
    const auto blank = [](const Unit& unit) { return unit.character && unit.value == ' '; };
    const size_t leading = static_cast<size_t>(std::find_if_not(units.begin(), units.end(), blank) - units.begin());
    const size_t trailing = static_cast<size_t>(std::find_if_not(units.rbegin(), units.rend(), blank) - units.rbegin());
    std::string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        const Unit& unit = units[i];
        const bool atAnEnd = i < leading || i >= units.size() - trailing;
        const bool composed = i > 0 && units[i - 1].character && composes(units[i - 1].value, unit.value);
        if (!unit.character || hidden(unit.value) || composed || (atAnEnd && blank(unit)))
            appendEscaped(out, unit, style);
        else if (unit.value == '\\' && style == Escapes::Backslash)
            out += "\\\\";
        else
            appendUtf8(out, unit.value);
    }
    return out;
}

// The length of the well-formed UTF-8 sequence at the start of `s`, or 0.
size_t utf8Length(std::string_view s, char32_t& c) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    size_t length = 0;
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, c = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, c = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, c = lead & 0x07;
    else
        return 0;
    if (s.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

std::string shown(std::string_view text) {
    std::vector<Unit> units;
    units.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const size_t length = utf8Length(text.substr(i), c);
        if (length == 0) {
            units.push_back({static_cast<unsigned char>(text[i++]), false});
            continue;
        }
        units.push_back({c, true});
        i += length;
    }
    return shownUnits(units, Escapes::Backslash);
}

std::string shown(std::wstring_view text) {
    std::vector<Unit> units;
    units.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = static_cast<char16_t>(text[i]);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()) {
            const char32_t next = static_cast<char16_t>(text[i + 1]);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                units.push_back({0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), true});
                ++i;
                continue;
            }
        }
        units.push_back({unit, !(unit >= 0xD800 && unit <= 0xDFFF)});
    }
    return shownUnits(units, Escapes::Angle);
}

}  // namespace

std::string displayText(std::string_view text) { return shown(text); }
std::string displayText(std::wstring_view text) { return shown(text); }

std::u32string caseFolded(std::string_view text) {
    std::u32string folded;
    folded.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const size_t length = utf8Length(text.substr(i), c);
        if (length == 0) c = static_cast<unsigned char>(text[i]);
        i += std::max<size_t>(length, 1);
        const auto fold = std::lower_bound(std::begin(simpleCaseFolds), std::end(simpleCaseFolds), CodePair{c, 0});
        folded += fold != std::end(simpleCaseFolds) && fold->first == c ? fold->second : c;
    }
    return folded;
}

}  // namespace text
