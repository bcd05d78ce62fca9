#include "list_views.h"

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

void setUpListView(QListView& view, ListModel& model, RowDelegate& delegate) {
    view.setModel(&model);
    view.setItemDelegate(&delegate);
    view.setUniformItemSizes(true);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
}

}  // namespace window
