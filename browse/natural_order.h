#pragma once

#include "platform/name_list.h"

namespace browse {

// The names in the order people expect: letters without regard to ASCII case,
// runs of digits by their value ("file2" before "file10"), bytes outside ASCII
// in their own order. Equal names by that measure fall back to their bytes,
// so the order is total and the same on every run. Each name's key is made once.
platform::NameList sortedNaturally(const platform::NameList& names);

}  // namespace browse
