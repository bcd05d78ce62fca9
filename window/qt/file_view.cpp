#include "file_view.h"

#include "window/row_texts.h"

namespace window {

int FileListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : files_.listCount(); }

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= files_.listCount() || role != Qt::DisplayRole) return {};
    return QString::fromStdString(fileRowText(files_, index.row()));
}

FileView::FileView(const browse::FileList& files, std::function<void(Event, int)> raise, QWidget* parent)
    : ListView(parent), files_(files), raise_(std::move(raise)), model_(files, this) {
    setUp(model_, [this](int row) { raise_(Event::Select, row); });
}

void FileView::showList() {
    show(files_.generation(), files_.listIndex(), [this](int row) { return files_.name(row).size(); });
}

}  // namespace window
