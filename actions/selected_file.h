#pragma once

#include "browse/list_coupling.h"

#include <filesystem>

namespace actions {

// The directory the file list shows, the separator and the selected name,
// joined as they stand: at a root the separator doubles, with no file selected
// the result ends in the separator. The directory is the one the name was
// listed in: it is the open directory, except after a directory change whose
// file list could not be read, when the name still belongs to the old one.
std::filesystem::path selectedFilePath(const browse::Lists& lists, char separator);

}  // namespace actions
