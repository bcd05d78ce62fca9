#include "selected_file.h"

#include "browse/file_list.h"

namespace actions {

std::filesystem::path selectedFilePath(const browse::Lists& lists, char separator) {
    std::string text = lists.file1.path().native();
    text += separator;
    text += lists.file1.fileName().native();
    return text;
}

}  // namespace actions
