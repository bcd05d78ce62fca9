#include "display_text.h"

#include <cstdint>
#include <cstdio>

namespace platform {
namespace {

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

// Characters that show as nothing, turn the text around or break the line,
// so that a name holding one could pass for another text.
bool deceives(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0xAD || c == 0x061C || c == 0x180E ||
           (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x2069) ||
           c == 0xFEFF;
}

// On Linux an escape starts with a backslash, and a real one is doubled. A
// Windows name holds no backslash but its path does, so there an escape is
// written with the angle brackets no Windows name may hold.
enum class Escapes { Backslash, Angle };

void appendEscaped(std::string& out, char32_t c, Escapes style) {
    if (style == Escapes::Angle) return appendEscape(out, "<U+%04X>", static_cast<unsigned>(c));
    switch (c) {
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
    }
    appendEscape(out, c < 0x80 ? "\\x%02X" : "\\u%04X", static_cast<unsigned>(c));
}

// A decoded character, shown as itself unless it could pass for another text.
void appendShown(std::string& out, char32_t c, Escapes style) {
    if (deceives(c)) return appendEscaped(out, c, style);
    if (c == '\\' && style == Escapes::Backslash) {
        out += "\\\\";
        return;
    }
    appendUtf8(out, c);
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
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, c = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, c = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, c = lead & 0x07;
    else return 0;
    if (s.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

[[maybe_unused]] std::string shown(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const size_t length = utf8Length(text.substr(i), c);
        if (length == 0) {
            appendEscape(out, "\\x%02X", static_cast<unsigned char>(text[i++]));
            continue;
        }
        appendShown(out, c, Escapes::Backslash);
        i += length;
    }
    return out;
}

[[maybe_unused]] std::string shown(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = static_cast<char16_t>(text[i]);
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && i + 1 < text.size()) {
            const char32_t next = static_cast<char16_t>(text[i + 1]);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                appendShown(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), Escapes::Angle);
                ++i;
                continue;
            }
        }
        if (high || low)
            appendEscaped(out, unit, Escapes::Angle);
        else
            appendShown(out, unit, Escapes::Angle);
    }
    return out;
}

}  // namespace

// Bytes on Linux, UTF-16 on Windows: overloading picks the build's own;
// the other is unused.
std::string displayText(NativeView text) { return shown(text); }

}  // namespace platform
