#pragma once

#include "text_widths.h"

#include "window/presenter.h"

#include <QAbstractListModel>
#include <QIcon>
#include <QAbstractItemView>
#include <QStyledItemDelegate>
#include <optional>

namespace window {

// Dir1's or File1's rows as the shared layer words them; reload() tells the
// view that the list was replaced.
class RowsModel final : public QAbstractListModel {
public:
    static constexpr int IndentRole = Qt::UserRole + 1;  // how many steps a row is indented
    RowsModel(const Rows& rows, Control list, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : count_; }
    // Rows are asked for by the million as a view lays them out: no check
    // costs more than the row itself.
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override {
        return parent.isValid() || column != 0 || row < 0 || row >= count_ ? QModelIndex() : createIndex(row, 0);
    }
    QVariant data(const QModelIndex& index, int role) const override;
    void reload() {
        beginResetModel();
        count_ = rows_.count(list_);
        endResetModel();
    }

private:
    const Rows& rows_;
    Control list_;
    int count_ = 0;
    QIcon openFolder_, closedFolder_;
};

// The keyboard's mark: a dotted frame.
void drawFocusMark(QPainter& painter, const QRect& around, const QColor& colour);

// Draws rows indented, all as wide as the widest, so that the view scrolls
// far enough to read any name whole.
class RowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Measures the widest row of `list` again (its text, its indent and
    // Dir1's folder) and a row's height, drawn with `option`.
    void measure(const QAbstractItemView& view, const QStyleOptionViewItem& option, const Rows& rows, Control list);
    int width() const { return width_; }
    // A row's height, as measured last; 0 before any.
    int height() const { return height_; }

private:
    int width_ = 0, height_ = 0;
    std::optional<TextWidths> widths_;
};

// Dir1 or File1 on screen: one row selected at most, nothing editable. Rows
// are all of one height and as wide as the widest, so that where each one
// lies is a product, not a layout: a million rows cost what the few on
// screen do. What the user does goes to the presenter; what it says changed
// is shown without losing the user's place. Dir1 always has one row
// highlighted; File1 may have none. Keys and double clicks mean what the
// presenter says; the arrows and the page keys move as in any list.
class ListView final : public QAbstractItemView {
public:
    ListView(Presenter& presenter, Control list, QWidget* parent);
    // The list has new rows.
    void reload();
    // Shows `row` (-1: none) as the one selected.
    void showSelected(int row);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void selectedByUser(int row);
    int topRow() const;
    // Whole rows that fit, at least one.
    int rowsInView() const;

    Presenter& presenter_;
    Control list_;
    RowsModel model_;
    RowDelegate delegate_{this};
    int rowHeight_ = 1;
    bool showing_ = false;
};

}  // namespace window
