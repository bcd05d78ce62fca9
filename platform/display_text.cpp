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

// A decoded character, shown as itself unless it could pass for another text.
void appendShown(std::string& out, char32_t c) {
    switch (c) {
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
    }
    if (c < 0x20 || c == 0x7F) return appendEscape(out, "\\x%02X", static_cast<unsigned>(c));
    const bool invisibleOrTurning = (c >= 0x80 && c < 0xA0) || (c >= 0x202A && c <= 0x202E) ||
                                    (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F;
    if (invisibleOrTurning) return appendEscape(out, "\\u%04X", static_cast<unsigned>(c));
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
        if (c == '\\')
            out += "\\\\";  // so that no name can pass for an escape
        else
            appendShown(out, c);
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
                appendShown(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        if (high || low)
            appendEscape(out, "\\u%04X", static_cast<unsigned>(unit));
        else
            appendShown(out, unit);
    }
    return out;
}

}  // namespace

// Bytes on Linux, UTF-16 on Windows: overloading picks the build's own;
// the other is unused.
std::string displayText(NativeView text) { return shown(text); }

}  // namespace platform
