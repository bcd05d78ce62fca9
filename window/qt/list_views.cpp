#include "list_views.h"

#include "qt_keys.h"
#include "qt_text.h"

#include "window/layout.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace window {

RowsModel::RowsModel(const Rows& rows, Control list, QObject* parent)
    : QAbstractListModel(parent),
      rows_(rows),
      list_(list),
      openFolder_(list == Control::Dir1 ? QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon) : QIcon()),
      closedFolder_(list == Control::Dir1 ? QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon) : QIcon()) {}

QVariant RowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count_) return {};
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

void RowDelegate::measure(const QAbstractItemView& view, const QStyleOptionViewItem& option, const Rows& rows,
                          Control list) {
    width_ = 0;
    if (view.model()->rowCount() == 0) return;
    // One row measured whole tells what a row adds to its text; the rest by their text alone.
    const QModelIndex first = view.model()->index(0, 0);
    if (!widths_ || widths_->font() != view.font()) widths_.emplace(view.font());
    const QSize whole = sizeHint(option, first);
    height_ = std::max(1, whole.height());
    const int around = whole.width() - QFontMetrics(view.font()).horizontalAdvance(first.data().toString()) -
                       dirIndentPixels * rows.indent(list, 0);
    width_ = rows.widest(list, [&](const std::string& text, int indent) {
        return around + dirIndentPixels * indent + widths_->of(text);
    });
}

ListView::ListView(Presenter& presenter, Control list, QWidget* parent)
    : QAbstractItemView(parent), presenter_(presenter), list_(list), model_(presenter.rows(), list, this) {
    setModel(&model_);
    setItemDelegate(&delegate_);
    rowHeight_ = fontMetrics().height();
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (showing_) return;
        const QModelIndexList rows = selectionModel()->selectedRows();
        selectedByUser(rows.isEmpty() ? -1 : rows.first().row());
    });
    connect(this, &QAbstractItemView::doubleClicked, this,
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
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    delegate_.measure(*this, option, presenter_.rows(), list_);
    if (model_.rowCount() > 0) rowHeight_ = delegate_.height();
    doItemsLayout();
    scrollToTop();
}

void ListView::showSelected(int row) {
    const QScopedValueRollback guard(showing_, true);
    if (row < 0) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model_.index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

int ListView::topRow() const { return verticalScrollBar()->value(); }

int ListView::rowsInView() const { return std::max(1, viewport()->height() / rowHeight_); }

int ListView::horizontalOffset() const { return horizontalScrollBar()->value(); }

int ListView::verticalOffset() const { return topRow() * rowHeight_; }

QRect ListView::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= model_.rowCount()) return {};
    return {-horizontalOffset(), (index.row() - topRow()) * rowHeight_,
            std::max(delegate_.width(), viewport()->width()), rowHeight_};
}

QModelIndex ListView::indexAt(const QPoint& point) const {
    if (point.y() < 0) return {};
    return model_.index(topRow() + point.y() / rowHeight_, 0);
}

void ListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid()) return;
    const int row = index.row(), shown = rowsInView();
    int top = topRow();
    if (hint == PositionAtTop || (hint == EnsureVisible && row < top))
        top = row;
    else if (hint == PositionAtBottom || (hint == EnsureVisible && row >= top + shown))
        top = row - shown + 1;
    else if (hint == PositionAtCenter)
        top = row - shown / 2;
    verticalScrollBar()->setValue(top);
}

QModelIndex ListView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
    const int last = model_.rowCount() - 1;
    if (last < 0) return {};
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    const int page = std::max(1, rowsInView() - 1);
    int row = current;
    switch (action) {
    case MoveUp: row = current < 0 ? 0 : current - 1; break;
    case MoveDown: row = current + 1; break;
    case MovePageUp: row = current - page; break;
    case MovePageDown: row = current < 0 ? page : current + page; break;
    case MoveHome: row = 0; break;
    case MoveEnd: row = last; break;
    case MoveLeft:
    case MoveRight:
        // Sideways: the view scrolls, the row stays.
        horizontalScrollBar()->triggerAction(action == MoveLeft ? QAbstractSlider::SliderSingleStepSub
                                                                : QAbstractSlider::SliderSingleStepAdd);
        break;
    default: break;
    }
    return row < 0 && current < 0 ? QModelIndex() : model_.index(std::clamp(row, 0, last), 0);
}

void ListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    const QModelIndex index = indexAt(rect.topLeft());
    if (index.isValid()) selectionModel()->select(index, command);
}

QRegion ListView::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    const int first = topRow(), last = first + rowsInView();
    for (const QItemSelectionRange& range : selection) {
        const int top = std::max(range.top(), first), bottom = std::min(range.bottom(), last);
        for (int row = top; row <= bottom; ++row) region += visualRect(model_.index(row, 0));
    }
    return region;
}

// The scroll bars: rows down the side, pixels along the bottom.
void ListView::updateGeometries() {
    const int shown = rowsInView();
    verticalScrollBar()->setRange(0, std::max(0, model_.rowCount() - shown));
    verticalScrollBar()->setPageStep(shown);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, std::max(0, delegate_.width() - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(std::max(1, rowHeight_));
    QAbstractItemView::updateGeometries();
}

void ListView::scrollContentsBy(int dx, int dy) { viewport()->scroll(dx, dy * rowHeight_); }

// The mark around a list without a current row goes when a row becomes
// current, and comes back when none is.
void ListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QAbstractItemView::currentChanged(current, previous);
    if (current.isValid() != previous.isValid()) viewport()->update();
}

QItemSelectionModel::SelectionFlags ListView::selectionCommand(const QModelIndex& index, const QEvent* event) const {
    const auto command = QAbstractItemView::selectionCommand(index, event);
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
    QAbstractItemView::focusInEvent(event);
    viewport()->update();
}

void ListView::focusOutEvent(QFocusEvent* event) {
    QAbstractItemView::focusOutEvent(event);
    viewport()->update();
}

// The rows in view, each as the delegate draws it. A list with the keyboard
// but no current row shows the mark around itself.
void ListView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QStyle::State state = option.state;
    const bool keyboard = hasFocus() && currentIndex().isValid();
    const int first = topRow() + event->rect().top() / rowHeight_;
    const int last = std::min(model_.rowCount() - 1, topRow() + event->rect().bottom() / rowHeight_);
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model_.index(row, 0);
        option.rect = visualRect(index);
        option.state = state;
        option.state.setFlag(QStyle::State_Selected, selectionModel()->isSelected(index));
        option.state.setFlag(QStyle::State_HasFocus, keyboard && currentIndex() == index);
        delegate_.paint(&painter, option, index);
    }
    if (!hasFocus() || (currentIndex().isValid() && model_.rowCount() > 0)) return;
    drawFocusMark(painter, viewport()->rect().adjusted(1, 1, -1, -1), palette().color(QPalette::Text));
}

void ListView::keyPressEvent(QKeyEvent* event) {
    if (!forwardKey(presenter_, list_, *event)) QAbstractItemView::keyPressEvent(event);
}

}  // namespace window
