#include "rows.h"

#include "text/display_text.h"

#include <algorithm>

namespace window {

std::string driveRowText(const platform::Drive& drive) {
    std::string text = text::displayText(drive.text);
    if (!drive.label.empty()) text += "  " + text::displayText(drive.label);
    return text;
}

int Rows::count(Control list) const {
    if (list != Control::Dir1) return lists_.file1().listCount();
    const browse::DirList& dirs = lists_.dir1();
    return dirs.path().empty() ? 0 : dirs.listCount() - dirs.firstIndex();
}

int Rows::indexOfRow(int row) const { return row + lists_.dir1().firstIndex(); }

int Rows::rowOf(int index) const { return index - lists_.dir1().firstIndex(); }

std::string Rows::text(Control list, int row) const {
    if (list == Control::Dir1) {
        const int index = indexOfRow(row);
        return lists_.dir1().hasEntry(index) ? text::displayText(lists_.dir1().shownName(index)) : std::string();
    }
    const browse::FileList& files = lists_.file1();
    return row >= 0 && row < files.listCount() ? text::displayText(files.name(row)) : std::string();
}

int Rows::indent(Control list, int row) const {
    if (list != Control::Dir1 || row < 0 || row >= count(list)) return 0;
    const int openFolder = rowOf(-1);
    return std::min(row, openFolder + 1);
}

bool Rows::isOpenFolder(int row) const { return indexOfRow(row) < 0; }

std::string Rows::pathText(int row) const {
    const browse::DirList& dirs = lists_.dir1();
    const int index = indexOfRow(row);
    return dirs.hasEntry(index) ? text::displayText(dirs.list(index).native()) : std::string();
}

std::string Rows::spokenState(Control list, int row) const {
    if (list != Control::Dir1 || row < 0 || row >= count(list)) return {};
    return std::string(isOpenFolder(row) ? "open folder" : "folder") + ", level " +
           std::to_string(indent(list, row) + 1);
}

int Rows::widest(Control list, const std::function<int(const std::string& text, int indent)>& measure) const {
    int widest = 0;
    if (list != Control::Dir1) {
        for (const platform::NativeView name : lists_.file1().longestNames())
            widest = std::max(widest, measure(text::displayText(name), 0));
        return widest;
    }
    if (count(list) == 0) return 0;
    const int subfolders = rowOf(0);
    for (int row = 0; row < subfolders; ++row) widest = std::max(widest, measure(text(list, row), indent(list, row)));
    for (const platform::NativeView name : lists_.dir1().longestSubdirectoryNames())
        widest = std::max(widest, measure(text::displayText(name), subfolders));
    return widest;
}

}  // namespace window
