#pragma once

#include "native.h"

#include <vector>

namespace platform {

// A root's path text ends in the separator; no other directory's does.
bool isRootText(const Path& directory, NativeChar separator);

// The path text of an entry inside `directory`: one separator between, none
// added after a root's own.
Path childPath(const Path& directory, NativeView name, NativeChar separator);
// `directory`, the separator and `name`, the separator always put in, even
// after a root's own: as the tool's command lines are written.
NativeString separatorJoined(const Path& directory, NativeView name, NativeChar separator);

// The directories from `top` down to the parent of `directory`, which lies
// below `top`. A directory that is `top` itself, or not below it, has none.
std::vector<Path> ancestorsBelow(const Path& top, const Path& directory, NativeChar separator);

}  // namespace platform
