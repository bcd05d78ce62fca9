#pragma once

#include "native.h"

#include <string>

namespace platform {

// A name or path as the user is shown it, in UTF-8: exact wherever it can be.
// What cannot be shown exactly is written as an escape: bytes that are not
// UTF-8 (\xFE), control characters (\n, \x01), and characters that show as
// nothing, turn the text around or break the line (\u200B, \u202E,
// \u2028); on Linux a real backslash is doubled. On Windows, whose paths hold
// backslashes, escapes are written <U+202E> (lone surrogates too), as no
// Windows name holds "<". So two names that differ always look different,
// and a name is never acted on by this text.
std::string displayText(NativeView text);

}  // namespace platform
