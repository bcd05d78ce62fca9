#pragma once

#include "browse/lists.h"

// Opens `target` as a user does, from Dir1's top entry down one entry at a
// time; `open(index)` opens Dir1's entry `index`. Stops where no entry leads on.
template <class Open>
void openDown(const browse::Lists& lists, const platform::Path& target, Open open) {
    const auto separator = lists.fileSystem().separator();
    const platform::NativeString wanted = target.native() + separator;
    open(lists.dir1().firstIndex());
    while (lists.dir1().path() != target) {
        int next = 0;
        while (next < lists.dir1().listCount() && !wanted.starts_with(lists.dir1().list(next).native() + separator))
            ++next;
        if (next == lists.dir1().listCount()) return;
        open(next);
    }
}
