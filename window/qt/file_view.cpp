#include "file_view.h"

#include "platform/display_text.h"

#include <QScopedValueRollback>

namespace window {

int FileListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : files_.listCount(); }

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= files_.listCount() || role != Qt::DisplayRole) return {};
    return QString::fromStdString(platform::displayText(files_.name(index.row())));
}

FileView::FileView(const browse::FileList& files, std::function<void(Event, int)> raise, QWidget* parent)
    : QListView(parent), files_(files), raise_(std::move(raise)), model_(files, this), delegate_(this) {
    setUpListView(*this, model_, delegate_);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (showing_) return;
        const QModelIndexList rows = selectionModel()->selectedRows();
        raise_(Event::Select, rows.isEmpty() ? -1 : rows.first().row());
    });
}

void FileView::showList() {
    const QScopedValueRollback guard(showing_, true);
    const bool reloaded = shownGeneration_ != files_.generation();
    if (reloaded) {
        shownGeneration_ = files_.generation();
        model_.reload();
        delegate_.measure(*this, [this](int row) { return files_.name(row).size(); });
    }
    const int selected = files_.listIndex();
    const QModelIndexList shown = selectionModel()->selectedRows();
    if (!reloaded && (shown.isEmpty() ? -1 : shown.first().row()) == selected) return;  // keep where the user scrolled
    if (selected < 0) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex row = model_.index(selected);
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    scrollTo(row);
}

}  // namespace window
