#pragma once

#include "native.h"

#include <string>

namespace platform {

// A name or path as the user is shown it, in UTF-8: exact wherever it can be.
// What cannot be shown exactly is written as an escape: bytes that are not
// UTF-8 (\xFE), lone UTF-16 surrogates (\uD800), control characters (\n, \t,
// \x01) and direction overrides (\u202E); on Linux a backslash is doubled. So
// two names that differ always look different, and a name is never acted on
// by this text.
std::string displayText(NativeView text);

}  // namespace platform
