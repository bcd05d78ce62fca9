#include "list_views.h"

#include "window/layout.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QStyle>
#include <algorithm>
#include <chrono>

namespace window {

RowsModel::RowsModel(const Presenter& presenter, Control list, QObject* parent)
    : QAbstractListModel(parent),
      presenter_(presenter),
      list_(list),
      openFolder_(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon)),
      closedFolder_(QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon)) {}

int RowsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : presenter_.rowCount(list_); }

QVariant RowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= presenter_.rowCount(list_)) return {};
    const bool dir1 = list_ == Control::Dir1;
    switch (role) {
    case Qt::DisplayRole: return QString::fromStdString(presenter_.rowText(list_, index.row()));
    case Qt::ToolTipRole: return dir1 ? QString::fromStdString(presenter_.pathText(index.row())) : QVariant();
    case Qt::DecorationRole:
        return dir1 ? (presenter_.isOpenFolder(index.row()) ? openFolder_ : closedFolder_) : QVariant();
    case IndentRole: return presenter_.indent(list_, index.row());
    default: return {};
    }
}

void RowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem shifted(option);
    shifted.rect.setLeft(option.rect.left() + dirIndentPixels * index.data(RowsModel::IndentRole).toInt());
    QStyledItemDelegate::paint(painter, shifted, index);
}

QSize RowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QSize own = QStyledItemDelegate::sizeHint(option, index);
    return {std::max(width_, own.width() + dirIndentPixels * index.data(RowsModel::IndentRole).toInt()), own.height()};
}

void RowDelegate::measure(const QListView& view, const std::vector<int>& rows) {
    QStyleOptionViewItem option;
    option.initFrom(&view);
    width_ = 0;
    int widest = 0;
    for (int row : rows) widest = std::max(widest, sizeHint(option, view.model()->index(row, 0)).width());
    width_ = widest;
}

ListView::ListView(Presenter& presenter, Control list, QWidget* parent)
    : QListView(parent), presenter_(presenter), list_(list), model_(presenter, list, this) {
    setModel(&model_);
    setItemDelegate(&delegate_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (showing_) return;
        const QModelIndexList rows = selectionModel()->selectedRows();
        selectedByUser(rows.isEmpty() ? -1 : rows.first().row());
    });
    if (list == Control::Dir1)
        connect(this, &QListView::doubleClicked, this, [this](const QModelIndex& index) { presenter_.openDirectory(index.row()); });
}

void ListView::selectedByUser(int row) {
    if (list_ == Control::Dir1)
        presenter_.highlightDirectory(row);
    else
        presenter_.selectFile(row);
}

void ListView::reload() {
    const QScopedValueRollback guard(showing_, true);
    model_.reload();
    constexpr int measuredAtMost = 256;
    delegate_.measure(*this, presenter_.longestRows(list_, measuredAtMost));
}

void ListView::showSelected(int row) {
    const QScopedValueRollback guard(showing_, true);
    if (row < 0) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model_.index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

QItemSelectionModel::SelectionFlags ListView::selectionCommand(const QModelIndex& index, const QEvent* event) const {
    const auto command = QListView::selectionCommand(index, event);
    if (list_ != Control::Dir1) return command;
    // Nothing takes Dir1's highlight away: not a click below the last row, not
    // Ctrl+click or Ctrl+Space on the highlighted row.
    if (!index.isValid()) return QItemSelectionModel::NoUpdate;
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) return QItemSelectionModel::ClearAndSelect;
    return command;
}

namespace {

// One clock for keys and for an input method's text.
std::uint64_t nowMs() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

// Text from an input method (compose, ibus) is typed like any other.
void ListView::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty())
        presenter_.type(list_, event->commitString().toStdString(), nowMs());
    event->accept();
}

void ListView::keyPressEvent(QKeyEvent* event) {
    if (list_ == Control::Dir1 && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        presenter_.openHighlightedDirectory();
        return;
    }
    const QString text = event->text();
    // Space selects, as it does in every list.
    const bool typed = !text.isEmpty() && text.at(0).isPrint() && event->key() != Qt::Key_Space &&
                       !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typed) {
        presenter_.type(list_, text.toStdString(), nowMs());
        return;
    }
    QListView::keyPressEvent(event);
}

}  // namespace window
