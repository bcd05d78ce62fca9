#include "window_service.h"

#include <QAbstractButton>
#include <QApplication>

namespace app {

LoadedWindow::LoadedWindow(const window::FormDescription& description, std::span<const EventRow> events,
                           actions::Services& services, platform::FailureReport& report)
    : boundary_(report) {
    const window::Guard guard = [this](const std::function<void()>& handler) { boundary_.call(handler); };
    boundary_.call([&] { form_ = std::make_unique<window::Form1>(description, services.fileSystem, guard); });
    if (!form_) return;
    session_.emplace(Session{*form_, services});

    for (const EventRow& row : events)
        if (row.event != "Load") attach(row);
    bool loaded = true;
    for (const EventRow& row : events)
        if (row.event == "Load") loaded = boundary_.call([&] { row.operation(*session_); }) && loaded;
    if (!loaded) {  // the lists show what they stood on before: read it now
        browse::Lists& lists = form_->lists();
        boundary_.call([&] { lists.dir1.refresh(); });
        boundary_.call([&] { lists.file1.refresh(); });
    }
    form_->show();
}

LoadedWindow::~LoadedWindow() = default;

void LoadedWindow::attach(const EventRow& row) {
    auto handler = [this, operation = row.operation] { boundary_.call([&] { operation(*session_); }); };
    if (row.event == "Change") {
        form_->changeEvent(row.source)->subscribe(handler);
    } else if (row.event == "Click") {
        auto* button = qobject_cast<QAbstractButton*>(form_->control(row.source));
        QObject::connect(button, &QAbstractButton::clicked, form_.get(), handler);
    }
}

int runWindow(const window::FormDescription& description, std::span<const EventRow> events,
              actions::Services& services, platform::FailureReport& report) {
    LoadedWindow loaded(description, events, services, report);
    return loaded.form() ? QApplication::exec() : 1;
}

}  // namespace app
