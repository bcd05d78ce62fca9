#pragma once

#include "platform/name_list.h"

#include <string>
#include <string_view>

namespace browse {

// A key whose plain byte order is the order people expect of names: letters
// without regard to ASCII case, runs of digits by their value ("file2" before
// "file10"). Bytes outside ASCII keep their own order.
std::string naturalKey(std::string_view name);

// The names in that order; equal keys fall back to the names' bytes, so the
// order is total and the same on every run. Each name's key is made once.
platform::NameList sortedNaturally(const platform::NameList& names);

}  // namespace browse
