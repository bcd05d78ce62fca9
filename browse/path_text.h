#pragma once

#include "platform/native.h"

#include <vector>

namespace browse {

using platform::NativeChar;
using platform::Path;

// A root's path text ends in the separator; no other directory's does.
bool isRootText(const Path& directory, NativeChar separator);

// The path text of an entry inside `directory`, with one separator between.
Path childPath(const Path& directory, platform::NativeView name, NativeChar separator);

// The directories from `top` down to the parent of `directory`, which lies
// below `top`. A directory that is `top` itself, or not below it, has none.
std::vector<Path> ancestorsBelow(const Path& top, const Path& directory, NativeChar separator);

}  // namespace browse
