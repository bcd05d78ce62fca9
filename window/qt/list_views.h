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

// What both list views share: one row selected at most, nothing editable,
// rows of one size, so that a million rows lay out at once, and showing a
// list again without losing the user's place.
class ListView : public QListView {
public:
    using QListView::QListView;

protected:
    // Shows `model`; `selectedByUser` hears each selection the user makes
    // (the row, or -1 for none), never one that show() makes.
    void setUp(ListModel& model, std::function<void(int row)> selectedByUser);
    // Reloads the rows when `generation` moved on, measuring their names by
    // `length`, then shows `row` (-1 for none) as the one selected. When
    // neither changed, the view stays where the user scrolled it.
    void show(unsigned generation, int row, const std::function<size_t(int row)>& length);

private:
    ListModel* model_ = nullptr;
    RowDelegate delegate_{this};
    std::function<void(int row)> selectedByUser_;
    unsigned shownGeneration_ = ~0U;
    bool showing_ = false;
};

}  // namespace window
