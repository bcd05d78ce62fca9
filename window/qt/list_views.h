#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>
#include <functional>

namespace window {

// An adapter that shows one of the lists; reload() tells its view that the
// list was replaced.
class ListModel : public QAbstractListModel {
public:
    static constexpr int DepthRole = Qt::UserRole + 1;  // how far a row is indented
    using QAbstractListModel::QAbstractListModel;
    void reload() {
        beginResetModel();
        endResetModel();
    }
};

// Draws rows indented by their depth, all as wide as the widest, so that the
// view scrolls far enough to read any name whole.
class RowDelegate final : public QStyledItemDelegate {
public:
    static constexpr int indentPixels = 10;
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Measures the rows again: every row when there are few, else the rows
    // whose names are longest (`length` of a row), as a million rows cannot
    // all be measured.
    void measure(const QListView& view, const std::function<size_t(int row)>& length);

private:
    int width_ = 0;
};

// Both list views: one row selected at most, nothing editable, rows of one
// size, so that a million rows lay out at once.
void setUpListView(QListView& view, ListModel& model, RowDelegate& delegate);

}  // namespace window
