#include "form1.h"

#include "dir_view.h"
#include "drive_view.h"
#include "file_view.h"
#include "fonts.h"

#include "window/twips.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace window {
namespace {

QString text(std::string_view view) { return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size())); }

// Return and keypad Enter press the focused button, as Space does.
class Button final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            click();
        else
            QPushButton::keyPressEvent(event);
    }
};

}  // namespace

Form1::Form1(const FormDescription& description, const browse::Lists& lists, UserInput& input)
    : lists_(lists), input_(input), banner_(":/banner.png") {
    installFontStandIns();
    setObjectName(text(description.name));
    setWindowTitle(text(description.title));
    QIcon icon;
    for (int size : {16, 32, 48}) icon.addFile(QString(":/icon-%1.png").arg(size));
    setWindowIcon(icon);
    setFont(fontFor(description.windowFont));

    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(description.backgroundRed, description.backgroundGreen,
                                              description.backgroundBlue));
    colours.setColor(QPalette::WindowText, QColor(0xf0, 0xe8, 0xc8));
    setPalette(colours);
    setAutoFillBackground(true);

    const double dpi = logicalDpiX();
    setFixedSize(twipsToPixels(description.clientWidth, dpi), twipsToPixels(description.clientHeight, dpi));

    std::map<int, QWidget*> byTabIndex;
    for (const ControlDescription& control : description.controls) {
        QWidget* widget = createControl(control, description);
        widget->setObjectName(text(control.name));
        widget->setAccessibleName(text(control.accessibleName));
        widget->setGeometry(twipsToPixels(control.left, dpi), twipsToPixels(control.top, dpi),
                            twipsToPixels(control.width, dpi), twipsToPixels(control.height, dpi));
        if (auto* button = qobject_cast<QPushButton*>(widget)) button->setFont(fittedFont(*button));
        controls_.emplace(control.id, widget);
        byTabIndex.emplace(control.tabIndex, widget);
    }
    QWidget* previous = nullptr;
    for (auto [tabIndex, widget] : byTabIndex) {
        if (widget->focusPolicy() == Qt::NoFocus) continue;  // the label is no stop
        if (previous) setTabOrder(previous, widget);
        previous = widget;
    }
    control(Control::Drive1)->setFocus(Qt::OtherFocusReason);
}

QWidget* Form1::createControl(const ControlDescription& control, const FormDescription& description) {
    const auto raiser = [this, id = control.id](Event event, int row) { raise(id, event, row); };
    QWidget* widget = nullptr;
    switch (control.kind) {
    case ControlClass::DriveListBox: widget = drive1_ = new DriveView(lists_.drive1(), raiser, this); break;
    case ControlClass::DirListBox: widget = dir1_ = new DirView(lists_.dir1(), raiser, this); break;
    case ControlClass::FileListBox: widget = file1_ = new FileView(lists_.file1(), raiser, this); break;
    case ControlClass::CommandButton: {
        auto* button = new Button(text(control.caption), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [raiser] { raiser(Event::Click, -1); });
        widget = button;
        break;
    }
    case ControlClass::Label: {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setText(text(control.caption));
        label->setAlignment(Qt::AlignCenter);
        widget = label;
        break;
    }
    }
    widget->setFont(fontFor(control.font == FontRole::Button ? description.buttonFont : description.windowFont));
    return widget;
}

void Form1::raise(Control control, Event event, int row) {
    input_.raise(control, event, row);
    showLists();
}

void Form1::showLists() {
    drive1_->showList();
    dir1_->showList();
    file1_->showList();
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, banner_);  // unscaled; what lies past the right edge is cut off
}

}  // namespace window
