#pragma once

#include "window/presenter.h"

#include <QKeyEvent>
#include <chrono>

namespace window {

// A key pressed on `control`, handed to the presenter: true when it took it.
inline bool forwardKey(Presenter& presenter, Control control, const QKeyEvent& event, std::string_view text) {
    const auto modifiers = event.modifiers();
    const Key key = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter ? Key::Return : Key::Other;
    using namespace std::chrono;
    const auto now =
        static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    return presenter.key(
        control, key, text,
        {bool(modifiers & Qt::ControlModifier), bool(modifiers & Qt::AltModifier), bool(modifiers & Qt::MetaModifier)},
        now);
}

inline bool forwardKey(Presenter& presenter, Control control, const QKeyEvent& event) {
    return forwardKey(presenter, control, event, event.text().toStdString());
}

}  // namespace window
