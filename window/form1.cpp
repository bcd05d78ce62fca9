#include "form1.h"

#include "dir_view.h"
#include "drive_view.h"
#include "file_view.h"
#include "fonts.h"
#include "twips.h"

#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace window {
namespace {

QString text(std::string_view view) { return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size())); }

}  // namespace

Form1::Form1(const FormDescription& description, const platform::FileSystem& fileSystem, Guard guard)
    : drive1_(fileSystem), dir1_(fileSystem, handOff_), file1_(fileSystem, handOff_), banner_(":/banner.png") {
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
        QWidget* widget = createControl(control, guard);
        widget->setObjectName(text(control.name));
        widget->setAccessibleName(text(control.accessibleName));
        widget->setFont(fontFor(control.font == FontRole::Button ? description.buttonFont : description.windowFont));
        widget->setGeometry(twipsToPixels(control.left, dpi), twipsToPixels(control.top, dpi),
                            twipsToPixels(control.width, dpi), twipsToPixels(control.height, dpi));
        controls_.emplace(control.name, widget);
        byTabIndex.emplace(control.tabIndex, widget);
    }
    QWidget* previous = nullptr;
    for (auto [tabIndex, widget] : byTabIndex) {
        if (widget->focusPolicy() == Qt::NoFocus) continue;  // the label is no stop
        if (previous) setTabOrder(previous, widget);
        previous = widget;
    }
    control("Drive1")->setFocus(Qt::OtherFocusReason);
}

// The views read the lists until they are gone, so they go first.
Form1::~Form1() { qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly)); }

QWidget* Form1::createControl(const ControlDescription& control, const Guard& guard) {
    switch (control.kind) {
    case ControlClass::DriveListBox: return new DriveView(drive1_, this);
    case ControlClass::DirListBox: return new DirView(dir1_, guard, this);
    case ControlClass::FileListBox: return new FileView(file1_, this);
    case ControlClass::CommandButton: {
        auto* button = new QPushButton(text(control.caption), this);
        button->setAutoDefault(false);
        return button;
    }
    case ControlClass::Label: {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setText(text(control.caption));
        label->setAlignment(Qt::AlignCenter);
        return label;
    }
    }
    return nullptr;
}

QWidget* Form1::control(std::string_view name) const {
    auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second;
}

browse::Notifier* Form1::changeEvent(std::string_view name) {
    if (name == "Drive1") return &drive1_.change;
    if (name == "Dir1") return &dir1_.change;
    return nullptr;
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, banner_);  // unscaled; what lies past the right edge is cut off
}

}  // namespace window
