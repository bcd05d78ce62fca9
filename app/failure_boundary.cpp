#include "failure_boundary.h"

#include "jobs/job_failures.h"
#include "text/display_text.h"
#include "platform/platform_failure.h"

#include <new>

namespace app {

void FailureBoundary::run(const std::function<void()>& action) const {
    try {
        action();
    } catch (const jobs::WindowClosing&) {
        // the window is going, and the program with it: nothing to tell
    } catch (const platform::PlatformFailure& failure) {
        dialogs_.report(failure.what(), text::displayText(failure.subject().native()));
    } catch (const std::bad_alloc&) {
        dialogs_.report("There is not enough memory for this.", "");
    } catch (const std::exception& failure) {
        dialogs_.report(failure.what(), "");
    }
}

}  // namespace app
