#include "list_views.h"

#include "qt_keys.h"
#include "qt_text.h"

#include "window/layout.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyle>
#include <algorithm>

namespace window {

RowsModel::RowsModel(const Rows& rows, Control list, QObject* parent)
    : QAbstractListModel(parent),
      rows_(rows),
      list_(list),
      openFolder_(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon)),
      closedFolder_(QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon)) {}

int RowsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_.count(list_); }

QVariant RowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.count(list_)) return {};
    const bool dir1 = list_ == Control::Dir1;
    switch (role) {
    case Qt::DisplayRole: return qtText(rows_.text(list_, index.row()));
    case Qt::ToolTipRole: return dir1 ? qtText(rows_.pathText(index.row())) : QVariant();
    case Qt::DecorationRole: return dir1 ? (rows_.isOpenFolder(index.row()) ? openFolder_ : closedFolder_) : QVariant();
    case IndentRole: return rows_.indent(list_, index.row());
    case Qt::AccessibleDescriptionRole: return qtText(rows_.spokenState(list_, index.row()));
    default: return {};
    }
}

// A list without the keyboard shows its selection muted; the one with it
// shows it in full, its current row framed.
void RowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem shifted(option);
    shifted.rect.setLeft(option.rect.left() + dirIndentPixels * index.data(RowsModel::IndentRole).toInt());
    const bool keyboard = option.widget && option.widget->hasFocus();
    if (!keyboard) {
        shifted.state &= ~(QStyle::State_HasFocus | QStyle::State_Active);
        shifted.palette.setCurrentColorGroup(QPalette::Inactive);
    }
    QStyledItemDelegate::paint(painter, shifted, index);
    if (keyboard && (option.state & QStyle::State_HasFocus)) {
        const bool selected = option.state & QStyle::State_Selected;
        drawFocusMark(*painter, option.rect,
                      option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    }
}

void drawFocusMark(QPainter& painter, const QRect& around, const QColor& colour) {
    painter.save();
    painter.setPen(QPen(colour, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(around.adjusted(0, 0, -1, -1));
    painter.restore();
}

QSize RowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QSize own = QStyledItemDelegate::sizeHint(option, index);
    return {std::max(width_, own.width() + dirIndentPixels * index.data(RowsModel::IndentRole).toInt()), own.height()};
}

void RowDelegate::measure(const QListView& view, const Rows& rows, Control list) {
    QStyleOptionViewItem option;
    option.initFrom(&view);
    width_ = 0;
    width_ = rows.widest(list, [&](int row) { return sizeHint(option, view.model()->index(row, 0)).width(); });
}

ListView::ListView(Presenter& presenter, Control list, QWidget* parent)
    : QListView(parent), presenter_(presenter), list_(list), model_(presenter.rows(), list, this) {
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
    connect(this, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { presenter_.activate(list_, index.row()); });
    // The muted selection of a list without the keyboard.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, QColor(0xd4, 0xd8, 0xe0));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, colours.color(QPalette::Active, QPalette::Text));
    setPalette(colours);
}

void ListView::selectedByUser(int row) {
    if (list_ == Control::Dir1)
        presenter_.highlightDirectory(row);
    else
        presenter_.selectFile(row);
}

// New rows start at the top: then showing the selected row scrolls no
// further than it must, and Dir1 keeps the open folder in view with as many
// of its ancestors above it as fit.
void ListView::reload() {
    const QScopedValueRollback guard(showing_, true);
    model_.reload();
    delegate_.measure(*this, presenter_.rows(), list_);
    scrollToTop();
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
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect;
    return command;
}

// Text from an input method (compose, ibus) is typed like any other.
void ListView::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty()) {
        const QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, event->commitString());
        forwardKey(presenter_, list_, typed);
    }
    event->accept();
}

// The keyboard comes or goes: the selection and the mark are drawn anew.
void ListView::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    viewport()->update();
}

void ListView::focusOutEvent(QFocusEvent* event) {
    QListView::focusOutEvent(event);
    viewport()->update();
}

// A list with the keyboard but no current row shows the mark around itself.
void ListView::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    if (!hasFocus() || (currentIndex().isValid() && model_.rowCount() > 0)) return;
    QPainter painter(viewport());
    drawFocusMark(painter, viewport()->rect().adjusted(1, 1, -1, -1), palette().color(QPalette::Text));
}

void ListView::keyPressEvent(QKeyEvent* event) {
    if (!forwardKey(presenter_, list_, *event)) QListView::keyPressEvent(event);
}

}  // namespace window
