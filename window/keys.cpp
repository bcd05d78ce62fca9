#include "keys.h"

namespace window {

bool typesText(std::string_view text, Modifiers modifiers) {
    if (text.empty()) return false;
    const auto first = static_cast<unsigned char>(text[0]);
    const bool control = first < 0x20 || first == 0x7F ||
                         (first == 0xC2 && text.size() > 1 && static_cast<unsigned char>(text[1]) < 0xA0);  // C1
    if (control || first == ' ') return false;
    const bool altGr = modifiers.control && modifiers.alt;
    return altGr || !(modifiers.control || modifiers.alt || modifiers.meta);
}

}  // namespace window
