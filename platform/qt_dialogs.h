#pragma once

#include "dialogs.h"

#include <QPointer>
#include <QWidget>

namespace platform {

// The Yes/No box: modal over the window, titled with the application's name,
// no icon, Yes the default; Escape or closing it answers No.
class QtMessageBox final : public MessageBox {
public:
    explicit QtMessageBox(QWidget* window) : window_(window) {}
    Answer ask(const std::string& text, ButtonSet buttons) override;

private:
    QPointer<QWidget> window_;
};

// Shows a failure's own description in a modal box titled with the
// application's name, and what it was about beneath.
class QtFailureReport final : public FailureReport {
public:
    explicit QtFailureReport(QWidget* window) : window_(window) {}
    void report(const PlatformFailure& failure) override;

private:
    QPointer<QWidget> window_;
};

}  // namespace platform
