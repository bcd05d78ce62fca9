#pragma once

#include "failure_boundary.h"

#include "browse/lists.h"
#include "jobs/runner.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/program_starter.h"
#include "window/controls.h"
#include "window/shown_before_boxes.h"

#include <functional>
#include <memory>

namespace app {

// What the program asks of the operating system and of the window system.
// Jobs left behind on a drive share the file system and the starter, so
// that these live as long as the last of them.
struct Services {
    std::shared_ptr<platform::FileSystem> fileSystem;
    std::shared_ptr<platform::ProgramStarter> starter;
    platform::Dialogs& dialogs;
};

// The running program: the lists, the services, the jobs, and the event
// table behind one failure boundary. A front-end shows lists() and raises
// what the user does.
class Program final : public window::UserInput {
public:
    explicit Program(Services services);

    // Runs the event table's operation for (control, event) through the
    // boundary: a failure ends it, is reported, and the program runs on.
    // An event the table does not know is a fault of the program: it throws
    // std::logic_error.
    void raise(window::Control control, window::Event event, int item) override;

    // The exit rule, once the window is gone: `code`, for main to return and
    // end normally; but while a job is still stuck on a drive, the program
    // ends here at once, without unwinding into what that job uses.
    int finish(int code) const;

    Services services;
    // The boxes the program shows: the window's, drawn over lists told all that changed.
    window::ShownBeforeBoxes boxes;
    jobs::Runner jobs;
    browse::Lists lists;
    // Closes the window; the front-end sets it. The program ends with it.
    std::function<void()> unload;

private:
    FailureBoundary boundary_;
};

}  // namespace app
