#pragma once

#include "browse/dir_list.h"
#include "browse/file_list.h"
#include "platform/file_system.h"

#include <string>

namespace window {

// What a row of each list shows, in UTF-8, every name and label escaped so
// that two that differ never look the same. Both windows draw these texts.
std::string driveRowText(const platform::Drive& drive);
// A Dir1 row: the last name of its entry, a root whole.
std::string dirRowText(const browse::DirList& dirs, int row);
// How many steps a Dir1 row is indented.
int dirRowIndent(const browse::DirList& dirs, int row);
std::string fileRowText(const browse::FileList& files, int row);

}  // namespace window
