#include "row_texts.h"

#include "platform/display_text.h"

namespace window {

std::string driveRowText(const platform::Drive& drive) {
    std::string text = platform::displayText(drive.text);
    if (!drive.label.empty()) text += "  " + platform::displayText(drive.label);
    return text;
}

std::string dirRowText(const browse::DirList& dirs, int row) {
    const int index = dirs.indexOfRow(row);
    return dirs.hasEntry(index) ? platform::displayText(dirs.shownName(index)) : std::string();
}

int dirRowIndent(const browse::DirList& dirs, int row) {
    const int index = dirs.indexOfRow(row);
    return dirs.hasEntry(index) ? dirs.depthOf(index) : 0;
}

std::string fileRowText(const browse::FileList& files, int row) {
    return row >= 0 && row < files.listCount() ? platform::displayText(files.name(row)) : std::string();
}

}  // namespace window
