#include "qt_wait_loop.h"

#include "accessibility.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>

namespace window {

void QtWaitLoop::showWindowIfHidden() {
    if (!window_.isVisible()) window_.show();
}

void QtWaitLoop::runEvents(std::optional<std::chrono::milliseconds> timeout) {
    QEventLoop loop;
    const QScopedValueRollback inLoop(loop_, &loop);
    QTimer timer;
    if (timeout) {
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(*timeout);
    }
    qApp->installEventFilter(this);
    loop.exec();
    qApp->removeEventFilter(this);
}

void QtWaitLoop::wake() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (loop_) loop_->quit();
        },
        Qt::QueuedConnection);
}

void QtWaitLoop::showBusy(bool busy) {
    announceBusy(window_, busy);
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtWaitLoop::closeWindow() { window_.close(); }

bool QtWaitLoop::eventFilter(QObject* watched, QEvent* event) {
    if (!wait_) return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return wait_->input(static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape ? WaitInput::Escape
                                                                                    : WaitInput::OtherInput);
    case QEvent::Close: return watched == &window_ && wait_->input(WaitInput::CloseRequest);
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: return wait_->input(WaitInput::OtherInput);  // as under a modal box
    default: return false;
    }
}

}  // namespace window
