#include "program.h"

#include "event_table.h"

#include "platform/memory.h"

#include <cstdlib>
#include <stdexcept>

namespace app {

Program::Program(Services services)
    : services(std::move(services)),
      boxes(this->services.dialogs),
      jobs([fileSystem = this->services.fileSystem](const platform::Path& path) {
          return fileSystem->driveRootOf(path);
      }),
      lists(this->services.fileSystem, jobs),
      boundary_(boxes) {
    platform::returnLargeBlocksWhenFreed();
}

void Program::raise(window::Control control, window::Event event, int item) {
    for (const EventRow& entry : form1Events()) {
        if (entry.source != control || entry.event != event) continue;
        boundary_.run([&] { entry.operation(*this, item); });
        return;
    }
    throw std::logic_error("the event table has no row for this event");
}

int Program::finish(int code) const {
    if (jobs.threadsRunning() > 0) std::_Exit(code);
    return code;
}

}  // namespace app
