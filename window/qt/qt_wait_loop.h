#pragma once

#include "window/action_wait.h"

#include <QObject>

class QEventLoop;
class QWidget;

namespace window {

// The wait's loop in Qt: a QEventLoop of its own, so the window keeps
// painting, with the user's input handed to the wait first (it drops all but
// Escape and closing), and Qt's override cursor for busy.
class QtWaitLoop final : public QObject, public WaitLoop {
public:
    explicit QtWaitLoop(QWidget& window) : window_(window) {}
    void setWait(ActionWait* wait) { wait_ = wait; }

    void showWindowIfHidden() override;
    void runEvents(std::optional<std::chrono::milliseconds> timeout) override;
    void wake() override;
    void showBusy(bool busy) override;
    void closeWindow() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    ActionWait* wait_ = nullptr;
    QEventLoop* loop_ = nullptr;
};

}  // namespace window
