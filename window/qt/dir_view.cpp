#include "dir_view.h"

#include "platform/display_text.h"
#include "window/row_texts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>

namespace window {

DirListModel::DirListModel(const browse::DirList& dirs, QObject* parent)
    : ListModel(parent),
      dirs_(dirs),
      openFolder_(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon)),
      closedFolder_(QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon)) {}

int DirListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : dirs_.rowCount(); }

QVariant DirListModel::data(const QModelIndex& index, int role) const {
    const int listIndex = dirs_.indexOfRow(index.row());
    if (!index.isValid() || !dirs_.hasEntry(listIndex)) return {};
    switch (role) {
    case Qt::DisplayRole: return QString::fromStdString(dirRowText(dirs_, index.row()));
    case Qt::ToolTipRole: return QString::fromStdString(platform::displayText(dirs_.list(listIndex).native()));
    case Qt::DecorationRole: return listIndex < 0 ? openFolder_ : closedFolder_;
    case DepthRole: return dirRowIndent(dirs_, index.row());
    default: return {};
    }
}

DirView::DirView(const browse::DirList& dirs, std::function<void(Event, int)> raise, QWidget* parent)
    : ListView(parent), dirs_(dirs), raise_(std::move(raise)), model_(dirs, this) {
    setUp(model_, [this](int row) {
        if (row < 0)
            showList();  // the highlight stays where the list has it
        else
            raise_(Event::Highlight, row);
    });
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex& index) { raise_(Event::Change, index.row()); });
}

QItemSelectionModel::SelectionFlags DirView::selectionCommand(const QModelIndex& index, const QEvent* event) const {
    // Nothing deselects: not a click below the last row, not Ctrl+click or
    // Ctrl+Space on the highlighted row.
    if (!index.isValid()) return QItemSelectionModel::NoUpdate;
    const auto command = QListView::selectionCommand(index, event);
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) return QItemSelectionModel::ClearAndSelect;
    return command;
}

void DirView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        raise_(Event::Change, dirs_.rowOf(dirs_.listIndex()));
        return;
    }
    QListView::keyPressEvent(event);
}

void DirView::showList() {
    show(dirs_.generation(), dirs_.rowOf(dirs_.listIndex()),
         [this](int row) { return dirs_.shownName(dirs_.indexOfRow(row)).size(); });
}

}  // namespace window
