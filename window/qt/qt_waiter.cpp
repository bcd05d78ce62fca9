#include "qt_waiter.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>

namespace window {

Waiter::Outcome QtWaiter::wait(const std::function<bool()>& done) {
    if (window_ && !window_->isVisible()) window_->show();  // start-up never waits to show the window
    QEventLoop loop;
    const QScopedValueRollback inLoop(loop_, &loop);
    outcome_ = Outcome::Done;
    qApp->installEventFilter(this);
    bool busy = false;
    QTimer busySoon;
    busySoon.setSingleShot(true);
    connect(&busySoon, &QTimer::timeout, this, [&busy] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        busy = true;
    });
    busySoon.start(busyAfterMs);
    while (!done() && outcome_ == Outcome::Done) loop.exec();
    qApp->removeEventFilter(this);
    if (busy) QApplication::restoreOverrideCursor();
    return done() ? Outcome::Done : outcome_;
}

void QtWaiter::wake() {
    QMetaObject::invokeMethod(this, [this] { if (loop_) loop_->quit(); }, Qt::QueuedConnection);
}

bool QtWaiter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            outcome_ = Outcome::GaveUp;
            loop_->quit();
        }
        return true;
    case QEvent::Close:
        if (watched != window_) return false;
        outcome_ = Outcome::Closing;
        loop_->quit();
        return true;
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
    case QEvent::TouchEnd:
        return true;  // the user's input waits, as under a modal box
    default:
        return false;
    }
}

}  // namespace window
