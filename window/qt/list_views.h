#pragma once

#include "window/presenter.h"

#include <QAbstractListModel>
#include <QIcon>
#include <QListView>
#include <QStyledItemDelegate>

namespace window {

// Dir1's or File1's rows as the shared layer words them; reload() tells the
// view that the list was replaced.
class RowsModel final : public QAbstractListModel {
public:
    static constexpr int IndentRole = Qt::UserRole + 1;  // how many steps a row is indented
    RowsModel(const Rows& rows, Control list, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void reload() {
        beginResetModel();
        endResetModel();
    }

private:
    const Rows& rows_;
    Control list_;
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
    // Measures the widest row of `list` again.
    void measure(const QListView& view, const Rows& rows, Control list);

private:
    int width_ = 0;
};

// Dir1 or File1 on screen: one row selected at most, nothing editable, rows
// of one size, so that a million rows lay out at once. What the user does
// goes to the presenter; what it says changed is shown without losing the
// user's place. Dir1 always has one row highlighted; File1 may have none.
// Keys and double clicks mean what the presenter says.
class ListView final : public QListView {
public:
    ListView(Presenter& presenter, Control list, QWidget* parent);
    // The list has new rows.
    void reload();
    // Shows `row` (-1: none) as the one selected.
    void showSelected(int row);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void selectedByUser(int row);

    Presenter& presenter_;
    Control list_;
    RowsModel model_;
    RowDelegate delegate_{this};
    bool showing_ = false;
};

}  // namespace window
