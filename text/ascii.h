#pragma once

namespace text {

// ASCII letters in one case, everything else as it is: for the names
// Windows compares so (devices, drive letters) and the natural order's key.
template <class Char>
constexpr Char asciiUpper(Char c) {
    return c >= Char('a') && c <= Char('z') ? Char(c - Char('a') + Char('A')) : c;
}
template <class Char>
constexpr Char asciiLower(Char c) {
    return c >= Char('A') && c <= Char('Z') ? Char(c - Char('A') + Char('a')) : c;
}

}  // namespace text
