#pragma once

#include <string_view>

namespace window {

// The keys whose meaning both windows share; every other key is Other and
// keeps its toolkit's meaning (arrows, Tab, Space, paging).
enum class Key { Return, Other };  // Enter on the keypad is Return too

struct Modifiers {
    bool control = false, alt = false, meta = false;
};

// Whether a keystroke types `text` into a list: printable, not a blank
// (Space selects, as in every list), without Control, Alt or Meta, but with
// AltGr, which Windows reports as Control and Alt together.
bool typesText(std::string_view text, Modifiers modifiers);

}  // namespace window
