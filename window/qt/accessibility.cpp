#include "accessibility.h"

#include "drive_view.h"
#include "list_views.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QAbstractItemView>
#include <unordered_map>

namespace window {

namespace {

constexpr char busyProperty[] = "quarvel2Busy";

class WindowAccessible final : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? widget()->windowTitle() : QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.busy = widget()->property(busyProperty).toBool();
        return state;
    }
};

// The drive box: named by its own name, the drive it shows beside.
class DriveAccessible final : public QAccessibleWidget {
public:
    explicit DriveAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) return widget()->accessibleName();
        if (kind == QAccessible::Value || kind == QAccessible::Description) return box()->currentText();
        return QAccessibleWidget::text(kind);
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

// A label read as its text, which a reader can also go through by letter or word.
class LabelAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LabelAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? caption() : QAccessibleWidget::text(kind);
    }
    QString text(int start, int end) const override { return caption().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(caption().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QString caption() const { return static_cast<QLabel*>(widget())->text(); }
};

// One row of Dir1 or File1.
class RowAccessible final : public QAccessibleInterface {
public:
    RowAccessible(QAbstractItemView* view, int row) : view_(view), row_(row) {}
    bool isValid() const override { return view_ && row_ < view_->model()->rowCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_->window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString&) override {}
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) return index().data(Qt::DisplayRole).toString();
        if (kind == QAccessible::Description) return index().data(Qt::AccessibleDescriptionRole).toString();
        return {};
    }
    QRect rect() const override {
        const QRect shown = view_->visualRect(index());
        return {view_->viewport()->mapToGlobal(shown.topLeft()), shown.size()};
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = state.focusable = true;
        state.selected = view_->selectionModel()->isSelected(index());
        state.focused = view_->hasFocus() && view_->currentIndex() == index();  // only where the keyboard is
        state.invisible = !view_->viewport()->rect().intersects(view_->visualRect(index()));
        return state;
    }

private:
    QModelIndex index() const { return view_->model()->index(row_, 0); }
    QPointer<QAbstractItemView> view_;
    int row_;
};

// Dir1 or File1: a list whose rows are made as they are asked for, so that a
// million cost nothing until read.
class RowsAccessible final : public QAccessibleWidget {
public:
    explicit RowsAccessible(QAbstractItemView* view) : QAccessibleWidget(view, QAccessible::List) {
        QObject::connect(view->model(), &QAbstractItemModel::modelAboutToBeReset, view, [this] { forgetRows(); });
    }
    ~RowsAccessible() override { forgetRows(); }
    int childCount() const override { return view()->model()->rowCount(); }
    QAccessibleInterface* child(int row) const override {
        if (row < 0 || row >= childCount()) return nullptr;
        auto& id = rows_[row];
        if (!id) id = QAccessible::registerAccessibleInterface(new RowAccessible(view(), row));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (const auto& [row, id] : rows_)
            if (QAccessible::accessibleInterface(id) == child) return row;
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        return view()->hasFocus() && view()->currentIndex().isValid() ? child(view()->currentIndex().row()) : nullptr;
    }

private:
    QAbstractItemView* view() const { return static_cast<QAbstractItemView*>(widget()); }
    void forgetRows() {
        for (const auto& [row, id] : rows_) QAccessible::deleteAccessibleInterface(id);
        rows_.clear();
    }
    mutable std::unordered_map<int, QAccessible::Id> rows_;
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (widget->isWindow() && widget->objectName() == "Form1") return new WindowAccessible(widget);
    if (auto* label = qobject_cast<QLabel*>(widget); label && label->window()->objectName() == "Form1")
        return new LabelAccessible(label);
    if (auto* list = dynamic_cast<ListView*>(widget)) return new RowsAccessible(list);
    if (auto* box = dynamic_cast<DriveView*>(widget)) return new DriveAccessible(box);
    return nullptr;
}

}  // namespace

void installAccessibility() {
    static const bool installed = (QAccessible::installFactory(factory), true);
    (void)installed;
}

void announceBusy(QWidget& window, bool busy) {
    window.setProperty(busyProperty, busy);
    QAccessible::State changed;
    changed.busy = true;
    QAccessibleStateChangeEvent event(&window, changed);
    QAccessible::updateAccessibility(&event);
}

}  // namespace window
