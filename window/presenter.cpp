#include "presenter.h"

#include "form_description.h"

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
    if (row >= 0 && row < rows_.count(Control::Dir1))
        raise(Control::Dir1, Event::Highlight, rows_.indexOfRow(row));
    else
        showChanges();  // nothing takes the highlight away
}

void Presenter::openDirectory(int row) {
    if (row >= 0 && row < rows_.count(Control::Dir1)) raise(Control::Dir1, Event::Change, rows_.indexOfRow(row));
}

void Presenter::selectFile(int row) {
    file_.row = row;
    raise(Control::File1, Event::Select, row);
}

void Presenter::activate(Control list, int row) {
    if (list == Control::Dir1)
        openDirectory(row);
    else if (list == Control::File1 && row != file_.row)
        selectFile(row);
}

bool Presenter::key(Control control, Key key, std::string_view text, Modifiers modifiers, std::uint64_t timeMs) {
    const bool list = control == Control::Dir1 || control == Control::File1;
    if (key == Key::Return) {
        if (control == Control::Dir1)
            openDirectory(dir_.row);
        else if (form1.has(control) && form1.kindOf(control) == ControlClass::CommandButton)
            click(control);
        return true;
    }
    if (!list || !typesText(text, modifiers)) return false;
    type(control, text, timeMs);
    return true;
}

void Presenter::focus(Control) { typeAhead_ = TypeAhead(); }

void Presenter::type(Control list, std::string_view text, std::uint64_t timeMs) {
    const std::optional<int> row = typeAhead_.type(text, timeMs, shown(list).row, rows_.count(list),
                                                   [&](int row) { return rows_.text(list, row); });
    // The row found is shown as the list's answer, not as the user's own pick.
    if (!row) return;
    if (list == Control::Dir1)
        raise(Control::Dir1, Event::Highlight, rows_.indexOfRow(*row));
    else
        raise(Control::File1, Event::Select, *row);
}

void Presenter::raise(Control control, Event event, int item) {
    if (raising_) {
        // However often the drives change meanwhile, they are read once after.
        const auto rereadsDrives = [](Event e) { return e == Event::DrivesChanged || e == Event::DropDown; };
        const bool rereadWaits = std::any_of(waiting_.begin(), waiting_.end(),
                                             [&](const Waiting& waiting) { return rereadsDrives(waiting.event); });
        if (!(rereadsDrives(event) && rereadWaits)) waiting_.push_back({control, event, item});
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
    bool newRows = false;
    const auto show = [&](Control list, std::optional<unsigned> generation, int row) {
        Shown& shown = this->shown(list);
        const bool replaced = list == Control::Drive1 ? newDrives : shown.generation != generation;
        shown.generation = generation;
        if (replaced && list != Control::Drive1) view_->showRowCount(list, rows_.count(list));
        if (replaced || shown.row != row) view_->showSelection(list, row);
        shown.row = row;
        newRows = newRows || replaced;
    };
    show(Control::Drive1, std::nullopt, lists_.drive1().listIndex());
    const browse::DirList& dirs = lists_.dir1();
    show(Control::Dir1, dirs.generation(), rows_.count(Control::Dir1) > 0 ? rows_.rowOf(dirs.listIndex()) : -1);
    show(Control::File1, lists_.file1().generation(), lists_.file1().listIndex());
    if (newRows) typeAhead_ = TypeAhead();  // letters typed before belong to rows that are gone
}

}  // namespace window
