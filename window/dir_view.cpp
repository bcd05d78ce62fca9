#include "dir_view.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace window {
namespace {

constexpr int indentPixels = 10;

// The last name of a path text; a root shows whole.
QString entryName(const std::string& path, char separator) {
    const size_t at = path.find_last_of(separator);
    if (at == std::string::npos || at + 1 == path.size()) return QFile::decodeName(path.c_str());
    return QFile::decodeName(path.c_str() + at + 1);
}

// Indents each row by its depth below the root.
class IndentingDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + indentPixels * index.data(DirListModel::DepthRole).toInt());
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

}  // namespace

DirListModel::DirListModel(const browse::DirList& dirs, QObject* parent)
    : ListModel(parent),
      dirs_(dirs),
      openFolder_(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon)),
      closedFolder_(QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon)) {}

int DirListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : dirs_.listCount() - dirs_.firstIndex();
}

QVariant DirListModel::data(const QModelIndex& index, int role) const {
    const int listIndex = listIndexOf(index.row());
    if (!index.isValid() || !dirs_.hasEntry(listIndex)) return {};
    switch (role) {
    case Qt::DisplayRole: return entryName(dirs_.list(listIndex).native(), dirs_.separator());
    case Qt::ToolTipRole: return QFile::decodeName(dirs_.list(listIndex).c_str());
    case Qt::DecorationRole: return listIndex < 0 ? openFolder_ : closedFolder_;
    case DepthRole: return listIndex < 0 ? index.row() : -dirs_.firstIndex();
    default: return {};
    }
}

DirView::DirView(browse::DirList& dirs, Guard guard, QWidget* parent)
    : QListView(parent), dirs_(dirs), model_(dirs, this), guard_(std::move(guard)) {
    setUpListView(*this, model_);
    setItemDelegate(new IndentingDelegate(this));

    dirs_.contentsChanged.subscribe([this] {
        model_.reload();
        showHighlight();
    });
    dirs_.highlightChanged.subscribe([this] { showHighlight(); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) dirs_.setListIndex(model_.listIndexOf(current.row()));
            });
    connect(this, &QListView::doubleClicked, this, &DirView::openEntry);
    showHighlight();
}

void DirView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openEntry(currentIndex());
        return;
    }
    QListView::keyPressEvent(event);
}

void DirView::openEntry(const QModelIndex& index) {
    if (!index.isValid()) return;
    const std::string path = dirs_.list(model_.listIndexOf(index.row())).native();
    guard_([&] { dirs_.setPath(path); });
}

void DirView::showHighlight() {
    const QModelIndex row = model_.index(model_.rowOf(dirs_.listIndex()));
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    scrollTo(row);
}

}  // namespace window
