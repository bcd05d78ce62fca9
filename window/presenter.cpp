#include "presenter.h"

#include "row_texts.h"

#include "platform/display_text.h"

#include <algorithm>

namespace window {

void Presenter::attach(ListsView* view) {
    view_ = view;
    shownDrives_.reset();
    drive_ = dir_ = file_ = Shown{};
}

void Presenter::start() {
    raise(Control::Form1, Event::Load, -1);  // shows what it changed
    if (view_) view_->showWindow();
}

void Presenter::pickDrive(int row) {
    drive_.row = row;
    raise(Control::Drive1, Event::Change, row);
}

void Presenter::highlightDirectory(int row) {
    dir_.row = row;
    if (row >= 0 && row < rowCount(Control::Dir1))
        raise(Control::Dir1, Event::Highlight, lists_.dir1().indexOfRow(row));
    else
        showChanges();  // nothing takes the highlight away
}

void Presenter::openDirectory(int row) {
    if (row >= 0 && row < rowCount(Control::Dir1)) raise(Control::Dir1, Event::Change, lists_.dir1().indexOfRow(row));
}

void Presenter::selectFile(int row) {
    file_.row = row;
    raise(Control::File1, Event::Select, row);
}

void Presenter::type(Control list, std::string_view text, std::uint64_t timeMs) {
    TypeAhead& typeAhead = list == Control::Dir1 ? dirTypeAhead_ : fileTypeAhead_;
    const std::optional<int> row = typeAhead.type(text, timeMs, shownRow(list), rowCount(list),
                                                  [&](int row) { return rowText(list, row); });
    // The row found is shown as the list's answer, not as the user's own pick.
    if (!row) return;
    if (list == Control::Dir1)
        raise(Control::Dir1, Event::Highlight, lists_.dir1().indexOfRow(*row));
    else
        raise(Control::File1, Event::Select, *row);
}

int Presenter::rowCount(Control list) const {
    return list == Control::Dir1 ? lists_.dir1().rowCount() : lists_.file1().listCount();
}

std::string Presenter::rowText(Control list, int row) const {
    return list == Control::Dir1 ? dirRowText(lists_.dir1(), row) : fileRowText(lists_.file1(), row);
}

int Presenter::indent(Control list, int row) const {
    return list == Control::Dir1 ? dirRowIndent(lists_.dir1(), row) : 0;
}

bool Presenter::isOpenFolder(int row) const { return lists_.dir1().indexOfRow(row) < 0; }

std::string Presenter::pathText(int row) const {
    const browse::DirList& dirs = lists_.dir1();
    const int index = dirs.indexOfRow(row);
    return dirs.hasEntry(index) ? platform::displayText(dirs.list(index).native()) : std::string();
}

std::vector<int> Presenter::longestRows(Control list, int limit) const {
    const browse::DirList& dirs = lists_.dir1();
    const browse::FileList& files = lists_.file1();
    std::vector<std::pair<size_t, int>> rows;  // (length, row)
    const int count = rowCount(list);
    rows.reserve(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row)
        rows.emplace_back(list == Control::Dir1 ? dirs.shownName(dirs.indexOfRow(row)).size() + 2 * indent(list, row)
                                                : files.name(row).size(),
                          row);
    if (rows.size() > static_cast<size_t>(limit)) {
        std::nth_element(rows.begin(), rows.begin() + limit, rows.end(), std::greater<>());
        rows.resize(static_cast<size_t>(limit));
    }
    std::vector<int> longest;
    for (const auto& [length, row] : rows) longest.push_back(row);
    return longest;
}

void Presenter::raise(Control control, Event event, int item) {
    if (raising_) {
        // However often the drives change meanwhile, they are read once after.
        const bool rereadsDrives = event == Event::DrivesChanged || event == Event::DropDown;
        const bool rereadWaits = std::any_of(waiting_.begin(), waiting_.end(), [](const Waiting& waiting) {
            return waiting.event == Event::DrivesChanged || waiting.event == Event::DropDown;
        });
        if (!(rereadsDrives && rereadWaits)) waiting_.push_back({control, event, item});
        return;
    }
    struct Raising {
        Presenter& self;
        explicit Raising(Presenter& self) : self(self) { self.raising_ = true; }
        ~Raising() {
            self.raising_ = false;
            self.waiting_.clear();
        }
    } raising(*this);
    input_.raise(control, event, item);
    // Once the window is gone (Exit), what waited has nothing left to act on.
    while (!waiting_.empty() && view_) {
        const Waiting next = waiting_.front();
        waiting_.pop_front();
        input_.raise(next.control, next.event, next.item);
    }
    showChanges();
}

Presenter::Shown& Presenter::shown(Control list) {
    return list == Control::Drive1 ? drive_ : list == Control::Dir1 ? dir_ : file_;
}

void Presenter::showChanges() {
    if (!view_) return;
    std::vector<std::string> drives;
    for (const platform::Drive& drive : lists_.drive1().drives()) drives.push_back(driveRowText(drive));
    const bool newDrives = shownDrives_ != drives;
    if (newDrives) {
        view_->showDrives(drives);
        shownDrives_ = std::move(drives);
    }
    const auto show = [this](Control list, bool newRows, int row) {
        Shown& shown = this->shown(list);
        if (newRows && list != Control::Drive1) view_->showRowCount(list, rowCount(list));
        if (newRows || shown.row != row) view_->showSelection(list, row);
        shown.row = row;
    };
    show(Control::Drive1, newDrives, lists_.drive1().listIndex());

    const browse::DirList& dirs = lists_.dir1();
    const bool newDirRows = dir_.generation != dirs.generation();
    dir_.generation = dirs.generation();
    show(Control::Dir1, newDirRows, dirs.rowCount() > 0 ? dirs.rowOf(dirs.listIndex()) : -1);

    const browse::FileList& files = lists_.file1();
    const bool newFileRows = file_.generation != files.generation();
    file_.generation = files.generation();
    show(Control::File1, newFileRows, files.listIndex());
}

}  // namespace window
