#include "program.h"

#include "event_table.h"

#include <stdexcept>

namespace app {

void Program::raise(window::Control control, window::Event event, int row) {
    for (const EventRow& entry : form1Events()) {
        if (entry.source != control || entry.event != event) continue;
        boundary_.run([&] { entry.operation(*this, row); });
        return;
    }
    throw std::logic_error("the event table has no row for this event");
}

}  // namespace app
