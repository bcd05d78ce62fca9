#pragma once

#include "boundary.h"
#include "event_table.h"

#include "window/form_description.h"

#include <memory>
#include <optional>
#include <span>

namespace app {

// Creates the window from its description, attaches the event table through
// the boundary, raises Load and shows the window.
class LoadedWindow {
public:
    LoadedWindow(const window::FormDescription& description, std::span<const EventRow> events,
                 actions::Services& services, platform::FailureReport& report);
    LoadedWindow(const LoadedWindow&) = delete;
    LoadedWindow& operator=(const LoadedWindow&) = delete;
    ~LoadedWindow();

    // Null when even the window could not be made.
    window::Form1* form() const { return form_.get(); }

private:
    void attach(const EventRow& row);

    Boundary boundary_;
    std::unique_ptr<window::Form1> form_;
    std::optional<Session> session_;
};

// Runs the program until its window is unloaded.
int runWindow(const window::FormDescription& description, std::span<const EventRow> events,
              actions::Services& services, platform::FailureReport& report);

}  // namespace app
