#pragma once

#include "controls.h"

#include "browse/lists.h"

#include <functional>
#include <string>

namespace window {

// What a drive row shows: the drive's text, and its label or file system type
// beside it, escaped.
std::string driveRowText(const platform::Drive& drive);

// Dir1's and File1's rows as both windows show them, in UTF-8, every name
// escaped so that two that differ never look the same. Dir1's rows run from
// its top entry (a drive's root) down: row 0 is entry firstIndex(). The
// lists themselves speak only in their own indexes.
class Rows {
public:
    explicit Rows(const browse::Lists& lists) : lists_(lists) {}

    int count(Control list) const;
    std::string text(Control list, int row) const;
    // How many steps a row is indented: Dir1's ancestors by their depth, the
    // open folder below them, its subfolders one step further.
    int indent(Control list, int row) const;
    // Dir1: whether a row is the open folder or one of its ancestors (an
    // open folder) or one below it (closed).
    bool isOpenFolder(int row) const;
    // Dir1: the whole path of a row, for its tip.
    std::string pathText(int row) const;
    // What a screen reader says of a row beside its text: Dir1's level, and
    // whether the folder is open (the open one and its ancestors) or closed.
    std::string spokenState(Control list, int row) const;
    // Dir1: entry index and row, one from the other.
    int indexOfRow(int row) const;
    int rowOf(int index) const;
    // The widest of the rows whose names are longest, as `measure` gives
    // the width of a row's text at its indent: Dir1's ancestors, and the
    // longest few hundred names the lists picked as they sorted them, so that
    // a list of a million rows costs what one of a thousand does. Every list
    // is made as wide as this.
    int widest(Control list, const std::function<int(const std::string& text, int indent)>& measure) const;

private:
    const browse::Lists& lists_;
};

}  // namespace window
