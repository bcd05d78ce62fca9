#include "file_view.h"

#include <QFile>

namespace window {

FileListModel::FileListModel(const browse::FileList& files, QObject* parent)
    : ListModel(parent), files_(files) {}

int FileListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : files_.listCount(); }

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= files_.listCount() || role != Qt::DisplayRole) return {};
    const std::string_view name = files_.name(index.row());
    return QFile::decodeName(QByteArray::fromRawData(name.data(), static_cast<qsizetype>(name.size())));
}

FileView::FileView(browse::FileList& files, QWidget* parent)
    : QListView(parent), files_(files), model_(files, this) {
    setUpListView(*this, model_);

    files_.contentsChanged.subscribe([this] {
        model_.reload();
        showSelection();
    });
    files_.selectionChanged.subscribe([this] { showSelection(); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = selectionModel()->selectedRows();
        files_.setListIndex(rows.isEmpty() ? -1 : rows.first().row());
    });
}

void FileView::showSelection() {
    const int selected = files_.listIndex();
    if (selected < 0) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex row = model_.index(selected);
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    scrollTo(row);
}

}  // namespace window
