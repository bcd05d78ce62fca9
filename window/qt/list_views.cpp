#include "list_views.h"

#include <QScopedValueRollback>
#include <algorithm>
#include <vector>

namespace window {

void RowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem shifted(option);
    shifted.rect.setLeft(option.rect.left() + indentPixels * index.data(ListModel::DepthRole).toInt());
    QStyledItemDelegate::paint(painter, shifted, index);
}

QSize RowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QSize own = QStyledItemDelegate::sizeHint(option, index);
    return {std::max(width_, own.width() + indentPixels * index.data(ListModel::DepthRole).toInt()), own.height()};
}

void RowDelegate::measure(const QListView& view, const std::function<size_t(int row)>& length) {
    constexpr int measuredAtMost = 256;
    const QAbstractItemModel& model = *view.model();
    std::vector<std::pair<size_t, int>> rows;  // (length, row)
    rows.reserve(static_cast<size_t>(model.rowCount()));
    for (int row = 0; row < model.rowCount(); ++row) rows.emplace_back(length(row), row);
    if (rows.size() > measuredAtMost) {
        std::nth_element(rows.begin(), rows.begin() + measuredAtMost, rows.end(), std::greater<>());
        rows.resize(measuredAtMost);
    }
    QStyleOptionViewItem option;
    option.initFrom(&view);
    width_ = 0;
    int widest = 0;
    for (const auto& [characters, row] : rows) widest = std::max(widest, sizeHint(option, model.index(row, 0)).width());
    width_ = widest;
}

void ListView::setUp(ListModel& model, std::function<void(int row)> selectedByUser) {
    model_ = &model;
    selectedByUser_ = std::move(selectedByUser);
    setModel(&model);
    setItemDelegate(&delegate_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (showing_) return;
        const QModelIndexList rows = selectionModel()->selectedRows();
        selectedByUser_(rows.isEmpty() ? -1 : rows.first().row());
    });
}

void ListView::show(unsigned generation, int row, const std::function<size_t(int row)>& length) {
    const QScopedValueRollback guard(showing_, true);
    const bool reloaded = shownGeneration_ != generation;
    if (reloaded) {
        shownGeneration_ = generation;
        model_->reload();
        delegate_.measure(*this, length);
    }
    const QModelIndexList shown = selectionModel()->selectedRows();
    if (!reloaded && (shown.isEmpty() ? -1 : shown.first().row()) == row) return;
    if (row < 0) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model_->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

}  // namespace window
