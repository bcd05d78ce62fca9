#pragma once

#include "window/waiter.h"

#include <QObject>

class QEventLoop;
class QWidget;

namespace window {

// Waits in a loop of Qt's own: the window keeps painting; keys and clicks
// are dropped, as a modal box would have them, but Escape gives up and
// closing the window ends the wait; the cursor turns to a wait cursor once
// the wait has lasted a while. A window not yet on screen (the program is
// starting) is shown at once.
class QtWaiter final : public QObject, public Waiter {
public:
    void setWindow(QWidget* window) { window_ = window; }
    bool waiting() const { return loop_ != nullptr; }

    Outcome wait(const std::function<bool()>& done) override;
    void wake() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_ = nullptr;
    QEventLoop* loop_ = nullptr;
    Outcome outcome_ = Outcome::Done;
};

}  // namespace window
