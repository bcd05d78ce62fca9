#pragma once

#include "boundary.h"

#include "browse/lists.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/program_starter.h"
#include "window/controls.h"

#include <functional>

namespace app {

// What the program asks of the operating system and of the window system.
struct Services {
    platform::FileSystem& fileSystem;
    platform::ProgramStarter& starter;
    platform::Dialogs& dialogs;
};

// The running program: the lists, the services, and the event table behind
// one boundary. A front-end shows lists() and raises what the user does.
class Program final : public window::UserInput {
public:
    explicit Program(Services& services) : services(services), lists(services.fileSystem), boundary_(services.dialogs) {}

    // Runs the event table's operation for (control, event) through the
    // boundary: a failure ends it, is reported, and the program runs on.
    // An event the table does not know is a fault of the program: it throws
    // std::logic_error.
    void raise(window::Control control, window::Event event, int row) override;

    Services& services;
    browse::Lists lists;
    // Closes the window; the front-end sets it. The program ends with it.
    std::function<void()> unload;

private:
    Boundary boundary_;
};

}  // namespace app
