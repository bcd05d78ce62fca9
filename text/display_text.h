#pragma once

#include <string>
#include <string_view>

namespace text {

// A name, path or label as the user is shown it, in UTF-8: exact wherever it
// can be. What would look like something else is written as an escape: bytes
// that are not UTF-8 (\xFE), control characters (\n, \x01), code points that
// show as nothing or as a blank (Unicode's default-ignorable ones, the bidi
// controls, every space but the plain blank), unassigned and private ones
// (they all show as the same box), ones that look like another code point
// (U+212A, the Kelvin sign), a combining mark that would look like the
// composed letter, and a blank at either end. On Linux a real backslash is
// doubled. On Windows, whose paths hold backslashes, escapes are written
// <U+202E> (lone surrogates too), as no Windows name holds "<". So two names
// that differ never look the same, and a name is never acted on by this text.
std::string displayText(std::string_view text);   // bytes, as Linux names them
std::string displayText(std::wstring_view text);  // UTF-16, as Windows names them

// UTF-8 text with every letter in one case, by Unicode's simple case folding,
// so that texts that differ only in case compare equal.
std::u32string caseFolded(std::string_view text);

}  // namespace text
