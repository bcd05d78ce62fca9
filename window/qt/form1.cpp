#include "form1.h"

#include "accessibility.h"
#include "banner.h"
#include "drive_view.h"
#include "fonts.h"
#include "list_views.h"
#include "qt_keys.h"
#include "qt_text.h"

#include "window/layout.h"
#include "window/twips.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace window {
namespace {

// A button whose keys mean what the presenter says: Return presses it, as
// Space does.
class Button final : public QPushButton {
public:
    Button(const QString& caption, Presenter& presenter, Control id, QWidget* parent)
        : QPushButton(caption, parent), presenter_(presenter), id_(id) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!forwardKey(presenter_, id_, *event)) QPushButton::keyPressEvent(event);
    }

private:
    Presenter& presenter_;
    Control id_;
};

}  // namespace

Form1::Form1(const FormDescription& description, Presenter& presenter) : presenter_(presenter) {
    installFontStandIns();
    installAccessibility();
    setObjectName(qtText(description.name));
    setWindowTitle(qtText(description.title));
    // The title bar's icon once the window is up: finding how to read the
    // images costs as much as a list does, and the first paint needs none.
    QTimer::singleShot(0, this, [this] {
        QIcon icon;
        for (int size : {16, 32, 48}) icon.addFile(QString(":/icon-%1.png").arg(size), QSize(size, size));
        setWindowIcon(icon);
    });
    setFont(fontFor(description.windowFont));

    const auto colour = [](Colour c) { return QColor(c.red, c.green, c.blue); };
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour(description.background));
    colours.setColor(QPalette::WindowText, colour(description.labelText));
    setPalette(colours);
    setAutoFillBackground(true);

    const double dpi = logicalDpiX();
    setFixedSize(twipsToPixels(description.clientWidth, dpi), twipsToPixels(description.clientHeight, dpi));
    // A window of one size offers no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    for (const ControlDescription& control : description.controls) {
        QWidget* widget = createControl(control, description);
        widget->setObjectName(qtText(control.name));
        if (!control.accessibleName.empty()) widget->setAccessibleName(qtText(control.accessibleName));
        widget->setGeometry(twipsToPixels(control.left, dpi), twipsToPixels(control.top, dpi),
                            twipsToPixels(control.width, dpi), twipsToPixels(control.height, dpi));
        if (auto* button = qobject_cast<QPushButton*>(widget)) button->setFont(fittedFont(*button));
        controls_.emplace(control.id, widget);
    }
    const std::vector<Control> order = tabOrder(description);
    for (size_t i = 1; i < order.size(); ++i) setTabOrder(control(order[i - 1]), control(order[i]));
    control(order.front())->setFocus(Qt::OtherFocusReason);
    // Where the keyboard goes, the presenter knows: letters typed before belong to another list.
    focusFollower_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (const auto& [id, widget] : controls_)
            if (widget == now) presenter_.focus(id);
    });
    presenter_.attach(this);
}

Form1::~Form1() {
    disconnect(focusFollower_);  // the controls go before the window does
    presenter_.attach(nullptr);
}

QWidget* Form1::createControl(const ControlDescription& control, const FormDescription& description) {
    QWidget* widget = nullptr;
    switch (control.kind) {
    case ControlClass::DriveListBox: widget = drive1_ = new DriveView(presenter_, this); break;
    case ControlClass::DirListBox:
    case ControlClass::FileListBox: widget = new ListView(presenter_, control.id, this); break;
    case ControlClass::CommandButton: {
        auto* button = new Button(qtText(control.caption), presenter_, control.id, this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, id = control.id] { presenter_.click(id); });
        widget = button;
        break;
    }
    case ControlClass::Label: {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setText(qtText(control.caption));
        label->setAlignment(Qt::AlignCenter);
        label->setFocusPolicy(Qt::NoFocus);
        widget = label;
        break;
    }
    }
    widget->setFont(fontFor(control.font == FontRole::Button ? description.buttonFont : description.windowFont));
    return widget;
}

ListView* Form1::listView(Control list) const { return static_cast<ListView*>(control(list)); }

void Form1::showWindow() { show(); }

void Form1::showDrives(const std::vector<std::string>& rows) { drive1_->showRows(rows); }

void Form1::showRowCount(Control list, int) { listView(list)->reload(); }

void Form1::showSelection(Control list, int row) {
    if (list == Control::Drive1)
        drive1_->showSelected(row);
    else
        listView(list)->showSelected(row);
}

void Form1::closeEvent(QCloseEvent* event) {
    presenter_.attach(nullptr);
    QWidget::closeEvent(event);
}

void Form1::paintEvent(QPaintEvent*) { paintBanner(*this); }

}  // namespace window
